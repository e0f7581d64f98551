// Tests of the content solver and generator on small hand-built lattice shapes.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>

#include "content/collection.h"
#include "puzzle/generator.h"
#include "puzzle/solver.h"

namespace {

/*
 * A minimal lattice model made independently of the game's topology code:
 * points in axial coordinates (A = (1,0), B = (0,1)), a triangle is (q, r, o)
 * with o = 0 for P:AB (corners P, P+A, P+B) and o = 1 for P:AF (P, P+A, P+F).
 */
using Tri = std::tuple<int, int, int>;

std::vector<Tri> trianglesAround(int q, int r) {
    // AB, BC = PC:AF, CD = PD:AB, DE = PD:AF, EF = PE:AB, FA = P:AF
    return {{q, r, 0}, {q - 1, r + 1, 1}, {q - 1, r, 0}, {q - 1, r, 1}, {q, r - 1, 0}, {q, r, 1}};
}

std::vector<std::pair<int, int>> cornersOf(const Tri& t) {
    auto [q, r, o] = t;
    if (o == 0) return {{q, r}, {q + 1, r}, {q, r + 1}};
    return {{q, r}, {q + 1, r}, {q + 1, r - 1}};
}

SolverModel shapeModel(const std::vector<std::pair<int, int>>& centres) {
    std::map<Tri, int16_t> index;
    std::vector<Tri> cells;
    for (auto [q, r] : centres)
        for (const Tri& t : trianglesAround(q, r))
            if (!index.count(t)) {
                index[t] = 0;
                cells.push_back(t);
            }
    std::sort(cells.begin(), cells.end());
    SolverModel m;
    m.cellCount = static_cast<int16_t>(cells.size());
    m.peers.assign(m.cellCount + 1, {});
    for (size_t i = 0; i < cells.size(); ++i) index[cells[i]] = static_cast<int16_t>(i + 1);
    std::map<std::pair<int, int>, std::vector<int16_t>> around;
    for (const Tri& t : cells)
        for (auto p : cornersOf(t)) around[p].push_back(index[t]);
    for (const Tri& t : cells) {
        int16_t c = index[t];
        int k = 0;
        for (auto p : cornersOf(t))
            for (int16_t o : around[p])
                if (o != c && k < 12 &&
                    std::find(m.peers[c].begin(), m.peers[c].begin() + k, o) == m.peers[c].begin() + k)
                    m.peers[c][k++] = o;
    }
    for (auto& [p, list] : around) {
        if (list.size() < 3) continue;
        m.units.push_back(list);
        m.unitComplete.push_back(list.size() == 6 ? 1 : 0);
    }
    finishModel(m);
    return m;
}

// Plain backtracking over cells in index order, checking only the touching relation.
int bruteCount(const SolverModel& m, CellDigits& digits, int16_t cell, int limit) {
    if (cell > m.cellCount) return 1;
    if (digits[cell] != 0) return bruteCount(m, digits, cell + 1, limit);
    int total = 0;
    for (int16_t v = 1; v <= 6 && total < limit; ++v) {
        bool ok = true;
        for (int k = 0; k < m.peerCount[cell] && ok; ++k) ok = digits[m.peers[cell][k]] != v;
        if (!ok) continue;
        digits[cell] = v;
        total += bruteCount(m, digits, cell + 1, limit - total);
        digits[cell] = 0;
    }
    return total;
}

// A dense patch of centres: every point with 0 <= q < w, 0 <= r < h.
std::vector<std::pair<int, int>> patch(int w, int h) {
    std::vector<std::pair<int, int>> out;
    for (int q = 0; q < w; ++q)
        for (int r = 0; r < h; ++r) out.push_back({q, r});
    return out;
}

}  // namespace

