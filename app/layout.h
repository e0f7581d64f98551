// The window layout: window size, drawing origin, scroll arrows and the window's shape, from the grid's extent.
#pragma once

#include <cstdint>
#include <vector>

#include "app/app_state.h"
#include "puzzle/grid.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"
#include "render/scroll_arrow.h"
#include "ui/command_bar.h"

/*
 * All lengths are pixels. The constants below (the grid area's left edge, the
 * caption strip, the panel part of the shape, the rooms and reserves) are
 * 96-dpi pixels: the layout scales them with scaledPx to the screen's
 * resolution (app.geometry.dpi); the grid's cells are already at that scale
 * (screenCellSize). The screens' edges are what they measure. Client coordinates have their origin at the top-left
 * of the client area, y downward; window coordinates add the frame (frameX,
 * frameY), i.e. they start at the window's outer corner. Grid coordinates are
 * relative to the drawing origin, y upward: a grid point (x, y) is the client
 * point (originX + x, originY - y).
 *
 * The window is never made smaller than the grid: when the grid does not fit
 * on the part of its monitor right of and below the window's corner, the window
 * extends past the monitor's edge and the scroll arrows, placed at the edge of the
 * visible part, bring the hidden part into view.
 */

constexpr int16_t kGridLeft = kPanelX + 40;         // client x where the grid area begins
constexpr int16_t kScreenBottomReserve = 30;        // kept free for the task bar
constexpr int16_t kShapeCaptionWidth = 110;         // visible start of the caption
constexpr int16_t kPanelShapeWidth = 50;            // the command bar panel, panelX - 10 .. panelX + 40
constexpr int16_t kPanelPlacementMargin = 15;       // below the panel part, in the window height
// A screen not measured yet (size 0 or less) is taken as this one.
constexpr int16_t kFallbackScreenWidth = 1024;
constexpr int16_t kFallbackScreenHeight = 768;
/*
 * The layout computes with at least this much of the window right of its
 * corner and below it on the screen (less only on a smaller screen), so that
 * the scroll arrows stay inside the grid area wherever the player parked the
 * window. A position is brought back onto a screen at start-up only (see
 * placeOnMonitors), with the same room right of and below the corner.
 */
constexpr int16_t kMinVisibleWidth = 240;
constexpr int16_t kMinVisibleHeight = 240;
constexpr int16_t kMinAvailableWidth = kGridLeft + 40;
constexpr int16_t kMinAvailableHeight = 60;
/*
 * The caption strip the player takes the window by, in screen pixels from the
 * window's corner (its visible start is kPanelX - 20 right of the frame), and
 * how much of it one monitor must hold for the player to reach it.
 */
constexpr int16_t kCaptionStripOffset = kPanelX - 20;
constexpr int16_t kCaptionStripTall = 20;
constexpr int16_t kCaptionGrabWidth = 40;
constexpr int16_t kCaptionGrabHeight = 8;

// A rectangle as regions take it: left and top included, right and bottom excluded.
struct ShapeRect {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
};

struct ShapePoint {
    int16_t x = 0;
    int16_t y = 0;
};

// A closed polygon filled by the alternate (even-odd) rule.
struct ShapePolygon {
    std::vector<ShapePoint> points;
};

// A disc given by its bounding square, as an elliptic region takes it.
struct ShapeDisc {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
};

/*
 * The visible part of the window, in window coordinates: the union of the
 * caption strip, the command bar panel and the grid part. The grid part is the
 * union of the hexagons, the discs and the arrow triangles, cut to gridClip.
 * present = 0 means no shape at all: the whole rectangular window shows.
 */
struct WindowShape {
    bool present = false;
    ShapeRect caption;
    ShapeRect panel;
    std::vector<ShapePolygon> hexagons;
    std::vector<ShapeDisc> discs;
    std::vector<ShapePolygon> arrowTriangles;
    ShapeRect gridClip;
};

struct WindowLayout {
    int16_t frameX = 0;
    int16_t frameY = 0;
    int16_t dpi = kReferenceDpi;   // the resolution the layout was made at (app.geometry.dpi)
    int16_t panelX = kPanelX;      // kPanelX scaled
    int16_t gridLeft = kGridLeft;  // kGridLeft scaled
    // The grid's extent in millimetres as last measured; -20..20 until a grid with groups is measured.
    GridExtents extentsMm{-20, 20, -20, 20};
    // The same in pixels, as lengths.
    int16_t extentLeft = 0;
    int16_t extentRight = 0;
    int16_t extentUp = 0;
    int16_t extentDown = 0;
    int16_t gridWidth = 0;
    int16_t gridHeight = 0;
    int16_t originBaseX = 0;  // the drawing origin with no scrolling
    int16_t originBaseY = 0;
    int16_t originX = 0;      // the drawing origin, scrolling included (client)
    int16_t originY = 0;
    int16_t windowWidth = 0;
    int16_t layoutHeight = 0;
    int16_t screenWidth = 0;  // the screen size the layout used
    int16_t screenHeight = 0;
    ShapeRect monitorArea;    // the work area it measured the room against: the window's monitor's
    int16_t windowLeft = 0;   // the window position the layout used
    int16_t windowTop = 0;
    int16_t availableWidth = 0;
    int16_t availableHeight = 0;
    int16_t overflowX = 0;
    int16_t overflowY = 0;
    float panXMin = 0;  // panX runs from panXMin to 0
    float panYMax = 0;  // panY runs from 0 to panYMax
    int16_t cellSize = 0;
    ScrollArrow arrows[kArrowCount];
    int16_t barBottom = 0;
    int16_t panelBottom = 0;      // the bottom of the panel behind the bar, barBottom + 10 at 96 dpi (client)
    int16_t panelPartHeight = 0;  // frameY + panelBottom: the panel part of the shape, from the window top
    // The placement: outer size of the window (its position is the AppState's windowLeft, windowTop).
    int16_t placedWidth = 0;
    int16_t placedHeight = 0;
    WindowShape shape;
};

