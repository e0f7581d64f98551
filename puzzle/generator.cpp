// Puzzle authoring: random solutions, minimal unique givens, level percentages and description lines.
#include "puzzle/generator.h"

#include <algorithm>

namespace {

// Threshold percentages of levels 1..6 (level 7 is 120).
constexpr int16_t kLevelPercent[7] = {0, 75, 80, 85, 90, 95, 100};
constexpr int16_t kDiabolicPercent = 120;

void shuffle(std::vector<int16_t>& items, Rng& rng) {
    for (int i = static_cast<int>(items.size()) - 1; i > 0; --i) std::swap(items[i], items[rng.below(i + 1)]);
}

int16_t givenCount(const CellDigits& digits) {
    int16_t n = 0;
    for (size_t c = 1; c < digits.size(); ++c) n += digits[c] != 0;
    return n;
}

CellDigits givensAt(const PuzzlePlan& plan, int16_t threshold) {
    CellDigits g(plan.solution.size(), 0);
    for (size_t c = 1; c < g.size(); ++c)
        if (plan.percent[c] >= threshold && plan.percent[c] > 0) g[c] = plan.solution[c];
    return g;
}

}  // namespace

uint32_t Rng::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
}

int Rng::below(int n) { return n < 1 ? 0 : static_cast<int>(next() % static_cast<uint32_t>(n)); }

bool randomSolution(const SolverModel& model, Rng& rng, CellDigits& solution) {
    CellDigits partial(model.cellCount + 1, 0);
    if (countSolutions(model, partial, 1) == 0) return false;
    std::vector<int16_t> order;
    for (int16_t c = 1; c <= model.cellCount; ++c) order.push_back(c);
    shuffle(order, rng);
    /*
     * Each cell in random order gets a random digit that still leaves a
     * solution. Once a quarter of the cells are fixed this way the first
     * solution of the search completes them: it is random enough, and keeps
     * the work linear in practice.
     */
    size_t randomPart = std::max<size_t>(order.size() / 4, std::min<size_t>(order.size(), 12));
    for (size_t i = 0; i < randomPart; ++i) {
        int16_t c = order[i];
        std::vector<int16_t> digits = {1, 2, 3, 4, 5, 6};
        shuffle(digits, rng);
        for (int16_t v : digits) {
            partial[c] = v;
            if (countSolutions(model, partial, 1) > 0) break;
            partial[c] = 0;
        }
    }
    return countSolutions(model, partial, 1, &solution) > 0;
}

CellDigits reduceGivens(const SolverModel& model, const CellDigits& givens, Rng& rng, Grade maxGrade,
                        const std::vector<uint8_t>* keep) {
    CellDigits current = givens;
    current.resize(model.cellCount + 1, 0);
    std::vector<int16_t> order;
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        if (current[c] == 0) continue;
        if (keep && c < static_cast<int16_t>(keep->size()) && (*keep)[c]) continue;
        order.push_back(c);
    }
    shuffle(order, rng);
    for (int16_t c : order) {
        int16_t v = current[c];
        current[c] = 0;
        /*
         * Grading first: deductions are sound, so givens they complete have
         * exactly one solution and the count is needed only for the grades
         * past them (trial and error). The outcome is the same either way.
         */
        Grade g = gradePuzzle(model, current).grade;
        bool ok = g <= maxGrade && (g < Grade::Search || countSolutions(model, current, 2) == 1);
        if (!ok) current[c] = v;
    }
    return current;
}

std::vector<int16_t> usedThresholds(int16_t packing, bool diabolic) {
    std::vector<int16_t> out;
    if (diabolic) out.push_back(kDiabolicPercent);
    for (int level = 6; level >= 1; --level) {
        int effective = std::min(6, level + std::max<int>(packing, 0));
        int16_t p = kLevelPercent[effective];
        if (std::find(out.begin(), out.end(), p) == out.end()) out.push_back(p);
    }
    return out;
}

std::vector<PlanStep> gradePlan(const SolverModel& model, const PuzzlePlan& plan,
                                const std::vector<int16_t>& thresholds) {
    std::vector<PlanStep> steps;
    for (int16_t t : thresholds) {
        PlanStep s;
        s.percent = t;
        CellDigits g = givensAt(plan, t);
        s.givens = givenCount(g);
        s.grade = gradePuzzle(model, g);
        if (countSolutions(model, g, 2) != 1) s.grade.grade = Grade::Invalid;
        steps.push_back(s);
    }
    return steps;
}

GradeRange targetOf(const PlanOptions& options, size_t i, size_t k) {
    if (i < options.targets.size()) return options.targets[i];
    GradeRange r;
    if (i == 0) r.floor = Grade::HiddenSingle;
    if (i + 1 == k && i > 0) r.ceiling = Grade::NakedSingle;
    return r;
}