TEST(SolverModelTest, SingleHexagonAndNeighbours) {
    SolverModel one = shapeModel({{0, 0}});
    EXPECT_EQ(one.cellCount, 6);
    ASSERT_EQ(one.units.size(), 1u);
    EXPECT_TRUE(one.unitComplete[0]);
    for (int16_t c = 1; c <= 6; ++c) EXPECT_EQ(one.peerCount[c], 5);

    // Hexagons at the origin and at A share two triangles; B and F become partial hexagons.
    SolverModel two = shapeModel({{0, 0}, {1, 0}});
    EXPECT_EQ(two.cellCount, 10);
    EXPECT_EQ(std::count(two.unitComplete.begin(), two.unitComplete.end(), 1), 2);
    EXPECT_EQ(two.units.size(), 4u);

    // Centres around the origin close a fourth hexagon there.
    SolverModel ring = shapeModel({{1, 0}, {-1, 1}, {0, -1}});
    EXPECT_EQ(std::count(ring.unitComplete.begin(), ring.unitComplete.end(), 1), 4);
}

TEST(SolverModelTest, FinishModelMakesPeersSymmetricAndDropsBadSlots) {
    SolverModel m;
    m.cellCount = 3;
    m.peers.assign(4, {});
    m.peers[1] = {2, 2, 1, 9, -4, 0, 0, 0, 0, 0, 0, 0};  // duplicate, self, out of range, negative
    finishModel(m);
    EXPECT_EQ(m.peerCount[1], 1);
    EXPECT_EQ(m.peers[1][0], 2);
    EXPECT_EQ(m.peerCount[2], 1);
    EXPECT_EQ(m.peers[2][0], 1);
    EXPECT_EQ(m.peerCount[3], 0);
    EXPECT_EQ(countSolutions(m, CellDigits(4, 0), 1000), 6 * 5 * 6);
}

TEST(SolverCountTest, CountsMatchPlainBacktracking) {
    EXPECT_EQ(countSolutions(shapeModel({{0, 0}}), CellDigits(7, 0), 1000), 720);
    EXPECT_EQ(countSolutions(shapeModel({{0, 0}}), CellDigits(7, 0), 2), 2);

    const std::vector<std::vector<std::pair<int, int>>> shapes = {
        {{0, 0}, {1, 0}}, {{0, 0}, {1, 0}, {2, 0}}, {{1, 0}, {-1, 1}, {0, -1}}, {{0, 0}, {1, 0}, {0, 1}}};
    for (const auto& shape : shapes) {
        SolverModel m = shapeModel(shape);
        CellDigits some;
        ASSERT_EQ(countSolutions(m, CellDigits(m.cellCount + 1, 0), 1, &some), 1);
        // A few cells of one solution fixed, so the counts stay small but well above one.
        CellDigits givens(m.cellCount + 1, 0);
        for (int16_t c : {1, 3, 5, 8}) givens[c] = some[c];
        CellDigits copy = givens;
        int expected = bruteCount(m, copy, 1, 30000);
        ASSERT_LT(expected, 30000);
        ASSERT_GT(expected, 2);
        EXPECT_EQ(countSolutions(m, givens, 30000), expected) << "shape of " << shape.size();
        EXPECT_EQ(countSolutions(m, givens, 1), expected > 0 ? 1 : 0);
    }
}

TEST(SolverCountTest, BadGivensHaveNoSolution) {
    SolverModel m = shapeModel({{0, 0}, {1, 0}});
    CellDigits givens(m.cellCount + 1, 0);
    int16_t a = 1, b = m.peers[1][0];
    givens[a] = 4;
    givens[b] = 4;
    CellDigits first = {9};
    EXPECT_EQ(countSolutions(m, givens, 2, &first), 0);
    EXPECT_TRUE(first.empty());
    givens[b] = 7;
    EXPECT_EQ(countSolutions(m, givens, 2), 0);
    EXPECT_EQ(gradePuzzle(m, givens).grade, Grade::Invalid);
    // A short givens vector reads as empty cells beyond its end.
    EXPECT_EQ(countSolutions(m, CellDigits{0, 3}, 2), 2);
}

