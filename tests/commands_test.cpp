// Tests of the bar commands, grid loading by number, the close question, the win announcement and the scrolling hint.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/commands.h"
#include "base/stopwatch.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "ui/feedback.h"
#include "ui/messages.h"
#include "ui/settings.h"

namespace fs = std::filesystem;

namespace {

// ------------------------------------------------------------ fakes

// Boxes are answered from a script (then Ok / Yes) and recorded; a hook may act from inside a box.
std::deque<BoxAnswer> scriptedAnswers;
std::vector<BoxRequest> boxes;
std::function<void()> insideBox;

BoxAnswer scriptedAsk(const BoxRequest& request) {
    boxes.push_back(request);
    if (insideBox) {
        std::function<void()> hook = std::move(insideBox);
        insideBox = nullptr;
        hook();
    }
    if (!scriptedAnswers.empty()) {
        BoxAnswer a = scriptedAnswers.front();
        scriptedAnswers.pop_front();
        return a;
    }
    return request.buttons == BoxYesNo ? AnswerYes : AnswerOk;
}

std::vector<std::pair<int16_t, int16_t>> beeps;
void recordBeep(int16_t frequency, int16_t duration) {
    beeps.emplace_back(frequency, duration);
}

uint32_t fakeNow = 0;
uint32_t fakeTick() {
    return fakeNow;
}

class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        dir = fs::temp_directory_path() /
              ("ornel_commands_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "_" +
               std::to_string(serial++));
        fs::create_directories(dir);
        setTickSource(fakeTick);
        fakeNow = 100000;
        setAskFunction(scriptedAsk);
        setBeepFunction(recordBeep);
        scriptedAnswers.clear();
        boxes.clear();
        beeps.clear();
        insideBox = nullptr;
        commandState.commandDepth = 0;
        keptUserLines.clear();
        PendingMoves.clear();
        lastClockText.clear();

        resetAppState(app);
        loadGridCodeList();
        app.windowTitle.assign("ORNEL 162");
        app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
        app.paintEnabled = 1;
        setScreenMode(app, ScreenStart);
        CommandEffects ignored;
        ASSERT_TRUE(loadGridNumber(app, 1, false, ignored));
        prepareGrid(app.grids[0]);
        ASSERT_GT(app.grids[0].cellCount, 4);
        boxes.clear();
    }
    void TearDown() override {
        setAskFunction(nullptr);
        setBeepFunction(nullptr);
        setTickSource(nullptr);
        insideBox = nullptr;
        PendingMoves.clear();
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    Grid& grid() { return app.grids[0]; }

    // The first n cells without a given, each filled with its solution and recorded as the player's move.
    std::vector<int16_t> playMoves(int n) {
        std::vector<int16_t> played;
        Grid& g = grid();
        for (int16_t i = 1; i <= g.cellCount && static_cast<int>(played.size()) < n; ++i) {
            Cell* c = cellAt(g, i);
            if (c->fixed || c->value != 0) continue;
            int16_t v = c->solution > 0 ? c->solution : 1;
            EXPECT_TRUE(setCellValue(g, i, v));
            app.undoHistory.entries.add("v" + numberText(v) + "," + numberText(i));
            app.undoHistory.cursor = static_cast<int16_t>(app.undoHistory.entries.count());
            played.push_back(i);
        }
        EXPECT_EQ(static_cast<int>(played.size()), n);
        return played;
    }

    std::string boxText(size_t i) const { return i < boxes.size() ? boxes[i].text.s : std::string(); }
    void answer(std::initializer_list<BoxAnswer> answers) { scriptedAnswers.assign(answers); }

    fs::path dir;
    AppState app;
};

// ------------------------------------------------------------ dispatch and re-entry

