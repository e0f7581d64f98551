// Hints: the grader's next placement on the board, pruned to the steps it needs and backed by board cells.
#include "puzzle/hints.h"

#include <algorithm>

#include "puzzle/grid.h"

namespace {

bool touches(const SolverModel& m, int16_t a, int16_t c) {
    return a >= 1 && c >= 1 && a <= m.cellCount && c <= m.cellCount && m.touching[a * (m.cellCount + 1) + c] != 0;
}

int16_t boardAt(const CellDigits& board, int16_t c) {
    return c >= 0 && static_cast<size_t>(c) < board.size() ? board[c] : 0;
}

// A cell touching `c` that holds `digit` on the board, preferring one already named; 0 if none.
int16_t witnessFor(const SolverModel& m, const CellDigits& board, int16_t c, int16_t digit,
                   const std::vector<HintWitness>& named) {
    for (const HintWitness& w : named)
        if (w.digit == digit && touches(m, w.cell, c)) return w.cell;
    for (int k = 0; k < m.peerCount[c]; ++k)
        if (boardAt(board, m.peers[c][k]) == digit) return m.peers[c][k];
    return 0;
}

bool struckBy(const std::vector<DeductionStep>& strikes, int16_t c, int16_t digit) {
    for (const DeductionStep& s : strikes)
        if ((s.struckDigits & (1u << (digit - 1))) && std::find(s.struck.begin(), s.struck.end(), c) != s.struck.end())
            return true;
    return false;
}

// Asks for `digits` to be gone from every cell of the unit outside `except`.
void needAbsent(const SolverModel& m, int16_t unit, const std::vector<int16_t>& except, uint8_t digits,
                std::vector<uint8_t>& needed) {
    if (unit < 0 || static_cast<size_t>(unit) >= m.units.size()) return;
    for (int16_t c : m.units[unit])
        if (std::find(except.begin(), except.end(), c) == except.end()) needed[c] |= digits;
}

/*
 * Keeps the strikes the placement rests on. Every deduction rests on digits
 * being gone from cells: a naked single on the other digits of its cell, a
 * hidden single on its digit in the rest of the hexagon, a pointing step on
 * its digit outside its places, a naked subset on the other digits of its
 * cells, a hidden subset on its digits outside its cells. Walking back from
 * the placement, a strike is kept when it took a digit that a kept deduction
 * needs gone, and its own needs join them. The kept strikes take every
 * needed digit the full run took, so they stay valid in their order; the
 * others are left out of the reason.
 */
std::vector<DeductionStep> neededStrikes(const SolverModel& m, const std::vector<DeductionStep>& steps) {
    std::vector<uint8_t> needed(m.cellCount + 1, 0);  // per cell: digits that must be gone
    const DeductionStep& placement = steps.back();
    const uint8_t digit = static_cast<uint8_t>(1u << (placement.digit - 1));
    if (placement.grade == Grade::HiddenSingle) needAbsent(m, placement.unit, {placement.cell}, digit, needed);
    else needed[placement.cell] = static_cast<uint8_t>(63 & ~digit);
    std::vector<DeductionStep> kept;
    for (size_t i = steps.size() - 1; i-- > 0;) {
        const DeductionStep& s = steps[i];
        bool bears = false;
        for (int16_t c : s.struck) bears = bears || (needed[c] & s.struckDigits);
        if (!bears) continue;
        if (s.unit >= 0) {
            needAbsent(m, s.unit, s.cells, s.digits, needed);
        } else {
            for (int16_t c : s.cells) needed[c] |= static_cast<uint8_t>(63 & ~s.digits);
        }
        kept.push_back(s);
    }
    std::reverse(kept.begin(), kept.end());
    return kept;
}

}  // namespace

