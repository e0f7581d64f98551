// Drawing surface arithmetic and text offsets: sizes, device names, saved positions, rotation, text placement.
#include <gtest/gtest.h>

#include <cmath>

#include "render/draw_surface.h"
#include "render/text_font.h"

namespace {

DrawSurface boundSurface(int16_t w, int16_t h, int16_t dpi, const char* name) {
    DrawSurface s;
    construct(s);
    bindMeasured(s, nullptr, w, h, dpi, dpi, name);
    return s;
}

TEST(DrawSurfaceSizes, ResolutionZeroKeepsTheMillimetreFields) {
    DrawSurface s = boundSurface(254, 508, 254, "ecran");
    EXPECT_EQ(s.pageWidthMm, 25);
    EXPECT_EQ(s.pageHeightMm, 50);
    setResolution(s, 0, 0);
    setPageSizePx(s, 1000, 1000);
    setDrawAreaPx(s, 900, 900);
    // Nothing is recomputed while the resolution is unknown: no division by zero, old fields kept.
    EXPECT_EQ(s.pageWidthMm, 25);
    EXPECT_EQ(s.pageHeightMm, 50);
    EXPECT_EQ(s.mapWidthMm, 25);
    EXPECT_EQ(s.printHeightMm, 50);
    EXPECT_EQ(pxToMmX(s, 100), 0.0);
    setResolution(s, 254, 254);
    EXPECT_EQ(s.pageWidthMm, 100);
    EXPECT_EQ(s.mapWidthMm, 90);
}

TEST(DrawSurfaceSizes, DrawAreaLargerThanThePageIsClampedInBothAreas) {
    DrawSurface s = boundSurface(400, 300, 96, "ecran");
    setDrawAreaPx(s, 500, 1000);
    EXPECT_EQ(s.printWidthPx, 400);
    EXPECT_EQ(s.printHeightPx, 300);
    EXPECT_EQ(s.mapWidthPx, 400);
    EXPECT_EQ(s.mapHeightPx, 300);
    EXPECT_EQ(s.mapWidthMm, s.pageWidthMm);
    // A smaller area stays as given.
    setDrawAreaPx(s, 200, 100);
    EXPECT_EQ(s.mapWidthPx, 200);
    EXPECT_EQ(s.printHeightPx, 100);
    // A page shrunk under the area clamps it too.
    setPageSizePx(s, 150, 80);
    EXPECT_EQ(s.mapWidthPx, 150);
    EXPECT_EQ(s.mapHeightPx, 80);
}

TEST(DrawSurfaceSizes, PdfDeviceByNameInAnyCaseAnywhere) {
    for (const char* name : {"pdfcreator", "PDFCreator", "My PdFcReAtOr printer", "xxPDFCREATOR"}) {
        DrawSurface s = boundSurface(200, 1000, 300, name);
        EXPECT_TRUE(s.isPdfDevice) << name;
        EXPECT_TRUE(s.isNamedDevice);
        // The origin's y is measured from the bottom of the page.
        EXPECT_EQ(s.originY, 1000 - 1000 / 2);
        setDrawAreaPx(s, 200, 400);
        centreOrigin(s);
        EXPECT_EQ(s.originY, 1000 - 200) << name;
    }
    for (const char* name : {"ecran", "pdf creator", "pdfcreato", ""}) {
        DrawSurface s = boundSurface(200, 1000, 300, name);
        EXPECT_FALSE(s.isPdfDevice) << name;
        setDrawAreaPx(s, 200, 400);
        centreOrigin(s);
        EXPECT_EQ(s.originY, 200) << name;
    }
}

TEST(DrawSurfaceSizes, ConversionsTruncateAndFollowTheOrigin) {
    DrawSurface s = boundSurface(800, 600, 96, "ecran");
    EXPECT_EQ(s.originX, 400);
    EXPECT_EQ(s.originY, 300);
    EXPECT_EQ(mmToPxX(s, 1.0), 3);    // 3.78 truncated
    EXPECT_EQ(mmToPxY(s, -1.0), -3);  // toward zero
    moveToMm(s, 10, 10);
    EXPECT_EQ(s.refX, 400 + 37);
    EXPECT_EQ(s.refY, 300 - 37);
    EXPECT_EQ(deviceXToMm(s, 400 + 38), 10);
    EXPECT_EQ(deviceYToMm(s, 300 - 38), 10);
    // Whole units: a hair under a whole number is that number, anything further is truncated toward zero.
    EXPECT_EQ(wholeUnits(5.9999999999999), 6);
    EXPECT_EQ(wholeUnits(-5.9999999999999), -6);
    EXPECT_EQ(wholeUnits(5.99), 5);
    EXPECT_EQ(wholeUnits(-5.99), -5);
    EXPECT_EQ(wholeUnits(65536.0 + 3), 3);
    EXPECT_EQ(wholeUnits(40000), -25536);
    EXPECT_EQ(wholeUnits(std::nan("")), 0);
}

TEST(DrawSurfacePositions, PushTwicePopTwiceRestoresInReverseWithNegatives) {
    DrawSurface s;
    construct(s);
    s.refX = -12;
    s.refY = 345;
    pushPosition(s);
    s.refX = 7;
    s.refY = -32000;
    pushPosition(s);
    s.refX = 1;
    s.refY = 1;
    popPosition(s);
    EXPECT_EQ(s.refX, 7);
    EXPECT_EQ(s.refY, -32000);
    popPosition(s);
    EXPECT_EQ(s.refX, -12);
    EXPECT_EQ(s.refY, 345);
    // An empty stack leaves the point where it is.
    s.refX = 99;
    popPosition(s);
    EXPECT_EQ(s.refX, 99);
    EXPECT_EQ(s.refY, 345);
    EXPECT_TRUE(s.positionStack.isEmpty());
}

TEST(DrawSurfaceRotation, QuarterTurnsAreExactAndOthersTruncate) {
    struct Case {
        double angle;
        int16_t x, y, ex, ey;
    };
    const Case cases[] = {
        {0, 3, 1, 3, 1},      {90, 3, 1, -1, 3},    {180, 3, 1, -3, -1}, {270, 3, 1, 1, -3},
        {360, 3, 1, 3, 1},    {-90, 3, 1, 1, -3},   {450, 3, 1, -1, 3},
        {89.8, 3, 1, -1, 3},  // 89.8 + 0.25 truncates to 90: exact
        {-89.8, 3, 1, 1, -3}, {-450, 3, 1, 1, -3},
        {45, 10, 0, 7, 7}, {135, 10, 0, -7, 7},
    };
    for (const Case& c : cases) {
        int16_t x = c.x, y = c.y;
        rotatePoint(c.angle, x, y);
        EXPECT_EQ(x, c.ex) << c.angle;
        EXPECT_EQ(y, c.ey) << c.angle;
    }
}

TEST(TextFontOffsets, CentredUprightTextHasItsTopHalfAHeightAbove) {
    TextFontState f;
    setFontShape(f, 20, 10, 0, false, 200, "Arial");
    EXPECT_EQ(f.offset.x, 0);
    EXPECT_EQ(f.offset.y, 10);
    TextPoint p = textWritePoint(f, 100, 50);
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, 40);  // the top of a 20-pixel text 10 above the point
    EXPECT_EQ(f.face.s, "Arial");
    // Odd heights: the half is truncated.
    EXPECT_EQ(textOffsetFor(21, 0).y, 10);
}

TEST(TextFontOffsets, SlantedAndTurnedFonts) {
    // A quarter turn keeps the half height, turned: (-y sin 90, y cos 90).
    TextOffset quarter = textOffsetFor(20, 900);
    EXPECT_EQ(quarter.x, -10);
    EXPECT_EQ(quarter.y, 0);
    // 45 degrees: y = 1.2 x 10 = 12, then (-12 sin 45, 12 cos 45) truncated.
    TextOffset slanted = textOffsetFor(20, 450);
    EXPECT_EQ(slanted.x, -8);
    EXPECT_EQ(slanted.y, 8);
    // A negative escapement is not turned but still slanted.
    TextOffset negative = textOffsetFor(20, -450);
    EXPECT_EQ(negative.x, 0);
    EXPECT_EQ(negative.y, 12);
    TextOffset half = textOffsetFor(20, 1800);
    EXPECT_EQ(half.x, 0);
    EXPECT_EQ(half.y, -10);
}

}  // namespace