bool planPuzzle(const SolverModel& model, const std::vector<int16_t>& thresholds, uint64_t seed,
                const PlanOptions& options, PuzzlePlan& plan) {
    Rng rng(seed);
    plan = PuzzlePlan();
    if (thresholds.empty()) return false;
    int bestScore = -1000000;
    const size_t k = thresholds.size();
    const int minStep = std::max(1, model.cellCount * options.stepPercent / 100);
    for (int t = 0; t < std::max<int>(options.tries, 1); ++t) {
        PuzzlePlan trial;
        if (!randomSolution(model, rng, trial.solution)) return false;
        trial.percent.assign(model.cellCount + 1, 0);
        CellDigits current = reduceGivens(model, trial.solution, rng, targetOf(options, 0, k).ceiling);
        std::vector<int16_t> rest;
        for (int16_t c = 1; c <= model.cellCount; ++c) {
            if (current[c]) trial.percent[c] = thresholds[0];
            else rest.push_back(c);
        }
        shuffle(rest, rng);
        int misses = 0;  // how far the plan is from its targets
        Grade g = gradePuzzle(model, current).grade;
        GradeRange first = targetOf(options, 0, k);
        if (g < first.floor || g > first.ceiling) ++misses;
        for (size_t i = 1; i < k; ++i) {
            GradeRange range = targetOf(options, i, k);
            int added = 0;
            // Cells that would make this threshold too easy wait at the back, for an easier one.
            std::vector<int16_t> skipped;
            while (!rest.empty() && (added < minStep || g > range.ceiling)) {
                int16_t c = rest.front();
                rest.erase(rest.begin());
                current[c] = trial.solution[c];
                Grade with = gradePuzzle(model, current).grade;
                if (with < range.floor && !rest.empty()) {
                    current[c] = 0;
                    skipped.push_back(c);
                    continue;
                }
                trial.percent[c] = thresholds[i];
                ++added;
                g = with;
            }
            rest.insert(rest.end(), skipped.begin(), skipped.end());
            if (added == 0 || g < range.floor || g > range.ceiling) ++misses;
        }
        trial.steps = gradePlan(model, trial, thresholds);
        for (size_t i = 1; i < k; ++i)
            if (trial.steps[i].givens <= trial.steps[i - 1].givens) misses += 10;
        for (const PlanStep& s : trial.steps)
            if (s.grade.grade == Grade::Invalid) misses += 100;
        // Among plans that miss equally, the one whose hardest threshold is hardest.
        int score = -misses * 100 + static_cast<int>(trial.steps.front().grade.grade) * 10 -
                    trial.steps.front().givens * 10 / std::max<int>(model.cellCount, 1);
        if (score > bestScore) {
            bestScore = score;
            trial.meetsOptions = misses == 0 ? 1 : 0;
            plan = trial;
        }
        if (misses == 0) break;
    }
    return true;
}

bool describeGrid(const std::vector<std::string>& centres, const std::vector<std::string>& cellPaths,
                  const std::vector<uint8_t>& cellAB, const PuzzlePlan& plan, int16_t lineCount,
                  TextRef comment, TextList& lines) {
    lines.clear();
    struct Group {
        std::string percent;  // "" for hexagons, "%NN", or "%0" for cells never shown
        std::vector<std::string> tokens;
    };
    std::vector<Group> groups;
    Group hexagons;
    for (const std::string& c : centres) hexagons.tokens.push_back("X" + c);
    groups.push_back(hexagons);
    std::vector<int16_t> percents;
    for (size_t c = 1; c < plan.percent.size(); ++c)
        if (std::find(percents.begin(), percents.end(), plan.percent[c]) == percents.end())
            percents.push_back(plan.percent[c]);
    std::sort(percents.begin(), percents.end(), [](int16_t a, int16_t b) {
        if ((a == 0) != (b == 0)) return b == 0;  // the cells never shown come last
        return a > b;
    });
    for (int16_t p : percents) {
        Group g;
        g.percent = "%" + numberText(p);
        for (size_t c = 1; c < plan.percent.size() && c < cellPaths.size(); ++c) {
            if (plan.percent[c] != p || plan.solution[c] < 1 || plan.solution[c] > 6) continue;
            std::string t = cellPaths[c];
            t += cellAB[c] ? 'W' : 'V';
            t += static_cast<char>('O' + plan.solution[c]);  // P..U for 1..6
            t += 'J';                                         // no mark
            g.tokens.push_back(t);
        }
        groups.push_back(g);
    }
    std::string head = "# ";
    for (char ch : comment.v) head += ch == ',' ? ';' : ch;  // a comma would end the comment token
    int dataLines = std::max<int>(lineCount - 1, 1);
    size_t total = 0;
    for (const Group& g : groups)
        for (const std::string& t : g.tokens) total += t.size() + 1;
    // Lines of about equal length; the percentage token is repeated where a group goes on to a new line.
    for (size_t width = std::max<size_t>(total / dataLines, 8);; width += 4) {
        std::vector<std::string> out;
        std::string line;
        std::string linePercent;
        for (const Group& g : groups) {
            for (const std::string& t : g.tokens) {
                if (line.size() >= width) {
                    out.push_back(line);
                    line.clear();
                    linePercent.clear();
                }
                if (line.empty() && g.percent == "%0") linePercent = g.percent;  // a line starts without one
                if (linePercent != g.percent) {
                    if (!line.empty()) line += ",";
                    line += g.percent.empty() ? "%0" : g.percent;
                    linePercent = g.percent;
                }
                if (!line.empty()) line += ",";
                line += t;
            }
        }
        if (!line.empty()) out.push_back(line);
        if (static_cast<int>(out.size()) > dataLines) continue;
        lines.add(head);
        for (const std::string& l : out) lines.add(l);
        while (lines.count() < lineCount) lines.add("#");
        return lineCount >= 2;
    }
}
