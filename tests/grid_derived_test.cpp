// Tests of the derived tables, their ensure chain, invalidation, preparation and description entries.
#include <gtest/gtest.h>

#include "tests/grid_fixtures.h"
#include "puzzle/preparation.h"

TEST(GridDerived, ThreeHexagonsAroundTheOriginCloseAFourth) {
    Grid g;
    buildGrid(g, {"XA", "XC", "XE"});
    EXPECT_EQ(g.cellCount, 18);
    EXPECT_EQ(g.hexagonCount, 4);
    EXPECT_GT(g.hexagons.indexOf(""), 0);
    EXPECT_EQ(g.unitCount, g.hexagonCount + g.partialCount);
}

TEST(GridDerived, SingleHexagonAndEmptyGrid) {
    Grid g;
    buildGrid(g, {"X"});
    EXPECT_EQ(g.cellCount, 6);
    EXPECT_EQ(g.hexagonCount, 1);
    EXPECT_EQ(g.partialCount, 0);
    prepareGrid(g);
    EXPECT_EQ(g.cornerCount, 7);

    Grid e;
    buildGrid(e, {});
    prepareGrid(e);
    EXPECT_EQ(e.cellCount, 0);
    EXPECT_EQ(e.hexagonCount, 0);
    EXPECT_EQ(e.partialCount, 0);
    EXPECT_EQ(e.unitCount, 0);
    EXPECT_EQ(e.cells.size(), 1u);
    EXPECT_EQ(e.units.size(), 1u);
    EXPECT_EQ(cellAtPoint(e, 0, 0), 0);
    EXPECT_EQ(hexagonAtPoint(e, 0, 0), 0);
    EXPECT_EQ(cornerAtPoint(e, 0, 0), 0);
}

TEST(GridDerived, PrepareTwiceDoesNoWorkTheSecondTime) {
    Grid g;
    buildGrid(g, {"X", "XA", "WPJ%100"});
    prepareGrid(g);
    EXPECT_TRUE(g.basicComputed && g.cornersComputed && g.cellsComputed && g.unitsComputed &&
                g.positionsComputed && g.linesComputed);
    // Marks that any rebuild would wipe.
    const Cell* before = g.cells.data();
    g.cells[2].x = 12345;
    g.cells[3].value = 4;
    g.units[1].x = 777;
    g.innerLines.add("marker");
    prepareGrid(g);
    EXPECT_EQ(g.cells.data(), before);
    EXPECT_EQ(g.cells[2].x, 12345);
    EXPECT_EQ(g.cells[3].value, 4);
    EXPECT_EQ(g.units[1].x, 777);
    EXPECT_GT(g.innerLines.indexOf("marker"), 0);
}

TEST(GridDerived, InvalidateKeepsOnlyTheHexagons) {
    Grid g;
    buildGrid(g, {"X", "XA", "WPJ%100"});
    prepareGrid(g);
    ensureEdges(g);
    invalidateDerived(g);
    EXPECT_EQ(g.hexagons.count(), 2);
    EXPECT_EQ(g.cellNames.count(), 0);
    EXPECT_EQ(g.cellValues.count(), 0);
    EXPECT_EQ(g.cellCount, 0);
    EXPECT_FALSE(g.hasValues);
    EXPECT_TRUE(g.cells.empty());
    EXPECT_FALSE(g.basicComputed || g.cellsComputed || g.peersComputed || g.linesComputed || g.holesComputed);
    prepareGrid(g);  // rebuilt from the hexagons alone
    EXPECT_EQ(g.cellCount, 10);
}

TEST(GridDerived, TextLayoutRowsAndColumns) {
    Grid g;
    buildGrid(g, {"X"});
    // The origin hexagon: two strips of three triangles.
    EXPECT_EQ(g.textRows, 2);
    EXPECT_EQ(g.textColumns, 3);
    int16_t ab = cellIndexOf(g, ":AB"), af = cellIndexOf(g, ":AF");
    EXPECT_EQ(g.cells[ab].textRow, 1);
    EXPECT_EQ(g.cells[af].textRow, 2);
    EXPECT_EQ(g.cells[ab].textColumn, g.cells[af].textColumn);
    EXPECT_EQ(g.cells[ab].rowRank, g.cells[ab].textColumn);
    EXPECT_EQ(cellLabel(g, ab, " ", false).s, "L1 C" + numberText(g.cells[ab].textColumn));
    EXPECT_EQ(cellLabel(g, af, "", true).s, "L2-P" + numberText(g.cells[af].rowRank));
}

