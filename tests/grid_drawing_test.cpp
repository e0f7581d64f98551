// What the grid drawing puts where: extents, font sizes, pens, digits, pencil marks, lines, marks and arrows.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "content/collection.h"
#include "grid_fixtures.h"
#include "puzzle/preparation.h"
#include "render/grid_drawing.h"

namespace {

// A surface of 254 pixels per inch: one pixel is a tenth of a millimetre.
DrawSurface tenthMillimetreSurface() {
    DrawSurface s;
    construct(s);
    bindMeasured(s, nullptr, 2000, 2000, 254, 254, "ecran");
    return s;
}

TEST(GridDrawingSizes, ExtentsAreTheBoundingBoxInMillimetres) {
    Grid g;
    loadBuiltInGrid(g, "2330-1");
    setCellSize(g, 40);
    prepareGrid(g);
    const GridBox box = boundingBox(g);
    ASSERT_LT(box.left, 0);
    ASSERT_LT(box.bottom, 0);
    DrawSurface s = tenthMillimetreSurface();
    const GridExtents e = measureExtents(g, s);
    // Truncated toward zero, lengths from the lattice origin (not from the surface origin).
    EXPECT_EQ(e.left, box.left / 10);
    EXPECT_EQ(e.right, box.right / 10);
    EXPECT_EQ(e.down, box.bottom / 10);
    EXPECT_EQ(e.up, box.top / 10);
    // Twice the scale, twice the extent (within the truncation).
    setCellSize(g, 70);
    prepareGrid(g);
    const GridExtents big = measureExtents(g, s);
    EXPECT_GT(big.right, e.right);
    EXPECT_LT(big.left, e.left);
    EXPECT_EQ(big.right, boundingBox(g).right / 10);
}

TEST(GridDrawingSizes, FontsAndPensPerScale) {
    struct Case {
        int16_t scale, digit, digitWidth, candidate, candidateWidth, shift, outer;
    };
    const Case cases[] = {
        {40, 22, 11, 10, 5, 5, 4},
        {50, 27, 13, 12, 6, 6, 5},
        {60, 33, 16, 15, 7, 8, 6},
        {70, 38, 19, 17, 8, 9, 6},
    };
    for (const Case& c : cases) {
        const GridView view = gridViewAt(c.scale);
        EXPECT_EQ(view.sizePx, c.scale);
        EXPECT_EQ(view.digitHeight, c.digit) << c.scale;
        EXPECT_EQ(digitFontFor(view).width, c.digitWidth) << c.scale;
        const CandidateFont f = candidateFontFor(c.scale);
        EXPECT_EQ(f.height, c.candidate) << c.scale;
        EXPECT_EQ(f.width, c.candidateWidth) << c.scale;
        EXPECT_EQ(f.shift, c.shift) << c.scale;
        EXPECT_EQ(outerBoundaryWidth(view), c.outer) << c.scale;
        EXPECT_EQ(penUnit(view), 1) << c.scale;
    }
    // Cells of any size (a scale at another resolution) shift their notes in proportion, an eighth of the cell.
    for (int16_t size = 30; size <= 210; ++size) EXPECT_LE(std::abs(candidateFontFor(size).shift - size / 8.0), 0.5) << size;
    // The links' pens and dots grow with the resolution, and stay as they were at 96 dpi.
    EXPECT_EQ(linkPen(gridViewAt(40)), 1);
    EXPECT_EQ(linkDotRadius(gridViewAt(40)), 4);
    EXPECT_EQ(linkPen(gridViewAt(60, 144)), 2);
    EXPECT_EQ(linkDotRadius(gridViewAt(60, 144)), 6);
    EXPECT_EQ(linkDotRadius(gridViewAt(80, 192)), 8);
    DrawSurface s = tenthMillimetreSurface();
    for (int16_t dpi : {96, 300, 600, 120}) {
        setResolution(s, dpi, dpi);
        EXPECT_EQ(centreDotRadius(s), std::lround(dpi / 60.0)) << dpi;
    }
    setResolution(s, 96, 96);
    EXPECT_EQ(centreDotRadius(s), 2);
}

TEST(GridDrawingCells, DigitsAndPencilMarksExcludeEachOther) {
    Grid g;
    buildGrid(g, {"X", "XA", "WPJ%100"});
    setCellSize(g, 40);
    setView(g, NoteLayout::Triangle);
    prepareGrid(g);
    ASSERT_GE(g.cellCount, 3);
    const int16_t given = cellIndexOf(g, ":AB");
    ASSERT_TRUE(isCellFixed(g, given));
    const int16_t player = given == 1 ? 2 : 1;
    const int16_t empty = player == 2 ? 3 : 2;
    setCellValue(g, player, 4);
    setCellNotes(g, player, 0b001001);

    const DigitMark givenMark = digitMarkOf(g, given);
    EXPECT_EQ(givenMark.character, '0' + cellValue(g, given));
    EXPECT_EQ(givenMark.colour, palette.givenInk);
    const DigitMark playerMark = digitMarkOf(g, player);
    EXPECT_EQ(playerMark.character, '4');
    EXPECT_EQ(playerMark.colour, palette.playerInk);
    EXPECT_EQ(digitMarkOf(g, empty).character, 0);
    EXPECT_EQ(digitMarkOf(g, 0).character, 0);
    EXPECT_EQ(digitMarkOf(g, g.cellCount + 1).character, 0);

    CandidateMark marks[6];
    // A cell with a digit shows no marks, even with notes left in it.
    EXPECT_EQ(candidateMarksOf(g, player, 40, marks), 0);
    // An empty pencil mask shows nothing.
    setCellNotes(g, empty, 0);
    EXPECT_EQ(candidateMarksOf(g, empty, 40, marks), 0);
    // Notes 1 and 4: in digit order, at the note position raised by the shift.
    setCellNotes(g, empty, 0b001001);
    ASSERT_EQ(candidateMarksOf(g, empty, 40, marks), 2);
    EXPECT_EQ(marks[0].character, '1');
    EXPECT_EQ(marks[1].character, '4');
    EXPECT_EQ(marks[0].x, notePosition(g, empty, 1).x);
    EXPECT_EQ(marks[0].y, notePosition(g, empty, 1).y + 5);
    EXPECT_EQ(marks[1].y, notePosition(g, empty, 4).y + 5);
    ASSERT_EQ(candidateMarksOf(g, empty, 70, marks), 2);
    EXPECT_EQ(marks[1].y, notePosition(g, empty, 4).y + 9);
    // All six, within the triangle's reach of the centre.
    setCellNotes(g, empty, kAllDigits);
    ASSERT_EQ(candidateMarksOf(g, empty, 40, marks), 6);
    const PixelPoint c = cellCentre(g, empty);
    for (const CandidateMark& m : marks) {
        EXPECT_LT(std::abs(m.x - c.x), g.cellSize / 2);
        EXPECT_LT(std::abs(m.y - c.y), g.cellSize / 2);
    }
}

TEST(GridDrawingLines, CellCodesEdgesAndMarkedHexagons) {
    Grid g;
    buildGrid(g, {"X", "XA", "XB"});
    setCellSize(g, 40);
    prepareGrid(g);
    // A cell code's triangle is the outline of the cell of that name.
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const auto byName = cellNameOutline(g, g.cellNames.str(i));
        const auto byIndex = cellOutline(g, i);
        for (int k = 0; k < 4; ++k) {
            EXPECT_EQ(byName[k].x, byIndex[k].x) << g.cellNames.str(i);
            EXPECT_EQ(byName[k].y, byIndex[k].y) << g.cellNames.str(i);
        }
    }
    // A non-canonical name denotes the same triangle: ":BC" is C:AF.
    const auto odd = cellNameOutline(g, ":BC");
    const auto canonical = cellNameOutline(g, "C:AF");
    EXPECT_EQ(odd[1].x, canonical[1].x);
    EXPECT_EQ(odd[2].y, canonical[2].y);

