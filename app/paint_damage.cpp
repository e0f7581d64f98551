// Which rectangles of the window a change of the game touched: the shown picture compared with the game.
#include "app/paint_damage.h"

#include <algorithm>

#include "puzzle/levels.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"

namespace {

// A cell's item: its character, its ink and the notes it shows.
uint64_t cellItem(const Grid& g, int16_t i, int16_t scale) {
    const DigitMark digit = digitMarkOf(g, i);
    uint64_t notes = 0;
    if (!digit.character) {
        CandidateMark marks[6];
        const int n = candidateMarksOf(g, i, scale, marks);
        for (int k = 0; k < n; ++k) notes |= uint64_t{1} << ((marks[k].character - '0') & 31);
    }
    return static_cast<uint64_t>(static_cast<uint8_t>(digit.character)) | (uint64_t{digit.colour} << 8) |
           (notes << 32);
}

ShapeRect boxAround(int left, int top, int right, int bottom, int margin) {
    auto clamp16 = [](int v) { return static_cast<int16_t>(std::clamp(v, -32000, 32000)); };
    return ShapeRect{clamp16(left - margin), clamp16(top - margin), clamp16(right + margin + 1),
                     clamp16(bottom + margin + 1)};
}

ShapeRect arrowBox(const ScrollArrow& a) {
    int left = a.left, right = a.right, top = a.top, bottom = a.bottom;
    for (const auto& corner : a.triangle) {
        left = std::min<int>(left, corner[0]);
        right = std::max<int>(right, corner[0]);
        top = std::min<int>(top, corner[1]);
        bottom = std::max<int>(bottom, corner[1]);
    }
    return boxAround(left, top, right, bottom, 2);
}

// The outline of a marked hexagon: its six corners at a cell side from the point, and the width of its pen.
ShapeRect highlightBox(const Session& s, int16_t index) {
    const Grid& g = s.app.game.grids[0];
    PixelPoint p;
    if (!markHexagonPoint(g, index, p)) return ShapeRect{};
    const int x = s.layout.originX + p.x;
    const int y = s.layout.originY - p.y;
    const int r = g.cellSize;
    return boxAround(x - r, y - r, x + r, y + r, 4 + r / 8);
}

}  // namespace

ShapeRect panelBox(const AppState& app) {
    const BarLayout bar = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled != 0);
    return boxAround(kPanelX - 10, 0, kPanelX + 40, bar.barBottom + 10, 1);
}

ShownPicture pictureOf(const Session& s) {
    const AppState& app = s.app;
    ShownPicture p;
    p.valid = 1;
    p.screenMode = app.view.screenMode;
    p.rulesPage = app.view.rulesPage;
    p.language = app.view.language;
    p.gridNumber = app.game.gridNumber;
    p.scale = app.view.scale;
    p.linkDisplay = s.input.linkDisplay;
    const Grid& g = app.game.grids[0];
    if (app.view.screenMode != ScreenRules && app.game.gridNumber > 0) {
        p.cells.assign(static_cast<size_t>(std::max<int>(g.cellCount, 0)) + 1, 0);
        for (int16_t i = 1; i <= g.cellCount && isValidCell(g, i); ++i) p.cells[i] = cellItem(g, i, app.view.scale);
    }
    if (app.view.screenMode == ScreenPlay)
        for (int k = 0; k < 3; ++k) p.highlights[k] = app.game.hexHighlights[k];
    if (app.view.screenMode != ScreenRules && app.game.hintCell >= 1 && app.game.hintCell <= g.cellCount) p.hintCell = app.game.hintCell;
    for (int k = 0; k < kArrowCount; ++k) p.arrows[k] = s.layout.arrows[k].shown;
    p.selectedDigit = app.game.selectedDigit;
    levelLabel(g, p.level, 11, false);
    p.gridCount = app.game.gridCount;
    p.clocksEnabled = app.clocks.enabled;
    return p;
}

ShapeRect cellBox(const Session& s, int16_t i) {
    const Grid& g = s.app.game.grids[0];
    const std::array<PixelPoint, 4> outline = cellOutline(g, i);
    int left = 32767, right = -32768, top = 32767, bottom = -32768;
    for (const PixelPoint& p : outline) {
        left = std::min(left, s.layout.originX + p.x);
        right = std::max(right, s.layout.originX + p.x);
        top = std::min(top, s.layout.originY - p.y);
        bottom = std::max(bottom, s.layout.originY - p.y);
    }
    return boxAround(left, top, right, bottom, outerBoundaryWidth(gridViewAt(s.app.view.scale)) + 3);
}

ShapeRect digitBox(const Session& s, int16_t i) {
    const DigitInk& ink = s.paintCache.digitInk;
    const PixelPoint c = cellCentre(s.app.game.grids[0], i);
    const int x = s.layout.originX + c.x;
    const int y = s.layout.originY - c.y;
    return boxAround(x + ink.left, y + ink.top, x + ink.right - 1, y + ink.bottom - 1, 0);
}

/*
 * The box of a changed cell: the ink of its digit when only the digit changed
 * (no notes shown before or after) and that ink is measured at this scale,
 * else the whole cell.
 */
ShapeRect changedCellBox(const Session& s, int16_t i, uint64_t was, uint64_t now) {
    const bool digitOnly = (was >> 32) == 0 && (now >> 32) == 0;
    const int16_t inkScale = s.paintCache.digitInk.scale;
    if (digitOnly && inkScale != 0 && inkScale == s.app.view.scale) return digitBox(s, i);
    return cellBox(s, i);
}

Damage pendingDamage(const Session& s) {
    Damage d;
    const ShownPicture& was = s.paintCache.shown;
    const ShownPicture now = pictureOf(s);
    const PaintCache& cache = s.paintCache;
    if (!was.valid || !cache.frameValid || !cache.backgroundValid || was.screenMode != now.screenMode ||
        was.rulesPage != now.rulesPage || was.language != now.language || was.gridNumber != now.gridNumber ||
        was.scale != now.scale || was.linkDisplay != now.linkDisplay || was.cells.size() != now.cells.size() ||
        was.gridCount != now.gridCount || was.clocksEnabled != now.clocksEnabled) {
        d.all = true;
        return d;
    }
    for (size_t i = 1; i < now.cells.size(); ++i)
        if (was.cells[i] != now.cells[i])
            d.boxes.push_back(changedCellBox(s, static_cast<int16_t>(i), was.cells[i], now.cells[i]));
    for (int k = 0; k < 3; ++k) {
        if (was.highlights[k] == now.highlights[k]) continue;
        if (was.highlights[k] > 0) d.boxes.push_back(highlightBox(s, was.highlights[k]));
        if (now.highlights[k] > 0) d.boxes.push_back(highlightBox(s, now.highlights[k]));
    }
    if (was.hintCell != now.hintCell) {
        if (was.hintCell > 0) d.boxes.push_back(cellBox(s, was.hintCell));
        if (now.hintCell > 0) d.boxes.push_back(cellBox(s, now.hintCell));
    }
    // The arrows go by pairs (a pair is drawn whole): a change repaints every arrow.
    if (!std::equal(std::begin(was.arrows), std::end(was.arrows), std::begin(now.arrows)))
        for (int k = 0; k < kArrowCount; ++k) d.boxes.push_back(arrowBox(s.layout.arrows[k]));
    if (was.selectedDigit != now.selectedDigit || !(was.level.s == now.level.s))
        d.boxes.push_back(panelBox(s.app));
    return d;
}

void notePictureShown(Session& s) {
    s.paintCache.shown = pictureOf(s);
}
