// The command bar of the application: the bar's controls and labels fed from the application state.
#pragma once

#include "app/app_state.h"
#include "ui/command_bar_win.h"

/*
 * Creates the bar's controls on the main window (only when controlsAllowed, and
 * only once), with the grid buttons when more than one grid is offered and the
 * chronometer field while the clocks are on; when showAllowed, shows the bar
 * with showCommand and refreshes its state. False when nothing was created.
 */
bool createCommandBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, AppState& app, int showCommand);
// Shows or hides the bar's controls (SW_HIDE hides) as the clocks and the offered grids allow.
void showCommandBar(CommandBarWindows& bar, const AppState& app, int showCommand);
// Hides the tooltip and stores the labels of the current mode and language.
void setCommandLabels(AppState& app);
// Applies the enabling rules for the current mode, scale, page and history.
void refreshCommandBarState(CommandBarWindows& bar, const AppState& app);
