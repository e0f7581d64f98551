// Exact solution counting with propagation, and grading of puzzles by the deductions they need.
#include "puzzle/solver.h"

#include <algorithm>
#include <bit>

namespace {

constexpr uint8_t kAll = 63;

inline int bitCount(uint8_t m) { return std::popcount(static_cast<unsigned>(m)); }
inline int16_t digitOfBit(uint8_t m) { return static_cast<int16_t>(std::countr_zero(static_cast<unsigned>(m)) + 1); }
inline uint8_t bitOf(int v) { return static_cast<uint8_t>(1u << (v - 1)); }

/*
 * One board during solving: the candidate mask of every cell and the digit
 * placed in it. A placed cell's mask is its own digit's bit, so striking that
 * digit from it (by a peer with the same digit) empties the mask: the
 * contradiction shows up as an empty mask without a separate test.
 */
struct Board {
    std::vector<uint8_t> cand;
    std::vector<int16_t> val;
    int16_t open = 0;  // cells without a digit
};

struct Propagator {
    const SolverModel& m;
    std::vector<int16_t> queue;

    bool place(Board& b, int16_t c, int16_t v) {
        if (b.val[c] == v) return true;
        if (b.val[c] != 0 || !(b.cand[c] & bitOf(v))) return false;
        b.val[c] = v;
        b.cand[c] = bitOf(v);
        --b.open;
        queue.push_back(c);
        return true;
    }

    // Strikes every queued digit from the touching cells; placements that follow are queued too.
    bool eliminate(Board& b, bool chainSingles) {
        while (!queue.empty()) {
            int16_t c = queue.back();
            queue.pop_back();
            uint8_t bit = bitOf(b.val[c]);
            for (int k = 0; k < m.peerCount[c]; ++k) {
                int16_t p = m.peers[c][k];
                if (!(b.cand[p] & bit)) continue;
                b.cand[p] &= static_cast<uint8_t>(~bit);
                if (b.cand[p] == 0) return false;
                if (chainSingles && b.val[p] == 0 && bitCount(b.cand[p]) == 1) {
                    if (!place(b, p, digitOfBit(b.cand[p]))) return false;
                }
            }
        }
        return true;
    }

    // Hidden singles of every complete hexagon; false on a digit with no place left.
    bool hiddenSingles(Board& b, bool& changed) {
        for (size_t u = 0; u < m.units.size(); ++u) {
            if (!m.unitComplete[u]) continue;
            const std::vector<int16_t>& cells = m.units[u];
            for (int v = 1; v <= 6; ++v) {
                uint8_t bit = bitOf(v);
                int16_t where = 0;
                int n = 0;
                for (int16_t c : cells) {
                    if (b.cand[c] & bit) {
                        where = c;
                        ++n;
                    }
                }
                if (n == 0) return false;
                if (n == 1 && b.val[where] == 0) {
                    if (!place(b, where, static_cast<int16_t>(v))) return false;
                    changed = true;
                }
            }
        }
        return true;
    }

    // Naked and hidden singles to a fixed point; false on a contradiction.
    bool settle(Board& b) {
        for (;;) {
            if (!eliminate(b, true)) return false;
            bool changed = false;
            if (!hiddenSingles(b, changed)) return false;
            if (!changed) return true;
        }
    }
};

bool setUp(const SolverModel& m, const CellDigits& givens, Board& b, Propagator& pr) {
    b.cand.assign(m.cellCount + 1, kAll);
    b.val.assign(m.cellCount + 1, 0);
    b.cand[0] = 0;
    b.open = m.cellCount;
    for (int16_t c = 1; c <= m.cellCount && c < static_cast<int16_t>(givens.size()); ++c) {
        int16_t v = givens[c];
        if (v == 0) continue;
        if (v < 1 || v > 6) return false;
        if (!pr.place(b, c, v)) return false;
    }
    return true;
}

/*
 * Narrows the open cells' candidates to `known` (when given): digits that
 * earlier reasoning took out stay out. False when a cell is left without one.
 */
bool narrowTo(const std::vector<uint8_t>* known, Board& b) {
    if (!known) return true;
    for (size_t c = 1; c < b.cand.size() && c < known->size(); ++c) {
        if (b.val[c] != 0) continue;
        b.cand[c] &= (*known)[c];
        if (b.cand[c] == 0) return false;
    }
    return true;
}

struct Counter {
    const SolverModel& m;
    int16_t limit;
    int16_t found = 0;
    CellDigits* first;

