// Play input on Windows: the cursors made from their bit planes, and setting the cursor.
#pragma once

#include <windows.h>

#include "app/play_input.h"

/*
 * The cursors the game draws itself (0..6, 9, 10) are made once at start-up
 * and destroyed at WM_DESTROY; 7 and 8 are the system's hourglass and arrow.
 * `last` is the cursor number last set (-1: none yet), so that a choice that
 * did not change is not set again.
 */
constexpr int kCursorSlots = 11;  // numbers 0..10
struct CursorSet {
    HCURSOR drawn[kCursorSlots] = {};
    int16_t last = -1;
    int16_t dpi = 0;  // the display scale they were made at
};

/*
 * Makes the drawn cursors not made yet at a display scale (scaleCursor). True
 * when every one was made; those that could not be made fall back to the
 * system arrow.
 */
bool createCursors(CursorSet& cursors, HINSTANCE instance, int16_t dpi);
// The drawn cursors made again at another display scale (nothing when they are at it); the one showing stays.
void remakeCursors(CursorSet& cursors, HINSTANCE instance, int16_t dpi);
// Destroys the drawn cursors; returns how many were destroyed. Safe to call twice.
int destroyCursors(CursorSet& cursors);
// The handle of cursor `number` (0..10): a drawn one (null when not made) or a system one.
HCURSOR cursorHandle(const CursorSet& cursors, int16_t number);

/*
 * Sets cursor `number` when it differs from the last one set, or always when
 * forced. Returns whether SetCursor was called.
 */
bool showCursor(CursorSet& cursors, int16_t number, bool forced);
