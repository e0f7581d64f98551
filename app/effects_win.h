// The window's part of the effects: what an event or a command asks of the main window, its bar and its shape.
#pragma once

#include <windows.h>

#include "app/effects.h"

struct MainWindow;

// Posted once the splash of a new grid shows: its handler makes and loads the grid (the NewGridMade event).
constexpr UINT kNewGridMessage = WM_APP + 1;

// What a command asks of the window while it still runs: the splash with the hourglass, the bar's labels.
void showEffectsNow(MainWindow& win, const Effects& effects);
/*
 * Everything an event asks of the window, in one place: the mouse capture,
 * the tooltip, the sound and the cursor, the bar's fields, labels and state,
 * the splash, a change of screen mode, the shape and placement, the repaint,
 * and the window's minimise, close and destruction.
 */
void applyEffects(MainWindow& win, const Effects& effects);
