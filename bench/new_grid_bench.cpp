// Benchmarks of new grids on demand and of hints: making a grid per size and level, and one hint on its puzzle.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "content/new_grid.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "puzzle/preparation.h"
#include "puzzle/solver.h"
#include "puzzle/state_string.h"

// Size (range 0) and level (range 1); every iteration takes the next seed, so the figure is an average over seeds.
static void BM_MakeNewGrid(benchmark::State& state) {
    NewGridRequest r;
    r.size = static_cast<int16_t>(state.range(0));
    r.level = static_cast<int16_t>(state.range(1));
    int met = 0, made = 0;
    for (auto _ : state) {
        NewGrid n;
        makeNewGrid(r, n);
        met += n.meetsGrade;
        ++made;
        ++r.seed;
    }
    state.counters["met"] = made ? static_cast<double>(met) / made : 0.0;
}
BENCHMARK(BM_MakeNewGrid)
    ->Args({5, 7})
    ->Args({5, 6})
    ->Args({5, 1})
    ->Args({4, 7})
    ->Args({3, 7})
    ->Args({2, 7})
    ->Args({1, 7})
    ->Unit(benchmark::kMillisecond);

// The first hint on the puzzle of the largest size at level 7, as the game asks for it.
static void BM_FirstHintOnLargestGrid(benchmark::State& state) {
    NewGrid n;
    makeNewGrid(NewGridRequest{5, 7, 1}, n);
    Grid g;
    loadNewGrid(g, n);
    SolverModel model = modelFromGrid(g);
    for (auto _ : state) benchmark::DoNotOptimize(nextHint(model, n.solution, n.givens).cell);
}
BENCHMARK(BM_FirstHintOnLargestGrid)->Unit(benchmark::kMicrosecond);

/*
 * The hint on a board whose shortest proof is long (N4-7-8 part played): the
 * grader's run, the layered run and the pruning of every single they show.
 * Compare with the first hint above, in the same run.
 */
static void BM_HintOnALongProof(benchmark::State& state) {
    NewGrid n;
    makeNewGrid(NewGridRequest{4, 7, 8}, n);
    Grid g;
    createGrid(g);
    loadGridOfCode(g, TextRef("N4-7-8"));
    TextList moves;
    readStateString(g, TextRef("DCBEAFCBDAHDHAGBAKDGAHEDGAHFGDEAKEECCHDGDKDHEDCEBCEBFK"), moves);
    prepareGrid(g, moves);
    const SolverModel model = modelFromGrid(g);
    const CellDigits board = gridBoard(g);
    for (auto _ : state) benchmark::DoNotOptimize(nextHint(model, n.solution, board).cell);
}
BENCHMARK(BM_HintOnALongProof)->Unit(benchmark::kMicrosecond);
