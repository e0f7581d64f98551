// New-grid timing under Windows: making the largest grid at level 7 for twenty seeds, median and worst.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
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

// Processor time of this thread, so the figures hold on a machine shared with other work.
double threadMs() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return static_cast<double>((static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000.0;
    };
    return ms(kernel) + ms(user);
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
    std::vector<double> make, cpu, hint;
    int met = 0;
    for (int s = 1; s <= seeds; ++s) {
        NewGridRequest r;
        r.size = size;
        r.level = level;
        r.seed = static_cast<uint32_t>(s);
        NewGrid n;
        double t0 = nowMs();
        double c0 = threadMs();
        makeNewGrid(r, n);
        double t1 = nowMs();
        cpu.push_back(threadMs() - c0);
        make.push_back(t1 - t0);
        met += n.meetsGrade;
        Grid g;
        loadNewGrid(g, n);
        SolverModel model = modelFromGrid(g);
        double t2 = nowMs();
        Hint h = nextHint(model, n.solution, n.givens);
        hint.push_back(nowMs() - t2);
        std::printf("seed %2d: %7.1f ms (processor %7.1f ms)  %s  grade %s  hint %.2f ms (%s)\n", s, t1 - t0,
                    cpu.back(), n.code.s.c_str(), gradeName(n.grade), hint.back(), gradeName(h.grade));
    }
    std::printf("size %d level %d, %d seeds: median %.1f ms, worst %.1f ms (processor: median %.1f ms, worst %.1f ms), "
                "grade met %d of %d; hint median %.2f ms\n",
                size, level, seeds, median(make), *std::max_element(make.begin(), make.end()), median(cpu),
                *std::max_element(cpu.begin(), cpu.end()), met, seeds, median(hint));
    return 0;
}
