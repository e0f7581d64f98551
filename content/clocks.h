// The grid clocks: one stopwatch per grid number, running only while the grid on screen can be played.
#pragma once

#include "app/app_state.h"
#include "base/text.h"

/*
 * The clock of grid number n is app.stopwatches[n] (1..5). Only the clock
 * of the grid being played may run, and only while all of these hold: the
 * chronometer is enabled (setting "chro"), the game is active (no message box
 * open, rules not shown: chronoRunning), the main window is not minimised, and
 * the grid still has an empty cell. A clock is never started on a full grid;
 * filling the last cell does not stop it by itself (the win announcement
 * stops the clocks).
 */

// chronoEnabled, chronoRunning and not minimised.
bool clocksMayRun(const AppState& app);

// Starts or stops every clock according to the conditions above.
void updateClocks(AppState& app);
// Stores chronoRunning (false while a box is open or the rules are shown), then updateClocks.
void setClocksActive(bool active, AppState& app);
// Stores minimised, then updateClocks.
void setClocksMinimised(bool minimised, AppState& app);

/*
 * The chronometer field of the command bar: the text the shell shows in it,
 * and the text last written there (compared ignoring letter case, so the
 * field is rewritten only when the time shown changes).
 */
extern TextString chronoFieldText;
extern TextString lastClockText;

/*
 * Writes the elapsed time of the current grid's clock, centred with leading
 * blanks, into chronoFieldText when it differs from the last one; returns true
 * when it did (the shell then sets the field's text). Before start-up has
 * finished it only forgets the last text; with the chronometer disabled it
 * does nothing (the field does not exist).
 */
bool updateTitleClock(AppState& app);

// The clock text as the field shows it: n = 4 - length / 2 blanks in front when n > 0.
TextString centredClockText(TextRef elapsed);
