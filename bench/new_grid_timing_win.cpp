// New-grid timing under Windows: making the largest grid at level 7 for twenty seeds, median and worst.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "content/new_grid.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "puzzle/solver.h"

namespace {

double ticksPerMs = 1.0;

double nowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    ticksPerMs = static_cast<double>(f.QuadPart) / 1000.0;
    const int seeds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    const int16_t size = argc > 2 ? static_cast<int16_t>(std::atoi(argv[2])) : kNewGridSizes;
    const int16_t level = argc > 3 ? static_cast<int16_t>(std::atoi(argv[3])) : 7;
    std::vector<double> make, hint;
    int met = 0;
    for (int s = 1; s <= seeds; ++s) {
        NewGridRequest r;
        r.size = size;
        r.level = level;
        r.seed = static_cast<uint32_t>(s);
        NewGrid n;
        double t0 = nowMs();
        makeNewGrid(r, n);
        double t1 = nowMs();
        make.push_back(t1 - t0);
        met += n.meetsGrade;
        loadNewGrid(0, n);
        SolverModel model = modelFromGrid(gridSlot(0));
        double t2 = nowMs();
        Hint h = nextHint(model, n.solution, n.givens);
        hint.push_back(nowMs() - t2);
        std::printf("seed %2d: %7.1f ms  %s  grade %s  hint %.2f ms (%s)\n", s, t1 - t0, n.code.s.c_str(),
                    gradeName(n.grade), hint.back(), gradeName(h.grade));
    }
    std::printf("size %d level %d, %d seeds: median %.1f ms, worst %.1f ms, grade met %d of %d; hint median %.2f ms\n",
                size, level, seeds, median(make), *std::max_element(make.begin(), make.end()), met, seeds,
                median(hint));
    return 0;
}
