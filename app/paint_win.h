// The paint cycle of the main window: cached bitmaps, the grid's two passes, highlights, the panel, the rules page.
#pragma once

#include <windows.h>

struct MainWindow;

/*
 * WM_PAINT of the main window. It draws what the session holds, as laid out
 * at the end of the event that changed it: it never loads, prepares or lays
 * out. It only notes which cached bitmaps it made, what it showed, and that
 * the first paint has happened. Only the update box is drawn and copied.
 */
void paintMainWindow(MainWindow& win, HWND window);
/*
 * Invalidates what changed in the game since the last paint: the boxes of the
 * changed items, or the whole client area after a new layout, grid, screen or
 * page (and while the splash waits for a paint to hide it).
 */
void invalidateDamage(MainWindow& win);
// The cached bitmaps are given back (at WM_DESTROY, and by tests between windows).
void releasePaintBitmaps(MainWindow& win);
// The working surface back to its start (cyan background, zoom 1), as a change of screen mode asks.
void resetWorkingSurface(MainWindow& win);
// The window gets the shape of the current layout.
void applyWindowShapeOf(MainWindow& win);
