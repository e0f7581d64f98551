// Fuzz target: date patterns formatted for any date record, and build stamps read from any text.
#include <cstring>
#include <string>

#include "base/calendar.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// What a formatted date may hold: digits, a minus sign of a negative year, the separators, "?", French names.
bool isDateCharacter(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || c == '-' || c == '/' || c == ' ' || c == '?';
}

void checkDate(std::string_view input) {
    // The first six bytes give the record any day, month and year; the rest is the pattern.
    CalendarDate date;
    if (input.size() >= 6) {
        int16_t fields[3];
        std::memcpy(fields, input.data(), sizeof fields);
        date.day = fields[0];
        date.month = fields[1];
        date.year = fields[2];
        input.remove_prefix(6);
    }
    int16_t weekday = date.weekday();
    FUZZ_CHECK(weekday >= 1 && weekday <= 7, input);

    TextString out = date.formatDate(input);
    for (char c : out.s) FUZZ_CHECK(isDateCharacter(c), input);
    // Each pattern character gives at most a few output characters (the longest name is nine letters
    // for the five of "xmois"; a negative four-digit year is five characters for the two of "a4").
    FUZZ_CHECK(out.s.size() <= 3 * input.size() + 8, input);
    // Tokens are matched without regard to letter case.
    FUZZ_CHECK(date.formatDate(upperText(input)).s == out.s, input);

    // A build stamp read from any text gives a month of the table or 0.
    CalendarDate stamp;
    stamp.readBuildStampText(input);
    FUZZ_CHECK(stamp.stampRead == 1 && stamp.month >= 0 && stamp.month <= 12, input);
    FUZZ_CHECK(stamp.weekday() >= 1 && stamp.weekday() <= 7, input);
    // A stamp is read once: a second one changes nothing.
    CalendarDate first = stamp;
    stamp.readBuildStampText("Jan  1 1999");
    FUZZ_CHECK(stamp.day == first.day && stamp.month == first.month && stamp.year == first.year, input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkDate);
    return 0;
}
