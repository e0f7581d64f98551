// The program's start-up sequence, its message loop and what it gives back at the end.
#include "app/main_window_win.h"

#include <memory>
#include <vector>

#include "app/effects_win.h"
#include "app/paint_win.h"
#include "app/placement_win.h"
#include "app/window_shape_win.h"
#include "base/stopwatch.h"
#include "base/wide_text_win.h"
#include "content/clocks.h"
#include "render/grid_drawing.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

namespace {

uint32_t systemTick() {
    return GetTickCount();
}

/*
 * The desktop comes before the first window. On a Wine server that has just
 * started, the desktop process is still setting up the display devices when
 * the program begins; a first CreateWindowExW made meanwhile returned null
 * (error 0, then ERROR_ALREADY_EXISTS on every retry in the same process),
 * and the program used to end there without a word, 1 or 2 starts in 100 on
 * a busy machine. Asking for the desktop window and the monitors first waits
 * for that set-up (and gives the work areas the position is checked against).
 */
std::vector<ShapeRect> desktopWorkAreas() {
    GetDesktopWindow();
    return monitorWorkAreas();
}

// The splash at the display scale: 400 x 150 on a 96-dpi screen, centred above the screen's middle.
void placeSplash(SplashWindow& splash, const AppState& app) {
    splash.dpi = app.geometry.dpi > 0 ? app.geometry.dpi : kReferenceDpi;
    splash.width = scaledPx(400, splash.dpi);
    splash.height = scaledPx(150, splash.dpi);
    splash.colour = RGB(0, 0, 255) | 0x999999;
    int16_t x, y;
    centreAboveMiddle(0, 0, app.geometry.screenWidth, app.geometry.screenHeight, splash.width, splash.height, x, y);
    splash.x = x;
    splash.y = y;
}

/*
 * The resolution of the window's monitor, which the layout measures the grid
 * with and the whole window is scaled to; false when it cannot be read.
 */
bool measureScreenResolution(Session& s, HWND window) {
    const int16_t dpi = windowResolution(window);
    if (dpi <= 0) return false;
    setMeasureResolution(s, dpi, dpi);
    return true;
}

// The frame of the window, measured, reaches the session as an event.
void tellFrame(MainWindow& win, HWND window) {
    const POINT frame = measureFrame(window);
    Event e;
    e.kind = EventKind::FrameMeasured;
    e.x = static_cast<int16_t>(frame.x);
    e.y = static_cast<int16_t>(frame.y);
    applyEffects(win, handle(win.session, e));
}

void runMessageLoop(int& status, MSG& msg) {
    while ((status = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (status == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

StartupFailure startProgram(MainWindow& win, HINSTANCE instance, int showCommand) {
    Session& s = win.session;
    const AppState& app = s.app;
    setTickSource(systemTick);
    handWindowsFeedback(win);
    win.instance = instance;

    const std::vector<ShapeRect> workAreas = desktopWorkAreas();
    beginSession(s, static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN)),
                 static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN)), workAreas);
    resetWorkingSurface(win);

    // The splash comes before the window: it takes the screen's scale (the window's monitor's follows).
    setDisplayScale(s.app, windowResolution(nullptr));
    placeSplash(win.splash, app);
    if (!createSplash(win.splash, instance, app.releaseNumber)) return StartupFailure::SplashWindow;
    const WindowGeometry& at = app.geometry;
    moveSplash(win.splash, splashCorner(at.windowLeft, at.dpi), splashCorner(at.windowTop, at.dpi));
    showSplash(win.splash);

    if (!registerMainWindowClass(instance)) return StartupFailure::WindowClass;
    constructTooltips(s.tooltips);
    if (!startTooltips(s.tooltips, win.tooltipWindows, instance)) return StartupFailure::TooltipClass;

    HWND window = createMainWindow(win);
    if (!window) return StartupFailure::MainWindow;
    EnableWindow(window, TRUE);
    setSplashOwner(win.splash, window);
    setGameLabels(s, win.tooltipWindows);
    createCursors(win.cursors, instance, app.geometry.dpi);
    ShowWindow(window, SW_HIDE);

    tellFrame(win, window);
    repositionMainWindow(win);
    // The splash is already showing and nothing is drawn yet: what the load asks of the window is done below.
    openGame(s);
    tellFrame(win, window);

    allowWindow(s);
    // The screen's resolution first: the bar's controls are made at its scale.
    if (!measureScreenResolution(s, window)) return StartupFailure::Screen;
    remakeCursors(win.cursors, instance, app.geometry.dpi);
    setTooltipDpi(s.tooltips, win.tooltipWindows, app.geometry.dpi);
    // The controls are made while the window is still hidden: each one shown on a shown window was drawn at once.
    createGameBar(win.bar, window, instance, s, showCommand);
    setGameLabels(s, win.tooltipWindows);
    applyEffects(win, finishStartup(s));
    // The first layout, now that the frame and the screen are known: the shape, the size and the position.
    applyEffects(win, layOutIfNeeded(s));
    // The layout placed and showed the window; if it could not lay out, the window is shown where it is.
    repositionMainWindow(win);
    InvalidateRect(window, nullptr, FALSE);
    return StartupFailure::None;
}

void endProgram(MainWindow& win) {
    if (win.window) DestroyWindow(win.window);
    destroyCommandBar(win.bar);
    destroySplash(win.splash);
    destroyTooltipWindows(win.tooltipWindows, win.session.tooltips);
    closeWaveOutput(win.wave);
}

int runProgram(HINSTANCE instance, int showCommand) {
    // The record lives as long as the program; the windows find it through their GWLP_USERDATA.
    std::unique_ptr<MainWindow> win = std::make_unique<MainWindow>();
    const StartupFailure failure = startProgram(*win, instance, showCommand);
    if (failure != StartupFailure::None) {
        // Told in a box (no main window owns it, or a hidden one does), then the program ends with its code.
        const int code = reportStartupFailure(win->session, failure);
        endProgram(*win);
        return code;
    }
    MSG msg = {};
    int status = 0;
    runMessageLoop(status, msg);
    endProgram(*win);
    return status == -1 ? 0 : static_cast<int>(msg.wParam);
}
