// Benchmarks of the foundation's text lists: sorted insertion and key lookup.
#include <benchmark/benchmark.h>

#include "base/text.h"

static void BM_SortedInsertion(benchmark::State& state) {
    for (auto _ : state) {
        TextList l;
        for (int i = 0; i < state.range(0); ++i) l.addSorted(numberText((i * 7919) % 100003));
        benchmark::DoNotOptimize(l.count());
    }
}
BENCHMARK(BM_SortedInsertion)->Arg(100)->Arg(1000);

static void BM_KeyLookup(benchmark::State& state) {
    TextList l;
    for (int i = 0; i < 100; ++i) l.setInt("key" + numberText(i), i);
    for (auto _ : state) benchmark::DoNotOptimize(l.getValue("key77"));
}
BENCHMARK(BM_KeyLookup);