// Back to the start values: start-up extents, arrows hidden, no shape.
void resetWindowLayout(WindowLayout& layout);

/*
 * The whole layout of the current grid, run when app.view.layoutValid is 0. Reads
 * the measured frame (app.geometry.frameX, frameY), the screen size, the window
 * position, the scale and the scrolling from app; measures the extent of the
 * grid (prepared by whatever loaded or resized it) on the surface; clamps panX
 * and panY; puts the surface's origin and reference point on the grid's
 * drawing origin; places the arrows; builds the shape; writes the window size
 * into app.geometry.windowWidth and windowHeight;
 * sets app.view.layoutValid. The window stays where it is: a window parked near
 * or past the screen's edge keeps its position, and the arithmetic takes at
 * least kMinAvailableWidth x kMinAvailableHeight as on the screen. In Rules
 * mode the window is rectangular (no shape, no arrows) and of the Rules size.
 */
void computeLayout(AppState& app, WindowLayout& layout, DrawSurface& surface);

/*
 * Start-up only: a window position whose caption strip no monitor holds
 * (kCaptionGrabWidth x kCaptionGrabHeight of it on one work area) is brought
 * onto the nearest monitor, with kMinVisibleWidth x kMinVisibleHeight of the
 * window on it and the task bar's reserve below; any other position, on any
 * monitor, stays. `monitors` are the work areas in screen coordinates; an empty
 * list stands for one screen of app.geometry.screenWidth x screenHeight (the fallback
 * size when not measured). True when the position was changed.
 */
bool placeOnMonitors(AppState& app, const std::vector<ShapeRect>& monitors);
/*
 * The work area of the monitor the window is on: the one that holds most of
 * its caption strip, else the nearest; without a list of monitors, the screen
 * from (0, 0).
 */
ShapeRect windowMonitorArea(const WindowGeometry& geometry);
// The caption strip of a window whose corner is at (left, top), in screen coordinates, at a resolution.
ShapeRect captionStripAt(int left, int top, int16_t dpi);

// The steps of computeLayout, usable alone once the values they read are set.
/*
 * The screen size (measured, else the fallback), the window position and the
 * work area of the window's monitor (measured, else the screen from (0, 0))
 * the arithmetic uses; the window stays.
 */
void readScreenAndPosition(const AppState& app, WindowLayout& layout);
// Pixel extents, sizes, available space and overflows from extentsMm, the frame, gridLeft and the screen fields.
void measureGridArea(WindowLayout& layout, const DrawSurface& surface);
void clampScrolling(AppState& app, WindowLayout& layout);
void placeDrawingOrigin(const AppState& app, WindowLayout& layout, DrawSurface& surface);
void placeArrows(WindowLayout& layout);
void buildWindowShape(const Grid& g, WindowLayout& layout);
void computePlacement(AppState& app, WindowLayout& layout);

// All four arrows hidden (entering Rules mode).
void hideArrows(WindowLayout& layout);
bool anyArrowShown(const WindowLayout& layout);

// Client position of a grid point.
ShapePoint clientPointOfGrid(const WindowLayout& layout, PixelPoint p);

/*
 * Whether a client point lies where the grid is shown: inside the grid area
 * (right of the command bar panel, within the grid's width and height). Cells
 * scrolled under the panel or past the area are not drawn and take no click,
 * corner press or hover.
 */
bool gridAreaContains(const WindowLayout& layout, int x, int y);

// Whether a window point is inside the shape (for tests and diagnostics; an absent shape contains everything).
bool shapeContains(const WindowShape& shape, int x, int y);

/*
 * Scrolling by one cell size: right arrow panX - 1, left arrow panX + 1, top
 * arrow panY - 1, bottom arrow panY + 1; the layout must be recomputed (its
 * clamping keeps the offset in range) and the window redrawn.
 */
void scrollByArrow(AppState& app, ArrowSide side);
// Commands 2..5: the left, right, top and bottom arrow. False (nothing done) for any other number.
bool runScrollCommand(AppState& app, int16_t command);
// The arrow a scroll command stands for; false for a number outside 2..5.
bool arrowOfCommand(int16_t command, ArrowSide& side);

/*
 * Whether cell i of the grid shows whole in the visible part of the grid area
 * (right of the bar's panel, on the screen); when it does not, `side` is the
 * arrow whose step brings it nearer: right or left first, then top or bottom.
 */
bool arrowTowardCell(const WindowLayout& layout, const Grid& grid, int16_t i, ArrowSide& side);

// The shown arrows whose rectangle (edges included) contains the client point, in the order right, left, top, bottom.
std::vector<ArrowSide> arrowsAt(const WindowLayout& layout, int x, int y);
// A click at a client point: every arrow of arrowsAt scrolls. Returns how many did.
int clickArrows(AppState& app, const WindowLayout& layout, int x, int y);

const char* arrowSideName(ArrowSide side);
