// The game's record of modes, settings, boards and flags (held by a Session), and the small operations on it.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "content/new_grid.h"
#include "content/rules_pages.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/screen.h"

constexpr int16_t kBoardCount = 2;  // the grid in play, and the empty one of the rules pages
constexpr int16_t kRulesPageFirst = kFirstRulesPage;
constexpr int16_t kRulesPageLast = kLastRulesPage;
constexpr int16_t kVersionMajor = 3;
constexpr int16_t kVersionMinor = 6;
constexpr int16_t kStartWindowLeft = 60;
constexpr int16_t kStartWindowTop = 60;

// What one move of the player did: a digit put into a cell or taken out, a note set or cleared.
enum class MoveKind : uint8_t {
    Place,    // the digit went into the cell
    Erase,    // the digit was taken out of the cell
    NoteOn,   // the note of the digit was set
    NoteOff,  // the note of the digit was cleared
};

struct Move {
    MoveKind kind = MoveKind::Place;
    int16_t digit = 0;
    int16_t cell = 0;
    bool operator==(const Move&) const = default;
};

/*
 * The move list of the grid being played, oldest first, and the number of
 * moves done (the cursor, 0..size); the moves after it can be re-done. It is
 * never saved: a load starts it empty.
 */
struct UndoHistory {
    std::vector<Move> moves;
    int16_t cursor = 0;
};

// How many moves the history holds (never near 32767: a grid has a few hundred cells, and old erasures go
// with the placements they undid).
int16_t moveCount(const UndoHistory& history);

/*
 * The play state parked while the rules pages are shown: the grid's per-cell
 * state string and its move history with the cursor, put back on the return.
 */
struct ParkedGame {
    TextString playText;
    UndoHistory history;
};

/*
 * The new grid, grid number 6: kept once made (or read from the settings),
 * remade from its request whenever it is loaded and `made` holds another
 * one. A request the player has just chosen waits in `asked` (with `pending`
 * set) until the shell has put up the splash and the hourglass.
 */
struct NewGridSlot {
    bool kept = false;
    NewGridRequest request;
    NewGrid made;
    bool pending = false;
    NewGridRequest asked;
};

// What is played: the boards, the grid in play with its moves and marks, and the games kept for later.
/*
 * What the last hint shows on the board while the player reads it: the cell
 * it fills (outlined; 0 when no hint is shown), the hexagon of a hidden
 * single (its number, 1..hexagonCount; 0 for none), the cells whose digits
 * the reasons name (witnesses), and the cells of the subsets its steps use.
 */
struct HintMarks {
    int16_t cell = 0;
    int16_t hexagon = 0;
    std::vector<int16_t> witnesses;
    std::vector<int16_t> subset;
    std::vector<int16_t> struck;  // first steps: the other cells they strike from, outlined like the cell
};

struct GameState {
    // Board 0 holds the grid in play; board 1 is the current grid in Rules mode (nothing is loaded into it).
    Grid grids[kBoardCount];
    int16_t currentGridSlot = 0;  // the board of the current grid
    int16_t gridNumber = 0;  // 1-based number of the grid being played; 0 = none
    int16_t gridCount = kOfferedGridCount;  // grid numbers the bar offers
    UndoHistory undoHistory;
    ParkedGame parked;
    // Position n holds the saved per-cell state string of grid number n (empty = none).
    TextList gridStates;
    NewGridSlot newGrid;
    // What the last hint names, shown on the board until the next click or load: its cell (0 = none),
    HintMarks hint;
    // The steps the hints showed toward a placement too long for one box; the next hint goes on from them.
    TaughtStrikes taught;
    int16_t selectedDigit = 1;  // 0 = erase
    int16_t currentCell = 1;
    int16_t clickedCell = 0;  // the cell of the last click on the grid in play (0: none since it was loaded)
    int16_t cursorCell = 0;   // the keyboard's cell cursor, outlined on the board (0: not shown)
    int16_t hexHighlights[3] = {0, 0, 0};  // corner-point numbers, newest first
    bool winPending = false;  // the last cell was filled: the win is announced after the next paint
};

// How the game is shown: the screen, the scale and scrolling, the language, and what the layout and paint await.
struct ViewState {
    ScreenMode screenMode = ScreenMode::None;
    int16_t scale = kScaleMin;
    int16_t rulesPage = kRulesPageFirst;
    float panX = 0;  // scroll offset in cell sizes
    float panY = 0;
    uint8_t language = 0;  // 0 French, 1 English
    bool candidateFill = false;
    bool layoutValid = false;        // the window layout is up to date (app/layout.h)
    bool scrollHintPending = true;  // the scrolling explanation is still to be shown, once
};

// A rectangle of the screen (right and bottom excluded); empty (right <= left) when not known.
struct ScreenArea {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
};

/*
 * Where the main window sits and how big it is, in screen pixels: its
 * position (kept in the settings), the screen, the size of each mode, and the
 * frame around its client area as the shell measured it.
 */
struct WindowGeometry {
    int16_t windowLeft = kStartWindowLeft;
    int16_t windowTop = kStartWindowTop;
    int16_t screenWidth = 0;  // 0 until measured
    int16_t screenHeight = 0;
    int16_t windowWidth = 980;
    int16_t windowHeight = 820;
    int16_t rulesWidth = 800;
    int16_t rulesHeight = 600;
    int16_t frameX = 0;
    int16_t frameY = 0;
    // The screen's resolution (pixels per inch), which the bar and the grid area's left edge are scaled to.
    int16_t dpi = kReferenceDpi;
    // The work areas of the monitors, as the shell measured them at start-up; none: one screen from (0, 0).
    std::vector<ScreenArea> monitors;
};

