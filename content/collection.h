// The built-in grid collection: codes, levels, description lines, and loading a code into a grid.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "puzzle/grid.h"

struct Grid;

/*
 * The collection is a fixed table of codes ("2214-7"), each with the level the
 * game loads it at and its block of description lines. Lines are cut into
 * comma-separated tokens: "%NN" sets the percentage appended to the following
 * tokens of the same line ("%0" clears it), "#..." is a comment, anything else
 * is a description entry (see puzzle/description.h).
 */

// The release shown in the title and the splash window, and the base of the settings file's name.
constexpr int16_t kReleaseNumber = 162;
// How many grid numbers the user interface offers.
constexpr int16_t kOfferedGridCount = 5;
// The note layout a freshly loaded grid is drawn with.
constexpr NoteLayout kLoadedNoteLayout = NoteLayout::Triangle;
// The codes behind grid numbers 1..5: they rise in size and difficulty (18 to 154 cells, levels 2 to 6).
// The end-to-end scripts read the codes from this one line (scripts/e2e-lib.sh).
inline constexpr const char* kNumberedGridCodes[kOfferedGridCount] = {"1251-1", "1950-49", "2214-7", "2105-9", "2330-1"};

// One grid of the collection as stored: its lines are plain texts, in order.
struct BuiltInGrid {
    const char* code;
    int16_t level;
    int16_t lineCount;
    const char* const* lines;
};

// Number of grids in the collection (10).
int16_t builtInGridTotal();
// Grid i of the collection in lookup order (1..builtInGridTotal), null outside.
const BuiltInGrid* builtInGridAt(int16_t i);
// The collection entry of a code (letter case ignored, whole code), null when absent.
const BuiltInGrid* builtInGridOf(TextRef code);
// Line n (1..lineCount) of a collection entry as plain text, null outside.
const char* builtInGridLine(const BuiltInGrid& grid, int16_t n);

// What a lookup found: the entry, the level the game loads it at and its description lines.
struct BuiltInLookup {
    const BuiltInGrid* grid = nullptr;  // null when the code is not in the collection
    int16_t level = 0;                  // 0 when not found
    TextList lines;                     // empty when not found
};
BuiltInLookup findBuiltInGrid(TextRef code);

/*
 * Cuts description lines into entries: for each token of each line, "%..."
 * becomes the line's current percentage text ("%0" empties it), "#..." is
 * skipped, anything else (also an empty token) is appended to entries followed
 * by the current percentage text. The percentage text starts empty on each line.
 */
void appendDescriptionEntries(const TextList& lines, TextList& entries);

/*
 * Loads a built-in code into a grid (created first if it never was): the
 * description entries, the grid's lists built from them, its stored
 * percentage, angle and cell size, the built-in level, cells, peer records and
 * candidates. Returns the collection entry; an unknown code leaves the grid as
 * it was and gives null.
 */
const BuiltInGrid* loadBuiltInGrid(Grid& g, TextRef code);

// The code of grid number n (1..5), empty for any other number.
TextString gridCodeOfNumber(int16_t n);