TEST_F(Commands, OnlyCodeZeroAndIdsTwoToThirtySixAreTaken) {
    app.redrawPending = 0;
    float panX = app.panX;
    runCommand(app, CmdScrollLeft, 1);  // a notification other than a click
    runCommand(app, 1, 0);
    runCommand(app, 37, 0);
    for (int16_t unused : {6, 7, 11, 28, 35}) runCommand(app, unused, 0);
    EXPECT_EQ(app.panX, panX);
    EXPECT_EQ(app.redrawPending, 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(beeps.empty());
    EXPECT_EQ(commandState.commandDepth, 0);
}

TEST_F(Commands, ScrollingAndPagesMoveByOneWithinTheirBounds) {
    app.layoutValid = 1;
    runCommand(app, CmdScrollLeft);
    runCommand(app, CmdScrollDown);
    runCommand(app, CmdScrollDown);
    EXPECT_FLOAT_EQ(app.panX, 1);
    EXPECT_FLOAT_EQ(app.panY, 2);
    runCommand(app, CmdScrollRight);
    runCommand(app, CmdScrollUp);
    EXPECT_FLOAT_EQ(app.panX, 0);
    EXPECT_FLOAT_EQ(app.panY, 1);
    EXPECT_EQ(app.layoutValid, 0);
    EXPECT_EQ(app.redrawPending, 1);

    app.rulesPage = 1;
    runCommand(app, CmdPreviousPage);
    EXPECT_EQ(app.rulesPage, 1);
    for (int i = 0; i < 12; ++i) runCommand(app, CmdNextPage);
    EXPECT_EQ(app.rulesPage, 9);
    runCommand(app, CmdPreviousPage);
    EXPECT_EQ(app.rulesPage, 8);
}

TEST_F(Commands, BiggerAndSmallerStepTheScaleWithinItsBounds) {
    // At 70 "+" changes nothing at all: no redraw, no layout, no bitmaps.
    applyScale(app, 70);
    app.layoutValid = 1;
    app.redrawPending = 0;
    CommandEffects e = runCommand(app, CmdBigger);
    EXPECT_EQ(app.scale, 70);
    EXPECT_EQ(app.layoutValid, 1);
    EXPECT_EQ(app.redrawPending, 0);
    EXPECT_EQ(e.discardBitmaps, 0);

    applyScale(app, 40);
    app.layoutValid = 1;
    e = runCommand(app, CmdBigger);
    EXPECT_EQ(app.scale, 50);
    EXPECT_EQ(grid().sizePx, 50);
    EXPECT_EQ(grid().cellSize, 50);
    EXPECT_EQ(grid().digitHeight, 27);
    EXPECT_EQ(app.layoutValid, 0);
    EXPECT_EQ(app.redrawPending, 1);
    EXPECT_EQ(e.discardBitmaps, 1);
    EXPECT_EQ(e.forceBarRefresh, 1);

    runCommand(app, CmdSmaller);
    runCommand(app, CmdSmaller);
    EXPECT_EQ(app.scale, 40);
    EXPECT_EQ(grid().sizePx, 40);
}

TEST_F(Commands, ACommandArrivingWhileABoxIsOpenIsRefusedWithTwoBeeps) {
    int16_t scale = app.scale;
    CommandEffects inner;
    insideBox = [&] { inner = runCommand(app, CmdBigger); };
    answer({AnswerCancel});
    runCommand(app, CmdInformation);
    EXPECT_EQ(inner.refused, 1);
    EXPECT_EQ(app.scale, scale);
    ASSERT_EQ(beeps.size(), 2u);
    EXPECT_EQ(beeps[0], (std::pair<int16_t, int16_t>(800, 5)));
    EXPECT_EQ(beeps[1], (std::pair<int16_t, int16_t>(1200, 5)));
    // Once the first command is over, commands are taken again.
    EXPECT_EQ(commandState.commandDepth, 0);
    EXPECT_EQ(runCommand(app, CmdBigger).refused, 0);
    EXPECT_EQ(app.scale, scale + 10);
}

// ------------------------------------------------------------ boxes

TEST_F(Commands, InformationShowsItsPagesInOrderAndStopsAtTheFirstCancel) {
    runCommand(app, CmdInformation);
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_EQ(boxText(0), composeMessage(7, app.language, grid().cellCount, grid().gridCode).s);
    EXPECT_EQ(boxText(1), composeMessage(15, app.language).s);
    EXPECT_EQ(boxText(2), composeMessage(14, app.language).s);
    EXPECT_EQ(boxText(3), composeMessage(3, app.language, grid().view).s);
    EXPECT_EQ(boxText(4), composeMessage(13, app.language).s);
    EXPECT_EQ(boxText(5), composeMessage(2, app.language).s);
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(boxes[i].buttons, BoxOkCancel);
    EXPECT_EQ(boxes[5].buttons, BoxOk);
    for (const BoxRequest& b : boxes) {
        EXPECT_EQ(b.icon, IconInformation);
        EXPECT_EQ(b.caption.s, "ORNEL 162");
    }

    boxes.clear();
    answer({AnswerOk, AnswerOk, AnswerCancel});
    runCommand(app, CmdInformation);
    EXPECT_EQ(boxes.size(), 3u);
    EXPECT_EQ(app.chronoRunning, 1);  // resumed after the last box
}

TEST_F(Commands, ClocksStopWhileACommandsBoxIsOpen) {
    Stopwatch& clock = app.stopwatches[1];
    ASSERT_EQ(clock.running, 1);
    bool runningInside = true;
    insideBox = [&] { runningInside = clock.running != 0; };
    runCommand(app, CmdLanguage);
    EXPECT_FALSE(runningInside);
    EXPECT_EQ(clock.running, 1);
}

TEST_F(Commands, LanguageToggleNamesTheNewLanguage) {
    CommandEffects e = runCommand(app, CmdLanguage);
    EXPECT_EQ(app.language, 1);
    EXPECT_EQ(e.labelsChanged, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxText(0), "English");
    EXPECT_EQ(boxes[0].buttons, BoxOk);
    runCommand(app, CmdLanguage);
    EXPECT_EQ(app.language, 0);
    EXPECT_EQ(boxText(1), "Fran\xE7" "ais");
}

TEST_F(Commands, PauseMinimisesOnYesOnly) {
    answer({AnswerNo});
    CommandEffects e = runCommand(app, CmdPause);
    EXPECT_EQ(e.minimise, 0);
    EXPECT_EQ(app.minimised, 0);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].icon, IconWarning);
    EXPECT_EQ(boxes[0].secondIsDefault, 1);

    e = runCommand(app, CmdPause);
    EXPECT_EQ(e.minimise, 1);
    EXPECT_EQ(e.hideTooltip, 1);
    EXPECT_EQ(app.minimised, 1);
    EXPECT_EQ(app.stopwatches[1].running, 0);  // the resume after the box leaves a minimised clock stopped
}

