// The main window: class registration, creation, placement, and one handler per message it answers.
#include "app/main_window_win.h"

#include <windowsx.h>

#include "app/commands.h"
#include "app/layout.h"
#include "app/paint_plan.h"
#include "app/paint_win.h"
#include "app/play_input.h"
#include "app/play_input_win.h"
#include "app/splash_win.h"
#include "base/wide_text_win.h"
#include "content/clocks.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

namespace {

// A client point of a mouse message.
POINT pointOf(LPARAM lParam) {
    return POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The client point in grid coordinates: relative to the drawing origin, y upward.
PlayPoint playPointAt(POINT client) {
    return playPointOf(client.x, client.y, windowLayout.originX, windowLayout.originY);
}

// The mouse position now, in client coordinates (for the messages that do not carry it).
POINT mouseInClient(HWND window) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

LRESULT onCreate(AppState& app, HWND window) {
    RECT client;
    GetClientRect(window, &client);
    app.clientWidth = static_cast<int16_t>(client.right - client.left);
    app.clientHeight = static_cast<int16_t>(client.bottom - client.top);
    app.clientCentreX = static_cast<int16_t>(app.clientWidth / 2);
    app.clientCentreY = static_cast<int16_t>(app.clientHeight / 2);
    app.firstPaintPending = 1;
    if (app.clocks.enabled) SetTimer(window, kChronoTimer, kChronoPeriodMs, nullptr);
    // The creation goes on: a result of -1 would abort it.
    return 0;
}

LRESULT onDestroy(AppState& app, HWND window) {
    KillTimer(window, kChronoTimer);
    destroyCursors();
    hideTooltip(app.tooltips);
    releasePaintBitmaps();
    if (app.mainWindow == window) app.mainWindow = nullptr;
    PostQuitMessage(0);
    return 0;
}

LRESULT onSize(AppState& app, WPARAM type) {
    if (type == SIZE_MINIMIZED) setClocksMinimised(app, true);
    if (type == SIZE_MAXIMIZED || type == SIZE_RESTORED) {
        if (app.clocks.minimised) setClocksMinimised(app, false);
    }
    return 0;
}

LRESULT onClose(AppState& app, HWND window) {
    if (closeRequest(app)) DestroyWindow(window);
    return 0;
}

LRESULT onSetCursor(AppState& app, HWND window) {
    POINT p = mouseInClient(window);
    storeMousePoint(playInput, static_cast<int16_t>(p.x), static_cast<int16_t>(p.y));
    trackTooltip(app.tooltips, app.selector, window, p);
    setCursorByRule(app, true);
    return 1;
}

LRESULT onCommand(AppState& app, HWND window, WPARAM wParam) {
    CommandEffects effects = runCommand(app, static_cast<int16_t>(LOWORD(wParam)), static_cast<int16_t>(HIWORD(wParam)));
    applyCommandEffects(app, effects);
    // Buttons never keep the focus: the digit keys and the close key belong to the main window.
    if (app.mainWindow && GetFocus() != window && IsWindow(window)) SetFocus(window);
    return 0;
}

LRESULT onTimer(AppState& app, WPARAM id) {
    if (id == kChronoTimer && updateTitleClock(app)) setChronometerText(app.clocks.fieldText);
    return 0;
}

LRESULT onMouseMove(AppState& app, LPARAM lParam) {
    POINT p = pointOf(lParam);
    storeMousePoint(playInput, static_cast<int16_t>(p.x), static_cast<int16_t>(p.y));
    if (app.screenMode != ScreenRules && app.gridNumber > 0) {
        PlayPoint at = playPointAt(p);
        if (hoverAt(app, app.grids[0], at.gridX, at.gridY)) setCellInfoText(playInput.cellInfoText);
    }
    setCursorByRule(app, true);
    return 0;
}

LRESULT onLeftButtonDown(AppState& app, LPARAM lParam) {
    hideTooltip(app.tooltips);
    storePressPoint(playInput, playPointAt(pointOf(lParam)));
    return 1;
}

LRESULT onLeftButtonUp(AppState& app, LPARAM lParam) {
    POINT p = pointOf(lParam);
    // The arrows first: each shown arrow whose rectangle holds the point scrolls.
    bool scrolled = false;
    for (ArrowSide side : arrowsAt(windowLayout, p.x, p.y)) {
        scrollByArrow(app, side);
        scrolled = true;
    }
    if (scrolled || app.screenMode != ScreenPlay) return 1;
    int16_t selectorDigit = hitTestSelector(app.selector, p.x, p.y);
    PlayFeedback feedback = leftButtonUp(app, app.grids[0], playPointAt(p), selectorDigit);
    playFeedback(app, feedback);
    return 1;
}

LRESULT onRightButtonDown(LPARAM lParam) {
    POINT p = pointOf(lParam);
    storeMousePoint(playInput, static_cast<int16_t>(p.x), static_cast<int16_t>(p.y));
    return 1;
}

LRESULT onRightButtonUp(AppState& app) {
    if (app.screenMode != ScreenPlay) return 0;
    POINT p = {playInput.pressPoint.clientX, playInput.pressPoint.clientY};
    PlayPoint at = playPointAt(p);
    rightClick(app, app.grids[0], at.gridX, at.gridY);
    return 0;
}

LRESULT onMoving(AppState& app, LPARAM lParam) {
    const RECT* r = reinterpret_cast<const RECT*>(lParam);
    if (r) {
        app.windowLeft = static_cast<int16_t>(r->left);
        app.windowTop = static_cast<int16_t>(r->top);
    }
    return 1;
}

/*
 * One handler per message. Returns false for the messages that go to the
 * default procedure (they skip the after-message work).
 */
bool handleMainMessage(AppState& app, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_CREATE:
        if (!app.creatingMainWindow) return false;
        result = onCreate(app, window);
        return true;
    case WM_DESTROY:
        result = onDestroy(app, window);
        return true;
    case WM_SIZE:
        result = onSize(app, wParam);
        return true;
    case WM_PAINT:
        paintMainWindow(app, window);
        result = 0;
        return true;
    case WM_CLOSE:
        result = onClose(app, window);
        return true;
    case WM_ERASEBKGND:
        // The paint covers the whole client area.
        result = 1;
        return true;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return false;  // borders and caption keep the system's cursors
        result = onSetCursor(app, window);
        return true;
    case WM_COMMAND:
        result = onCommand(app, window, wParam);
        return true;
    case WM_TIMER:
        result = onTimer(app, wParam);
        return true;
    case WM_MOUSEMOVE:
        result = onMouseMove(app, lParam);
        return true;
    case WM_LBUTTONDOWN:
        result = onLeftButtonDown(app, lParam);
        return true;
    case WM_LBUTTONUP:
        result = onLeftButtonUp(app, lParam);
        return true;
    case WM_RBUTTONDOWN:
        result = onRightButtonDown(lParam);
        return true;
    case WM_RBUTTONUP:
        result = onRightButtonUp(app);
        return true;
    case WM_MOVING:
        result = onMoving(app, lParam);
        return true;
    default:
        return false;
    }
}

}  // namespace

