// The grid clocks: which stopwatch runs, and the text of the chronometer field.
#include "content/clocks.h"

namespace {

// The clock shown for a grid number; numbers outside 1..5 show the unused element 0.
Stopwatch& clockOf(GridClocks& clocks, int16_t gridNumber) {
    if (gridNumber < 1 || gridNumber >= kStopwatchCount) gridNumber = 0;
    return clocks.stopwatches[gridNumber];
}

}  // namespace

bool clocksMayRun(const GridClocks& clocks) {
    return clocks.enabled && clocks.active && !clocks.minimised;
}

void updateClocks(GridClocks& clocks, int16_t gridNumber, bool gridFull) {
    bool run = clocksMayRun(clocks);
    // Every clock is visited, whatever the collection offers, so that no clock
    // of a number outside the offer can be left running.
    for (int16_t i = 1; i < kStopwatchCount; ++i) {
        Stopwatch& clock = clocks.stopwatches[i];
        if (!run || i != gridNumber) {
            clock.stop();
        } else if (!gridFull) {
            // start() closes a running run first, so no time is lost.
            clock.start();
        }
        // On a full grid the clock is left as it is, running or stopped.
    }
}

void setClocksActive(GridClocks& clocks, bool active, int16_t gridNumber, bool gridFull) {
    clocks.active = active ? 1 : 0;
    updateClocks(clocks, gridNumber, gridFull);
}

void setClocksMinimised(GridClocks& clocks, bool minimised, int16_t gridNumber, bool gridFull) {
    clocks.minimised = minimised ? 1 : 0;
    updateClocks(clocks, gridNumber, gridFull);
}

TextString centredClockText(TextRef elapsed) {
    TextString text;
    int n = 4 - static_cast<int>(elapsed.v.size()) / 2;
    if (n > 0) text.repeat(n, " ");
    text.append(elapsed);
    return text;
}

bool updateTitleClock(GridClocks& clocks, int16_t gridNumber, bool startupFinished) {
    if (!startupFinished) {
        clocks.lastText.clear();
        return false;
    }
    if (!clocks.enabled) return false;
    TextString text = centredClockText(clockOf(clocks, gridNumber).format());
    if (text.equals(clocks.lastText)) return false;
    clocks.fieldText.assign(text);
    clocks.lastText.assign(text);
    return true;
}
