// The main window: class registration, creation, and the messages it turns into session events.
#include "app/main_window_win.h"

#include <windowsx.h>

#include "app/effects_win.h"
#include "app/paint_win.h"
#include "app/placement_win.h"
#include "base/wide_text_win.h"
#include "content/clocks.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

// The portable key numbers are the virtual-key numbers the key messages carry.
static_assert(KeyBackspace == VK_BACK && KeyTab == VK_TAB && KeyEnter == VK_RETURN && KeyEscape == VK_ESCAPE);
static_assert(KeySpace == VK_SPACE && KeyLeft == VK_LEFT && KeyUp == VK_UP && KeyRight == VK_RIGHT);
static_assert(KeyDown == VK_DOWN && KeyDelete == VK_DELETE && KeyPad0 == VK_NUMPAD0 && KeyPadAdd == VK_ADD);
static_assert(KeyPadSubtract == VK_SUBTRACT && KeyF1 == VK_F1 && KeyPlus == VK_OEM_PLUS && KeyMinus == VK_OEM_MINUS);

namespace {

Event pointerEvent(EventKind kind, LPARAM lParam) {
    Event e;
    e.kind = kind;
    e.x = static_cast<int16_t>(GET_X_LPARAM(lParam));
    e.y = static_cast<int16_t>(GET_Y_LPARAM(lParam));
    return e;
}

Event plainEvent(EventKind kind) {
    Event e;
    e.kind = kind;
    return e;
}

// The mouse position now, in client coordinates (for the messages that do not carry it).
POINT mouseInClient(HWND window) {
    POINT p = {0, 0};
    GetCursorPos(&p);
    ScreenToClient(window, &p);
    return p;
}

/*
 * One event through the session, and its effects applied to the window. The
 * cell field's new text waits for the end of the message: a static control
 * paints itself as soon as its text changes, which under Wine costs several
 * client-sized copies, and the picture of the grid shows first.
 */
void send(MainWindow& win, const Event& e) {
    Effects fx = handle(win.session, e);
    win.cellFieldPending |= fx.cellFieldChanged;
    fx.cellFieldChanged = false;
    applyEffects(win, fx);
}

LRESULT onCreate(const AppState& app, MainWindow& win, HWND window) {
    win.firstPaintPending = true;
    if (app.clocks.enabled) SetTimer(window, kChronoTimer, kChronoPeriodMs, nullptr);
    // The creation goes on: a result of -1 would abort it.
    return 0;
}

LRESULT onDestroy(MainWindow& win, HWND window) {
    KillTimer(window, kChronoTimer);
    KillTimer(window, kTooltipTimer);
    win.tooltipTimerSet = false;
    destroyCursors(win.cursors);
    hideTooltip(win.session.tooltips, win.tooltipWindows);
    releasePaintBitmaps(win);
    if (win.window == window) win.window = nullptr;
    PostQuitMessage(0);
    return 0;
}

/*
 * WM_PAINT shows the update box from the frame, under the hourglass; once a
 * picture is on screen the splash goes and the window shows (should it be
 * hidden still), and the session hears of it (the scroll hint, the win).
 */
LRESULT onPaint(MainWindow& win, HWND window) {
    const Session& s = win.session;
    const bool busyHere = s.app.busyDepth == 0;
    if (busyHere) showCursor(win.cursors, kCursorHourglass, false);
    const bool shown = showUpdateRegion(win, window);
    win.firstPaintPending = false;
    if (shown && win.splash.visible) hideSplash(win.splash);
    if (s.app.showAllowed && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    if (busyHere) showCursor(win.cursors, chooseCursor(s.app, s.input), false);
    send(win, plainEvent(EventKind::Painted));
    return 0;
}

LRESULT onSize(MainWindow& win, WPARAM type) {
    if (type == SIZE_MINIMIZED) send(win, plainEvent(EventKind::Minimised));
    if (type == SIZE_MAXIMIZED || type == SIZE_RESTORED) send(win, plainEvent(EventKind::Restored));
    return 0;
}

LRESULT onSetCursor(MainWindow& win, HWND window) {
    POINT p = mouseInClient(window);
    Event e;
    e.kind = EventKind::CursorRequest;
    e.x = static_cast<int16_t>(p.x);
    e.y = static_cast<int16_t>(p.y);
    send(win, e);
    return 1;
}

LRESULT onCommand(MainWindow& win, HWND window, WPARAM wParam) {
    Event e;
    e.kind = EventKind::Command;
    e.command = static_cast<int16_t>(LOWORD(wParam));
    e.notifyCode = static_cast<int16_t>(HIWORD(wParam));
    send(win, e);
    // Buttons never keep the focus: the digit keys and the close key belong to the main window.
    if (win.window && GetFocus() != window && IsWindow(window)) SetFocus(window);
    return 0;
}

/*
 * The tooltip's check on its timer: the pop-up goes once the mouse is neither
 * over the main window nor over one of its controls, or over another spot
 * than the one the pop-up names; the timer stops with the pop-up.
 */
void checkTooltipPointer(MainWindow& win, HWND window) {
    TooltipSet& tips = win.session.tooltips;
    POINT screen = {0, 0};
    GetCursorPos(&screen);
    HWND under = WindowFromPoint(screen);
    const bool overWindow = under == window || (under && IsChild(window, under));
    POINT client = screen;
    ScreenToClient(window, &client);
    const int16_t digit = hitTestSelector(win.session.selector, client.x, client.y);
    if (pointerLeftTooltip(tips, overWindow, client.x, client.y, digit) && IsWindow(tooltipPopup(win.tooltipWindows)))
        ShowWindow(tooltipPopup(win.tooltipWindows), SW_HIDE);
    if (!tips.visible) {
        KillTimer(window, kTooltipTimer);
        win.tooltipTimerSet = false;
    }
}

/*
 * A key message of the main window. Only the window with the keyboard gets
 * them: a key meant for a box or another program never arrives here, and the
 * session ignores the release and the repetitions of a key pressed there.
 * The modifiers are read as they were when the key message was posted.
 */
Event keyMessageEvent(WPARAM wParam, LPARAM lParam) {
    const auto key = static_cast<int16_t>(wParam & 0xFF);
    const bool repeat = (lParam & (LPARAM{1} << 30)) != 0;  // bit 30: the key was down before this message
    // Shift and Ctrl change only the digit and letter keys; each query is a trip to the server under Wine.
    const bool modifiable = key >= Key0 && key <= KeyZ;
    const bool shift = modifiable && GetKeyState(VK_SHIFT) < 0;
    const bool ctrl = modifiable && GetKeyState(VK_CONTROL) < 0;
    return keyPressEvent(key, shift, ctrl, repeat);
}

// A monitor came or went, or changed its size: the room for the grid is measured again.
LRESULT onDisplayChange(MainWindow& win) {
    setScreens(win.session, static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN)),
               static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN)), monitorWorkAreas());
    applyEffects(win, layOutIfNeeded(win.session));
    return 0;
}

