// Which rectangles of the window a change of the game touched, found by comparing what is shown with what should be.
#pragma once

#include <cstdint>
#include <vector>

#include "app/paint_plan.h"
#include "app/session.h"

/*
 * What must be painted again: everything (a new layout, grid, scale, screen,
 * page or language, the link display turned on or off, a bitmap that is no
 * longer good) or the listed boxes of client pixels (right and bottom
 * excluded), each covering an item that changed (a cell
 * with its digit and notes, a marked hexagon before and after, a scroll arrow,
 * the panel). Nothing listed and `all` clear: the window shows the game.
 */
struct Damage {
    bool all = false;
    std::vector<ShapeRect> boxes;
};

// What the window should show now for the session's game.
ShownPicture pictureOf(const Session& s);
// The boxes that differ between what the window shows (s.paintCache.shown) and what it should show.
Damage pendingDamage(const Session& s);
// The last paint showed the game as it is now.
void notePictureShown(Session& s);

// The client box of the command bar's panel (the rectangle behind the bar and its border).
ShapeRect panelBox(const AppState& app);
// The client box of cell i (its triangle, widened by the boundary pen and a margin for its digit and notes).
ShapeRect cellBox(const Session& s, int16_t i);
// The client box of cell i's digit, from the ink measured at the scale of the last paint.
ShapeRect digitBox(const Session& s, int16_t i);
