// The grid drawing's portable part: palette, the grid's view, extents, font sizes and the foreground's items.
#include "render/grid_drawing.h"

#include <algorithm>
#include <cmath>

GridView gridViewAt(int16_t sizePx, int16_t dpi) {
    GridView v;
    v.sizePx = sizePx;
    v.dpi = dpi > 0 ? dpi : kReferenceDpi;
    v.digitHeight = static_cast<int16_t>(std::trunc(0.55 * sizePx));
    return v;
}

void placeOnSurface(DrawSurface& s) {
    moveToMm(s, 0, 0);
}

GridExtents measureExtents(const Grid& g, const DrawSurface& s) {
    GridBox box = boundingBox(g);
    GridExtents e;
    e.left = wholeUnits(pxToMmX(s, box.left));
    e.right = wholeUnits(pxToMmX(s, box.right));
    e.down = wholeUnits(pxToMmY(s, box.bottom));
    e.up = wholeUnits(pxToMmY(s, box.top));
    return e;
}

CandidateFont candidateFontFor(int16_t scale) {
    CandidateFont f;
    f.height = static_cast<int16_t>(scale / 4);
    f.width = static_cast<int16_t>(f.height / 2);
    // 5, 6, 8 and 9 pixels at the four 96-dpi scales, and in proportion at any other cell size.
    f.shift = static_cast<int16_t>(scale > 0 ? (scale + 4) / 8 : 0);
    return f;
}

DigitFont digitFontFor(const GridView& v) {
    DigitFont f;
    f.height = v.digitHeight;
    f.width = static_cast<int16_t>(v.digitHeight / 2);
    return f;
}

PixelPoint cellCentre(const Grid& g, int16_t i) {
    const Cell* c = cellAt(g, i);
    if (c != nullptr && g.positionsComputed) return PixelPoint{c->x, c->y};
    if (i < 1 || i > g.cellNames.count()) return PixelPoint{};
    return cellCentreOf(g, g.cellNames.str(i));
}

DigitMark digitMarkOf(const Grid& g, int16_t i) {
    DigitMark m;
    const Cell* c = cellAt(g, i);
    if (c == nullptr || c->value < 1 || c->value > 6) return m;
    m.character = static_cast<char>('0' + c->value);
    m.colour = c->fixed ? palette.givenInk : palette.playerInk;
    return m;
}

int candidateMarksOf(const Grid& g, int16_t i, int16_t scale, CandidateMark out[6]) {
    const Cell* c = cellAt(g, i);
    if (c == nullptr || c->value != 0) return 0;
    const int16_t shift = candidateFontFor(scale).shift;
    int n = 0;
    for (int16_t k = 1; k <= 6; ++k) {
        if ((c->notes & valueBit(k)) == 0) continue;
        PixelPoint p = notePosition(g, i, k);
        out[n].character = static_cast<char>('0' + k);
        out[n].x = p.x;
        out[n].y = static_cast<int16_t>(p.y + shift);
        ++n;
    }
    return n;
}

std::array<PixelPoint, 4> cellNameOutline(const Grid& g, TextRef cellName) {
    const std::string canonical = normaliseTriangle(cellName);
    const std::string path = pathPart(canonical);
    const bool ab = isTriangleAB(canonical);
    std::array<PixelPoint, 4> out{};
    out[0] = pointPosition(g, path);
    out[1] = pointPosition(g, path + "A");
    out[2] = pointPosition(g, path + (ab ? "B" : "F"));
    out[3] = out[0];
    return out;
}

LineEnds edgeLineEnds(const Grid& g, TextRef edge) {
    std::string whole(edge.v);
    LineEnds ends;
    const size_t colon = whole.find(':');
    ends.from = pointPosition(g, whole.substr(0, colon));
    if (colon != std::string::npos) whole.erase(colon, 1);
    ends.to = pointPosition(g, whole);
    return ends;
}

