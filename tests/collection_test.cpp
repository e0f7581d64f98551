// Tests of the built-in grid collection: the lookup, the cutting of lines into entries and the loader.
#include <gtest/gtest.h>

#include "content/collection.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/state_string.h"

namespace {

TextList linesOf(std::initializer_list<const char*> lines) {
    TextList out;
    for (const char* l : lines) out.add(l);
    return out;
}

}  // namespace

TEST(CollectionLookupTest, TableHoldsTheTenCodesInLookupOrder) {
    struct Row {
        const char* code;
        int16_t level;
        int16_t lines;
    };
    const Row rows[] = {{"1950-49", 3, 10}, {"2214-7", 4, 12}, {"2105-9", 5, 14}, {"2042-13", 6, 16},
                        {"2330-1", 6, 21},  {"1251-1", 2, 5},  {"1251-2", 3, 6},  {"1251-3", 4, 6},
                        {"1222-65", 5, 5},  {"1239-1", 6, 13}};
    ASSERT_EQ(builtInGridTotal(), 10);
    for (int16_t i = 1; i <= 10; ++i) {
        const BuiltInGrid* g = builtInGridAt(i);
        ASSERT_NE(g, nullptr);
        EXPECT_STREQ(g->code, rows[i - 1].code);
        EXPECT_EQ(g->level, rows[i - 1].level);
        EXPECT_EQ(g->lineCount, rows[i - 1].lines);
        for (int16_t n = 1; n <= g->lineCount; ++n) EXPECT_NE(builtInGridLine(*g, n), nullptr);
        EXPECT_EQ(builtInGridLine(*g, 0), nullptr);
        EXPECT_EQ(builtInGridLine(*g, g->lineCount + 1), nullptr);
    }
    EXPECT_EQ(builtInGridAt(0), nullptr);
    EXPECT_EQ(builtInGridAt(11), nullptr);
}

TEST(CollectionLookupTest, FindGivesTheLinesAndTheLevel) {
    BuiltInLookup small = findBuiltInGrid("1251-1");
    ASSERT_NE(small.grid, nullptr);
    EXPECT_STREQ(small.grid->code, "1251-1");
    EXPECT_EQ(small.lines.count(), 5);
    EXPECT_EQ(small.lines.str(1), builtInGridLine(*small.grid, 1));
    EXPECT_EQ(small.level, 2);
    BuiltInLookup large = findBuiltInGrid("2330-1");
    EXPECT_EQ(large.lines.count(), 21);
    EXPECT_EQ(large.level, 6);

    // Unknown codes, also near misses: no entry, no lines, level 0.
    for (const char* code : {"x", "X", "", "1251", "1251-10", "1251-1 ", " 1251-1", "251-1"}) {
        BuiltInLookup none = findBuiltInGrid(code);
        EXPECT_EQ(none.grid, nullptr) << code;
        EXPECT_EQ(none.lines.count(), 0);
        EXPECT_EQ(none.level, 0);
    }
}

TEST(CollectionLookupTest, CodesMatchWhateverTheirLetterCase) {
    // The codes are digits and a hyphen, so only the comparison rule shows: a folded whole match.
    const BuiltInGrid* g = builtInGridOf("2214-7");
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(builtInGridOf(upperText("2214-7")), g);
    EXPECT_EQ(builtInGridOf("2214-7x"), nullptr);
    EXPECT_EQ(builtInGridOf("2214-"), nullptr);
}

TEST(CollectionLookupTest, GridNumbersNameFiveDifferentCodesOfTheTable) {
    for (int16_t n = 1; n <= 5; ++n) {
        TextString code = gridCodeOfNumber(n);
        EXPECT_NE(builtInGridOf(code), nullptr) << code.s;
        for (int16_t m = 1; m < n; ++m) EXPECT_NE(gridCodeOfNumber(m).s, code.s);
    }
    EXPECT_TRUE(gridCodeOfNumber(0).isEmpty());
    EXPECT_TRUE(gridCodeOfNumber(6).isEmpty());
    EXPECT_TRUE(gridCodeOfNumber(-1).isEmpty());
}

TEST(CollectionEntriesTest, PercentageTokensApplyToTheFollowingTokensOfTheLine) {
    TextList entries;
    appendDescriptionEntries(linesOf({"%90, A, B, %0, C"}), entries);
    ASSERT_EQ(entries.count(), 3);
    EXPECT_EQ(entries.str(1), "A%90");
    EXPECT_EQ(entries.str(2), "B%90");
    EXPECT_EQ(entries.str(3), "C");

    // Each line starts without a percentage; a later token replaces the current one.
    entries.clear();
    appendDescriptionEntries(linesOf({"%95,AWPJ,%100,BWQJ", "CWRJ"}), entries);
    ASSERT_EQ(entries.count(), 3);
    EXPECT_EQ(entries.str(1), "AWPJ%95");
    EXPECT_EQ(entries.str(2), "BWQJ%100");
    EXPECT_EQ(entries.str(3), "CWRJ");
}

