// Tests of the hints: whole solves of every built-in grid, each hint replayed and checked against the board.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <string>

#include "base/codepage.h"
#include "content/collection.h"
#include "content/new_grid.h"
#include "puzzle/candidates.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/solver.h"
#include "puzzle/state_string.h"
#include "tools/content_check.h"
#include "ui/hint_texts.h"

namespace {

uint8_t bitOf(int v) { return static_cast<uint8_t>(1u << (v - 1)); }

bool touch(const SolverModel& m, int16_t a, int16_t b) {
    return a != b && std::find(m.peers[a].begin(), m.peers[a].begin() + m.peerCount[a], b) != m.peers[a].begin() + m.peerCount[a];
}

bool contains(const std::vector<int16_t>& list, int16_t c) { return std::find(list.begin(), list.end(), c) != list.end(); }

// The cells of a unit that may still take digit v under the candidates.
std::vector<int16_t> placesOf(const SolverModel& m, const std::vector<uint8_t>& cand, size_t u, int v) {
    std::vector<int16_t> out;
    for (int16_t c : m.units[u])
        if (cand[c] & bitOf(v)) out.push_back(c);
    return out;
}

/*
 * Replays a hint on its own candidates, made from the board's digits (and
 * `known`, what earlier hints struck, when given): every strike must hold on
 * the candidates the earlier ones leave, the witnesses must hold what they
 * say and touch what they exclude, and the placement must follow; a digit
 * only earlier hints took out counts when the hint says it rests on them.
 * First steps only replay. Returns "" or what went wrong.
 */
std::string replay(const SolverModel& m, const CellDigits& board, const Hint& h,
                   const std::vector<uint8_t>& known = {}) {
    std::vector<uint8_t> cand(m.cellCount + 1, 63);
    for (int16_t c = 1; c <= m.cellCount; ++c) {
        if (board[c]) cand[c] = bitOf(board[c]);
        else
            for (int k = 0; k < m.peerCount[c]; ++k)
                if (board[m.peers[c][k]]) cand[c] &= static_cast<uint8_t>(~bitOf(board[m.peers[c][k]]));
        if (!board[c] && static_cast<size_t>(c) < known.size()) cand[c] &= known[c];
    }
    for (const DeductionStep& s : h.strikes) {
        if (s.struck.empty()) return "a strike strikes nothing";
        if (s.grade == Grade::Pointing) {
            if (!m.unitComplete[s.unit]) return "pointing in a partial hexagon";
            int v = std::countr_zero(static_cast<unsigned>(s.digits)) + 1;
            if (placesOf(m, cand, s.unit, v) != s.cells) return "pointing names the wrong places";
            for (int16_t x : s.struck)
                for (int16_t p : s.cells)
                    if (!touch(m, x, p)) return "a pointing strike does not touch every place";
        } else if (s.hiddenSubset) {
            if (!m.unitComplete[s.unit] || static_cast<int>(s.cells.size()) != std::popcount(s.digits))
                return "hidden subset of the wrong size";
            for (int v = 1; v <= 6; ++v) {
                if (!(s.digits & bitOf(v))) continue;
                for (int16_t p : placesOf(m, cand, s.unit, v))
                    if (!contains(s.cells, p)) return "a hidden subset digit has a place outside its cells";
            }
            if (s.struckDigits != (63 & ~s.digits)) return "a hidden subset strikes the wrong digits";
            for (int16_t x : s.struck)
                if (!contains(s.cells, x)) return "a hidden subset strikes outside its cells";
        } else {
            uint8_t all = 0;
            for (int16_t a : s.cells) {
                all |= cand[a];
                for (int16_t b : s.cells)
                    if (a != b && !touch(m, a, b)) return "naked subset cells do not touch";
            }
            if (all != s.digits || std::popcount(all) != static_cast<int>(s.cells.size())) return "naked subset digits";
            for (int16_t x : s.struck)
                for (int16_t a : s.cells)
                    if (x == a || !touch(m, x, a)) return "a naked subset strike does not touch every cell";
        }
        for (int16_t x : s.struck) {
            if (board[x]) return "a strike on a filled cell";
            cand[x] &= static_cast<uint8_t>(~s.struckDigits);
        }
    }
    if (h.kind == HintKind::FirstSteps) return "";
    // A digit only earlier hints took out of a cell: no board cell touching it holds that digit.
    auto taughtOut = [&](int16_t c, int v) {
        for (int k = 0; k < m.peerCount[c]; ++k)
            if (board[m.peers[c][k]] == v) return false;
        return h.earlier && static_cast<size_t>(c) < known.size() && !(known[c] & bitOf(v));
    };
    for (const HintWitness& w : h.witnesses)
        if (w.cell < 1 || w.cell > m.cellCount || board[w.cell] != w.digit) return "a witness does not hold its digit";
    if (h.single == Grade::NakedSingle) {
        if (cand[h.cell] != bitOf(h.digit)) return "the cell keeps other candidates";
        for (const HintWitness& w : h.witnesses)
            if (!touch(m, w.cell, h.cell) || w.digit == h.digit) return "a naked-single witness does not touch the cell";
        for (int v = 1; v <= 6; ++v) {
            bool seen = std::any_of(h.witnesses.begin(), h.witnesses.end(), [&](const HintWitness& w) { return w.digit == v; });
            bool struck = std::any_of(h.strikes.begin(), h.strikes.end(), [&](const DeductionStep& s) {
                return (s.struckDigits & bitOf(v)) && contains(s.struck, h.cell);
            });
            if (v != h.digit && !seen && !struck && !taughtOut(h.cell, v))
                return "an other digit of the cell is not accounted for";
        }
    } else {
        if (!m.unitComplete[h.unit] || placesOf(m, cand, h.unit, h.digit) != std::vector<int16_t>{h.cell})
            return "the digit keeps other places in the hexagon";
        for (int16_t c : m.units[h.unit]) {
            if (c == h.cell || board[c]) continue;
            bool seen = std::any_of(h.witnesses.begin(), h.witnesses.end(),
                                    [&](const HintWitness& w) { return w.digit == h.digit && touch(m, w.cell, c); });
            bool struck = std::any_of(h.strikes.begin(), h.strikes.end(), [&](const DeductionStep& s) {
                return (s.struckDigits & bitOf(h.digit)) && contains(s.struck, c);
            });
            if (!seen && !struck && !taughtOut(c, h.digit)) return "an empty cell of the hexagon is not accounted for";
        }
    }
    return "";
}

/*
 * How a hint compares with the grader's own way to its first placement on
 * the same board (and known strikes): no harder, no more steps, and graded
 * by the hardest step it keeps. Returns "" or what differs.
 */
std::string noHarderThanGrader(const SolverModel& m, const CellDigits& board, const Hint& h,
                               const std::vector<uint8_t>& known) {
    std::vector<DeductionStep> steps;
    if (!deduceNextPlacement(m, board, steps, known.empty() ? nullptr : &known)) return "the grader finds no placement";
    Grade graderGrade = Grade::Given;
    for (const DeductionStep& s : steps) graderGrade = std::max(graderGrade, s.grade);
    if (h.grade > graderGrade) return "harder than the grader's way";
    if (h.strikes.size() + 1 > steps.size()) return "more steps than the grader's way";
    Grade hardest = h.single;
    for (const DeductionStep& k : h.strikes) hardest = std::max(hardest, k.grade);
    return h.grade == hardest ? "" : "the grade is not the hardest kept";
}

/*
 * A hint that names nothing spare: it replays, and leaving out any one kept
 * step, any one struck cell of a step (the step with its last one) or any
 * one witness leaves the placement unproved. Returns "" or what is wrong.
 */
std::string leanHintFault(const SolverModel& m, const CellDigits& board, const Hint& h,
                          const std::vector<uint8_t>& known = {}) {
    std::string fault = replay(m, board, h, known);
    if (fault.empty()) fault = noHarderThanGrader(m, board, h, known);
    if (!fault.empty()) return fault;
    for (size_t i = 0; i < h.strikes.size(); ++i) {
        for (size_t k = 0; k <= h.strikes[i].struck.size(); ++k) {
            const bool whole = k == h.strikes[i].struck.size();
            Hint less = h;
            std::vector<int16_t>& struck = less.strikes[i].struck;
            if (!whole) struck.erase(struck.begin() + static_cast<long>(k));
            if (whole || struck.empty()) less.strikes.erase(less.strikes.begin() + static_cast<long>(i));
            if (replay(m, board, less, known).empty())
                return "step " + std::to_string(i) +
                       (whole ? " is spare" : " names a spare cell " + std::to_string(h.strikes[i].struck[k]));
        }
    }
    for (size_t i = 0; i < h.witnesses.size(); ++i) {
        Hint less = h;
        less.witnesses.erase(less.witnesses.begin() + static_cast<long>(i));
        if (replay(m, board, less, known).empty())
            return "witness " + std::to_string(h.witnesses[i].cell) + " is spare";
    }
    return "";
}

// What earlier hints struck, as candidate masks of the cells (empty when nothing taught holds on the board).
std::vector<uint8_t> knownCandidates(const SolverModel& m, const CellDigits& board, const TaughtStrikes& taught) {
    if (!taughtHolds(taught, board)) return {};
    std::vector<uint8_t> known(m.cellCount + 1, 63);
    for (const DeductionStep& s : taught.strikes)
        for (int16_t c : s.struck) known[c] &= static_cast<uint8_t>(~s.struckDigits);
    return known;
}

// The hint the game gives on a grid's board in a state string, as the tool's hint command reads it.
Hint hintOnState(Grid& g, const char* code, const char* state) {
    createGrid(g);
    loadGridOfCode(g, TextRef(code));
    TextList moves;
    EXPECT_TRUE(readStateString(g, TextRef(state), moves)) << code;
    prepareGrid(g, moves);
    return hintForGrid(g);
}

// The cells each strike taking `digit` names, by label: "L4 C8 | L2 C6, L3 C6" for two strikes.
std::string struckLabels(const Grid& g, const Hint& h, int digit) {
    std::string out;
    for (const DeductionStep& s : h.strikes) {
        if (!(s.struckDigits & bitOf(digit))) continue;
        out += out.empty() ? "" : " | ";
        for (size_t k = 0; k < s.struck.size(); ++k) out += (k ? ", " : "") + cellLabel(g, s.struck[k], " ", false).s;
    }
    return out;
}

// The easiest grade a board offers, found plainly: a cell with one candidate, else a digit with one place.
Grade easiestSingle(const SolverModel& m, const CellDigits& board) {
    std::vector<uint8_t> cand(m.cellCount + 1, 63);
    for (int16_t c = 1; c <= m.cellCount; ++c) {
        if (board[c]) cand[c] = bitOf(board[c]);
        for (int k = 0; k < m.peerCount[c]; ++k)
            if (board[m.peers[c][k]]) cand[c] &= static_cast<uint8_t>(~bitOf(board[m.peers[c][k]]));
        if (!board[c] && std::popcount(cand[c]) == 1) return Grade::NakedSingle;
    }
    for (size_t u = 0; u < m.units.size(); ++u) {
        if (!m.unitComplete[u]) continue;
        for (int v = 1; v <= 6; ++v) {
            std::vector<int16_t> places = placesOf(m, cand, u, v);
            if (places.size() == 1 && !board[places[0]]) return Grade::HiddenSingle;
        }
    }
    return Grade::Pointing;
}

}  // namespace

