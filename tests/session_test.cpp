// A whole game of grid 1 played through session events only, from start-up to the saved win.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/picture.h"
#include "app/session.h"
#include "content/clocks.h"
#include "puzzle/candidates.h"
#include "puzzle/state_string.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "tests/test_support.h"
#include "ui/messages.h"
#include "app/app_settings.h"

namespace fs = std::filesystem;

namespace {

Event at(EventKind kind, ShapePoint p) {
    Event e;
    e.kind = kind;
    e.x = p.x;
    e.y = p.y;
    return e;
}

// A press and a release at one client point, with the work after each message.
Effects click(Session& s, ShapePoint p) {
    Effects fx = handle(s, at(EventKind::PointerPressed, p));
    finishMessage(s, true, false);
    mergeEffects(fx, handle(s, at(EventKind::PointerReleased, p)));
    mergeEffects(fx, finishMessage(s, true, false));
    return fx;
}

ShapePoint cellPoint(const Session& s, int16_t cell) {
    return clientPointOfGrid(s.layout, cellCentre(s.app.game.grids[0], cell));
}

// No two touching cells hold one digit.
bool boardKeepsTheRule(const Grid& g) {
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const int16_t v = cellValue(g, i);
        if (v == 0) continue;
        for (int16_t p : g.peerTable[i].peers)
            if (p > 0 && p != i && cellValue(g, p) == v) return false;
    }
    return true;
}

}  // namespace

TEST(SessionGame, GridOneIsPlayedByClicksToASavedWinAnnouncedOnce) {
    const fs::path dir = freshTempDir("ornel_session_");
    std::vector<BoxRequest> boxes;
    std::vector<std::pair<int, int>> beeps;
    Session s;
    s.feedback.ask = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return r.buttons == BoxYesNo ? AnswerYes : AnswerOk;  // Yes to the save offered after the win
    };
    s.feedback.beep = [&](int16_t f, int16_t d) { beeps.emplace_back(f, d); };

    // Start-up without a settings file, on a 1024 x 768 screen with Wine's frame, measured at 96 dpi.
    beginSession(s, 1024, 768);
    s.app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
    s.app.geometry.frameX = 3;
    s.app.geometry.frameY = 22;
    EXPECT_EQ(s.app.game.gridNumber, 1);
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
    setMeasureResolution(s, 96, 96);
    ASSERT_EQ(layOutIfNeeded(s).layoutChanged, 1);
    EXPECT_EQ(layOutIfNeeded(s).layoutChanged, 0);  // laid out once, until something it reads changes
    Grid& g = s.app.game.grids[0];
    ASSERT_EQ(s.app.view.screenMode, ScreenMode::Play);
    ASSERT_EQ(g.gridCode.s, gridCodeOfNumber(1).s);
    EXPECT_TRUE(boxes.empty());

    // A digit a touching cell holds is refused with two short beeps, and the board stays as it was.
    int16_t refusedCell = 0, refusedDigit = 0;
    for (int16_t i = 1; i <= g.cellCount && refusedCell == 0; ++i) {
        if (cellValue(g, i) != 0) continue;
        for (int16_t p : g.peerTable[i].peers)
            if (p > 0 && cellValue(g, p) > 0) {
                refusedCell = i;
                refusedDigit = cellValue(g, p);
                break;
            }
    }
    ASSERT_NE(refusedCell, 0);
    const std::string before = writeStateString(g).s;
    handle(s, commandEvent(static_cast<int16_t>(CmdErase + refusedDigit)));
    Effects fx = click(s, cellPoint(s, refusedCell));
    EXPECT_EQ(fx.signal, PlayFeedback::Refused);
    EXPECT_EQ(fx.repaint, 1);  // the clicked cell becomes current
    playSignal(s.feedback, fx.signal);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 5}, {1200, 5}}));
    EXPECT_EQ(writeStateString(g).s, before);
    beeps.clear();

    // Every empty cell gets its solution: the digit chosen by command, the cell clicked where the layout puts it.
    int placed = 0;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (cellValue(g, i) != 0) continue;
        const int16_t digit = cellAt(g, i)->solution;
        ASSERT_GE(digit, 1) << "cell " << i;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + digit)));
        fx = click(s, cellPoint(s, i));
        ASSERT_EQ(fx.signal, PlayFeedback::None) << "cell " << i;
        ASSERT_EQ(cellValue(g, i), digit) << "cell " << i;
        EXPECT_EQ(fx.cursor, digit);
        ++placed;
        // Nothing is announced before the last cell, whatever is painted meanwhile.
        if (!isGridFull(g)) {
            EXPECT_EQ(handle(s, eventOf(EventKind::Painted)).winAnnounced, 0);
        }
    }
    EXPECT_GT(placed, 3);
    EXPECT_TRUE(isGridFull(g));
    EXPECT_TRUE(boardKeepsTheRule(g));
    EXPECT_EQ(moveCount(s.app.game.undoHistory), placed);  // one entry per placement
    EXPECT_TRUE(beeps.empty());
    EXPECT_TRUE(boxes.empty());

    // The paint that shows the full grid announces the win, once; the next paints do not.
    EXPECT_EQ(handle(s, eventOf(EventKind::Painted)).winAnnounced, 1);
    EXPECT_EQ(handle(s, eventOf(EventKind::Painted)).winAnnounced, 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.s, composeMessage(MessageWin, 0, 1).s);
    EXPECT_EQ(boxes[1].text.s, composeMessage(MessageSaveAfterWin, 0).s);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 80}, {1200, 35}, {1600, 35}}));
    EXPECT_EQ(s.app.clocks.stopwatches[1].running, 0);

    // The settings file written by the Yes holds the solved board.
    AppState next;
    next.settingsPath = s.app.settingsPath;
    ASSERT_EQ(loadSettings(next), SettingsLoaded);
    EXPECT_EQ(next.game.gridNumber, 1);
    EXPECT_EQ(gridStateOf(next, 1).s, writeStateString(g).s);

    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

