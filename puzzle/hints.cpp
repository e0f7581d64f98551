// Hints: the placement with the shortest proof on the board, pruned to the strikes it needs and backed by board cells.
#include "puzzle/hints.h"

#include <algorithm>

#include "puzzle/grid.h"

namespace {

constexpr uint8_t kAllDigits = 63;

uint8_t digitBit(int16_t v) { return v >= 1 && v <= 6 ? static_cast<uint8_t>(1u << (v - 1)) : 0; }

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
        if ((s.struckDigits & digitBit(digit)) && std::find(s.struck.begin(), s.struck.end(), c) != s.struck.end())
            return true;
    return false;
}

// The candidates the board alone leaves: a filled cell keeps its digit, an empty one loses the digits it touches.
std::vector<uint8_t> boardCandidates(const SolverModel& m, const CellDigits& board) {
    std::vector<uint8_t> cand(m.cellCount + 1, kAllDigits);
    cand[0] = 0;
    for (int16_t c = 1; c <= m.cellCount; ++c) {
        if (boardAt(board, c) != 0) {
            cand[c] = digitBit(boardAt(board, c));
            continue;
        }
        for (int k = 0; k < m.peerCount[c]; ++k)
            cand[c] &= static_cast<uint8_t>(~digitBit(boardAt(board, m.peers[c][k])));
    }
    return cand;
}

// Asks for `digits` to be gone from every cell of the unit outside `except`.
void needAbsent(const SolverModel& m, int16_t unit, const std::vector<int16_t>& except, uint8_t digits,
                std::vector<uint8_t>& needed) {
    if (unit < 0 || static_cast<size_t>(unit) >= m.units.size()) return;
    for (int16_t c : m.units[unit])
        if (std::find(except.begin(), except.end(), c) == except.end()) needed[c] |= digits;
}

/*
 * Adds, per cell, the digits a deduction needs gone before it is made: a
 * naked single the other digits of its cell, a hidden single its digit in the
 * rest of the hexagon, a pointing step its digit outside its places, a naked
 * subset the other digits of its cells, a hidden subset its digits outside
 * its cells. Nothing else makes a step true: its places and cells keep their
 * digits whatever strikes are left out, since leaving a strike out only
 * leaves more candidates.
 */
void addNeeds(const SolverModel& m, const DeductionStep& s, std::vector<uint8_t>& needed) {
    if (s.grade == Grade::NakedSingle) {
        if (s.cell >= 1 && s.cell <= m.cellCount) needed[s.cell] |= static_cast<uint8_t>(kAllDigits & ~digitBit(s.digit));
    } else if (s.grade == Grade::HiddenSingle) {
        needAbsent(m, s.unit, {s.cell}, digitBit(s.digit), needed);
    } else if (s.unit >= 0) {
        needAbsent(m, s.unit, s.cells, s.digits, needed);
    } else {
        for (int16_t c : s.cells)
            if (c >= 1 && c <= m.cellCount) needed[c] |= static_cast<uint8_t>(kAllDigits & ~s.digits);
    }
}

/*
 * Whether the strikes, made in their order on the candidates the board
 * leaves, give every step and then the placement what it needs gone.
 */
bool follows(const SolverModel& m, std::vector<uint8_t> cand, const std::vector<DeductionStep>& strikes,
             const DeductionStep& placement) {
    std::vector<uint8_t> needed(cand.size(), 0);
    auto needsMet = [&](const DeductionStep& s) {
        std::fill(needed.begin(), needed.end(), 0);
        addNeeds(m, s, needed);
        for (size_t c = 0; c < cand.size(); ++c)
            if (needed[c] & cand[c]) return false;
        return true;
    };
    for (const DeductionStep& s : strikes) {
        if (!needsMet(s)) return false;
        for (int16_t c : s.struck) cand[c] &= static_cast<uint8_t>(~s.struckDigits);
    }
    return needsMet(placement);
}

