// Tests of the per-cell state string: writing, reading, validity and the moves it gives the preparation.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/collection.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"
#include "tests/grid_fixtures.h"

namespace {

// Seven cells without hexagons: the layout of the KE11H example.
void sevenCells(Grid& g) {
    buildGrid(g, {":AB", ":AF", "A:AB", "A:AF", "B:AB", "B:AF", "AB:AB"});
    ASSERT_EQ(g.cellCount, 7);
}

}  // namespace

class GridStateString : public ::testing::Test {
protected:
    TextList moves;
};

TEST_F(GridStateString, WritesTheKE11HExample) {
    Grid g;
    sevenCells(g);
    setCellValue(g, 4, 5);
    toggleNote(g, 5, 1);
    toggleNote(g, 5, 4);
    EXPECT_EQ(writeStateString(g).s, "KE11H");
}

TEST_F(GridStateString, ReadsKE11HBackExactly) {
    Grid g;
    sevenCells(g);
    setCellNotes(g, 1, 7);  // overwritten by the text
    EXPECT_TRUE(readStateString(g, "ke11h", moves));
    for (int16_t i : {1, 2, 3, 6, 7}) {
        EXPECT_EQ(cellValue(g, i), 0) << i;
        EXPECT_EQ(cellNotes(g, i), 0) << i;
    }
    EXPECT_EQ(cellValue(g, 4), 5);
    EXPECT_EQ(cellNotes(g, 5), 1 + 8);
    EXPECT_EQ(writeStateString(g).s, "KE11H");
    ASSERT_EQ(moves.count(), 2);
    EXPECT_EQ(moves.str(1), "v,4,5");
    EXPECT_EQ(moves.str(2), "p,5,9");
}

TEST_F(GridStateString, OneTokenTooManyIsInvalidAndClearsEverything) {
    Grid g;
    sevenCells(g);
    setCellValue(g, 2, 3);
    EXPECT_FALSE(readStateString(g, "KE11HG", moves));
    for (int16_t i = 1; i <= 7; ++i) {
        EXPECT_EQ(cellValue(g, i), 0) << i;
        EXPECT_EQ(cellNotes(g, i), 0) << i;
    }
    // Nothing of the broken text may come back at the preparation.
    EXPECT_TRUE(moves.isEmpty());
    prepareGrid(g, moves);
    EXPECT_EQ(cellValue(g, 4), 0);
}

TEST_F(GridStateString, CorruptTextsAreInvalidAndStayInsideTheCells) {
    Grid g;
    sevenCells(g);
    const char* bad[] = {"", "KE1", "GGG8GGG", "GGG9GGG", "GG,GGGG", "KE1AH", "KKKKKKKKKKKKKKKKKKKK"};
    for (const char* text : bad) {
        setCellValue(g, 3, 2);
        moves.add("v,3,2");
        EXPECT_FALSE(readStateString(g, text, moves)) << text;
        EXPECT_EQ(cellValue(g, 3), 0) << text;
        EXPECT_TRUE(moves.isEmpty()) << text;
    }
}

TEST_F(GridStateString, AFixedCellGivenAnotherDigitIsInvalid) {
    Grid g;
    buildGrid(g, {"X", "WPJ%100"});  // the origin hexagon; cell :AB holds 1 from level 100
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB");
    ASSERT_GT(ab, 0);
    ASSERT_TRUE(isCellFixed(g, ab));
    std::string state = writeStateString(g).s;
    EXPECT_TRUE(readStateString(g, state, moves));
    EXPECT_EQ(cellValue(g, ab), 1);

    ASSERT_EQ(ab, 1);
    ASSERT_EQ(state, "AKH");
    std::string other = "B" + state.substr(1);
    EXPECT_FALSE(readStateString(g, other, moves));
    EXPECT_EQ(cellValue(g, ab), 1);  // the given stays
    EXPECT_TRUE(isCellFixed(g, ab));
}

