// The grid drawing's portable part: palette, the grid's view, extents and font sizes.
#include "render/grid_drawing.h"

#include <cmath>

GridView gridViewAt(int16_t sizePx) {
    GridView v;
    v.sizePx = sizePx;
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
    switch (scale) {
    case 40: f.shift = 5; break;
    case 50: f.shift = 6; break;
    case 60: f.shift = 8; break;
    case 70: f.shift = 9; break;
    default: f.shift = 0; break;
    }
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
            out[k].drawn = pairShown ? 1 : 0;
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