TEST(SessionPaint, AClickDamagesItsCellAndANewLayoutEverything) {
    const fs::path dir = freshTempDir("ornel_damage_");
    Session s;
    s.feedback.ask = [](const BoxRequest&) { return AnswerOk; };
    beginSession(s, 1024, 768);
    s.app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
    s.app.geometry.frameX = 3;
    s.app.geometry.frameY = 22;
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
    setMeasureResolution(s, 96, 96);
    layOutIfNeeded(s);
    Grid& g = s.app.game.grids[0];
    // A first complete paint: from then on only what changes is damaged.
    Picture shown;
    DigitInk ink;
    const auto pendingDamage = [&] { return damageBetween(shown, pictureOf(s, ink)); };
    const auto notePictureShown = [&] { notePainted(shown, pictureOf(s, ink), {}, true); };
    EXPECT_EQ(pendingDamage().all, 1);
    notePictureShown();
    EXPECT_EQ(pendingDamage().all, 0);
    EXPECT_TRUE(pendingDamage().boxes.empty());

    int checked = 0;
    for (int16_t i = 1; i <= g.cellCount && checked < 5; ++i) {
        if (cellValue(g, i) != 0) continue;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + cellAt(g, i)->solution)));
        click(s, cellPoint(s, i));
        ASSERT_NE(cellValue(g, i), 0);
        const Damage d = pendingDamage();
        ASSERT_EQ(d.all, 0) << "cell " << i;
        // The placed digit's cell is covered (peers' notes may change too), and nothing far from a cell is.
        const ShapeRect want = cellBox(s, i);
        bool covered = false;
        for (const ShapeRect& b : d.boxes) {
            covered |= b.left <= want.left && b.top <= want.top && b.right >= want.right && b.bottom >= want.bottom;
            EXPECT_LE(b.right - b.left, 3 * g.cellSize) << "cell " << i;
        }
        EXPECT_TRUE(covered) << "cell " << i;
        notePictureShown();
        EXPECT_TRUE(pendingDamage().boxes.empty());
        ++checked;
    }
    EXPECT_EQ(checked, 5);

    /*
     * Once a paint has measured the digits' ink at this scale, a digit placed
     * where no notes show damages the box of its ink, not its whole cell; an
     * ink measured at another scale is not used.
     */
    const auto holds = [](const Damage& d, const ShapeRect& want) {
        for (const ShapeRect& b : d.boxes)
            if (b.left == want.left && b.top == want.top && b.right == want.right && b.bottom == want.bottom)
                return true;
        return false;
    };
    bool placedInk = false;
    for (int16_t i = 1; i <= g.cellCount && !placedInk; ++i) {
        CandidateMark marks[6];
        if (cellValue(g, i) != 0 || candidateMarksOf(g, i, s.app.view.scale, marks) != 0) continue;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + cellAt(g, i)->solution)));
        click(s, cellPoint(s, i));
        ASSERT_NE(cellValue(g, i), 0);
        ink = DigitInk{s.app.view.scale, -14, -20, 15, 21};
        const ShapeRect inkBox = digitBox(s, ink, i);
        EXPECT_EQ(inkBox.right - inkBox.left, 29);
        EXPECT_TRUE(holds(pendingDamage(), inkBox)) << "cell " << i;
        EXPECT_FALSE(holds(pendingDamage(), cellBox(s, i))) << "cell " << i;
        ink.scale = static_cast<int16_t>(s.app.view.scale + 10);
        EXPECT_TRUE(holds(pendingDamage(), cellBox(s, i))) << "cell " << i;
        notePictureShown();
        placedInk = true;
    }
    EXPECT_TRUE(placedInk);

    /*
     * A paint records only the items it drew whole: one that covers part of
     * what changed leaves the rest as damage for a later paint, and a paint of
     * the damaged boxes leaves none.
     */
    bool partial = false;
    for (int16_t i = 1; i <= g.cellCount && !partial; ++i) {
        if (cellValue(g, i) != 0) continue;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + cellAt(g, i)->solution)));
        click(s, cellPoint(s, i));
        ASSERT_NE(cellValue(g, i), 0);
        const Damage d = pendingDamage();
        ASSERT_FALSE(d.all);
        ASSERT_FALSE(d.boxes.empty());
        notePainted(shown, pictureOf(s, ink), {ShapeRect{0, 0, 1, 1}}, false);
        EXPECT_EQ(pendingDamage().boxes.size(), d.boxes.size()) << "cell " << i;
        notePainted(shown, pictureOf(s, ink), d.boxes, false);
        EXPECT_TRUE(pendingDamage().boxes.empty()) << "cell " << i;
        partial = true;
    }
    EXPECT_TRUE(partial);

    // A zoom lays the window out again: everything is painted.
    const int16_t scale = s.app.view.scale;
    handle(s, commandEvent(CmdBigger));
    finishMessage(s, true, false);
    ASSERT_NE(s.app.view.scale, scale);
    EXPECT_EQ(pendingDamage().all, 1);

    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

