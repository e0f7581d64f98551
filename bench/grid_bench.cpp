// Benchmarks of the grid record: candidate recomputation, the state string round trip and preparation from scratch.
#include <benchmark/benchmark.h>

#include <string>

#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"

namespace {

/*
 * A rhombus of side n hexagon centres (i steps A, j steps B): n = 6 gives 96
 * cells, n = 21 gives 966. Every third cell carries a solution value, so
 * that the lower levels have givens to place.
 */
TextList rhombusEntries(int n) {
    TextList entries;
    for (int i = 0; i < n; ++i) {
        for (int j = 0; j < n; ++j) {
            entries.add("X" + std::string(static_cast<size_t>(i), 'A') + std::string(static_cast<size_t>(j), 'B'));
            if ((i + j) % 3 == 0) {
                std::string position = std::string(static_cast<size_t>(i), 'A') + std::string(static_cast<size_t>(j), 'B');
                char value = static_cast<char>('P' + (i * 7 + j * 3) % 6);
                entries.add(position + "W" + value + "J%" + std::to_string(75 + 5 * ((i + 2 * j) % 6)));
            }
        }
    }
    return entries;
}

void buildRhombus(Grid& g, int n) {
    createGrid(g);
    setfromgrivecdef(g, rhombusEntries(n));
    setLevel(g, 1);
    ensureCells(g);
    ftbco(g);
    prepareGrid(g);
    // The player's values on a third of the remaining cells, notes on some others.
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (g.cells[i].value == 0 && i % 3 == 0) g.cells[i].value = static_cast<int16_t>(1 + i % 6);
        else if (g.cells[i].value == 0 && i % 5 == 0) g.cells[i].notes = static_cast<int16_t>(i % 64);
    }
}

int sideFor(int cells) { return cells >= 500 ? 21 : 6; }

void BM_RecomputeCandidates(benchmark::State& state) {
    Grid g;
    buildRhombus(g, sideFor(static_cast<int>(state.range(0))));
    for (auto _ : state) {
        recomputeCandidates(g);
        benchmark::DoNotOptimize(g.cells.data());
    }
    state.counters["cells"] = g.cellCount;
}

void BM_StateStringRoundTrip(benchmark::State& state) {
    Grid g;
    buildRhombus(g, sideFor(static_cast<int>(state.range(0))));
    TextList moves;
    for (auto _ : state) {
        TextString text = writeStateString(g);
        bool ok = readStateString(g, text, moves);
        benchmark::DoNotOptimize(ok);
    }
    state.counters["cells"] = g.cellCount;
}

void BM_PrepareGridFromScratch(benchmark::State& state) {
    TextList entries = rhombusEntries(sideFor(static_cast<int>(state.range(0))));
    Grid g;
    createGrid(g);
    for (auto _ : state) {
        setfromgrivecdef(g, entries);
        setLevel(g, 3);
        prepareGrid(g);
        ftbco(g);
        recomputeCandidates(g);
        benchmark::DoNotOptimize(g.cells.data());
    }
    state.counters["cells"] = g.cellCount;
}

}  // namespace

BENCHMARK(BM_RecomputeCandidates)->Arg(100)->Arg(1000);
BENCHMARK(BM_StateStringRoundTrip)->Arg(100)->Arg(1000);
BENCHMARK(BM_PrepareGridFromScratch)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
