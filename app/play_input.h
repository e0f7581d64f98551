// Play input on the grid: the move history, click and drag decisions, notes, hover, digit selection and keys.
#pragma once

#include <cstdint>

#include "app/app_state.h"
#include "base/text.h"
#include "puzzle/grid.h"

/*
 * Everything in this file is decision and state; the Windows half
 * (app/play_input_win.h) only reads the mouse, the keys and the cursor
 * handles, and turns the feedback values into sounds.
 *
 * Grid coordinates are pixels from the drawing origin, x to the right and y
 * upward: a client point (cx, cy) is (cx - refX, refY - cy).
 */

// One mouse position, in client pixels and in grid coordinates.
struct PlayPoint {
    int16_t clientX = 0;
    int16_t clientY = 0;
    int16_t gridX = 0;
    int16_t gridY = 0;
    bool onGrid = true;  // the point lies where the grid is shown (cells under the bar panel count for nothing)
};

// The client point (cx, cy) with its grid coordinates for a drawing origin (refX, refY).
PlayPoint playPointOf(int cx, int cy, int refX, int refY);

/*
 * The play input of a session. pressPoint is the last left
 * press; its client half is also overwritten by every right press, mouse move
 * and cursor request, and the right click reads it back from there.
 */
struct PlayInput {
    PlayPoint pressPoint;
    PlayPoint releasePoint;
    bool overHexagon = false;     // the mouse rests on a hexagon centre (cursor 9)
    bool eraseAnimation = false;  // the erase signal is sounding (cursor 10)
    int16_t sixesInARow = 0;     // digit 6 selected this many times in a row (0..6)
    bool linkDisplay = false;    // six in a row: the grid drawing shows the links between touching cells
    TextString cellInfoText;     // the text last given to the cell-information field
    /*
     * A left press is held. A press on a corner point takes the mouse
     * (mouseTaken) until the release, so a drag let go over the desktop still
     * ends on the window; a lost capture cancels the gesture: its release,
     * should one come, does nothing.
     */
    bool gesture = false;
    bool gestureCancelled = false;
    bool mouseTaken = false;
};

void resetPlayInput(PlayInput& input);

// ---------------------------------------------------------------- move history

/*
 * The history holds typed moves (app/app_state.h): the play input records
 * placements and erasures; note moves are understood by undo and re-do but
 * never recorded. The cursor is the number of moves done; the moves after it
 * can be re-done.
 */

// The move that undoes `move`: a placement and the erasure of the same digit in the same cell, and so for notes.
Move oppositeMove(const Move& move);

/*
 * Drops the moves after the cursor, appends the move, then cleans up: a move
 * followed by its exact opposite cancels both; and, on lists of more than three
 * moves, every erasure (of a digit or a note) older than the last three is
 * removed together with the earlier moves it undid. The cursor ends at the end
 * of the list. A kind outside MoveKind is refused (false, no change).
 */
bool recordMove(UndoHistory& history, MoveKind kind, int16_t digit, int16_t cell);

/*
 * Undo takes the move at the cursor and steps back; re-do steps forward and
 * takes that move. Nothing is recorded. A move that names no cell of the
 * grid, a fixed cell, or a digit outside 1..6 changes nothing but is still
 * stepped over, so the cursor stays in step with the list. A move the board
 * no longer allows (a digit put back where a touching cell holds it or into a
 * filled cell, a digit taken out of a cell that does not hold it) changes
 * nothing and is dropped from the list. False when there was nothing to undo
 * or re-do.
 */
bool undoMove(UndoHistory& history, Grid& grid);
bool redoMove(UndoHistory& history, Grid& grid);
void clearHistory(UndoHistory& history);
bool canUndo(const UndoHistory& history);
bool canRedo(const UndoHistory& history);

// ---------------------------------------------------------------- left click

enum class ClickKind : int16_t {
    Nothing,          // not in Play mode
    Cell,             // acts on `cell`, the cell under the press point
    Selector,         // no cell and no corner: the number selector is hit-tested at the release
    CornerDrag,       // press on a corner, release more than 24 pixels away: scroll by (dx, dy) cells
    CornerHighlight,  // press on a corner, release at most 5 pixels away: highlight its hexagon
    DeadZone,         // press on a corner, release 6..24 pixels away: nothing
};

struct ClickDecision {
    ClickKind kind = ClickKind::Nothing;
    int16_t cell = 0;
    int16_t corner = 0;
    float dx = 0;  // drag in cell sizes
    float dy = 0;
};

/*
 * What a left click means, from the press and release points in grid
 * coordinates. The press point decides: pressing on a cell and releasing
 * elsewhere still acts on the pressed cell. The scroll arrows are tested by
 * the caller before this.
 */