/*
 * Every built-in grid at the level the game loads it, solved by following its
 * hints alone: each hint is a true deduction (the solution's digit, a reason
 * that replays on the board), takes the easiest grade the board offers and
 * none harder than the whole rest of the puzzle needs; its texts name the
 * cells the reason names, in both languages.
 */
TEST(HintsTest, FollowingTheHintsSolvesEveryBuiltInGrid) {
    int byGrade[7] = {0, 0, 0, 0, 0, 0, 0};
    for (int16_t i = 1; i <= builtInGridTotal(); ++i) {
        const BuiltInGrid* b = builtInGridAt(i);
        Grid g;
        loadBuiltInGrid(g, b->code);
        const SolverModel model = modelFromGrid(g);
        const CellDigits solution = solutionOfGrid(g);
        ASSERT_EQ(gridSolution(g, model), solution) << b->code;
        CellDigits board = givensOfGrid(g);
        for (int step = 0;; ++step) {
            ASSERT_LE(step, model.cellCount) << b->code;
            const Hint h = nextHint(model, solution, board);
            // The game's entry point reads the same board from the grid itself.
            ASSERT_EQ(gridBoard(g), board) << b->code;
            const Hint fromGrid = hintForGrid(g);
            EXPECT_EQ(fromGrid.cell, h.cell);
            EXPECT_EQ(fromGrid.digit, h.digit);
            if (h.kind == HintKind::NoneLeft) break;
            ASSERT_EQ(h.kind, HintKind::Placement) << b->code << " step " << step;
            ASSERT_EQ(board[h.cell], 0) << b->code;
            ASSERT_EQ(h.digit, solution[h.cell]) << b->code << " cell " << g.cellNames.str(h.cell);
            ASSERT_EQ(leanHintFault(model, board, h), "") << b->code << " step " << step;
            Grade easiest = easiestSingle(model, board);
            if (easiest < Grade::Pointing) EXPECT_EQ(h.grade, easiest) << b->code << " step " << step;
            else EXPECT_GE(h.grade, Grade::Pointing) << b->code << " step " << step;
            EXPECT_LE(h.grade, gradePuzzle(model, board).grade) << b->code << " step " << step;
            ++byGrade[static_cast<int>(h.grade)];

            for (uint8_t language : {0, 1}) {
                std::string text = hintText(h, g, model, language).s;
                EXPECT_NE(text.find(cellLabel(g, h.cell, "\xA0", false).s), std::string::npos) << text;
                for (const HintWitness& w : h.witnesses)
                    EXPECT_NE(text.find(cellLabel(g, w.cell, "\xA0", false).s), std::string::npos) << text;
                for (const DeductionStep& s : h.strikes)
                    for (int16_t c : s.struck)
                        EXPECT_NE(text.find(cellLabel(g, c, "\xA0", false).s), std::string::npos) << text;
                if (h.single == Grade::HiddenSingle) {
                    EXPECT_NE(text.find(hexagonLabel(g, model, h.unit).s), std::string::npos) << text;
                }
                // The answer, "Why:", one line per step and the placement's own.
                EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), static_cast<long>(h.strikes.size()) + 2) << text;
                // No line starts with a colon or splits a name: the spaces a box may break at are ordinary ones only
                // where a line may break.
                EXPECT_EQ(text.find(" :"), std::string::npos) << text;
                EXPECT_EQ(text.find(" ;"), std::string::npos) << text;
                EXPECT_EQ(text.find(" C"), std::string::npos) << text;
            }
            board[h.cell] = h.digit;
            setCellValue(g, h.cell, h.digit);
        }
        EXPECT_EQ(board, solution) << b->code;
    }
    // The collection needs every kind of reason along the way.
    EXPECT_GT(byGrade[1], 0);
    EXPECT_GT(byGrade[2], 0);
    EXPECT_GT(byGrade[3], 0);
}

