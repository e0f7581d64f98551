// The discard rules of the paint cycle's cached bitmaps.
#include "app/paint_plan.h"

void discardAllBitmaps(PaintCache& cache) {
    discardBackground(cache);
}

void discardBackground(PaintCache& cache) {
    cache.backgroundValid = false;
    discardFrame(cache);
}

void discardFrame(PaintCache& cache) {
    cache.frameValid = false;
}

PaintSteps planPaint(PaintCache& cache, int16_t clientWidth, int16_t clientHeight) {
    if (clientWidth != cache.width || clientHeight != cache.height) {
        discardAllBitmaps(cache);
        cache.width = clientWidth;
        cache.height = clientHeight;
    }
    PaintSteps steps;
    steps.drawBackground = cache.backgroundValid ? 0 : 1;
    return steps;
}

void notePainted(PaintCache& cache, const PaintSteps& steps) {
    cache.backgroundValid = true;
    cache.frameValid = true;
    if (steps.drawBackground) ++cache.backgroundPasses;
}
