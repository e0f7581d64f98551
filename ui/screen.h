// The screen modes of the main window and the scale range of the grid, as the user interface speaks of them.
#pragma once

#include <cstdint>

// The display scale (kReferenceDpi, scaledPx) is the drawing's: the bar and the cells follow the same one.
#include "render/display_scale.h"

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

// The scales (cell sizes in 96-dpi pixels) the bar's "-" and "+" step through.
constexpr int16_t kScaleMin = 40;
constexpr int16_t kScaleMax = 70;
constexpr int16_t kScaleStep = 10;