/*
 * New grids of level 7 on every size, seeded, solved by following their
 * hints: every hint is the solution's digit and names nothing spare. The
 * run meets subsets (sizes 3 to 5) as well as pointing.
 */
TEST(HintsTest, NewGridHintsNameNothingSpare) {
    int subsets = 0;
    for (int16_t size = 1; size <= kNewGridSizes; ++size) {
        for (uint32_t seed = 1; seed <= 4; ++seed) {
            NewGrid n;
            ASSERT_TRUE(makeNewGrid(NewGridRequest{size, 7, seed * 101u + static_cast<uint32_t>(size)}, n));
            Grid g;
            loadNewGrid(g, n);
            const SolverModel model = modelFromGrid(g);
            CellDigits board = n.givens;
            for (Hint h = nextHint(model, n.solution, board); h.kind != HintKind::NoneLeft;
                 h = nextHint(model, n.solution, board)) {
                ASSERT_EQ(h.kind, HintKind::Placement) << n.code.s;
                ASSERT_EQ(h.digit, n.solution[h.cell]) << n.code.s;
                ASSERT_EQ(leanHintFault(model, board, h), "") << n.code.s << " at " << g.cellNames.str(h.cell);
                subsets += h.grade == Grade::Subset;
                board[h.cell] = h.digit;
            }
        }
    }
    EXPECT_GT(subsets, 0);
}