namespace {

/*
 * A started session of grid n at a scale, laid out on a 1024 x 768 screen with Wine's frame at a resolution
 * (96 dpi unless told); the bar's selector computed.
 */
void startSession(Session& s, int16_t gridNumber, int16_t scale, int16_t dpi = kReferenceDpi) {
    s.feedback.ask = [](const BoxRequest& r) { return r.buttons == BoxYesNo ? AnswerNo : AnswerOk; };
    s.feedback.beep = [](int16_t, int16_t) {};
    beginSession(s, 1024, 768);
    s.app.settingsPath.assign((fs::temp_directory_path() / "ornel_session_unsaved.txt").string());
    s.app.geometry.frameX = 3;
    s.app.geometry.frameY = 22;
    s.app.game.gridNumber = gridNumber;
    s.app.view.scale = scale;
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
    setMeasureResolution(s, dpi, dpi);
    computeSelector(s.selector, computeBarLayout(true, true, dpi).selectorTop, dpi);
    layOutIfNeeded(s);
}

// What a click may change: the board, the current cell, the highlights, the scrolling and the digit.
std::string playState(const Session& s) {
    const AppState& a = s.app;
    return writeStateString(a.game.grids[0]).s + "|" + std::to_string(a.game.currentCell) + "|" +
           std::to_string(a.game.hexHighlights[0]) + "|" + std::to_string(a.view.panX) + "," + std::to_string(a.view.panY) + "|" +
           std::to_string(a.game.selectedDigit);
}

}  // namespace

/*
 * A wide grid scrolled to its right end slides its left cells under the
 * command bar panel, where they are not drawn. Over the whole panel, a click,
 * a hover and a right click act as if no cell or corner were there: a click
 * picks the selector's digit (or nothing), the board stays as it was.
 */
