// The window layout's arithmetic: sizes, scrolling limits, arrows, placement and the shape as lists.
#include "app/layout.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "puzzle/topology.h"

namespace {

int16_t clamp16(long v) {
    return static_cast<int16_t>(std::clamp<long>(v, INT16_MIN, INT16_MAX));
}

ShapeRect rectOfSize(long left, long top, long width, long height) {
    ShapeRect r;
    r.left = clamp16(left);
    r.top = clamp16(top);
    r.right = clamp16(left + width);
    r.bottom = clamp16(top + height);
    return r;
}

bool rectContains(const ShapeRect& r, int x, int y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Even-odd rule: a point is inside when a ray from it crosses the outline an odd number of times.
bool polygonContains(const ShapePolygon& polygon, int x, int y) {
    const std::vector<ShapePoint>& p = polygon.points;
    bool inside = false;
    const double px = x, py = y;
    for (size_t i = 0, j = p.size() ? p.size() - 1 : 0; i < p.size(); j = i++) {
        const double xi = p[i].x, yi = p[i].y, xj = p[j].x, yj = p[j].y;
        if ((yi > py) != (yj > py)) {
            const double crossX = xi + (py - yi) * (xj - xi) / (yj - yi);
            if (px < crossX) inside = !inside;
        }
    }
    return inside;
}

bool discContains(const ShapeDisc& d, int x, int y) {
    const double cx = (d.left + d.right) / 2.0, cy = (d.top + d.bottom) / 2.0;
    const double r = (d.right - d.left) / 2.0;
    const double dx = x - cx, dy = y - cy;
    return r > 0 && dx * dx + dy * dy <= r * r;
}

// A disc of the given diameter around a window point.
ShapeDisc discAround(long x, long y, long diameter) {
    ShapeDisc d;
    d.left = clamp16(x - diameter / 2);
    d.top = clamp16(y - diameter / 2);
    d.right = clamp16(d.left + diameter);
    d.bottom = clamp16(d.top + diameter);
    return d;
}

// A grid point in window coordinates.
ShapePoint windowPointOfGrid(const WindowLayout& layout, long x, long y) {
    ShapePoint p;
    p.x = clamp16(layout.frameX + layout.originX + x);
    p.y = clamp16(layout.frameY + layout.originY - y);
    return p;
}

ShapePolygon arrowTriangle(const WindowLayout& layout, ArrowSide side) {
    ShapePolygon t;
    const ScrollArrow& a = layout.arrows[side];
    for (const auto& corner : a.triangle)
        t.points.push_back({clamp16(corner[0] + layout.frameX), clamp16(corner[1] + layout.frameY)});
    return t;
}

void setArrow(ScrollArrow& a, long left, long top, long right, long bottom, long x0, long y0, long x1, long y1,
              long x2, long y2) {
    a.left = clamp16(left);
    a.top = clamp16(top);
    a.right = clamp16(right);
    a.bottom = clamp16(bottom);
    a.triangle[0][0] = clamp16(x0);
    a.triangle[0][1] = clamp16(y0);
    a.triangle[1][0] = clamp16(x1);
    a.triangle[1][1] = clamp16(y1);
    a.triangle[2][0] = clamp16(x2);
    a.triangle[2][1] = clamp16(y2);
}

// The cells, units and their positions exist (a grid with nothing loaded has none).
bool gridGeometryReady(const Grid& g) {
    return g.cellsComputed && g.unitsComputed && g.positionsComputed &&
           g.units.size() >= static_cast<size_t>(g.unitCount) + 1 &&
           g.cells.size() >= static_cast<size_t>(g.cellCount) + 1;
}

// A scroll offset that is not a number (a drag gone wrong) is taken as no scrolling.
float finiteOr0(float v) {
    return std::isfinite(v) ? v : 0.0f;
}

void layoutRules(AppState& app, WindowLayout& layout) {
    hideArrows(layout);
    layout.shape = WindowShape();
    int16_t width = 0, height = 0;
    modeWindowSize(app, width, height);
    layout.placedWidth = width;
    layout.placedHeight = height;
}

}  // namespace

void resetWindowLayout(WindowLayout& layout) {
    layout = WindowLayout();
}

ShapeRect captionStripAt(int left, int top, int16_t dpi) {
    return rectOfSize(long{left} + scaledPx(kCaptionStripOffset, dpi), top, scaledPx(kShapeCaptionWidth, dpi),
                      scaledPx(kCaptionStripTall, dpi));
}

namespace {

long overlap(long a0, long a1, long b0, long b1) {
    return std::max<long>(0, std::min(a1, b1) - std::max(a0, b0));
}

// How far a rectangle lies from a work area (0 when they touch or overlap), in the sum of both axes.
long distanceTo(const ShapeRect& r, const ShapeRect& area) {
    const long dx = std::max<long>({0, long{area.left} - r.right, long{r.left} - area.right});
    const long dy = std::max<long>({0, long{area.top} - r.bottom, long{r.top} - area.bottom});
    return dx + dy;
}

// The work areas of the screen record: its monitors, or the one screen (measured, else the fallback).
std::vector<ShapeRect> workAreasOf(const WindowGeometry& geometry) {
    std::vector<ShapeRect> areas;
    for (const ScreenArea& m : geometry.monitors)
        if (m.right > m.left && m.bottom > m.top) areas.push_back(ShapeRect{m.left, m.top, m.right, m.bottom});
    if (areas.empty()) {
        const int16_t w = geometry.screenWidth > 0 ? geometry.screenWidth : kFallbackScreenWidth;
        const int16_t h = geometry.screenHeight > 0 ? geometry.screenHeight : kFallbackScreenHeight;
        areas.push_back(ShapeRect{0, 0, w, h});
    }
    return areas;
}

}  // namespace

ShapeRect windowMonitorArea(const WindowGeometry& geometry) {
    const std::vector<ShapeRect> areas = workAreasOf(geometry);
    const ShapeRect strip = captionStripAt(geometry.windowLeft, geometry.windowTop, geometry.dpi);
    const ShapeRect* best = &areas.front();
    long bestShare = -1;
    long bestDistance = 0;
    for (const ShapeRect& area : areas) {
        const long share = overlap(strip.left, strip.right, area.left, area.right) *
                           overlap(strip.top, strip.bottom, area.top, area.bottom);
        const long distance = distanceTo(strip, area);
        if (share > bestShare || (share == 0 && bestShare == 0 && distance < bestDistance)) {
            best = &area;
            bestShare = share;
            bestDistance = distance;
        }
    }
    return *best;
}

bool placeOnMonitors(AppState& app, const std::vector<ShapeRect>& monitors) {
    std::vector<ShapeRect> areas = monitors;
    if (areas.empty()) {
        const int16_t w = app.geometry.screenWidth > 0 ? app.geometry.screenWidth : kFallbackScreenWidth;
        const int16_t h = app.geometry.screenHeight > 0 ? app.geometry.screenHeight : kFallbackScreenHeight;
        areas.push_back(ShapeRect{0, 0, w, h});
    }
    const int16_t dpi = app.geometry.dpi;
    const ShapeRect strip = captionStripAt(app.geometry.windowLeft, app.geometry.windowTop, dpi);
    const ShapeRect* nearest = nullptr;
    long nearestDistance = 0;
    for (const ShapeRect& area : areas) {
        if (overlap(strip.left, strip.right, area.left, area.right) >= scaledPx(kCaptionGrabWidth, dpi) &&
            overlap(strip.top, strip.bottom, area.top, area.bottom) >= scaledPx(kCaptionGrabHeight, dpi))
            return false;
        const long d = distanceTo(strip, area);
        if (!nearest || d < nearestDistance) {
            nearest = &area;
            nearestDistance = d;
        }
    }
    const long maxLeft = std::max<long>(nearest->left, long{nearest->right} - scaledPx(kMinVisibleWidth, dpi));
    const long maxTop = std::max<long>(nearest->top, long{nearest->bottom} - scaledPx(kScreenBottomReserve, dpi) -
                                                         scaledPx(kMinVisibleHeight, dpi));
    app.geometry.windowLeft = clamp16(std::clamp<long>(app.geometry.windowLeft, nearest->left, maxLeft));
    app.geometry.windowTop = clamp16(std::clamp<long>(app.geometry.windowTop, nearest->top, maxTop));
    return true;
}

void readScreenAndPosition(const AppState& app, WindowLayout& layout) {
    layout.screenWidth = app.geometry.screenWidth > 0 ? app.geometry.screenWidth : kFallbackScreenWidth;
    layout.screenHeight = app.geometry.screenHeight > 0 ? app.geometry.screenHeight : kFallbackScreenHeight;
    layout.windowLeft = app.geometry.windowLeft;
    layout.windowTop = app.geometry.windowTop;
    layout.monitorArea = windowMonitorArea(app.geometry);
}

void measureGridArea(WindowLayout& layout, const DrawSurface& surface) {
    const GridExtents& e = layout.extentsMm;
    layout.extentLeft = clamp16(std::labs(mmToPxX(surface, e.left)));
    layout.extentRight = clamp16(std::labs(mmToPxX(surface, e.right)));
    layout.extentUp = clamp16(std::labs(mmToPxY(surface, e.up)));
    layout.extentDown = clamp16(std::labs(mmToPxY(surface, e.down)));
    layout.gridWidth = clamp16(long{layout.extentLeft} + layout.extentRight);
    layout.gridHeight = clamp16(long{layout.extentUp} + layout.extentDown);
    layout.originBaseX = clamp16(long{layout.gridLeft} + layout.extentLeft);
    layout.originBaseY = layout.extentUp;
    layout.windowWidth = clamp16(long{layout.gridLeft} + layout.gridWidth + 2L * layout.frameX);
    layout.layoutHeight = clamp16(long{layout.gridHeight} + layout.frameX + layout.frameY);
    /*
     * A window parked near the screen's right or bottom edge, or past it,
     * still scrolls within its grid area: the arithmetic takes at least the
     * minimum room as visible (a smaller screen gives less).
     */
    const ShapeRect& area = layout.monitorArea;
    const long minWidth = std::min<long>(scaledPx(kMinAvailableWidth, layout.dpi), long{area.right} - area.left);
    const long minHeight = std::min<long>(scaledPx(kMinAvailableHeight, layout.dpi), long{area.bottom} - area.top);
    layout.availableWidth = clamp16(std::max<long>(minWidth, long{area.right} - layout.windowLeft));
    layout.availableHeight = clamp16(std::max<long>(
        minHeight, long{area.bottom} - layout.windowTop - scaledPx(kScreenBottomReserve, layout.dpi)));
    layout.overflowX = clamp16(std::max<long>(0, long{layout.windowWidth} - layout.availableWidth));
    layout.overflowY = clamp16(std::max<long>(0, long{layout.layoutHeight} - layout.availableHeight));
}

/*
 * panX is 0 or negative (the grid moves left to show its right part), panY 0
 * or positive (the grid moves up to show its bottom part), both in cell sizes
 * and limited so that the grid's far edge stops at the screen edge.
 */
void clampScrolling(AppState& app, WindowLayout& layout) {
    const float cell = static_cast<float>(std::max<int16_t>(1, layout.cellSize));
    ScrollArrow* arrows = layout.arrows;
    app.view.panX = finiteOr0(app.view.panX);
    app.view.panY = finiteOr0(app.view.panY);
    if (layout.overflowX == 0) {
        app.view.panX = 0;
        layout.panXMin = 0;
        arrows[ArrowLeft].shown = arrows[ArrowRight].shown = false;
    } else {
        layout.panXMin = -layout.overflowX / cell;
        app.view.panX = std::clamp(app.view.panX, layout.panXMin, 0.0f);
        arrows[ArrowLeft].shown = app.view.panX < 0;
        arrows[ArrowRight].shown = app.view.panX > layout.panXMin;
    }
    if (layout.overflowY == 0) {
        app.view.panY = 0;
        layout.panYMax = 0;
        arrows[ArrowTop].shown = arrows[ArrowBottom].shown = false;
    } else {
        layout.panYMax = layout.overflowY / cell;
        app.view.panY = std::clamp(app.view.panY, 0.0f, layout.panYMax);
        arrows[ArrowTop].shown = app.view.panY > 0;
        arrows[ArrowBottom].shown = app.view.panY < layout.panYMax;
    }
}

void placeDrawingOrigin(const AppState& app, WindowLayout& layout, DrawSurface& surface) {
    const double cell = std::max<int16_t>(1, layout.cellSize);
    layout.originX = clamp16(layout.originBaseX + static_cast<long>(std::trunc(cell * app.view.panX)));
    layout.originY = clamp16(layout.originBaseY - static_cast<long>(std::trunc(cell * app.view.panY)));
    setOrigin(surface, layout.originX, layout.originY);
    moveToMm(surface, 0, 0);
}

/*
 * The right and bottom arrows sit at the edge of the part of the window that
 * is on the screen (overflow subtracted), not at the window's edge; the sizes
 * grow with the window.
 */
void placeArrows(WindowLayout& layout) {
    const long u = (long{layout.windowWidth} + layout.layoutHeight) / 40;
    const long half = u / 2;
    const long quarter = u / 4;
    const long midY = (long{layout.gridHeight} - layout.overflowY) / 2;
    const long midX = (long{layout.gridWidth} - layout.overflowX) / 2 + layout.gridLeft;

    const long x0 = long{layout.gridLeft} + layout.gridWidth - layout.overflowX - half;
    setArrow(layout.arrows[ArrowRight], x0 - quarter, midY - u, x0 + quarter, midY + u,  //
             x0 - quarter, midY - u, x0 - quarter, midY + u, x0 + quarter, midY);

    const long x1 = long{layout.gridLeft} + half;
    setArrow(layout.arrows[ArrowLeft], x1 - quarter, midY - u, x1 + quarter, midY + u,  //
             x1 + quarter, midY - u, x1 + quarter, midY + u, x1 - quarter, midY);

    setArrow(layout.arrows[ArrowTop], midX - u, half - quarter, midX + u, half + quarter,  //
             midX + u, half + quarter, midX - u, half + quarter, midX, half - quarter);

    const long y0 = long{layout.gridHeight} - half - layout.overflowY;
    setArrow(layout.arrows[ArrowBottom], midX - u, y0 - quarter, midX + u, y0 + quarter,  //
             midX + u, y0 - quarter, midX - u, y0 - quarter, midX, y0 + quarter);
}

/*
 * The grid part is made of shapes around the grid's own positions, so that
 * the desktop shows between the hexagons: hexagons a fifth larger than the
 * six cells around each complete hexagon centre (neighbours overlap and leave
 * no gap inside the board), or, in the block note layout (view 9), discs
 * around the cells and the hexagon centres. Both arrows of a pair are kept
 * visible while either is shown, so the pair never flickers in and out.
 */
void buildWindowShape(const Grid& g, WindowLayout& layout) {
    WindowShape& shape = layout.shape;
    shape = WindowShape();
    shape.present = true;
    // The caption strip and the panel are the bar's: their 96-dpi edges are scaled each on its own.
    const int16_t captionLeft = scaledPx(kCaptionStripOffset, layout.dpi);
    const int16_t panelLeft = scaledPx(kPanelX - 10, layout.dpi);
    const int16_t panelRight = scaledPx(kPanelX - 10 + kPanelShapeWidth, layout.dpi);
    shape.caption = rectOfSize(long{layout.frameX} + captionLeft, 0, scaledPx(kShapeCaptionWidth, layout.dpi),
                               layout.frameY);
    shape.panel = rectOfSize(long{layout.frameX} + panelLeft, layout.frameY, panelRight - panelLeft,
                             layout.panelBottom);
    layout.panelPartHeight = clamp16(long{layout.frameY} + layout.panelBottom);
    shape.gridClip = rectOfSize(long{layout.frameX} + layout.gridLeft, layout.frameY, layout.gridWidth,
                                layout.gridHeight);
    if (!gridGeometryReady(g)) return;

    const long cell = g.cellSize;
    if (isView(g, NoteLayout::Block)) {
        for (int i = 1; i <= g.cellCount; ++i) {
            ShapePoint c = windowPointOfGrid(layout, g.cells[i].x, g.cells[i].y);
            shape.discs.push_back(discAround(c.x, c.y, cell * 8 / 10));
        }
        for (int u = 1; u <= g.unitCount; ++u) {
            ShapePoint c = windowPointOfGrid(layout, g.units[u].x, g.units[u].y);
            shape.discs.push_back(discAround(c.x, c.y, u <= g.hexagonCount ? cell : cell / 5));
        }
    } else {
        DirectionFan fan;
        createFan(fan, 6, clamp16(cell * 12 / 10));
        for (int u = 1; u <= g.hexagonCount && u <= g.unitCount; ++u) {
            ShapePolygon hexagon;
            for (int k = 0; k <= 6; ++k) {
                const FanEntry& step = fan.entries[static_cast<size_t>(k % 6)];
                hexagon.points.push_back(
                    windowPointOfGrid(layout, long{g.units[u].x} + step.dx, long{g.units[u].y} + step.dy));
            }
            shape.hexagons.push_back(std::move(hexagon));
        }
    }
    if (layout.arrows[ArrowLeft].shown || layout.arrows[ArrowRight].shown) {
        shape.arrowTriangles.push_back(arrowTriangle(layout, ArrowRight));
        shape.arrowTriangles.push_back(arrowTriangle(layout, ArrowLeft));
    }
    if (layout.arrows[ArrowTop].shown || layout.arrows[ArrowBottom].shown) {
        shape.arrowTriangles.push_back(arrowTriangle(layout, ArrowTop));
        shape.arrowTriangles.push_back(arrowTriangle(layout, ArrowBottom));
    }
}

void computePlacement(AppState& app, WindowLayout& layout) {
    layout.placedWidth = layout.windowWidth;
    layout.placedHeight = std::max({layout.barBottom, layout.layoutHeight,
                                    clamp16(long{layout.panelPartHeight} + scaledPx(kPanelPlacementMargin, layout.dpi))});
    app.geometry.windowWidth = layout.placedWidth;
    app.geometry.windowHeight = layout.placedHeight;
}

void computeLayout(AppState& app, WindowLayout& layout, DrawSurface& surface) {
    layout.frameX = std::max<int16_t>(0, app.geometry.frameX);
    layout.frameY = std::max<int16_t>(0, app.geometry.frameY);
    layout.dpi = app.geometry.dpi > 0 ? app.geometry.dpi : kReferenceDpi;
    layout.panelX = scaledPx(kPanelX, layout.dpi);
    layout.gridLeft = scaledPx(kGridLeft, layout.dpi);
    readScreenAndPosition(app, layout);
    if (app.view.screenMode == ScreenMode::Rules) {
        layoutRules(app, layout);
        app.view.layoutValid = true;
        return;
    }
    const Grid& g = currentGrid(app);
    if (gridGeometryReady(g)) layout.extentsMm = measureExtents(g, surface);
    layout.cellSize = std::max<int16_t>(1, g.cellSize);
    measureGridArea(layout, surface);
    clampScrolling(app, layout);
    placeDrawingOrigin(app, layout, surface);
    placeArrows(layout);
    const BarLayout bar = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled != 0, layout.dpi);
    layout.barBottom = bar.barBottom;
    layout.panelBottom = bar.panelBottom;
    buildWindowShape(g, layout);
    computePlacement(app, layout);
    app.view.layoutValid = true;
}

