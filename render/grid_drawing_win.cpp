// The grid's background and foreground passes drawn with the surface's GDI primitives.
#include "render/grid_drawing_win.h"

#include <algorithm>

#include "render/draw_surface_win.h"
#include "render/gdi_win.h"


namespace {

const char* const kDigitFace = "Arial";
const int16_t kTextWeight = 200;
const uint32_t kBlack = rgbColour(0, 0, 0);

void drawCellTriangle(DrawSurface& s, const std::array<PixelPoint, 4>& outline) {
    polygon(s, 0, 0, outline.data(), static_cast<int>(outline.size()));
}

void drawLinks(const Grid& g, DrawSurface& s, int16_t i) {
    setPen(s, 1, kLinkColour);
    setBrush(s, kLinkColour);
    const PixelPoint c = cellCentre(g, i);
    if (i >= 0 && i < static_cast<int>(g.peerTable.size())) {
        for (int16_t peer : g.peerTable[i].peers) {
            if (peer < 1 || peer >= i) continue;
            const PixelPoint p = cellCentre(g, peer);
            line(s, c.x, c.y, p.x, p.y);
        }
    }
    circle(s, c.x, c.y, 4);
}

void drawCentreDots(const Grid& g, const GridView& view, DrawSurface& s) {
    setPen(s, penUnit(view), kBlack);
    const int16_t r = centreDotRadius(s);
    const int last = std::min<int>(g.hexagonCount, static_cast<int>(g.units.size()) - 1);
    for (int u = 1; u <= last; ++u) circle(s, g.units[u].x, g.units[u].y, r);
}

void drawScrollArrows(DrawSurface& s, const ForegroundView& view) {
    ArrowPaint paints[kArrowCount];
    arrowPaintsOf(view, paints);
    for (int k = 0; k < kArrowCount; ++k) {
        if (!paints[k].drawn) continue;
        setBrush(s, paints[k].colour);
        const std::array<PixelPoint, 4> points = arrowPolygon(view.arrows[k], s);
        polygon(s, 0, 0, points.data(), static_cast<int>(points.size()));
    }
}

}  // namespace

void drawBackground(const Grid& g, const GridView& view, DrawSurface& s) {
    pushPosition(s);
    setBrush(s, palette.ground);
    placeOnSurface(s);
    if (isView(g, 7)) fillCellList(g, s, g.holes, palette.hole, palette.hole);
    // One ground brush and one outline pen serve every cell.
    setBrush(s, palette.ground);
    setPen(s, penUnit(view), palette.outline);
    for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) drawCellTriangle(s, cellOutline(g, i));
    // The background DC may be deleted before the next pass: nothing of ours stays selected in it.
    releaseSurfaceObjects();
}

void drawForeground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const ForegroundView& shell) {
    for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) {
        const DigitMark digit = digitMarkOf(g, i);
        if (digit.character) drawDigit(g, view, s, digit.colour, i, digit.character);
        if (shell.linkDisplay) {
            drawLinks(g, s, i);
        } else if (!shell.rulesShown && !digit.character) {
            drawCandidates(g, view, s, i);
        }
    }
    drawCentreDots(g, view, s);
    if (!shell.rulesShown && shell.outlinedCell >= 1 && shell.outlinedCell <= g.cellCount && isValidCell(g, shell.outlinedCell)) {
        setNoBrush(s);
        setPen(s, static_cast<int16_t>(3 * penUnit(view)), kHintOutlineColour);
        drawCellTriangle(s, cellOutline(g, shell.outlinedCell));
    }
    placeOnSurface(s);
    drawBoundaries(g, s, outerBoundaryWidth(view), boundaryColour);
    drawScrollArrows(s, shell);
    popPosition(s);
    releaseSurfaceObjects();
}

void drawDigit(const Grid& g, const GridView& view, DrawSurface& s, uint32_t colour, int16_t cell, char character) {
    const DigitFont font = digitFontFor(view);
    makeFont(s, font.height, font.width, static_cast<int16_t>(view.rotation * 10), false, kTextWeight, kDigitFace);
    setTextColour(colour);
    setTextOpaque(false);
    const PixelPoint c = cellCentre(g, cell);
    const char text[2] = {character, 0};
    textAt(s, c.x, c.y, text, true);
}

void drawCandidates(const Grid& g, const GridView& view, DrawSurface& s, int16_t cell) {
    CandidateMark marks[6];
    const int n = candidateMarksOf(g, cell, view.sizePx, marks);
    if (n == 0) return;
    const CandidateFont font = candidateFontFor(view.sizePx);
    makeFont(s, font.height, font.width, 0, false, kTextWeight, kDigitFace);
    // The mark's point is the top of its character: no centring offset.
    setTextOffset(0, 0);
    setTextColour(kCandidateInk);
    setTextOpaque(false);
    for (int k = 0; k < n; ++k) {
        const char text[2] = {marks[k].character, 0};
        textAt(s, marks[k].x, marks[k].y, text, true);
    }
}

void drawBoundaries(const Grid& g, DrawSurface& s, int16_t width, uint32_t colour) {
    if (!isView(g, 7)) return;
    setPen(s, 1, colour);
    for (int k = 1; k <= g.innerLines.count(); ++k) {
        const LineEnds e = edgeLineEnds(g, g.innerLines.str(k));
        line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    }
    setPen(s, width, colour);
    for (int k = 1; k <= g.outerLines.count(); ++k) {
        const LineEnds e = edgeLineEnds(g, g.outerLines.str(k));
        line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    }
    releaseHolder(currentPen);
}

void fillCellList(const Grid& g, DrawSurface& s, const TextList& cells, uint32_t penColour, uint32_t fillColour) {
    setPen(s, 2, penColour);
    setBrush(s, fillColour);
    for (int k = 1; k <= cells.count(); ++k) drawCellTriangle(s, cellNameOutline(g, cells.str(k)));
}

void drawMarkHexagon(const Grid& g, const GridView& view, DrawSurface& s, int16_t cornerIndex, uint32_t colour) {
    PixelPoint p;
    if (!markHexagonPoint(g, cornerIndex, p)) return;
    setNoBrush(s);
    setPenMm(s, penUnit(view), colour);
    hexagon(s, p.x, p.y, 0, g.cellSize);
}
