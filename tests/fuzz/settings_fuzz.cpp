// Fuzz target: the settings file loaded, saved, loaded and saved again; key=value lookups on its lines.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/app_state.h"
#include "app/layout.h"
#include "base/stopwatch.h"
#include "app/app_settings.h"
#include "tests/fuzz/fuzz_support.h"
#include "ui/settings.h"

namespace {

uint32_t frozenTick() {
    return 1000;
}

// Files of this process: in memory-backed /dev/shm when there is one, so that fuzzing spares the disk.
std::string scratchPath(const char* name) {
    std::error_code ec;
    std::filesystem::path dir = std::filesystem::is_directory("/dev/shm", ec)
                                    ? std::filesystem::path("/dev/shm")
                                    : std::filesystem::temp_directory_path();
    return (dir / ("ornel-fuzz-" + std::to_string(getpid()) + "-" + name)).string();
}

std::string readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// One of two records, back at the start values: the first load and the load of what it saved.
AppState& freshApp(int which) {
    static AppState apps[2];
    AppState& app = apps[which];
    resetAppState(app);
    app.windowTitle.assign("ORNEL 162");
    app.game.gridCount = kOfferedGridCount;
    return app;
}

void checkSane(const AppState& app, std::string_view input) {
    // Grid 6 is the new grid, there only with a valid request.
    FUZZ_CHECK((app.game.gridNumber >= 1 && app.game.gridNumber <= kOfferedGridCount) ||
                   (app.game.newGrid.kept && app.game.gridNumber == kNewGridNumber), input);
    FUZZ_CHECK(!app.game.newGrid.kept || isValidNewGridRequest(app.game.newGrid.request), input);
    FUZZ_CHECK(app.view.scale == 40 || app.view.scale == 50 || app.view.scale == 60 || app.view.scale == 70, input);
    FUZZ_CHECK(app.view.language <= 1, input);  // the clock and note flags are bools: nothing else to check
    // Any position within reach of a desktop of monitors; start-up then brings it onto one (here the only screen).
    FUZZ_CHECK(std::abs(app.geometry.windowLeft) <= kFarthestPosition &&
                   std::abs(app.geometry.windowTop) <= kFarthestPosition, input);
    AppState placed;
    placed.geometry = app.geometry;
    placeOnMonitors(placed, {});
    const ShapeRect strip = captionStripAt(placed.geometry.windowLeft, placed.geometry.windowTop,
                                           placed.geometry.dpi);
    const int shownWidth = std::min<int>(strip.right, kFallbackScreenWidth) - std::max<int>(strip.left, 0);
    const int shownHeight = std::min<int>(strip.bottom, kFallbackScreenHeight) - std::max<int>(strip.top, 0);
    FUZZ_CHECK(shownWidth >= kCaptionGrabWidth && shownHeight >= kCaptionGrabHeight, input);
    FUZZ_CHECK(app.game.gridStates.count() <= (app.game.newGrid.kept ? kNewGridNumber : kOfferedGridCount), input);
    for (const std::string& state : app.game.gridStates.items) FUZZ_CHECK(isWellFormedState(state), input);
    for (int n = 1; n < kStopwatchCount; ++n) {
        int32_t seconds = app.clocks.stopwatches[n].elapsedSeconds();
        FUZZ_CHECK(seconds >= 0 && seconds <= kMaxSavedSeconds, input);
    }
    FUZZ_CHECK(app.keptUserLines.count() <= kSettingsMaxUserLines, input);
}

// Every line of the file is found by its own key, whatever the key starts with, and setValue finds it again.
void checkKeyLookups(const TextList& lines, std::string_view input) {
    for (int i = 1; i <= lines.count() && i <= 64; ++i) {
        const std::string& line = lines.str(i);
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        int found = lines.findKey(key);
        FUZZ_CHECK(found >= 1 && found <= i, input);
        if (found == i) FUZZ_CHECK(lines.getValue(key).s == line.substr(equals + 1), input);

        TextList copy = lines;
        copy.setValue(key, "fuzz");
        FUZZ_CHECK(copy.count() == lines.count(), input);
        FUZZ_CHECK(copy.getValue(key).s == "fuzz", input);
    }
}

void checkSettings(std::string_view input) {
    static const std::string file = scratchPath("settings.txt");
    static const std::string first = scratchPath("first.txt");
    static const std::string second = scratchPath("second.txt");
    setTickSource(frozenTick);
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(input.data(), static_cast<std::streamsize>(input.size()));
    }
    TextList lines;
    lines.readFile(file);
    checkKeyLookups(lines, input);

    AppState& app = freshApp(0);
    loadSettingsFile(app, file);
    checkSane(app, input);
    TextList userLines = app.keptUserLines;
    FUZZ_CHECK(settingsLines(app).writeFile(first), input);

    // Loading what was saved keeps every setting and the player's lines, in order; saving it again
    // writes the same bytes: a save writes nothing that the next load would drop or change.
    AppState& again = freshApp(1);
    loadSettingsFile(again, first);
    checkSane(again, input);
    FUZZ_CHECK(again.keptUserLines.items == userLines.items, input);
    FUZZ_CHECK(settingsLines(again).writeFile(second), input);
    FUZZ_CHECK(readBytes(first) == readBytes(second), input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkSettings);
    return 0;
}