TEST_F(GridStateString, AnEmptyTokenDoesNotRemoveAGiven) {
    Grid g;
    buildGrid(g, {"X", "WPJ%100"});
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB");
    EXPECT_TRUE(readStateString(g, "GGGGGG", moves));
    EXPECT_EQ(cellValue(g, ab), 1);
}

TEST_F(GridStateString, RestoredValueSurvivesALevelChange) {
    Grid g;
    // Seven hexagons (packing 0): :AB is a given from level 4 (90) down, the player's above.
    createGrid(g);
    TextList entries;
    for (const char* e : {"X", "XA", "XB", "XC", "XD", "XE", "XF", "WPJ%90"}) entries.add(e);
    setfromgrivecdef(g, entries);
    setLevel(g, 5);
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB");
    ASSERT_FALSE(isCellFixed(g, ab));
    setCellValue(g, ab, 1);
    std::string state = writeStateString(g).s;
    setCellValue(g, ab, 0);

    EXPECT_TRUE(readStateString(g, state, moves));
    setLevel(g, 6);
    prepareGrid(g, moves);  // refreshGivens empties every cell, then the state's move puts the value back
    EXPECT_EQ(g.appliedPercent, 100);
    EXPECT_FALSE(isCellFixed(g, ab));
    EXPECT_EQ(cellValue(g, ab), 1);

    // A freshly built grid restores the same way.
    Grid h;
    createGrid(h);
    setfromgrivecdef(h, entries);
    setLevel(h, 6);
    ensureCells(h);
    EXPECT_TRUE(readStateString(h, state, moves));
    prepareGrid(h, moves);
    EXPECT_EQ(cellValue(h, ab), 1);
    // At level 4 the cell is a given: the saved value is left to it.
    setLevel(h, 4);
    EXPECT_TRUE(readStateString(h, state, moves));
    prepareGrid(h, moves);
    EXPECT_TRUE(isCellFixed(h, ab));
    EXPECT_EQ(cellValue(h, ab), 1);
}

TEST_F(GridStateString, AMovedValueForAFixedCellKeepsTheGiven) {
    Grid g;
    buildGrid(g, {"X", "WPJ%100"});
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB");
    moves.add("v," + numberText(ab) + ",4");
    moves.add("P,2,5");
    moves.add("zz,1,1");
    moves.add("v,0,3");
    moves.add("v,999,3");
    replayMoves(g, moves);
    EXPECT_EQ(cellValue(g, ab), 1);
    EXPECT_EQ(g.cells[2].candidates, 5);
}

TEST_F(GridStateString, RoundTripOfEveryNoteMaskAndRunLength) {
    Grid g;
    buildGrid(g, {"X", "XA", "XAA", "XB"});
    const int16_t n = g.cellCount;
    for (int16_t i = 1; i <= n; ++i) {
        if (i % 5 == 0) setCellValue(g, i, static_cast<int16_t>(1 + i % 6));
        else if (i % 3 == 0) setCellNotes(g, i, static_cast<int16_t>(i * 7 % 64));
    }
    std::string text = writeStateString(g).s;
    Grid h;
    buildGrid(h, {"X", "XA", "XAA", "XB"});
    EXPECT_TRUE(readStateString(h, text, moves));
    for (int16_t i = 1; i <= n; ++i) {
        EXPECT_EQ(cellValue(h, i), cellValue(g, i)) << i;
        EXPECT_EQ(cellNotes(h, i), cellNotes(g, i)) << i;
    }
    EXPECT_EQ(writeStateString(h).s, text);
}

TEST_F(GridStateString, GridWithoutCells) {
    Grid g;
    buildGrid(g, {});
    EXPECT_EQ(writeStateString(g).s, "");
    EXPECT_TRUE(readStateString(g, "", moves));
    EXPECT_FALSE(readStateString(g, "G", moves));
    EXPECT_FALSE(isGridFull(g));
}

