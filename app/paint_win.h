// The paint cycle of the main window: cached bitmaps, the grid's two passes, highlights, the panel, the rules page.
#pragma once

#include <windows.h>

struct MainWindow;

/*
 * WM_PAINT of the main window. It draws what the session holds, as laid out
 * at the end of the event that changed it: it never loads, prepares or lays
 * out. It only notes which cached bitmaps it made, and that the first paint
 * has happened.
 */
void paintMainWindow(MainWindow& win, HWND window);
// The cached bitmaps are given back (at WM_DESTROY, and by tests between windows).
void releasePaintBitmaps(MainWindow& win);
// The window gets the shape of the current layout.
void applyWindowShapeOf(MainWindow& win);