    void search(Board& b, Propagator& pr) {
        if (!pr.settle(b)) return;
        if (b.open == 0) {
            if (found == 0 && first) *first = b.val;
            ++found;
            return;
        }
        // The open cell with the fewest candidates, first of equals.
        int16_t best = 0;
        int bestCount = 7;
        for (int16_t c = 1; c <= m.cellCount; ++c) {
            if (b.val[c] != 0) continue;
            int n = bitCount(b.cand[c]);
            if (n < bestCount) {
                best = c;
                bestCount = n;
                if (n == 2) break;
            }
        }
        uint8_t mask = b.cand[best];
        while (mask && found < limit) {
            int16_t v = digitOfBit(mask);
            mask &= static_cast<uint8_t>(mask - 1);
            Board next = b;
            if (pr.place(next, best, v)) search(next, pr);
            pr.queue.clear();
        }
    }
};

// --- grading ---

struct Grader {
    const SolverModel& m;
    Propagator pr;
    Board b;
    // When set, every deduction that changes the board is written here (the grading itself ignores it).
    std::vector<DeductionStep>* log = nullptr;

    void record(DeductionStep step) {
        if (log) log->push_back(std::move(step));
    }

    static DeductionStep single(Grade grade, int16_t cell, int16_t digit, int16_t unit) {
        DeductionStep s;
        s.grade = grade;
        s.cell = cell;
        s.digit = digit;
        s.unit = unit;
        return s;
    }

    static DeductionStep strikeStep(int16_t unit, uint8_t digits, std::vector<int16_t> cells, uint8_t struckDigits,
                                    Grade grade, bool hidden) {
        DeductionStep s;
        s.grade = grade;
        s.unit = unit;
        s.digits = digits;
        s.cells = std::move(cells);
        s.struckDigits = struckDigits;
        s.hiddenSubset = hidden ? 1 : 0;
        return s;
    }

    bool touches(int16_t a, int16_t c) const { return m.touching[a * (m.cellCount + 1) + c] != 0; }

    // Whether a strike of the digits of mask would change cell c: open and holding one of them.
    bool takes(int16_t c, uint8_t mask) const { return b.val[c] == 0 && (b.cand[c] & mask) != 0; }

    /*
     * A strike step as the enumerators below find it, in their own buffers
     * (grading makes many and keeps none): step() copies it out.
     */
    struct Found {
        Grade grade;
        int16_t unit;
        uint8_t digits;
        uint8_t struckDigits;
        bool hidden;
        const std::vector<int16_t>& cells;
        const std::vector<int16_t>& struck;

        DeductionStep step() const {
            DeductionStep s = strikeStep(unit, digits, cells, struckDigits, grade, hidden);
            s.struck = struck;
            return s;
        }
    };

    // Makes a strike step found on this board (it strikes something): its digits leave its struck cells.
    void make(const Found& found, bool& bad) {
        for (int16_t c : found.struck) {
            b.cand[c] &= static_cast<uint8_t>(~found.struckDigits);
            if (b.cand[c] == 0) bad = true;
        }
        if (log) log->push_back(found.step());
    }

    bool nakedSingle(bool& bad) {
        for (int16_t c = 1; c <= m.cellCount; ++c) {
            if (b.val[c] == 0 && bitCount(b.cand[c]) == 1) {
                record(single(Grade::NakedSingle, c, digitOfBit(b.cand[c]), -1));
                if (!pr.place(b, c, digitOfBit(b.cand[c])) || !pr.eliminate(b, false)) bad = true;
                return true;
            }
        }
        return false;
    }

