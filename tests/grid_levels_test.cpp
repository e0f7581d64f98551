// Tests of difficulty levels: thresholds, packing, level 7, fixed values and labels.
#include <gtest/gtest.h>

#include "tests/grid_fixtures.h"
#include "puzzle/preparation.h"

namespace {

// The origin hexagon and its six neighbours: the origin has six neighbouring centres, packing 0.
void denseGrid(Grid& g, std::initializer_list<const char*> values) {
    createGrid(g);
    TextList list;
    for (const char* e : {"X", "XA", "XB", "XC", "XD", "XE", "XF"}) list.add(e);
    for (const char* e : values) list.add(e);
    setfromgrivecdef(g, list);
}

}  // namespace

TEST(GridLevels, TableAndInverse) {
    const int16_t percents[] = {75, 80, 85, 90, 95, 100, 120};
    for (int16_t l = 1; l <= 7; ++l) {
        EXPECT_EQ(percentageOf(l), percents[l - 1]);
        EXPECT_EQ(levelOf(percents[l - 1]), l);
    }
    EXPECT_EQ(percentageOf(0), 75);
    EXPECT_EQ(percentageOf(8), 75);
    EXPECT_EQ(levelOf(0), 1);
    EXPECT_EQ(levelOf(110), 1);
    EXPECT_STREQ(levelName(1, false), "1-tr\xE8s facile");
    EXPECT_STREQ(levelName(6, false), "6-tr\xE8s difficile");
    EXPECT_STREQ(levelName(7, true), "7-diabolic");
    EXPECT_STREQ(levelName(8, true), "xxx");
}

TEST(GridLevels, PackingFollowsTheBestSurroundedHexagon) {
    Grid g;
    buildGrid(g, {"X"});
    EXPECT_EQ(computePacking(g), 3);
    buildGrid(g, {"X", "XA"});
    EXPECT_EQ(computePacking(g), 3);  // one neighbour: 6 - 1 = 5, capped at 3
    Grid d;
    denseGrid(d, {});
    EXPECT_EQ(computePacking(d), 0);
}

TEST(GridLevels, SingleHexagonAtLevelTwoUsesThreshold95) {
    Grid g;
    buildGrid(g, {"X", "WPJ%95", "VQJ%90"});
    setLevel(g, 2);
    EXPECT_EQ(g.packing, 3);
    EXPECT_EQ(g.effectiveLevel, 5);
    EXPECT_EQ(g.effectivePercent, 95);
    EXPECT_EQ(g.displayedLevel, 2);
    TextString out;
    EXPECT_EQ(levelLabel(g, out, 11, false), 2);
    EXPECT_EQ(out.s, "2");
    EXPECT_EQ(levelLabel(g, out, 14, true), 2);
    EXPECT_EQ(out.s, "2-facile");
    EXPECT_EQ(levelLabel(g, out, 15, true), 2);
    EXPECT_EQ(levelLabel(g, out, 10, true), 2);
    EXPECT_EQ(out.s, "2-easy");
    prepareGrid(g);
    EXPECT_TRUE(isCellFixed(g, cellIndexOf(g, ":AB")));
    EXPECT_FALSE(isCellFixed(g, cellIndexOf(g, ":AF")));
    EXPECT_EQ(cellValue(g, cellIndexOf(g, ":AF")), 0);
}

TEST(GridLevels, LevelSevenNeedsBoth120And100) {
    Grid with;
    denseGrid(with, {"WPJ%120", "VQJ%100"});
    setLevel(with, 7);
    EXPECT_EQ(with.effectiveLevel, 7);
    EXPECT_EQ(with.displayedLevel, 7);
    EXPECT_EQ(with.effectivePercent, 120);
    prepareGrid(with);
    EXPECT_TRUE(isCellFixed(with, cellIndexOf(with, ":AB")));
    EXPECT_FALSE(isCellFixed(with, cellIndexOf(with, ":AF")));
    EXPECT_EQ(setRequestedPercentage(with, 120), 120);

    Grid without;
    denseGrid(without, {"WPJ%120", "VQJ%95"});
    setLevel(without, 7);
    EXPECT_EQ(without.effectiveLevel, 6);
    EXPECT_EQ(without.displayedLevel, 6);
    EXPECT_EQ(without.effectivePercent, 100);
    EXPECT_EQ(setRequestedPercentage(without, 120), 100);
    prepareGrid(without);
    // The lone 120 counts as 100 once the cells carry the percentages.
    EXPECT_FALSE(diabolicAvailable(without));
    EXPECT_EQ(without.cells[cellIndexOf(without, ":AB")].level, 100);
}

TEST(GridLevels, PackingRaisesTheEffectiveLevel) {
    Grid g;
    buildGrid(g, {"X", "XA", "XB"});  // the best centre has 2 neighbours: packing 3
    setLevel(g, 4);
    EXPECT_EQ(g.effectiveLevel, 6);
    Grid d;
    denseGrid(d, {});
    setLevel(d, 4);
    EXPECT_EQ(d.effectiveLevel, 4);
    EXPECT_EQ(d.effectivePercent, 90);
    TextString out;
    EXPECT_EQ(levelLabel(d, out, 13, true), 4);
    EXPECT_EQ(out.s, "4-high middle");
}

TEST(GridLevels, ApplyingTwiceChangesNothingAndANewLevelEmptiesPlayerCells) {
    Grid g;
    denseGrid(g, {"WPJ%80", "VQJ%100"});
    setLevel(g, 2);
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB"), af = cellIndexOf(g, ":AF");
    int16_t other = cellIndexOf(g, "A:AB");
    EXPECT_TRUE(isCellFixed(g, ab));
    setCellValue(g, other, 5);
    refreshGivens(g);
    EXPECT_EQ(cellValue(g, other), 5);  // same effective percentage: nothing re-applied
    setLevel(g, 6);
    refreshGivens(g);
    EXPECT_EQ(cellValue(g, other), 0);
    EXPECT_FALSE(isCellFixed(g, ab));
    EXPECT_EQ(cellValue(g, ab), 0);
    EXPECT_TRUE(isCellFixed(g, af));
    EXPECT_EQ(cellValue(g, af), 2);
}

TEST(GridLevels, UnknownKeysAndMissingNumbersAreHarmless) {
    Grid g;
    buildGrid(g, {"X"});
    g.cellValues.setValue("AAAA:AB", "3,100");
    g.cellValues.setValue(":AB", "");
    g.cellValues.setValue(":AF", "9,100");
    g.hasValues = 1;
    loadGivens(g);
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        EXPECT_FALSE(isCellFixed(g, i)) << i;
        EXPECT_EQ(cellValue(g, i), 0) << i;
    }
}

TEST(GridLevels, LowRequestedPercentageIsTakenAs100) {
    Grid g;
    denseGrid(g, {"WPJ%100"});
    setRequestedPercentage(g, 10);
    EXPECT_FALSE(ensureLevel(g));  // nothing applied yet
    EXPECT_EQ(g.requestedPercent, 100);
    EXPECT_EQ(g.level, 6);
    EXPECT_EQ(g.effectivePercent, 100);
}
