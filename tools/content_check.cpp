// The content check of the built-in grids: uniqueness, grades and percentages of every level offered.
#include "tools/content_check.h"

#include <algorithm>

#include "content/collection.h"
#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"

namespace {

bool isLevelPercent(int16_t p) {
    for (int16_t level = 1; level <= 7; ++level)
        if (percentageOf(level) == p) return true;
    return false;
}

}  // namespace

bool GridCheck::passed() const {
    if (!solutionValid || !problems.empty() || levels.empty()) return false;
    for (const LevelCheck& l : levels)
        if (l.solutions != 1) return false;
    return true;
}

CellDigits givensOfGrid(Grid& g) {
    refreshGivens(g);
    CellDigits out(g.cellCount + 1, 0);
    for (int16_t c = 1; c <= g.cellCount && static_cast<size_t>(c) < g.cells.size(); ++c)
        if (g.cells[c].fixed) out[c] = g.cells[c].value;
    return out;
}

CellDigits solutionOfGrid(Grid& g) {
    ensureValuesLoaded(g);
    CellDigits out(g.cellCount + 1, 0);
    for (int16_t c = 1; c <= g.cellCount && static_cast<size_t>(c) < g.cells.size(); ++c) out[c] = g.cells[c].solution;
    return out;
}

bool checkBuiltInGrid(TextRef code, GridCheck& out) {
    out = GridCheck();
    const BuiltInGrid* entry = builtInGridOf(code);
    if (!entry) return false;
    out.code = entry->code;
    Grid g;
    createGrid(g);
    loadBuiltInGrid(g, entry->code);
    out.builtInLevel = entry->level;
    out.packing = g.packing;
    out.cellCount = g.cellCount;
    out.hexagonCount = g.hexagonCount;
    out.partialCount = g.partialCount;
    ensureEdges(g);
    out.holeCount = static_cast<int16_t>(g.holes.count());

    if (g.cellCount == 0) out.problems.push_back("the grid has no cells");
    SolverModel model = modelFromGrid(g);
    CellDigits solution = solutionOfGrid(g);
    int16_t bad = 0;
    out.solutionValid = solutionObeysRule(model, solution, &bad) ? 1 : 0;
    if (bad > 0) out.badCell = g.cellNames.str(bad);

    // Percentages: only the table's, and none on a cell that no level of this grid shows.
    ensureValuesLoaded(g);
    out.diabolic = diabolicAvailable(g) ? 1 : 0;
    int16_t lowest = percentageOf(static_cast<int16_t>(std::min(6, 1 + g.packing)));
    for (int16_t c = 1; c <= g.cellCount; ++c) {
        int16_t p = g.cells[c].level;
        if (p != 0 && !isLevelPercent(p)) out.problems.push_back("cell " + g.cellNames.str(c) + " has percentage " + numberText(p));
        else if (p != 0 && p < lowest) out.problems.push_back("cell " + g.cellNames.str(c) + " carries a percentage no level shows");
    }

    int16_t lastLevel = out.diabolic ? 7 : 6;
    for (int16_t level = 1; level <= lastLevel; ++level) {
        LevelCheck l;
        l.level = level;
        setLevel(g, level);
        l.effectiveLevel = g.effectiveLevel;
        l.percent = g.effectivePercent;
        CellDigits givens = givensOfGrid(g);
        for (size_t c = 1; c < givens.size(); ++c) l.givens += givens[c] != 0;
        l.solutions = countSolutions(model, givens, 2);
        l.grade = gradePuzzle(model, givens);
        if (!out.levels.empty()) {
            const LevelCheck& easier = out.levels.back();
            if (l.grade.grade < easier.grade.grade)
                out.problems.push_back("level " + numberText(level) + " is graded easier than level " + numberText(level - 1));
            if (l.percent != easier.percent && l.givens >= easier.givens)
                out.problems.push_back("level " + numberText(level) + " shows no fewer givens than level " + numberText(level - 1));
        }
        out.levels.push_back(l);
    }
    // The level the game loads the grid at must be a real puzzle: not trivial, no guessing.
    for (const LevelCheck& l : out.levels) {
        if (l.level != out.builtInLevel) continue;
        if (l.grade.grade < Grade::HiddenSingle || l.grade.grade > Grade::Subset)
            out.problems.push_back(std::string("built-in level is graded ") + gradeName(l.grade.grade));
    }
    // Back to the level the game loads it at.
    setLevel(g, out.builtInLevel);
    refreshGivens(g);
    return true;
}
