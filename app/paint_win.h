// The paint of the main window: the frame brought up to date with the session's picture and shown in boxes.
#pragma once

#include <windows.h>

struct MainWindow;

/*
 * There is one way to show a picture: the frame bitmap is brought up to date
 * over a set of client boxes (the background copied in, then every item of
 * the session's picture that meets a box drawn over it) and those boxes are
 * copied to the window. WM_PAINT shows its update box so; a change of the
 * game is shown so at once through the window's DC when nothing else is due,
 * else its boxes are invalidated for WM_PAINT. The paint reads the session and
 * changes nothing in it: it keeps its bitmaps, the picture it showed and the
 * digits' ink it measured in the window's record.
 */

/*
 * WM_PAINT: validates the update region and shows its box, once start-up has
 * finished and the client area is not empty (true then). Nothing else.
 */
bool showUpdateRegion(MainWindow& win, HWND window);
/*
 * Shows what changed in the game since the last show: the boxes of the items
 * whose picture changed, or the whole client area for another background, size
 * or screen (and lets a paint come while the splash waits for one to hide it).
 */
void showChanges(MainWindow& win);
// The frame holds a picture over the session's current background at this client size.
bool frameIsCurrent(const MainWindow& win);
// The cached bitmaps are given back (at WM_DESTROY, and by tests between windows); the next show draws everything.
void releasePaintBitmaps(MainWindow& win);
// The working surface back to its start (cyan background, zoom 1), as a change of screen mode asks.
void resetWorkingSurface(MainWindow& win);
// The window gets the shape of the current layout.
void applyWindowShapeOf(MainWindow& win);