    bool hiddenSingle(bool& bad) {
        for (size_t u = 0; u < m.units.size(); ++u) {
            if (!m.unitComplete[u]) continue;
            for (int v = 1; v <= 6; ++v) {
                uint8_t bit = bitOf(v);
                int16_t where = 0;
                int n = 0;
                for (int16_t c : m.units[u]) {
                    if (b.cand[c] & bit) {
                        where = c;
                        ++n;
                    }
                }
                if (n == 0) {
                    bad = true;
                    return true;
                }
                if (n == 1 && b.val[where] == 0) {
                    record(single(Grade::HiddenSingle, where, static_cast<int16_t>(v), static_cast<int16_t>(u)));
                    if (!pr.place(b, where, static_cast<int16_t>(v)) || !pr.eliminate(b, false)) bad = true;
                    return true;
                }
            }
        }
        return false;
    }

    /*
     * The strike steps the board allows, each kind in the grader's order:
     * every step that takes a digit from some open cell is handed to `found`,
     * with all those cells, until `found` returns true (then so does this).
     * The board is not changed.
     */
    // A digit whose places in a complete hexagon all touch a cell outside it: that cell cannot take the digit.
    template <class OnFound> bool eachPointing(OnFound&& found) const {
        std::vector<int16_t> places, struck;
        for (size_t u = 0; u < m.units.size(); ++u) {
            if (!m.unitComplete[u]) continue;
            for (int v = 1; v <= 6; ++v) {
                const uint8_t bit = bitOf(v);
                places.clear();
                bool placed = false;
                for (int16_t c : m.units[u]) {
                    if (b.val[c] == v) placed = true;
                    if (b.cand[c] & bit) places.push_back(c);
                }
                if (placed || places.size() < 2) continue;
                // Cells touching every place: the digit lands on one of them, so it touches them all.
                struck.clear();
                for (int k = 0; k < m.peerCount[places[0]]; ++k) {
                    const int16_t c = m.peers[places[0]][k];
                    if (!takes(c, bit) || std::find(places.begin(), places.end(), c) != places.end()) continue;
                    bool all = true;
                    for (size_t i = 1; i < places.size() && all; ++i) all = touches(c, places[i]);
                    if (all) struck.push_back(c);
                }
                if (!struck.empty() &&
                    found(Found{Grade::Pointing, static_cast<int16_t>(u), bit, bit, false, places, struck}))
                    return true;
            }
        }
        return false;
    }

    // k mutually touching open cells holding only k digits between them: cells touching them all lose those.
    template <class OnFound> bool eachNakedSubset(OnFound&& found) const {
        std::vector<int16_t> cells, struck;
        auto offer = [&](uint8_t digits) {
            return !struck.empty() && found(Found{Grade::Subset, -1, digits, digits, false, cells, struck});
        };
        for (int16_t a = 1; a <= m.cellCount; ++a) {
            if (b.val[a] != 0 || bitCount(b.cand[a]) > 3) continue;
            for (int i = 0; i < m.peerCount[a]; ++i) {
                const int16_t c2 = m.peers[a][i];
                if (c2 <= a || b.val[c2] != 0) continue;
                const uint8_t pair = b.cand[a] | b.cand[c2];
                if (bitCount(pair) == 2) {
                    struck.clear();
                    for (int k = 0; k < m.peerCount[a]; ++k) {
                        const int16_t c = m.peers[a][k];
                        if (c != c2 && touches(c, c2) && takes(c, pair)) struck.push_back(c);
                    }
                    cells.assign({a, c2});
                    if (offer(pair)) return true;
                }
                if (bitCount(pair) > 3) continue;
                for (int j = i + 1; j < m.peerCount[a]; ++j) {
                    const int16_t c3 = m.peers[a][j];
                    if (c3 <= a || b.val[c3] != 0 || !touches(c2, c3)) continue;
                    const uint8_t triple = pair | b.cand[c3];
                    if (bitCount(triple) != 3) continue;
                    struck.clear();
                    for (int k = 0; k < m.peerCount[a]; ++k) {
                        const int16_t c = m.peers[a][k];
                        if (c != c2 && c != c3 && touches(c, c2) && touches(c, c3) && takes(c, triple))
                            struck.push_back(c);
                    }
                    cells.assign({a, c2, c3});
                    if (offer(triple)) return true;
                }
            }
        }
        return false;
    }

