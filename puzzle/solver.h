// Exact solver and deduction grader for grids of the game: content checks, new grids and hints.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct Grid;

/*
 * The solver works on a plain model of a grid: cells 1..cellCount (index 0 is
 * a placeholder, as in the grid), the touching cells of every cell, and the
 * rule units. A unit is the set of cells around one lattice point that holds
 * three or more cells: a complete hexagon (six cells, which must hold 1..6) or
 * a partial one (three to five cells, all distinct because they all touch).
 * Digit sets are 6-bit masks, bit v-1 for digit v.
 */
struct SolverModel {
    int16_t cellCount = 0;
    std::vector<std::array<int16_t, 12>> peers;  // 0..cellCount; 0 marks an empty slot
    std::vector<int16_t> peerCount;              // 0..cellCount
    std::vector<std::vector<int16_t>> units;     // cell indices of each unit
    std::vector<uint8_t> unitComplete;           // the unit is a complete hexagon
    std::vector<std::string> cellNames;          // 0..cellCount, for messages ("" when unknown)
    // Filled by finishModel:
    std::vector<uint8_t> touching;               // (cellCount + 1)^2 matrix: the two cells touch
    std::vector<std::vector<int16_t>> cellUnits; // units holding each cell
};

/*
 * Completes a model whose cellCount, peers and units are set: peers are made
 * symmetric (a cell touching another is touched by it), self-references,
 * duplicates and out-of-range indices dropped, and the lookup tables built.
 */
void finishModel(SolverModel& model);

/*
 * The model of a real grid: its cells, its peer records (built if needed) and
 * its complete and partial hexagons. The grid's basic lists must exist.
 */
SolverModel modelFromGrid(Grid& g);

// Digits per cell (0 = empty), indexed like the cells (entry 0 unused).
using CellDigits = std::vector<int16_t>;

/*
 * Counts the solutions that extend the given digits, stopping at `limit`
 * (at least 1). Givens that break the rule give 0. When `first` is not null
 * it receives the first solution found (left empty when there is none).
 */
int16_t countSolutions(const SolverModel& model, const CellDigits& givens, int16_t limit,
                       CellDigits* first = nullptr);

/*
 * Deduction grades, from the easiest. A puzzle's grade is the strongest
 * deduction a solver needs that always uses the weakest one that makes progress:
 *   NakedSingle  a cell with one candidate left;
 *   HiddenSingle a digit with one place left in a complete hexagon;
 *   Pointing     a digit whose places in a complete hexagon all touch a cell
 *                outside it: that cell cannot take the digit;
 *   Subset       k mutually touching cells (k = 2, 3) whose candidates make k
 *                digits, struck from every cell touching them all; and k digits
 *                confined to k cells of a complete hexagon, which then keep
 *                only those digits;
 *   Search       none of these completes the grid: trial and error is needed.
 * Invalid means the givens break the rule or leave a cell without candidates.
 */
enum class Grade : int16_t {
    Given = 0,
    NakedSingle = 1,
    HiddenSingle = 2,
    Pointing = 3,
    Subset = 4,
    Search = 5,
    Invalid = 6,
};

const char* gradeName(Grade grade);

struct GradeReport {
    Grade grade = Grade::Invalid;
    int32_t uses[6] = {0, 0, 0, 0, 0, 0};  // how often each deduction fired, by grade index
    int16_t solvedCells = 0;               // cells filled when the deductions stopped
};

GradeReport gradePuzzle(const SolverModel& model, const CellDigits& givens);

/*
 * The grade of givens when their deductions complete the grid using none
 * above `ceiling`; Search when they need more than that (nothing is counted:
 * meant for givens taken from a known solution), Invalid when they break the
 * rule. Whenever gradePuzzle's grade is at most the ceiling, it is the same.
 */
Grade gradeWithin(const SolverModel& model, const CellDigits& givens, Grade ceiling);

