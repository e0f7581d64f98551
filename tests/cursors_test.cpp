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

// A pixel of a scaled cursor, read from its padded planes as CreateCursor will.
static CursorPixel scaledPixel(const ScaledCursor& c, int x, int y) {
    const size_t byte = static_cast<size_t>(y) * static_cast<size_t>(c.rowBytes) + static_cast<size_t>(x / 8);
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    const bool a = (c.andPlane[byte] & bit) != 0;
    const bool x1 = (c.xorPlane[byte] & bit) != 0;
    if (a) return x1 ? CursorPixel::Inverted : CursorPixel::Transparent;
    return x1 ? CursorPixel::White : CursorPixel::Black;
}

/*
 * At every display scale a cursor is the 32 x 32 one grown: read back at the
 * first grown pixel of each original pixel it is the original, its size is 32 scaled, its
 * rows are whole words, and its hot spot lies in the grown hot pixel (so the
 * cursor points where it did). At 96 dpi it is the original itself.
 */
TEST(CursorPlanes, ScaledCursorsAreTheOriginalsGrownWithTheirHotSpots) {
    for (int16_t n : kDrawn) {
        CursorPlanes p;
        buildCursorPlanes(n, p);
        for (int16_t dpi : {96, 120, 144, 192}) {
            SCOPED_TRACE(testing::Message() << "cursor " << n << " at " << dpi << " dpi");
            const ScaledCursor c = scaleCursor(p, dpi);
            const int size = c.size;
            ASSERT_EQ(size, dpi * 32 / 96);
            ASSERT_EQ(c.rowBytes % 2, 0);
            ASSERT_GE(c.rowBytes * 8, size);
            ASSERT_EQ(c.andPlane.size(), static_cast<size_t>(c.rowBytes * size));
            for (int y = 0; y < kCursorSize; ++y)
                for (int x = 0; x < kCursorSize; ++x)
                    ASSERT_EQ(scaledPixel(c, (x * size + 31) / 32, (y * size + 31) / 32), cursorPixel(p, x, y))
                        << x << "," << y;
            EXPECT_EQ(c.hotX * kCursorSize / size, p.hotX);
            EXPECT_EQ(c.hotY * kCursorSize / size, p.hotY);
            if (dpi == 96) {
                EXPECT_EQ(c.hotX, p.hotX);
                EXPECT_EQ(0, std::memcmp(c.andPlane.data(), p.andPlane, sizeof p.andPlane));
                EXPECT_EQ(0, std::memcmp(c.xorPlane.data(), p.xorPlane, sizeof p.xorPlane));
            }
        }
    }
}
