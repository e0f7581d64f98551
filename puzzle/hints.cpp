// Hints: the grader's next placement on the board, pruned to the steps it needs and backed by board cells.
#include "puzzle/hints.h"

#include <algorithm>

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

void markUnit(const SolverModel& m, int16_t unit, std::vector<uint8_t>& needed) {
    if (unit < 0 || static_cast<size_t>(unit) >= m.units.size()) return;
    for (int16_t c : m.units[unit]) needed[c] = 1;
}

/*
 * Keeps the strikes the placement rests on. A deduction depends only on the
 * candidates of its premise cells: the placed cell of a naked single, every
 * cell of the hexagon of a hidden single, a pointing step or a hidden subset,
 * and the cells of a naked subset. Walking back from the placement, a strike
 * is kept when it struck a cell some kept deduction depends on; the cells it
 * depends on join them. Every candidate of those cells is then as the full
 * run left it, so the kept steps stay valid in their order.
 */
std::vector<DeductionStep> neededStrikes(const SolverModel& m, const std::vector<DeductionStep>& steps) {
    std::vector<uint8_t> needed(m.cellCount + 1, 0);
    const DeductionStep& placement = steps.back();
    if (placement.grade == Grade::HiddenSingle) markUnit(m, placement.unit, needed);
    else needed[placement.cell] = 1;
    std::vector<DeductionStep> kept;
    for (size_t i = steps.size() - 1; i-- > 0;) {
        const DeductionStep& s = steps[i];
        bool bears = false;
        for (int16_t c : s.struck) bears = bears || needed[c];
        if (!bears) continue;
        if (s.unit >= 0) markUnit(m, s.unit, needed);
        else
            for (int16_t c : s.cells) needed[c] = 1;
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
        if (v != 0 && v != boardAt(solution, c)) {
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