/*
 * Keeps the strikes the placement rests on, each naming only the cells whose
 * strike something needs. Walking back from the placement with the digits
 * that must be gone by then (less those the board already rules out), a
 * step names a struck cell when it takes a digit still needed there; that
 * need is then met and no earlier step meets it again. A step naming a cell
 * is kept, and its own needs, which earlier steps must meet, join the rest.
 *
 * Walking back meets each need with the latest strike, so an earlier step
 * kept for a need of its own may take the same digit again, or a subset
 * step may take a digit beside the one it was kept for: the later name is
 * then spare. So the walk is followed by drops, latest steps first: a name
 * goes when the placement still follows without it, and a step goes with its
 * last name (its needs with it, which may free more names). When no name can
 * go, leaving out any one name or step leaves the placement unproved.
 */
std::vector<DeductionStep> neededStrikes(const SolverModel& m, const std::vector<uint8_t>& cand,
                                         const std::vector<DeductionStep>& steps) {
    std::vector<uint8_t> needed(m.cellCount + 1, 0);
    const DeductionStep& placement = steps.back();
    addNeeds(m, placement, needed);
    std::vector<DeductionStep> kept;
    for (size_t i = steps.size() - 1; i-- > 0;) {
        DeductionStep s = steps[i];
        s.struck.clear();
        for (int16_t c : steps[i].struck) {
            const uint8_t takes = needed[c] & cand[c] & s.struckDigits;
            if (!takes) continue;
            needed[c] &= static_cast<uint8_t>(~takes);
            s.struck.push_back(c);
        }
        if (s.struck.empty()) continue;
        addNeeds(m, s, needed);
        kept.push_back(std::move(s));
    }
    std::reverse(kept.begin(), kept.end());

    for (bool dropped = true; dropped;) {
        dropped = false;
        for (size_t i = kept.size(); i-- > 0 && !dropped;) {
            for (size_t k = 0; k < kept[i].struck.size() && !dropped; ++k) {
                std::vector<DeductionStep> fewer = kept;
                fewer[i].struck.erase(fewer[i].struck.begin() + static_cast<std::ptrdiff_t>(k));
                if (fewer[i].struck.empty()) fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
                if (!follows(m, cand, fewer, placement)) continue;
                kept.swap(fewer);
                dropped = true;
            }
        }
    }
    return kept;
}

/*
 * Names each pointing step's places as the kept steps leave them. Steps of
 * one layer of the layered run all read the same candidates, so one of them
 * may strike a place of a later one; when both are kept, the later one's
 * digit has fewer places once the earlier is made, and those are the places
 * the player sees. The struck cells touch them all still, having touched more.
 */
void placesAsReplayed(const SolverModel& m, std::vector<uint8_t> cand, std::vector<DeductionStep>& strikes) {
    for (DeductionStep& s : strikes) {
        if (s.grade == Grade::Pointing && s.unit >= 0 && static_cast<size_t>(s.unit) < m.units.size()) {
            std::vector<int16_t> places;
            for (int16_t c : m.units[s.unit])
                if (cand[c] & s.digits) places.push_back(c);
            s.cells.swap(places);
        }
        for (int16_t c : s.struck) cand[c] &= static_cast<uint8_t>(~s.struckDigits);
    }
}

/*
 * The witnesses of a hidden single: for every other empty cell of the
 * hexagon that no strike takes the digit from, a cell holding the digit that
 * touches it, preferring one already named. A witness whose cells all have
 * another is then dropped, latest first; one pass is enough, since a witness
 * needed beside some others is needed beside fewer.
 */
