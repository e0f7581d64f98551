// The game's command bar: the bar's controls, labels and enabling rules fed from the session.
#include "app/bar_win.h"

bool createGameBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, Session& s, int showCommand) {
    const AppState& app = s.app;
    if (!app.controlsAllowed) return false;
    const BarLayout layout = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled != 0, app.geometry.dpi);
    if (!createCommandBar(bar, mainWindow, instance, layout, s.tooltips, s.selector)) return false;
    if (app.showAllowed) {
        showGameBar(bar, app, showCommand);
        refreshGameBar(bar, app);
    }
    return true;
}

void showGameBar(CommandBarWindows& bar, const AppState& app, int showCommand) {
    showCommandBar(bar, showCommand, app.clocks.enabled != 0, app.game.gridCount);
}

void setGameLabels(Session& s, TooltipWindows& tooltipWindows) {
    setCommandLabels(s.tooltips, tooltipWindows, s.app.view.screenMode, s.app.view.language);
}

void refreshGameBar(CommandBarWindows& bar, const AppState& app) {
    refreshCommandBarState(bar, barStateInputs(app));
}

void rebuildGameBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, Session& s) {
    if (!bar.created) return;
    destroyCommandBar(bar);
    const bool rules = s.app.view.screenMode == ScreenMode::Rules;
    if (!createGameBar(bar, mainWindow, instance, s, SW_SHOW)) return;
    // The Rules window hides the bar as it does on entering the rules.
    if (rules) showGameBar(bar, s.app, SW_HIDE);
    forceCommandBarRefresh(bar);
    refreshGameBar(bar, s.app);
    setCellInfoText(bar, s.input.cellInfoText);
    setChronometerText(bar, s.app.clocks.fieldText);
}