Hint nextHint(const SolverModel& model, const CellDigits& solution, const CellDigits& board) {
    Hint hint;
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        int16_t v = boardAt(board, c);
        if (v != 0 && boardAt(solution, c) != 0 && v != boardAt(solution, c)) {
            hint.kind = HintKind::Contradiction;
            hint.cell = c;
            hint.digit = v;
            return hint;
        }
    }
    int16_t firstOpen = 0;
    for (int16_t c = model.cellCount; c >= 1; --c)
        if (boardAt(board, c) == 0) firstOpen = c;
    if (firstOpen == 0) return hint;

    std::vector<DeductionStep> steps;
    if (!deduceNextPlacement(model, board, steps)) {
        hint.kind = HintKind::Stuck;
        hint.cell = firstOpen;
        hint.digit = boardAt(solution, firstOpen);
        hint.grade = Grade::Search;
        return hint;
    }
    const DeductionStep& placement = steps.back();
    hint.kind = HintKind::Placement;
    hint.cell = placement.cell;
    hint.digit = placement.digit;
    hint.single = placement.grade;
    hint.unit = placement.unit;
    hint.strikes = neededStrikes(model, steps);
    hint.grade = placement.grade;
    for (const DeductionStep& s : hint.strikes) hint.grade = std::max(hint.grade, s.grade);

    if (hint.single == Grade::NakedSingle) {
        for (int16_t d = 1; d <= 6; ++d) {
            if (d == hint.digit) continue;
            int16_t w = witnessFor(model, board, hint.cell, d, hint.witnesses);
            if (w != 0) hint.witnesses.push_back({w, d});
        }
    } else {
        for (int16_t c : model.units[hint.unit]) {
            if (c == hint.cell || boardAt(board, c) != 0 || struckBy(hint.strikes, c, hint.digit)) continue;
            int16_t w = witnessFor(model, board, c, hint.digit, hint.witnesses);
            bool known = std::any_of(hint.witnesses.begin(), hint.witnesses.end(),
                                     [w](const HintWitness& x) { return x.cell == w; });
            if (w != 0 && !known) hint.witnesses.push_back({w, hint.digit});
        }
    }
    return hint;
}

CellDigits gridSolution(const Grid& g, const SolverModel& model) {
    // Read from the description's values, not the cells: loading them into the cells would clear the board.
    CellDigits out(model.cellCount + 1, 0);
    TextString key, value;
    for (int e = 1; e <= g.cellValues.count(); ++e) {
        g.cellValues.splitAt(e, key, value);
        int16_t c = cellIndexOf(g, key);
        int32_t v = takeInt(value);
        if (c >= 1 && c <= model.cellCount && v >= 1 && v <= 6) out[c] = static_cast<int16_t>(v);
    }
    bool whole = model.cellCount > 0;
    for (int16_t c = 1; c <= model.cellCount; ++c) whole = whole && out[c] != 0;
    if (whole) return out;
    CellDigits givens(model.cellCount + 1, 0);
    for (int16_t c = 1; c <= model.cellCount; ++c)
        if (isCellFixed(g, c)) givens[c] = cellValue(g, c);
    CellDigits first;
    if (countSolutions(model, givens, 2, &first) == 1) return first;
    return out;
}

CellDigits gridBoard(const Grid& g) {
    CellDigits out(std::max<int16_t>(g.cellCount, 0) + 1, 0);
    for (int16_t c = 1; c <= g.cellCount; ++c) out[c] = cellValue(g, c);
    return out;
}

bool readsBefore(const Grid& g, int16_t a, int16_t b) {
    const Cell* x = cellAt(g, a);
    const Cell* y = cellAt(g, b);
    if (x && y && x->textRow != y->textRow) return x->textRow < y->textRow;
    if (x && y && x->textColumn != y->textColumn) return x->textColumn < y->textColumn;
    return a < b;
}

Hint hintForGrid(Grid& g) {
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = gridSolution(g, model);
    const CellDigits board = gridBoard(g);
    Hint hint = nextHint(model, solution, board);
    if (hint.kind != HintKind::Contradiction) return hint;
    // The wrong digit named is the first the player reads; the others are counted.
    hint.otherWrong = 0;
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        const int16_t v = boardAt(board, c), right = boardAt(solution, c);
        if (v == 0 || right == 0 || v == right || c == hint.cell) continue;
        ++hint.otherWrong;
        if (readsBefore(g, c, hint.cell)) {
            hint.cell = c;
            hint.digit = v;
        }
    }
    return hint;
}