/*
 * The window went to a monitor of another resolution, or the player changed
 * the scale: the system proposes a rectangle; the window takes its corner and
 * lays itself out at the new resolution (which gives it its size).
 */
LRESULT onDpiChanged(MainWindow& win, HWND window, WPARAM wParam, LPARAM lParam) {
    const RECT* proposed = reinterpret_cast<const RECT*>(lParam);
    // The caption and the border have the new resolution's sizes already.
    const POINT frame = measureFrame(window);
    Event measured;
    measured.kind = EventKind::FrameMeasured;
    measured.x = static_cast<int16_t>(frame.x);
    measured.y = static_cast<int16_t>(frame.y);
    send(win, measured);
    Event e;
    e.kind = EventKind::ResolutionChanged;
    e.dpi = static_cast<int16_t>(LOWORD(wParam));
    if (proposed) {
        e.x = static_cast<int16_t>(proposed->left);
        e.y = static_cast<int16_t>(proposed->top);
    } else {
        e.x = win.session.app.geometry.windowLeft;
        e.y = win.session.app.geometry.windowTop;
    }
    send(win, e);
    return 0;
}

LRESULT onMoving(MainWindow& win, LPARAM lParam) {
    const RECT* r = reinterpret_cast<const RECT*>(lParam);
    if (r) {
        Event e;
        e.kind = EventKind::Moving;
        e.x = static_cast<int16_t>(r->left);
        e.y = static_cast<int16_t>(r->top);
        send(win, e);
    }
    return 1;
}

/*
 * One handler per message. Returns false for the messages that go to the
 * default procedure (they skip the after-message work).
 */
