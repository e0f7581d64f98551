// Tests of the grid's geometry: hit radii, note positions, outlines, bounding box and sizing.
#include <gtest/gtest.h>

#include <string>

#include "tests/grid_fixtures.h"
#include "puzzle/preparation.h"

namespace {

PixelPoint centreOf(Grid& g, int16_t i) { return PixelPoint{g.cells[i].x, g.cells[i].y}; }

}  // namespace

TEST(GridGeometry, HitRadiiAtCellSize40) {
    Grid g;
    buildGrid(g, {"X", "XA"});
    prepareGrid(g);
    ASSERT_EQ(g.cellSize, 40);
    EXPECT_EQ(g.noteFan.radius, 13);
    int16_t ab = cellIndexOf(g, ":AB");
    PixelPoint c = centreOf(g, ab);
    EXPECT_EQ(c.x, 20);
    EXPECT_EQ(c.y, 11);
    // Cells: 20 pixels.
    EXPECT_EQ(cellAtPoint(g, c.x + 4, c.y - 6), ab);
    EXPECT_EQ(cellAtPoint(g, c.x, c.y + 20), ab);
    EXPECT_EQ(cellAtPoint(g, c.x, c.y + 21), 0);
    // Notes: 6 pixels around note 1.
    PixelPoint n1 = notePosition(g, ab, 1);
    EXPECT_EQ(noteAtPoint(g, ab, n1.x, n1.y), 1);
    EXPECT_EQ(noteAtPoint(g, ab, n1.x + 6, n1.y), 1);
    EXPECT_EQ(noteAtPoint(g, ab, n1.x, n1.y + 7), 0);
    // Complete hexagons: 6 pixels; partial hexagons (B and F here): 10 pixels.
    EXPECT_EQ(hexagonAtPoint(g, 3, 3), 1);
    EXPECT_EQ(hexagonAtPoint(g, 0, 7), 0);
    ASSERT_EQ(g.hexagonCount, 2);
    ASSERT_EQ(g.partialCount, 2);
    EXPECT_EQ(g.partialHexagons.str(1), "B");
    EXPECT_EQ(hexagonAtPoint(g, 20 + 10, 35), 3);
    EXPECT_EQ(hexagonAtPoint(g, 20 + 11, 35), 0);
    // Corner points: 6 pixels.
    int16_t corner = cornerAtPoint(g, 40 + 6, 0);
    ASSERT_GT(corner, 0);
    EXPECT_EQ(g.cornerPoints.str(corner), "A");
    EXPECT_EQ(cornerAtPoint(g, 40 + 4, 4), 0);
}

TEST(GridGeometry, PointBetweenTwoCentresHitsTheSmallerIndex) {
    Grid g;
    buildGrid(g, {"X"});
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB"), af = cellIndexOf(g, ":AF");
    ASSERT_LT(ab, af);
    EXPECT_EQ(cellAtPoint(g, 20, 0), ab);
}

TEST(GridGeometry, QueriesWorkBeforePositionsAreComputed) {
    Grid g;
    buildGrid(g, {"X"});
    int16_t ab = cellIndexOf(g, ":AB");
    EXPECT_EQ(cellAtPoint(g, 20, 11), ab);
    EXPECT_EQ(hexagonAtPoint(g, 0, 0), 1);
    PixelPoint before = notePosition(g, ab, 4);
    prepareGrid(g);
    PixelPoint after = notePosition(g, ab, 4);
    EXPECT_EQ(before.x, after.x);
    EXPECT_EQ(before.y, after.y);
}

TEST(GridGeometry, TriangleAndBlockNoteLayouts) {
    Grid g;
    buildGrid(g, {"X"});
    // Size 40: b = 35, k = 3, r / 8 = 5, b / 4 = 8.
    EXPECT_EQ(g.noteOffsets[kNotesAF][0].dx, -10);
    EXPECT_EQ(g.noteOffsets[kNotesAF][0].dy, 5);
    EXPECT_EQ(g.noteOffsets[kNotesAF][5].dy, -11);
    EXPECT_EQ(g.noteOffsets[kNotesAB][0].dy, 11);
    EXPECT_EQ(g.noteOffsets[kNotesAB][5].dx, 10);
    EXPECT_EQ(g.noteOffsets[kNotesAB][5].dy, -5);
    g.view = NoteLayout::Block;
    computeNoteOffsets(g);
    // r / 6 = 6, b / 8 = 4, the same for both orientations.
    for (int side : {kNotesAB, kNotesAF}) {
        EXPECT_EQ(g.noteOffsets[side][0].dx, -6);
        EXPECT_EQ(g.noteOffsets[side][0].dy, 4);
        EXPECT_EQ(g.noteOffsets[side][5].dx, 6);
        EXPECT_EQ(g.noteOffsets[side][5].dy, -4);
    }
    g.view = static_cast<NoteLayout>(3);  // other values keep the tables
    computeNoteOffsets(g);
    EXPECT_EQ(g.noteOffsets[kNotesAB][0].dx, -6);
}

