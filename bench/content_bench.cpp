// Benchmarks of the built-in content: loading and preparing a grid from scratch, and the content check.
#include <benchmark/benchmark.h>

#include "content/collection.h"
#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/solver.h"
#include "tools/content_check.h"

// Loading code i of the collection (1..10) with every derived table built, as the first paint needs it.
static void BM_LoadAndPrepareBuiltInGrid(benchmark::State& state) {
    const BuiltInGrid* grid = builtInGridAt(static_cast<int16_t>(state.range(0)));
    state.SetLabel(grid->code);
    Grid g;
    createGrid(g);
    for (auto _ : state) {
        loadBuiltInGrid(g, grid->code);
        prepareGrid(g);
        ensureEdges(g);
        benchmark::DoNotOptimize(g.cellCount);
    }
}
BENCHMARK(BM_LoadAndPrepareBuiltInGrid)->DenseRange(1, 10)->Unit(benchmark::kMicrosecond);

// The whole content check: every level of all ten grids.
static void BM_CheckAllBuiltInGrids(benchmark::State& state) {
    for (auto _ : state) {
        int passed = 0;
        for (int16_t i = 1; i <= builtInGridTotal(); ++i) {
            GridCheck c;
            checkBuiltInGrid(builtInGridAt(i)->code, c);
            passed += c.passed();
        }
        benchmark::DoNotOptimize(passed);
    }
}
BENCHMARK(BM_CheckAllBuiltInGrids)->Unit(benchmark::kMillisecond);

// Counting the solutions (up to two) and grading the hardest level of the largest grid.
static void BM_SolveHardestLevel(benchmark::State& state) {
    Grid g;
    createGrid(g);
    loadBuiltInGrid(g, "2330-1");
    setLevel(g, 7);
    SolverModel model = modelFromGrid(g);
    CellDigits givens = givensOfGrid(g);
    for (auto _ : state) {
        benchmark::DoNotOptimize(countSolutions(model, givens, 2));
        if (state.range(0)) benchmark::DoNotOptimize(gradePuzzle(model, givens).grade);
    }
}
BENCHMARK(BM_SolveHardestLevel)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
