// The command bar of the application: the bar's controls and labels fed from the application state.
#include "app/bar_win.h"

bool createCommandBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, AppState& app, int showCommand) {
    if (!app.controlsAllowed) return false;
    const BarLayout layout = computeBarLayout(app.gridCount > 1, app.clocks.enabled != 0);
    if (!createCommandBar(bar, mainWindow, instance, layout, app.tooltips, app.selector)) return false;
    if (app.showAllowed) {
        showCommandBar(bar, app, showCommand);
        refreshCommandBarState(bar, app);
    }
    return true;
}

void showCommandBar(CommandBarWindows& bar, const AppState& app, int showCommand) {
    showCommandBar(bar, showCommand, app.clocks.enabled != 0, app.gridCount);
}

void setCommandLabels(AppState& app) {
    setCommandLabels(app.tooltips, app.screenMode, app.language);
}

void refreshCommandBarState(CommandBarWindows& bar, const AppState& app) {
    refreshCommandBarState(bar, barStateInputs(app));
}
