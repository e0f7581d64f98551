// The command bar of the application: the bar's controls and labels fed from the application state.
#include "app/bar_win.h"

bool createCommandBar(AppState& app, int showCommand) {
    if (!app.controlsAllowed) return false;
    const BarLayout layout = computeBarLayout(app.gridCount > 1, app.clocks.enabled != 0);
    if (!createCommandBar(static_cast<HWND>(app.mainWindow), static_cast<HINSTANCE>(app.instance), layout, app.tooltips,
                          app.selector))
        return false;
    if (app.showAllowed) {
        showCommandBar(app, showCommand);
        refreshCommandBarState(app);
    }
    return true;
}

void showCommandBar(const AppState& app, int showCommand) {
    showCommandBar(showCommand, app.clocks.enabled != 0, app.gridCount);
}

void setCommandLabels(AppState& app) {
    setCommandLabels(app.tooltips, app.screenMode, app.language);
}

void refreshCommandBarState(const AppState& app) {
    refreshCommandBarState(barStateInputs(app));
}
