// Stopwatch runs and the French-style duration text, over a replaceable tick source.
#include "base/stopwatch.h"

#include <chrono>

namespace {

uint32_t monotonicTick() {
    using namespace std::chrono;
    return static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

TickSource tickSource = monotonicTick;

}  // namespace

void setTickSource(TickSource source) { tickSource = source ? source : monotonicTick; }

uint32_t currentTick() { return tickSource(); }

void Stopwatch::reset() {
    startTick = lastTick = currentTick();
    running = 0;
    totalSeconds = 0;
    totalTenths = 0;
    leftoverMs = 0;
}

void Stopwatch::start() {
    if (running) stop();
    startTick = lastTick = currentTick();
    running = 1;
}

void Stopwatch::stop() {
    if (!running) return;
    uint32_t now = currentTick();
    lastTick = now;
    uint32_t run = now - startTick;  // unsigned: survives a wrap of the counter
    totalTenths += static_cast<int32_t>(run / 100);
    /*
     * The fraction of a second a run ends with is carried to the next run, not
     * dropped: the clocks stop at every box, and a player who saves often (or
     * any run of short plays) would otherwise lose up to a second each time,
     * or see the clock never move at all.
     */
    const uint64_t ms = static_cast<uint64_t>(leftoverMs) + run;
    totalSeconds += static_cast<int32_t>(ms / 1000);
    leftoverMs = static_cast<int32_t>(ms % 1000);
    running = 0;
}

void Stopwatch::addSeconds(int32_t n) { totalSeconds += n; }

int32_t Stopwatch::elapsedSeconds() const {
    if (!running) return totalSeconds;
    uint32_t run = currentTick() - startTick;
    return totalSeconds + static_cast<int32_t>((static_cast<uint64_t>(leftoverMs) + run) / 1000);
}

void Stopwatch::split() {
    int32_t t = elapsedSeconds();
    if (t < 0) t = 0;
    seconds = static_cast<int16_t>(t % 60);
    minutes = static_cast<int16_t>((t / 60) % 60);
    int32_t h = t / 3600;
    hours = static_cast<int16_t>(h > INT16_MAX ? INT16_MAX : h);
}

TextString Stopwatch::format() {
    split();
    std::string r;
    if (hours > 0) {
        r = numberText(hours) + "h " + numberTextPadded(minutes, 2) + "mn";
    } else if (minutes == 0) {
        r = " " + numberTextPadded(seconds, 2) + "s";
    } else {
        r = numberTextPadded(minutes, 2) + "mn " + numberTextPadded(seconds, 2) + "s";
    }
    // One leading zero goes, and the blanks before it with it.
    size_t start = r.find_first_not_of(' ');
    if (start != std::string::npos && r[start] == '0') r.erase(0, start + 1);
    return TextString(r);
}