TEST(SolverCountTest, FirstSolutionExtendsTheGivensAndObeysTheRule) {
    SolverModel m = shapeModel(patch(4, 3));
    CellDigits givens(m.cellCount + 1, 0);
    givens[5] = 3;
    givens[9] = 6;
    CellDigits first;
    ASSERT_EQ(countSolutions(m, givens, 2, &first), 2);
    ASSERT_EQ(first.size(), static_cast<size_t>(m.cellCount + 1));
    EXPECT_EQ(first[5], 3);
    EXPECT_EQ(first[9], 6);
    int16_t bad = -1;
    EXPECT_TRUE(solutionObeysRule(m, first, &bad));
    EXPECT_EQ(bad, 0);
    EXPECT_EQ(countSolutions(m, first, 2), 1);

    CellDigits broken = first;
    broken[m.peers[7][0]] = broken[7];
    EXPECT_FALSE(solutionObeysRule(m, broken, &bad));
    EXPECT_GT(bad, 0);
    broken = first;
    broken[3] = 0;
    EXPECT_FALSE(solutionObeysRule(m, broken, &bad));
    EXPECT_EQ(bad, 3);
    EXPECT_FALSE(solutionObeysRule(m, CellDigits{0, 1}, &bad));
}

TEST(SolverGradeTest, SimpleGrades) {
    SolverModel one = shapeModel({{0, 0}});
    CellDigits full = {0, 1, 2, 3, 4, 5, 6};
    EXPECT_EQ(gradePuzzle(one, full).grade, Grade::Given);
    CellDigits five = full;
    five[4] = 0;
    GradeReport r = gradePuzzle(one, five);
    EXPECT_EQ(r.grade, Grade::NakedSingle);
    EXPECT_EQ(r.uses[1], 1);
    EXPECT_EQ(r.solvedCells, 6);
    // Two open cells with the same two digits: no deduction decides them.
    CellDigits four = five;
    four[5] = 0;
    EXPECT_EQ(gradePuzzle(one, four).grade, Grade::Search);
    EXPECT_STREQ(gradeName(Grade::Pointing), "pointing");
    EXPECT_STREQ(gradeName(Grade::Search), "search");
}

/*
 * The deductions must be sound: on givens taken from a real solution they
 * may never strike the solution's digit, which would show as Invalid; and a
 * puzzle they complete has exactly one solution. More givens never make a
 * puzzle harder.
 */
TEST(SolverGradeTest, DeductionsAreSoundAndMonotone) {
    SolverModel m = shapeModel(patch(5, 4));
    Rng rng(7);
    for (int round = 0; round < 12; ++round) {
        CellDigits solution;
        ASSERT_TRUE(randomSolution(m, rng, solution));
        ASSERT_TRUE(solutionObeysRule(m, solution));
        for (int density = 15; density <= 60; density += 15) {
            CellDigits givens(m.cellCount + 1, 0);
            for (int16_t c = 1; c <= m.cellCount; ++c)
                if (rng.below(100) < density) givens[c] = solution[c];
            GradeReport r = gradePuzzle(m, givens);
            ASSERT_NE(r.grade, Grade::Invalid);
            if (r.grade < Grade::Search) {
                EXPECT_EQ(countSolutions(m, givens, 2), 1);
            }
            CellDigits more = givens;
            for (int16_t c = 1; c <= m.cellCount; ++c)
                if (rng.below(100) < 20) more[c] = solution[c];
            EXPECT_LE(gradePuzzle(m, more).grade, r.grade);
        }
    }
}

TEST(GeneratorTest, ReducedGivensAreUniqueAndWithinTheGrade) {
    SolverModel m = shapeModel(patch(5, 4));
    Rng rng(11);
    CellDigits solution;
    ASSERT_TRUE(randomSolution(m, rng, solution));
    for (Grade cap : {Grade::NakedSingle, Grade::HiddenSingle, Grade::Subset}) {
        CellDigits givens = reduceGivens(m, solution, rng, cap);
        EXPECT_EQ(countSolutions(m, givens, 2), 1);
        EXPECT_LE(gradePuzzle(m, givens).grade, cap);
        // Minimal for the cap: no single given can go.
        for (int16_t c = 1; c <= m.cellCount; ++c) {
            if (!givens[c]) continue;
            CellDigits less = givens;
            less[c] = 0;
            bool removable = countSolutions(m, less, 2) == 1 && gradePuzzle(m, less).grade <= cap;
            EXPECT_FALSE(removable) << "cell " << c;
        }
    }
    std::vector<uint8_t> keep(m.cellCount + 1, 0);
    keep[1] = keep[2] = 1;
    CellDigits kept = reduceGivens(m, solution, rng, Grade::Subset, &keep);
    EXPECT_EQ(kept[1], solution[1]);
    EXPECT_EQ(kept[2], solution[2]);
}