TEST_F(Commands, CloseAsksAndNoKeepsTheWindowWithItsClockRunning) {
    answer({AnswerNo});
    EXPECT_FALSE(closeRequest(app));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxText(0), composeMessage(9, app.language).s);
    EXPECT_EQ(boxes[0].buttons, BoxYesNo);
    EXPECT_EQ(boxes[0].icon, IconStop);
    EXPECT_EQ(boxes[0].secondIsDefault, 1);
    EXPECT_EQ(app.chronoRunning, 1);
    EXPECT_EQ(app.stopwatches[1].running, 1);
    EXPECT_TRUE(closeRequest(app));
    EXPECT_EQ(runCommand(app, CmdExit).sendClose, 1);
}

// ------------------------------------------------------------ loading grids

TEST_F(Commands, ReloadingTheGridInPlayRestoresItsLastSaveWithAnEmptyHistory) {
    playMoves(2);
    TextString savedState = writeStateString(grid());
    storeGridState(app, 1, savedState);
    std::vector<int16_t> lost = playMoves(1);

    runCommand(app, CmdGrid1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxText(0), composeMessage(5, app.language, 1).s);
    EXPECT_EQ(boxes[0].icon, IconQuestion);
    prepareGrid(grid());
    EXPECT_EQ(writeStateString(grid()).s, savedState.s);
    EXPECT_EQ(cellValue(grid(), lost[0]), 0);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
    EXPECT_EQ(app.undoHistory.cursor, 0);
}