/*
 * A random complete filling drawn from `seed` (the same seed, the same
 * filling); false when the shape has none.
 */
bool sampleSolution(const SolverModel& model, uint64_t seed, CellDigits& solution);

// Whether a complete filling obeys the rule; the first offending cell in `badCell` (0 if none).
bool solutionObeysRule(const SolverModel& model, const CellDigits& digits, int16_t* badCell = nullptr);

/*
 * One deduction of the grader. A placement (NakedSingle, HiddenSingle) puts
 * `digit` in `cell`; a hidden single names the complete hexagon (`unit`, an
 * index into the model's units) where the digit has no other place. A strike
 * (Pointing, Subset) removes `struckDigits` from the cells in `struck`:
 *   Pointing: `cells` are the places of digit `digits` in hexagon `unit`, and
 *             every struck cell touches them all;
 *   Subset:   `cells` (2 or 3) hold only the digits `digits` between them:
 *             either they all touch each other (unit -1) and the struck cells
 *             touch them all, or (hiddenSubset) those digits have no other
 *             place in hexagon `unit`, and `cells` lose every other digit.
 */
struct DeductionStep {
    Grade grade = Grade::Given;
    int16_t cell = 0;
    int16_t digit = 0;
    int16_t unit = -1;
    uint8_t digits = 0;
    uint8_t struckDigits = 0;
    uint8_t hiddenSubset = 0;
    std::vector<int16_t> cells;
    std::vector<int16_t> struck;
};

/*
 * The three runs below may start from `known` (indexed like the cells): the
 * candidates of the open cells are narrowed to it after the givens' own
 * strikes, for digits that reasoning shown earlier took out.
 *
 * Runs the grader's deductions on the givens up to its first placement: the
 * steps are the strikes it needed on the way, in order, then the placement.
 * False (steps kept for inspection) when the givens break the rule, are
 * complete, or no deduction of the four grades makes progress.
 */
bool deduceNextPlacement(const SolverModel& model, const CellDigits& givens, std::vector<DeductionStep>& steps,
                         const std::vector<uint8_t>* known = nullptr);

/*
 * The singles the grader's strikes uncover when it places nothing: starting
 * from the givens, every round notes the singles on the board (naked ones by
 * cell, then hidden ones by hexagon and digit, the grader's order), each the
 * first time it shows (a naked single per cell, a hidden single per hexagon
 * and digit), then makes ONE strike step by the grader's rules and order
 * (pointing, naked subsets, hidden subsets). It stops when no strike makes
 * progress, after `strikeLimit` strikes, or on a contradiction (a cell or a
 * hexagon's digit left without a place), keeping what it noted before.
 * `shownAfter[i]` is how many of `strikes` were made when `singles[i]`
 * showed: those strikes prove it. The first single noted is the grader's own
 * next placement, on the same strikes.
 */
struct SinglesRun {
    std::vector<DeductionStep> strikes;
    std::vector<DeductionStep> singles;
    std::vector<size_t> shownAfter;
};

void deduceSingles(const SolverModel& model, const CellDigits& givens, size_t strikeLimit, SinglesRun& run,
                   const std::vector<uint8_t>* known = nullptr);

/*
 * The singles the board shows when strikes are made in layers, placing
 * nothing: each layer makes every strike step that the candidates left by
 * the layers before allow (none harder than `ceiling`: Pointing or Subset),
 * all at once. A strike thus comes at the first layer where it can, resting
 * only on strikes of earlier layers, so a single's proof holds no step that
 * waits on another it does not need. `strikes` are the layers in order;
 * singles are noted as deduceSingles notes them, after every layer, and the
 * run stops `layersPast` layers after the first single shows, when no step
 * strikes anything, or on a contradiction.
 */
void deduceSinglesInLayers(const SolverModel& model, const CellDigits& givens, Grade ceiling, int16_t layersPast,
                           SinglesRun& run, const std::vector<uint8_t>* known = nullptr);
