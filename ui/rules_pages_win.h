// Drawing the rules pages on a drawing surface: the page, its picture, its texts and its number.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "content/rules_pages.h"
#include "render/draw_surface.h"
#include "render/gdi_win.h"

/*
 * The pictures of pages 1..9 at both picture scales (ui/rules_page_scale.h):
 * bitmap resources of the program, each loaded on first use and kept by the
 * owner of the record. The page chooses among them at each drawing, so a
 * change of display scale needs nothing here. installRulesPicture puts a
 * bitmap in instead (for a program without the resources, such as the tests).
 */
struct RulesPictures {
    OwnedBitmap pages[kLastRulesPage + 1];  // 800 x 600
    OwnedBitmap large[kLastRulesPage + 1];  // 1600 x 1200
};

// Puts in page's picture at a picture scale (1 or kLargePictureScale).
void installRulesPicture(RulesPictures& pictures, int16_t page, int16_t pictureScale, OwnedBitmap bitmap);

/*
 * The whole page at a display scale (rulesPageMetrics(dpi)) on surface s bound
 * to dc, its top left corner at dc's (0, 0): the surface set up for the page
 * (placeRulesPage: at 96 dpi origin (400, 300), 100 x 100 pixels per inch,
 * zoom 1, positions and sizes in millimetres, y upward), the cyan page, the
 * picture of the page filling it, its texts in a language (0 French, 1
 * English) and its number. Pages outside 1..9 draw the cyan page only. The
 * surface's objects stay selected in dc: release them before dc goes.
 */
void drawRulesPageFrame(DrawSurface& s, RulesPictures& pictures, HDC dc, int16_t page, uint8_t language,
                        int16_t dpi);