TEST(GridDescription, EntryGrammar) {
    DescriptionEntry e;
    ASSERT_TRUE(parseDescriptionEntry("awpj%100", e));
    EXPECT_TRUE(e.isCell && e.sideAB && !e.isHexagon);
    EXPECT_EQ(e.position.s, "A");
    EXPECT_EQ(e.value, 1);
    EXPECT_EQ(e.percent, 100);
    DescriptionEntry j;
    ASSERT_TRUE(parseDescriptionEntry("AWJJ%100", j));
    EXPECT_EQ(j.value, 1);
    EXPECT_EQ(j.percent, 100);

    ASSERT_TRUE(parseDescriptionEntry("  XAB", e));
    EXPECT_TRUE(e.isHexagon);
    EXPECT_FALSE(e.isCell);
    EXPECT_EQ(e.position.s, "AB");

    ASSERT_TRUE(parseDescriptionEntry("XCA:AF", e));  // both a hexagon at B and the cell B:AF
    EXPECT_TRUE(e.isHexagon && e.isCell && !e.sideAB);
    EXPECT_EQ(e.position.s, "B");
    EXPECT_EQ(entryCellName(e).s, "B:AF");

    ASSERT_TRUE(parseDescriptionEntry("BV", e));
    EXPECT_EQ(e.value, 0);
    ASSERT_TRUE(parseDescriptionEntry("BWZJ", e));  // value letter outside J..U
    EXPECT_TRUE(e.isCell);
    EXPECT_EQ(e.value, 0);
    ASSERT_TRUE(parseDescriptionEntry("BWU%-5", e));  // no mark before the percentage
    EXPECT_EQ(e.value, 6);
    EXPECT_EQ(e.percent, -5);
    ASSERT_TRUE(parseDescriptionEntry("BWUJ%99999999999999", e));
    EXPECT_EQ(e.percent, INT16_MAX);

    EXPECT_FALSE(parseDescriptionEntry("A", e));
    EXPECT_FALSE(parseDescriptionEntry("AG", e));
    EXPECT_FALSE(parseDescriptionEntry("", e));
    EXPECT_FALSE(parseDescriptionEntry("A9A9A9A9A9A9A9A9A9A9A9V", e));  // beyond the supported range
}

TEST(GridDescription, WrittenEntriesReadBackAlike) {
    const char* entries[] = {"XAB", "AWPJ%100", "XDV", "E:AB", "CWSK%120", "FVUJ"};
    const char* written[] = {"XAB", "AWPJ%100", "XD:AF", "E:AB", "CWSK%120", "FVUJ"};
    for (int k = 0; k < 6; ++k) {
        DescriptionEntry e, back;
        ASSERT_TRUE(parseDescriptionEntry(entries[k], e)) << entries[k];
        TextString w = writeDescriptionEntry(e);
        EXPECT_EQ(w.s, written[k]);
        ASSERT_TRUE(parseDescriptionEntry(w, back));
        EXPECT_EQ(back.value, e.value);
        EXPECT_EQ(back.position.s, e.position.s);
        EXPECT_EQ(back.isCell, e.isCell);
        EXPECT_EQ(back.isHexagon, e.isHexagon);
        EXPECT_EQ(back.sideAB, e.sideAB);
    }
}

TEST(GridDescription, LastValueForACellWinsAndNamesAreCanonical) {
    Grid g;
    buildGrid(g, {"x", "WPJ%80", "WRJ%95", "ac:ab", "bad entry", "XZ", "CA:AF"});
    EXPECT_EQ(g.cellValues.count(), 1);
    EXPECT_EQ(g.cellValues.getValue(":AB").s, "3,95");
    EXPECT_TRUE(g.hasValues);
    EXPECT_GT(cellIndexOf(g, "B:AB"), 0);  // "ac" reduces to B
    EXPECT_GT(cellIndexOf(g, "B:AF"), 0);
    EXPECT_EQ(cellIndexOf(g, "b:ab"), cellIndexOf(g, "B:AB"));
    EXPECT_EQ(cellIndexOf(g, "ca:ab"), cellIndexOf(g, "B:AB"));
    EXPECT_EQ(cellIndexOf(g, "nowhere"), 0);
    prepareGrid(g);
    EXPECT_EQ(g.cells[cellIndexOf(g, ":AB")].solution, 3);
    EXPECT_EQ(g.cells[cellIndexOf(g, ":AB")].level, 95);
}
