// The rules page at the display scale: its size in pixels, the resolution of its texts and the picture it shows.
#include "ui/rules_page_scale.h"

RulesPageMetrics rulesPageMetrics(int16_t dpi) {
    RulesPageMetrics m;
    m.dpi = dpi > 0 ? dpi : kReferenceDpi;
    m.width = scaledPx(kRulesPageWidthPx, m.dpi);
    m.height = scaledPx(kRulesPageHeightPx, m.dpi);
    m.resolution = scaledPx(kRulesPageDpi, m.dpi);
    m.pictureScale = m.dpi > kReferenceDpi ? kLargePictureScale : 1;
    m.pictureStretchedUp = m.width > kRulesPageWidthPx * kLargePictureScale ? 1 : 0;
    return m;
}

int16_t rulesPictureResource(int16_t page, int16_t pictureScale) {
    return static_cast<int16_t>(pictureScale == kLargePictureScale ? kLargeRulesPictureBase + page : page);
}

void placeRulesPage(DrawSurface& s, const RulesPageMetrics& page) {
    setOrigin(s, static_cast<int16_t>(page.width / 2), static_cast<int16_t>(page.height / 2));
    setZoom(s, 1.0f);
    setResolution(s, page.resolution, page.resolution);
    moveToMm(s, 0, 0);
}
