// Tests of the cursor bit planes: sizes, hot spots, shapes present and told apart.
#include <gtest/gtest.h>

#include <cstring>

#include "app/cursors.h"

namespace {

const int16_t kDrawn[] = {0, 1, 2, 3, 4, 5, 6, 9, 10};

int countPixels(const CursorPlanes& p, CursorPixel kind) {
    int n = 0;
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x)
            if (cursorPixel(p, x, y) == kind) ++n;
    return n;
}

bool samePlanes(const CursorPlanes& a, const CursorPlanes& b) {
    return std::memcmp(a.andPlane, b.andPlane, kCursorPlaneBytes) == 0 &&
           std::memcmp(a.xorPlane, b.xorPlane, kCursorPlaneBytes) == 0;
}

}  // namespace

TEST(CursorPlanes, HotSpotsOnTheShapeAndEveryShapeRimmed) {
    EXPECT_EQ(sizeof(CursorPlanes{}.andPlane), 128u);
    EXPECT_EQ(sizeof(CursorPlanes{}.xorPlane), 128u);
    const int16_t hot[11][2] = {{16, 16}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}, {}, {}, {16, 16}, {15, 22}};
    for (int16_t n : kDrawn) {
        CursorPlanes p;
        ASSERT_TRUE(buildCursorPlanes(n, p)) << n;
        EXPECT_EQ(p.hotX, hot[n][0]) << n;
        EXPECT_EQ(p.hotY, hot[n][1]) << n;
        EXPECT_NE(cursorPixel(p, p.hotX, p.hotY), CursorPixel::Transparent) << n;
        // Black and white both present, mostly see-through, never inverting the screen.
        EXPECT_GT(countPixels(p, CursorPixel::Black), 20) << n;
        EXPECT_GT(countPixels(p, CursorPixel::White), 20) << n;
        EXPECT_GT(countPixels(p, CursorPixel::Transparent), 300) << n;
        EXPECT_EQ(countPixels(p, CursorPixel::Inverted), 0) << n;
    }
    for (int16_t n : {7, 8, 11}) {
        CursorPlanes p;
        EXPECT_FALSE(buildCursorPlanes(n, p)) << n;
        EXPECT_EQ(countPixels(p, CursorPixel::Transparent), kCursorSize * kCursorSize);
    }
}

TEST(CursorPlanes, AllDrawnCursorsDifferAndTheDigitsStandRightOfTheArrow) {
    CursorPlanes planes[11];
    for (int16_t n : kDrawn) buildCursorPlanes(n, planes[n]);
    for (int16_t a : kDrawn)
        for (int16_t b : kDrawn) {
            if (a >= b) continue;
            EXPECT_FALSE(samePlanes(planes[a], planes[b])) << a << " " << b;
        }
    // The arrows are the same; only the columns right of the arrow tell the digits apart.
    for (int16_t d = 2; d <= 6; ++d)
        for (int y = 0; y < kCursorSize; ++y)
            for (int x = 0; x < 14; ++x)
                ASSERT_EQ(cursorPixel(planes[d], x, y), cursorPixel(planes[1], x, y)) << d << " " << x << "," << y;
}
