// New grids on demand: the shape of a numbered grid, a fresh solution, givens planned for one level.
#include "content/new_grid.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "content/collection.h"
#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/generator.h"
#include "puzzle/grid.h"
#include "puzzle/lattice.h"
#include "puzzle/levels.h"

namespace {

constexpr Grade kLevelGrade[7] = {Grade::NakedSingle, Grade::HiddenSingle, Grade::HiddenSingle, Grade::Pointing,
                                  Grade::Pointing,    Grade::Pointing,     Grade::Subset};
// The hardest grade each size's shape reliably allows: puzzles of 18 and 32 cells almost never need a subset.
constexpr Grade kSizeTopGrade[kNewGridSizes] = {Grade::Pointing, Grade::Pointing, Grade::Subset, Grade::Subset,
                                                Grade::Subset};
// Givens added back, in percent of the cells, for each harder level that asks for the same grade.
constexpr int16_t kSameGradeShare = 4;
// Each easier threshold shows this share of the cells more (and at least one cell).
constexpr int16_t kStepShare = 4;
/*
 * Solutions tried before the hardest puzzle found below the level's grade is
 * taken. A try costs about the square of the cell count, so the budget is in
 * those units: the small shapes, whose puzzles rarely need the harder
 * deductions, get many cheap tries, the largest some thirty dear ones.
 */
constexpr int32_t kTryWork = 768000;
constexpr int kMinTries = 8;
constexpr int kMaxTries = 400;

constexpr int16_t kDiabolicPercent = 120;
constexpr int16_t kTopPercent = 100;

void shuffle(std::vector<int16_t>& items, Rng& rng) {
    for (int i = static_cast<int>(items.size()) - 1; i > 0; --i) std::swap(items[i], items[rng.below(i + 1)]);
}

// The open cells of a puzzle in random order.
std::vector<int16_t> openCells(const CellDigits& givens, Rng& rng) {
    std::vector<int16_t> out;
    for (size_t c = 1; c < givens.size(); ++c)
        if (givens[c] == 0) out.push_back(static_cast<int16_t>(c));
    shuffle(out, rng);
    return out;
}

/*
 * Adds up to `count` givens of the solution, in random order, each only when
 * the grade stays at least `floor`: more givens never make a puzzle harder or
 * give it a second solution, but they can make it easier than asked.
 */
void addGivens(const SolverModel& model, const CellDigits& solution, int count, Grade floor, Rng& rng,
               CellDigits& givens) {
    int added = 0;
    for (int16_t c : openCells(givens, rng)) {
        if (added >= count) break;
        givens[c] = solution[c];
        if (gradeWithin(model, givens, floor) < floor) {
            givens[c] = 0;
            continue;
        }
        ++added;
    }
}

/*
 * Removes givens one at a time in random order, keeping each removal whose
 * deductions still complete the grid within the ceiling: such givens have
 * exactly one solution, so no count is needed, and grading stops as soon as a
 * deduction above the ceiling would be needed.
 */
CellDigits reduceWithin(const SolverModel& model, const CellDigits& solution, Grade ceiling, Rng& rng) {
    CellDigits current = solution;
    std::vector<int16_t> order;
    for (int16_t c = 1; c <= model.cellCount; ++c) order.push_back(c);
    shuffle(order, rng);
    for (int16_t c : order) {
        int16_t v = current[c];
        current[c] = 0;
        if (gradeWithin(model, current, ceiling) > ceiling) current[c] = v;
    }
    return current;
}

}  // namespace

Grade newGridGrade(int16_t size, int16_t level) {
    return std::min(kLevelGrade[std::clamp<int16_t>(level, 1, 7) - 1],
                    kSizeTopGrade[std::clamp<int16_t>(size, 1, kNewGridSizes) - 1]);
}

bool isValidNewGridRequest(const NewGridRequest& request) {
    return request.size >= 1 && request.size <= kNewGridSizes && request.level >= kLowestLevel &&
           request.level <= kDiabolicLevel;
}

TextString newGridCode(const NewGridRequest& request) {
    TextString code;
    code.assign("N" + numberText(request.size) + "-" + numberText(request.level) + "-" +
                std::to_string(request.seed));
    return code;
}