    // k digits of a complete hexagon whose places are the same k cells: those cells keep only them.
    template <class OnFound> bool eachHiddenSubset(OnFound&& found) const {
        std::vector<int16_t> spotCells, struck;
        for (size_t u = 0; u < m.units.size(); ++u) {
            if (!m.unitComplete[u]) continue;
            const std::vector<int16_t>& cells = m.units[u];
            uint8_t where[7] = {0, 0, 0, 0, 0, 0, 0};  // per digit: bit i for the unit's cell i
            uint8_t openDigits = 0;
            for (int v = 1; v <= 6; ++v) {
                bool placed = false;
                for (size_t i = 0; i < cells.size(); ++i) {
                    if (b.val[cells[i]] == v) placed = true;
                    if (b.cand[cells[i]] & bitOf(v)) where[v] |= static_cast<uint8_t>(1u << i);
                }
                if (!placed) openDigits |= bitOf(v);
            }
            for (uint8_t set = 1; set < 64; ++set) {
                const int k = bitCount(set);
                if (k < 2 || k > 3 || (set & openDigits) != set) continue;
                uint8_t spots = 0;
                for (int v = 1; v <= 6; ++v)
                    if (set & bitOf(v)) spots |= where[v];
                if (bitCount(spots) != k) continue;
                const uint8_t others = static_cast<uint8_t>(kAll & ~set);
                spotCells.clear();
                struck.clear();
                for (size_t i = 0; i < cells.size(); ++i) {
                    if (!(spots & (1u << i))) continue;
                    spotCells.push_back(cells[i]);
                    if (takes(cells[i], others)) struck.push_back(cells[i]);
                }
                if (!struck.empty() &&
                    found(Found{Grade::Subset, static_cast<int16_t>(u), set, others, true, spotCells, struck}))
                    return true;
            }
        }
        return false;
    }

    // The grader's strikes: the first step of a kind is made.
    bool pointing(bool& bad) {
        return eachPointing([&](const Found& f) { make(f, bad); return true; });
    }
    bool nakedSubsets(bool& bad) {
        return eachNakedSubset([&](const Found& f) { make(f, bad); return true; });
    }
    bool hiddenSubsets(bool& bad) {
        return eachHiddenSubset([&](const Found& f) { make(f, bad); return true; });
    }

    /*
     * Every strike step the board allows as it stands, none harder than
     * `ceiling`: all pointing steps, then (for Subset) every naked and hidden
     * subset. The steps all read the same candidates.
     */
    void allStrikes(Grade ceiling, std::vector<DeductionStep>& out) const {
        out.clear();
        auto keep = [&out](const Found& f) {
            out.push_back(f.step());
            return false;
        };
        if (ceiling < Grade::Pointing) return;
        eachPointing(keep);
        if (ceiling < Grade::Subset) return;
        eachNakedSubset(keep);
        eachHiddenSubset(keep);
    }

