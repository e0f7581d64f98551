// The grid clocks: one stopwatch per grid number, running only while the grid on screen can be played.
#pragma once

#include <cstdint>

#include "base/stopwatch.h"
#include "base/text.h"

constexpr int16_t kStopwatchCount = 7;  // one per grid number 1..5 and the new grid's 6; element 0 unused

/*
 * The clock of grid number n is stopwatches[n] (1..5, and 6 for the new grid). Only the clock of the
 * grid being played may run, and only while all of these hold: the
 * chronometer is enabled (setting "chro"), the game is active (no message box
 * open, rules not shown), the main window is not minimised, and the grid
 * still has an empty cell. A clock is never started on a full grid; filling
 * the last cell does not stop it by itself (the win announcement stops the
 * clocks).
 *
 * The chronometer field of the command bar shows fieldText; lastText is the
 * text last written there (compared ignoring letter case, so the field is
 * rewritten only when the time shown changes).
 */
struct GridClocks {
    Stopwatch stopwatches[kStopwatchCount];
    bool enabled = true;    // the chronometer is on: the clocks count and the field exists
    bool active = false;     // 0 while a message box is open or the rules are shown
    bool minimised = false;  // mirrors whether the main window is iconic
    TextString fieldText;
    TextString lastText;
};

// enabled, active and not minimised.
bool clocksMayRun(const GridClocks& clocks);

/*
 * Starts or stops every clock according to the conditions above, for the grid
 * number being played (0 when none) and whether its grid is full.
 */
void updateClocks(GridClocks& clocks, int16_t gridNumber, bool gridFull);
// Stores active (false while a box is open or the rules are shown), then updateClocks.
void setClocksActive(GridClocks& clocks, bool active, int16_t gridNumber, bool gridFull);
// Stores minimised, then updateClocks.
void setClocksMinimised(GridClocks& clocks, bool minimised, int16_t gridNumber, bool gridFull);

/*
 * Writes the elapsed time of the clock of gridNumber, centred with leading
 * blanks, into fieldText when it differs from the last one; returns true when
 * it did (the shell then sets the field's text). Before start-up has finished
 * it only forgets the last text; with the chronometer disabled it does
 * nothing (the field does not exist). Grid numbers outside 1..6 show the
 * unused clock 0.
 */
bool updateTitleClock(GridClocks& clocks, int16_t gridNumber, bool startupFinished);

// The clock text as the field shows it: n = 4 - length / 2 blanks in front when n > 0.
TextString centredClockText(TextRef elapsed);
