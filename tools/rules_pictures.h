// The pictures of the nine rules pages, drawn from the game's own lattice geometry and grids.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/picture_raster.h"

// Picture size: one pixel per pixel of the 800 x 600 page, so nothing is stretched.
constexpr int16_t kPictureWidth = 800;
constexpr int16_t kPictureHeight = 600;
// Colours 0..kPictureBaseColours-1 are drawn with; the next as many are their light twins.
constexpr uint8_t kPictureBaseColours = 16;

std::vector<PaletteColour> picturePalette();
// Draws the picture of page 1..9 (an empty image for other pages).
void drawRulesPicture(int16_t page, RasterImage& img);
// The picture of page 1..9 as a run-length encoded BMP file; empty for other pages.
std::string rulesPictureBmp(int16_t page);