    /*
     * Notes the singles the board shows now that are not noted yet (seen
     * marks naked singles by cell, hidden ones by hexagon and digit after
     * them), placing nothing; false when a digit of a complete hexagon has
     * no place left.
     */
    bool noteSingles(std::vector<uint8_t>& seen, std::vector<DeductionStep>& out) {
        for (int16_t c = 1; c <= m.cellCount; ++c) {
            if (b.val[c] != 0 || bitCount(b.cand[c]) != 1 || seen[c]) continue;
            seen[c] = 1;
            out.push_back(single(Grade::NakedSingle, c, digitOfBit(b.cand[c]), -1));
        }
        for (size_t u = 0; u < m.units.size(); ++u) {
            if (!m.unitComplete[u]) continue;
            for (int v = 1; v <= 6; ++v) {
                int16_t where = 0;
                int n = 0;
                for (int16_t c : m.units[u]) {
                    if (b.cand[c] & bitOf(v)) {
                        where = c;
                        ++n;
                    }
                }
                if (n == 0) return false;
                uint8_t& noted = seen[m.cellCount + 1 + u * 6 + (v - 1)];
                if (n != 1 || b.val[where] != 0 || noted) continue;
                noted = 1;
                out.push_back(single(Grade::HiddenSingle, where, static_cast<int16_t>(v), static_cast<int16_t>(u)));
            }
        }
        return true;
    }
};

}  // namespace

void finishModel(SolverModel& model) {
    int n = model.cellCount;
    if (n < 0) n = model.cellCount = 0;
    model.peers.resize(n + 1);
    model.peerCount.assign(n + 1, 0);
    model.touching.assign(static_cast<size_t>(n + 1) * (n + 1), 0);
    for (int c = 1; c <= n; ++c) {
        for (int16_t p : model.peers[c]) {
            if (p < 1 || p > n || p == c) continue;
            model.touching[c * (n + 1) + p] = 1;
            model.touching[p * (n + 1) + c] = 1;
        }
    }
    // Cells of one unit all share its centre point, so they touch.
    for (const std::vector<int16_t>& unit : model.units) {
        for (int16_t a : unit)
            for (int16_t c : unit)
                if (a != c && a >= 1 && a <= n && c >= 1 && c <= n) model.touching[a * (n + 1) + c] = 1;
    }
    model.peers.assign(n + 1, {});
    for (int c = 1; c <= n; ++c) {
        int16_t k = 0;
        for (int p = 1; p <= n; ++p) {
            if (!model.touching[c * (n + 1) + p]) continue;
            if (k < 12) model.peers[c][k++] = static_cast<int16_t>(p);
        }
        model.peerCount[c] = k;
    }
    model.unitComplete.resize(model.units.size(), 0);
    model.cellUnits.assign(n + 1, {});
    for (size_t u = 0; u < model.units.size(); ++u) {
        std::vector<int16_t>& unit = model.units[u];
        unit.erase(std::remove_if(unit.begin(), unit.end(), [n](int16_t c) { return c < 1 || c > n; }), unit.end());
        for (int16_t c : unit) model.cellUnits[c].push_back(static_cast<int16_t>(u));
    }
    model.cellNames.resize(n + 1);
}

int16_t countSolutions(const SolverModel& model, const CellDigits& givens, int16_t limit, CellDigits* first) {
    if (first) first->clear();
    if (limit < 1) limit = 1;
    Board b;
    Propagator pr{model, {}};
    if (!setUp(model, givens, b, pr)) return 0;
    Counter counter{model, limit, 0, first};
    counter.search(b, pr);
    return std::min(counter.found, limit);
}

const char* gradeName(Grade grade) {
    switch (grade) {
        case Grade::Given: return "given";
        case Grade::NakedSingle: return "naked-single";
        case Grade::HiddenSingle: return "hidden-single";
        case Grade::Pointing: return "pointing";
        case Grade::Subset: return "subset";
        case Grade::Search: return "search";
        case Grade::Invalid: return "invalid";
    }
    return "invalid";
}

