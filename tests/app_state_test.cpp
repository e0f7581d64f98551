// Tests of the shell state: start values, redraw requests, busy nesting, modes and window placement.
#include <gtest/gtest.h>

#include "app/app_state.h"

namespace {

// A record of its own for each test.
AppState freshState() {
    return AppState();
}

TEST(AppStateStart, DefaultsOfAFirstStart) {
    AppState app = freshState();
    EXPECT_EQ(app.geometry.windowLeft, 60);
    EXPECT_EQ(app.geometry.windowTop, 60);
    EXPECT_EQ(app.geometry.windowWidth, 980);
    EXPECT_EQ(app.geometry.windowHeight, 820);
    EXPECT_EQ(app.view.language, 0);  // French
    EXPECT_EQ(app.clocks.enabled, 1);
    EXPECT_EQ(app.view.scale, 40);
    EXPECT_EQ(app.game.selectedDigit, 1);
    EXPECT_EQ(app.view.screenMode, ScreenMode::None);
    EXPECT_EQ(app.view.scrollHintPending, 1);
    EXPECT_EQ(app.showAllowed, 0);
    EXPECT_EQ(app.paintEnabled, 0);
}

TEST(AppStateStart, ResetUndoesEveryChange) {
    AppState app = freshState();
    app.game.gridNumber = 4;
    app.busyDepth = 3;
    app.game.gridStates.add("1=abc");
    app.windowTitle.assign("other");
    app.clocks.enabled = 0;
    resetAppState(app);
    EXPECT_EQ(app.game.gridNumber, 0);
    EXPECT_EQ(app.busyDepth, 0);
    EXPECT_TRUE(app.game.gridStates.isEmpty());
    EXPECT_TRUE(app.windowTitle.isEmpty());
    EXPECT_EQ(app.clocks.enabled, 1);
}

TEST(AppStateStart, TitleNamesTheReleaseAndTheSettingsFile) {
    TextString title = buildWindowTitle(162);
    EXPECT_EQ(title.s, "ORNEL 162");
    EXPECT_EQ(settingsPathFor(title).s, "ORNEL 162.TXT");
    // The settings file is named after the title, so the title must be a valid file name.
    for (char c : title.s) EXPECT_EQ(std::string("\\/:*?\"<>|").find(c), std::string::npos) << c;
}

TEST(AppStateStart, TitleTakesTheReleaseNumber) {
    EXPECT_EQ(windowTitleText().s, "ORNEL 162");
    EXPECT_EQ(buildWindowTitle(163).s, "ORNEL 163");
    EXPECT_EQ(AppState().releaseNumber, 162);
    EXPECT_EQ(AppState().game.gridCount, 5);
}

TEST(AppStateStart, EveryRecordOwnsItsBoards) {
    AppState app = freshState();
    createBoards(app);
    EXPECT_TRUE(app.game.grids[0].created && app.game.grids[1].created);
    setCellSize(app.game.grids[0], 60);
    AppState copy = app;
    setCellSize(copy.game.grids[0], 70);
    EXPECT_EQ(app.game.grids[0].cellSize, 60) << "a copy shares no board";
    EXPECT_EQ(&currentGrid(app), &app.game.grids[0]);
    setScreenMode(app, ScreenMode::Rules);
    EXPECT_EQ(&currentGrid(app), &app.game.grids[1]);
    EXPECT_EQ(&currentGrid(copy), &copy.game.grids[0]);
    resetAppState(app);
    EXPECT_EQ(&currentGrid(app), &app.game.grids[0]);
    EXPECT_FALSE(app.game.grids[0].created) << "a reset gives the boards of a fresh process";
    EXPECT_EQ(app.game.grids[0].cellSize, 40);
}

TEST(AppStateRedraw, RequestIsCarriedOutAfterTheNextMainWindowMessage) {
    AppState app = freshState();
    app.showAllowed = 1;
    requestRedraw(app);
    AfterMessage after = afterMessage(app, true, false);
    EXPECT_EQ(after.invalidate, 1);
    EXPECT_EQ(app.redrawPending, 0);
    // Once consumed, the next message invalidates nothing.
    EXPECT_EQ(afterMessage(app, true, false).invalidate, 0);
}

TEST(AppStateRedraw, RequestWaitsWhileTheProgramMovesItsWindow) {
    AppState app = freshState();
    app.showAllowed = 1;
    requestRedraw(app);
    EXPECT_EQ(afterMessage(app, true, false, true).invalidate, 0);  // while the program positions its window
    EXPECT_EQ(app.redrawPending, 1);
    EXPECT_EQ(afterMessage(app, true, false).invalidate, 1);
}

TEST(AppStateRedraw, MessagesOfOtherWindowsLeaveTheRequestPending) {
    AppState app = freshState();
    app.showAllowed = 1;
    requestRedraw(app);
    EXPECT_EQ(afterMessage(app, false, false).invalidate, 0);
    EXPECT_EQ(app.redrawPending, 1);
}

TEST(AppStateRedraw, HiddenWindowConsumesTheRequestWithoutInvalidating) {
    AppState app = freshState();
    requestRedraw(app);
    EXPECT_EQ(afterMessage(app, true, false).invalidate, 0);
    EXPECT_EQ(app.redrawPending, 0);
}

TEST(AppStateRedraw, IconicChangesAreReportedOnce) {
    AppState app = freshState();
    AfterMessage a = afterMessage(app, true, true);
    EXPECT_EQ(a.becameMinimised, 1);
    EXPECT_EQ(app.clocks.minimised, 1);
    AfterMessage b = afterMessage(app, true, true);
    EXPECT_EQ(b.becameMinimised, 0);
    AfterMessage c = afterMessage(app, true, false);
    EXPECT_EQ(c.becameRestored, 1);
    EXPECT_EQ(app.clocks.minimised, 0);
    EXPECT_EQ(afterMessage(app, true, false).becameRestored, 0);
}

TEST(AppStateBusy, NestingReportsOnlyTheOuterEdges) {
    AppState app = freshState();
    EXPECT_TRUE(beginBusy(app));
    EXPECT_FALSE(beginBusy(app));
    EXPECT_FALSE(endBusy(app));
    EXPECT_TRUE(endBusy(app));
    EXPECT_EQ(app.busyDepth, 0);
}

TEST(AppStateBusy, UnmatchedEndResetsTheDepth) {
    AppState app = freshState();
    EXPECT_TRUE(endBusy(app));
    EXPECT_EQ(app.busyDepth, 0);
    app.busyDepth = -5;  // left negative by a fault elsewhere
    EXPECT_TRUE(beginBusy(app));
    EXPECT_EQ(app.busyDepth, 1);
}

TEST(AppStateMode, RulesUsesBoardOneAndTheRulesPageSize) {
    AppState app = freshState();
    app.geometry.frameX = 3;
    app.geometry.frameY = 22;
    setScreenMode(app, ScreenMode::Rules);
    EXPECT_EQ(app.game.currentGridSlot, 1);
    int16_t w = 0, h = 0;
    modeWindowSize(app, w, h);
    EXPECT_EQ(w, 2 * 3 + 800);
    EXPECT_EQ(h, 3 + 22 + 600);

    setScreenMode(app, ScreenMode::Play);
    EXPECT_EQ(app.game.currentGridSlot, 0);
    modeWindowSize(app, w, h);
    EXPECT_EQ(w, app.geometry.windowWidth);
    EXPECT_EQ(h, app.geometry.windowHeight);
    setScreenMode(app, ScreenMode::Start);
    EXPECT_EQ(app.game.currentGridSlot, 0);
}

TEST(AppStateScale, StoredWithinBoundsAndInvalidatesTheLayout) {
    AppState app = freshState();
    app.view.layoutValid = 1;
    storeScale(app, 50);
    EXPECT_EQ(app.view.scale, 50);
    EXPECT_EQ(app.view.layoutValid, 0);
    storeScale(app, 0);
    EXPECT_EQ(app.view.scale, kScaleMin);
    storeScale(app, 900);
    EXPECT_EQ(app.view.scale, kScaleMax);
}

TEST(AppStateScale, ApplyingSizesTheGridOnScreen) {
    AppState app = freshState();
    app.view.layoutValid = 1;
    applyScale(app, 60);
    EXPECT_EQ(app.view.scale, 60);
    EXPECT_EQ(app.game.grids[0].cellSize, 60);
    EXPECT_EQ(app.game.grids[1].cellSize, 40);
    EXPECT_EQ(app.view.layoutValid, 0);
    applyScale(app, 200);
    EXPECT_EQ(app.game.grids[0].cellSize, kScaleMax);
}

TEST(AppStatePlacement, CentredTwentyPixelsAboveTheMiddle) {
    int16_t x = -1, y = -1;
    centreAboveMiddle(0, 0, 1280, 1024, 400, 150, x, y);
    EXPECT_EQ(x, 440);
    EXPECT_EQ(y, 437 - 20);
    centreAboveMiddle(60, 60, 980, 820, 400, 150, x, y);
    EXPECT_EQ(x, 350);
    EXPECT_EQ(y, 375);
}

TEST(AppStatePlacement, NeverAtANegativeCoordinate) {
    int16_t x = -1, y = -1;
    // An owner partly off the screen, and one smaller than the window.
    centreAboveMiddle(-600, -400, 300, 100, 400, 150, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
    centreAboveMiddle(0, 0, 100, 30, 400, 150, x, y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

}  // namespace
