// Elapsed play time on a millisecond tick count, shown as a short French-style duration.
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * The millisecond tick source. Only differences of ticks matter, taken in
 * unsigned 32-bit arithmetic so that a wrap of the counter inside one run does
 * not disturb the result. Natively the default is a monotonic clock; the
 * Windows program installs the system tick count; tests install a fake.
 */
using TickSource = uint32_t (*)();
void setTickSource(TickSource source);  // null restores the default
uint32_t currentTick();

struct Stopwatch {
    uint32_t startTick = 0;
    uint32_t lastTick = 0;
    int32_t totalSeconds = 0;
    int32_t totalTenths = 0;
    int32_t leftoverMs = 0;  // the milliseconds of finished runs not yet counted in totalSeconds (0..999)
    int16_t hours = 0;
    int16_t minutes = 0;
    int16_t seconds = 0;
    uint8_t running = 0;

    void reset();
    void start();
    void stop();
    void addSeconds(int32_t n);
    int32_t elapsedSeconds() const;
    void split();
    // "7s", "1mn 05s", "10mn 05s", "1h 02mn", "0s".
    TextString format();
};
