// The grid's background and foreground passes drawn with the surface's GDI primitives.
#include "render/grid_drawing_win.h"

#include <algorithm>

#include "render/draw_surface_win.h"
#include "render/gdi_win.h"
#include "render/text_font.h"


namespace {

const char* const kDigitFace = "Arial";
const int16_t kTextWeight = 200;
const uint32_t kBlack = rgbColour(0, 0, 0);
const uint32_t kDotFill = rgbColour(255, 255, 255);

void drawCellTriangle(DrawSurface& s, const std::array<PixelPoint, 4>& outline) {
    polygon(s, 0, 0, outline.data(), static_cast<int>(outline.size()));
}

// Whether the device pixels of the lattice points a, b, widened by margin, meet the box.
bool segmentMeets(const DrawSurface& s, const DeviceBox& box, PixelPoint a, PixelPoint b, int margin) {
    if (!box.limited) return true;
    const int ax = deviceX(s, a.x), ay = deviceY(s, a.y), bx = deviceX(s, b.x), by = deviceY(s, b.y);
    return meets(box, std::min(ax, bx) - margin, std::min(ay, by) - margin, std::max(ax, bx) + margin,
                 std::max(ay, by) + margin);
}

// A cell's box on the device: its triangle (within 0.58 cell sides of its centre) widened by margin.
bool cellMeets(const Grid& g, const DrawSurface& s, const DeviceBox& box, int16_t i, int margin) {
    if (!box.limited) return true;
    const PixelPoint c = cellCentre(g, i);
    const int reach = (2 * g.cellSize) / 3 + 1 + margin;
    const int x = deviceX(s, c.x), y = deviceY(s, c.y);
    return meets(box, x - reach, y - reach, x + reach, y + reach);
}

// Whether the ink of cell i's digit meets the box (its whole cell when the ink is not measured at this scale).
bool digitMeets(const Grid& g, const GridView& view, const DrawSurface& s, const DeviceBox& box, const DigitInk& ink,
                int16_t i, int margin) {
    if (!box.limited) return true;
    if (ink.scale != view.sizePx || ink.scale == 0) return cellMeets(g, s, box, i, margin);
    const PixelPoint c = cellCentre(g, i);
    const int x = deviceX(s, c.x), y = deviceY(s, c.y);
    return meets(box, x + ink.left, y + ink.top, x + ink.right - 1, y + ink.bottom - 1);
}

void drawLinks(const Grid& g, DrawSurface& s, int16_t i, const DeviceBox& box) {
    setPen(s, 1, kLinkColour);
    setBrush(s, kLinkColour);
    const PixelPoint c = cellCentre(g, i);
    if (i >= 0 && i < static_cast<int>(g.peerTable.size())) {
        for (int16_t peer : g.peerTable[i].peers) {
            if (peer < 1 || peer >= i) continue;
            const PixelPoint p = cellCentre(g, peer);
            if (segmentMeets(s, box, c, p, 2)) line(s, c.x, c.y, p.x, p.y);
        }
    }
    if (segmentMeets(s, box, c, c, 6)) circle(s, c.x, c.y, 4);
}

void drawCentreDots(const Grid& g, const GridView& view, DrawSurface& s, const DeviceBox& box) {
    setPen(s, penUnit(view), kBlack);
    const int16_t r = centreDotRadius(s);
    const int last = std::min<int>(g.hexagonCount, static_cast<int>(g.units.size()) - 1);
    for (int u = 1; u <= last; ++u) {
        const PixelPoint c{g.units[u].x, g.units[u].y};
        if (segmentMeets(s, box, c, c, r + penUnit(view) + 2)) circle(s, c.x, c.y, r);
    }
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

void drawDotsAndBoundaries(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                           const BoundaryLines* lines, const DeviceBox& box) {
    drawCentreDots(g, view, s, box);
    placeOnSurface(s);
    if (lines) {
        drawBoundaries(g, *lines, s, outerBoundaryWidth(view), boundaryColour, box);
    } else {
        drawBoundaries(g, boundaryLinesOf(g), s, outerBoundaryWidth(view), boundaryColour, box);
    }
}

void drawBackground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const BoundaryLines* lines) {
    pushPosition(s);
    setBrush(s, palette.ground);
    placeOnSurface(s);
    if (isView(g, NoteLayout::Triangle)) fillCellList(g, s, g.holes, palette.hole, palette.hole);
    // One ground brush and one outline pen serve every cell.
    setBrush(s, palette.ground);
    setPen(s, penUnit(view), palette.outline);
    for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) drawCellTriangle(s, cellOutline(g, i));
    // The dots are filled white, the brush a device context starts with (links refill them in their colour).
    setBrush(s, kDotFill);
    drawDotsAndBoundaries(g, view, s, boundaryColour, lines, DeviceBox());
    // The background DC may be deleted before the next pass: nothing of ours stays selected in it.
    releaseSurfaceObjects(s);
}