TEST(SessionPointer, CellsScrolledUnderThePanelTakeNoClickHoverOrRightClick) {
    Session s;
    startSession(s, 5, 70);
    s.app.view.panX = -1000;
    s.app.view.layoutValid = 0;
    layOutIfNeeded(s);
    ASSERT_LT(s.app.view.panX, -1.0f) << "grid 5 at scale 70 should overflow a 1024 x 768 screen";
    const Grid& g = s.app.game.grids[0];
    int hiddenUnderPoint = 0, digitsPicked = 0;
    for (int y = 0; y < s.layout.gridHeight; y += 3) {
        for (int x = 0; x < s.layout.gridLeft; x += 3) {
            const PlayPoint p = playPointAt(s, x, y);
            ASSERT_EQ(p.onGrid, 0) << x << "," << y;
            if (cellAtPoint(g, p.gridX, p.gridY) != 0 || cornerAtPoint(g, p.gridX, p.gridY) != 0) ++hiddenUnderPoint;
            SCOPED_TRACE(testing::Message() << "client " << x << "," << y);
            const int16_t digit = hitTestSelector(s.selector, x, y);
            if (digit == 0) handle(s, commandEvent(CmdDigit1));  // a digit a cell could take or refuse
            std::string expected = playState(s);
            if (digit != 0) {
                expected.back() = static_cast<char>('0' + digit);
                ++digitsPicked;
            }
            const ShapePoint here{static_cast<int16_t>(x), static_cast<int16_t>(y)};
            click(s, here);
            ASSERT_EQ(playState(s), expected);

            const Effects fx = handle(s, at(EventKind::PointerMoved, here));
            EXPECT_EQ(s.input.cellInfoText.s, "");
            EXPECT_NE(fx.cursor, kCursorHexagon);
            handle(s, at(EventKind::RightPressed, here));
            handle(s, eventOf(EventKind::RightReleased));
            ASSERT_EQ(playState(s), expected);
        }
    }
    EXPECT_GT(hiddenUnderPoint, 100);
    EXPECT_GT(digitsPicked, 10);
    // The same hover inside the grid area names the cell there.
    const PixelPoint centre = cellCentre(g, 1);
    const ShapePoint shown = clientPointOfGrid(s.layout, centre);
    if (gridAreaContains(s.layout, shown.x, shown.y)) {
        handle(s, at(EventKind::PointerMoved, shown));
        EXPECT_NE(s.input.cellInfoText.s, "");
    }
}

/*
 * At 96, 120, 144 and 192 dpi the grid area begins right of the bar's panel,
 * every cell's centre of grids 1 and 5 (a small and a wide board) lies in it
 * and a pointer there finds that cell, and a click on each triangle of the
 * selector picks that triangle's digit; at 96 dpi the edge is the one the
 * window always had.
 */
TEST(SessionScale, AtEveryResolutionCellsAndSelectorAnswerWhereTheyAreLaidOut) {
    for (int16_t dpi : {96, 120, 144, 192}) {
        for (int16_t gridNumber : {1, 5}) {
            SCOPED_TRACE(testing::Message() << dpi << " dpi, grid " << gridNumber);
            Session s;
            startSession(s, gridNumber, 40, dpi);
            const BarLayout bar = computeBarLayout(true, true, dpi);
            EXPECT_EQ(s.layout.gridLeft, scaledPx(kGridLeft, dpi));
            EXPECT_GE(s.layout.gridLeft, bar.panelRight);
            EXPECT_EQ(s.layout.barBottom, bar.barBottom);
            if (dpi == kReferenceDpi) {
                EXPECT_EQ(s.layout.gridLeft, 80);
                EXPECT_EQ(s.layout.panelPartHeight, 22 + 485 + 10);
            }
            const Grid& g = s.app.game.grids[0];
            ASSERT_GT(g.cellCount, 0);
            EXPECT_EQ(g.cellSize, scaledPx(40, dpi));
            for (int16_t i = 1; i <= g.cellCount; ++i) {
                const ShapePoint c = clientPointOfGrid(s.layout, cellCentre(g, i));
                ASSERT_TRUE(gridAreaContains(s.layout, c.x, c.y)) << "cell " << i;
                const PlayPoint p = playPointAt(s, c.x, c.y);
                ASSERT_TRUE(p.onGrid) << "cell " << i;
                ASSERT_EQ(cellAtPoint(g, p.gridX, p.gridY), i);
            }
            for (int k = 0; k < 6; ++k) {
                click(s, ShapePoint{s.selector.inner[k].x, s.selector.inner[k].y});
                EXPECT_EQ(s.app.game.selectedDigit, selectorDigit(k)) << "triangle " << k;
            }
        }
    }
}