bool handleMainMessage(MainWindow& win, HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    const AppState& app = win.session.app;
    switch (message) {
    case WM_CREATE:
        result = onCreate(app, win, window);
        return true;
    case WM_DESTROY:
        result = onDestroy(win, window);
        return true;
    case WM_SIZE:
        result = onSize(win, wParam);
        return true;
    case WM_PAINT:
        result = onPaint(win, window);
        return true;
    case WM_CLOSE:
        send(win, plainEvent(EventKind::CloseRequest));
        result = 0;
        return true;
    case WM_ERASEBKGND:
        // The paint covers the whole client area.
        result = 1;
        return true;
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) return false;  // borders and caption keep the system's cursors
        result = onSetCursor(win, window);
        return true;
    case WM_COMMAND:
        result = onCommand(win, window, wParam);
        return true;
    case WM_TIMER:
        if (wParam == kChronoTimer) send(win, plainEvent(EventKind::TimerTick));
        if (wParam == kTooltipTimer) checkTooltipPointer(win, window);
        result = 0;
        return true;
    case WM_MOUSEMOVE:
        send(win, pointerEvent(EventKind::PointerMoved, lParam));
        result = 0;
        return true;
    case WM_LBUTTONDOWN:
        send(win, pointerEvent(EventKind::PointerPressed, lParam));
        result = 1;
        return true;
    case WM_LBUTTONUP:
        send(win, pointerEvent(EventKind::PointerReleased, lParam));
        result = 1;
        return true;
    case WM_RBUTTONDOWN:
        send(win, pointerEvent(EventKind::RightPressed, lParam));
        result = 1;
        return true;
    case WM_RBUTTONUP:
        send(win, plainEvent(EventKind::RightReleased));
        result = 0;
        return true;
    case WM_MOVING:
        result = onMoving(win, lParam);
        return true;
    case WM_MOVE:
        send(win, plainEvent(EventKind::Moved));
        result = 0;
        return true;
    case WM_CAPTURECHANGED:
        // Another window took the mouse in the middle of a gesture (ReleaseCapture at the release gives it to none).
        if (reinterpret_cast<HWND>(lParam) != window) send(win, plainEvent(EventKind::CaptureLost));
        result = 0;
        return true;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) send(win, plainEvent(EventKind::Deactivated));
        return false;  // the default procedure gives the focus back on activation
    case kNewGridMessage:
        // The splash of the new grid shows: the grid is made and loaded now.
        send(win, plainEvent(EventKind::NewGridMade));
        result = 0;
        return true;
    case WM_EXITSIZEMOVE:
        send(win, plainEvent(EventKind::MoveEnded));
        result = 0;
        return true;
    case WM_DPICHANGED:
        result = onDpiChanged(win, window, wParam, lParam);
        return true;
    case WM_DISPLAYCHANGE:
        result = onDisplayChange(win);
        return true;
    case WM_KEYDOWN:
        send(win, keyMessageEvent(wParam, lParam));
        result = 0;
        return true;
    case WM_KEYUP:
        send(win, keyReleaseEvent(static_cast<int16_t>(wParam & 0xFF)));
        result = 0;
        return true;
    case WM_KILLFOCUS:
        send(win, plainEvent(EventKind::KeyboardLost));
        result = 0;
        return true;
    case WM_ACTIVATEAPP:
        if (!wParam) send(win, plainEvent(EventKind::Deactivated));
        return false;
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

HWND createMainWindow(MainWindow& win) {
    const AppState& app = win.session.app;
    const WindowGeometry& at = app.geometry;
    HWND window = CreateWindowExW(0, kMainClassName, wideText(app.windowTitle).c_str(), kMainWindowStyle,
                                  at.windowLeft, at.windowTop, at.windowWidth, at.windowHeight, nullptr, nullptr,
                                  win.instance, &win);
    win.window = window;
    return window;
}

void handWindowsFeedback(MainWindow& win) {
    MainWindow* record = &win;
    win.session.feedback.ask = [record](const BoxRequest& request) {
        return askWithMessageBox(record->window, request);
    };
    win.session.feedback.beep = [record](int16_t frequencyHz, int16_t durationMs) {
        beepOnWaveOutput(record->wave, frequencyHz, durationMs);
    };
    win.session.showNow = [record](const Effects& effects) { showEffectsNow(*record, effects); };
}

void afterMainMessage(MainWindow& win, HWND window) {
    HWND main = win.window;
    const bool forMain = main && window == main;
    const bool iconic = main && IsIconic(main);
    applyEffects(win, finishMessage(win.session, forMain, iconic, win.positioningDepth > 0));
    if (win.cellFieldPending) {
        win.cellFieldPending = false;
        setCellInfoText(win.bar, win.session.input.cellInfoText);
    }
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTW* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    MainWindow* win = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    LRESULT result = 0;
    if (!win || !handleMainMessage(*win, window, message, wParam, lParam, result))
        return DefWindowProcW(window, message, wParam, lParam);
    afterMainMessage(*win, window);
    return result;
}