/*
 * The game's record, one per Session: the game, its view and the window's
 * geometry, the clocks, the settings file's name and what start-up has
 * allowed. It holds no window handle and nothing the window half writes:
 * the shell tells the session what it measures through events.
 *
 * The record owns everything it holds, its boards included: a copy shares
 * nothing with the original, and a fresh one is the state of a fresh process.
 * The boards are plain records until created (start-up creates both; the
 * loader creates a board it loads into).
 */
struct AppState {
    TextString windowTitle;
    TextString settingsPath;
    int16_t releaseNumber = kReleaseNumber;
    int16_t versionMajor = kVersionMajor;
    int16_t versionMinor = kVersionMinor;

    GameState game;
    ViewState view;
    WindowGeometry geometry;
    GridClocks clocks;  // the clock of every grid number, and the chronometer field
    // The player's own "usr" lines of the settings file, kept from the last load for every save.
    TextList keptUserLines;

    bool redrawPending = false;
    bool paintEnabled = false;  // start-up has finished (the clocks' field is written from then on)
    bool showAllowed = false;
    bool controlsAllowed = false;
    int16_t busyDepth = 0;
};


// Back to the start values (the state of a freshly started process).
void resetAppState(AppState& app);
// Creates both boards, as start-up does before anything is loaded.
void createBoards(AppState& app);
// The hint's marks gone from the board; true when some were shown (the picture changes).
bool clearHintMarks(GameState& game);
/*
 * What a hint shows on the board: its cell (none when nothing is left to
 * find), a hidden single's hexagon when it is a complete one, the cells its
 * reasons name for their digits, and the cells of its subsets (not the places
 * of a pointing step, which the text names as places for a digit).
 */
HintMarks hintMarksOf(const Hint& hint, const SolverModel& model);

// The current grid: board 1 in Rules mode, else board 0.
Grid& currentGrid(AppState& app);
const Grid& currentGrid(const AppState& app);

/*
 * The caption of the main window, "ORNEL 162": the title template filled with
 * the release number. It is also the base name of the settings file, so it
 * holds no character that a file name may not contain.
 */
TextString windowTitleText();
TextString buildWindowTitle(int16_t releaseNumber);
// The settings file of a title: the title followed by ".TXT".
TextString settingsPathFor(TextRef windowTitle);

void requestRedraw(AppState& app);

/*
 * Busy nesting. beginBusy returns true on the raise from 0 (the cursor becomes
 * the hourglass); endBusy returns true when the depth is back to 0 (the cursor
 * is recomputed). A depth driven below 0 by an unmatched end is reset to 0.
 */
bool beginBusy(AppState& app);
bool endBusy(AppState& app);

/*
 * Around every confirmation or information box: the clocks stop while the box
 * is open (its nested message loop still delivers timer ticks) and resume
 * after it; the win announcement stops them without resuming.
 */
void stopChronometers(AppState& app);
void resumeChronometers(AppState& app);

// The clocks (content/clocks.h) for the grid being played: app.game.gridNumber on board 0.
void updateClocks(AppState& app);
void setClocksMinimised(AppState& app, bool minimised);
// Writes app.clocks.fieldText when the time shown changed (only once start-up has finished).
bool updateTitleClock(AppState& app);

/*
 * Stores the mode and selects the current grid (board 1 for Rules, else board
 * 0). The window's part (the working surface and the drawing colours) is the
 * shell's, done after this.
 */
void setScreenMode(AppState& app, ScreenMode mode);

// What the command bar's refresh reads: the mode, the scale, the rules page and the history cursor.
BarStateInputs barStateInputs(const AppState& app);

// Outer size of the main window in the current mode.
void modeWindowSize(const AppState& app, int16_t& width, int16_t& height);

// Scale stored, kept within scaleMin..scaleMax; the layout must be recomputed.
void storeScale(AppState& app, int16_t value);
// storeScale, then the grid in play (board 0) is sized to screenCellSize and prepared again.
void applyScale(AppState& app, int16_t value);
/*
 * The display scale: the screen's resolution in dots per inch (the bar is laid
 * out along x, so it is the horizontal one; a screen has the same both ways),
 * and the Rules window's page at that scale. The grid's cells follow it
 * through screenCellSize.
 */
void setDisplayScale(AppState& app, int16_t dpi);
// The size of a cell on the screen, in pixels: the scale (written for 96 dpi) at the screen's resolution.
int16_t screenCellSize(const AppState& app);
// How the grid in play is drawn on the screen: cells of screenCellSize, pens and dots at the resolution.
GridView screenGridView(const AppState& app);

/*
 * The work after every handled message, in its portable part. It consumes a
 * pending redraw only when the message was for the main window and the program
 * is not moving its own window (`positioning`: else the request waits for a
 * later message), and it tracks the iconic state of the window.
 */
struct AfterMessage {
    bool invalidate = false;       // show what changed (only once the window may show)
    bool becameMinimised = false;  // the clocks must pause
    bool becameRestored = false;   // the clocks may resume
};
AfterMessage afterMessage(AppState& app, bool forMainWindow, bool iconic, bool positioning = false);

/*
 * Where a window of the given size goes to sit centred on an area, 20 pixels
 * above its centre, never at a negative coordinate (the splash window on the
 * screen at start-up, and on the main window when it is hidden).
 */
void centreAboveMiddle(int16_t areaLeft, int16_t areaTop, int16_t areaWidth, int16_t areaHeight,
                       int16_t width, int16_t height, int16_t& x, int16_t& y);
