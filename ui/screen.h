// The screen modes of the main window and the scale range of the grid, as the user interface speaks of them.
#pragma once

#include <cstdint>

/*
 * Screen modes. None is the state before start-up has reset the play state;
 * the values are the codes the modes have always had.
 */
enum class ScreenMode : int16_t {
    None = 0,
    Start = 1,  // no grid loaded
    Play = 5,
    Rules = 6,
};

// The scales (cell sizes in pixels) the bar's "-" and "+" step through.
constexpr int16_t kScaleMin = 40;
constexpr int16_t kScaleMax = 70;
constexpr int16_t kScaleStep = 10;

/*
 * Display scale. The bar and its neighbours are written in pixels of a
 * 96-dpi screen and scaled here, at one place, to the screen's resolution:
 * px96 x dpi / 96, rounded half away from zero as the drawing rounds. A
 * resolution not measured (0 or less) is taken as 96, where nothing changes.
 */
constexpr int16_t kReferenceDpi = 96;

constexpr int16_t scaledPx(int16_t px96, int16_t dpi) {
    const long d = dpi > 0 ? dpi : kReferenceDpi;
    const long n = long{px96} * d;
    const long magnitude = ((n < 0 ? -n : n) * 2 + kReferenceDpi) / (2 * kReferenceDpi);
    const long v = n < 0 ? -magnitude : magnitude;
    return static_cast<int16_t>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v));
}
