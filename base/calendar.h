// Dates: the program's build date and a pattern-driven date formatter with French names.
#pragma once

#include <cstdint>

#include "base/text.h"

struct CalendarDate {
    int16_t day = 1;
    int16_t month = 1;
    int16_t year = 2000;
    int16_t stampRead = 0;

    void resetDate();
    // Reads the compiler's build date of the program, once.
    void readBuildStamp();
    // The same from a stamp text in the form "Mmm dd yyyy" (day blank-padded), once.
    void readBuildStampText(TextRef stamp);
    // Tokens jj mm aa a4 ss b - / xmois xjsem ; (case ignored); unknown characters give "?".
    TextString formatDate(TextRef pattern) const;
    // 1 (Monday) .. 7 (Sunday).
    int16_t weekday() const;
    int16_t weekOfYear() const;
    // 1..366.
    int16_t dayOfYear() const;
};

bool isLeapYear(int year);
int daysInMonth(int month, int year);
