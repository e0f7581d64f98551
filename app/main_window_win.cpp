// The main window: class registration, creation, placement, the message handlers and the start-up sequence.
#include "app/main_window_win.h"

#include "app/splash_win.h"
#include "base/stopwatch.h"
#include "base/text.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "ui/settings.h"

namespace {

const COLORREF kBackground = RGB(0, 255, 255);
const COLORREF kInk = RGB(0, 0, 255);
const int kPanelX = 40;
// Bottom of the command bar until the bar itself is built; the panel is drawn down to it.
const int kDefaultBarBottom = 560;

uint32_t systemTick() {
    return GetTickCount();
}

void systemModalBox(HWND owner, const char* text, const char* caption, UINT kind) {
    MessageBoxA(owner, text, caption, kind | MB_SYSTEMMODAL);
}

/*
 * The paint cycle draws the whole client area into an off-screen frame and copies
 * it in one transfer, so the window never shows a half-drawn state (and needs no
 * background erasing). Until the grid drawing is attached the frame holds the
 * empty board: the background framed by one black pixel, and the command bar panel.
 */
void drawFrame(AppState& app, HDC dc, int width, int height) {
    RECT all = {0, 0, width, height};
    HBRUSH back = CreateSolidBrush(kBackground);
    FillRect(dc, &all, back);
    DeleteObject(back);

    HPEN black = CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    HGDIOBJ oldPen = SelectObject(dc, black);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, width, height);

    if (app.screenMode == ScreenPlay || app.screenMode == ScreenStart) {
        HBRUSH panel = CreateSolidBrush(kBackground);
        SelectObject(dc, panel);
        Rectangle(dc, kPanelX - 10, 0, kPanelX + 40, kDefaultBarBottom + 10);
        SelectObject(dc, GetStockObject(NULL_BRUSH));
        DeleteObject(panel);

        HFONT font = CreateFontA(16, 5, 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Arial");
        HGDIOBJ oldFont = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kInk);
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        TextString version;
        version.assign("V.");
        version.append3(numberText(app.versionMajor), ".", numberText(app.versionMinor));
        TextOutA(dc, 55, 10, version.text(), version.length());
        SelectObject(dc, oldFont);
        DeleteObject(font);
    }

    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(black);
}

void paintMainWindow(AppState& app, HWND window) {
    beginBusy(app);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    if (app.firstPaintPending) {
        app.firstPaintPending = 0;
        app.layoutValid = 0;
    }
    if (!app.layoutValid) {
        // The real layout is computed from the grid's extent; with none yet the window keeps its size.
        app.layoutValid = 1;
        repositionMainWindow(app);
    }

    RECT client;
    GetClientRect(window, &client);
    int width = client.right - client.left;
    int height = client.bottom - client.top;
    if (app.paintEnabled && width > 0 && height > 0) {
        HDC frameDc = CreateCompatibleDC(dc);
        HBITMAP frame = CreateCompatibleBitmap(dc, width, height);
        HGDIOBJ oldBitmap = SelectObject(frameDc, frame);
        drawFrame(app, frameDc, width, height);
        BitBlt(dc, 0, 0, width, height, frameDc, 0, 0, SRCCOPY);
        SelectObject(frameDc, oldBitmap);
        DeleteObject(frame);
        DeleteDC(frameDc);
        hideSplash(splashWindow);
    }
    if (app.showAllowed && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    EndPaint(window, &ps);
    endBusy(app);
}

/*
 * Handles one message of the main window. Returns false for the messages that
 * go to the default procedure (they skip the after-message work).
 */
bool handleMainMessage(AppState& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        if (!app.creatingMainWindow) return false;
        {
            RECT client;
            GetClientRect(window, &client);
            app.clientWidth = static_cast<int16_t>(client.right - client.left);
            app.clientHeight = static_cast<int16_t>(client.bottom - client.top);
            app.clientCentreX = static_cast<int16_t>(app.clientWidth / 2);
            app.clientCentreY = static_cast<int16_t>(app.clientHeight / 2);
            app.firstPaintPending = 1;
            if (app.chronoEnabled) SetTimer(window, kChronoTimer, kChronoPeriodMs, nullptr);
        }
        // The creation goes on: a result of -1 would abort it.
        result = 0;
        return true;
    case WM_DESTROY:
        KillTimer(window, kChronoTimer);
        PostQuitMessage(0);
        result = 0;
        return true;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) setClocksMinimised(true, app);
        if (wParam == SIZE_MAXIMIZED) setClocksMinimised(false, app);
        result = 0;
        return true;
    case WM_PAINT:
        paintMainWindow(app, window);
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The paint covers the whole client area.
        result = 1;
        return true;
    case WM_CLOSE: {
        const char* text = app.language == 0 ? "Voulez-vous vraiment quitter ORNEL ?"
                                             : "Do you really want to quit ORNEL?";
        int answer = MessageBoxA(window, text, app.windowTitle.text(),
                                 MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2 | MB_SYSTEMMODAL);
        if (answer == IDYES) DestroyWindow(window);
        result = 0;
        return true;
    }
    case WM_TIMER:
        if (wParam == kChronoTimer) updateTitleClock(app);
        result = 0;
        return true;
    case WM_MOVING: {
        const RECT* r = reinterpret_cast<const RECT*>(lParam);
        if (r) {
            app.windowLeft = static_cast<int16_t>(r->left);
            app.windowTop = static_cast<int16_t>(r->top);
        }
        result = 1;
        return true;
    }
    default:
        return false;
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = 0;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hIconSm = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClassName;
    return RegisterClassExA(&wc) != 0;
}

