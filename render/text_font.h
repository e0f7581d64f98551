// Where a text lands for a font: the offset made with the font and the point each text is written at.
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * A font's text offset is chosen when the font is made, so that a centred text
 * is centred on its point both ways: (0, h/2) moves the top of the text half a
 * height above the point. A slanted font (escapement not a multiple of 900
 * tenths of a degree) takes 1.2 x h/2, and a positive escapement turns the
 * offset with the text: (-y sin a, y cos a), a = escapement / 10 degrees.
 * Each component is truncated to 16 bits.
 */
struct TextOffset {
    int16_t x = 0;
    int16_t y = 0;
};
TextOffset textOffsetFor(int16_t height, int16_t escapement);

constexpr uint32_t kDefaultTextBackground = 0x00FFFFFF;  // white

/*
 * The state of the current font as the drawing code sees it: the shape of the
 * font last made, its offset, and how texts are written (colours, opaque
 * background, centred or left-top alignment).
 */
struct TextFontState {
    int16_t height = 0;
    int16_t width = 0;
    int16_t escapement = 0;
    int16_t weight = 0;
    uint8_t italic = 0;
    TextString face;
    TextOffset offset;
    uint32_t textColour = 0;
    uint32_t backgroundColour = kDefaultTextBackground;
    uint8_t opaque = 0;
    uint8_t centred = 0;
};

// Stores the shape of a new font and its offset.
void setFontShape(TextFontState& f, int16_t height, int16_t width, int16_t escapement, bool italic,
                  int16_t weight, TextRef face);

// Device point a text given at (x, y) is written at: (x + offset x, y - offset y), in 16-bit units.
struct TextPoint {
    int16_t x = 0;
    int16_t y = 0;
};
TextPoint textWritePoint(const TextFontState& f, int x, int y);
