// Tests of the bar commands, grid loading by number, the close question, the win announcement and the scrolling hint.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/commands.h"
#include "app/play_input.h"
#include "app/session.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "puzzle/state_string.h"
#include "render/grid_drawing.h"
#include "ui/messages.h"
#include "app/app_settings.h"

namespace fs = std::filesystem;

namespace {

// Boxes are answered from a script (then Ok / Yes) and recorded; a hook may act from inside the next box.
std::deque<BoxAnswer> scriptedAnswers;
std::vector<BoxRequest> boxes;
std::function<void()> insideBox;

BoxAnswer scriptedAsk(const BoxRequest& request) {
    boxes.push_back(request);
    if (insideBox) std::exchange(insideBox, nullptr)();
    if (scriptedAnswers.empty()) return request.buttons == BoxYesNo ? AnswerYes : AnswerOk;
    BoxAnswer a = scriptedAnswers.front();
    scriptedAnswers.pop_front();
    return a;
}

std::vector<std::pair<int, int>> beeps;
void recordBeep(int16_t frequency, int16_t duration) {
    beeps.emplace_back(frequency, duration);
}

uint32_t fakeNow = 0;
uint32_t fakeTick() {
    return fakeNow;
}

// Grid 1 loaded and prepared, as after start-up; the settings file in a fresh directory.
class Commands : public ::testing::Test {
protected:
    void SetUp() override {
        static std::atomic<int> serial{0};
        dir = fs::temp_directory_path() / ("ornel_commands_" +
                                           std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) +
                                           "_" + std::to_string(serial++));
        fs::create_directories(dir);
        setTickSource(fakeTick);
        fakeNow = 100000;
        session.feedback = Feedback{scriptedAsk, recordBeep};
        scriptedAnswers.clear();
        beeps.clear();
        insideBox = nullptr;
        app.windowTitle.assign("ORNEL 162");
        app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
        app.paintEnabled = 1;
        Effects ignored;
        ASSERT_TRUE(loadGridNumber(session, 1, false, ignored));
        fresh = writeStateString(grid());
        boxes.clear();
    }
    void TearDown() override {
        setTickSource(nullptr);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    }

    Grid& grid() { return app.game.grids[0]; }
    std::string state() { return writeStateString(grid()).s; }

    // The next n cells without a digit get their solution, each recorded as a move of the player.
    std::vector<int16_t> playMoves(int n) {
        std::vector<int16_t> played;
        for (int16_t i = 1; i <= grid().cellCount && static_cast<int>(played.size()) < n; ++i) {
            const Cell* c = cellAt(grid(), i);
            if (c->fixed || c->value != 0) continue;
            int16_t v = c->solution > 0 ? c->solution : 1;
            setCellValue(grid(), i, v);
            recordMove(app.game.undoHistory, MoveKind::Place, v, i);
            played.push_back(i);
        }
        EXPECT_EQ(static_cast<int>(played.size()), n);
        return played;
    }
    void answer(std::initializer_list<BoxAnswer> answers) { scriptedAnswers.assign(answers); }
    // The background as a paint leaves it; discarded() tells whether a command has put it out of date since.
    void markPainted() { paintedVersion = session.background.version; }
    bool discarded() const { return session.background.version != paintedVersion; }
    uint32_t paintedVersion = 0;
    std::string boxText(size_t i) const { return i < boxes.size() ? boxes[i].text.s : std::string(); }

    fs::path dir;
    Session session;
    AppState& app = session.app;
    TextString fresh;
};

TEST_F(Commands, DispatchTakesOnlyClicksOfKnownCommands) {
    app.redrawPending = 0;
    runCommand(session, CmdScrollLeft, 1);  // a notification other than a click
    for (int16_t id : {1, 6, 7, 11, 28, 35, 39, 40}) runCommand(session, id);
    EXPECT_EQ(app.view.panX, 0);
    EXPECT_EQ(app.redrawPending, 0);
    EXPECT_TRUE(boxes.empty());

    for (int16_t id : {CmdScrollLeft, CmdScrollDown, CmdScrollDown, CmdScrollRight, CmdScrollLeft}) runCommand(session, id);
    EXPECT_FLOAT_EQ(app.view.panX, 1);
    EXPECT_FLOAT_EQ(app.view.panY, 2);
    EXPECT_EQ(app.view.layoutValid, 0);
    for (int i = 0; i < 12; ++i) runCommand(session, CmdNextPage);
    EXPECT_EQ(app.view.rulesPage, 9);
    runCommand(session, CmdErase);
    EXPECT_EQ(app.game.selectedDigit, 0);
    runCommand(session, CmdDigit6);
    EXPECT_EQ(app.game.selectedDigit, 6);
    const int16_t numbers[5] = {5, 2, 4, 3, 1};
    for (int16_t id = CmdGrid5; id <= CmdGrid1; ++id) EXPECT_EQ(gridNumberOfCommand(id), numbers[id - CmdGrid5]);
}