std::vector<HintWitness> hiddenSingleWitnesses(const SolverModel& m, const CellDigits& board, const Hint& hint) {
    std::vector<HintWitness> out;
    std::vector<int16_t> open;
    for (int16_t c : m.units[hint.unit]) {
        if (c == hint.cell || boardAt(board, c) != 0 || struckBy(hint.strikes, c, hint.digit)) continue;
        open.push_back(c);
        int16_t w = witnessFor(m, board, c, hint.digit, out);
        bool known = std::any_of(out.begin(), out.end(), [w](const HintWitness& x) { return x.cell == w; });
        if (w != 0 && !known) out.push_back({w, hint.digit});
    }
    for (size_t i = out.size(); i-- > 0;) {
        bool spare = std::all_of(open.begin(), open.end(), [&](int16_t c) {
            if (!touches(m, out[i].cell, c)) return true;
            for (size_t j = 0; j < out.size(); ++j)
                if (j != i && touches(m, out[j].cell, c)) return true;
            return false;
        });
        if (spare) out.erase(out.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return out;
}

/*
 * The placement hint of a run of strike steps (the grader's or the layered
 * run's) ending with a single: the strikes it needs (neededStrikes), with
 * their places as replayed, its grade, and the witnesses that rule out the
 * rest on the board.
 */
Hint placementHint(const SolverModel& m, const CellDigits& board, const std::vector<uint8_t>& cand,
                   const std::vector<DeductionStep>& steps) {
    const DeductionStep& placement = steps.back();
    Hint hint;
    hint.kind = HintKind::Placement;
    hint.cell = placement.cell;
    hint.digit = placement.digit;
    hint.single = placement.grade;
    hint.unit = placement.unit;
    hint.strikes = neededStrikes(m, cand, steps);
    placesAsReplayed(m, cand, hint.strikes);
    hint.grade = placement.grade;
    for (const DeductionStep& s : hint.strikes) hint.grade = std::max(hint.grade, s.grade);

    if (hint.single == Grade::NakedSingle) {
        // One witness per other digit that no kept strike takes from the cell: digits differ, so none is spare.
        for (int16_t d = 1; d <= 6; ++d) {
            if (d == hint.digit || struckBy(hint.strikes, hint.cell, d)) continue;
            int16_t w = witnessFor(m, board, hint.cell, d, hint.witnesses);
            if (w != 0) hint.witnesses.push_back({w, d});
        }
    } else {
        hint.witnesses = hiddenSingleWitnesses(m, board, hint);
    }
    return hint;
}

// The cells a hint names besides its placement: every struck cell of every step and every witness.
size_t namesOf(const Hint& h) {
    size_t n = h.witnesses.size();
    for (const DeductionStep& s : h.strikes) n += s.struck.size();
    return n;
}

// The candidates less the digits some strikes take from open cells.
std::vector<uint8_t> withoutStruck(const SolverModel& m, const CellDigits& board, std::vector<uint8_t> cand,
                                   const std::vector<DeductionStep>& strikes) {
    for (const DeductionStep& s : strikes)
        for (int16_t c : s.struck)
            if (c >= 1 && c <= m.cellCount && boardAt(board, c) == 0) cand[c] &= static_cast<uint8_t>(~s.struckDigits);
    return cand;
}

// How many strikes past the grader's placement the hint looks for a single with a shorter proof.
constexpr size_t kStrikesLookedAhead = 24;
// How many layers of strikes past the first that shows a single the hint looks for one with a shorter proof.
constexpr int16_t kLayersLookedAhead = 2;

}  // namespace

bool taughtHolds(const TaughtStrikes& taught, const CellDigits& board) {
    if (taught.strikes.empty() || taught.board.size() != board.size()) return false;
    for (size_t c = 0; c < board.size(); ++c)
        if (taught.board[c] != 0 && board[c] != taught.board[c]) return false;
    return true;
}

void rememberTaught(TaughtStrikes& taught, const CellDigits& board, const Hint& hint) {
    if (hint.kind != HintKind::FirstSteps) return;
    if (!taughtHolds(taught, board)) taught.strikes.clear();
    taught.board = board;
    taught.strikes.insert(taught.strikes.end(), hint.strikes.begin(), hint.strikes.end());
}

Hint firstStepsOf(const Hint& placement, size_t count) {
    Hint h = placement;
    h.kind = HintKind::FirstSteps;
    h.strikes.resize(std::min(std::max<size_t>(count, 1), h.strikes.size()));
    h.witnesses.clear();
    h.grade = Grade::Given;
    for (const DeductionStep& s : h.strikes) h.grade = std::max(h.grade, s.grade);
    return h;
}

Hint nextHint(const SolverModel& model, const CellDigits& solution, const CellDigits& board,
              const TaughtStrikes* taught) {
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

    // The candidates the board leaves, less what earlier hints struck while they still hold.
    const std::vector<uint8_t> onBoard = boardCandidates(model, board);
    const bool builds = taught && taughtHolds(*taught, board);
    const std::vector<uint8_t> cand = builds ? withoutStruck(model, board, onBoard, taught->strikes) : onBoard;
    const std::vector<uint8_t>* known = builds ? &cand : nullptr;

    std::vector<DeductionStep> steps;
    if (!deduceNextPlacement(model, board, steps, known)) {
        hint.kind = HintKind::Stuck;
        hint.cell = firstOpen;
        hint.digit = boardAt(solution, firstOpen);
        hint.grade = Grade::Search;
        return hint;
    }
    Hint chosen = placementHint(model, board, cand, steps);
    // Whether the reasons need what earlier hints struck: without it, they would not follow from the board.
    auto markEarlier = [&](Hint& h) {
        DeductionStep placement;
        placement.grade = h.single;
        placement.cell = h.cell;
        placement.digit = h.digit;
        placement.unit = h.unit;
        h.earlier = builds && !follows(model, onBoard, h.strikes, placement) ? 1 : 0;
        return h;
    };
    // A single on the board as it stands needs no strike: nothing explains it more briefly.
    if (steps.size() == 1) return markEarlier(chosen);

    /*
     * The grader's placement may rest on a long chain of strikes while
     * another cell needs far fewer. Two runs of strikes that place nothing
     * show the candidates: the grader's own, one step at a time, and one in
     * layers, where every strike comes as early as it can and so waits on
     * nothing it does not need. Every single either shows is pruned like the
     * grader's; the hint is the one with the fewest kept steps, then the
     * fewest names, then the first weighed, among those no harder than the
     * grader's placement.
     */
    const Grade ceiling = chosen.grade;
    size_t bestSteps = chosen.strikes.size(), bestNames = namesOf(chosen);
    std::vector<DeductionStep> proof;
    auto weigh = [&](const SinglesRun& run, size_t from) {
        for (size_t i = from; i < run.singles.size(); ++i) {
            if (bestSteps <= 1 && bestNames <= 1) return;  // no proof with a strike is shorter
            proof.assign(run.strikes.begin(), run.strikes.begin() + static_cast<std::ptrdiff_t>(run.shownAfter[i]));
            proof.push_back(run.singles[i]);
            Hint other = placementHint(model, board, cand, proof);
            if (other.grade > ceiling) continue;
            const size_t otherSteps = other.strikes.size(), otherNames = namesOf(other);
            if (otherSteps > bestSteps || (otherSteps == bestSteps && otherNames >= bestNames)) continue;
            bestSteps = otherSteps;
            bestNames = otherNames;
            chosen = std::move(other);
        }
    };
    SinglesRun run;
    deduceSingles(model, board, kStrikesLookedAhead + steps.size(), run, known);
    // The run's first single is the grader's placement, on the same strikes: the others are weighed against it.
    weigh(run, 1);
    deduceSinglesInLayers(model, board, ceiling, kLayersLookedAhead, run, known);
    weigh(run, 0);
    return markEarlier(chosen);
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

Hint hintForGrid(Grid& g, const TaughtStrikes* taught) {
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = gridSolution(g, model);
    const CellDigits board = gridBoard(g);
    Hint hint = nextHint(model, solution, board, taught);
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