GradeReport gradePuzzle(const SolverModel& model, const CellDigits& givens) {
    GradeReport report;
    Grader g{model, Propagator{model, {}}, {}, nullptr};
    if (!setUp(model, givens, g.b, g.pr) || !g.pr.eliminate(g.b, false)) return report;
    int strongest = 0;
    for (;;) {
        bool bad = false;
        int used = 0;
        if (g.b.open == 0) break;
        if (g.nakedSingle(bad)) used = 1;
        else if (g.hiddenSingle(bad)) used = 2;
        else if (g.pointing(bad)) used = 3;
        else if (g.nakedSubsets(bad) || g.hiddenSubsets(bad)) used = 4;
        if (bad) return report;
        if (used == 0) break;
        ++report.uses[used];
        strongest = std::max(strongest, used);
    }
    report.solvedCells = static_cast<int16_t>(model.cellCount - g.b.open);
    if (g.b.open == 0) {
        report.grade = static_cast<Grade>(strongest);
        return report;
    }
    // Stuck: trial and error is needed, or the givens have no solution at all.
    report.grade = countSolutions(model, givens, 1) > 0 ? Grade::Search : Grade::Invalid;
    if (report.grade == Grade::Search) ++report.uses[5];
    return report;
}

Grade gradeWithin(const SolverModel& model, const CellDigits& givens, Grade ceiling) {
    Grader g{model, Propagator{model, {}}, {}, nullptr};
    if (!setUp(model, givens, g.b, g.pr) || !g.pr.eliminate(g.b, false)) return Grade::Invalid;
    int strongest = 0;
    const int limit = static_cast<int>(ceiling);
    while (g.b.open > 0) {
        bool bad = false;
        int used = 0;
        if (g.nakedSingle(bad)) used = 1;
        else if (limit >= 2 && g.hiddenSingle(bad)) used = 2;
        else if (limit >= 3 && g.pointing(bad)) used = 3;
        else if (limit >= 4 && (g.nakedSubsets(bad) || g.hiddenSubsets(bad))) used = 4;
        if (bad) return Grade::Invalid;
        if (used == 0) return Grade::Search;
        strongest = std::max(strongest, used);
    }
    return static_cast<Grade>(strongest);
}

bool sampleSolution(const SolverModel& model, uint64_t seed, CellDigits& solution) {
    solution.clear();
    Board start;
    Propagator pr{model, {}};
    if (!setUp(model, CellDigits(), start, pr) || !pr.settle(start)) return false;
    uint64_t state = seed;
    auto draw = [&state](uint32_t n) {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>(((z ^ (z >> 31)) >> 32) % n);
    };
    /*
     * Depth-first search with propagation, the open cell with the fewest
     * candidates first (ties broken at random) and its digits in random order.
     * A search that wanders into a dead region is abandoned after a budget of
     * branchings and started afresh with new draws; the budget grows each time,
     * so a shape with a solution always ends with one.
     */
    struct Frame {
        Board board;
        int16_t cell;
        uint8_t left;  // digits of the cell not tried yet
    };
    for (int32_t budget = 64 + 4 * model.cellCount;; budget *= 2) {
        std::vector<Frame> stack;
        Board b = start;
        int32_t nodes = 0;
        for (;;) {
            if (b.open == 0) {
                solution = b.val;
                return true;
            }
            int16_t best = 0;
            int bestCount = 7, ties = 0;
            for (int16_t c = 1; c <= model.cellCount; ++c) {
                if (b.val[c] != 0) continue;
                int n = bitCount(b.cand[c]);
                if (n < bestCount) {
                    best = c;
                    bestCount = n;
                    ties = 1;
                } else if (n == bestCount && draw(static_cast<uint32_t>(++ties)) == 0) {
                    best = c;
                }
            }
            stack.push_back(Frame{b, best, b.cand[best]});
            // Try digits of the top frame until one settles; pop frames whose digits are spent.
            bool advanced = false;
            while (!stack.empty() && !advanced) {
                Frame& f = stack.back();
                if (f.left == 0) {
                    stack.pop_back();
                    continue;
                }
                int pick = static_cast<int>(draw(static_cast<uint32_t>(bitCount(f.left))));
                uint8_t m = f.left;
                for (int k = 0; k < pick; ++k) m &= static_cast<uint8_t>(m - 1);
                int16_t v = digitOfBit(m);
                f.left &= static_cast<uint8_t>(~bitOf(v));
                b = f.board;
                pr.queue.clear();
                advanced = pr.place(b, f.cell, v) && pr.settle(b);
                ++nodes;
            }
            pr.queue.clear();
            if (stack.empty()) return false;  // every branch fails: the shape has no solution
            if (nodes > budget) break;
        }
    }
}

