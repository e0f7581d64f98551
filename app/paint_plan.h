// Which of the paint cycle's cached bitmaps are still good, and what the next paint must redraw.
#pragma once

#include <cstdint>
#include <vector>

#include "base/text.h"
#include "render/grid_drawing.h"
#include "render/scroll_arrow.h"

/*
 * Three client-sized bitmaps serve the paint: the blank one (cyan, framed by a
 * black line), the background (the blank one with the grid's triangles drawn
 * on it) and the frame (the background plus the foreground, copied to the
 * window). The blank one shows nothing but the client size, and is made again
 * only for another size, which discards the other two as well. Discarding the
 * background discards the frame; every layout recomputation, grid load and
 * scale change discards both.
 *
 * The record keeps the bitmaps' validity and size, what the last paint showed
 * and the digits' ink it measured; the Windows half owns the bitmaps and asks
 * this record what to rebuild, so the rules are tested natively.
 */
/*
 * What the window shows, item by item, as far as a change of the game can
 * change it: each cell's digit, ink and notes, the marked hexagons, the scroll
 * arrows, the hint's outline, the link display and the panel's texts. The paint records it; the
 * next change is compared with it to find the rectangles to paint again.
 */
struct ShownPicture {
    uint8_t valid = 0;
    int16_t screenMode = 0;
    int16_t rulesPage = 0;
    uint8_t language = 0;
    int16_t gridNumber = 0;
    int16_t scale = 0;
    uint8_t linkDisplay = 0;
    std::vector<uint64_t> cells;  // [i] for cell i: character, ink and notes
    int16_t highlights[3] = {0, 0, 0};
    int16_t hintCell = 0;  // the cell a hint outlines, 0 for none
    uint8_t arrows[kArrowCount] = {};
    int16_t selectedDigit = 0;
    TextString level;
    int16_t gridCount = 0;
    uint8_t clocksEnabled = 0;
};

struct PaintCache {
    bool backgroundValid = false;
    bool frameValid = false;
    int16_t width = 0;   // client size the bitmaps were made for
    int16_t height = 0;
    int32_t backgroundPasses = 0;  // how many times the background was drawn (tests and benchmarks read it)
    ShownPicture shown;            // what the last paint left on the window
    DigitInk digitInk;             // the digits' ink box, measured by a paint at its scale
};

void discardAllBitmaps(PaintCache& cache);
void discardBackground(PaintCache& cache);
void discardFrame(PaintCache& cache);

// What one paint must do with the caches, decided before it draws.
struct PaintSteps {
    bool drawBackground = false;  // copy the blank one and run the background pass
};

/*
 * The client size is compared with the size the bitmaps were made for; a
 * different size discards everything. Then the steps follow from what is left.
 */
PaintSteps planPaint(PaintCache& cache, int16_t clientWidth, int16_t clientHeight);
// After the paint made what it planned.
void notePainted(PaintCache& cache, const PaintSteps& steps);