    // An edge line runs from its point to the point plus its steps.
    const LineEnds e = edgeLineEnds(g, "B:AAA");
    EXPECT_EQ(e.from.x, pointPosition(g, "B").x);
    EXPECT_EQ(e.to.x - e.from.x, 3 * g.cellSize);
    EXPECT_EQ(e.to.y, e.from.y);
    ensureOutlines(g);
    ASSERT_GT(g.outerLines.count(), 0);
    int outerLength = 0;
    for (int k = 1; k <= g.outerLines.count(); ++k) {
        const LineEnds l = edgeLineEnds(g, g.outerLines.str(k));
        outerLength += std::abs(l.to.x - l.from.x) + std::abs(l.to.y - l.from.y);
        EXPECT_FALSE(l.from.x == l.to.x && l.from.y == l.to.y) << g.outerLines.str(k);
    }
    EXPECT_GT(outerLength, 6 * g.cellSize);

    // Marked hexagons: positions in cornerPoints, none outside.
    PixelPoint p{1, 1};
    EXPECT_FALSE(markHexagonPoint(g, 0, p));
    EXPECT_FALSE(markHexagonPoint(g, -3, p));
    EXPECT_FALSE(markHexagonPoint(g, static_cast<int16_t>(g.cornerPoints.count() + 1), p));
    EXPECT_EQ(p.x, 1);
    const int16_t last = static_cast<int16_t>(g.cornerPoints.count());
    ASSERT_TRUE(markHexagonPoint(g, last, p));
    EXPECT_EQ(p.x, pointPosition(g, g.cornerPoints.str(last)).x);
    EXPECT_EQ(p.y, pointPosition(g, g.cornerPoints.str(last)).y);
    // The clicked corner comes back as the same mark.
    EXPECT_EQ(cornerAtPoint(g, p.x, p.y), last);
}

