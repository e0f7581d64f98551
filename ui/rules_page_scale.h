// The rules page at the display scale: its size in pixels, the resolution of its texts and the picture it shows.
#pragma once

#include <cstdint>

#include "content/rules_pages.h"
#include "render/draw_surface.h"
#include "ui/screen.h"

/*
 * The page is written for a 96-dpi screen: 800 x 600 pixels, its texts placed
 * and sized in millimetres at kRulesPageDpi. At another display scale the page
 * is scaledPx(800) x scaledPx(600) pixels and its texts are drawn at
 * kRulesPageDpi scaled the same way, so they keep their places on it.
 *
 * Each page's picture exists twice among the program's resources: at 800 x
 * 600 (resource number = the page) and drawn at kLargePictureScale, every
 * length doubled, at 1600 x 1200 (resource kLargeRulesPictureBase + page). Up
 * to 96 dpi the page shows the first as it always has; above, the large one
 * scaled down, 1:1 at 192 dpi. Only above 192 dpi is the large picture
 * stretched up to the page.
 */
constexpr int16_t kLargePictureScale = 2;
constexpr int16_t kLargeRulesPictureBase = 100;

struct RulesPageMetrics {
    int16_t dpi = kReferenceDpi;
    int16_t width = kRulesPageWidthPx;    // the page's pixels, scaledPx(800, dpi)
    int16_t height = kRulesPageHeightPx;  // scaledPx(600, dpi)
    int16_t resolution = kRulesPageDpi;   // pixels per inch of the texts, scaledPx(kRulesPageDpi, dpi)
    int16_t pictureScale = 1;             // 1: the 800 x 600 picture; kLargePictureScale: the 1600 x 1200 one
    uint8_t pictureStretchedUp = 0;       // 1 when the picture is smaller than the page (above 192 dpi)
};

// The page at a display scale (0 or less is taken as 96 dpi); its width and height are the Rules client area's.
RulesPageMetrics rulesPageMetrics(int16_t dpi);

// The resource number of a page's picture at a picture scale (1 or kLargePictureScale).
int16_t rulesPictureResource(int16_t page, int16_t pictureScale);

/*
 * The surface set up for the page: origin at the page's centre, the texts'
 * resolution both ways, zoom 1, the reference point on the origin. Positions
 * in millimetres (y upward) then land where the page at that scale has them.
 */
void placeRulesPage(DrawSurface& s, const RulesPageMetrics& page);
