// The game's own mouse cursors as 32 x 32 monochrome AND/XOR bit planes, drawn by code, with their hot spots.
#pragma once

#include <cstdint>
#include <vector>

/*
 * Planes are 32 rows of 4 bytes, top row first, the leftmost pixel in the
 * high bit of each byte. A pixel is black for AND 0 / XOR 0, white for
 * AND 0 / XOR 1, transparent for AND 1 / XOR 0 (and would invert the screen
 * for AND 1 / XOR 1, which these cursors never use).
 */
constexpr int kCursorSize = 32;
constexpr int kCursorPlaneBytes = kCursorSize * kCursorSize / 8;

struct CursorPlanes {
    uint8_t andPlane[kCursorPlaneBytes];
    uint8_t xorPlane[kCursorPlaneBytes];
    int16_t hotX;
    int16_t hotY;
};

/*
 * Cursor 0 (erase): an X-shaped cross, hot spot (16, 16).
 * Cursors 1..6: an arrow with the digit to its right, hot spot (1, 1).
 * Cursor 9: a hexagon outline around a six-pointed star, hot spot (16, 16).
 * Cursor 10: a burst, hot spot (15, 22).
 * Cursors 7 and 8 are the system's hourglass and arrow: no planes. Returns
 * false (and all-transparent planes) for every number without planes.
 */
bool buildCursorPlanes(int16_t number, CursorPlanes& planes);

// Whether the game draws cursor `number` itself (0..6, 9, 10).
bool isDrawnCursor(int16_t number);

enum class CursorPixel : uint8_t { Transparent, Black, White, Inverted };

// The pixel (x, y) of a cursor, y downward from the top row; Transparent outside the 32 x 32 square.
CursorPixel cursorPixel(const CursorPlanes& planes, int x, int y);

/*
 * A cursor at a display scale: the 32 x 32 planes grown to scaledPx(32, dpi)
 * square, each new pixel taking the colour of the pixel it falls in, with rows
 * padded to whole 16-bit words as CreateCursor reads them. The hot spot is the
 * centre of the grown hot pixel, so the cursor points where it did. At 96 dpi
 * (or below) the planes are the 32 x 32 ones unchanged.
 */
struct ScaledCursor {
    int16_t size = kCursorSize;
    int16_t rowBytes = kCursorSize / 8;
    std::vector<uint8_t> andPlane;
    std::vector<uint8_t> xorPlane;
    int16_t hotX = 0;
    int16_t hotY = 0;
};
ScaledCursor scaleCursor(const CursorPlanes& planes, int16_t dpi);