TEST_F(Commands, ReloadingAGridWithoutASaveGivesTheFreshGrid) {
    TextString fresh = writeStateString(grid());
    playMoves(3);
    runCommand(app, CmdGrid1);
    prepareGrid(grid());
    EXPECT_EQ(writeStateString(grid()).s, fresh.s);
}

TEST_F(Commands, AnotherGridAsksFirstAndStoresNothing) {
    playMoves(2);
    TextString before = writeStateString(grid());
    app.hexHighlights[0] = 3;

    answer({AnswerNo});
    CommandEffects e = runCommand(app, CmdGrid2);
    EXPECT_EQ(boxText(0), composeMessage(4, app.language, 2).s);
    EXPECT_EQ(app.gridNumber, 1);
    EXPECT_EQ(writeStateString(grid()).s, before.s);
    EXPECT_EQ(e.discardBitmaps, 0);
    EXPECT_EQ(app.chronoRunning, 1);

    e = runCommand(app, CmdGrid2);
    EXPECT_EQ(app.gridNumber, 2);
    EXPECT_EQ(grid().gridCode.s, gridCodeOfNumber(2).s);
    EXPECT_TRUE(app.gridStates.isEmpty() || gridStateOf(app, 1).isEmpty());
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
    EXPECT_EQ(app.hexHighlights[0], 0);
    EXPECT_EQ(app.screenMode, ScreenPlay);
    EXPECT_EQ(e.showSplash, 1);
    EXPECT_EQ(e.discardBitmaps, 1);
    // The new grid's clock runs, the old one is stopped.
    EXPECT_EQ(app.stopwatches[2].running, 1);
    EXPECT_EQ(app.stopwatches[1].running, 0);
}

TEST_F(Commands, LoadingKeepsTheScaleOfTheDisplay) {
    applyScale(app, 60);
    runCommand(app, CmdGrid3);
    EXPECT_EQ(grid().sizePx, 60);
    EXPECT_EQ(grid().cellSize, 60);
    EXPECT_EQ(grid().view, 7);
}

TEST_F(Commands, GridButtonsLoadTheirNumbers) {
    const int16_t expected[5] = {5, 2, 4, 3, 1};
    for (int16_t id = CmdGrid5; id <= CmdGrid1; ++id) {
        runCommand(app, id);
        EXPECT_EQ(app.gridNumber, expected[id - CmdGrid5]);
        EXPECT_EQ(grid().gridCode.s, gridCodeOfNumber(expected[id - CmdGrid5]).s);
    }
}

// ------------------------------------------------------------ rules pages

TEST_F(Commands, RulesAndBackRestoreThePlayStateExactlyWithClocksStoppedMeanwhile) {
    playMoves(4);
    runCommand(app, CmdUndo);
    TextString state = writeStateString(grid());
    std::vector<std::string> entries = app.undoHistory.entries.items;
    ASSERT_EQ(app.undoHistory.cursor, 3);
    int32_t before = app.stopwatches[1].elapsedSeconds();

    CommandEffects e = runCommand(app, CmdGameRules);
    EXPECT_EQ(app.screenMode, ScreenRules);
    EXPECT_EQ(app.currentGrid, &app.grids[1]);
    EXPECT_EQ(app.rulesPage, 1);
    EXPECT_EQ(e.enterRules, 1);
    EXPECT_EQ(e.labelsChanged, 1);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
    EXPECT_EQ(app.savedUndoCursor, 3);

    // Time passes while the pages are read, and a box (the close question answered No) does not restart the clock.
    fakeNow += 60000;
    answer({AnswerNo});
    EXPECT_FALSE(closeRequest(app));
    runCommand(app, CmdNextPage);
    fakeNow += 60000;
    EXPECT_EQ(app.stopwatches[1].running, 0);
    EXPECT_EQ(app.stopwatches[1].elapsedSeconds(), before);

    e = runCommand(app, CmdReturnToGrid);
    EXPECT_EQ(app.screenMode, ScreenPlay);
    EXPECT_EQ(e.leaveRules, 1);
    EXPECT_EQ(e.labelsChanged, 1);
    prepareGrid(grid());
    EXPECT_EQ(writeStateString(grid()).s, state.s);
    EXPECT_EQ(app.undoHistory.entries.items, entries);
    EXPECT_EQ(app.undoHistory.cursor, 3);
    EXPECT_EQ(app.stopwatches[1].running, 1);
    // The move that was undone before the rules can still be re-done.
    runCommand(app, CmdRedo);
    EXPECT_EQ(app.undoHistory.cursor, 4);
}

