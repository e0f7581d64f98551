// Tests of the window layout: fitting and overflowing grids, scrolling limits, arrows, the shape, odd positions.
#include <gtest/gtest.h>

#include "tests/test_support.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "app/app_state.h"
#include "app/layout.h"
#include "content/collection.h"
#include "grid_fixtures.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"

namespace {

class LayoutTest : public ::testing::Test {
protected:
    AppState app;
    WindowLayout layout;
    DrawSurface surface;

    void SetUp() override {
        prepareLayoutBench(app, surface);
    }

    void TearDown() override {
    }

    Grid& grid() { return app.game.grids[0]; }

    void load(const char* code, int16_t scale) {
        loadBuiltInGrid(grid(), code);
        applyScale(app, scale);
        setView(grid(), kLoadedNoteLayout);
    }

    void relayout() { computeLayout(app, layout, surface); }

    // The centre of an arrow's hit rectangle.
    void clickArrow(ArrowSide side) {
        const ScrollArrow& a = layout.arrows[side];
        clickArrows(app, layout, (a.left + a.right) / 2, (a.top + a.bottom) / 2);
    }

    // A grid point in window coordinates, as the shape holds it.
    ShapePoint windowPoint(int x, int y) {
        return {static_cast<int16_t>(layout.frameX + layout.originX + x),
                static_cast<int16_t>(layout.frameY + layout.originY - y)};
    }