TextString newGridShapeCode(int16_t size) {
    if (size < 1 || size > kNewGridSizes) return TextString();
    // The numbered grids with their cell counts (every cell has an entry in its description).
    std::vector<std::pair<int, std::string>> shapes;
    for (int16_t n = 1; n <= kNewGridSizes; ++n) {
        const BuiltInGrid* grid = builtInGridOf(gridCodeOfNumber(n));
        if (!grid) continue;
        TextList lines, entries;
        for (int16_t k = 1; k <= grid->lineCount; ++k) lines.add(builtInGridLine(*grid, k));
        appendDescriptionEntries(lines, entries);
        int cells = 0;
        DescriptionEntry e;
        for (const std::string& text : entries.items) cells += parseDescriptionEntry(text, e) && e.isCell;
        shapes.emplace_back(cells, grid->code);
    }
    std::stable_sort(shapes.begin(), shapes.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    if (size > static_cast<int16_t>(shapes.size())) return TextString();
    return TextString(shapes[size - 1].second);
}

bool makeNewGrid(const NewGridRequest& request, NewGrid& out) {
    out = NewGrid();
    out.request = request;
    if (!isValidNewGridRequest(request)) return false;
    out.shapeCode = newGridShapeCode(request.size);
    out.code = newGridCode(request);
    const BuiltInGrid* shape = builtInGridOf(out.shapeCode);
    if (!shape) return false;

    // The hexagons of the numbered grid; the cells follow from them.
    TextList shapeLines, shapeEntries, hexagonEntries;
    for (int16_t n = 1; n <= shape->lineCount; ++n) shapeLines.add(builtInGridLine(*shape, n));
    appendDescriptionEntries(shapeLines, shapeEntries);
    std::vector<std::string> centres;
    DescriptionEntry e;
    for (const std::string& text : shapeEntries.items) {
        if (!parseDescriptionEntry(text, e) || !e.isHexagon) continue;
        std::string compact = compactPoint(e.position);
        if (std::find(centres.begin(), centres.end(), compact) != centres.end()) continue;
        centres.push_back(compact);
        hexagonEntries.add("X" + e.position.s);
    }
    Grid g;
    createGrid(g);
    setfromgrivecdef(g, hexagonEntries);
    const int16_t packing = computePacking(g);
    const SolverModel model = modelFromGrid(g);
    std::vector<std::string> paths(model.cellCount + 1);
    std::vector<uint8_t> ab(model.cellCount + 1, 0);
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        paths[c] = compactPoint(pathPart(g.cellNames.str(c)));
        ab[c] = isTriangleAB(g.cellNames.str(c)) ? 1 : 0;
    }
    destroyGrid(g);

    // The percentage the asked level shows, and the easier ones below it that the grid's levels use.
    const int16_t level = request.level;
    const bool diabolic = level == kDiabolicLevel;
    out.threshold = diabolic ? kDiabolicPercent : percentageOf(static_cast<int16_t>(std::min(6, level + packing)));
    std::vector<int16_t> easier;
    for (int16_t l = diabolic ? 6 : level - 1; l >= 1; --l) {
        int16_t p = percentageOf(static_cast<int16_t>(std::min(6, l + packing)));
        if (p < out.threshold && std::find(easier.begin(), easier.end(), p) == easier.end()) easier.push_back(p);
    }

    /*
     * One random stream per request: the seed with the size and the level, so
     * the same seed at another size or level makes an unrelated grid.
     */
    Rng rng((static_cast<uint64_t>(request.seed) << 16) ^ (static_cast<uint64_t>(request.size) << 8) ^
            static_cast<uint64_t>(level));
    const Grade target = newGridGrade(request.size, level);
    const int32_t cellsSquared = std::max<int32_t>(model.cellCount * model.cellCount, 1);
    const int tries = static_cast<int>(std::clamp<int32_t>(kTryWork / cellsSquared, kMinTries, kMaxTries));
    for (int t = 0; t < tries; ++t) {
        CellDigits solution;
        uint64_t draw = (static_cast<uint64_t>(rng.next()) << 32) | rng.next();
        if (!sampleSolution(model, draw, solution)) return false;
        CellDigits givens = reduceWithin(model, solution, target, rng);
        Grade grade = gradeWithin(model, givens, target);
        if (out.solution.empty() || (grade <= target && grade > out.grade)) {
            out.solution = solution;
            out.givens = givens;
            out.grade = grade;
        }
        if (grade == target) break;
    }
    out.meetsGrade = out.grade == target ? 1 : 0;
    const int16_t cells = model.cellCount;
    int sameGrade = 0;
    for (int16_t harder = level + 1; harder <= kDiabolicLevel; ++harder)
        sameGrade += newGridGrade(request.size, harder) == target;
    int extra = cells * kSameGradeShare * sameGrade / 100;
    if (extra > 0) {
        addGivens(model, out.solution, extra, out.grade, rng, out.givens);
        out.grade = gradeWithin(model, out.givens, target);
    }

    // Percentages: the puzzle at the top, then a few more cells for each easier threshold.
    PuzzlePlan plan;
    plan.solution = out.solution;
    plan.percent.assign(cells + 1, 0);
    for (int16_t c = 1; c <= cells; ++c)
        if (out.givens[c]) plan.percent[c] = diabolic ? kDiabolicPercent : kTopPercent;
    std::vector<int16_t> rest = openCells(out.givens, rng);
    const size_t step = std::max(1, cells * kStepShare / 100);
    for (int16_t p : easier) {
        for (size_t k = 0; k < step && !rest.empty(); ++k) {
            plan.percent[rest.back()] = p;
            rest.pop_back();
        }
    }
    describeGrid(centres, paths, ab, plan, std::max<int16_t>(shape->lineCount, 2), "new grid " + out.code.s, out.lines);
    appendDescriptionEntries(out.lines, out.entries);
    return true;
}

