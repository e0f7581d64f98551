// The picture of a session: every item the paint draws, where, and what changed between two pictures.
#include "app/picture.h"

#include <algorithm>
#include <functional>
#include <string>
#include <unordered_map>

#include "puzzle/levels.h"
#include "ui/command_bar.h"

namespace {

ShapeRect shapeOf(const DeviceBox& b) {
    return ShapeRect{b.left, b.top, b.right, b.bottom};
}

DeviceBox deviceOf(const ShapeRect& r) {
    return DeviceBox{true, r.left, r.top, r.right, r.bottom};
}

int16_t clampBox(long v) {
    return static_cast<int16_t>(std::clamp<long>(v, -32000, 32000));
}

ShapeRect boxAround(long left, long top, long right, long bottom, long margin) {
    return ShapeRect{clampBox(left - margin), clampBox(top - margin), clampBox(right + margin + 1),
                     clampBox(bottom + margin + 1)};
}

// The outline of a marked hexagon: its six corners at a cell side from the point, and the width of its pen.
DeviceBox markBox(const Session& s, int16_t index) {
    const Grid& g = s.app.game.grids[0];
    PixelPoint p;
    if (!markHexagonPoint(g, index, p)) return DeviceBox{true, 0, 0, 0, 0};
    const int x = s.layout.originX + p.x;
    const int y = s.layout.originY - p.y;
    const int r = g.cellSize;
    return deviceOf(boxAround(x - r, y - r, x + r, y + r, 4 + r / 8));
}

// A short text as it is (its first six bytes), a longer one by its hash; with the row it is written on.
uint64_t textContent(const std::string& text, int16_t row) {
    uint64_t bytes = 0;
    if (text.size() <= 6) {
        for (size_t k = 0; k < text.size(); ++k) bytes |= uint64_t{static_cast<uint8_t>(text[k])} << (8 * k);
    } else {
        bytes = std::hash<std::string>()(text) & 0xFFFFFFFFFFFFull;
    }
    return bytes | (uint64_t{static_cast<uint16_t>(row)} << 48);
}

uint64_t withRow(uint64_t value, int16_t row) {
    return (value & 0xFFFFFFFFFFFFull) | (uint64_t{static_cast<uint16_t>(row)} << 48);
}

// The panel behind the bar and its texts, in the order the paint draws them; each repaints the whole panel.
void panelItems(const Session& s, std::vector<PictureItem>& out) {
    const AppState& app = s.app;
    const BarLayout bar = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled, app.geometry.dpi);
    const DeviceBox box = deviceOf(panelBox(app));
    out.push_back(PictureItem{ItemKind::PanelFrame, 0, withRow(0, bar.barBottom), box});
    const uint64_t version = (uint64_t{static_cast<uint16_t>(app.versionMajor)} << 16) |
                             static_cast<uint16_t>(app.versionMinor);
    out.push_back(PictureItem{ItemKind::Version, 0, withRow(version, bar.versionRow), box});
    // A new grid (number 6) has no button to mark.
    const int16_t n = app.game.gridNumber;
    if (bar.gridButtons && n > 0 && n <= app.game.gridCount)
        out.push_back(PictureItem{ItemKind::GridStar, 0, withRow(static_cast<uint64_t>(n), bar.gridRowTop), box});
    TextString level;
    levelLabel(app.game.grids[0], level, 11, false);
    out.push_back(PictureItem{ItemKind::Level, 0, textContent(level.s, bar.levelRow), box});
    const uint64_t digit = static_cast<uint16_t>(app.game.selectedDigit);
    out.push_back(PictureItem{ItemKind::ChosenDigit, 0, withRow(digit, bar.digitRow), box});
    out.push_back(PictureItem{ItemKind::Selector, 0, withRow(digit, bar.selectorTop), box});
}

uint32_t itemId(const PictureItem& item) {
    return (uint32_t{static_cast<uint8_t>(item.kind)} << 16) | static_cast<uint16_t>(item.key);
}

std::unordered_map<uint32_t, size_t> indexOf(const Picture& p) {
    std::unordered_map<uint32_t, size_t> index;
    index.reserve(p.items.size());
    for (size_t k = 0; k < p.items.size(); ++k) index.emplace(itemId(p.items[k]), k);
    return index;
}

bool coveredBy(const DeviceBox& box, const std::vector<ShapeRect>& painted) {
    if (!box.limited) return false;
    for (const ShapeRect& p : painted)
        if (p.left <= box.left && p.top <= box.top && p.right >= box.right && p.bottom >= box.bottom) return true;
    return false;
}

}  // namespace

ShapeRect panelBox(const AppState& app) {
    const BarLayout bar = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled, app.geometry.dpi);
    return boxAround(bar.panelLeft, 0, bar.panelRight, bar.panelBottom, 1);
}