bool registerMainWindowClass(HINSTANCE instance) {
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = 0;
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));    // the system application icon
    wc.hIconSm = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the system arrow
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClassName;
    return RegisterClassExW(&wc) != 0;
}

HWND createMainWindow(HINSTANCE instance) {
    AppState& app = appState;
    app.creatingMainWindow = 1;
    HWND window = CreateWindowExW(0, kMainClassName, wideText(app.windowTitle).c_str(), kMainWindowStyle,
                                  app.windowLeft, app.windowTop, app.windowWidth, app.windowHeight, nullptr, nullptr,
                                  instance, nullptr);
    app.creatingMainWindow = 0;
    return window;
}

void measureFrame(AppState& app, HWND window) {
    RECT outer;
    if (!GetWindowRect(window, &outer)) return;
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
    HWND main = static_cast<HWND>(app.mainWindow);
    bool forMain = main && window == main;
    bool iconic = main && IsIconic(main);
    AfterMessage after = afterMessage(app, forMain, iconic);
    if (after.invalidate) InvalidateRect(window, nullptr, FALSE);
    if (!forMain) return;
    /*
     * The digit keys are read after every message. A digit they select is
     * shown at once rather than after the next message, which may be 200 ms
     * away (or never come while the clock is off).
     */
    if (pollKeyboard(app)) {
        after = afterMessage(app, forMain, iconic);
        if (after.invalidate) InvalidateRect(window, nullptr, FALSE);
    }
}

void applyScreenModeToWindow(AppState&) {
    reset(drawingSurface);
    setZoom(drawingSurface, 1.0f);
    installPalette();
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!handleMainMessage(appState, window, message, wParam, lParam, result))
        return DefWindowProcW(window, message, wParam, lParam);
    afterMainMessage(appState, window);
    return result;
}
