// The window's shape as a GDI region: built from the layout's lists and handed to the main window.
#pragma once

#include <windows.h>

#include "app/layout.h"
#include "render/gdi_win.h"

/*
 * The region of a shape in window coordinates: caption strip, panel, and the
 * grid part (hexagons as alternate-filled polygons, discs, arrow triangles,
 * all cut to the grid area). An absent shape gives an empty holder.
 */
OwnedRegion buildShapeRegion(const WindowShape& shape);

/*
 * Hands the window the region of the shape and, when asked, redraws the
 * whole window with its frame and controls. A region handed
 * to a window belongs to the window from then on: the program never touches
 * or deletes it again (the window deletes it when it gets the next one).
 * Returns false when the region could not be made or set (the window keeps
 * its previous shape). An absent shape removes the shape.
 */
bool applyWindowShape(HWND window, const WindowShape& shape, bool redraw = true);

// No shape: the whole rectangular window shows (Rules mode).
void removeWindowShape(HWND window);
