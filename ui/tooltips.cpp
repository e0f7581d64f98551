// The tooltip set's portable part: hot rectangles, texts, track decisions and the pop-up's geometry.
#include "ui/tooltips.h"

#include <algorithm>

void constructTooltips(TooltipSet& set) {
    set = TooltipSet();
    set.rects.assign(1, TooltipRect());
}

void setStartupTooltipOffset(TooltipSet& set) {
    set.started = 1;
    scaleTooltips(set, set.dpi);
}

void scaleTooltips(TooltipSet& set, int16_t dpi) {
    set.dpi = dpi > 0 ? dpi : kReferenceDpi;
    set.labelX = scaledPx(kTooltipLabelInset, set.dpi);
    set.labelY = set.labelX;
    set.labelHeight = scaledPx(kTooltipLabelHeight, set.dpi);
    set.textMargin = scaledPx(kTooltipTextMargin, set.dpi);
    set.offsetX = scaledPx(set.started ? kStartedTooltipOffsetX : kTooltipOffsetX, set.dpi);
    set.offsetY = scaledPx(set.started ? kStartedTooltipOffsetY : kTooltipOffsetY, set.dpi);
}

void addHotRect(TooltipSet& set, int16_t id, int16_t x0, int16_t x1, int16_t y0, int16_t y1) {
    if (set.rects.empty()) set.rects.assign(1, TooltipRect());
    if (static_cast<size_t>(set.rectCount) + 1 >= set.rects.size()) {
        set.rects.resize(set.rects.size() + kTooltipGrowth);
    }
    ++set.rectCount;
    TooltipRect& r = set.rects[static_cast<size_t>(set.rectCount)];
    r.id = id;
    r.x0 = x0;
    r.x1 = x1;
    r.y0 = y0;
    r.y1 = y1;
}

int16_t hotRectAt(const TooltipSet& set, int x, int y) {
    for (int16_t i = 1; i <= set.rectCount; ++i) {
        const TooltipRect& r = set.rects[static_cast<size_t>(i)];
        if (x >= r.x0 && x <= r.x1 && y >= r.y0 && y <= r.y1) return r.id;
    }
    return 0;
}

void setTooltipText(TooltipSet& set, int16_t id, TextRef text) {
    TextString value;
    value.assign3("  ", text, "  ");
    set.texts.setValue(numberText(id), value);
}

void clearTooltipTexts(TooltipSet& set) {
    set.texts.clear();
    set.currentId = 0;
    set.shownId = 0;
}

bool tooltipTextOf(const TooltipSet& set, int16_t id, TextString& text) {
    int position = 0;
    text = set.texts.getValue(numberText(id), &position);
    return position > 0;
}

TrackDecision trackDecision(TooltipSet& set, int x, int y, int16_t selectorDigitHere) {
    TrackDecision d;
    int16_t id = hotRectAt(set, x, y);
    if (selectorDigitHere > 0) id = static_cast<int16_t>(set.selectorBase + selectorDigitHere);
    if (id != set.currentId) {
        d.hide = takeHide(set) ? 1 : 0;
        set.currentId = id;
    }
    if (set.currentId != 0 && !set.visible) d.show = true;
    return d;
}

bool pointerLeftTooltip(TooltipSet& set, bool overWindow, int x, int y, int16_t selectorDigitHere) {
    if (!set.visible) return false;
    if (overWindow) {
        int16_t id = hotRectAt(set, x, y);
        if (selectorDigitHere > 0) id = static_cast<int16_t>(set.selectorBase + selectorDigitHere);
        if (id == set.shownId) return false;
    }
    set.visible = false;
    set.currentId = 0;
    return true;
}

bool takeHide(TooltipSet& set) {
    if (!set.visible) return false;
    set.visible = false;
    return true;
}

bool prepareShow(TooltipSet& set, int sx, int sy, TextString& text) {
    set.x = static_cast<int16_t>(sx + set.offsetX);
    set.y = static_cast<int16_t>(sy + set.offsetY);
    if (!tooltipTextOf(set, set.currentId, text)) {
        set.currentId = 0;
        return false;
    }
    return true;
}

void sizeForText(TooltipSet& set, int textWidth) {
    set.labelWidth = static_cast<int16_t>(std::clamp(textWidth - set.textMargin, 0, 32000));
    set.width = static_cast<int16_t>(set.labelWidth + 2 * set.labelX);
    set.height = static_cast<int16_t>(set.labelHeight + 2 * set.labelY);
}

void markShown(TooltipSet& set) {
    set.shownId = set.currentId;
    set.visible = true;
}