namespace {

// What a player sees of a board: every cell's digit, whether it is a given, and its notes.
struct Board {
    std::vector<int16_t> values, notes;
    std::vector<uint8_t> fixed;
    bool operator==(const Board&) const = default;
};

Board boardOf(const Grid& g) {
    Board b;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        b.values.push_back(cellValue(g, i));
        b.notes.push_back(cellNotes(g, i));
        b.fixed.push_back(isCellFixed(g, i) ? 1 : 0);
    }
    return b;
}

/*
 * The steps the game takes to restore a saved state into a loaded grid: back
 * to the fixed numbers, the state read into moves, then the preparation that
 * lays the moves over the givens of the level.
 */
bool restore(Grid& g, const std::string& state) {
    clearEnteredValues(g);
    clearAllNotes(g);
    TextList moves;
    const bool valid = readStateString(g, state, moves);
    recomputeCandidates(g);
    prepareGrid(g, moves);
    return valid;
}

bool prepared(const Grid& g) {
    return g.cellsComputed && g.unitsComputed && g.positionsComputed && g.cornersComputed && g.linesComputed &&
           g.holesComputed;
}

}  // namespace

/*
 * Every built-in grid: a board saved in play comes back whole and prepared,
 * whether its cells are built afresh (a start) or kept (the same code loaded
 * again, as on the return from the rules), and after a resize; a broken state
 * leaves the givens alone. On a freshly built grid the givens are put in by
 * the preparation after the state is read, so a state that names another
 * digit on a given's cell is taken, and the given shows over it.
 */
TEST(GridStateRestore, EveryBuiltInGridComesBackAsItWasSaved) {
    for (int16_t k = 1; k <= builtInGridTotal(); ++k) {
        const std::string code = builtInGridAt(k)->code;
        SCOPED_TRACE(code);
        Grid g;
        loadBuiltInGrid(g, code);
        prepareGrid(g);
        int16_t firstGiven = 0, played = 0;
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            if (isCellFixed(g, i)) {
                if (!firstGiven) firstGiven = i;
            } else if (i % 3 == 0) {
                setCellValue(g, i, g.cells[i].solution);
                ++played;
            } else if (i % 4 == 1) {
                setCellNotes(g, i, static_cast<int16_t>(1 + i % 63));
            }
        }
        ASSERT_GT(firstGiven, 0);
        ASSERT_GT(played, 0);
        const Board saved = boardOf(g);
        const std::string state = writeStateString(g).s;
        const int16_t given = cellValue(g, firstGiven);
        setCellValue(g, firstGiven, static_cast<int16_t>(given == 1 ? 2 : 1));
        const std::string otherDigit = writeStateString(g).s;
        setCellValue(g, firstGiven, given);

        for (bool fresh : {true, false}) {
            if (fresh) g = Grid();
            loadBuiltInGrid(g, code);
            EXPECT_TRUE(restore(g, state)) << (fresh ? "fresh" : "kept");
            EXPECT_TRUE(prepared(g));
            EXPECT_TRUE(boardOf(g) == saved) << (fresh ? "fresh" : "kept");
            EXPECT_EQ(writeStateString(g).s, state);
            setCellSize(g, 70);
            prepareGrid(g);
            EXPECT_TRUE(boardOf(g) == saved) << "after a resize";
            EXPECT_EQ(cellAtPoint(g, g.cells[1].x, g.cells[1].y), 1);
        }

        loadBuiltInGrid(g, code);
        EXPECT_FALSE(restore(g, state + "G"));
        const Board broken = boardOf(g);
        for (size_t c = 0; c < saved.values.size(); ++c) {
            EXPECT_EQ(broken.values[c], saved.fixed[c] ? saved.values[c] : 0) << c + 1;
            EXPECT_EQ(broken.notes[c], 0) << c + 1;
            EXPECT_EQ(broken.fixed[c], saved.fixed[c]) << c + 1;
        }

        g = Grid();
        loadBuiltInGrid(g, code);
        EXPECT_TRUE(restore(g, otherDigit));
        EXPECT_TRUE(boardOf(g) == saved);
    }
}
