// The in-process game session shared by the window tests, the monkey test and nothing else.
#include "tests/game_session_win.h"

#include <memory>

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
// The game being run; made at every start, so that each starts from a fresh session.
std::unique_ptr<MainWindow> liveGame;

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

}  // namespace

void resetFakeWorld() {
    fakeWorld = FakeWorld();
}

void installFakes() {
    if (!liveGame) return;
    liveGame->session.feedback = Feedback{fakeAsk, fakeBeep};
}

MainWindow& game() {
    if (!liveGame) liveGame = std::make_unique<MainWindow>();
    return *liveGame;
}

Session& liveSession() {
    return game().session;
}

AppState& liveApp() {
    return game().session.app;
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
    if (liveGame) {
        // The tooltip pop-up is a window of the session's: destroyed before the record goes.
        destroyTooltipWindows(liveGame->tooltipWindows, liveGame->session.tooltips);
        destroyCommandBar(liveGame->bar);
        releasePaintBitmaps(*liveGame);
        destroySplash(liveGame->splash);
        destroyCursors(liveGame->cursors);
        closeWaveOutput(liveGame->wave);
        liveGame.reset();
    }
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
    const Session& s = liveSession();
    return main && s.app.paintEnabled && !game().firstPaintPending && frameIsCurrent(game()) &&
           !game().splash.visible && IsWindowVisible(main) && !s.app.redrawPending &&
           !GetUpdateRect(main, nullptr, FALSE);
}

bool startGame() {
    wchar_t here[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, here);
    keptFolder = here;
    SetCurrentDirectoryW(sessionFolder().c_str());
    resetGameRecords();
    if (startProgram(game(), GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE) != StartupFailure::None) return false;
    installFakes();
    return pumpUntil(paintSettled);
}

void endGame() {
    if (liveGame) endProgram(*liveGame);
    pumpMessages();
    resetGameRecords();
    if (!keptFolder.empty()) SetCurrentDirectoryW(keptFolder.c_str());
}

HWND mainWindow() {
    return liveGame ? liveGame->window : nullptr;
}

LPARAM clientPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(static_cast<int16_t>(x)), static_cast<WORD>(static_cast<int16_t>(y)));
}

POINT cellClientPoint(int16_t cell) {
    ShapePoint p = clientPointOfGrid(liveSession().layout, cellCentre(liveApp().game.grids[0], cell));
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

namespace {

// Sets or clears the down bit of one key in the thread's key state, which GetKeyState reads.
void holdKey(int virtualKey, bool down) {
    BYTE state[256];
    if (!GetKeyboardState(state)) return;
    state[virtualKey] = down ? 0x80 : 0;
    SetKeyboardState(state);
}

}  // namespace

void pressKey(int virtualKey, bool shift, bool ctrl) {
    HWND w = mainWindow();
    holdKey(VK_SHIFT, shift);
    holdKey(VK_CONTROL, ctrl);
    SendMessageW(w, WM_KEYDOWN, static_cast<WPARAM>(virtualKey), 1);
    // A release: the previous state (bit 30) and the transition (bit 31) set.
    SendMessageW(w, WM_KEYUP, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(0xC0000001u));
    holdKey(VK_SHIFT, false);
    holdKey(VK_CONTROL, false);
    pumpMessages();
}

void chooseDigit(int16_t digit) {
    sendCommand(static_cast<int16_t>(CmdErase + digit));
}

TextString boardState() {
    return writeStateString(liveApp().game.grids[0]);
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
