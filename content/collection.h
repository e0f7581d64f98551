// The built-in grid collection: codes, levels, description lines, and loading a code into a grid slot.
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * The collection is a fixed table of codes ("2214-7"), each with the level the
 * game loads it at and its block of description lines. Lines are cut into
 * comma-separated tokens: "%NN" sets the percentage appended to the following
 * tokens of the same line ("%0" clears it), "#..." is a comment, anything else
 * is a description entry (see puzzle/description.h).
 */

// How many grid numbers the user interface offers; every lookup sets it to 5.
extern int16_t gridCount;
// The release shown in the title and the splash window; every lookup sets it to 162.
extern int16_t releaseNumber;
// The level of the code found by the last lookup, 0 before a lookup and when none was found.
extern int16_t builtInLevel;
// The note layout code (7 or 9) the load-grid step applies to a freshly loaded grid.
extern int16_t noteLayoutCode;
// The description lines of the code being loaded; empty outside loadBuiltInGrid.
extern TextList CollectionLines;
// The codes behind grid numbers 1..5, comma-separated.
extern TextString GridCodeList;
// The code followed by "," of the grid the description was last built for.
extern TextString lastBuiltKey;

constexpr int16_t kReleaseNumber = 162;
constexpr int16_t kOfferedGridCount = 5;

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

/*
 * Looks a code up: releaseNumber becomes 162, the built-in level 0 and
 * gridCount 5; when the code is in the table the built-in level is set to its
 * level and its lines are appended to CollectionLines. Returns whether the
 * code was found.
 */
bool findBuiltInGrid(TextRef code);

/*
 * Cuts description lines into entries: for each token of each line, "%..."
 * becomes the line's current percentage text ("%0" empties it), "#..." is
 * skipped, anything else (also an empty token) is appended to entries followed
 * by the current percentage text. The percentage text starts empty on each line.
 */
void appendDescriptionEntries(const TextList& lines, TextList& entries);

/*
 * Loads a built-in code into grid slot `slot`: the description entries, the
 * grid's lists (not rebuilt when the same code was built last), its stored
 * percentage, angle and cell size, the built-in level, cells, peer records and
 * candidates. An unknown code leaves the slot as it was.
 */
void loadBuiltInGrid(int16_t slot, TextRef code);

// The n-th code (1..5) of GridCodeList, empty when there is none.
TextString gridCodeOfNumber(int16_t n);
// Restores GridCodeList to the collection's list of numbered grids (done once at start-up).
void loadGridCodeList();
