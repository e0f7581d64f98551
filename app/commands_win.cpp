// The window half of the commands: what a command's effects ask of the main window, its bar and its shape.
#include "app/main_window_win.h"

#include "app/layout.h"
#include "app/paint_plan.h"
#include "app/splash_win.h"
#include "app/window_shape_win.h"
#include "content/clocks.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

void applyCommandEffects(AppState& app, const CommandEffects& effects) {
    if (effects.refused) return;
    HWND window = static_cast<HWND>(app.mainWindow);
    if (effects.hideTooltip) hideTooltip(app.tooltips);
    if (effects.modeChanged) applyScreenModeToWindow(app);
    if (effects.discardBitmaps) discardAllBitmaps(paintCache);
    if (effects.showSplash) {
        // Shown until the end of the next complete paint, which hides it.
        moveSplash(splashWindow, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
        showSplash(splashWindow);
    }
    if (effects.enterRules) {
        hideArrows(windowLayout);
        showCommandBar(app, SW_HIDE);
        if (window) removeWindowShape(window);
        discardAllBitmaps(paintCache);
    }
    if (effects.leaveRules) {
        showCommandBar(app, SW_SHOW);
        app.layoutValid = 0;
        discardAllBitmaps(paintCache);
    }
    if (effects.labelsChanged) setCommandLabels(app);
    if (effects.forceBarRefresh) forceCommandBarRefresh();
    if (effects.clockFieldChanged) setChronometerText(app.clocks.fieldText);
    if (effects.enterRules || effects.reposition) repositionMainWindow(app);
    refreshCommandBarState(app);
    if (effects.minimise && window) {
        ShowWindow(window, SW_MINIMIZE);
        setClocksMinimised(app, true);
    }
    if (effects.sendClose && window) SendMessageW(window, WM_CLOSE, 0, 0);
}