// Two boards whose grader runs strike more than the hint needs.
TEST(HintsTest, BoardsWithSpareStrikesNameOnlyTheNeededOnes) {
    Grid g;
    Hint h = hintOnState(g, "N3-7-11", "GCGEKKHAGFKEFDBHAKADKKFAKKFK");
    ASSERT_EQ(h.kind, HintKind::Placement);
    // The grader's own placement rests on two pointing steps on the 5; one of the strikes it makes on the way, on
    // the 6, leaves the 6 one place in its hexagon: that placement is the hint, with that one step.
    EXPECT_EQ(cellLabel(g, h.cell, " ", false).s, "L4 C4");
    EXPECT_EQ(h.strikes.size(), 1u);
    EXPECT_EQ(struckLabels(g, h, 6), "L3 C4, L3 C3");

    h = hintOnState(g, "N4-7-11", "HCAKBKCCHBCGDKGDBHEGCGBKGEHDKKKKHAGEKDCKBCG");
    ASSERT_EQ(h.kind, HintKind::Placement);
    // The grader strikes the 2 from L3 C8 by pointing, then again by a subset on the 2 and the 6 that stays.
    const std::string twos = struckLabels(g, h, 2);
    EXPECT_NE(twos.find("L3 C8"), std::string::npos) << twos;
    EXPECT_EQ(twos.find("L3 C8"), twos.rfind("L3 C8")) << twos;
}

