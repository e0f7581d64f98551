// The window half of the commands: what a command's effects ask of the main window, its bar and its shape.
#include "app/main_window_win.h"

#include "app/window_shape_win.h"
#include "content/clocks.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

/*
 * The session has already done its part (bitmaps discarded, arrows hidden,
 * the layout redone, the clocks paused for a minimised window); what is left
 * are the calls on the window, its bar, the tooltip and the splash.
 */
void showCommandEffectsNow(MainWindow& win, const CommandEffects& effects) {
    AppState& app = win.session.app;
    if (effects.showSplash) {
        moveSplash(win.splash, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
        showSplash(win.splash);
        // The session is busy: the hourglass until the next cursor request after the load.
        showCursor(win.cursors, chooseCursor(app, win.session.input), true);
    }
    if (effects.labelsChanged) setCommandLabels(app);
}

void applyCommandEffects(MainWindow& win, const CommandEffects& effects) {
    if (effects.refused) return;
    AppState& app = win.session.app;
    HWND window = win.window;
    if (effects.hideTooltip) hideTooltip(app.tooltips);
    if (effects.modeChanged) applyScreenModeToWindow(win);
    if (effects.showSplash) {
        // Shown until the end of the next complete paint, which hides it.
        moveSplash(win.splash, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
        showSplash(win.splash);
    }
    if (effects.enterRules) {
        showCommandBar(win.bar, app, SW_HIDE);
        if (window) removeWindowShape(window);
    }
    if (effects.leaveRules) showCommandBar(win.bar, app, SW_SHOW);
    if (effects.labelsChanged) setCommandLabels(app);
    if (effects.forceBarRefresh) forceCommandBarRefresh(win.bar);
    if (effects.enterRules || effects.reposition) repositionMainWindow(win);
    refreshCommandBarState(win.bar, app);
    if (effects.minimise && window) ShowWindow(window, SW_MINIMIZE);
    if (effects.sendClose && window) SendMessageW(window, WM_CLOSE, 0, 0);
    if (effects.makeNewGrid) {
        // The splash is up: the hourglass, then the grid is made and loaded.
        showCursor(win.cursors, kCursorHourglass, true);
        Event made;
        made.kind = EventKind::NewGridMade;
        applyEffects(win, handle(win.session, made));
    }
}