TEST(GridGeometry, OutlineSmallHexagonAndBoundingBox) {
    Grid g;
    buildGrid(g, {"X"});
    prepareGrid(g);
    auto ab = cellOutline(g, cellIndexOf(g, ":AB"));
    EXPECT_EQ(ab[0].x, 0);
    EXPECT_EQ(ab[1].x, 40);
    EXPECT_EQ(ab[2].x, 20);
    EXPECT_EQ(ab[2].y, 35);
    EXPECT_EQ(ab[3].x, 0);
    auto af = cellOutline(g, cellIndexOf(g, ":AF"));
    EXPECT_EQ(af[2].y, -35);
    auto small = smallHexagon(g, 100, 50);
    EXPECT_EQ(small[0].x, 100 + g.noteFan.entries[0].dx);
    EXPECT_EQ(small[6].x, small[0].x);
    EXPECT_EQ(small[6].y, small[0].y);
    GridBox box = boundingBox(g);
    EXPECT_EQ(box.left, -20 - 40);
    EXPECT_EQ(box.right, 20 + 40);
    EXPECT_EQ(box.top, 24 + 40);  // C:AF, centred above the origin
    EXPECT_EQ(box.bottom, -24 - 40);
    EXPECT_EQ(cellOutline(g, 0)[1].x, 0);
    EXPECT_EQ(cellOutline(g, 99)[1].x, 0);
}

TEST(GridGeometry, ResizingRecomputesPositionsAndFans) {
    Grid g;
    buildGrid(g, {"X"});
    prepareGrid(g);
    setCellSize(g, 41);
    EXPECT_EQ(g.noteFan.radius, 14);
    EXPECT_FALSE(g.positionsComputed);
    setCellSize(g, 60);
    prepareGrid(g);
    int16_t ab = cellIndexOf(g, ":AB");
    EXPECT_EQ(g.cells[ab].x, 30);
    EXPECT_EQ(g.noteFan.radius, 20);
    setGridAngle(g, 60);
    prepareGrid(g);
    EXPECT_EQ(g.fan.entries[0].dx, 30);  // direction A now points where B did
    setCellSize(g, -5);
    EXPECT_GT(g.cellSize, 0);
}

TEST(GridGeometry, ResetStrengthsAndSlots) {
    Grid g;
    buildGrid(g, {"X", "WPJ%100"});
    setLevel(g, 2);
    setCaption(g, "2214-7");
    setGridAngle(g, 30);
    clearGrid(g);
    EXPECT_EQ(g.angle, 0);
    EXPECT_EQ(g.fan.entries[0].dy, 0);
    EXPECT_EQ(g.level, 6);
    EXPECT_EQ(g.requestedPercent, 100);
    EXPECT_EQ(g.caption.s, "");
    EXPECT_EQ(g.cellCount, 0);
    EXPECT_FALSE(g.basicComputed);
    EXPECT_EQ(g.cellSize, 40);
    EXPECT_EQ(g.eliminateInPeers, 1);
    EXPECT_EQ(cellValue(g, 1), 0);
    releaseGrid(g);
    EXPECT_EQ(g.hexagons.count(), 0);
    EXPECT_EQ(g.cellValues.count(), 0);
    // Creating again gives an empty record whatever it held.
    buildGrid(g, {"X", "WPJ%100"});
    g.DescriptionList.add("X");
    createGrid(g);
    EXPECT_EQ(g.hexagons.count(), 0);
    EXPECT_EQ(g.cellNames.count(), 0);
    EXPECT_EQ(g.DescriptionList.count(), 0);
    EXPECT_FALSE(g.hasValues);
    EXPECT_EQ(g.cellSize, 40);
    EXPECT_EQ(g.view, NoteLayout::Triangle);
}

TEST(GridGeometry, AGridUsedBeforeCreationStillHasSize40Geometry) {
    Grid raw;  // as a fresh board is before start-up creates it
    TextList entries;
    entries.add("X");
    setfromgrivecdef(raw, entries);
    GridBox before = boundingBox(raw);  // no cell array yet: from the names
    EXPECT_EQ(before.right, 20 + 40);
    prepareGrid(raw);
    int16_t ab = cellIndexOf(raw, ":AB");
    EXPECT_EQ(raw.cells[ab].x, 20);
    EXPECT_EQ(raw.cells[ab].y, 11);
    EXPECT_EQ(cellAtPoint(raw, 20, 11), ab);
}