ClickDecision decideLeftClick(const Grid& grid, int pressX, int pressY, int releaseX, int releaseY);
/*
 * Whether a left press must take the mouse until its release: only a press on
 * a corner point (no cell there), whose release point decides between a
 * highlight and a drag that may end anywhere on the screen. A press on a cell,
 * the selector or an arrow is decided by where it was pressed or by a release
 * inside the window; let go elsewhere, it does nothing. Taking the mouse for
 * every click would cost each one a capture and its release, which under Wine
 * is several times the paint of the click.
 */
bool pressTakesMouse(const AppState& app, const Grid& grid, const PlayPoint& press);

// What the shell plays after a click.
enum class PlayFeedback : int16_t {
    None,
    Refused,       // two short beeps
    Erased,        // three falling beeps with the burst cursor
    NotesCleared,  // one low beep
};

/*
 * The whole effect of a decided click on the application state and the grid:
 * placement, erasure, notes cleared, a given's digit selected, highlights,
 * scrolling, a digit from the selector (selectorDigit, 0 when the release
 * missed it).
 */
PlayFeedback applyLeftClick(AppState& app, PlayInput& input, Grid& grid, const ClickDecision& decision, int16_t selectorDigit);

/*
 * Puts the selected digit into app.game.currentCell by the placement rule (the
 * candidates are brought up to date first), or erases, clears notes, selects
 * a given's digit or refuses.
 */
PlayFeedback placeSelectedDigit(AppState& app, PlayInput& input, Grid& grid);

// Highlights: clicking the newest one again clears all three, else they shift and the corner becomes newest.
void highlightCorner(AppState& app, int16_t corner);

/*
 * WM_LBUTTONUP after the arrows: stores the release point and, in Play mode,
 * decides and applies the click of the stored press point. A press point off
 * the shown grid (onGrid 0) is neither a cell nor a corner: the release is
 * tried on the number selector.
 */
PlayFeedback leftButtonUp(AppState& app, PlayInput& input, Grid& grid, const PlayPoint& release, int16_t selectorDigit);

// WM_LBUTTONDOWN: the press point in both coordinate systems.
void storePressPoint(PlayInput& input, const PlayPoint& point);
// Right press, mouse move and cursor request: the client half of the press point.
void storeMousePoint(PlayInput& input, int16_t clientX, int16_t clientY);

// ---------------------------------------------------------------- right click and hover

/*
 * The right click at a point in grid coordinates (Play mode only): the cell
 * there becomes current; a cell without notes gets all six while candidateFill
 * is 0, otherwise the note nearest to the point is toggled. True when anything
 * changed (a redraw was requested).
 */
bool rightClick(AppState& app, Grid& grid, int gridX, int gridY);

/*
 * The mouse at a point in grid coordinates: the cell-information text ("L3 C5",
 * empty off the cells) and overHexagon. A point off the shown grid (onGrid
 * false) is over no cell and no hexagon. Nothing changes in Rules mode.
 * Returns true when the text changed and the field must be rewritten.
 */
bool hoverAt(AppState& app, PlayInput& input, Grid& grid, int gridX, int gridY, bool onGrid = true);

// ---------------------------------------------------------------- digits and keys

/*
 * The digit selection of the selector, the commands, a given and the keys.
 * applyDigitSelection stores d (0..6; others ignored) and counts sixes in a
 * row; a change of linkDisplay requests a redraw. It returns whether the digit
 * changed. selectDigit always requests a redraw as well.
 */
bool applyDigitSelection(AppState& app, PlayInput& input, int16_t digit);
void selectDigit(AppState& app, PlayInput& input, int16_t digit);
// The rules pages turn the link display off.
void clearLinkDisplay(AppState& app, PlayInput& input);

// The digit Tab moves on to: the one after `selectedDigit`, 1..6 round (1 after 0 or 6).
int16_t nextDigit(int16_t selectedDigit);
/*
 * A digit chosen with a key: stored and counted as applyDigitSelection does;
 * a redraw is requested only when the digit changed. True when the digit or
 * the link display changed (the cursor is then chosen again).
 */
bool selectDigitByKey(AppState& app, PlayInput& input, int16_t digit);

// ---------------------------------------------------------------- cursor choice

constexpr int16_t kCursorHourglass = 7;
constexpr int16_t kCursorArrow = 8;
constexpr int16_t kCursorHexagon = 9;
constexpr int16_t kCursorBurst = 10;

// First rule that applies: busy, Rules mode, overHexagon, eraseAnimation, the selected digit 0..6.
int16_t chooseCursor(const AppState& app, const PlayInput& input);