/*
 * The window moves to a monitor of another resolution: it takes the proposed
 * corner, its cells, bar and grid area grow by the ratio (within the rounding
 * of each length), the bar is made again, and a click on a cell's centre
 * still lands on that cell. Back at 96 dpi everything is as it was.
 */
TEST(SessionScale, AChangeOfResolutionResizesTheWindowAndComesBackExactly) {
    Session s;
    startSession(s, 1, 50);
    const WindowLayout before = s.layout;
    const WindowGeometry geometryBefore = s.app.geometry;
    const std::string board = playState(s);
    for (int16_t dpi : {144, 192, 120}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        Event e = eventOf(EventKind::ResolutionChanged, 300, 40);
        e.dpi = dpi;
        const Effects fx = handle(s, e);
        EXPECT_TRUE(fx.rescaled);
        EXPECT_TRUE(fx.layoutChanged);
        EXPECT_EQ(s.app.geometry.windowLeft, 300);
        EXPECT_EQ(s.app.geometry.dpi, dpi);
        const Grid& g = s.app.game.grids[0];
        EXPECT_EQ(g.cellSize, scaledPx(50, dpi));
        EXPECT_EQ(s.app.geometry.rulesWidth, scaledPx(800, dpi));
        // The grid area is measured in whole millimetres on each side: the ratio holds within two of them.
        const double k = dpi / 96.0;
        const double twoMm = 2 * dpi / 25.4 + 2;
        EXPECT_NEAR(s.layout.gridWidth, before.gridWidth * k, twoMm);
        EXPECT_NEAR(s.layout.gridHeight, before.gridHeight * k, twoMm);
        EXPECT_NEAR(s.app.geometry.windowWidth - 2 * s.app.geometry.frameX,
                    (geometryBefore.windowWidth - 2 * geometryBefore.frameX) * k, twoMm);
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            const PlayPoint p = playPointAt(s, clientPointOfGrid(s.layout, cellCentre(g, i)).x,
                                            clientPointOfGrid(s.layout, cellCentre(g, i)).y);
            ASSERT_EQ(cellAtPoint(g, p.gridX, p.gridY), i);
        }
        EXPECT_EQ(playState(s), board);
    }
    Event back = eventOf(EventKind::ResolutionChanged, geometryBefore.windowLeft, geometryBefore.windowTop);
    back.dpi = kReferenceDpi;
    handle(s, back);
    EXPECT_EQ(s.layout.gridWidth, before.gridWidth);
    EXPECT_EQ(s.layout.gridHeight, before.gridHeight);
    EXPECT_EQ(s.layout.originX, before.originX);
    EXPECT_EQ(s.layout.originY, before.originY);
    EXPECT_EQ(s.app.geometry.windowWidth, geometryBefore.windowWidth);
    EXPECT_EQ(s.app.geometry.windowHeight, geometryBefore.windowHeight);
    EXPECT_EQ(s.app.game.grids[0].cellSize, 50);
    // The same resolution again only moves the window.
    Event same = eventOf(EventKind::ResolutionChanged, 10, 10);
    same.dpi = kReferenceDpi;
    EXPECT_FALSE(handle(s, same).rescaled);
    EXPECT_EQ(s.app.geometry.windowLeft, 10);
}

/*
 * The mouse is the window's from a left press on a corner point to its
 * release: a drag from there ends where it is let go, even far outside the window, and
 * scrolls by the distance in cell sizes. A capture taken by another window
 * cancels the gesture: its release changes nothing.
 */
