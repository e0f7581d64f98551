// What every fuzz target shares: the time budget per input and a check that stops the run with a message.
#pragma once

#include <ctime>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

/*
 * A broken invariant ends the run the way a crash does, so libFuzzer keeps the
 * input that caused it. The message says which invariant and shows the input.
 */
#define FUZZ_CHECK(condition, input)                                                                   \
    do {                                                                                               \
        if (!(condition)) fuzzFail(#condition, __FILE__, __LINE__, (input));                           \
    } while (0)

[[noreturn]] inline void fuzzFail(const char* what, const char* file, int line, std::string_view input) {
    std::fprintf(stderr, "\n*** invariant broken at %s:%d: %s\n*** input (%zu bytes): \"", file, line, what,
                 input.size());
    for (unsigned char c : input.substr(0, 400)) {
        if (c >= 32 && c < 127 && c != '"' && c != '\\')
            std::fputc(c, stderr);
        else
            std::fprintf(stderr, "\\x%02X", c);
    }
    std::fprintf(stderr, "%s\"\n", input.size() > 400 ? "..." : "");
    std::abort();
}

/*
 * Time budget: no input of a few kilobytes may take more than a few
 * milliseconds. The budget is per started 4 KB of input, 20 ms by default to
 * leave room for the sanitizers and the coverage counters (ORNEL_FUZZ_BUDGET_MS
 * changes it). Time is the processor time of the process, not the clock on the
 * wall: on a busy machine a run may wait for a processor far longer than it
 * works. An input over budget is run twice more and fails only if every run
 * was too slow.
 */
inline double fuzzBudgetMs(size_t size) {
    static double perBlock = [] {
        const char* env = std::getenv("ORNEL_FUZZ_BUDGET_MS");
        double ms = env ? std::atof(env) : 0.0;
        return ms > 0 ? ms : 20.0;
    }();
    return perBlock * static_cast<double>(size / 4096 + 1);
}

template <class Run>
void runTimed(const uint8_t* data, size_t size, Run run) {
    std::string_view input(reinterpret_cast<const char*>(data), size);
    double best = 1e300;
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::clock_t start = std::clock();
        run(input);
        double ms = 1000.0 * static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
        if (ms < best) best = ms;
        if (best <= fuzzBudgetMs(size)) return;
    }
    char what[120];
    std::snprintf(what, sizeof what, "took %.1f ms, over the budget of %.1f ms", best, fuzzBudgetMs(size));
    fuzzFail(what, __FILE__, __LINE__, input);
}
