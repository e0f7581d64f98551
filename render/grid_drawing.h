// Drawing one grid on a surface: palette, the grid's view, extents, and what the background and foreground passes draw.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "puzzle/grid.h"
#include "render/display_scale.h"
#include "render/draw_surface.h"
#include "render/scroll_arrow.h"

// Colours are GDI colour values (0x00BBGGRR).
constexpr uint32_t rgbColour(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

/*
 * The drawing colours: they never change, and are kept as one constant record
 * so the drawing reads them from one place.
 */
struct Palette {
    uint32_t givenInk = rgbColour(0, 0, 0);
    uint32_t playerInk = rgbColour(255, 0, 255);
    uint32_t ground = rgbColour(255, 255, 153);
    uint32_t outline = rgbColour(0, 0, 255);
    uint32_t hole = rgbColour(153, 153, 255);
    uint32_t accent = rgbColour(0, 0, 255);
    uint32_t arrow = rgbColour(204, 204, 204);
};
inline constexpr Palette palette{};

constexpr uint32_t kCandidateInk = rgbColour(0, 0, 255);
constexpr uint32_t kActiveArrowColour = rgbColour(255, 0, 0);
constexpr uint32_t kLinkColour = rgbColour(0, 255, 0);
constexpr uint32_t kPageColour = rgbColour(0, 255, 255);
constexpr uint32_t kHintOutlineColour = rgbColour(0, 160, 0);
/*
 * The keyboard's cell cursor: a black triangle just inside the cell's edges.
 * Black shows on the ground, a hole's colour and the hint's green alike, and
 * a line inside the cell is never taken for the hint's outline (on the edges)
 * or a marked hexagon.
 */
constexpr uint32_t kCellCursorColour = rgbColour(0, 0, 0);
/*
 * What a hint names besides its cell: the hexagon of a hidden single in the
 * outline's green, the cells whose digits a reason names ringed in orange,
 * the cells of a subset outlined in violet inside their edges.
 */
constexpr uint32_t kWitnessColour = rgbColour(255, 128, 0);
constexpr uint32_t kSubsetColour = rgbColour(144, 0, 255);

/*
 * How a grid is drawn, besides what its own record holds: the scale it is
 * shown at (its cells are sized to it), the digit height that follows from
 * it, and the turn of the digits (never anything but 0 on screen).
 */
struct GridView {
    int16_t sizePx = 15;
    int16_t digitHeight = 10;
    int16_t rotation = 0;  // degrees
    int16_t dpi = kReferenceDpi;  // the screen's resolution: the pens and dots not sized by the cells follow it
};
// The view of a grid whose cells are sizePx pixels on a screen of dpi: digitHeight = trunc(0.55 x sizePx).
GridView gridViewAt(int16_t sizePx, int16_t dpi = kReferenceDpi);
// The reference point onto the surface's origin (moveToMm(0, 0)).
void placeOnSurface(DrawSurface& s);

// The grid's extent in millimetres from its drawing origin (lengths, each a whole number of millimetres).
struct GridExtents {
    int16_t left = 0;
    int16_t right = 0;
    int16_t down = 0;
    int16_t up = 0;
};
GridExtents measureExtents(const Grid& g, const DrawSurface& s);

// Candidate font and vertical shift for cells of `scale` pixels: height, width, shift (scale / 8, rounded).
struct CandidateFont {
    int16_t height = 0;
    int16_t width = 0;
    int16_t shift = 0;
};
CandidateFont candidateFontFor(int16_t scale);
// The width of the outer boundary pen: sizePx / 12 + 1.
inline int16_t outerBoundaryWidth(const GridView& v) { return static_cast<int16_t>(v.sizePx / 12 + 1); }
// The pen-width unit of cell outlines and dots: max(1, sizePx / 40).
inline int16_t penUnit(const GridView& v) { return static_cast<int16_t>(v.sizePx / 40 > 1 ? v.sizePx / 40 : 1); }
// The links' pen and the radius of their dots: 1 and 4 pixels at 96 dpi, scaled with the screen.
inline int16_t linkPen(const GridView& v) { return scaledPx(1, v.dpi); }
inline int16_t linkDotRadius(const GridView& v) { return scaledPx(4, v.dpi); }

/*
 * What the foreground pass needs from the shell besides the grid: the link
 * display (six 6s in a row), whether the rules are shown, the cell a hint is
 * about (outlined in green three pen units wide, over the lines; 0 for none),
 * the scroll arrows in client coordinates (drawn by pairs: a pair with a shown
 * arrow is drawn whole, the shown one in red and its partner grey), and the
 * box the paint is limited to.
 */
struct BoundaryLines;

/*
 * A rectangle of device pixels, right and bottom excluded. A box that is not
 * `limited` stands for the whole surface.
 */
struct DeviceBox {
    bool limited = false;
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
    bool operator==(const DeviceBox&) const = default;
};
// Whether the pixels left..right, top..bottom (edges included) meet the box.
inline bool meets(const DeviceBox& box, int left, int top, int right, int bottom) {
    return !box.limited || (left < box.right && right >= box.left && top < box.bottom && bottom >= box.top);
}

/*
 * Where a cell's digit puts ink on the device, relative to the cell's centre
 * (right and bottom excluded), as measured with the digit font of one scale.
 * A record of scale 0 is unmeasured: the cell's whole triangle stands for it.
 * Under Wine one digit costs about a tenth of a click's paint; with its ink
 * box, a paint of one placed digit draws that digit alone, not the three
 * neighbours whose triangles' boxes reach into its own.
 */
struct DigitInk {
    int16_t scale = 0;
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
};

struct ForegroundView {
    bool linkDisplay = false;
    bool rulesShown = false;
    int16_t outlinedCell = 0;
    int16_t hintHexagon = 0;            // the hexagon a hint names (1..hexagonCount, 0 for none)
    std::vector<int16_t> witnessCells;  // the cells whose digits a hint's reasons name
    std::vector<int16_t> subsetCells;   // the cells of the subsets a hint's steps use
    std::vector<int16_t> struckCells;   // more cells outlined like outlinedCell (a hint's first steps strike them)
    int16_t cursorCell = 0;  // the keyboard's cell cursor (0 for none)
    ScrollArrow arrows[kArrowCount];
    /*
     * Only what meets this box is drawn (the DC is clipped to it by the
     * caller): a paint of one changed cell draws that cell and its neighbours'
     * items that reach into its box, not the whole grid.
     */
    DeviceBox only;
    // The grid's boundary lines if the caller keeps them (else they are worked out from the grid).
    const BoundaryLines* boundaries = nullptr;
    // The digits' ink at the view's scale, if measured: a digit is drawn only where its ink meets the box.
    DigitInk digitInk;
};

/*
 * One item of a picture: what it is, which one (a cell, a mark's rank, an
 * arrow), what it shows, and the device box its ink stays in. The foreground
 * pass draws a grid's items and nothing else, so the list of a picture's
 * items is what the window shows; two lists compared item by item give the
 * boxes to paint again. The grid's kinds come first; the others are drawn
 * over the grid by the window's paint.
 */
enum class ItemKind : uint8_t {
    Digit,        // a cell's digit: its character and ink
    Notes,        // an empty cell's pencil marks
    Links,        // a cell's links to its touching cells of lower number (the link display)
    LinkedLines,  // the centre dots and boundary lines drawn again over the links (the whole surface)
    Outline,      // the hint's outline around its cell (key 0), or around a cell its first steps strike (key: the cell)
    HintHexagon,  // the hexagon a hint names
    SubsetCell,   // a cell of a subset a hint's step uses
    Witness,      // a cell whose digit a hint's reason names
    CellCursor,   // the keyboard's cell cursor
    Arrow,        // a scroll arrow
    Mark,         // a marked hexagon (key: its rank, 0 the newest)
    PanelFrame,   // the command bar's panel: its rectangle ...
    Version,      // ... and its texts: the version,
    GridStar,     // the "*" at the button of the grid in play,
    Level,        // the level,
    ChosenDigit,  // the selected digit,
    Selector,     // and the number selector with the selected digit in its ink
    RulesPage,    // a rules page (the whole surface)
};

struct PictureItem {
    ItemKind kind = ItemKind::Digit;
    int16_t key = 0;        // the cell, the rank or the arrow; 0 for an item of which there is one
    uint64_t content = 0;   // what it shows: equal contents draw equal pixels in an equal box
    DeviceBox box;          // where its ink stays (a box that is not limited: anywhere)
    bool operator==(const PictureItem&) const = default;
};

/*
 * The items of a grid's foreground pass, in the order the pass draws them:
 * the cell cursor, every cell's digit, then its notes (or, with the link
 * display, its links), the lines again over the links, the hint's outline,
 * its hexagon, subset cells and witnesses, and the scroll arrows. Boxes are device pixels for a reference point at (refX, refY); a digit's
 * box is its measured ink (shell.digitInk at the view's scale) or, unmeasured,
 * its cell's.
 */
void foregroundItems(const Grid& g, const GridView& view, int refX, int refY, const ForegroundView& shell,
                     std::vector<PictureItem>& out);
/*
 * The cell cursor's triangle: cell i's corners moved toward its centre so
 * that each side runs `inset` pixels inside the cell's own (the first corner
 * again at the end).
 */
std::array<PixelPoint, 4> cellCursorOutline(const Grid& g, int16_t i, int inset);
// How far inside its cell's edges the cursor runs, and its pen: clear of the hint's outline, thicker with the scale.
int16_t cellCursorInset(const GridView& view);
int16_t cellCursorPen(const GridView& view);
// The device box of cell i's cursor: its triangle and the pen's corners.
DeviceBox cellCursorBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i);
// The device box of cell i: its triangle widened by the outer boundary's width and a margin of 3 pixels.
DeviceBox cellItemBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i);
// The device box of cell i's digit: its ink when measured at the view's scale, else its cell's box.
DeviceBox digitItemBox(const Grid& g, const GridView& view, int refX, int refY, const DigitInk& ink, int16_t i);
// The ring around a witness's digit: its radius, and its pen (that of the subsets' outlines too).
int16_t witnessRadius(const GridView& view);
int16_t hintMarkPen(const GridView& view);
// The device boxes of a hint's hexagon (its number) and of a witness's ring.
DeviceBox hintHexagonBox(const Grid& g, const GridView& view, int refX, int refY, int16_t hexagon);
DeviceBox witnessBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i);
// The box of a scroll arrow (client pixels): its triangle and its rectangle, and 2 pixels for the pen.
DeviceBox arrowItemBox(const ScrollArrow& arrow);
// Whether the ink of an item in `box` meets the paint's box `only` (a box that is not limited meets everything).
bool boxesMeet(const DeviceBox& only, const DeviceBox& box);