TEST(SessionPointer, DragsEndWhereTheyAreLetGoAndALostCaptureCancelsThem) {
    Session s;
    startSession(s, 5, 70);
    ASSERT_LT(s.layout.panXMin, -1.0f);
    const Grid& g = s.app.game.grids[0];
    // A corner point on the shown grid with room to its left.
    auto cornerToDragFrom = [&]() {
        for (int c = 1; c <= g.cornerPoints.count(); ++c) {
            const ShapePoint p = clientPointOfGrid(s.layout, pointPosition(g, g.cornerPoints.str(c)));
            if (gridAreaContains(s.layout, p.x, p.y) && p.x > 400 && p.y > 50 && p.y < 400) return p;
        }
        return ShapePoint{};
    };
    ShapePoint from = cornerToDragFrom();
    ASSERT_NE(from.x, 0);
    const int cell = s.layout.cellSize;
    // One cell to the left, and above the client area: outside the window.
    const ShapePoint outside{static_cast<int16_t>(from.x - cell), static_cast<int16_t>(-40)};
    const float expectedPanY = std::min(s.layout.panYMax, static_cast<float>(from.y + 40) / static_cast<float>(cell));

    // Pressed and let go outside the window: the window had the mouse, the drag counts.
    Effects pressed = handle(s, at(EventKind::PointerPressed, from));
    EXPECT_EQ(pressed.captureMouse, 1);
    EXPECT_EQ(pressed.hideTooltip, 1);
    Effects released = handle(s, at(EventKind::PointerReleased, outside));
    EXPECT_EQ(released.releaseMouse, 1);
    EXPECT_EQ(released.layoutChanged, 1);
    EXPECT_FLOAT_EQ(s.app.view.panX, -1.0f);
    EXPECT_FLOAT_EQ(s.app.view.panY, expectedPanY);
    // The capture that ReleaseCapture itself takes away after the release is no loss.
    handle(s, eventOf(EventKind::CaptureLost));

    // Lost half-way: the release that follows is no click, whatever it is over.
    from = cornerToDragFrom();
    ASSERT_NE(from.x, 0);
    const ShapePoint left{static_cast<int16_t>(from.x - cell), from.y};
    const std::string before = playState(s);
    handle(s, at(EventKind::PointerPressed, from));
    handle(s, eventOf(EventKind::CaptureLost));
    // Another window has the mouse: there is nothing to let go.
    EXPECT_EQ(handle(s, at(EventKind::PointerReleased, left)).releaseMouse, 0);
    EXPECT_EQ(playState(s), before);
    // The next gesture is whole again: the grid scrolls on to the end of its range.
    handle(s, at(EventKind::PointerPressed, from));
    handle(s, at(EventKind::PointerReleased, left));
    EXPECT_FLOAT_EQ(s.app.view.panX, s.layout.panXMin);

    // A press on a cell is decided by its press point: it leaves the mouse alone, and a click there still places.
    int16_t cellShown = 0;
    ShapePoint centre;
    for (int16_t i = 1; i <= g.cellCount && cellShown == 0; ++i) {
        centre = clientPointOfGrid(s.layout, cellCentre(g, i));
        if (gridAreaContains(s.layout, centre.x, centre.y) && cellValue(g, i) == 0) cellShown = i;
    }
    ASSERT_NE(cellShown, 0);
    s.app.game.selectedDigit = g.cells[cellShown].solution;
    const Effects cellPress = handle(s, at(EventKind::PointerPressed, centre));
    EXPECT_EQ(cellPress.captureMouse, 0);
    EXPECT_EQ(s.input.mouseTaken, 0);
    EXPECT_EQ(handle(s, at(EventKind::PointerReleased, centre)).releaseMouse, 0);
    EXPECT_EQ(cellValue(g, cellShown), g.cells[cellShown].solution);

    // The tooltip goes when the window moves, is minimised or loses the activation.
    for (EventKind kind : {EventKind::Moving, EventKind::Moved, EventKind::Minimised, EventKind::Deactivated}) {
        EXPECT_EQ(handle(s, eventOf(kind, 100, 100)).hideTooltip, 1) << static_cast<int>(kind);
    }
    handle(s, eventOf(EventKind::Restored));
}

/*
 * What the player sees while a command runs: a grid load shows its splash
 * under the hourglass before the grid is loaded, and the language box comes
 * after the bar has taken the new language's labels.
 */