TEST(HintsTest, WrongDigitsAndBoardsBeyondLogic) {
    Grid g;
    loadBuiltInGrid(g, "2214-7");
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = solutionOfGrid(g);
    CellDigits board = givensOfGrid(g);
    std::vector<int16_t> open;
    for (int16_t c = 1; c <= model.cellCount; ++c)
        if (!board[c]) open.push_back(c);
    ASSERT_GE(open.size(), 3u);
    // Two wrong digits and a right one: the first wrong cell is named, whatever the hint would be.
    board[open[2]] = static_cast<int16_t>(solution[open[2]] % 6 + 1);
    board[open[1]] = static_cast<int16_t>(solution[open[1]] % 6 + 1);
    board[open[0]] = solution[open[0]];
    Hint h = nextHint(model, solution, board);
    EXPECT_EQ(h.kind, HintKind::Contradiction);
    EXPECT_EQ(h.cell, open[1]);
    EXPECT_EQ(h.digit, board[open[1]]);
    std::string fr = hintText(h, g, model, 0).s;
    std::string en = hintText(h, g, model, 1).s;
    EXPECT_EQ(fr, "Le " + std::to_string(h.digit) + " en " + cellLabel(g, h.cell, "\xA0", false).s +
                      " est faux\xA0: la solution de la grille met un autre chiffre dans cette case.");
    EXPECT_NE(en.find("is wrong"), std::string::npos);

    // With no givens at all, logic has nowhere to start; the hint still gives the solution's digit.
    h = nextHint(model, solution, CellDigits(model.cellCount + 1, 0));
    EXPECT_EQ(h.kind, HintKind::Stuck);
    EXPECT_EQ(h.grade, Grade::Search);
    EXPECT_EQ(h.digit, solution[h.cell]);
    EXPECT_EQ(nextHint(model, solution, solution).kind, HintKind::NoneLeft);
    EXPECT_NE(hintText(nextHint(model, solution, solution), g, model, 0).s.find("\xE0 trouver"), std::string::npos);
}

/*
 * The wording of every kind of hint, in both languages, pinned on fixed boards
 * of level-7 new grids: a change of wording shows here in review. The texts
 * are written in UTF-8 with "~" for the no-break space the box holds.
 */
