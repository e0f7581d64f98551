// The paint cycle of the main window: cached bitmaps, the grid's two passes, highlights, the panel, the rules page.
#pragma once

#include <windows.h>

#include "app/app_state.h"

// WM_PAINT of the main window.
void paintMainWindow(AppState& app, HWND window);
// The cached bitmaps are given back (at WM_DESTROY, and by tests between windows).
void releasePaintBitmaps();