BoundaryLines boundaryLinesOf(const Grid& g) {
    BoundaryLines lines;
    for (int k = 1; k <= g.innerLines.count(); ++k) lines.inner.push_back(edgeLineEnds(g, g.innerLines.str(k)));
    for (int k = 1; k <= g.outerLines.count(); ++k) lines.outer.push_back(edgeLineEnds(g, g.outerLines.str(k)));
    return lines;
}

int16_t centreDotRadius(const DrawSurface& s) {
    return static_cast<int16_t>(std::lround(10.0 * s.dpiX / 600.0));
}

bool markHexagonPoint(const Grid& g, int16_t index, PixelPoint& point) {
    if (index < 1 || index > g.cornerPoints.count()) return false;
    point = pointPosition(g, g.cornerPoints.str(index));
    return true;
}

void arrowPaintsOf(const ForegroundView& view, ArrowPaint out[kArrowCount]) {
    for (int first = 0; first < kArrowCount; first += 2) {
        const bool pairShown = view.arrows[first].shown || view.arrows[first + 1].shown;
        for (int k = first; k < first + 2; ++k) {
            out[k].drawn = pairShown;
            out[k].colour = view.arrows[k].shown ? kActiveArrowColour : palette.arrow;
        }
    }
}

std::array<PixelPoint, 4> arrowPolygon(const ScrollArrow& arrow, const DrawSurface& s) {
    std::array<PixelPoint, 4> out{};
    for (int k = 0; k < 3; ++k) {
        out[k].x = static_cast<int16_t>(arrow.triangle[k][0] - s.refX);
        out[k].y = static_cast<int16_t>(s.refY - arrow.triangle[k][1]);
    }
    out[3] = out[0];
    return out;
}

// ---------------------------------------------------------------- the foreground's items

namespace {

int16_t clampBox(long v) {
    return static_cast<int16_t>(std::clamp<long>(v, -32000, 32000));
}

// Pixels left..right, top..bottom (edges included) widened by margin, as a box (right and bottom excluded).
DeviceBox boxAround(long left, long top, long right, long bottom, long margin) {
    return DeviceBox{true, clampBox(left - margin), clampBox(top - margin), clampBox(right + margin + 1),
                     clampBox(bottom + margin + 1)};
}

// A cell's links: from its centre to the centres of its touching cells of lower number, and its dot.
DeviceBox linksItemBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i) {
    const PixelPoint c = cellCentre(g, i);
    long left = c.x, right = c.x, top = c.y, bottom = c.y;
    if (i >= 0 && i < static_cast<int>(g.peerTable.size())) {
        for (int16_t peer : g.peerTable[i].peers) {
            if (peer < 1 || peer >= i) continue;
            const PixelPoint p = cellCentre(g, peer);
            left = std::min<long>(left, p.x);
            right = std::max<long>(right, p.x);
            top = std::max<long>(top, p.y);
            bottom = std::min<long>(bottom, p.y);
        }
    }
    return boxAround(refX + left, refY - top, refX + right, refY - bottom, linkDotRadius(view) + 2);
}

}  // namespace

int16_t cellCursorPen(const GridView& view) {
    return static_cast<int16_t>(std::max(2, view.sizePx / 20));
}

int16_t cellCursorInset(const GridView& view) {
    // Past half the hint's three pen units and half the cursor's own pen, and a pixel between.
    return static_cast<int16_t>((3 * penUnit(view) + 1) / 2 + (cellCursorPen(view) + 1) / 2 + 1);
}