TEST(GridDrawingArrows, PairsAndWindowToSurfacePoints) {
    ForegroundView view;
    ArrowPaint paints[kArrowCount];
    arrowPaintsOf(view, paints);
    for (const ArrowPaint& a : paints) EXPECT_FALSE(a.drawn);
    view.arrows[ArrowLeft].shown = 1;
    arrowPaintsOf(view, paints);
    EXPECT_TRUE(paints[ArrowRight].drawn);
    EXPECT_TRUE(paints[ArrowLeft].drawn);
    EXPECT_FALSE(paints[ArrowTop].drawn);
    EXPECT_FALSE(paints[ArrowBottom].drawn);
    EXPECT_EQ(paints[ArrowLeft].colour, kActiveArrowColour);
    EXPECT_EQ(paints[ArrowRight].colour, palette.arrow);
    view.arrows[ArrowBottom].shown = 1;
    view.arrows[ArrowTop].shown = 1;
    arrowPaintsOf(view, paints);
    EXPECT_EQ(paints[ArrowTop].colour, kActiveArrowColour);
    EXPECT_EQ(paints[ArrowBottom].colour, kActiveArrowColour);

    DrawSurface s;
    construct(s);
    s.refX = 100;
    s.refY = 50;
    ScrollArrow arrow;
    arrow.triangle[0][0] = 110;
    arrow.triangle[0][1] = 40;
    arrow.triangle[1][0] = 90;
    arrow.triangle[1][1] = 60;
    const auto points = arrowPolygon(arrow, s);
    // Relative points land back on the client pixels: (refX + x, refY - y).
    EXPECT_EQ(deviceX(s, points[0].x), 110);
    EXPECT_EQ(deviceY(s, points[0].y), 40);
    EXPECT_EQ(deviceY(s, points[1].y), 60);
    EXPECT_EQ(points[3].x, points[0].x);
    EXPECT_EQ(points[3].y, points[0].y);
}

}  // namespace