ShapeRect cellBox(const Session& s, int16_t i) {
    return shapeOf(cellItemBox(s.app.game.grids[0], screenGridView(s.app), s.layout.originX,
                               s.layout.originY, i));
}

ShapeRect digitBox(const Session& s, const DigitInk& ink, int16_t i) {
    return shapeOf(digitItemBox(s.app.game.grids[0], screenGridView(s.app), s.layout.originX,
                                s.layout.originY, ink, i));
}

ForegroundView foregroundViewOf(const Session& s, const DigitInk& ink) {
    ForegroundView view;
    view.linkDisplay = s.input.linkDisplay;
    view.rulesShown = s.app.view.screenMode == ScreenMode::Rules;
    const HintMarks& hint = s.app.game.hint;
    view.outlinedCell = hint.cell;
    view.hintHexagon = hint.hexagon;
    view.witnessCells = hint.witnesses;
    view.subsetCells = hint.subset;
    view.struckCells = hint.struck;
    view.cursorCell = s.app.game.cursorCell;
    view.digitInk = ink;
    for (int i = 0; i < kArrowCount; ++i) view.arrows[i] = s.layout.arrows[i];
    return view;
}

Picture pictureOf(const Session& s, const DigitInk& ink) {
    const AppState& app = s.app;
    Picture p;
    p.valid = true;
    p.backgroundVersion = s.background.version;
    const bool rules = app.view.screenMode == ScreenMode::Rules;
    if (!rules && app.game.gridNumber > 0)
        foregroundItems(app.game.grids[0], screenGridView(app), s.layout.originX, s.layout.originY,
                        foregroundViewOf(s, ink), p.items);
    if (app.view.screenMode == ScreenMode::Play) {
        // The oldest first, so that the newest lies on top where outlines meet.
        for (int16_t rank = 2; rank >= 0; --rank) {
            const int16_t corner = app.game.hexHighlights[rank];
            if (corner > 0) p.items.push_back(PictureItem{ItemKind::Mark, rank, static_cast<uint64_t>(corner),
                                                          markBox(s, corner)});
        }
    }
    if (rules) {
        const uint64_t page = static_cast<uint16_t>(app.view.rulesPage) | (uint64_t{app.view.language} << 16);
        p.items.push_back(PictureItem{ItemKind::RulesPage, 0, page, DeviceBox()});
    } else if (app.view.screenMode == ScreenMode::Play) {
        panelItems(s, p.items);
    }
    return p;
}

Damage damageBetween(const Picture& shown, const Picture& now) {
    Damage d;
    if (!shown.valid || !now.valid || shown.backgroundVersion != now.backgroundVersion) {
        d.all = true;
        return d;
    }
    std::vector<DeviceBox> boxes;
    const std::unordered_map<uint32_t, size_t> before = indexOf(shown);
    std::vector<bool> matched(shown.items.size(), false);
    for (const PictureItem& item : now.items) {
        const auto found = before.find(itemId(item));
        if (found == before.end()) {
            boxes.push_back(item.box);
            continue;
        }
        matched[found->second] = true;
        const PictureItem& was = shown.items[found->second];
        if (was == item) continue;
        boxes.push_back(was.box);
        boxes.push_back(item.box);
    }
    for (size_t k = 0; k < shown.items.size(); ++k)
        if (!matched[k]) boxes.push_back(shown.items[k].box);
    for (const DeviceBox& b : boxes) {
        if (!b.limited) {
            d.all = true;
            d.boxes.clear();
            return d;
        }
        d.boxes.push_back(shapeOf(b));
    }
    return d;
}

void notePainted(Picture& shown, const Picture& now, const std::vector<ShapeRect>& painted, bool whole) {
    if (whole) {
        shown = now;
        return;
    }
    // A partial paint lies on the background it found: over another one, nothing it drew can be trusted.
    if (!shown.valid || shown.backgroundVersion != now.backgroundVersion) return;
    const std::unordered_map<uint32_t, size_t> before = indexOf(shown);
    std::vector<bool> matched(shown.items.size(), false);
    std::vector<PictureItem> items;
    items.reserve(now.items.size());
    for (const PictureItem& item : now.items) {
        const auto found = before.find(itemId(item));
        const bool drawn = coveredBy(item.box, painted);
        if (found == before.end()) {
            if (drawn) items.push_back(item);
            continue;
        }
        matched[found->second] = true;
        const PictureItem& was = shown.items[found->second];
        items.push_back(drawn && coveredBy(was.box, painted) ? item : was);
    }
    // An item that is gone stays on screen until a paint covers its box.
    for (size_t k = 0; k < shown.items.size(); ++k)
        if (!matched[k] && !coveredBy(shown.items[k].box, painted)) items.push_back(shown.items[k]);
    shown.items = std::move(items);
}
