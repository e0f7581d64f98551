// The session's word on the paint's background: a version that every change of the grid's picture moves on.
#include "app/paint_plan.h"

void discardBackground(BackgroundState& background) {
    ++background.version;
    // Never 0: a window that has drawn nothing yet holds version 0.
    if (background.version == 0) background.version = 1;
}
