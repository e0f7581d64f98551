// Hints: the next cell that logic fills on the board, with the facts that prove it, or the first wrong digit.
#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/solver.h"

struct Grid;

enum class HintKind : int16_t {
    NoneLeft = 0,       // every cell holds its digit: nothing left to find
    Placement = 1,      // `digit` goes in `cell`, for the reasons below
    Contradiction = 2,  // the board's `digit` in `cell` is not the grid's solution
    Stuck = 3,          // no deduction up to subsets makes progress; `digit` is the solution's for `cell`
    FirstSteps = 4,     // a placement whose reasons are too long for one box: `strikes` are its first steps
};

// A board cell and the digit it holds, named by a reason because that digit touches the cells in question.
struct HintWitness {
    int16_t cell = 0;
    int16_t digit = 0;
};

/*
 * The hint of one board. For a placement, `single` says how the digit
 * follows once the strikes are made:
 *   NakedSingle  every other digit is out of `cell`: `witnesses` holds, for
 *                each other digit that the board itself rules out, one cell
 *                touching `cell` that holds it; the digits no witness names
 *                are struck from `cell` by `strikes`;
 *   HiddenSingle `digit` has no other place in hexagon `unit`: every other
 *                empty cell of the hexagon touches one of the `witnesses`
 *                (all holding `digit`) or loses the digit to `strikes`.
 * Units are numbered as in the model of the grid (modelFromGrid): unit u is
 * the grid's hexagon number u + 1, complete hexagons first, the numbering of
 * hexagonAtPoint, so the game can outline the hexagon a reason names.
 * `strikes` are the pointing and subset steps the placement needs, in the
 * order they are made, each naming only the struck cells something needs:
 * a digit the board already rules out needs no strike, and leaving out any
 * one more step, struck cell or witness leaves the placement unproved. Each
 * step holds when replayed in order on the board's candidates. Of the
 * singles the grader's strikes and the layered strikes show, the placement
 * is the one with the fewest steps, then the fewest names. `grade` is the
 * hardest deduction used, never harder than the grader's way to its own
 * first placement: the easiest that makes progress.
 */
struct Hint {
    HintKind kind = HintKind::NoneLeft;
    int16_t cell = 0;
    int16_t digit = 0;
    Grade grade = Grade::Given;
    Grade single = Grade::Given;
    int16_t unit = -1;
    std::vector<HintWitness> witnesses;
    std::vector<DeductionStep> strikes;
    int16_t otherWrong = 0;  // Contradiction: how many more board digits differ from the solution
    uint8_t earlier = 0;     // the reasons rest on strikes that earlier hints showed (TaughtStrikes)
};

/*
 * The strikes that earlier hints showed on a board (FirstSteps hints), and
 * the board they were shown on. Later hints start from them, so a long proof
 * is told a few steps at a time. They hold while the board keeps every digit
 * it had then: a digit added since only takes candidates out, and a wrong
 * one is named before anything else.
 */
struct TaughtStrikes {
    CellDigits board;
    std::vector<DeductionStep> strikes;
};

// Whether the taught strikes still hold on a board: it keeps every digit of the board they were shown on.
bool taughtHolds(const TaughtStrikes& taught, const CellDigits& board);
// Adds the strikes a FirstSteps hint shows on a board to what was taught (anything else is left as it is).
void rememberTaught(TaughtStrikes& taught, const CellDigits& board, const Hint& hint);
/*
 * The first `count` strikes of a placement hint (at least one when it has
 * any) as a FirstSteps hint: what a box shows when the whole proof is too long.
 */
Hint firstStepsOf(const Hint& placement, size_t count);

/*
 * The hint for a board (givens and the player's digits, 0 for empty cells,
 * indexed like the model's cells) of a grid whose one solution is `solution`.
 * A board digit that differs from the solution gives the contradiction hint
 * on the first such cell (cells whose solution is unknown, 0, are not
 * judged); the player's notes play no part. Strikes taught earlier that
 * still hold (taughtHolds) are known from the start; a hint that rests on
 * them says so (`earlier`).
 */
Hint nextHint(const SolverModel& model, const CellDigits& solution, const CellDigits& board,
              const TaughtStrikes* taught = nullptr);

/*
 * The solution of a grid: the digits its description stores; when some cell
 * has none, the one solution of the givens on its board (cells stay 0 when
 * the givens do not have exactly one). The grid is left as it is.
 */
CellDigits gridSolution(const Grid& g, const SolverModel& model);
// The digits on a grid's board: its givens and the player's digits, 0 for empty cells.
CellDigits gridBoard(const Grid& g);
/*
 * The hint for the board of a grid as it stands (the game's entry point).
 * Of several wrong digits, the one named is the first in reading order (row,
 * then column), as the player reads the board.
 */
Hint hintForGrid(Grid& g, const TaughtStrikes* taught = nullptr);
// Whether cell a comes before cell b in reading order: by text row, then text column, then number.
bool readsBefore(const Grid& g, int16_t a, int16_t b);