    // The right edge of an arrow as a screen x.
    int screenRight(const ScrollArrow& a) { return app.geometry.windowLeft + layout.frameX + a.right; }
    int screenBottom(const ScrollArrow& a) { return app.geometry.windowTop + layout.frameY + a.bottom; }
};

// ------------------------------------------------------------ fitting and overflowing

TEST_F(LayoutTest, GridThatFitsHasNoArrowsAndNoScrollingWhateverBefore) {
    load("2214-7", 40);
    app.view.panX = -3.5f;
    app.view.panY = 2;
    relayout();
    EXPECT_EQ(layout.overflowX, 0);
    EXPECT_EQ(layout.overflowY, 0);
    EXPECT_FALSE(anyArrowShown(layout));
    EXPECT_EQ(app.view.panX, 0.0f);
    EXPECT_EQ(app.view.panY, 0.0f);
    EXPECT_EQ(app.view.layoutValid, 1);
    // No scrolling: the origin is the unscrolled one, and the surface's reference point sits on it.
    EXPECT_EQ(layout.originX, layout.originBaseX);
    EXPECT_EQ(layout.originY, layout.originBaseY);
    EXPECT_EQ(surface.refX, layout.originX);
    EXPECT_EQ(surface.refY, layout.originY);
    // The window is at least as high as the panel part of the shape.
    EXPECT_EQ(app.geometry.windowWidth, layout.windowWidth);
    EXPECT_EQ(app.geometry.windowHeight, std::max<int>(layout.layoutHeight, 22 + layout.barBottom + 10 + 15));
    EXPECT_EQ(layout.barBottom, 485);  // grid buttons and chronometer field
    // Every cell lies inside the grid area.
    for (int i = 1; i <= grid().cellCount; ++i) {
        ShapePoint c = clientPointOfGrid(layout, {grid().cells[i].x, grid().cells[i].y});
        EXPECT_TRUE(c.x >= layout.gridLeft && c.x < layout.gridLeft + layout.gridWidth && c.y >= 0 &&
                    c.y < layout.gridHeight)
            << i;
    }
}

TEST_F(LayoutTest, LargeGridAtScale70OverflowsAndScrollsWithinItsRange) {
    load("2330-1", 70);
    relayout();
    ASSERT_GT(layout.overflowX, 0);
    EXPECT_TRUE(layout.arrows[ArrowRight].shown);
    EXPECT_FALSE(layout.arrows[ArrowLeft].shown);
    EXPECT_LT(screenRight(layout.arrows[ArrowRight]), 1024);
    EXPECT_FLOAT_EQ(layout.panXMin, -static_cast<float>(layout.overflowX) / 70);
    // The window keeps its full size and extends past the screen edge.
    EXPECT_GT(app.geometry.windowLeft + app.geometry.windowWidth, 1024);

    // Scrolling right moves the origin left by one cell size per click, down to the limit.
    const int baseX = layout.originX;
    clickArrow(ArrowRight);
    EXPECT_EQ(app.view.layoutValid, 0);
    relayout();
    EXPECT_EQ(app.view.panX, -1.0f);
    EXPECT_EQ(layout.originX, baseX - 70);
    EXPECT_TRUE(layout.arrows[ArrowLeft].shown);
    for (int k = 0; k < 10 && layout.arrows[ArrowRight].shown; ++k) {
        clickArrow(ArrowRight);
        relayout();
    }
    EXPECT_FALSE(layout.arrows[ArrowRight].shown);
    EXPECT_FLOAT_EQ(app.view.panX, layout.panXMin);
    EXPECT_EQ(layout.originX, baseX + static_cast<int>(std::trunc(70 * layout.panXMin)));
    // A further scroll beyond the limit is taken back by the next layout.
    runScrollCommand(app, 3);
    relayout();
    EXPECT_FLOAT_EQ(app.view.panX, layout.panXMin);

    // Back to the left until panX is 0: the left arrow disappears.
    for (int k = 0; k < 10 && layout.arrows[ArrowLeft].shown; ++k) {
        clickArrow(ArrowLeft);
        relayout();
    }
    EXPECT_EQ(app.view.panX, 0.0f);
    EXPECT_FALSE(layout.arrows[ArrowLeft].shown);
    EXPECT_TRUE(layout.arrows[ArrowRight].shown);
    EXPECT_EQ(layout.originX, baseX);
}

TEST_F(LayoutTest, WindowMovedTowardsTheEdgesShowsArrowsInsideTheScreen) {
    load("2214-7", 70);
    relayout();
    ASSERT_FALSE(anyArrowShown(layout));
    // Moving the window changes only the position; the next layout sees it.
    app.geometry.windowLeft = 700;
    app.geometry.windowTop = 450;
    relayout();
    EXPECT_EQ(app.geometry.windowLeft, 700);
    EXPECT_EQ(app.geometry.windowTop, 450);
    ASSERT_TRUE(layout.arrows[ArrowRight].shown);
    ASSERT_TRUE(layout.arrows[ArrowBottom].shown);
    EXPECT_FALSE(layout.arrows[ArrowLeft].shown);
    EXPECT_FALSE(layout.arrows[ArrowTop].shown);
    EXPECT_LT(screenRight(layout.arrows[ArrowRight]), 1024);
    EXPECT_LT(screenBottom(layout.arrows[ArrowBottom]), 768 - 30);

    // Scrolling down: top arrow appears, the grid moves up by a cell size.
    const int baseY = layout.originY;
    clickArrow(ArrowBottom);
    relayout();
    EXPECT_EQ(app.view.panY, 1.0f);
    EXPECT_EQ(layout.originY, baseY - 70);
    EXPECT_TRUE(layout.arrows[ArrowTop].shown);
    for (int k = 0; k < 20 && layout.arrows[ArrowBottom].shown; ++k) {
        clickArrow(ArrowBottom);
        relayout();
    }
    EXPECT_FLOAT_EQ(app.view.panY, layout.panYMax);
    EXPECT_FLOAT_EQ(layout.panYMax, static_cast<float>(layout.overflowY) / 70);
}

// ------------------------------------------------------------ arrows

TEST_F(LayoutTest, ArrowGeometryFollowsTheWindowAndTheVisiblePart) {
    layout.gridLeft = 80;
    layout.windowWidth = 1000;
    layout.layoutHeight = 600;  // unit 40, half 20, quarter 10
    layout.gridWidth = 900;
    layout.gridHeight = 575;
    layout.overflowX = 100;
    layout.overflowY = 50;  // middle y 262, middle x 480
    placeArrows(layout);
    // Rectangle left, top, right, bottom, then the triangle's three corners.
    using Geometry = std::array<int, 10>;
    auto geometry = [&](ArrowSide side) {
        const ScrollArrow& a = layout.arrows[side];
        return Geometry{a.left, a.top, a.right, a.bottom, a.triangle[0][0], a.triangle[0][1],
                        a.triangle[1][0], a.triangle[1][1], a.triangle[2][0], a.triangle[2][1]};
    };
    EXPECT_EQ(geometry(ArrowRight), (Geometry{850, 222, 870, 302, 850, 222, 850, 302, 870, 262}));
    EXPECT_EQ(geometry(ArrowLeft), (Geometry{90, 222, 110, 302, 110, 222, 110, 302, 90, 262}));
    EXPECT_EQ(geometry(ArrowTop), (Geometry{440, 10, 520, 30, 520, 30, 440, 30, 480, 10}));
    EXPECT_EQ(geometry(ArrowBottom), (Geometry{440, 495, 520, 515, 520, 495, 440, 495, 480, 515}));
}

TEST_F(LayoutTest, ClicksAndCommandsScrollByOneCellSize) {
    layout.arrows[ArrowRight] = ScrollArrow{1, 10, 20, 10, 20, {}};
    layout.arrows[ArrowLeft] = ScrollArrow{1, 20, 30, 10, 20, {}};   // shares the edge x = 20
    layout.arrows[ArrowBottom] = ScrollArrow{0, 10, 30, 10, 20, {}};  // hidden: never acts
    EXPECT_EQ(arrowsAt(layout, 20, 20), (std::vector<ArrowSide>{ArrowRight, ArrowLeft}));
    EXPECT_EQ(arrowsAt(layout, 21, 15), (std::vector<ArrowSide>{ArrowLeft}));
    EXPECT_TRUE(arrowsAt(layout, 31, 15).empty());
    EXPECT_TRUE(arrowsAt(layout, 15, 21).empty());
    app.view.layoutValid = 1;
    EXPECT_EQ(clickArrows(app, layout, 20, 10), 2);  // right -1, then left +1
    EXPECT_EQ(app.view.panX, 0.0f);
    EXPECT_EQ(app.view.layoutValid, 0);
    EXPECT_EQ(app.redrawPending, 1);

    // Commands 2..5: left, right, top and bottom arrow.
    const float moves[][2] = {{1, 0}, {-1, 0}, {0, -1}, {0, 1}};
    for (int16_t command = 2; command <= 5; ++command) {
        app.view.panX = app.view.panY = 0.5f;
        app.view.layoutValid = 1;
        EXPECT_TRUE(runScrollCommand(app, command));
        EXPECT_EQ(app.view.panX, 0.5f + moves[command - 2][0]) << command;
        EXPECT_EQ(app.view.panY, 0.5f + moves[command - 2][1]) << command;
        EXPECT_EQ(app.view.layoutValid, 0);
    }
    app.view.layoutValid = 1;
    for (int16_t other : {1, 6}) EXPECT_FALSE(runScrollCommand(app, other));
    EXPECT_EQ(app.view.layoutValid, 1);
}

// ------------------------------------------------------------ shape

TEST_F(LayoutTest, ShapeShowsTheHexagonsAndTheirArrowsButNotTheGapsOrTheCaptionEnd) {
    // Two hexagons three steps apart along A: the desktop shows between them.
    buildGrid(grid(), {"X", "XAAA"});
    applyScale(app, 40);
    relayout();
    const WindowShape& shape = layout.shape;
    ASSERT_EQ(shape.present, 1);
    ASSERT_EQ(grid().hexagonCount, 2);
    ASSERT_EQ(shape.hexagons.size(), 2u);
    for (int u = 1; u <= grid().hexagonCount; ++u) {
        ShapePoint c = windowPoint(grid().units[u].x, grid().units[u].y);
        EXPECT_TRUE(shapeContains(shape, c.x, c.y)) << u;
    }
    ShapePoint gap = windowPoint((grid().units[1].x + grid().units[2].x) / 2, (grid().units[1].y + grid().units[2].y) / 2);
    EXPECT_TRUE(shapeContains(WindowShape(), gap.x, gap.y));  // no shape: everything shows
    EXPECT_FALSE(shapeContains(shape, gap.x, gap.y));
    // Caption: the start with the system menu shows, the rest of the title does not.
    const int captionY = layout.frameY / 2;
    EXPECT_TRUE(shapeContains(shape, 3 + 40 - 20 + 5, captionY));
    EXPECT_FALSE(shapeContains(shape, 3 + 40 - 20 + 110 + 5, captionY));
    EXPECT_FALSE(shapeContains(shape, 3 + 40 - 20 - 5, captionY));
    // The command bar panel shows down to its bottom, not below.
    EXPECT_TRUE(shapeContains(shape, 3 + 55, 22 + layout.barBottom + 9));
    EXPECT_FALSE(shapeContains(shape, 3 + 55, 22 + layout.barBottom + 10));
    EXPECT_EQ(layout.panelPartHeight, 22 + layout.barBottom + 10);

    // Scrolled grid: the arrow pair shows, both triangles.
    app.geometry.windowLeft = 900;
    relayout();
    ASSERT_TRUE(layout.arrows[ArrowRight].shown);
    ASSERT_FALSE(layout.arrows[ArrowLeft].shown);
    ASSERT_EQ(layout.shape.arrowTriangles.size(), 2u);
    for (ArrowSide side : {ArrowRight, ArrowLeft}) {
        const ScrollArrow& a = layout.arrows[side];
        int cx = (a.triangle[0][0] + a.triangle[1][0] + a.triangle[2][0]) / 3 + layout.frameX;
        int cy = (a.triangle[0][1] + a.triangle[1][1] + a.triangle[2][1]) / 3 + layout.frameY;
        EXPECT_TRUE(shapeContains(layout.shape, cx, cy)) << arrowSideName(side);
    }
}

TEST_F(LayoutTest, ShapeOfABuiltInGridCoversEveryHexagonAndCellWithoutGaps) {
    for (NoteLayout view : {NoteLayout::Triangle, NoteLayout::Block}) {
        load("2105-9", 50);
        setView(grid(), view);
        relayout();
        const WindowShape& shape = layout.shape;
        EXPECT_EQ(view == NoteLayout::Block, shape.hexagons.empty());
        EXPECT_EQ(view == NoteLayout::Block, !shape.discs.empty());
        for (int u = 1; u <= grid().hexagonCount; ++u) {
            ShapePoint c = windowPoint(grid().units[u].x, grid().units[u].y);
            EXPECT_TRUE(shapeContains(shape, c.x, c.y)) << "view " << static_cast<int>(view) << " hexagon " << u;
        }
        for (int i = 1; i <= grid().cellCount; ++i) {
            const Cell& c = grid().cells[i];
            ShapePoint centre = windowPoint(c.x, c.y);
            EXPECT_TRUE(shapeContains(shape, centre.x, centre.y)) << "view " << static_cast<int>(view) << " cell " << i;
            if (view == NoteLayout::Block) continue;
            // No gap inside the board: every cell shows up to near its corners.
            std::array<PixelPoint, 4> outline = cellOutline(grid(), static_cast<int16_t>(i));
            for (int k = 0; k < 3; ++k) {
                ShapePoint p = windowPoint(c.x + (outline[k].x - c.x) * 9 / 10, c.y + (outline[k].y - c.y) * 9 / 10);
                EXPECT_TRUE(shapeContains(shape, p.x, p.y)) << "cell " << i << " corner " << k;
            }
        }
    }
}

TEST_F(LayoutTest, ScrolledShapeIsCutAtTheGridAreaSoThePanelStaysClear) {
    // Near the right screen edge, scrolled right as far as it goes: the grid's left part passes under the panel.
    load("2330-1", 70);
    app.geometry.windowLeft = 784;
    app.view.panX = -100;
    relayout();
    ASSERT_LT(app.view.panX, -5.0f);
    const int areaLeft = layout.frameX + layout.gridLeft;
    int cut = 0, kept = 0;
    for (int u = 1; u <= grid().hexagonCount; ++u) {
        ShapePoint c = windowPoint(grid().units[u].x, grid().units[u].y);
        if (c.y < layout.frameY || c.y >= layout.frameY + layout.gridHeight) continue;
        if (c.x < layout.shape.panel.left - 5) {
            EXPECT_FALSE(shapeContains(layout.shape, c.x, c.y)) << u;
            ++cut;
        } else if (c.x > areaLeft + 5) {
            EXPECT_TRUE(shapeContains(layout.shape, c.x, c.y)) << u;
            ++kept;
        }
    }
    EXPECT_GT(cut, 0);
    EXPECT_GT(kept, 0);
}

TEST_F(LayoutTest, RulesModeIsRectangularWithoutArrows) {
    load("2330-1", 70);
    relayout();
    ASSERT_TRUE(anyArrowShown(layout));
    const int16_t playWidth = app.geometry.windowWidth, playHeight = app.geometry.windowHeight;
    setScreenMode(app, ScreenMode::Rules);
    relayout();
    EXPECT_EQ(layout.shape.present, 0);
    EXPECT_FALSE(anyArrowShown(layout));
    EXPECT_EQ(layout.placedWidth, 2 * 3 + 800);
    EXPECT_EQ(layout.placedHeight, 3 + 22 + 600);
    EXPECT_EQ(app.geometry.windowWidth, playWidth);  // the play size is kept for the return
    EXPECT_EQ(app.geometry.windowHeight, playHeight);
    EXPECT_EQ(app.view.layoutValid, 1);
}

// ------------------------------------------------------------ bad input

// Absurd stored positions are brought back at start-up; the layout then gives a reachable window.
TEST_F(LayoutTest, AbsurdPositionsAndSizesStillGiveAReachableWindow) {
    const struct {
        int16_t left, top, screenWidth, screenHeight;
    } cases[] = {
        {30000, 30000, 1024, 768},  // far right and below the screen
        {-5000, -5000, 1024, 768},  // far left and above
        {1020, 740, 1024, 768},     // in the last pixels
        {60, 60, 0, 0},             // screen not measured yet
        {60, 60, 100, 80},          // a screen smaller than the window's essentials
    };
    for (const auto& c : cases) {
        load("2330-1", 70);
        app.geometry.windowLeft = c.left;
        app.geometry.windowTop = c.top;
        app.geometry.screenWidth = c.screenWidth;
        app.geometry.screenHeight = c.screenHeight;
        app.view.panX = std::numeric_limits<float>::quiet_NaN();
        app.view.panY = std::numeric_limits<float>::infinity();
        app.geometry.frameX = -4;
        placeOnMonitors(app, {});
        relayout();
        EXPECT_EQ(layout.frameX, 0);
        const int screenW = c.screenWidth > 0 ? c.screenWidth : kFallbackScreenWidth;
        const int screenH = c.screenHeight > 0 ? c.screenHeight : kFallbackScreenHeight;
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top << " on " << c.screenWidth << "x" << c.screenHeight);
        EXPECT_GE(app.geometry.windowLeft, 0);
        EXPECT_GE(app.geometry.windowTop, 0);
        EXPECT_LE(app.geometry.windowLeft, std::max(0, screenW - kMinVisibleWidth));
        EXPECT_LE(app.geometry.windowTop, std::max(0, screenH - 30 - kMinVisibleHeight));
        EXPECT_TRUE(std::isfinite(app.view.panX) && std::isfinite(app.view.panY));
        EXPECT_GE(app.view.panX, layout.panXMin);
        EXPECT_LE(app.view.panY, layout.panYMax);
        // On a screen of a usable size, every shown arrow lies in the grid area and on the screen.
        if (screenW >= kMinVisibleWidth && screenH >= kMinVisibleHeight + 30) {
            EXPECT_TRUE(anyArrowShown(layout));
            for (const ScrollArrow& a : layout.arrows) {
                if (!a.shown) continue;
                EXPECT_GE(a.left, layout.gridLeft);
                EXPECT_GE(a.top, 0);
                EXPECT_LE(a.right, layout.gridLeft + layout.gridWidth);
                EXPECT_LE(a.bottom, layout.gridHeight);
                EXPECT_LT(screenRight(a), screenW);
                EXPECT_LT(screenBottom(a), screenH);
            }
        }
    }
}

