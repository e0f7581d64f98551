// The game's command bar: the bar's controls, labels and enabling rules fed from the session.
#pragma once

#include "app/session.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips_win.h"

/*
 * Creates the bar's controls on the main window (only when controlsAllowed, and
 * only once), with the grid buttons when more than one grid is offered and the
 * chronometer field while the clocks are on; the tooltip's hot rectangles and
 * the selector's geometry go into the session. When showAllowed, shows the bar
 * with showCommand and refreshes its state. False when nothing was created.
 */
bool createGameBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, Session& s, int showCommand);
/*
 * A bar made before (and only then) is made again at the session's display
 * scale: its controls and fonts, its tooltip rectangles (cleared by the
 * session), its state and its two fields' texts.
 */
void rebuildGameBar(CommandBarWindows& bar, HWND mainWindow, HINSTANCE instance, Session& s);
// Shows or hides the bar's controls (SW_HIDE hides) as the clocks and the offered grids allow.
void showGameBar(CommandBarWindows& bar, const AppState& app, int showCommand);
// Hides the tooltip and stores the labels (the tooltip's texts) of the current mode and language.
void setGameLabels(Session& s, TooltipWindows& tooltipWindows);
// Applies the enabling rules for the current mode, scale, page and history.
void refreshGameBar(CommandBarWindows& bar, const AppState& app);
