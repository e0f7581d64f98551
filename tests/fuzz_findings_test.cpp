// Regression cases of the faults the fuzz targets found: names, cell codes, key lookups, state strings, user lines.
#include <gtest/gtest.h>

#include "puzzle/description.h"
#include "puzzle/lattice.h"
#include "puzzle/state_string.h"
#include "tests/grid_fixtures.h"

namespace {

TEST(FuzzFindings, NormalisedNamesAreFixedPoints) {
    // Sides with more letters or colons than a name has, and junk inside the path.
    const char* names[] = {"A:BCD", "A:B:C", ":E\xB9+:", "A9A\xB2" "3B2:BC", "P?:DE", "X:FE:", "a:efx"};
    for (const char* name : names) {
        for (NameStyle style : {NameStyle::Expanded, NameStyle::Compact}) {
            std::string t = normaliseTriangle(name, style);
            EXPECT_EQ(normaliseTriangle(t, style), t) << name;
            std::string e = normaliseEdge(name, style);
            EXPECT_EQ(normaliseEdge(e, style), e) << name;
        }
    }
    EXPECT_EQ(normaliseTriangle("A:BCD"), "B:ADF");
    // The side's step follows the path as far as it parses: "A?:BC" is A:BC, the triangle AC:AF = B:AF.
    EXPECT_EQ(normaliseTriangle("A?:BC"), "B:AF");
    EXPECT_EQ(normaliseTriangle("A9A\xB2" "3B2:BC"), normaliseTriangle("AAAAAAAAAA:BC"));
    // Names as the game writes them are unchanged by the fix.
    EXPECT_EQ(normaliseTriangle("A:FE"), "F:AB");
    EXPECT_EQ(normaliseEdge("B:D"), "C:A");
}

TEST(FuzzFindings, CellCodesReadAsTheGridBuilderReadsThem) {
    for (const char* text : {"BWQ%-75", "\tWAW", " \tXAVPJ%90", "AWPJ%100"}) {
        CellCode code;
        readCellCode(code, text);
        DescriptionEntry entry;
        ASSERT_TRUE(parseDescriptionEntry(text, entry)) << text;
        EXPECT_EQ(code.marked, entry.isHexagon) << text;
        EXPECT_EQ(code.hasSide, entry.isCell) << text;
        EXPECT_EQ(code.value, entry.value) << text;
        EXPECT_EQ(code.percent, entry.percent) << text;
        EXPECT_EQ(cellReadout(code), entryCellName(entry).s) << text;
    }
    CellCode code;
    readCellCode(code, "BWQ%-75");  // no mark letter: the percentage follows the value
    EXPECT_EQ(code.value, 2);
    EXPECT_EQ(code.percent, -75);
}

TEST(FuzzFindings, AKeyFindsItsLineWhateverItStartsWith) {
    TextList lines;
    for (const char* line : {"  lead=1", " =blank key", "=empty key", "\xFFhigh=2", "a=b=c"}) lines.add(line);
    EXPECT_EQ(lines.findKey("  lead"), 1);
    EXPECT_EQ(lines.getValue("  lead").s, "1");
    EXPECT_EQ(lines.getValue("lead").s, "1");
    EXPECT_EQ(lines.findKey(" "), 2);
    EXPECT_EQ(lines.getValue(" ").s, "blank key");
    EXPECT_EQ(lines.getValue("\xFFhigh").s, "2");
    EXPECT_EQ(lines.getValue("a").s, "b=c");
    // setValue of a key with leading blanks replaces its line instead of adding one each time.
    lines.setValue("  lead", "3");
    lines.setValue("  lead", "4");
    EXPECT_EQ(lines.count(), 5);
    EXPECT_EQ(lines.getValue("  lead").s, "4");
}

TEST(FuzzFindings, AStateStringShorterThanTheGridIsRefused) {
    Grid g;
    buildGrid(g, {":AB", ":AF", "A:AB", "A:AF", "B:AB", "B:AF", "AB:AB"});
    ASSERT_EQ(g.cellCount, 7);
    setCellValue(g, 7, 4);
    // Five tokens for seven cells: a state of another grid; nothing of it is restored.
    TextList moves;
    moves.add("stale");
    EXPECT_FALSE(readStateString(g, "ABCDE", moves));
    for (int16_t i = 1; i <= 7; ++i) EXPECT_EQ(cellValue(g, i), 0) << i;
    EXPECT_TRUE(moves.isEmpty());
    // Exactly one token per cell is valid and writes back to itself.
    EXPECT_TRUE(readStateString(g, "ABCDEFG", moves));
    EXPECT_EQ(writeStateString(g).s, "ABCDEFG");
}

}  // namespace

#include "base/calendar.h"

namespace {

TEST(FuzzFindings, WeekdaysAndWeeksOfFarYearsCostNoMoreThanNearOnes) {
    // Known New Year's days, then every year against a count of the days year by year from 2000.
    const std::pair<int16_t, int16_t> known[] = {{2000, 6}, {2024, 1}, {1900, 1}, {1600, 6}, {2100, 5}, {1, 1}};
    for (const auto& [year, weekday] : known) {
        CalendarDate d;
        d.year = year;
        EXPECT_EQ(d.weekday(), weekday) << year;
    }
    int w = 6;  // 1 January 2000
    for (int year = 2000; year < 2000 + 3000; ++year) {
        CalendarDate d;
        d.year = static_cast<int16_t>(year);
        ASSERT_EQ(d.weekday(), w) << year;
        w = (w - 1 + (isLeapYear(year) ? 366 : 365)) % 7 + 1;
    }
    w = 6;
    for (int year = 1999; year > 2000 - 3000; --year) {
        w = ((w - 1 - (isLeapYear(year) ? 366 : 365)) % 7 + 7) % 7 + 1;
        CalendarDate d;
        d.year = static_cast<int16_t>(year);
        ASSERT_EQ(d.weekday(), w) << year;
    }
    // Week numbers of a far year, and the week of 8 January 2024.
    CalendarDate d;
    d.day = 8;
    d.year = 2024;
    EXPECT_EQ(d.weekOfYear(), 2);
    d.day = 31;
    d.month = 12;
    EXPECT_EQ(d.weekOfYear(), 53);
    d.day = 29555;
    d.month = 29555;
    d.year = 29555;
    TextString many = d.formatDate(std::string(3000, 's'));
    EXPECT_EQ(many.length(), 1500 * 4);
}

}  // namespace
