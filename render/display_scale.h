// The display scale: lengths written for a 96-dpi screen, scaled to the screen's resolution at one place.
#pragma once

#include <cstdint>

/*
 * Every size of the window (the bar, the cells, the pens, the pages) is written
 * once in pixels of a 96-dpi screen and scaled here: px96 x dpi / 96, rounded
 * half away from zero as the drawing rounds. A resolution not measured (0 or
 * less) is taken as 96, where nothing changes.
 */
constexpr int16_t kReferenceDpi = 96;

constexpr int16_t scaledPx(int16_t px96, int16_t dpi) {
    const long d = dpi > 0 ? dpi : kReferenceDpi;
    const long n = long{px96} * d;
    const long magnitude = ((n < 0 ? -n : n) * 2 + kReferenceDpi) / (2 * kReferenceDpi);
    const long v = n < 0 ? -magnitude : magnitude;
    return static_cast<int16_t>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
}