void hideArrows(WindowLayout& layout) {
    for (ScrollArrow& a : layout.arrows) a.shown = false;
}

bool anyArrowShown(const WindowLayout& layout) {
    for (const ScrollArrow& a : layout.arrows)
        if (a.shown) return true;
    return false;
}

bool arrowTowardCell(const WindowLayout& layout, const Grid& grid, int16_t i, ArrowSide& side) {
    if (!isValidCell(grid, i)) return false;
    const long visibleRight = long{layout.gridLeft} + layout.gridWidth - layout.overflowX;
    const long visibleBottom = long{layout.gridHeight} - layout.overflowY;
    long left = 32767, right = -32768, top = 32767, bottom = -32768;
    for (const PixelPoint& p : cellOutline(grid, i)) {
        left = std::min<long>(left, long{layout.originX} + p.x);
        right = std::max<long>(right, long{layout.originX} + p.x);
        top = std::min<long>(top, long{layout.originY} - p.y);
        bottom = std::max<long>(bottom, long{layout.originY} - p.y);
    }
    if (left < layout.gridLeft) side = ArrowLeft;
    else if (right >= visibleRight) side = ArrowRight;
    else if (top < 0) side = ArrowTop;
    else if (bottom >= visibleBottom) side = ArrowBottom;
    else return false;
    return true;
}

