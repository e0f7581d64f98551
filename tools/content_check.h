// The content check of the built-in grids: uniqueness, grades and percentages of every level offered.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/text.h"
#include "puzzle/solver.h"

struct Grid;

struct LevelCheck {
    int16_t level = 0;           // level asked for, 1..7
    int16_t effectiveLevel = 0;  // after packing (and level 7 availability)
    int16_t percent = 0;         // threshold of the effective level
    int16_t givens = 0;
    int16_t solutions = 0;       // 0, 1 or 2 (two or more)
    GradeReport grade;
};

struct GridCheck {
    std::string code;
    int16_t builtInLevel = 0;
    int16_t packing = 0;
    int16_t cellCount = 0;
    int16_t hexagonCount = 0;
    int16_t partialCount = 0;
    int16_t holeCount = 0;
    uint8_t diabolic = 0;       // level 7 is offered
    uint8_t solutionValid = 0;  // every cell has a value and no two touching cells share one
    std::string badCell;        // first cell breaking the rule (or without a value)
    std::vector<LevelCheck> levels;
    std::vector<std::string> problems;  // content faults other than uniqueness and the rule

    bool passed() const;
};

// The givens of a grid at its current level: the values of the fixed cells (the level is applied first).
CellDigits givensOfGrid(Grid& g);
// The stored solution of every cell (0 where the description gives none).
CellDigits solutionOfGrid(Grid& g);

/*
 * Loads the code through the game's loader into a grid of its own and checks
 * it: the stored solution against the rule, and for every level 1..6 (and 7
 * when offered) the number of solutions and the grade of its givens. It also
 * looks at what makes a grid a good puzzle: grades that never fall as the
 * level rises, strictly more givens at easier thresholds, a built-in level
 * that is neither trivial nor a guess, no percentage on a cell that no level
 * shows. False when the code is unknown.
 */
bool checkBuiltInGrid(TextRef code, GridCheck& out);
