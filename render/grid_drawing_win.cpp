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

void drawLinks(const Grid& g, const GridView& view, DrawSurface& s, int16_t i, const DeviceBox& box) {
    setPen(s, linkPen(view), kLinkColour);
    setBrush(s, kLinkColour);
    const PixelPoint c = cellCentre(g, i);
    if (i >= 0 && i < static_cast<int>(g.peerTable.size())) {
        for (int16_t peer : g.peerTable[i].peers) {
            if (peer < 1 || peer >= i) continue;
            const PixelPoint p = cellCentre(g, peer);
            if (segmentMeets(s, box, c, p, linkPen(view) + 1)) line(s, c.x, c.y, p.x, p.y);
        }
    }
    const int16_t r = linkDotRadius(view);
    if (segmentMeets(s, box, c, c, r + 2)) circle(s, c.x, c.y, r);
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

}  // namespace

void drawDotsAndBoundaries(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                           const BoundaryLines* lines, const DeviceBox& box) {
    drawCentreDots(g, view, s, box);
    placeOnSurface(s);
    if (lines) {
        drawBoundaries(g, *lines, s, view, boundaryColour, box);
    } else {
        drawBoundaries(g, boundaryLinesOf(g), s, view, boundaryColour, box);
    }
}

void drawBackground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const BoundaryLines* lines) {
    pushPosition(s);
    setBrush(s, palette.ground);
    placeOnSurface(s);
    if (isView(g, NoteLayout::Triangle)) fillCellList(g, view, s, g.holes, palette.hole, palette.hole);
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

void drawForegroundItem(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                        const ForegroundView& shell, const PictureItem& item) {
    switch (item.kind) {
    case ItemKind::Digit: {
        const DigitMark digit = digitMarkOf(g, item.key);
        if (digit.character) drawDigit(g, view, s, digit.colour, item.key, digit.character);
        break;
    }
    case ItemKind::Notes: drawCandidates(g, view, s, item.key); break;
    case ItemKind::Links: drawLinks(g, view, s, item.key, shell.only); break;
    // Links cross the dots and the lines: those go over them again (the dots filled in the links' green).
    case ItemKind::LinkedLines:
        setBrush(s, kLinkColour);
        drawDotsAndBoundaries(g, view, s, boundaryColour, shell.boundaries, shell.only);
        break;
    case ItemKind::Outline:
        // The outlined cell is what the item shows.
        setNoBrush(s);
        setPen(s, static_cast<int16_t>(3 * penUnit(view)), kHintOutlineColour);
        drawCellTriangle(s, cellOutline(g, static_cast<int16_t>(item.content)));
        break;
    case ItemKind::HintHexagon: {
        const auto h = static_cast<size_t>(item.content);
        if (h < 1 || h >= g.units.size()) break;
        setNoBrush(s);
        setPen(s, static_cast<int16_t>(3 * penUnit(view)), kHintOutlineColour);
        hexagon(s, g.units[h].x, g.units[h].y, 0, g.cellSize);
        break;
    }
    case ItemKind::SubsetCell:
        setNoBrush(s);
        setPen(s, hintMarkPen(view), kSubsetColour);
        drawCellTriangle(s, cellCursorOutline(g, item.key, cellCursorInset(view)));
        break;
    case ItemKind::Witness: {
        const PixelPoint c = cellCentre(g, item.key);
        setNoBrush(s);
        setPen(s, hintMarkPen(view), kWitnessColour);
        circle(s, c.x, c.y, witnessRadius(view));
        break;
    }
    case ItemKind::CellCursor:
        setNoBrush(s);
        setPen(s, cellCursorPen(view), kCellCursorColour);
        drawCellTriangle(s, cellCursorOutline(g, static_cast<int16_t>(item.content), cellCursorInset(view)));
        break;
    case ItemKind::Arrow: {
        // The arrows are drawn with the reference point on the surface's origin, and the pen the items before left.
        placeOnSurface(s);
        ArrowPaint paints[kArrowCount];
        arrowPaintsOf(shell, paints);
        if (item.key < 0 || item.key >= kArrowCount || !paints[item.key].drawn) break;
        setBrush(s, paints[item.key].colour);
        const std::array<PixelPoint, 4> points = arrowPolygon(shell.arrows[item.key], s);
        polygon(s, 0, 0, points.data(), static_cast<int>(points.size()));
        break;
    }
    default: break;  // the window's own items
    }
}

void drawForeground(const Grid& g, const GridView& view, DrawSurface& s, uint32_t boundaryColour,
                    const ForegroundView& shell) {
    std::vector<PictureItem> items;
    foregroundItems(g, view, s.refX, s.refY, shell, items);
    for (const PictureItem& item : items)
        if (boxesMeet(shell.only, item.box)) drawForegroundItem(g, view, s, boundaryColour, shell, item);
    placeOnSurface(s);
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

void drawBoundaries(const Grid& g, const BoundaryLines& lines, DrawSurface& s, const GridView& view, uint32_t colour,
                    const DeviceBox& box) {
    if (!isView(g, NoteLayout::Triangle)) return;
    const int16_t thin = linkPen(view);
    const int16_t width = outerBoundaryWidth(view);
    setPen(s, thin, colour);
    for (const LineEnds& e : lines.inner)
        if (segmentMeets(s, box, e.from, e.to, thin + 1)) line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    setPen(s, width, colour);
    for (const LineEnds& e : lines.outer)
        if (segmentMeets(s, box, e.from, e.to, width + 2)) line(s, e.from.x, e.from.y, e.to.x, e.to.y);
    releaseSurfaceObjects(s);
}

void fillCellList(const Grid& g, const GridView& view, DrawSurface& s, const TextList& cells, uint32_t penColour,
                  uint32_t fillColour) {
    setPen(s, scaledPx(2, view.dpi), penColour);
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