TEST(CollectionEntriesTest, CommentsAddNothingAndEmptyTokensCount) {
    TextList entries;
    appendDescriptionEntries(linesOf({"# a comment", "#x,#y, #z", "#"}), entries);
    EXPECT_EQ(entries.count(), 0);
    // Between two commas there is an empty token, which is an entry like any other.
    appendDescriptionEntries(linesOf({"%80,A,,B"}), entries);
    ASSERT_EQ(entries.count(), 3);
    EXPECT_EQ(entries.str(2), "%80");
    // Over-long percentage texts are cut to 15 characters, the "%" included.
    entries.clear();
    appendDescriptionEntries(linesOf({"%1234567890123456789,A"}), entries);
    ASSERT_EQ(entries.count(), 1);
    EXPECT_EQ(entries.str(1), "A%12345678901234");
}

TEST(CollectionEntriesTest, LaterEntryForTheSameCellWins) {
    TextList entries;
    appendDescriptionEntries(linesOf({"X,%90,AWPJ", "%100,AWRJ"}), entries);
    Grid g;
    createGrid(g);
    setfromgrivecdef(g, entries);
    EXPECT_EQ(g.cellValues.getValue("A:AB").s, "3,100");
    destroyGrid(g);
}

// Two fresh boards of the test's own.
class CollectionLoadTest : public ::testing::Test {
protected:
    void SetUp() override {
        createGrid(g);
        createGrid(other);
    }
    Grid g;
    Grid other;
};

TEST_F(CollectionLoadTest, LoadBuildsTheGridAtItsBuiltInLevel) {
    const BuiltInGrid* entry = loadBuiltInGrid(g, "1251-1");
    ASSERT_EQ(entry, builtInGridOf("1251-1"));
    EXPECT_EQ(g.gridCode.s, "1251-1");
    EXPECT_EQ(g.caption.s, "1251-1");
    EXPECT_GT(g.cellCount, 0);
    EXPECT_TRUE(g.cellsComputed);
    EXPECT_TRUE(g.peersComputed);
    EXPECT_EQ(g.level, 2);
    EXPECT_EQ(g.effectiveLevel, std::min(6, 2 + g.packing));
    // The description list holds entries with their percentages, never comments.
    ASSERT_GT(g.DescriptionList.count(), g.cellCount);
    bool withPercent = false;
    for (const std::string& e : g.DescriptionList.items) {
        EXPECT_TRUE(e.empty() || e[0] != '#') << e;
        withPercent = withPercent || e.find("%100") != std::string::npos;
    }
    EXPECT_TRUE(withPercent);
    // Every cell has its solution and percentage from the description.
    EXPECT_EQ(g.cellValues.count(), g.cellCount);
}

TEST_F(CollectionLoadTest, UnknownCodeLeavesTheGridUnchanged) {
    loadBuiltInGrid(g, "1251-2");
    int16_t cells = g.cellCount;
    TextString state = writeStateString(g);
    for (const char* code : {"x", "X", "", "9999-9"}) {
        EXPECT_EQ(loadBuiltInGrid(g, code), nullptr) << code;
        EXPECT_EQ(g.cellCount, cells);
        EXPECT_EQ(g.gridCode.s, "1251-2");
        EXPECT_EQ(writeStateString(g).s, state.s);
    }
}

TEST_F(CollectionLoadTest, SameCodeAgainIsBuiltAfreshAtItsLevel) {
    loadBuiltInGrid(g, "1950-49");
    int16_t cells = g.cellCount;
    // A marker that a rebuild from the description drops.
    g.cellValues.setValue("MARK:AB", "1,100");
    setLevel(g, 1);
    loadBuiltInGrid(g, "1950-49");
    EXPECT_FALSE(g.cellValues.hasKey("MARK:AB"));
    EXPECT_EQ(g.level, 3);
    EXPECT_EQ(g.cellCount, cells);
    EXPECT_EQ(g.cellValues.count(), cells);
    // Letter case does not make it another code.
    setLevel(g, 1);
    EXPECT_EQ(loadBuiltInGrid(g, upperText("1950-49")), builtInGridOf("1950-49"));
    EXPECT_EQ(g.gridCode.s, "1950-49");
    EXPECT_EQ(g.level, 3);
}

TEST_F(CollectionLoadTest, SameCodeInAnotherGridIsBuiltThere) {
    loadBuiltInGrid(g, "1222-65");
    loadBuiltInGrid(other, "1222-65");
    EXPECT_EQ(other.cellCount, g.cellCount);
    EXPECT_GT(other.cellCount, 0);
    EXPECT_EQ(other.cellValues.count(), other.cellCount);
}

TEST_F(CollectionLoadTest, GridWhoseListsWereDroppedIsBuiltAgain) {
    loadBuiltInGrid(g, "1251-1");
    int16_t cells = g.cellCount;
    // Something else rebuilt the grid from other entries (as the grid tool or an editor would).
    setfromgrivecdef(g, linesOf({"X"}));
    ASSERT_EQ(g.cellCount, 6);
    loadBuiltInGrid(g, "1251-1");
    EXPECT_EQ(g.cellCount, cells);
}
