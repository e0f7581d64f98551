// The picture of a session: every item the paint draws, where, and what changed between two pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "app/session.h"
#include "render/grid_drawing.h"

/*
 * What the window shows, item by item, over the background of a version: the
 * grid's foreground items (render/grid_drawing.h), the marked hexagons, the
 * command bar panel and its texts, or a rules page, in the order the paint
 * draws them. The paint draws a picture's items and nothing else; the window
 * keeps the picture it last showed, and the next change is compared with it.
 * A new item drawn by the paint is thus a new item of the picture, and can
 * never be left out of the damage.
 */
struct Picture {
    bool valid = false;               // a picture at all (the window has shown nothing yet)
    uint32_t backgroundVersion = 0;   // the background it lies on (app/paint_plan.h)
    std::vector<PictureItem> items;
};

// How the grid's foreground is shown for the session: links, rules, the hint's outline, the arrows, the digits' ink.
ForegroundView foregroundViewOf(const Session& s, const DigitInk& ink);

/*
 * The picture the session calls for now. `ink` is the digits' ink the window
 * measured (scale 0: not measured; the cells' boxes stand for it).
 */
Picture pictureOf(const Session& s, const DigitInk& ink);

/*
 * What must be painted again to show `now` where `shown` is: everything (no
 * picture shown yet, another background, or an item that covers the whole
 * client area changed) or the listed boxes of client pixels (right and bottom
 * excluded): for every item that is new, gone, or shows something else or
 * elsewhere, its box before and its box after.
 */
struct Damage {
    bool all = false;
    std::vector<ShapeRect> boxes;
};
Damage damageBetween(const Picture& shown, const Picture& now);

/*
 * After a paint drew `now` over the client boxes `painted` (everything when
 * `whole`): `shown` takes every item whose box, before and after, lies inside
 * one painted box; the others keep what they showed, so a change outside the
 * painted boxes stays damage for a later paint.
 */
void notePainted(Picture& shown, const Picture& now, const std::vector<ShapeRect>& painted, bool whole);

// The client box of the command bar's panel (the rectangle behind the bar and its border).
ShapeRect panelBox(const AppState& app);
// The client box of cell i (its triangle, widened by the boundary pen and a margin for its digit and notes).
ShapeRect cellBox(const Session& s, int16_t i);
// The client box of cell i's digit: its ink measured at the session's scale, else its cell's box.
ShapeRect digitBox(const Session& s, const DigitInk& ink, int16_t i);
