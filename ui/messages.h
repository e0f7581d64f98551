// The texts of the confirmation and information boxes, composed in French or English.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "puzzle/grid.h"

/*
 * Message numbers, as the main window asks for them. The box around a text
 * (icon, buttons, default button) is chosen by the caller.
 */
enum MessageNumber : int16_t {
    MessageScrollHint = 2,      // scroll arrows; also the last Information page
    MessageNotes = 3,           // Information page 4: the pencil notes
    MessageLoadOther = 4,       // argument: the grid number
    MessageLoadSame = 5,        // argument: the grid number (the one in play)
    MessageWin = 6,             // argument: the grid number
    MessageGridInfo = 7,        // argument: the cell count; second argument: the grid's code
    MessagePause = 8,
    MessageClose = 9,
    MessageFixedNumbers = 10,
    MessageSave = 11,
    MessageSaveAfterWin = 12,
    MessagePlayingMore = 13,    // Information page 5: undo, highlights, levels, clocks
    MessageTouchingRule = 14,   // Information page 3
    MessagePlacingDigits = 15,  // Information page 2
};

constexpr int16_t kFirstMessage = 2;
constexpr int16_t kLastMessage = 15;

// The argument of message 3 for a grid whose notes sit in two rows of three (its other text is the triangle's).
constexpr long kBlockNoteLayout = static_cast<long>(NoteLayout::Block);

// The placeholder of message 6 that the grid number replaces.
constexpr const char* kWinPlaceholder = "zukv";

/*
 * The text of message `number` (2..15; any other number gives the empty text)
 * in `language` (0 French, 1 English; anything else reads as French).
 * `argument` is the number the message names: the grid number for 4, 5 and 6,
 * the cell count for 7, and for 3 the note layout code of the grid (9 or 7).
 * `second` is the grid's code for message 7. Lines are separated by a single
 * line feed; a blank line is two.
 *
 * In message 6 the grid number replaces the placeholder only when its text is
 * no longer than the placeholder's four letters; a longer number leaves the
 * placeholder, so the text never grows past what its box was laid out for.
 */
TextString composeMessage(int16_t number, uint8_t language, long argument = 0, TextRef second = "");

/*
 * The text of the box that says a save failed (the disk full, the file locked
 * or read-only, a folder in its place): the settings file named by `path`
 * could not be written, nothing was saved, and the game is still there to be
 * saved again. `language` as for composeMessage.
 */
TextString saveFailedText(uint8_t language, TextRef path);

/*
 * The two choice boxes of a new grid, in `language`: the question of the size
 * (a grid of the shape of grid n for size n, which replaces the previous new
 * grid) and each size's choice ("3 : 96 cases" / "3: 96 cells"); then the
 * question of the level for a grid of `cells` cells (its choices are the
 * level names).
 */
TextString newGridSizeQuestion(uint8_t language);
TextString newGridSizeChoice(uint8_t language, int16_t size, int16_t cells);
TextString newGridLevelQuestion(uint8_t language, int16_t cells);