/*
 * What the two passes draw where, worked out without GDI. Every position is
 * relative to the reference point, y upward, in the grid's lattice pixels.
 */

// The digit font: digitHeight high, half as wide.
struct DigitFont {
    int16_t height = 0;
    int16_t width = 0;
};
DigitFont digitFontFor(const GridView& v);

// The pixel centre of cell i (from the names while positions are not computed yet).
PixelPoint cellCentre(const Grid& g, int16_t i);

// The digit a cell shows and its ink: character 0 for an empty cell.
struct DigitMark {
    char character = 0;
    uint32_t colour = 0;
};
DigitMark digitMarkOf(const Grid& g, int16_t i);

/*
 * The pencil marks of an empty cell: for every note k set, the character '0' + k
 * at the note's position raised by the scale's shift. The point is the top of
 * the character (no centring offset). A cell holding a digit has none.
 */
struct CandidateMark {
    char character = 0;
    int16_t x = 0;
    int16_t y = 0;
};
int candidateMarksOf(const Grid& g, int16_t i, int16_t scale, CandidateMark out[6]);

// The triangle of a cell code: P, P + A, P + B (AB) or P + F (AF), P.
std::array<PixelPoint, 4> cellNameOutline(const Grid& g, TextRef cellName);

// An edge line "P:XYZ": from P to the point of the text with its first colon removed.
struct LineEnds {
    PixelPoint from;
    PixelPoint to;
};
LineEnds edgeLineEnds(const Grid& g, TextRef edge);
// Every inner and outer boundary line of a grid with its ends, worked out once per layout for the paints.
struct BoundaryLines {
    std::vector<LineEnds> inner;
    std::vector<LineEnds> outer;
};
BoundaryLines boundaryLinesOf(const Grid& g);

// Radius of the hexagon centre dots: 10/600 inch in device pixels, rounded to nearest.
int16_t centreDotRadius(const DrawSurface& s);

/*
 * The lattice point of a marked hexagon: `index` is a position in the grid's
 * cornerPoints (the number the highlights store). False when no such entry.
 */
bool markHexagonPoint(const Grid& g, int16_t index, PixelPoint& point);

/*
 * The scroll arrows the foreground draws: arrows go by pairs (right/left,
 * top/bottom); a pair with a shown arrow is drawn whole, the shown ones red
 * and a partner that is not shown in the arrow grey.
 */
struct ArrowPaint {
    bool drawn = false;
    uint32_t colour = 0;
};
void arrowPaintsOf(const ForegroundView& view, ArrowPaint out[kArrowCount]);
// An arrow's triangle (client pixels) as a closed four-point polygon relative to the reference point.
std::array<PixelPoint, 4> arrowPolygon(const ScrollArrow& arrow, const DrawSurface& s);
