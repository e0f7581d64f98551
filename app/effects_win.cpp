// The window's part of the effects: what an event or a command asks of the main window, its bar and its shape.
#include "app/effects_win.h"

#include "app/bar_win.h"
#include "app/main_window_win.h"
#include "app/paint_win.h"
#include "app/placement_win.h"
#include "app/window_shape_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips_win.h"

namespace {

void showSplashOfLoad(MainWindow& win) {
    const AppState& app = win.session.app;
    const WindowGeometry& at = app.geometry;
    moveSplash(win.splash, splashCorner(at.windowLeft, at.dpi), splashCorner(at.windowTop, at.dpi));
    showSplash(win.splash);
}

void applyTooltipEffects(MainWindow& win, const Effects& fx) {
    Session& s = win.session;
    HWND window = win.window;
    if (fx.hideTooltip) hideTooltip(s.tooltips, win.tooltipWindows);
    if (fx.trackTooltip && window) {
        POINT at = {s.input.pressPoint.clientX, s.input.pressPoint.clientY};
        trackTooltip(s.tooltips, win.tooltipWindows, s.selector, window, at);
        if (s.tooltips.visible && !win.tooltipTimerSet) {
            SetTimer(window, kTooltipTimer, kTooltipCheckMs, nullptr);
            win.tooltipTimerSet = true;
        }
    }
    // Only a timer that is set is killed: every event passes here, and each timer call costs a trip to the server.
    if (!s.tooltips.visible && win.tooltipTimerSet && window) {
        KillTimer(window, kTooltipTimer);
        win.tooltipTimerSet = false;
    }
}

}  // namespace

void showEffectsNow(MainWindow& win, const Effects& effects) {
    if (effects.showSplash) {
        showSplashOfLoad(win);
        // The session is busy: the hourglass until the next cursor request after the load.
        showCursor(win.cursors, chooseCursor(win.session.app, win.session.input), true);
    }
    if (effects.labelsChanged) setGameLabels(win.session, win.tooltipWindows);
    // What changed is on the screen before a box opens over it (a hint's marks).
    if (effects.repaint && win.window) showChanges(win);
}

void applyEffects(MainWindow& win, const Effects& fx) {
    Session& s = win.session;
    const AppState& app = s.app;
    HWND window = win.window;
    if (fx.captureMouse && window) SetCapture(window);
    // After the release is decided: the capture change this sends finds no gesture to cancel.
    if (fx.releaseMouse && window && GetCapture() == window) ReleaseCapture();
    applyTooltipEffects(win, fx);
    if (fx.signal != PlayFeedback::None) {
        if (fx.signalCursor >= 0) showCursor(win.cursors, fx.signalCursor, false);
        playSignal(s.feedback, fx.signal);
    }
    if (fx.cursor >= 0) showCursor(win.cursors, fx.cursor, fx.cursorForced);
    if (fx.cellFieldChanged) setCellInfoText(win.bar, s.input.cellInfoText);
    if (fx.clockFieldChanged) setChronometerText(win.bar, app.clocks.fieldText);

    if (fx.modeChanged) resetWorkingSurface(win);
    // Shown until the end of the next complete paint, which hides it.
    if (fx.showSplash) showSplashOfLoad(win);
    if (fx.enterRules) {
        showGameBar(win.bar, app, SW_HIDE);
        if (window) removeWindowShape(window);
    }
    if (fx.leaveRules) showGameBar(win.bar, app, SW_SHOW);
    if (fx.rescaled && window) {
        rebuildGameBar(win.bar, window, win.instance, s);
        remakeCursors(win.cursors, win.instance, app.geometry.dpi);
        setTooltipDpi(s.tooltips, win.tooltipWindows, app.geometry.dpi);
    }
    if (fx.labelsChanged) setGameLabels(s, win.tooltipWindows);
    if (fx.forceBarRefresh) forceCommandBarRefresh(win.bar);
    if (fx.enterRules || fx.reposition) repositionMainWindow(win);
    if (fx.barStateChanged) refreshGameBar(win.bar, app);
    if (fx.minimise && window) ShowWindow(window, SW_MINIMIZE);
    if (fx.sendClose && window) SendMessageW(window, WM_CLOSE, 0, 0);
    if (fx.makeNewGrid && window) {
        // The splash is up: the hourglass, then the grid is made and loaded when the posted message comes.
        showCursor(win.cursors, kCursorHourglass, true);
        PostMessageW(window, kNewGridMessage, 0, 0);
    }

    if (fx.layoutChanged && window) {
        if (app.view.screenMode != ScreenMode::Rules) applyWindowShapeOf(win);
        repositionMainWindow(win);
    }
    if (fx.repaint && window) showChanges(win);
    if (fx.destroy && window) DestroyWindow(window);
}