TEST_F(Commands, RulesTwiceOrReturnWithoutRulesLoseNoMoves) {
    playMoves(2);
    runCommand(app, CmdGameRules);
    runCommand(app, CmdGameRules);  // already shown: only the page goes back to 1
    runCommand(app, CmdReturnToGrid);
    EXPECT_EQ(app.undoHistory.entries.count(), 2);
    EXPECT_EQ(app.undoHistory.cursor, 2);

    // Outside the rules there is nothing parked: the moves made since are kept.
    std::vector<int16_t> more = playMoves(1);
    CommandEffects e = runCommand(app, CmdReturnToGrid);
    EXPECT_EQ(e.leaveRules, 0);
    EXPECT_NE(cellValue(grid(), more[0]), 0);
    EXPECT_EQ(app.undoHistory.entries.count(), 3);
}

// ------------------------------------------------------------ moves, fixed numbers

TEST_F(Commands, UndoAndRedoFollowTheHistoryCursor) {
    std::vector<int16_t> cells = playMoves(2);
    int16_t digit = cellValue(grid(), cells[1]);
    runCommand(app, CmdUndo);
    EXPECT_EQ(cellValue(grid(), cells[1]), 0);
    EXPECT_EQ(app.undoHistory.cursor, 1);
    runCommand(app, CmdRedo);
    EXPECT_EQ(cellValue(grid(), cells[1]), digit);
    runCommand(app, CmdRedo);  // at the end: nothing
    EXPECT_EQ(app.undoHistory.cursor, 2);
}

TEST_F(Commands, DigitCommandsSelectZeroToSix) {
    runCommand(app, CmdErase);
    EXPECT_EQ(app.selectedDigit, 0);
    runCommand(app, CmdDigit6);
    EXPECT_EQ(app.selectedDigit, 6);
    runCommand(app, CmdDigit1 + 2);
    EXPECT_EQ(app.selectedDigit, 3);
}

TEST_F(Commands, ReturnToFixedNumbersClearsMovesHistoryAndTimeOnYes) {
    TextString fresh = writeStateString(grid());
    playMoves(3);
    fakeNow += 5000;
    answer({AnswerNo});
    runCommand(app, CmdFixedNumbers);
    EXPECT_EQ(boxes[0].icon, IconWarning);
    EXPECT_EQ(boxes[0].secondIsDefault, 1);
    EXPECT_EQ(app.undoHistory.entries.count(), 3);

    runCommand(app, CmdFixedNumbers);
    prepareGrid(grid());
    EXPECT_EQ(writeStateString(grid()).s, fresh.s);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
    fakeNow += 999;
    EXPECT_EQ(app.stopwatches[1].elapsedSeconds(), 0);
    EXPECT_EQ(app.stopwatches[1].running, 1);
}

TEST_F(Commands, ReturnToFixedNumbersRightAfterALoadDropsTheStateStillQueued) {
    TextString fresh = writeStateString(grid());
    playMoves(3);
    storeGridState(app, 1, writeStateString(grid()));
    runCommand(app, CmdGrid1);  // the saved moves wait for the next preparation
    runCommand(app, CmdFixedNumbers);
    prepareGrid(grid());
    EXPECT_EQ(writeStateString(grid()).s, fresh.s);
}

// ------------------------------------------------------------ saving

