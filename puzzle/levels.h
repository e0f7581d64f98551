// Difficulty levels: level percentages, effective level and the marking of fixed values.
#pragma once

#include <cstdint>

#include "base/text.h"

struct Grid;

/*
 * Every solution digit carries a percentage (75..120). A level selects a
 * threshold; the digits whose percentage reaches it are the fixed values. The
 * effective level is raised by the grid's packing (sparse grids are easier),
 * and level 7 exists only for grids that have both 120s and 100s.
 */

constexpr int16_t kLowestLevel = 1;
constexpr int16_t kDiabolicLevel = 7;

// Level 1..7 -> 75, 80, 85, 90, 95, 100, 120; any other level -> 75.
int16_t percentageOf(int16_t level);
// The inverse; any percentage not in the table -> 1.
int16_t levelOf(int16_t percent);
// French (english = false) or English name of level 1..7, "xxx" otherwise.
const char* levelName(int16_t level, bool english);

// Whether level 7 is available; lowers 120s to 100 on grids that have 120s but no 100.
bool diabolicAvailable(Grid& g);
// Stores the requested percentage (120 falls back to 100 without level 7); returns what was stored.
int16_t setRequestedPercentage(Grid& g, int16_t percent);
// Derives packing, effective and displayed level and both percentages from level L.
void setLevel(Grid& g, int16_t level);
// Derives the level fields if needed; true when the cells reflect the effective percentage.
bool ensureLevel(Grid& g);
// Makes sure cellValues is copied into the cells (or the cells cleared when there are no values).
void ensureValuesLoaded(Grid& g);
// Copies cellValues into solution/level of the cells, then applyGivens.
void loadGivens(Grid& g);
// Marks the fixed values of the effective percentage; every other cell is emptied.
void applyGivens(Grid& g);
// Loads and applies the fixed values when the level or the values changed.
void refreshGivens(Grid& g);
/*
 * Text of a level for display, returning the level number:
 * modes 10/11 the displayed level (10 English, 11 French name), 13/14 the
 * effective level less packing (13 English, 14 French), 15 the requested level;
 * without withName the text is the number.
 */
int16_t levelLabel(const Grid& g, TextString& out, int16_t mode, bool withName);
