// Calendar dates: build stamp, weekday and week number, and the date pattern formatter.
#include "base/calendar.h"

namespace {

const char* const kMonths = "janvier,fevrier,mars,avril,mai,juin,juillet,aout,septembre,octobre,novembre,decembre";
const char* const kWeekdays = "lundi,mardi,mercredi,jeudi,vendredi,samedi,dimanche";
const char* const kStampMonths = "jan,feb,mar,apr,may,jun,jul,aug,sep,oct,nov,dec";

std::string nameAt(const char* list, int i) {
    TextList names = splitItems(list);
    return names.str(i);
}

// Integer division rounding toward minus infinity, so that years before 0 count like the others.
long floorDiv(long a, long b) {
    long q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Leap years before `year` (from a fixed origin; only differences are used).
long leapYearsBefore(long year) {
    return floorDiv(year - 1, 4) - floorDiv(year - 1, 100) + floorDiv(year - 1, 400);
}

/*
 * Weekday (1 Monday .. 7 Sunday) of 1 January of a year, counted from 1
 * January 2000, a Saturday: each year moves it on by one day, a leap year by
 * two. Counted in closed form, so that any 16-bit year costs the same.
 */
int weekdayOfNewYear(int year) {
    long offset = (year - 2000L) + (leapYearsBefore(year) - leapYearsBefore(2000));
    long w = (6 - 1 + offset) % 7;
    if (w < 0) w += 7;
    return static_cast<int>(w) + 1;
}

}  // namespace

bool isLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int daysInMonth(int month, int year) {
    switch (month) {
        case 4: case 6: case 9: case 11: return 30;
        case 2: return isLeapYear(year) ? 29 : 28;
        default: return 31;
    }
}

void CalendarDate::resetDate() {
    day = 1;
    month = 1;
    year = 2000;
    stampRead = 0;
}

void CalendarDate::readBuildStamp() { readBuildStampText(__DATE__); }

void CalendarDate::readBuildStampText(TextRef stamp) {
    if (stampRead) return;
    stampRead = 1;
    TextString t(stamp.v);
    t.replaceAll(" ", ",");
    while (t.s.find(",,") != std::string::npos) t.replaceAll(",,", ",");
    TextString name;
    name.takeToken(t);
    TextList months = splitItems(kStampMonths);
    month = static_cast<int16_t>(months.indexOf(name));
    day = static_cast<int16_t>(takeInt(t));
    year = static_cast<int16_t>(takeInt(t));
}

int16_t CalendarDate::dayOfYear() const {
    int n = 0;
    for (int m = 1; m < month && m <= 12; ++m) n += daysInMonth(m, year);
    return static_cast<int16_t>(n + day);
}

int16_t CalendarDate::weekday() const {
    int w = weekdayOfNewYear(year) + dayOfYear() - 1;
    w = (w - 1) % 7;
    if (w < 0) w += 7;
    return static_cast<int16_t>(w + 1);
}

int16_t CalendarDate::weekOfYear() const {
    int w = weekdayOfNewYear(year);
    int n = w + dayOfYear() - 1;
    int week = w < 5 ? 1 : 0;
    // One week more for every 7 days that can be taken off n while it is above 7.
    if (n > 7) week += (n - 1) / 7;
    return static_cast<int16_t>(week);
}

namespace {

// Takes token off the front of rest (after blanks, case ignored); true when it matched.
bool takeFront(std::string& rest, const char* token) {
    size_t start = rest.find_first_not_of(' ');
    if (start == std::string::npos) return false;
    std::string_view tail(rest);
    tail.remove_prefix(start);
    std::string_view tok(token);
    if (tail.size() < tok.size() || !equalsFolded(tail.substr(0, tok.size()), tok)) return false;
    rest.erase(0, start + tok.size());
    return true;
}

}  // namespace

TextString CalendarDate::formatDate(TextRef pattern) const {
    std::string rest(pattern.v);
    std::string out;
    while (!rest.empty()) {
        size_t before = rest.size();
        if (takeFront(rest, "jj")) out += numberTextPadded(day, 2);
        if (takeFront(rest, "mm")) out += numberTextPadded(month, 2);
        if (takeFront(rest, "aa")) out += numberTextPadded(((year % 100) + 100) % 100, 2);
        if (takeFront(rest, "a4")) out += numberTextPadded(year, 4);
        if (takeFront(rest, "ss")) out += numberTextPadded(weekOfYear(), 2);
        if (takeFront(rest, "b")) out += ' ';
        if (takeFront(rest, "-")) out += '-';
        if (takeFront(rest, "/")) out += '/';
        if (takeFront(rest, "xmois")) {
            out += nameAt(kMonths, month);
        } else if (takeFront(rest, "xjsem")) {
            out += nameAt(kWeekdays, weekday());
        } else {
            takeFront(rest, ";");
        }
        if (rest.size() == before) {
            rest.erase(0, 1);
            out += '?';
        }
    }
    return TextString(out);
}