namespace {

struct PinnedHint {
    const char* code;
    const char* state;
    const char* french;
    const char* english;
};

const PinnedHint kPinnedHints[] = {
    // a hidden single with its witness
    {"N3-7-1", "KKGACKGDKGBEKEKKGAKHFGBKHFDG",
     "Indice~: le 1 va en L4~C1.\n"
     "Pourquoi~:\n"
     "Dans l'hexagone L4-L5~C1-C3, le 1 ne va nulle part ailleurs qu'en L4~C1~: chacune des autres cases vides de l'hexagone touche un 1 (en L4~C4).",
     "Hint: the 1 goes in L4~C1.\n"
     "Why:\n"
     "In hexagon L4-L5~C1-C3, the 1 fits nowhere but L4~C1: every other empty cell of the hexagon touches a 1 (in L4~C4)."},
    // a placement whose proof is too long for its box: its first steps, a naked triple and a hidden pair among them
    {"N3-7-5", "EKGBFGAKGDKHEFKKKKGBKFKDAHCG",
     "Indice~: aucune case ne se remplit encore en quelques étapes. Voici les premières~; l'indice suivant poursuit à partir d'elles.\n"
     "Dans l'hexagone L1-L2~C8-C10, le 6 ne peut aller qu'en L1~C8, L2~C8 ou L2~C9~; L2~C7 touche ces trois cases et ne peut donc pas recevoir le 6.\n"
     "L3~C3, L3~C4 et L4~C4 se touchent et ne peuvent recevoir que le 2, le 3 et le 6 à elles trois~; L3~C5, qui les touche toutes les trois, ne peut donc recevoir ni le 2 ni le 3 ni le 6.\n"
     "Dans l'hexagone L2-L3~C5-C7, le 2 et le 6 ne peuvent aller qu'en L3~C6 et L3~C7~: ces cases ne peuvent donc recevoir aucun autre chiffre.\n"
     "Dans l'hexagone L3-L4~C6-C8, le 1 ne peut aller qu'en L4~C6 ou L4~C7~; L4~C5 et L5~C5 touchent ces deux cases et ne peuvent donc pas recevoir le 1.",
     "Hint: no cell can be filled in a few steps yet. Here are the first steps towards one; the next hint goes on from them.\n"
     "In hexagon L1-L2~C8-C10, the 6 can only go in L1~C8, L2~C8 or L2~C9; L2~C7 touches all three of these cells, so it cannot hold the 6.\n"
     "L3~C3, L3~C4 and L4~C4 touch each other and can only hold the 2, the 3 and the 6 between the three of them; so L3~C5, touching all three, cannot hold the 2, the 3 or the 6.\n"
     "In hexagon L2-L3~C5-C7, the 2 and the 6 can only go in L3~C6 and L3~C7, so these cells cannot hold any other digit.\n"
     "In hexagon L3-L4~C6-C8, the 1 can only go in L4~C6 or L4~C7; L4~C5 and L5~C5 touch both of these cells, so they cannot hold the 1."},
    // a naked single with four witnesses and one digit struck by a pointing step
    {"N3-7-1", "GEKHACKGDAKBEKEEKGAGAKGBFEBGEHAFDG",
     "Indice~: le 4 va en L2~C9.\n"
     "Pourquoi~:\n"
     "Dans l'hexagone L1-L2~C6-C8, le 6 ne peut aller qu'en L1~C8 ou L2~C8~; L2~C9 touche ces deux cases et ne peut donc pas recevoir le 6.\n"
     "La case L2~C9 ne peut recevoir que le 4~: elle touche le 1 en L3~C8, le 2 en L1~C10, le 3 en L3~C10 et le 5 en L2~C10, et ne peut plus recevoir le 6 après les étapes ci-dessus.",
     "Hint: the 4 goes in L2~C9.\n"
     "Why:\n"
     "In hexagon L1-L2~C6-C8, the 6 can only go in L1~C8 or L2~C8; L2~C9 touches both of these cells, so it cannot hold the 6.\n"
     "The cell L2~C9 can only hold the 4: it touches the 1 in L3~C8, the 2 in L1~C10, the 3 in L3~C10 and the 5 in L2~C10, and can no longer hold the 6 after the steps above."},
    // a naked single that touches the five other digits
    {"N3-7-1", "GEGDFHACKGDADDGBEKEEKGADAAFGDBFEBGEHAFDF",
     "Indice~: le 3 va en L1~C6.\n"
     "Pourquoi~:\n"
     "La case L1~C6 ne peut recevoir que le 3~: elle touche les cinq autres chiffres (le 1 en L2~C5, le 2 en L1~C7, le 4 en L2~C6, le 5 en L2~C7 et le 6 en L1~C5).",
     "Hint: the 3 goes in L1~C6.\n"
     "Why:\n"
     "The cell L1~C6 can only hold the 3: it touches the five other digits (the 1 in L2~C5, the 2 in L1~C7, the 4 in L2~C6, the 5 in L2~C7 and the 6 in L1~C5)."},
    // a naked pair, and a naked single with two digits struck
    {"N3-7-1", "GEGDKACKGDADDGBEKEEKGAGAKGBFEBGEHAFDF",
     "Indice~: le 6 va en L4~C7.\n"
     "Pourquoi~:\n"
     "Dans l'hexagone L3-L4~C2-C4, le 6 ne peut aller qu'en L3~C2 ou L3~C4~; L2~C3 touche ces deux cases et ne peut donc pas recevoir le 6.\n"
     "Dans l'hexagone L2-L3~C3-C5, le 6 ne peut aller qu'en L3~C4 ou L3~C5~; L3~C6 touche ces deux cases et ne peut donc pas recevoir le 6.\n"
     "L3~C6 et L4~C5 se touchent et ne peuvent recevoir que le 2 et le 3 à elles deux~; L4~C7, qui les touche toutes les deux, ne peut donc recevoir ni le 2 ni le 3.\n"
     "La case L4~C7 ne peut recevoir que le 6~: elle touche le 1 en L5~C9, le 4 en L5~C5 et le 5 en L4~C6, et ne peut plus recevoir ni le 2 ni le 3 après les étapes ci-dessus.",
     "Hint: the 6 goes in L4~C7.\n"
     "Why:\n"
     "In hexagon L3-L4~C2-C4, the 6 can only go in L3~C2 or L3~C4; L2~C3 touches both of these cells, so it cannot hold the 6.\n"
     "In hexagon L2-L3~C3-C5, the 6 can only go in L3~C4 or L3~C5; L3~C6 touches both of these cells, so it cannot hold the 6.\n"
     "L3~C6 and L4~C5 touch each other and can only hold the 2 and the 3 between them; so L4~C7, touching both, cannot hold the 2 or the 3.\n"
     "The cell L4~C7 can only hold the 6: it touches the 1 in L5~C9, the 4 in L5~C5 and the 5 in L4~C6, and can no longer hold the 2 or the 3 after the steps above."},
    // two pointing steps before a hidden single
    {"N3-7-1", "GEGDKACKGDAGDGBEKEEKGAGAKGBFEBGEHAFDG",
     "Indice~: le 6 va en L5~C4.\n"
     "Pourquoi~:\n"
     "Dans l'hexagone L3-L4~C2-C4, le 6 ne peut aller qu'en L3~C2 ou L3~C4~; L2~C3 touche ces deux cases et ne peut donc pas recevoir le 6.\n"
     "Dans l'hexagone L2-L3~C3-C5, le 6 ne peut aller qu'en L3~C4 ou L3~C5~; L4~C5 touche ces deux cases et ne peut donc pas recevoir le 6.\n"
     "Dans l'hexagone L4-L5~C3-C5, le 6 ne va nulle part ailleurs qu'en L5~C4~: chacune des autres cases vides de l'hexagone touche un 6 (en L5~C1) ou ne peut plus le recevoir après les étapes ci-dessus.",
     "Hint: the 6 goes in L5~C4.\n"
     "Why:\n"
     "In hexagon L3-L4~C2-C4, the 6 can only go in L3~C2 or L3~C4; L2~C3 touches both of these cells, so it cannot hold the 6.\n"
     "In hexagon L2-L3~C3-C5, the 6 can only go in L3~C4 or L3~C5; L4~C5 touches both of these cells, so it cannot hold the 6.\n"
     "In hexagon L4-L5~C3-C5, the 6 fits nowhere but L5~C4: every other empty cell of the hexagon touches a 6 (in L5~C1) or can no longer hold it after the steps above."},
    // two wrong digits: the first in reading order is named, and the other counted
    {"N3-7-2", "GCDGFGAHDDGAHEEFGCFDKDFAGCCEEFGCGDABDAKGEF",
     "Le 4 en L1~C5 est faux~: la solution de la grille met un autre chiffre dans cette case.\n"
     "Un autre chiffre de la grille est faux aussi.",
     "The 4 in L1~C5 is wrong: the grid's solution has another digit in this cell.\n"
     "One other digit on the board is wrong too."},
};

// A box's Windows-1252 text as the pinned texts write it.
std::string readable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        const char16_t u = cp1252ToUtf16(c);
        if (u == 0xA0) out += '~';
        else if (u < 0x80) out += static_cast<char>(u);
        else if (u < 0x800) {
            out += static_cast<char>(0xC0 | (u >> 6));
            out += static_cast<char>(0x80 | (u & 0x3F));
        } else {
            out += static_cast<char>(0xE0 | (u >> 12));
            out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (u & 0x3F));
        }
    }
    return out;
}

}  // namespace

