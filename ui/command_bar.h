// The command bar: its rows, controls, number selector, labels in two languages and enabling rules.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "ui/screen.h"

/*
 * The rows of the bar, in client pixels, built from the top down with a
 * running bottom. Grid buttons exist only when the collection offers more than
 * one grid (without them every row from the level text down is 100 pixels
 * higher); the chronometer field only while the clock display is on. The
 * numbers below are those of a 96-dpi screen; at another resolution every row
 * and every column is the 96-dpi one scaled by scaledPx.
 */
struct BarLayout {
    uint8_t gridButtons = 1;
    uint8_t chronoField = 1;
    int16_t dpi = kReferenceDpi;  // the resolution every number of the layout is scaled to
    int16_t versionRow = 10;     // the version text
    int16_t languageTop = 20;    // "FR/EN"
    int16_t gridRowTop = 40;     // "Gr1" (the "*" marker is at gridRowTop + n x gridRowStep - starRise)
    int16_t levelRow = 150;      // "Niv." text
    int16_t sizeRowTop = 160;    // "-" and "+"
    int16_t rulesTop = 180;      // "?"
    int16_t infoTop = 200;       // "I"
    int16_t cellFieldTop = 230;  // cell-information field
    int16_t undoRowTop = 250;    // "<" and ">"
    int16_t digitRow = 282;      // the selected digit's text
    int16_t selectorTop = 290;   // number selector, centre at (centreX, selectorTop + selector radius)
    int16_t eraseTop = 350;      // "0"
    int16_t chronoTop = 375;     // chronometer field
    int16_t fixedTop = 395;      // "F"
    int16_t pauseTop = 415;      // "P"
    int16_t saveTop = 435;       // "S"
    int16_t exitTop = 465;       // "X"
    int16_t barBottom = 485;
    // The panel behind the bar: Rectangle(panelLeft, 0, panelRight, panelBottom), right and bottom excluded.
    int16_t panelLeft = 30;
    int16_t panelRight = 80;
    int16_t panelBottom = 495;
    int16_t centreX = 55;       // the column's centre line
    int16_t starX = 75;         // the "*" beside the current grid button
    int16_t gridRowStep = 20;   // from one grid button to the next
    int16_t starRise = 8;       // the "*" sits this much above its button's bottom
    int16_t textHeight = 16;    // the panel's texts
    int16_t digitHeight = 24;   // the selected digit
};

// 96-dpi reference numbers of the bar's column; a layout holds them scaled.
constexpr int16_t kPanelX = 40;         // reference x of the panel behind the bar
constexpr int16_t kBarCentreX = 55;     // the column's centre line
constexpr int16_t kSelectorRadius = 30;

// The rows and columns of the bar at a resolution (kReferenceDpi gives the 96-dpi numbers above).
BarLayout computeBarLayout(bool gridButtons, bool chronoField, int16_t dpi);

// Command numbers of the bar's controls (the control identifiers of the buttons).
enum CommandId : int16_t {
    CmdScrollLeft = 2,   // panX + 1 (the left arrow)
    CmdScrollRight = 3,  // panX - 1 (the right arrow)
    CmdScrollUp = 4,     // panY - 1 (the top arrow)
    CmdScrollDown = 5,   // panY + 1 (the bottom arrow)
    CmdUndo = 8,
    CmdRedo = 9,
    CmdBigger = 10,
    CmdInformation = 12,
    CmdErase = 13,
    CmdSelectDigit1 = 14,  // 14..19 select digit 1..6 (tooltips of the selector only)
    CmdDigit1 = 14,
    CmdDigit6 = 19,
    CmdPause = 20,
    CmdSmaller = 21,
    CmdExit = 22,
    CmdReturnToGrid = 23,
    CmdRules = 24,
    CmdGameRules = 24,
    CmdPreviousPage = 25,
    CmdNextPage = 26,
    CmdFixedNumbers = 27,
    CmdFieldId = 28,  // both text fields; no command
    CmdSave = 29,
    CmdGrid5 = 30,  // 30..34 load grid 5, 2, 4, 3, 1
    CmdGrid2 = 31,
    CmdGrid4 = 32,
    CmdGrid3 = 33,
    CmdGrid1 = 34,
    CmdLanguage = 36,
    CmdNewGrid = 37,  // no control: the N key
    CmdHint = 38,     // no control: the H key
};

// The grid number that a grid button's command loads (0 for any other command).
int16_t gridNumberOfCommand(int16_t command);
// The command of the grid button of grid number n (1..5; 0 otherwise).
int16_t commandOfGridNumber(int16_t n);

/*
 * What a control is for. The enabling rules and the show/hide rules speak of
 * roles rather than command numbers because the two text fields share one
 * identifier.
 */
enum BarRole : uint8_t {
    RoleLanguage,
    RoleGrid,
    RoleSmaller,
    RoleBigger,
    RoleRules,
    RoleInformation,
    RoleCellField,
    RoleUndo,
    RoleRedo,
    RoleErase,
    RoleChronoField,
    RoleFixedNumbers,
    RolePause,
    RoleSave,
    RoleExit,
    RoleReturnToGrid,
    RolePreviousPage,
    RoleNextPage,
    RoleCount
};