TEST_F(Commands, BiggerAndSmallerStepTheScaleWithinItsBounds) {
    applyScale(app, 70);
    app.view.layoutValid = 1;
    app.redrawPending = 0;
    markPainted();
    Effects e = runCommand(session, CmdBigger);
    EXPECT_EQ(app.view.scale, 70);
    EXPECT_EQ(app.view.layoutValid + app.redrawPending * 2 + discarded() * 4, 1);  // nothing redone

    applyScale(app, 40);
    markPainted();
    e = runCommand(session, CmdBigger);
    EXPECT_EQ(app.view.scale, 50);
    EXPECT_EQ(gridViewAt(app.view.scale).digitHeight, 27);  // what the paint draws the digits with
    EXPECT_EQ(grid().cellSize, 50);
    EXPECT_EQ(app.view.layoutValid, 0);
    EXPECT_EQ(discarded() + e.forceBarRefresh, 2);
    runCommand(session, CmdSmaller);
    runCommand(session, CmdSmaller);
    EXPECT_EQ(app.view.scale, 40);
}

TEST_F(Commands, ACommandArrivingWhileABoxIsOpenIsRefusedWithTwoBeeps) {
    Effects inner;
    insideBox = [&] { inner = runCommand(session, CmdBigger); };
    answer({AnswerCancel});
    runCommand(session, CmdInformation);
    EXPECT_EQ(inner.refused, 1);
    EXPECT_EQ(app.view.scale, 40);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 5}, {1200, 5}}));
    EXPECT_EQ(runCommand(session, CmdBigger).refused, 0);  // taken again once the first is over
    EXPECT_EQ(app.view.scale, 50);
}

TEST_F(Commands, InformationShowsItsPagesInOrderAndStopsAtTheFirstCancel) {
    runCommand(session, CmdInformation);
    const std::string expected[6] = {
        composeMessage(7, 0, grid().cellCount, grid().gridCode).s, composeMessage(15, 0).s, composeMessage(14, 0).s,
        composeMessage(3, 0, static_cast<long>(grid().view)).s, composeMessage(13, 0).s, composeMessage(2, 0).s};
    ASSERT_EQ(boxes.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(boxText(i), expected[i]) << i;
        EXPECT_EQ(boxes[i].buttons, i < 5 ? BoxOkCancel : BoxOk);
        EXPECT_EQ(boxes[i].caption.s, "ORNEL 162");
    }
    boxes.clear();
    answer({AnswerOk, AnswerOk, AnswerCancel});
    runCommand(session, CmdInformation);
    EXPECT_EQ(boxes.size(), 3u);
}

TEST_F(Commands, LanguagePauseAndCloseAskWithTheClockStopped) {
    bool runningInside = true;
    insideBox = [&] { runningInside = app.clocks.stopwatches[1].running != 0; };
    Effects e = runCommand(session, CmdLanguage);
    EXPECT_FALSE(runningInside);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 1);
    EXPECT_EQ(app.view.language, 1);
    EXPECT_EQ(e.labelsChanged, 1);
    EXPECT_EQ(boxText(0), "English");
    runCommand(session, CmdLanguage);
    EXPECT_EQ(boxText(1), "Fran\xE7" "ais");

    answer({AnswerNo});
    EXPECT_EQ(runCommand(session, CmdPause).minimise, 0);
    EXPECT_EQ(boxes[2].icon, IconWarning);
    EXPECT_EQ(boxes[2].secondIsDefault, 1);
    EXPECT_EQ(runCommand(session, CmdPause).minimise, 1);
    EXPECT_EQ(app.clocks.minimised, 1);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 0);  // the resume after the box leaves a minimised clock stopped

    setClocksMinimised(app, false);
    answer({AnswerNo});
    EXPECT_FALSE(closeRequest(session));
    EXPECT_EQ(boxText(4), composeMessage(9, 0).s);
    EXPECT_EQ(boxes[4].icon, IconStop);
    EXPECT_EQ(boxes[4].secondIsDefault, 1);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 1);
    EXPECT_TRUE(closeRequest(session));
    EXPECT_EQ(runCommand(session, CmdExit).sendClose, 1);
}