TEST_F(Commands, SaveWritesTheSettingsFileThatTheNextStartReads) {
    playMoves(3);
    TextString state = writeStateString(grid());
    answer({AnswerNo});
    runCommand(app, CmdSave);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));

    runCommand(app, CmdSave);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxText(1), composeMessage(11, app.language).s);
    EXPECT_EQ(boxes[1].icon, IconQuestion);
    ASSERT_TRUE(fs::exists(app.settingsPath.s));

    AppState next;
    next.settingsPath = app.settingsPath;
    next.windowTitle = app.windowTitle;
    ASSERT_EQ(loadSettings(next), SettingsLoaded);
    EXPECT_EQ(next.gridNumber, 1);
    EXPECT_EQ(gridStateOf(next, 1).s, state.s);
}

TEST_F(Commands, SaveWithoutAGridNumberWritesNothing) {
    app.gridNumber = 0;
    runCommand(app, CmdSave);
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));
    EXPECT_TRUE(app.gridStates.isEmpty());
}

TEST_F(Commands, AFailedSaveSaysSoAndKeepsTheGame) {
    fs::create_directories(app.settingsPath.s);  // a folder where the file should be
    std::vector<int16_t> cells = playMoves(2);
    TextString state = writeStateString(grid());
    app.language = 1;
    runCommand(app, CmdSave);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxText(1), saveFailedText(1).s);
    EXPECT_EQ(boxes[1].buttons, BoxOk);
    EXPECT_EQ(writeStateString(grid()).s, state.s);
    EXPECT_EQ(app.undoHistory.entries.count(), 2);
    EXPECT_TRUE(fs::is_directory(app.settingsPath.s));
    // Both languages say it, differently.
    EXPECT_NE(saveFailedText(0).s, saveFailedText(1).s);
    EXPECT_FALSE(saveFailedText(0).isEmpty());
}

// ------------------------------------------------------------ after the paint

TEST_F(Commands, WinAnnouncementStopsTheClockAndSavesOnYes) {
    playMoves(2);
    TextString state = writeStateString(grid());
    app.winPending = 1;
    int announcedInside = -1;
    // A paint arriving while the bravo box is open must not announce the win a second time.
    insideBox = [&] {
        size_t before = boxes.size();
        announceWin(app);
        announcedInside = static_cast<int>(boxes.size() - before);
    };
    announceWin(app);
    EXPECT_EQ(announcedInside, 0);
    EXPECT_EQ(app.winPending, 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxText(0), composeMessage(6, app.language, 1).s);
    EXPECT_EQ(boxes[0].buttons, BoxOk);
    EXPECT_EQ(boxText(1), composeMessage(12, app.language).s);
    EXPECT_EQ(boxes[1].icon, IconQuestion);
    ASSERT_EQ(beeps.size(), 3u);
    EXPECT_EQ(beeps[2], (std::pair<int16_t, int16_t>(1600, 35)));
    EXPECT_EQ(app.chronoRunning, 0);
    EXPECT_EQ(app.stopwatches[1].running, 0);
    EXPECT_EQ(gridStateOf(app, 1).s, state.s);
    EXPECT_TRUE(fs::exists(app.settingsPath.s));
}

TEST_F(Commands, WinAnnouncementSavesNothingOnNo) {
    app.winPending = 1;
    answer({AnswerOk, AnswerNo});
    announceWin(app);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));
    EXPECT_TRUE(gridStateOf(app, 1).isEmpty());
    boxes.clear();
    announceWin(app);  // consumed: nothing more
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Commands, ScrollHintIsShownOnceWhenAnArrowFirstAppears) {
    EXPECT_FALSE(showScrollHintIfDue(app, false));
    EXPECT_TRUE(showScrollHintIfDue(app, true));
    EXPECT_FALSE(showScrollHintIfDue(app, true));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxText(0), composeMessage(2, app.language).s);
    EXPECT_EQ(app.stopwatches[1].running, 1);  // not wrapped: the clock goes on
}

}  // namespace