/*
 * A window stays where the player put it: near the right and bottom edges, a
 * zoom, a scroll and a new grid lay it out again without moving it, and its
 * arrows stay inside its grid area. At start-up a position is brought back
 * only when no monitor holds enough of the caption strip to take it by.
 */
/*
 * The room for the grid is measured on the monitor the window is on: a
 * window on a second monitor (right, left at negative x, or above) is laid
 * out, zoomed and scrolled exactly as at the same place on the main one, and
 * a position kept on any monitor stays there at start-up.
 */
TEST_F(LayoutTest, EveryMonitorGivesTheRoomTheMainOneGivesAtTheSamePlace) {
    const ShapeRect main = {0, 0, 1024, 738};
    const ShapeRect others[] = {{1024, 0, 2048, 738}, {-1024, -200, 0, 538}, {0, -768, 1024, -30}};
    struct Seen {
        int16_t overflowX, overflowY, width, height;
        bool arrows[kArrowCount];
        float panXMin, panYMax;
    };
    const auto seen = [&]() {
        Seen s{layout.overflowX, layout.overflowY, app.geometry.windowWidth, app.geometry.windowHeight, {}, layout.panXMin,
               layout.panYMax};
        for (int k = 0; k < kArrowCount; ++k) s.arrows[k] = layout.arrows[k].shown;
        return s;
    };
    for (const ShapeRect& other : others) {
        for (const char* code : {"1251-1", "2330-1"}) {
            for (int16_t scale : {int16_t{40}, int16_t{70}}) {
                for (const ShapePoint at : {ShapePoint{60, 60}, ShapePoint{300, 200}, ShapePoint{700, 420}}) {
                    SCOPED_TRACE(testing::Message() << code << " at scale " << scale << ", " << at.x << "," << at.y
                                                    << " on the monitor at " << other.left << "," << other.top);
                    load(code, scale);
                    app.geometry.monitors = {ScreenArea{main.left, main.top, main.right, main.bottom},
                                             ScreenArea{other.left, other.top, other.right, other.bottom}};
                    app.geometry.windowLeft = at.x;
                    app.geometry.windowTop = at.y;
                    app.view.panX = app.view.panY = 0;
                    relayout();
                    const Seen onMain = seen();
                    app.geometry.windowLeft = static_cast<int16_t>(at.x + other.left);
                    app.geometry.windowTop = static_cast<int16_t>(at.y + other.top);
                    EXPECT_FALSE(placeOnMonitors(app, {main, other}));
                    app.view.layoutValid = false;
                    relayout();
                    const Seen onOther = seen();
                    EXPECT_EQ(onOther.overflowX, onMain.overflowX);
                    EXPECT_EQ(onOther.overflowY, onMain.overflowY);
                    EXPECT_EQ(onOther.width, onMain.width);
                    EXPECT_EQ(onOther.height, onMain.height);
                    EXPECT_EQ(onOther.panXMin, onMain.panXMin);
                    EXPECT_EQ(onOther.panYMax, onMain.panYMax);
                    for (int k = 0; k < kArrowCount; ++k) EXPECT_EQ(onOther.arrows[k], onMain.arrows[k]) << k;
                    // Scrolled to the far end there as here.
                    app.view.panX = -1000;
                    app.view.panY = 1000;
                    app.view.layoutValid = false;
                    relayout();
                    EXPECT_EQ(app.view.panX, onMain.panXMin);
                    EXPECT_EQ(app.view.panY, onMain.panYMax);
                }
            }
        }
    }
    // Grid 1 on the right-hand monitor at x = 1300 fits: no arrow, nothing to scroll.
    load("1251-1", 40);
    app.geometry.monitors = {ScreenArea{0, 0, 1024, 738}, ScreenArea{1024, 0, 2048, 738}};
    app.geometry.windowLeft = 1300;
    app.geometry.windowTop = 60;
    relayout();
    EXPECT_EQ(layout.overflowX, 0);
    EXPECT_EQ(layout.overflowY, 0);
    EXPECT_EQ(layout.monitorArea.left, 1024);
}

