// New grids on demand: a fresh puzzle on the shape of a numbered grid, at a chosen level, made from a seed.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "puzzle/solver.h"

/*
 * A new grid is fully determined by its request: the size (1..5, the shapes
 * of the five numbered grids from the fewest cells to the most), the level
 * (1..7, as the level control shows it) and a 32-bit seed. Making it again
 * from the same request gives the same description, byte for byte.
 *
 * The grid is written as ordinary description entries, so it loads like a
 * built-in grid: hexagon entries, then every cell with its solution digit and
 * a level percentage. The givens of the asked level carry the top percentage
 * (120 at level 7, else 100), so every harder level shows the same puzzle;
 * each easier threshold the grid uses adds a few more givens. Level 7 grids
 * also carry 100s, so the game offers them a seventh level.
 *
 * The puzzle at the asked level has exactly one solution and the grade the
 * solver gives it is the level's (newGridGrade):
 *   level 1: naked single;  2, 3: hidden single;  4, 5, 6: pointing;
 *   7: subset on sizes 3..5, pointing on sizes 1 and 2, whose shapes of 18
 *   and 32 cells almost never make a puzzle that needs a subset.
 * The built-in grids grade alike: naked singles at level 1, hidden singles
 * at 2 and 3, pointing from 4 or 5 on, and a subset only at level 7 of the
 * largest. A level whose harder neighbours ask for the same grade shows a few
 * more givens (4% of the cells per such level), and level 7 never shows more
 * than level 6.
 */

constexpr int16_t kNewGridSizes = 5;

struct NewGridRequest {
    int16_t size = 1;   // 1..5
    int16_t level = 1;  // 1..7
    uint32_t seed = 0;
};

struct NewGrid {
    NewGridRequest request;
    TextString shapeCode;  // the numbered grid whose shape it takes
    TextString code;       // its own code, "N" size "-" level "-" seed
    TextList lines;        // description lines, cut as the collection stores them
    TextList entries;      // description entries, as setfromgrivecdef reads them
    CellDigits solution;   // per cell of the grid built from the entries
    CellDigits givens;     // the puzzle at the asked level
    int16_t threshold = 0; // the percentage the asked level shows
    Grade grade = Grade::Invalid;  // of the givens
    uint8_t meetsGrade = 0;        // grade is newGridGrade(size, level)
};

// The grade a level asks for on a size (sizes and levels out of range read as the nearest).
Grade newGridGrade(int16_t size, int16_t level);

// Whether a request names a size and a level that exist.
bool isValidNewGridRequest(const NewGridRequest& request);

// The code of a request's grid: "N5-7-12345".
TextString newGridCode(const NewGridRequest& request);

// The request of a code "N5-7-12345" (letter case ignored); false for any other text.
bool readNewGridCode(TextRef code, NewGridRequest& out);
/*
 * Loads a code as the game would: a new grid's code is made from its request
 * and loaded (loadNewGrid), any other is looked up in the collection
 * (loadBuiltInGrid). False when the code names neither.
 */
bool loadGridOfCode(Grid& g, TextRef code);

// The code of the numbered grid whose shape size n takes (the n-th by cell count); empty outside 1..5.
TextString newGridShapeCode(int16_t size);

/*
 * Makes the grid of a request. False for a request that is not valid. Some
 * solutions are tried until one makes a puzzle of the level's grade; should
 * none do, the hardest puzzle found below it is kept (meetsGrade 0).
 */
bool makeNewGrid(const NewGridRequest& request, NewGrid& out);

/*
 * Loads a made grid into grid slot `slot` as the collection loads a built-in
 * one: entries, lists, the stored angle and cell size, the asked level, cells,
 * peer records and candidates. Its gridCode and caption are its code.
 */
void loadNewGrid(Grid& g, const NewGrid& grid);

/*
 * The settings file keeps a new grid as one line "ngr=SIZE,LEVEL,SEED" (the
 * request it is made again from), its game and time under grid number 6 like
 * the numbered grids' ("gv6:A=", ..., "tps6="). A loader that knows only
 * grid numbers 1..5 drops all of them and keeps everything else.
 */
constexpr const char* kNewGridKey = "ngr";
constexpr int16_t kNewGridNumber = 6;

// "5,7,12345".
TextString newGridSettingValue(const NewGridRequest& request);
// Reads a setting value: three whole numbers, a valid size and level, a seed 0..4294967295; false otherwise.
bool readNewGridSetting(TextRef value, NewGridRequest& out);
