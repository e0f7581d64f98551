// The pictures of the nine rules pages, drawn from the game's own lattice geometry and grids.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/picture_raster.h"
#include "ui/rules_page_scale.h"

/*
 * Picture size: one pixel per pixel of the 800 x 600 page, so nothing is
 * stretched at 96 dpi. Each picture is also drawn at kLargePictureScale, every
 * length multiplied (1600 x 1200), for the page at higher resolutions.
 */
constexpr int16_t kPictureWidth = 800;
constexpr int16_t kPictureHeight = 600;
// Colours 0..kPictureBaseColours-1 are drawn with; the next as many are their light twins.
constexpr uint8_t kPictureBaseColours = 16;

std::vector<PaletteColour> picturePalette();
// Draws the picture of page 1..9 at scale 1 or kLargePictureScale (an empty image for anything else).
void drawRulesPicture(int16_t page, RasterImage& img, int16_t scale = 1);
// The picture of page 1..9 at a scale as a run-length encoded BMP file; empty for anything else.
std::string rulesPictureBmp(int16_t page, int16_t scale = 1);
// The file the tool writes a picture to and the resources name: "N.bmp", or "N-2x.bmp" at the large scale.
std::string rulesPictureFileName(int16_t page, int16_t scale);

