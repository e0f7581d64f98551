// The screen modes of the main window and the scale range of the grid, as the user interface speaks of them.
#pragma once

#include <cstdint>

/*
 * Screen modes. The values are those the rest of the program stores and
 * compares; 0 is the state before start-up has reset the play state.
 */
enum ScreenMode : int16_t {
    ScreenNone = 0,
    ScreenStart = 1,  // no grid loaded
    ScreenPlay = 5,
    ScreenRules = 6,
};

// The scales (cell sizes in pixels) the bar's "-" and "+" step through.
constexpr int16_t kScaleMin = 40;
constexpr int16_t kScaleMax = 70;
constexpr int16_t kScaleStep = 10;