TEST(GeneratorTest, ThresholdsFollowPackingAndLevelSeven) {
    EXPECT_EQ(usedThresholds(0, false), (std::vector<int16_t>{100, 95, 90, 85, 80, 75}));
    EXPECT_EQ(usedThresholds(1, true), (std::vector<int16_t>{120, 100, 95, 90, 85, 80}));
    EXPECT_EQ(usedThresholds(3, false), (std::vector<int16_t>{100, 95, 90}));
}

TEST(GeneratorTest, PlanGivesStrictlyMoreGivensAtEasierThresholds) {
    SolverModel m = shapeModel(patch(4, 4));
    std::vector<int16_t> thresholds = usedThresholds(0, true);
    PlanOptions options;
    options.tries = 3;
    PuzzlePlan plan;
    ASSERT_TRUE(planPuzzle(m, thresholds, 5, options, plan));
    ASSERT_TRUE(solutionObeysRule(m, plan.solution));
    ASSERT_EQ(plan.steps.size(), thresholds.size());
    for (size_t i = 0; i < plan.steps.size(); ++i) {
        EXPECT_EQ(plan.steps[i].percent, thresholds[i]);
        EXPECT_NE(plan.steps[i].grade.grade, Grade::Invalid);
        if (i > 0) {
            EXPECT_GT(plan.steps[i].givens, plan.steps[i - 1].givens);
            EXPECT_LE(plan.steps[i].grade.grade, plan.steps[i - 1].grade.grade);
        }
    }
    for (int16_t c = 1; c <= m.cellCount; ++c) {
        int16_t p = plan.percent[c];
        EXPECT_TRUE(p == 0 || std::find(thresholds.begin(), thresholds.end(), p) != thresholds.end());
    }
}

TEST(GeneratorTest, DescriptionCutsBackIntoTheSameEntries) {
    PuzzlePlan plan;
    plan.solution = {0, 1, 2, 3, 4, 5, 6};
    plan.percent = {0, 100, 100, 95, 90, 0, 90};
    std::vector<std::string> paths = {"", "", "C", "D", "D", "E", ""};
    std::vector<uint8_t> ab = {0, 1, 0, 1, 0, 1, 0};
    const TextList expected = [] {
        TextList e;
        for (const char* t : {"X", "WPJ%100", "CVQJ%100", "DWRJ%95", "DVSJ%90", "VUJ%90", "EWTJ"}) e.add(t);
        return e;
    }();
    TextList lines;
    ASSERT_TRUE(describeGrid({""}, paths, ab, plan, 2, "one hexagon, test", lines));
    ASSERT_EQ(lines.count(), 2);
    EXPECT_EQ(lines.str(1), "# one hexagon; test");
    EXPECT_EQ(lines.str(2), "X,%100,WPJ,CVQJ,%95,DWRJ,%90,DVSJ,VUJ,%0,EWTJ");
    // Spread over more lines, every line restates its percentage; padding lines are comments.
    for (int16_t count : {3, 5, 9}) {
        ASSERT_TRUE(describeGrid({""}, paths, ab, plan, count, "t", lines));
        ASSERT_EQ(lines.count(), count);
        TextList entries;
        appendDescriptionEntries(lines, entries);
        EXPECT_EQ(entries.items, expected.items) << count << " lines";
    }
    EXPECT_FALSE(describeGrid({""}, paths, ab, plan, 1, "x", lines));
}
