// Benchmarks of the settings load: a file as the game writes it, and hostile files at the size limit.
#include <benchmark/benchmark.h>

#include <string>

#include "app/app_state.h"
#include "app/app_settings.h"

namespace {

// The lines of a saved game with a state for every grid number.
TextList typicalLines(AppState& app) {
    app.windowTitle.assign("ORNEL 162");
    for (int16_t n = 1; n <= 5; ++n) {
        storeGridState(app, n, std::string(140, static_cast<char>('A' + n)));
        app.clocks.stopwatches[n].addSeconds(100 * n);
    }
    app.keptUserLines.clear();
    app.keptUserLines.add("usr=my own note");
    return settingsLines(app);
}

// About 4 MB of lines with keys the load reads, so that filtering alone does not discard them.
TextList hostileLines(bool knownKeys) {
    TextList lines;
    for (int i = 0; i < 300000; ++i)
        lines.add((knownKeys ? "gv1:A=" : "junk=") + std::to_string(i) + "ABCDEF");
    return lines;
}

}  // namespace

static void BM_LoadTypicalSettings(benchmark::State& state) {
    AppState app;
    TextList lines = typicalLines(app);
    for (auto _ : state) {
        loadSettingsLines(app, lines);
        benchmark::DoNotOptimize(app.game.gridStates.count());
    }
}
BENCHMARK(BM_LoadTypicalSettings);

// Unknown keys: every line is looked at once and dropped.
static void BM_LoadJunkSettings(benchmark::State& state) {
    AppState app;
    TextList lines = hostileLines(false);
    for (auto _ : state) {
        loadSettingsLines(app, lines);
        benchmark::DoNotOptimize(app.game.gridNumber);
    }
}
BENCHMARK(BM_LoadJunkSettings)->Unit(benchmark::kMillisecond);

// Keys the load reads: the line limit bounds the sort and the lookups.
static void BM_LoadFloodedSettings(benchmark::State& state) {
    AppState app;
    TextList lines = hostileLines(true);
    for (auto _ : state) {
        loadSettingsLines(app, lines);
        benchmark::DoNotOptimize(app.game.gridNumber);
    }
}
BENCHMARK(BM_LoadFloodedSettings)->Unit(benchmark::kMillisecond);

static void BM_SaveLines(benchmark::State& state) {
    AppState app;
    typicalLines(app);
    for (auto _ : state) benchmark::DoNotOptimize(settingsLines(app).count());
}
BENCHMARK(BM_SaveLines);