void drawForeground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const ForegroundView& shell) {
    const DeviceBox& box = shell.only;
    const int margin = outerBoundaryWidth(view) + 3;
    for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) {
        // A link reaches far outside its cell: every cell's links are tested line by line.
        if (shell.linkDisplay) {
            if (digitMeets(g, view, s, box, shell.digitInk, i, margin)) {
                const DigitMark digit = digitMarkOf(g, i);
                if (digit.character) drawDigit(g, view, s, digit.colour, i, digit.character);
            }
            drawLinks(g, s, i, box);
            continue;
        }
        if (!cellMeets(g, s, box, i, margin)) continue;
        const DigitMark digit = digitMarkOf(g, i);
        if (digit.character && digitMeets(g, view, s, box, shell.digitInk, i, margin))
            drawDigit(g, view, s, digit.colour, i, digit.character);
        if (!shell.rulesShown && !digit.character) drawCandidates(g, view, s, i);
    }
    // Links cross the dots and the lines: those go over them again, as they lie over everything else.
    if (shell.linkDisplay) drawDotsAndBoundaries(g, view, s, boundaryColour, shell.boundaries, box);
    if (!shell.rulesShown && shell.outlinedCell >= 1 && shell.outlinedCell <= g.cellCount &&
        isValidCell(g, shell.outlinedCell) && cellMeets(g, s, box, shell.outlinedCell, margin + 3 * penUnit(view))) {
        setNoBrush(s);
        setPen(s, static_cast<int16_t>(3 * penUnit(view)), kHintOutlineColour);
        drawCellTriangle(s, cellOutline(g, shell.outlinedCell));
    }
    placeOnSurface(s);
    drawScrollArrows(s, shell);
    popPosition(s);
    releaseSurfaceObjects(s);
}

void drawDigit(const Grid& g, const GridView& view, DrawSurface& s, uint32_t colour, int16_t cell, char character) {
    const DigitFont font = digitFontFor(view);
    makeFont(s, font.height, font.width, static_cast<int16_t>(view.rotation * 10), false, kTextWeight, kDigitFace);
    setTextColour(s, colour);
    setTextOpaque(s, false);
    const PixelPoint c = cellCentre(g, cell);
    const char text[2] = {character, 0};
    textAt(s, c.x, c.y, text, true);
}

DigitInk measureDigitInk(DrawSurface& s, const GridView& view) {
    DigitInk ink;
    HDC dc = surfaceDC(s);
    // A turned digit's ink is not a box around its cell's centre: such a view stays unmeasured.
    if (!dc || !s.objects || view.rotation != 0) return ink;
    const DigitFont font = digitFontFor(view);
    makeFont(s, font.height, font.width, 0, false, kTextWeight, kDigitFace);
    TEXTMETRICW metrics;
    if (!GetTextMetricsW(dc, &metrics)) {
        releaseSurfaceObjects(s);
        return ink;
    }
    /*
     * A digit is written centred on its advance (TA_CENTER), its cell's top
     * at the write point. Every digit's advance and overhangs are taken, with
     * a pixel more on each side for the smoothing of the glyph's edges and
     * one for the rounding of the half advance; upright, the font's cell and
     * a pixel above and below.
     */
    int left = 0, right = 0;
    for (wchar_t d = L'0'; d <= L'9'; ++d) {
        SIZE size = {0, 0};
        GetTextExtentPoint32W(dc, &d, 1, &size);
        ABC abc = {0, 0, 0};
        const bool bearings = GetCharABCWidthsW(dc, d, d, &abc) != 0;
        const int start = -(size.cx + 1) / 2;
        left = std::min(left, start + (bearings ? std::min(0, abc.abcA) : 0));
        right = std::max(right, start + static_cast<int>(size.cx) + (bearings ? std::max(0, -abc.abcC) : 0));
    }
    const TextPoint at = textWritePoint(s.objects->text, 0, 0);
    releaseSurfaceObjects(s);
    ink.scale = view.sizePx;
    ink.left = static_cast<int16_t>(left - 2);
    ink.right = static_cast<int16_t>(right + 2);
    ink.top = static_cast<int16_t>(at.y - 1);
    ink.bottom = static_cast<int16_t>(at.y + metrics.tmHeight + 1);
    return ink;
}

void drawCandidates(const Grid& g, const GridView& view, DrawSurface& s, int16_t cell) {
    CandidateMark marks[6];
    const int n = candidateMarksOf(g, cell, view.sizePx, marks);
    if (n == 0) return;
    const CandidateFont font = candidateFontFor(view.sizePx);
    makeFont(s, font.height, font.width, 0, false, kTextWeight, kDigitFace);
    // The mark's point is the top of its character: no centring offset.
    setTextOffset(s, 0, 0);
    setTextColour(s, kCandidateInk);
    setTextOpaque(s, false);
    for (int k = 0; k < n; ++k) {
        const char text[2] = {marks[k].character, 0};
        textAt(s, marks[k].x, marks[k].y, text, true);
    }
}

void drawBoundaries(const Grid& g, const BoundaryLines& lines, DrawSurface& s, int16_t width, uint32_t colour,
                    const DeviceBox& box) {
    if (!isView(g, NoteLayout::Triangle)) return;
    setPen(s, 1, colour);
    for (const LineEnds& e : lines.inner)
        if (segmentMeets(s, box, e.from, e.to, 2)) line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    setPen(s, width, colour);
    for (const LineEnds& e : lines.outer)
        if (segmentMeets(s, box, e.from, e.to, width + 2)) line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    releaseSurfaceObjects(s);
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