TEST(HintTexts, EveryKindReadsAsPinned) {
    for (const PinnedHint& p : kPinnedHints) {
        Grid g;
        createGrid(g);
        ASSERT_TRUE(loadGridOfCode(g, p.code)) << p.code;
        TextList moves;
        ASSERT_TRUE(readStateString(g, p.state, moves)) << p.code;
        prepareGrid(g, moves);
        recomputeCandidates(g);
        const SolverModel model = modelFromGrid(g);
        const Hint h = hintThatFits(hintForGrid(g), g, model);
        EXPECT_EQ(readable(hintText(h, g, model, 0).s), p.french) << p.code << " " << p.state;
        EXPECT_EQ(readable(hintText(h, g, model, 1).s), p.english) << p.code << " " << p.state;
    }
    // A board beyond the steps the hints explain, and a solved one.
    Grid g;
    loadBuiltInGrid(g, "2214-7");
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = solutionOfGrid(g);
    const Hint stuck = nextHint(model, solution, CellDigits(model.cellCount + 1, 0));
    const std::string name = readable(cellLabel(g, stuck.cell, "\xA0", false).s);
    const std::string digit = std::to_string(stuck.digit);
    EXPECT_EQ(readable(hintText(stuck, g, model, 0).s),
              "Indice~: le " + digit + " va en " + name + ".\n"
              "Pourquoi~: aucune des déductions que les indices expliquent ne mène plus loin sur cette grille~; "
              "ce chiffre est celui de la solution.");
    EXPECT_EQ(readable(hintText(stuck, g, model, 1).s),
              "Hint: the " + digit + " goes in " + name + ".\n"
              "Why: none of the steps the hints explain leads further on this board; this digit is the one the "
              "grid's solution has there.");
    const Hint done = nextHint(model, solution, solution);
    EXPECT_EQ(readable(hintText(done, g, model, 0).s), "Chaque case a son chiffre~: il n'y a plus rien à trouver.");
    EXPECT_EQ(readable(hintText(done, g, model, 1).s), "Every cell holds its digit: there is nothing left to find.");
}

