// The keyboard: which key does what in each screen mode, the cell cursor it moves, and keys held since a box.
#pragma once

#include <bitset>
#include <cstdint>

#include "app/app_state.h"
#include "puzzle/cell_navigation.h"

/*
 * Keys by their Windows virtual-key numbers, so that the shell hands a key
 * message's number through unchanged (the Windows half checks that each one
 * equals its VK_ constant).
 */
enum KeyCode : int16_t {
    KeyBackspace = 0x08,
    KeyTab = 0x09,
    KeyEnter = 0x0D,
    KeyEscape = 0x1B,
    KeySpace = 0x20,
    KeyLeft = 0x25,
    KeyUp = 0x26,
    KeyRight = 0x27,
    KeyDown = 0x28,
    KeyDelete = 0x2E,
    Key0 = 0x30,  // '0'..'9' of the main keyboard follow
    KeyH = 0x48,
    KeyN = 0x4E,
    KeyS = 0x53,
    KeyY = 0x59,
    KeyZ = 0x5A,
    KeyPad0 = 0x60,  // keypad 0..9 follow
    KeyPadAdd = 0x6B,
    KeyPadSubtract = 0x6D,
    KeyF1 = 0x70,
    KeyPlus = 0xBB,   // the '=' and '+' key of the main keyboard
    KeyMinus = 0xBD,  // the '-' key of the main keyboard
};
constexpr int kKeyCodeCount = 256;

// One key going down, as the window's key message tells it.
struct KeyPress {
    int16_t key = 0;
    bool shift = false;
    bool ctrl = false;
    bool repeat = false;  // the key was already down: the keyboard's own repetition
};

enum class KeyActionKind : uint8_t {
    None,
    SelectDigit,  // choose `digit` (0..6)
    NextDigit,    // Tab: the digit after the selected one, 1..6 round
    MoveCursor,   // the cell cursor one step toward `heading` (shown first where it was hidden)
    ActOnCell,    // Space, Enter: a left click on the cursor's cell
    EraseCell,    // Delete, Backspace: a left click with 0 selected, the selection kept
    ToggleNote,   // Shift + 1..6: that note of the cursor's cell
    Command,      // the command `command`, as its button (or N, H) runs it
};

struct KeyAction {
    KeyActionKind kind = KeyActionKind::None;
    int16_t digit = 0;
    Heading heading = Heading::Left;
    int16_t command = 0;
};

/*
 * What a key does in the state the game is in. In Play mode:
 *   1..6 and 0 (main keyboard or keypad): select that digit; Tab: the next;
 *   Shift + 1..6: that note of the cursor's cell;
 *   arrows: move the cell cursor; Space, Enter: act on its cell; Delete,
 *   Backspace: erase it;
 *   Ctrl+Z, Ctrl+Y, Ctrl+S: undo, re-do, save; + and -: bigger and smaller;
 *   F1: the rules pages; N: a new grid; H: a hint.
 * In Rules mode: Left and Right turn the pages, Esc returns to the grid; the
 * digit keys still select (they always have). A command key counts only
 * where its button would take a click (commandKeyAllowed).
 *
 * The keyboard repeats a held key: a repetition moves the cursor again,
 * selects again (six 6s in a row count, as before), turns a page or zooms
 * again, but never places, erases, toggles or runs a command twice.
 */
KeyAction decideKey(const AppState& app, const KeyPress& press);

// Whether the button of `command` would take a click now (shown and enabled); N and H in Play mode.
bool commandKeyAllowed(const AppState& app, int16_t command);

/*
 * Keys seen going down while the game had the keyboard. A key pressed while a
 * box of the game or another window had it reaches the game, if at all, as
 * its release and, held on, as repetitions: neither must act. So a repetition
 * counts only for a key whose first press the game saw, and losing the
 * keyboard forgets every key.
 */
struct HeldKeys {
    std::bitset<kKeyCodeCount> down;
};

// Records the press; false when it must be ignored (a repetition of a key pressed elsewhere, or no key).
bool notePress(HeldKeys& held, const KeyPress& press);
void noteRelease(HeldKeys& held, int16_t key);
void forgetKeys(HeldKeys& held);

// ---------------------------------------------------------------- the cell cursor

// The cursor shows on `cell` (0 hides it).
void placeCellCursor(AppState& app, int16_t cell);
/*
 * An arrow key: the first one shows the cursor on the cell of the last click
 * on the grid, or without one on the first empty cell in reading order; later
 * ones move it. True when the cursor's cell changed or it appeared.
 */
bool stepCellCursor(AppState& app, Heading heading);
// A click on cell `cell` of the grid: the cursor, when shown, goes there.
void noteClickedCell(AppState& app, int16_t cell);
// Another grid is loaded: the cursor goes, and the clicks on the old grid are forgotten.
void hideCellCursor(AppState& app);