HWND createMainWindow(HINSTANCE instance) {
    AppState& app = appState;
    app.creatingMainWindow = 1;
    HWND window = CreateWindowExA(0, kMainClassName, app.windowTitle.text(), kMainWindowStyle, app.windowLeft,
                                  app.windowTop, app.windowWidth, app.windowHeight, nullptr, nullptr, instance,
                                  nullptr);
    app.creatingMainWindow = 0;
    return window;
}

void measureFrame(AppState& app, HWND window) {
    RECT outer, client;
    if (!GetWindowRect(window, &outer) || !GetClientRect(window, &client)) return;
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    app.frameX = static_cast<int16_t>(origin.x - outer.left);
    app.frameY = static_cast<int16_t>(origin.y - outer.top);
}

void repositionMainWindow(AppState& app) {
    HWND window = static_cast<HWND>(app.mainWindow);
    if (!window) return;
    ++app.positioningDepth;
    int16_t width, height;
    modeWindowSize(app, width, height);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (app.showAllowed ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    SetWindowPos(window, nullptr, app.windowLeft, app.windowTop, width, height, flags);
    --app.positioningDepth;
}

void afterMainMessage(AppState& app, HWND window) {
    bool forMain = window == static_cast<HWND>(app.mainWindow);
    bool iconic = app.mainWindow && IsIconic(static_cast<HWND>(app.mainWindow));
    AfterMessage after = afterMessage(app, forMain, iconic);
    if (after.invalidate) InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!handleMainMessage(appState, window, message, wParam, lParam, result))
        return DefWindowProcA(window, message, wParam, lParam);
    afterMainMessage(appState, window);
    return result;
}

int runProgram(HINSTANCE instance, int showCommand) {
    AppState& app = appState;
    setTickSource(systemTick);
    app.instance = instance;
    app.positioningDepth = 0;

    // The placeholder grid: it sets up the collection and leaves slot 0 with a shape of its own.
    loadBuiltInGrid(0, "X");
    app.windowTitle = windowTitleText();
    app.screenWidth = static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN));
    app.screenHeight = static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN));

    SplashWindow& splash = splashWindow;
    splash.width = 400;
    splash.height = 150;
    splash.colour = RGB(0, 0, 255) | 0x999999;
    int16_t splashX, splashY;
    centreAboveMiddle(0, 0, app.screenWidth, app.screenHeight, splash.width, splash.height, splashX, splashY);
    splash.x = splashX;
    splash.y = splashY;
    if (!createSplash(splash, instance, app.releaseNumber)) return 0;

    app.settingsPath = settingsPathFor(app.windowTitle);
    app.scrollHintPending = 1;
    app.currentCell = 1;
    applyScale(app, app.scale);
    app.firstPaintPending = 1;
    setScreenMode(app, ScreenStart);
    loadGridCodeList();
    app.selectedDigit = 1;
    // A missing or unreadable file is no error: the start values stay.
    loadSettings(app);

    moveSplash(splash, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
    showSplash(splash);

    if (!registerMainWindowClass(instance)) {
        systemModalBox(nullptr, "Window Registration Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }

    HWND window = createMainWindow(instance);
    if (!window) {
        systemModalBox(nullptr, "Window Creation Failed!", "Error!", MB_ICONEXCLAMATION | MB_OK);
        return 0;
    }
    EnableWindow(window, TRUE);
    app.mainWindow = window;
    setSplashOwner(splash, window);
    ShowWindow(window, SW_HIDE);

    measureFrame(app, window);
    repositionMainWindow(app);
    applyScale(app, app.scale);

    // No layout exists yet: the window gets no shape until the first paint computes one.
    app.layoutValid = 1;
    measureFrame(app, window);

    app.controlsAllowed = 1;
    app.showAllowed = 1;
    repositionMainWindow(app);
    ShowWindow(window, showCommand);
    app.paintEnabled = 1;
    InvalidateRect(window, nullptr, FALSE);

    MSG msg;
    int status;
    while ((status = GetMessageA(&msg, nullptr, 0, 0)) != 0) {
        if (status == -1) break;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    destroySplash(splash);
    return status == -1 ? 0 : static_cast<int>(msg.wParam);
}
