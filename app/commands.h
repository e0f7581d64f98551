// What every command of the main window changes, which boxes it asks, and the close request and win announcement.
#pragma once

#include <cstdint>

#include "app/app_state.h"
#include "app/effects.h"
#include "base/text.h"
#include "ui/command_bar.h"
#include "ui/feedback.h"

struct Session;

constexpr int16_t kFirstCommand = 2;
constexpr int16_t kLastCommand = 38;

/*
 * The command guard of a session. commandDepth counts the commands in
 * progress: a box runs a nested message loop, so a second command can arrive
 * while the first one's box is open, and it is refused.
 */
struct CommandState {
    int16_t commandDepth = 0;
};

/*
 * Runs command `id` of a WM_COMMAND with notification code `notifyCode`. Only
 * code 0 and ids 2..38 are taken (37, the new grid, and 38, the hint, come
 * from keys only). While another command is in progress the
 * command is refused with two short beeps and changes nothing.
 *
 * The session's own part of what the command asks is done before it returns
 * (the paint cache's bitmaps discarded, the arrows hidden, the layout marked
 * out of date, the clocks paused); the effects returned are the window's
 * part. The splash of a grid load and the labels of a new language are shown
 * while the command runs, through the session's showNow.
 */
Effects runCommand(Session& s, int16_t id, int16_t notifyCode = 0);


/*
 * Loads grid number n (1..5, or 6 for the new grid when one is kept) into the grid in play, first asking when `askFirst` (message 5
 * when n is the grid in play, 4 otherwise). On No nothing changes. On Yes the
 * play state becomes that of the last save of grid n (or a fresh grid), the
 * move history is emptied, and the clocks run for grid n. Returns whether the
 * grid was loaded.
 */
bool loadGridNumber(Session& s, int16_t n, bool askFirst, Effects& effects);

/*
 * The second half of the new-grid command, run by the shell once the splash
 * and the hourglass show: the pending request is made into a grid, which
 * becomes grid number 6 in play with an empty game and a clock at zero (the
 * numbered grids keep theirs). False when nothing was pending.
 */
bool makeRequestedNewGrid(Session& s, Effects& effects);
// A seed from the high-resolution clock, for a new grid.
uint32_t clockSeed();

// The close request: the close question; true when the window is to be destroyed.
bool closeRequest(Session& s);

/*
 * After the paint that shows a just-filled grid: the win signal, the clocks
 * stopped for good, the bravo box, then the offer to save. winPending is
 * consumed first, so a paint arriving while these boxes are open does not
 * announce the win again. True when the win was announced.
 */
bool announceWin(Session& s);

// After a paint: the scrolling explanation, once, the first time a scroll arrow is shown. True when shown.
bool showScrollHintIfDue(Session& s, bool anyArrowShown);

/*
 * Stores the grid's state as gridStates[gridNumber] and writes the settings
 * file; a failed write is told in a box. Nothing is stored or written while
 * no grid number is known. Returns whether the file was written.
 */
bool saveGame(Session& s);


// A box with the window title as caption, asked through the session's ask function.
BoxAnswer askBox(const Session& s, TextRef text, BoxButtons buttons, BoxIcon icon, bool secondIsDefault = false);