bool gridAreaContains(const WindowLayout& layout, int x, int y) {
    return x >= layout.gridLeft && x < long{layout.gridLeft} + layout.gridWidth && y >= 0 && y < layout.gridHeight;
}

ShapePoint clientPointOfGrid(const WindowLayout& layout, PixelPoint p) {
    return {clamp16(long{layout.originX} + p.x), clamp16(long{layout.originY} - p.y)};
}

bool shapeContains(const WindowShape& shape, int x, int y) {
    if (!shape.present) return true;
    if (rectContains(shape.caption, x, y) || rectContains(shape.panel, x, y)) return true;
    if (!rectContains(shape.gridClip, x, y)) return false;
    for (const ShapePolygon& h : shape.hexagons)
        if (polygonContains(h, x, y)) return true;
    for (const ShapeDisc& d : shape.discs)
        if (discContains(d, x, y)) return true;
    for (const ShapePolygon& t : shape.arrowTriangles)
        if (polygonContains(t, x, y)) return true;
    return false;
}

void scrollByArrow(AppState& app, ArrowSide side) {
    switch (side) {
    case ArrowRight: app.view.panX -= 1; break;
    case ArrowLeft: app.view.panX += 1; break;
    case ArrowTop: app.view.panY -= 1; break;
    case ArrowBottom: app.view.panY += 1; break;
    default: return;
    }
    app.view.layoutValid = false;
    requestRedraw(app);
}