std::array<PixelPoint, 4> cellCursorOutline(const Grid& g, int16_t i, int inset) {
    std::array<PixelPoint, 4> corners = cellOutline(g, i);
    const double cx = (static_cast<double>(corners[0].x) + corners[1].x + corners[2].x) / 3.0;
    const double cy = (static_cast<double>(corners[0].y) + corners[1].y + corners[2].y) / 3.0;
    // An equilateral triangle's sides lie half as far from its centre as its corners.
    const double reach = std::hypot(corners[0].x - cx, corners[0].y - cy);
    const double keep = reach > 0 ? std::max(0.0, 1.0 - 2.0 * inset / reach) : 0.0;
    for (int k = 0; k < 3; ++k) {
        corners[static_cast<size_t>(k)].x = static_cast<int16_t>(std::lround(cx + (corners[static_cast<size_t>(k)].x - cx) * keep));
        corners[static_cast<size_t>(k)].y = static_cast<int16_t>(std::lround(cy + (corners[static_cast<size_t>(k)].y - cy) * keep));
    }
    corners[3] = corners[0];
    return corners;
}

DeviceBox cellCursorBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i) {
    long left = 32767, right = -32768, top = 32767, bottom = -32768;
    for (const PixelPoint& p : cellCursorOutline(g, i, cellCursorInset(view))) {
        left = std::min<long>(left, refX + p.x);
        right = std::max<long>(right, refX + p.x);
        top = std::min<long>(top, refY - p.y);
        bottom = std::max<long>(bottom, refY - p.y);
    }
    // A wide pen's mitred corners reach past the corner points by more than half its width.
    return boxAround(left, top, right, bottom, cellCursorPen(view) * 2 + 1);
}

DeviceBox cellItemBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i) {
    const std::array<PixelPoint, 4> outline = cellOutline(g, i);
    long left = 32767, right = -32768, top = 32767, bottom = -32768;
    for (const PixelPoint& p : outline) {
        left = std::min<long>(left, refX + p.x);
        right = std::max<long>(right, refX + p.x);
        top = std::min<long>(top, refY - p.y);
        bottom = std::max<long>(bottom, refY - p.y);
    }
    return boxAround(left, top, right, bottom, outerBoundaryWidth(view) + 3);
}

DeviceBox digitItemBox(const Grid& g, const GridView& view, int refX, int refY, const DigitInk& ink, int16_t i) {
    if (ink.scale == 0 || ink.scale != view.sizePx) return cellItemBox(g, view, refX, refY, i);
    const PixelPoint c = cellCentre(g, i);
    const long x = refX + c.x, y = refY - c.y;
    return boxAround(x + ink.left, y + ink.top, x + ink.right - 1, y + ink.bottom - 1, 0);
}

int16_t witnessRadius(const GridView& view) { return static_cast<int16_t>(view.sizePx * 3 / 10); }

int16_t hintMarkPen(const GridView& view) { return static_cast<int16_t>(2 * penUnit(view)); }

DeviceBox hintHexagonBox(const Grid& g, const GridView& view, int refX, int refY, int16_t hexagon) {
    if (hexagon < 1 || hexagon >= static_cast<int>(g.units.size())) return DeviceBox();
    const long x = refX + g.units[static_cast<size_t>(hexagon)].x, y = refY - g.units[static_cast<size_t>(hexagon)].y;
    const long r = g.cellSize;
    return boxAround(x - r, y - r, x + r, y + r, 3 * penUnit(view) + 2);
}

DeviceBox witnessBox(const Grid& g, const GridView& view, int refX, int refY, int16_t i) {
    const PixelPoint c = cellCentre(g, i);
    const long x = refX + c.x, y = refY - c.y, r = witnessRadius(view);
    return boxAround(x - r, y - r, x + r, y + r, hintMarkPen(view) + 2);
}

DeviceBox arrowItemBox(const ScrollArrow& a) {
    long left = a.left, right = a.right, top = a.top, bottom = a.bottom;
    for (const auto& corner : a.triangle) {
        left = std::min<long>(left, corner[0]);
        right = std::max<long>(right, corner[0]);
        top = std::min<long>(top, corner[1]);
        bottom = std::max<long>(bottom, corner[1]);
    }
    return boxAround(left, top, right, bottom, 2);
}

