// Drawing the rules pages on a drawing surface: the page, its picture, its texts and its number.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "content/rules_pages.h"
#include "render/draw_surface.h"
#include "render/gdi_win.h"

/*
 * The pictures of pages 1..9: bitmap resources of the program, loaded on first
 * use and kept by the owner of the record. installRulesPicture puts a bitmap
 * in instead (for a program without the resources, such as the tests).
 */
struct RulesPictures {
    OwnedBitmap pages[kLastRulesPage + 1];
};

void installRulesPicture(RulesPictures& pictures, int16_t page, OwnedBitmap bitmap);

/*
 * The whole page on surface s bound to dc: the surface set up for the page
 * (origin (400, 300), 100 x 100 pixels per inch, zoom 1, positions and sizes in
 * millimetres, y upward), the cyan page, the picture of the page stretched to
 * 800 x 600, its texts in a language (0 French, 1 English) and its number.
 * Pages outside 1..9 draw the cyan page only. The surface's objects stay
 * selected in dc: release them before dc goes.
 */
void drawRulesPageFrame(DrawSurface& s, RulesPictures& pictures, HDC dc, int16_t page, uint8_t language);