bool arrowOfCommand(int16_t command, ArrowSide& side) {
    switch (command) {
    case 2: side = ArrowLeft; return true;
    case 3: side = ArrowRight; return true;
    case 4: side = ArrowTop; return true;
    case 5: side = ArrowBottom; return true;
    default: return false;
    }
}

bool runScrollCommand(AppState& app, int16_t command) {
    ArrowSide side = ArrowRight;
    if (!arrowOfCommand(command, side)) return false;
    scrollByArrow(app, side);
    return true;
}

std::vector<ArrowSide> arrowsAt(const WindowLayout& layout, int x, int y) {
    std::vector<ArrowSide> hit;
    for (int k = 0; k < kArrowCount; ++k) {
        const ScrollArrow& a = layout.arrows[k];
        if (a.shown && arrowContains(a, x, y)) hit.push_back(static_cast<ArrowSide>(k));
    }
    return hit;
}

int clickArrows(AppState& app, const WindowLayout& layout, int x, int y) {
    std::vector<ArrowSide> hit = arrowsAt(layout, x, y);
    for (ArrowSide side : hit) scrollByArrow(app, side);
    return static_cast<int>(hit.size());
}

const char* arrowSideName(ArrowSide side) {
    switch (side) {
    case ArrowRight: return "right";
    case ArrowLeft: return "left";
    case ArrowTop: return "top";
    case ArrowBottom: return "bottom";
    }
    return "?";
}