void loadNewGrid(Grid& g, const NewGrid& grid) {
    if (!g.created) createGrid(g);
    g.DescriptionList = grid.entries;
    g.gridCode.assign(grid.code);
    setCaption(g, grid.code);
    setfromgrivecdef(g, g.DescriptionList);
    setRequestedPercentage(g, g.storedPercentage);
    setGridAngle(g, g.storedAngle);
    setCellSize(g, g.storedCellSize);
    setLevel(g, grid.request.level);
    if (!g.cellsComputed) ensureCells(g);
    if (!g.peersComputed) ftbco(g);
    recomputeCandidates(g);
}

TextString newGridSettingValue(const NewGridRequest& request) {
    TextString value;
    value.assign(numberText(request.size) + "," + numberText(request.level) + "," + std::to_string(request.seed));
    return value;
}

bool readNewGridSetting(TextRef value, NewGridRequest& out) {
    // Strict digits only: a damaged line must not turn into some other grid.
    uint64_t numbers[3] = {0, 0, 0};
    size_t field = 0, digits = 0;
    for (char ch : value.v) {
        if (ch == ',') {
            if (digits == 0 || ++field > 2) return false;
            digits = 0;
        } else if (ch >= '0' && ch <= '9') {
            if (++digits > 10) return false;
            numbers[field] = numbers[field] * 10 + static_cast<uint64_t>(ch - '0');
        } else {
            return false;
        }
    }
    if (field != 2 || digits == 0 || numbers[2] > 0xFFFFFFFFull || numbers[0] > 99 || numbers[1] > 99) return false;
    NewGridRequest r;
    r.size = static_cast<int16_t>(numbers[0]);
    r.level = static_cast<int16_t>(numbers[1]);
    r.seed = static_cast<uint32_t>(numbers[2]);
    if (!isValidNewGridRequest(r)) return false;
    out = r;
    return true;
}

bool readNewGridCode(TextRef code, NewGridRequest& out) {
    if (code.v.size() < 2 || (code.v[0] != 'N' && code.v[0] != 'n')) return false;
    std::string value(code.v.substr(1));
    for (char& ch : value) {
        if (ch == ',') return false;
        if (ch == '-') ch = ',';
    }
    return readNewGridSetting(value, out);
}

bool loadGridOfCode(Grid& g, TextRef code) {
    NewGridRequest request;
    if (!readNewGridCode(code, request)) return loadBuiltInGrid(g, code) != nullptr;
    NewGrid grid;
    if (!makeNewGrid(request, grid)) return false;
    loadNewGrid(g, grid);
    return true;
}
