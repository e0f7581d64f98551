// Benchmarks of the grid topology: the whole derivation of a shape and its single operations, by shape size.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "puzzle/lattice.h"
#include "puzzle/topology.h"

/*
 * Shapes: filled hexagonal regions of radius 1, 4, 10 and 18 (7, 61, 331 and
 * 1027 centres) and rings of hexagons around an uncovered middle (54, 336 and
 * 1044 centres). The benchmark's N is the number of centres, so the reported
 * complexity shows how the cost grows.
 */

namespace {

TextList annulus(int inner, int outer) {
    TextList l;
    for (int a = -outer; a <= outer; ++a)
        for (int b = -outer; b <= outer; ++b) {
            int d = (std::abs(a) + std::abs(b) + std::abs(a + b)) / 2;
            if (d >= inner && d <= outer) l.add(axialName({a, b}));
        }
    return l;
}

struct Derived {
    TextList cells, hexagons, partial, corners, touching, inner, outer, ring, holes;
};

void deriveAll(const TextList& centres, Derived& d) {
    cellsFromHexagons(centres, d.cells);
    hexagonsFromCells(d.cells, d.hexagons, d.partial);
    cornerPointsOfCells(d.cells, d.corners);
    touchingCells(d.cells, d.touching);
    lines(d.hexagons, d.inner, d.outer);
    holesAndRing(d.cells, d.hexagons, d.ring, d.holes);
}

// Arg: radius of the filled region; Arg pair for rings: inner and outer radius.
TextList shapeFor(const benchmark::State& state) {
    return state.range(1) < 0 ? annulus(0, static_cast<int>(state.range(0)))
                              : annulus(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
}

void BM_TopologyDerive(benchmark::State& state) {
    TextList centres = shapeFor(state);
    Derived d;
    for (auto _ : state) {
        deriveAll(centres, d);
        benchmark::DoNotOptimize(d.holes.count());
    }
    state.SetComplexityN(centres.count());
    state.counters["centres"] = centres.count();
    state.counters["cells"] = d.cells.count();
    state.counters["holes"] = d.holes.count();
}

void shapes(benchmark::internal::Benchmark* b) {
    b->Args({1, -1})->Args({4, -1})->Args({10, -1})->Args({18, -1});
    b->Args({2, 4})->Args({5, 11})->Args({9, 20});
}

BENCHMARK(BM_TopologyDerive)->Apply(shapes)->Unit(benchmark::kMillisecond)->Complexity();

// The single operations on the filled regions, to see which one dominates.
template <int Op>
void BM_TopologyOperation(benchmark::State& state) {
    TextList centres = annulus(0, static_cast<int>(state.range(0)));
    Derived d;
    deriveAll(centres, d);
    for (auto _ : state) {
        switch (Op) {
            case 1: cellsFromHexagons(centres, d.cells); break;
            case 2: cornerPointsOfCells(d.cells, d.corners); break;
            case 3: hexagonsFromCells(d.cells, d.hexagons, d.partial); break;
            case 4: touchingCells(d.cells, d.touching); break;
            case 5: lines(d.hexagons, d.inner, d.outer); break;
            case 6: holesAndRing(d.cells, d.hexagons, d.ring, d.holes); break;
        }
        benchmark::ClobberMemory();
    }
    state.SetComplexityN(centres.count());
}

BENCHMARK_TEMPLATE(BM_TopologyOperation, 1)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_TEMPLATE(BM_TopologyOperation, 2)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_TEMPLATE(BM_TopologyOperation, 3)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_TEMPLATE(BM_TopologyOperation, 4)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_TEMPLATE(BM_TopologyOperation, 5)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();
BENCHMARK_TEMPLATE(BM_TopologyOperation, 6)->Arg(10)->Arg(18)->Unit(benchmark::kMicrosecond)->Complexity();

// Canonical names of points: the text work every operation rests on.
void BM_NormaliseTriangle(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(normaliseTriangle("AAAAABBBCDE:FE"));
}
BENCHMARK(BM_NormaliseTriangle);

// Cell index lookup through the name index (what peer records are built with).
void BM_NameIndexLookup(benchmark::State& state) {
    TextList cells;
    cellsFromHexagons(annulus(0, 18), cells);
    NameIndex index;
    buildNameIndex(index, cells);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(indexOfName(index, cells.str(1 + i)));
        i = (i + 97) % cells.count();
    }
}
BENCHMARK(BM_NameIndexLookup);

}  // namespace