bool solutionObeysRule(const SolverModel& model, const CellDigits& digits, int16_t* badCell) {
    if (badCell) *badCell = 0;
    if (static_cast<int>(digits.size()) <= model.cellCount) {
        if (badCell) *badCell = static_cast<int16_t>(std::max<size_t>(digits.size(), 1));
        return false;
    }
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        int16_t v = digits[c];
        bool ok = v >= 1 && v <= 6;
        for (int k = 0; ok && k < model.peerCount[c]; ++k) ok = digits[model.peers[c][k]] != v;
        if (!ok) {
            if (badCell) *badCell = c;
            return false;
        }
    }
    return true;
}

bool deduceNextPlacement(const SolverModel& model, const CellDigits& givens, std::vector<DeductionStep>& steps,
                         const std::vector<uint8_t>* known) {
    steps.clear();
    Grader g{model, Propagator{model, {}}, {}, &steps};
    if (!setUp(model, givens, g.b, g.pr) || !g.pr.eliminate(g.b, false) || !narrowTo(known, g.b)) return false;
    // The grader's own order of deductions, stopped at its first placement.
    while (g.b.open > 0) {
        bool bad = false;
        bool placed = g.nakedSingle(bad) || g.hiddenSingle(bad);
        if (bad) return false;
        if (placed) return true;
        if (!g.pointing(bad) && !g.nakedSubsets(bad) && !g.hiddenSubsets(bad)) return false;
        if (bad) return false;
    }
    return false;
}

void deduceSingles(const SolverModel& model, const CellDigits& givens, size_t strikeLimit, SinglesRun& run,
                   const std::vector<uint8_t>* known) {
    run = SinglesRun();
    Grader g{model, Propagator{model, {}}, {}, &run.strikes};
    if (!setUp(model, givens, g.b, g.pr) || !g.pr.eliminate(g.b, false) || !narrowTo(known, g.b)) return;
    std::vector<uint8_t> seen(model.cellCount + 1 + model.units.size() * 6, 0);
    for (;;) {
        if (!g.noteSingles(seen, run.singles)) {
            run.singles.resize(run.shownAfter.size());  // the board has no solution: drop what it showed
            return;
        }
        run.shownAfter.resize(run.singles.size(), run.strikes.size());
        if (run.strikes.size() >= strikeLimit) return;
        bool bad = false;
        if (!g.pointing(bad) && !g.nakedSubsets(bad) && !g.hiddenSubsets(bad)) return;
        if (bad) return;
    }
}

void deduceSinglesInLayers(const SolverModel& model, const CellDigits& givens, Grade ceiling, int16_t layersPast,
                           SinglesRun& run, const std::vector<uint8_t>* known) {
    run = SinglesRun();
    Grader g{model, Propagator{model, {}}, {}, nullptr};
    if (!setUp(model, givens, g.b, g.pr) || !g.pr.eliminate(g.b, false) || !narrowTo(known, g.b)) return;
    std::vector<uint8_t> seen(model.cellCount + 1 + model.units.size() * 6, 0);
    std::vector<DeductionStep> layer;
    for (int16_t past = 0;; ) {
        if (!g.noteSingles(seen, run.singles)) {
            run.singles.resize(run.shownAfter.size());  // the board has no solution: drop what it showed
            return;
        }
        run.shownAfter.resize(run.singles.size(), run.strikes.size());
        if (!run.singles.empty() && past++ >= layersPast) return;
        g.allStrikes(ceiling, layer);
        if (layer.empty()) return;
        for (DeductionStep& s : layer) {
            for (int16_t c : s.struck) {
                g.b.cand[c] &= static_cast<uint8_t>(~s.struckDigits);
                if (g.b.cand[c] == 0) return;  // no solution: keep only what showed before this layer
            }
            run.strikes.push_back(std::move(s));
        }
    }
}
