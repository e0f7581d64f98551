// The grid clocks: which stopwatch runs, and the text of the chronometer field.
#include "content/clocks.h"

TextString chronoFieldText;
TextString lastClockText;

namespace {

// The clock shown for the current grid; grid numbers outside 1..5 show the unused element 0.
Stopwatch& currentClock(AppState& app) {
    int16_t n = app.gridNumber;
    if (n < 1 || n >= kStopwatchCount) n = 0;
    return app.stopwatches[n];
}

}  // namespace

bool clocksMayRun(const AppState& app) {
    return app.chronoEnabled && app.chronoRunning && !app.minimised;
}

void updateClocks(AppState& app) {
    bool run = clocksMayRun(app);
    // Every clock is visited, whatever the collection offers, so that no clock
    // of a number outside the offer can be left running.
    for (int16_t i = 1; i < kStopwatchCount; ++i) {
        Stopwatch& clock = app.stopwatches[i];
        if (!run || i != app.gridNumber) {
            clock.stop();
        } else if (!isGridFull(app.grids[0])) {
            // start() closes a running run first, so no time is lost.
            clock.start();
        }
        // On a full grid the clock is left as it is, running or stopped.
    }
}

void setClocksActive(bool active, AppState& app) {
    app.chronoRunning = active ? 1 : 0;
    updateClocks(app);
}

void setClocksMinimised(bool minimised, AppState& app) {
    app.minimised = minimised ? 1 : 0;
    updateClocks(app);
}

TextString centredClockText(TextRef elapsed) {
    TextString text;
    int n = 4 - static_cast<int>(elapsed.v.size()) / 2;
    if (n > 0) text.repeat(n, " ");
    text.append(elapsed);
    return text;
}

bool updateTitleClock(AppState& app) {
    if (!app.paintEnabled) {
        lastClockText.clear();
        return false;
    }
    if (!app.chronoEnabled) return false;
    TextString text = centredClockText(currentClock(app).format());
    if (text.equals(lastClockText)) return false;
    chronoFieldText.assign(text);
    lastClockText.assign(text);
    return true;
}