TEST_F(Commands, ReloadingTheGridInPlayRestoresItsLastSaveWithAnEmptyHistory) {
    playMoves(2);
    std::string saved = state();
    storeGridState(app, 1, saved);
    playMoves(1);
    runCommand(session, CmdGrid1);
    EXPECT_EQ(boxText(0), composeMessage(5, 0, 1).s);
    EXPECT_EQ(boxes[0].icon, IconQuestion);
    EXPECT_EQ(state(), saved);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
    EXPECT_EQ(app.game.undoHistory.cursor, 0);

    // Without a save the grid comes back as it starts: its cells are not rebuilt for the same code.
    app.game.gridStates.clear();
    runCommand(session, CmdGrid1);
    EXPECT_EQ(state(), fresh.s);
}

TEST_F(Commands, AnotherGridAsksFirstAndStoresNothing) {
    playMoves(2);
    std::string before = state();
    answer({AnswerNo});
    markPainted();
    Effects e = runCommand(session, CmdGrid2);
    EXPECT_EQ(boxText(0), composeMessage(4, 0, 2).s);
    EXPECT_EQ(app.game.gridNumber, 1);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(discarded(), 0);

    applyScale(app, 60);
    markPainted();
    e = runCommand(session, CmdGrid2);
    EXPECT_EQ(app.game.gridNumber, 2);
    EXPECT_EQ(grid().gridCode.s, gridCodeOfNumber(2).s);
    EXPECT_TRUE(gridStateOf(app, 1).isEmpty());
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
    EXPECT_EQ(e.showSplash + discarded(), 2);
    EXPECT_EQ(grid().cellSize, 60);  // the loader's own size gives way to the scale
    EXPECT_EQ(app.clocks.stopwatches[2].running, 1);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 0);
}

TEST_F(Commands, RulesAndBackRestoreThePlayStateExactlyWithClocksStoppedMeanwhile) {
    playMoves(4);
    runCommand(session, CmdUndo);
    std::string before = state();
    const std::vector<Move> moves = app.game.undoHistory.moves;
    int32_t seconds = app.clocks.stopwatches[1].elapsedSeconds();
    session.input.linkDisplay = true;

    Effects e = runCommand(session, CmdGameRules);
    EXPECT_EQ(app.view.screenMode, ScreenMode::Rules);
    EXPECT_EQ(e.enterRules + e.labelsChanged, 2);
    EXPECT_FALSE(session.input.linkDisplay);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
    // Reading the pages, asking and answering No to the close question, opening them again: the clock stays still.
    fakeNow += 60000;
    answer({AnswerNo});
    closeRequest(session);
    runCommand(session, CmdGameRules);
    fakeNow += 60000;
    EXPECT_EQ(app.clocks.stopwatches[1].elapsedSeconds(), seconds);

    e = runCommand(session, CmdReturnToGrid);
    EXPECT_EQ(app.view.screenMode, ScreenMode::Play);
    EXPECT_EQ(e.leaveRules + e.labelsChanged, 2);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(app.game.undoHistory.moves, moves);
    EXPECT_EQ(app.game.undoHistory.cursor, 3);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 1);

    // Outside the rules nothing is parked: "R" must not bring back an old state over the moves made since.
    std::vector<int16_t> more = playMoves(1);
    EXPECT_EQ(runCommand(session, CmdReturnToGrid).leaveRules, 0);
    EXPECT_NE(cellValue(grid(), more[0]), 0);
}

/*
 * Back from the rules, the clock judges the board that is played, not the
 * last save read on the way: a solved grid's time never grows again, and a
 * grid that is no longer full counts again.
 */
TEST_F(Commands, BackFromTheRulesTheClockRunsOnlyOnAGridThatIsNotFull) {
    int16_t empty = 0;
    for (int16_t i = 1; i <= grid().cellCount; ++i)
        if (cellValue(grid(), i) == 0) ++empty;
    playMoves(empty);
    ASSERT_TRUE(isGridFull(grid()));
    app.game.winPending = 1;
    answer({AnswerOk, AnswerNo});  // bravo, then no save: the last save is the unsolved start
    announceWin(session);
    const int32_t solvedIn = app.clocks.stopwatches[1].elapsedSeconds();
    runCommand(session, CmdGameRules);
    runCommand(session, CmdReturnToGrid);
    fakeNow += 90000;
    EXPECT_EQ(app.clocks.stopwatches[1].running, 0);
    EXPECT_EQ(app.clocks.stopwatches[1].elapsedSeconds(), solvedIn);

    // Saved solved, then a digit taken out: the board played is not full, so its clock runs again.
    saveGame(session);
    for (int16_t i = 1; i <= grid().cellCount; ++i)
        if (!isCellFixed(grid(), i)) {
            setCellValue(grid(), i, 0);
            break;
        }
    runCommand(session, CmdGameRules);
    runCommand(session, CmdReturnToGrid);
    EXPECT_FALSE(isGridFull(grid()));
    EXPECT_EQ(app.clocks.stopwatches[1].running, 1);
}

