// Drawing the rules pages on the drawing surface: page texts, the registered sign, and the whole page frame.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "render/gdi_win.h"

/*
 * Page positions and sizes are millimetres on the current drawing surface
 * (currentSurface), which the frame sets to 100 pixels per inch with its
 * origin at the page centre, y upward.
 */

// What the page texts are drawn with: the face of the next text, the fill and the text colour last chosen.
struct PageInk {
    TextString fontFace = TextString("Arial");
    uint32_t fillColour = 0;
    uint32_t textColour = 0;
};

void setFontFace(PageInk& ink, TextRef face);
// A solid fill of that colour becomes current.
void setFillColour(PageInk& ink, uint32_t colour);
// A solid pen of width pixels (or millimetres) in that colour, which also becomes the text colour.
void setPenAndTextColour(PageInk& ink, int width, uint32_t colour);
void setPenAndTextColourMm(PageInk& ink, double widthMm, uint32_t colour);

// A text at (x, y) in a font of height size (width a third of it), turned by angle degrees, in the ink's face.
void drawPageText(const PageInk& ink, double x, double y, int16_t angle, double size, bool italic, int16_t weight,
                  bool aligned, TextRef text);
// The registered sign at (x, y) in Times New Roman, twice size high, in the ink's text colour.
void drawRegisteredSign(const PageInk& ink, double x, double y, double size);

// The texts of page 1..9 in a language (0 French, 1 English); any other page draws nothing.
void drawRulesPage(PageInk& ink, int16_t page, uint8_t language);

/*
 * The whole page on the drawing surface bound to dc: the surface set up for
 * the page (origin (400, 300), 100 x 100 pixels per inch, zoom 1), the cyan
 * page, the picture of the page stretched to 800 x 600, its texts and its
 * number. Pages outside 1..9 draw the cyan page only.
 */
void drawRulesPageFrame(HDC dc, int16_t page, uint8_t language);

/*
 * The pictures are bitmap resources 1..9 of the program, loaded on first use
 * and kept. installRulesPicture puts a bitmap in the cache instead (for a
 * program without the resources, such as the tests); releaseRulesPictures
 * frees them all.
 */
void installRulesPicture(int16_t page, OwnedBitmap bitmap);
void releaseRulesPictures();
