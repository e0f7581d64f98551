// The window shape as a real GDI region: what it contains, that building it leaks nothing, and its handover.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <windows.h>

#include "app/app_state.h"
#include "app/layout.h"
#include "app/window_shape_win.h"
#include "content/collection.h"
#include "grid_fixtures.h"
#include "render/draw_surface.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"

namespace {

class WindowShapeTest : public ::testing::Test {
protected:
    AppState app;
    WindowLayout layout;
    DrawSurface surface;

    void SetUp() override {
        prepareLayoutBench(app, surface);
    }


    Grid& grid() { return app.game.grids[0]; }

    POINT windowPoint(int x, int y) {
        return POINT{layout.frameX + layout.originX + x, layout.frameY + layout.originY - y};
    }
};

TEST_F(WindowShapeTest, RegionHoldsTheHexagonsAndPanelButNotTheGapsOrTheCaptionEnd) {
    buildGrid(grid(), {"X", "XAAA"});
    applyScale(app, 40);
    app.geometry.windowLeft = 900;  // too far right for the grid: the horizontal arrows join the shape
    computeLayout(app, layout, surface);
    ASSERT_TRUE(layout.arrows[ArrowRight].shown);
    const long before = gdiLiveObjects();
    {
        OwnedRegion region = buildShapeRegion(layout.shape);
        ASSERT_TRUE(region);
        for (int u = 1; u <= grid().hexagonCount; ++u) {
            POINT c = windowPoint(grid().units[u].x, grid().units[u].y);
            EXPECT_TRUE(PtInRegion(region.get(), c.x, c.y)) << u;
        }
        POINT gap = windowPoint((grid().units[1].x + grid().units[2].x) / 2, (grid().units[1].y + grid().units[2].y) / 2);
        EXPECT_FALSE(PtInRegion(region.get(), gap.x, gap.y));
        EXPECT_TRUE(PtInRegion(region.get(), 3 + 40 - 20 + 5, 11));
        EXPECT_FALSE(PtInRegion(region.get(), 3 + 40 - 20 + 110 + 5, 11));
        EXPECT_TRUE(PtInRegion(region.get(), 3 + 55, 22 + 100));
        for (ArrowSide side : {ArrowRight, ArrowLeft}) {
            const ScrollArrow& a = layout.arrows[side];
            int cx = (a.triangle[0][0] + a.triangle[1][0] + a.triangle[2][0]) / 3 + layout.frameX;
            int cy = (a.triangle[0][1] + a.triangle[1][1] + a.triangle[2][1]) / 3 + layout.frameY;
            EXPECT_TRUE(PtInRegion(region.get(), cx, cy)) << arrowSideName(side);
        }
        // The region agrees with the portable test of the same shape on a sweep of the window.
        int disagreements = 0;
        for (int y = 0; y < layout.placedHeight; y += 5)
            for (int x = 0; x < layout.placedWidth; x += 5)
                disagreements += (PtInRegion(region.get(), x, y) != 0) != shapeContains(layout.shape, x, y);
        // Polygon edges may round either way on a pixel; anything more is a real difference.
        EXPECT_LT(disagreements, 40);
    }
    EXPECT_EQ(gdiLiveObjects(), before);
    EXPECT_FALSE(buildShapeRegion(WindowShape()));
}

TEST_F(WindowShapeTest, BuiltInGridRegionContainsEveryHexagonCentreInBothViews) {
    for (NoteLayout view : {NoteLayout::Triangle, NoteLayout::Block}) {
        loadBuiltInGrid(grid(), "2042-13");
        applyScale(app, 60);
        setView(grid(), view);
        computeLayout(app, layout, surface);
        OwnedRegion region = buildShapeRegion(layout.shape);
        ASSERT_TRUE(region);
        for (int u = 1; u <= grid().hexagonCount; ++u) {
            POINT c = windowPoint(grid().units[u].x, grid().units[u].y);
            EXPECT_TRUE(PtInRegion(region.get(), c.x, c.y)) << "view " << static_cast<int>(view) << " hexagon " << u;
        }
    }
}

TEST_F(WindowShapeTest, WindowTakesTheRegionAndGivesItBackWhenRemoved) {
    loadBuiltInGrid(grid(), "2214-7");
    applyScale(app, 40);
    computeLayout(app, layout, surface);
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, layout.placedWidth, layout.placedHeight,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    const long before = gdiLiveObjects();
    ASSERT_TRUE(applyWindowShape(window, layout.shape));
    ASSERT_TRUE(applyWindowShape(window, layout.shape));  // the second replaces the first
    EXPECT_EQ(gdiLiveObjects(), before);
    OwnedRegion copy = makeRectRegion(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(window, copy.get()), ERROR);
    POINT c = windowPoint(grid().units[1].x, grid().units[1].y);
    EXPECT_TRUE(PtInRegion(copy.get(), c.x, c.y));
    EXPECT_FALSE(PtInRegion(copy.get(), 3 + 40 - 20 + 110 + 5, 11));
    removeWindowShape(window);
    EXPECT_EQ(GetWindowRgn(window, copy.get()), ERROR);  // no region any more
    DestroyWindow(window);
}

}  // namespace
