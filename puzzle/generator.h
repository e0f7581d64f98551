// Puzzle authoring: random solutions, minimal unique givens, level percentages and description lines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "base/text.h"
#include "puzzle/solver.h"

// A small deterministic generator (splitmix64), so a seed always makes the same grid.
struct Rng {
    uint64_t state = 0;
    explicit Rng(uint64_t seed) : state(seed) {}
    uint32_t next();
    // 0..n-1 (0 when n < 1).
    int below(int n);
};

// A random complete filling that obeys the rule; false when the shape has none.
bool randomSolution(const SolverModel& model, Rng& rng, CellDigits& solution);

/*
 * Removes givens one at a time in random order, keeping each removal that
 * leaves exactly one solution and a grade no stronger than maxGrade. Cells
 * flagged in `keep` are never removed. The result is minimal for that order.
 */
CellDigits reduceGivens(const SolverModel& model, const CellDigits& givens, Rng& rng, Grade maxGrade,
                        const std::vector<uint8_t>* keep = nullptr);

/*
 * The distinct threshold percentages the game uses for a grid, hardest first:
 * levels 1..6 raised by the packing (effective level min(6, L + packing)),
 * and 120 in front when the grid offers level 7.
 */
std::vector<int16_t> usedThresholds(int16_t packing, bool diabolic);

// The grades a threshold's givens may have: at least `floor`, at most `ceiling`.
struct GradeRange {
    Grade floor = Grade::NakedSingle;
    Grade ceiling = Grade::Subset;
};

struct PlanOptions {
    /*
     * One range per threshold, hardest first. Missing entries: the hardest
     * threshold hidden-single..subset, the easiest naked-single only, the
     * others naked-single..subset.
     */
    std::vector<GradeRange> targets;
    int16_t stepPercent = 4;  // each easier threshold adds at least this share of the cells (and one)
    int16_t tries = 20;       // solutions tried before settling for the closest plan
};

// The range of threshold i of k under the options (defaults filled in).
GradeRange targetOf(const PlanOptions& options, size_t i, size_t k);

struct PlanStep {
    int16_t percent = 0;  // threshold
    int16_t givens = 0;
    GradeReport grade;
};

struct PuzzlePlan {
    CellDigits solution;               // per cell
    std::vector<int16_t> percent;      // per cell: the threshold from which it is shown, 0 never
    std::vector<PlanStep> steps;       // hardest first, one per threshold
    uint8_t meetsOptions = 0;          // every grade target was met
};

/*
 * Makes a puzzle for every threshold (hardest first): a minimal unique set
 * of givens at the hardest one within its grade ceiling, then for each easier
 * threshold more givens, added in random order (skipping cells that would
 * drop the grade below the floor) until there are enough and the grade is
 * within the ceiling. Tries up to options.tries solutions and keeps the first
 * plan that meets every target, else the one that came closest. False when
 * the shape has no solution at all.
 */
bool planPuzzle(const SolverModel& model, const std::vector<int16_t>& thresholds, uint64_t seed,
                const PlanOptions& options, PuzzlePlan& plan);

// Grades of a plan's thresholds recomputed from its percentages (hardest first).
std::vector<PlanStep> gradePlan(const SolverModel& model, const PuzzlePlan& plan,
                                const std::vector<int16_t>& thresholds);

/*
 * Description lines for a shape and a plan: first a "#" line with the comment,
 * then the hexagon entries ("X" + compact centre), then the cells grouped by
 * percentage, each line opening with its "%NN" token (cells never shown come
 * last, after "%0"). Spread over exactly lineCount lines, padded with "#"
 * lines; returns false (lines still filled) when lineCount is below 2.
 * cellPaths and cellAB give each cell's compact path and orientation, index
 * 1..cellCount.
 */
bool describeGrid(const std::vector<std::string>& centres, const std::vector<std::string>& cellPaths,
                  const std::vector<uint8_t>& cellAB, const PuzzlePlan& plan, int16_t lineCount,
                  TextRef comment, TextList& lines);
