// The in-process game session shared by the window tests, the monkey test and nothing else.
#include "tests/game_session_win.h"

#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/paint_plan.h"
#include "app/paint_win.h"
#include "app/play_input.h"
#include "app/play_input_win.h"
#include "app/splash_win.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "puzzle/state_string.h"
#include "render/draw_surface.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/command_bar_win.h"
#include "app/app_settings.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

FakeWorld fakeWorld;

namespace {

std::wstring keptFolder;

BoxAnswer fakeAsk(const BoxRequest& request) {
    fakeWorld.boxes.push_back(request);
    if (fakeWorld.duringBox) fakeWorld.duringBox(request);
    if (!fakeWorld.answers.empty()) {
        BoxAnswer a = fakeWorld.answers.front();
        fakeWorld.answers.erase(fakeWorld.answers.begin());
        return a;
    }
    if (fakeWorld.policy) return fakeWorld.policy(request);
    return request.buttons == BoxYesNo ? AnswerYes : AnswerOk;
}

void fakeBeep(int16_t frequency, int16_t) {
    fakeWorld.beepFrequencies.push_back(frequency);
}

// Down now or pressed since the last query: the press is consumed by the query.
bool fakeKeyState(int virtualKey) {
    if (virtualKey < 0 || virtualKey > 255) return false;
    bool down = fakeWorld.pressed[virtualKey];
    fakeWorld.pressed[virtualKey] = false;
    return down;
}

}  // namespace

void resetFakeWorld() {
    fakeWorld = FakeWorld();
}

void installFakes() {
    setAskFunction(fakeAsk);
    setBeepFunction(fakeBeep);
    setKeyStateFunction(fakeKeyState);
}

bool pumpMessages() {
    MSG msg;
    bool any = false;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        any = true;
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return any;
}

bool pumpUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        pumpMessages();
        if (condition()) return true;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

void resetGameRecords() {
    // The tooltip pop-up is a window of the record's: destroyed before the record is reset.
    destroyTooltipWindows(appState.tooltips);
    resetAppState(appState);
    resetWindowLayout(windowLayout);
    resetPlayInput(playInput);
    commandState = CommandState();
    constructTooltips(appState.tooltips);
    releasePaintBitmaps();
    paintCache = PaintCache();
    destroySplash(splashWindow);
    splashWindow = SplashWindow();
    destroyCommandBar();
    releaseSurfaceObjects();
    reset(drawingSurface);
    reset(screenSurface);
    setAskFunction(nullptr);
    setBeepFunction(nullptr);
    setKeyStateFunction(nullptr);
    // The next start-up registers the class again, as a fresh process would.
    UnregisterClassW(kMainClassName, GetModuleHandleW(nullptr));
}

std::wstring sessionFolder() {
    static std::wstring folder;
    if (folder.empty()) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + L"ornel-window-tests-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    return folder;
}

std::wstring settingsFilePath() {
    return sessionFolder() + L"\\ORNEL 162.TXT";
}

bool paintSettled() {
    HWND main = mainWindow();
    return main && appState.paintEnabled && !appState.firstPaintPending && paintCache.frameValid &&
           !splashWindow.visible && IsWindowVisible(main) && !appState.redrawPending &&
           !GetUpdateRect(main, nullptr, FALSE);
}

bool startGame() {
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    keptFolder = here;
    SetCurrentDirectoryW(sessionFolder().c_str());
    resetGameRecords();
    if (!startProgram(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE)) return false;
    installFakes();
    return pumpUntil(paintSettled);
}

void endGame() {
    endProgram();
    pumpMessages();
    resetGameRecords();
    if (!keptFolder.empty()) SetCurrentDirectoryW(keptFolder.c_str());
}

HWND mainWindow() {
    return static_cast<HWND>(appState.mainWindow);
}

LPARAM clientPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y)));
}

POINT cellClientPoint(int16_t cell) {
    ShapePoint p = clientPointOfGrid(windowLayout, cellCentre(appState.grids[0], cell));
    return POINT{p.x, p.y};
}

void sendCommand(int16_t id, int16_t notifyCode) {
    SendMessageW(mainWindow(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), static_cast<WORD>(notifyCode)), 0);
    pumpMessages();
}

void leftClick(int x, int y) {
    HWND w = mainWindow();
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(x, y));
    SendMessageW(w, WM_LBUTTONUP, 0, clientPoint(x, y));
    pumpMessages();
}

void leftClickCell(int16_t cell) {
    POINT p = cellClientPoint(cell);
    leftClick(p.x, p.y);
}

void rightClick(int x, int y) {
    HWND w = mainWindow();
    SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, clientPoint(x, y));
    SendMessageW(w, WM_RBUTTONUP, 0, clientPoint(x, y));
    pumpMessages();
}

void chooseDigit(int16_t digit) {
    sendCommand(static_cast<int16_t>(CmdErase + digit));
}

TextString boardState() {
    return writeStateString(appState.grids[0]);
}

void GameWindowTest::SetUp() {
    resetFakeWorld();
    DeleteFileW(settingsFilePath().c_str());
    ASSERT_TRUE(startGame()) << "the game did not reach its first complete paint";
}

void GameWindowTest::TearDown() {
    endGame();
    resetFakeWorld();
    DeleteFileW(settingsFilePath().c_str());
}

void GameWindowTest::restartGame() {
    endGame();
    ASSERT_TRUE(startGame()) << "the game did not start again";
}