TEST_F(LayoutTest, ParkedWindowStaysAndOnlyAnUnreachableStartPositionIsBroughtBack) {
    load("2214-7", 40);
    app.geometry.windowLeft = 850;
    app.geometry.windowTop = 560;
    for (int16_t scale : {40, 45, 70, 50}) {
        load("2214-7", scale);
        relayout();
        clickArrow(ArrowRight);
        relayout();
        EXPECT_EQ(app.geometry.windowLeft, 850) << scale;
        EXPECT_EQ(app.geometry.windowTop, 560) << scale;
        for (const ScrollArrow& a : layout.arrows) {
            if (!a.shown) continue;
            EXPECT_GE(a.left, layout.gridLeft) << scale;
            EXPECT_LE(a.right, layout.gridLeft + layout.gridWidth) << scale;
            EXPECT_LT(screenRight(a), 1024) << scale;
        }
    }
    load("2330-1", 70);
    relayout();
    EXPECT_EQ(app.geometry.windowLeft, 850);
    EXPECT_EQ(app.geometry.windowTop, 560);

    // Start-up: a model of the rule over two monitors side by side (the second one's work area lower).
    const std::vector<ShapeRect> monitors = {{0, 0, 1024, 738}, {1024, 100, 2304, 1100}};
    auto reachable = [&](int left, int top) {
        const ShapeRect strip = captionStripAt(left, top, kReferenceDpi);
        for (const ShapeRect& m : monitors) {
            const int w = std::min<int>(strip.right, m.right) - std::max<int>(strip.left, m.left);
            const int h = std::min<int>(strip.bottom, m.bottom) - std::max<int>(strip.top, m.top);
            if (w >= kCaptionGrabWidth && h >= kCaptionGrabHeight) return true;
        }
        return false;
    };
    for (int left = -400; left <= 2600; left += 37) {
        for (int top = -300; top <= 1300; top += 29) {
            app.geometry.windowLeft = static_cast<int16_t>(left);
            app.geometry.windowTop = static_cast<int16_t>(top);
            const bool moved = placeOnMonitors(app, monitors);
            SCOPED_TRACE(testing::Message() << left << "," << top);
            ASSERT_EQ(moved, !reachable(left, top));
            if (!moved) {
                EXPECT_EQ(app.geometry.windowLeft, left);
                EXPECT_EQ(app.geometry.windowTop, top);
                continue;
            }
            // Brought onto one monitor with the usual room right of and below the corner.
            EXPECT_TRUE(reachable(app.geometry.windowLeft, app.geometry.windowTop));
            bool inside = false;
            for (const ShapeRect& m : monitors)
                inside |= app.geometry.windowLeft >= m.left && app.geometry.windowLeft <= m.right - kMinVisibleWidth &&
                          app.geometry.windowTop >= m.top && app.geometry.windowTop <= m.bottom - 30 - kMinVisibleHeight;
            EXPECT_TRUE(inside);
        }
    }
    // A window wholly on the second monitor is in place; one beyond it comes back to it, not to the first.
    app.geometry.windowLeft = 1500;
    app.geometry.windowTop = 700;
    EXPECT_FALSE(placeOnMonitors(app, monitors));
    app.geometry.windowLeft = 3000;
    app.geometry.windowTop = 500;
    EXPECT_TRUE(placeOnMonitors(app, monitors));
    EXPECT_EQ(app.geometry.windowLeft, 2304 - kMinVisibleWidth);
    EXPECT_EQ(app.geometry.windowTop, 500);
}

}  // namespace