TEST_F(Commands, ReturnToFixedNumbersClearsMovesHistoryAndTimeOnYes) {
    playMoves(3);
    fakeNow += 5000;
    answer({AnswerNo});
    runCommand(session, CmdFixedNumbers);
    EXPECT_EQ(boxes[0].secondIsDefault, 1);
    EXPECT_EQ(moveCount(app.game.undoHistory), 3);
    runCommand(session, CmdFixedNumbers);
    EXPECT_EQ(state(), fresh.s);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
    EXPECT_EQ(app.clocks.stopwatches[1].elapsedSeconds(), 0);

    // Right after a load that restored a saved state, nothing of that state comes back.
    playMoves(3);
    storeGridState(app, 1, state());
    runCommand(session, CmdGrid1);
    runCommand(session, CmdFixedNumbers);
    EXPECT_EQ(state(), fresh.s);
}

TEST_F(Commands, SaveWritesTheSettingsFileThatTheNextStartReads) {
    playMoves(3);
    answer({AnswerNo});
    runCommand(session, CmdSave);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));
    runCommand(session, CmdSave);
    EXPECT_EQ(boxText(1), composeMessage(11, 0).s);
    EXPECT_EQ(boxes.size(), 2u);

    AppState next;
    next.settingsPath = app.settingsPath;
    ASSERT_EQ(loadSettings(next), SettingsLoaded);
    EXPECT_EQ(gridStateOf(next, 1).s, state());

    // Without a grid number the question is answered but nothing is written.
    fs::remove(app.settingsPath.s);
    app.game.gridNumber = 0;
    runCommand(session, CmdSave);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));
}

TEST_F(Commands, AFailedSaveSaysSoAndKeepsTheGame) {
    fs::create_directories(app.settingsPath.s);  // a folder where the file should be
    playMoves(2);
    std::string before = state();
    app.view.language = 1;
    runCommand(session, CmdSave);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxText(1), saveFailedText(1, app.settingsPath).s);
    EXPECT_EQ(state(), before);
    EXPECT_EQ(moveCount(app.game.undoHistory), 2);
    EXPECT_NE(saveFailedText(0, "x").s, saveFailedText(1, "x").s);
}

TEST_F(Commands, WinIsAnnouncedOnceAndSavedOnYes) {
    playMoves(2);
    app.game.winPending = 1;
    size_t boxesInside = 99;
    // A paint arriving while the bravo box is open must not announce the win a second time.
    insideBox = [&] {
        size_t before = boxes.size();
        announceWin(session);
        boxesInside = boxes.size() - before;
    };
    announceWin(session);
    EXPECT_EQ(boxesInside, 0u);
    EXPECT_EQ(boxText(0), composeMessage(6, 0, 1).s);
    EXPECT_EQ(boxText(1), composeMessage(12, 0).s);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 80}, {1200, 35}, {1600, 35}}));
    EXPECT_EQ(app.clocks.stopwatches[1].running, 0);
    EXPECT_EQ(gridStateOf(app, 1).s, state());
    EXPECT_TRUE(fs::exists(app.settingsPath.s));

    fs::remove(app.settingsPath.s);
    app.game.gridStates.clear();
    app.game.winPending = 1;
    answer({AnswerOk, AnswerNo});
    announceWin(session);
    EXPECT_FALSE(fs::exists(app.settingsPath.s));
    EXPECT_TRUE(app.game.gridStates.isEmpty());
}

TEST_F(Commands, ScrollHintIsShownOnceWhenAnArrowFirstAppears) {
    EXPECT_FALSE(showScrollHintIfDue(session, false));
    EXPECT_TRUE(showScrollHintIfDue(session, true));
    EXPECT_FALSE(showScrollHintIfDue(session, true));
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(app.clocks.stopwatches[1].running, 1);  // not wrapped: the clock goes on
}

}  // namespace
