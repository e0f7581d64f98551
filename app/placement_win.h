// Where the main window sits: its frame measured, and its size and position asked for the current mode.
#pragma once

#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/layout.h"

struct MainWindow;

// Where the client area starts inside the window rectangle (border, and border plus caption); (0, 0) on failure.
POINT measureFrame(HWND window);
// Moves and sizes the main window for the current mode; shows it only once showing is allowed.
void repositionMainWindow(MainWindow& win);
// The work areas of every monitor, in screen coordinates (the window's position and room are measured against them).
std::vector<ShapeRect> monitorWorkAreas();
/*
 * The resolution of the monitor the window is on (dots per inch): asked of the
 * window where the system can tell it per monitor, else the screen's; 0 when
 * nothing can be read.
 */
int16_t windowResolution(HWND window);