enum ControlKind : uint8_t { KindButton = 0, KindStatic = 1 };

// One child control of the main window: class, identifier, caption and rectangle.
struct BarControl {
    ControlKind kind = KindButton;
    BarRole role = RoleLanguage;
    int16_t command = 0;  // the control identifier (28 for both text fields)
    const char* caption = "";
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 0;
    int16_t height = 0;
    uint8_t border = 1;
};

/*
 * Every control in creation order: the bar from the top down (grid buttons
 * only when the layout has them, the chronometer field only when it has it),
 * then the three Rules-mode buttons. The bar's controls are placed at the
 * layout's resolution, each edge scaled on its own so that controls side by
 * side at 96 dpi stay side by side; the Rules-mode buttons belong to the rules
 * page and are scaled the same way, as the page is, so they keep their places
 * on it.
 */
std::vector<BarControl> barControls(const BarLayout& layout);

// --- labels ---

// A tooltip text of one command (without the two spaces the tooltip set adds).
struct CommandLabel {
    int16_t command = 0;
    TextString text;
};

constexpr uint8_t kLanguageFrench = 0;
constexpr uint8_t kLanguageEnglish = 1;

/*
 * The labels to store for a screen mode and a language (0 French, anything
 * else English): in Rules mode only Return to the grid, Previous page and
 * Next page; otherwise every other command's label. French texts are
 * Windows-1252 bytes.
 */
std::vector<CommandLabel> labelsFor(ScreenMode mode, uint8_t language);
// The label of one command in a language, whatever the mode; empty for a command without one.
TextString labelOf(int16_t command, uint8_t language);

// --- enabling rules ---

// What the refresh reads from the application state.
struct BarStateInputs {
    ScreenMode mode = ScreenMode::None;
    int16_t scale = 40;
    int16_t rulesPage = 1;
    int16_t undoCursor = 0;
    int16_t undoCount = 0;
};

/*
 * What the previous refresh saw. The full set of rules is applied only when
 * one of these changed (or on a forced refresh); `valid` is 0 before the first
 * refresh, so the first one always applies the full set.
 */
struct BarRefreshMemory {
    uint8_t valid = 0;
    uint8_t notRules = 0;
    uint8_t play = 0;
    int16_t rulesPage = 0;
};

/*
 * The result of one refresh, per role. touchEnabled / touchShown say whether
 * the refresh sets that property at all; enabled / shown give the value.
 * Undo and Re-do are set on every refresh; the rest only when fullSet is 1.
 */
struct BarStateDecision {
    uint8_t fullSet = 0;
    uint8_t touchEnabled[RoleCount] = {};
    uint8_t enabled[RoleCount] = {};
    uint8_t touchShown[RoleCount] = {};
    uint8_t shown[RoleCount] = {};
};

// Decides the refresh and records what it saw in `last`.
BarStateDecision decideBarState(const BarStateInputs& in, bool forced, BarRefreshMemory& last);

/*
 * What "show bar" does with a control: the Rules-mode buttons are always
 * hidden; the chronometer field follows the show command only while the clock
 * display is on, the grid buttons only when there is more than one grid;
 * every other control follows the show command.
 */
enum ShowBarAction : uint8_t { ShowBarLeave = 0, ShowBarApply = 1, ShowBarHide = 2 };
ShowBarAction showBarAction(BarRole role, bool chronoEnabled, int16_t gridCount);

// --- number selector ---

struct SelectorPoint {
    int16_t x = 0;
    int16_t y = 0;
};

/*
 * The hexagon of six triangles from which a digit is picked. Triangle k runs
 * from the centre to direction k and direction k+1 (x right, y added to the
 * centre as it stands); its reference point is its centroid with y taken
 * upward. The outer points are built the same way at twice the radius and only
 * serve to refuse clicks nearer to them than to any inner point.
 */
struct NumberSelector {
    uint8_t computed = 0;
    int16_t radius = kSelectorRadius;  // kSelectorRadius scaled to the resolution
    SelectorPoint centre;
    SelectorPoint direction[6];  // the fan's vectors at the radius, A..F
    SelectorPoint outline[6][4];
    SelectorPoint inner[6];
    SelectorPoint outer[6];
};

/*
 * Computes the geometry for the selector's row top, in client pixels at the
 * resolution: radius kSelectorRadius and centre (kBarCentreX, top + radius),
 * the 96-dpi numbers scaled (at 96 dpi the centre is (55, top + 30)).
 */
void computeSelector(NumberSelector& selector, int16_t top, int16_t dpi);
// The digit of triangle k: 7 - k wrapped into 1..6 (1, 6, 5, 4, 3, 2 for k = 0..5).
int16_t selectorDigit(int k);
// The triangle whose label is digit d (1..6), -1 for any other value.
int selectorTriangleOfDigit(int16_t digit);
/*
 * The digit under a client point: the nearest of the twelve reference points
 * (inner 0..5, then outer 0..5) by |dx| + |dy|, the first winning a tie; a
 * digit only if that point is an inner one at most the radius away, else 0. A selector
 * not computed yet hits nothing.
 */
int16_t hitTestSelector(const NumberSelector& selector, int x, int y);
