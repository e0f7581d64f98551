// Play input on Windows: the cursors made from their bit planes, setting the cursor, key polling and sounds.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/play_input.h"

/*
 * The cursors the game draws itself (0..6, 9, 10) are made once at start-up
 * and destroyed at WM_DESTROY; 7 and 8 are the system's hourglass and arrow.
 * createCursors returns true when every drawn cursor was made; those that
 * could not be made fall back to the system arrow when chosen.
 */
bool createCursors(HINSTANCE instance);
// Destroys the drawn cursors; returns how many were destroyed. Safe to call twice.
int destroyCursors();
// The handle of cursor `number` (0..10): a drawn one (null when not made) or a system one.
HCURSOR cursorHandle(int16_t number);

/*
 * Sets the cursor chosen by the rule (busy, Rules, hexagon, burst, digit);
 * SetCursor is called only when the choice differs from the last one, or
 * always when forced. Returns whether SetCursor was called.
 */
bool setCursorByRule(const AppState& app, bool forced);

/*
 * The key-state query: true when the key is down now or was pressed since the
 * last query of that key. Replaceable so that tests can press keys; null
 * restores the system query (GetAsyncKeyState).
 */
using KeyStateFunction = bool (*)(int virtualKey);
void setKeyStateFunction(KeyStateFunction function);
bool systemKeyState(int virtualKey);

/*
 * Every digit key and Tab queried once per poll, so that a key pressed since
 * the last poll is never left waiting for a later one.
 */
KeyboardState readKeyboard();

// After every handled message: the digit keys select a digit; true when a redraw was requested.
bool pollKeyboard(AppState& app);

// A digit chosen by the player (selector, command, given) with the cursor following it.
void selectDigitWithCursor(AppState& app, int16_t digit);

/*
 * The sounds of a click, through the game's one beep function. The erasure's
 * three beeps play with the burst cursor on; the cursor follows the selection
 * afterwards.
 */
void playFeedback(AppState& app, PlayFeedback feedback);