bool boxesMeet(const DeviceBox& only, const DeviceBox& box) {
    if (!only.limited || !box.limited) return true;
    return box.left < only.right && box.right > only.left && box.top < only.bottom && box.bottom > only.top;
}

void foregroundItems(const Grid& g, const GridView& view, int refX, int refY, const ForegroundView& shell,
                     std::vector<PictureItem>& out) {
    // The cell cursor lies under the digits and notes: its line never hides a note.
    const int16_t cursor = shell.cursorCell;
    if (!shell.rulesShown && cursor >= 1 && cursor <= g.cellCount && isValidCell(g, cursor))
        out.push_back(PictureItem{ItemKind::CellCursor, 0, static_cast<uint64_t>(cursor),
                                  cellCursorBox(g, view, refX, refY, cursor)});
    for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) {
        const DigitMark digit = digitMarkOf(g, i);
        if (digit.character) {
            const uint64_t ink = static_cast<uint8_t>(digit.character) | (uint64_t{digit.colour} << 8);
            out.push_back(PictureItem{ItemKind::Digit, i, ink, digitItemBox(g, view, refX, refY, shell.digitInk, i)});
        }
        // With the link display on, every cell shows its links, and no cell its notes.
        if (shell.linkDisplay) {
            out.push_back(PictureItem{ItemKind::Links, i, 1, linksItemBox(g, view, refX, refY, i)});
            continue;
        }
        if (shell.rulesShown || digit.character) continue;
        CandidateMark marks[6];
        const int n = candidateMarksOf(g, i, view.sizePx, marks);
        uint64_t shown = 0;
        for (int k = 0; k < n; ++k) shown |= uint64_t{1} << ((marks[k].character - '0') & 31);
        if (shown) out.push_back(PictureItem{ItemKind::Notes, i, shown, cellItemBox(g, view, refX, refY, i)});
    }
    if (shell.linkDisplay) out.push_back(PictureItem{ItemKind::LinkedLines, 0, 1, DeviceBox()});
    const int16_t hint = shell.outlinedCell;
    if (!shell.rulesShown && hint >= 1 && hint <= g.cellCount && isValidCell(g, hint))
        out.push_back(PictureItem{ItemKind::Outline, 0, static_cast<uint64_t>(hint),
                                  cellItemBox(g, view, refX, refY, hint)});
    for (int16_t c : shell.rulesShown ? std::vector<int16_t>() : shell.struckCells)
        if (c >= 1 && c <= g.cellCount && isValidCell(g, c))
            out.push_back(
                PictureItem{ItemKind::Outline, c, static_cast<uint64_t>(c), cellItemBox(g, view, refX, refY, c)});
    if (!shell.rulesShown && shell.hintHexagon >= 1 && shell.hintHexagon <= g.hexagonCount &&
        shell.hintHexagon < static_cast<int>(g.units.size()))
        out.push_back(PictureItem{ItemKind::HintHexagon, 0, static_cast<uint64_t>(shell.hintHexagon),
                                  hintHexagonBox(g, view, refX, refY, shell.hintHexagon)});
    for (int16_t c : shell.rulesShown ? std::vector<int16_t>() : shell.subsetCells)
        if (c >= 1 && c <= g.cellCount && isValidCell(g, c))
            out.push_back(PictureItem{ItemKind::SubsetCell, c, 1, cellItemBox(g, view, refX, refY, c)});
    for (int16_t c : shell.rulesShown ? std::vector<int16_t>() : shell.witnessCells)
        if (c >= 1 && c <= g.cellCount && isValidCell(g, c))
            out.push_back(PictureItem{ItemKind::Witness, c, 1, witnessBox(g, view, refX, refY, c)});
    ArrowPaint paints[kArrowCount];
    arrowPaintsOf(shell, paints);
    for (int16_t k = 0; k < kArrowCount; ++k) {
        if (!paints[k].drawn) continue;
        out.push_back(PictureItem{ItemKind::Arrow, k, paints[k].colour, arrowItemBox(shell.arrows[k])});
    }
}