/*
 * Level-7 new grids of every size, seeded, played to the end as the game
 * plays them: every hint is given as its box tells it, and first steps are
 * remembered for the next hint. No box is longer than 834 characters in
 * either language; every hint replays on the board and what earlier hints
 * struck, names nothing spare, and places the solution's digit; first steps
 * always strike something new, so the games end.
 */
TEST(HintTexts, NoBoxOverASeededRunOfNewGridsIsLongerThan834Characters) {
    size_t longest = 0, firstSteps = 0, placements = 0;
    std::string where;
    for (int16_t size = 1; size <= kNewGridSizes; ++size) {
        for (uint32_t seed = 1; seed <= 11; ++seed) {
            const std::string code = newGridCode(NewGridRequest{size, 7, seed}).s;
            Grid g;
            createGrid(g);
            ASSERT_TRUE(loadGridOfCode(g, TextRef(code.c_str())));
            prepareGrid(g, TextList());
            const SolverModel model = modelFromGrid(g);
            const CellDigits solution = gridSolution(g, model);
            TaughtStrikes taught;
            for (int asked = 0;; ++asked) {
                ASSERT_LT(asked, 4 * model.cellCount) << code;
                const CellDigits board = gridBoard(g);
                const Hint h = hintThatFits(hintForGrid(g, &taught), g, model);
                if (h.kind == HintKind::NoneLeft) break;
                ASSERT_TRUE(h.kind == HintKind::Placement || h.kind == HintKind::FirstSteps) << code;
                const std::vector<uint8_t> known = knownCandidates(model, board, taught);
                if (h.kind == HintKind::Placement) {
                    ASSERT_EQ(leanHintFault(model, board, h, known), "") << code << " " << writeStateString(g).s;
                    ASSERT_EQ(h.digit, solution[h.cell]) << code;
                } else {
                    ASSERT_EQ(replay(model, board, h, known), "") << code << " " << writeStateString(g).s;
                }
                for (uint8_t language : {0, 1}) {
                    const size_t length = hintText(h, g, model, language).s.size();
                    if (length > longest) {
                        longest = length;
                        where = code + " " + writeStateString(g).s;
                    }
                }
                if (h.kind == HintKind::FirstSteps) {
                    ++firstSteps;
                    const size_t before = taught.strikes.size();
                    rememberTaught(taught, board, h);
                    ASSERT_GT(taught.strikes.size(), before);
                    continue;
                }
                ++placements;
                setCellValue(g, h.cell, h.digit);
            }
            EXPECT_EQ(gridBoard(g), solution) << code;
        }
    }
    EXPECT_LE(longest, 834u) << where;
    // Long proofs are rare: nearly every hint is a placement.
    EXPECT_GT(firstSteps, 0u);
    EXPECT_LT(firstSteps * 50, placements);
}
