// Tests of the placement rule: candidate sets of touching cells, corner contact, peers and bad indices.
#include <gtest/gtest.h>

#include <string>

#include "tests/grid_fixtures.h"

namespace {

int16_t cell(const Grid& g, const char* name) {
    int16_t i = cellIndexOf(g, name);
    EXPECT_GT(i, 0) << name;
    return i;
}

}  // namespace

TEST(GridCandidates, NoValuesGiveEveryCellAllSix) {
    Grid g;
    buildGrid(g, {"X", "XA"});
    for (int16_t i = 1; i <= g.cellCount; ++i) EXPECT_EQ(g.cells[i].candidates, 63) << i;
}

TEST(GridCandidates, PeersAreTheTwelveCellsSharingACorner) {
    Grid g;
    // Three overlapping hexagons around the origin: the cell :AB has all twelve touching cells.
    buildGrid(g, {"X", "XA", "XB", "XC", "XD", "XE", "XF"});
    int16_t ab = cell(g, ":AB");
    int count = 0;
    for (int16_t p : g.peerTable[ab].peers) count += (p > 0);
    EXPECT_EQ(count, 12);
    // Sharing a side (:AF), sharing only a corner (A:AF at the corner A), and not touching (DD:AB).
    bool side = false, corner = false, far = false;
    for (int16_t p : g.peerTable[ab].peers) {
        if (p == cell(g, ":AF")) side = true;
        if (p == cell(g, "A:AF")) corner = true;
        if (p == cell(g, "DD:AB")) far = true;
    }
    EXPECT_TRUE(side);
    EXPECT_TRUE(corner);
    EXPECT_FALSE(far);
}

TEST(GridCandidates, AValueIsStruckFromSideAndCornerNeighboursOnly) {
    Grid g;
    buildGrid(g, {"X", "XA", "XB", "XC", "XD", "XE", "XF"});
    int16_t ab = cell(g, ":AB");
    setCellValue(g, ab, 4);
    recomputeCandidates(g);
    EXPECT_EQ(g.cells[ab].candidates, 8);
    EXPECT_FALSE(isCandidate(g, cell(g, ":AF"), 4));    // shares a side
    EXPECT_FALSE(isCandidate(g, cell(g, "A:AF"), 4));   // shares only the corner A
    EXPECT_FALSE(isCandidate(g, cell(g, "BC:AF"), 4));  // shares only the corner B (= C + A side)
    EXPECT_TRUE(isCandidate(g, cell(g, ":AF"), 3));
    EXPECT_FALSE(isCandidate(g, cell(g, "E:AB"), 4));   // shares only the origin
    EXPECT_TRUE(isCandidate(g, cell(g, "DD:AB"), 4));   // no common corner
}

TEST(GridCandidates, RecomputeDependsOnlyOnTheBoard) {
    Grid g;
    buildGrid(g, {"X", "XA", "XB"});
    setCellValue(g, 1, 2);
    setCellValue(g, 7, 5);
    recomputeCandidates(g);
    std::vector<int16_t> first;
    for (int16_t i = 1; i <= g.cellCount; ++i) first.push_back(g.cells[i].candidates);
    for (int16_t i = 1; i <= g.cellCount; ++i) g.cells[i].candidates = 0;
    recomputeCandidates(g);
    for (int16_t i = 1; i <= g.cellCount; ++i) EXPECT_EQ(g.cells[i].candidates, first[i - 1]) << i;
}

TEST(GridCandidates, TouchingCellsWithTheSameValueKeepThem) {
    Grid g;
    buildGrid(g, {"X"});
    int16_t a = cell(g, ":AB"), b = cell(g, ":AF");
    setCellValue(g, a, 3);
    setCellValue(g, b, 3);
    recomputeCandidates(g);
    EXPECT_EQ(cellValue(g, a), 3);
    EXPECT_EQ(cellValue(g, b), 3);
    EXPECT_EQ(g.cells[a].candidates, 4);
    EXPECT_EQ(g.cells[b].candidates, 4);
}

TEST(GridCandidates, EliminateReportsChangesOnlyOnEmptyCells) {
    Grid g;
    buildGrid(g, {"X"});
    EXPECT_TRUE(eliminateCandidate(g, 2, 6));
    EXPECT_FALSE(eliminateCandidate(g, 2, 6));
    EXPECT_EQ(g.cells[2].candidates, 31);
    setCellValue(g, 3, 1);
    EXPECT_FALSE(eliminateCandidate(g, 3, 2));
    // A value outside 1..6 strikes nothing (its complement would be the empty set).
    EXPECT_FALSE(eliminateCandidate(g, 2, 0));
    EXPECT_FALSE(eliminateCandidate(g, 2, 7));
    EXPECT_EQ(g.cells[2].candidates, 31);
}

TEST(GridCandidates, PlaceAndPropagateReportsWhatChanged) {
    Grid g;
    buildGrid(g, {"X"});
    EXPECT_TRUE(placeAndPropagate(g, 1, 2));
    EXPECT_EQ(cellValue(g, 1), 2);
    EXPECT_EQ(g.cells[1].candidates, 2);
    // Same value again, peers already struck: nothing changed.
    EXPECT_FALSE(placeAndPropagate(g, 1, 2));
    for (int16_t i = 2; i <= 6; ++i) EXPECT_FALSE(isCandidate(g, i, 2)) << i;
}

TEST(GridCandidates, IndexZeroAndPastTheEndAreSkipped) {
    Grid g;
    buildGrid(g, {"X"});
    const int16_t bad[] = {0, -1, 7, 200, INT16_MAX, INT16_MIN};
    for (int16_t i : bad) {
        EXPECT_FALSE(isCandidate(g, i, 1));
        EXPECT_FALSE(eliminateCandidate(g, i, 1));
        EXPECT_FALSE(eliminateFromNeighbours(g, i, 1));
        EXPECT_FALSE(placeAndPropagate(g, i, 1));
        EXPECT_FALSE(setCellValue(g, i, 1));
        toggleNote(g, i, 1);
        setCellNotes(g, i, 63);
        clearCellNotes(g, i);
        EXPECT_EQ(cellValue(g, i), 0);
        EXPECT_EQ(cellNotes(g, i), 0);
        EXPECT_FALSE(isCellFixed(g, i));
        EXPECT_EQ(cellLabel(g, i, " ", false).s, "");
    }
    EXPECT_EQ(g.cells[0].value, 0);
    EXPECT_EQ(g.cells[0].notes, 0);
}

TEST(GridCandidates, RecomputeWithoutCellsOrPeersDoesNothingHarmful) {
    Grid g;
    createGrid(g);
    recomputeCandidates(g);
    EXPECT_EQ(g.cells.size(), 0u);
    buildGrid(g, {});
    recomputeCandidates(g);
    EXPECT_EQ(g.cellCount, 0);
    EXPECT_EQ(g.cells.size(), 1u);
}
