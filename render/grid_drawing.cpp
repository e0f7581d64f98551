// The grid drawing's portable part: palette, display fields, extents and font sizes.
#include "render/grid_drawing.h"

#include <cmath>

Palette palette;

void installPalette() {
    palette = Palette();
}

void setScale(Grid& g, int16_t sizePx) {
    g.sizePx = sizePx;
    g.digitHeight = static_cast<int16_t>(std::trunc(0.55 * sizePx));
    setCellSize(g, sizePx);
}

void setView(Grid& g, int16_t view) {
    g.view = view;
    if (view == 7) computeNoteOffsets(g);
}

bool isView(const Grid& g, int16_t view) {
    return g.view == view;
}

void bindSurface(Grid& g, DrawSurface& s) {
    g.surface = &s;
}

void placeOnSurface(Grid&, DrawSurface& s) {
    moveToMm(s, 0, 0);
}

GridExtents measureExtents(const Grid& g, const DrawSurface& s) {
    GridBox box = boundingBox(g);
    GridExtents e;
    e.left = static_cast<int16_t>(std::trunc(pxToMmX(s, box.left)));
    e.right = static_cast<int16_t>(std::trunc(pxToMmX(s, box.right)));
    e.down = static_cast<int16_t>(std::trunc(pxToMmY(s, box.bottom)));
    e.up = static_cast<int16_t>(std::trunc(pxToMmY(s, box.top)));
    return e;
}

CandidateFont candidateFontFor(int16_t scale) {
    CandidateFont f;
    f.height = static_cast<int16_t>(scale / 4);
    f.width = static_cast<int16_t>(f.height / 2);
    switch (scale) {
    case 40: f.shift = 5; break;
    case 50: f.shift = 6; break;
    case 60: f.shift = 8; break;
    case 70: f.shift = 9; break;
    default: f.shift = 0; break;
    }
    return f;
}
