// What every command of the main window changes, which boxes it asks, and the close request and win announcement.
#pragma once

#include <cstdint>

#include "app/app_state.h"
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
 * What the window half must do after a command, besides what the command
 * changed in AppState (a redraw is requested through redrawPending). Each flag
 * stands for a few Win32 calls the shell makes once the command has returned.
 */
struct CommandEffects {
    uint8_t refused = 0;          // re-entered: nothing changed (the two beeps were given)
    uint8_t hideTooltip = 0;
    uint8_t minimise = 0;         // minimise the main window
    uint8_t sendClose = 0;        // send WM_CLOSE to the main window (closeRequest decides)
    uint8_t modeChanged = 0;      // reset the working surface
    uint8_t enterRules = 0;       // hide the four scroll arrows and the bar, remove the shape, Rules size
    uint8_t leaveRules = 0;       // show the bar again; the window gets its mode size back
    uint8_t labelsChanged = 0;    // set the labels (tooltip texts) for the mode and language
    uint8_t forceBarRefresh = 0;  // apply the bar's enabling rules even if nothing they read changed
    uint8_t discardBitmaps = 0;   // drop the three cached bitmaps
    uint8_t reposition = 0;       // move and size the main window for the current mode
    uint8_t showSplash = 0;       // a grid is being loaded: splash at (windowLeft + 180, windowTop + 180)
    uint8_t clockFieldChanged = 0;  // app.clocks.fieldText must be written into the chronometer field
    uint8_t makeNewGrid = 0;      // a new grid was asked: once the splash shows, makeRequestedNewGrid
};

// Adds every flag set in `more` to `into`.
void mergeEffects(CommandEffects& into, const CommandEffects& more);

/*
 * Runs command `id` of a WM_COMMAND with notification code `notifyCode`. Only
 * code 0 and ids 2..38 are taken (37, the new grid, and 38, the hint, come
 * from keys only). While another command is in progress the
 * command is refused with two short beeps and changes nothing.
 */
CommandEffects runCommand(Session& s, int16_t id, int16_t notifyCode = 0);


/*
 * Loads grid number n (1..5, or 6 for the new grid when one is kept) into the grid in play, first asking when `askFirst` (message 5
 * when n is the grid in play, 4 otherwise). On No nothing changes. On Yes the
 * play state becomes that of the last save of grid n (or a fresh grid), the
 * move history is emptied, and the clocks run for grid n. Returns whether the
 * grid was loaded.
 */
bool loadGridNumber(Session& s, int16_t n, bool askFirst, CommandEffects& effects);

/*
 * The second half of the new-grid command, run by the shell once the splash
 * and the hourglass show: the pending request is made into a grid, which
 * becomes grid number 6 in play with an empty game and a clock at zero (the
 * numbered grids keep theirs). False when nothing was pending.
 */
bool makeRequestedNewGrid(Session& s, CommandEffects& effects);
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