TEST(SessionFeedback, TheLoadShowsItsSplashFirstAndTheLanguageBoxFollowsTheLabels) {
    Session s;
    startSession(s, 1, 40);
    std::vector<std::string> seen;
    s.showNow = [&](const Effects& e) {
        if (e.showSplash)
            seen.push_back("splash grid " + std::to_string(s.app.game.gridNumber) + " " + s.app.game.grids[0].gridCode.s +
                           " cursor " + std::to_string(chooseCursor(s.app, s.input)));
        if (e.labelsChanged) seen.push_back("labels " + std::to_string(s.app.view.language));
    };
    s.feedback.ask = [&](const BoxRequest& r) {
        seen.push_back("box " + r.text.s);
        return r.buttons == BoxYesNo ? AnswerYes : AnswerOk;
    };
    const std::string oldCode = s.app.game.grids[0].gridCode.s;
    Effects fx = handle(s, commandEvent(CmdGrid2));
    ASSERT_EQ(s.app.game.gridNumber, 2);
    EXPECT_EQ(fx.showSplash, 1);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].rfind("box ", 0), 0u) << "the question comes first";
    EXPECT_EQ(seen[1], "splash grid 1 " + oldCode + " cursor " + std::to_string(kCursorHourglass));
    EXPECT_NE(s.app.game.grids[0].gridCode.s, oldCode);
    EXPECT_EQ(chooseCursor(s.app, s.input), s.app.game.selectedDigit) << "the hourglass goes with the load";

    seen.clear();
    handle(s, commandEvent(CmdLanguage));
    EXPECT_EQ(seen, (std::vector<std::string>{"labels 1", "box English"}));
    seen.clear();
    handle(s, commandEvent(CmdLanguage));
    EXPECT_EQ(seen, (std::vector<std::string>{"labels 0", "box Fran\xE7" "ais"}));
}

// Every start-up failure is told in one box through the ask function and ends with its own non-zero code.
TEST(SessionStartup, EveryFailureIsToldInABoxAndEndsWithItsOwnNonZeroCode) {
    Session s;
    std::vector<BoxRequest> boxes;
    s.feedback.ask = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return AnswerOk;
    };
    EXPECT_EQ(reportStartupFailure(s, StartupFailure::None), 0);
    EXPECT_TRUE(boxes.empty());
    std::vector<int> codes;
    for (StartupFailure f : {StartupFailure::SplashWindow, StartupFailure::WindowClass, StartupFailure::TooltipClass,
                             StartupFailure::MainWindow, StartupFailure::Screen}) {
        const int code = reportStartupFailure(s, f);
        EXPECT_NE(code, 0);
        EXPECT_EQ(std::count(codes.begin(), codes.end(), code), 0) << code;
        codes.push_back(code);
        ASSERT_EQ(boxes.size(), codes.size());
        EXPECT_EQ(boxes.back().caption.s, "Error!");
        EXPECT_EQ(boxes.back().buttons, BoxOk);
        EXPECT_NE(boxes.back().text.s.find("Failed!"), std::string::npos);
    }
    EXPECT_EQ(boxes[1].text.s, "Window Registration Failed!");
    EXPECT_EQ(boxes[3].text.s, "Window Creation Failed!");
}

TEST(SessionMonitors, AWindowLetGoOnAnotherMonitorIsLaidOutForThatMonitorsRoom) {
    Session s;
    const std::vector<ShapeRect> monitors = {{0, 0, 1024, 738}, {1024, 0, 2048, 738}};
    beginSession(s, 1024, 768, monitors);
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = true;
    setMeasureResolution(s, 96, 96);
    layOutIfNeeded(s);
    ASSERT_EQ(s.layout.monitorArea.left, 0);

    // Dragged within the main monitor: nothing to lay out when let go.
    handle(s, eventOf(EventKind::Moving, 200, 80));
    EXPECT_FALSE(handle(s, eventOf(EventKind::MoveEnded)).layoutChanged);
    // Let go on the right-hand monitor: laid out against it at once.
    handle(s, eventOf(EventKind::Moving, 1300, 60));
    EXPECT_TRUE(handle(s, eventOf(EventKind::MoveEnded)).layoutChanged);
    EXPECT_EQ(s.layout.monitorArea.left, 1024);
    EXPECT_EQ(s.layout.overflowX, 0);  // grid 1 fits there
    EXPECT_EQ(s.app.geometry.windowLeft, 1300);

    // A monitor unplugged: the displays are measured again and the room follows.
    setScreens(s, 1024, 768, {monitors[0]});
    EXPECT_TRUE(layOutIfNeeded(s).layoutChanged);
    EXPECT_EQ(s.layout.monitorArea.left, 0);
}
