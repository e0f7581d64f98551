// New grids and hints through the session's events: asked with their keys, played, saved, found again after a restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/session.h"
#include "content/new_grid.h"
#include "puzzle/candidates.h"
#include "puzzle/hints.h"
#include "puzzle/state_string.h"
#include "tests/test_support.h"
#include "ui/hint_texts.h"

namespace fs = std::filesystem;

namespace {

/*
 * A started session whose boxes are answered from a script: a choice box takes
 * the next scripted choice (-1 cancels), every other box Ok or Yes. Every box
 * is kept.
 */
struct Player {
    Session s;
    std::vector<BoxRequest> boxes;
    std::vector<int16_t> choices;

    explicit Player(const fs::path& settings) {
        s.feedback.ask = [this](const BoxRequest& r) {
            boxes.push_back(r);
            if (r.choices.count() == 0) return r.buttons == BoxYesNo ? AnswerYes : AnswerOk;
            if (choices.empty()) return AnswerCancel;
            const int16_t k = choices.front();
            choices.erase(choices.begin());
            return k < 0 ? AnswerCancel : choiceAnswer(k);
        };
        s.seedClock = [] { return 4242u; };
        beginSession(s, 1024, 768);
        s.app.settingsPath.assign(settings.string());
        loadSettings(s.app);
        openGame(s);
        s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
        setMeasureResolution(s, 96, 96);
        layOutIfNeeded(s);
    }

    Effects key(bool newGrid, bool hint) {
        Effects fx;
        if (newGrid) mergeEffects(fx, handle(s, keyPressEvent(KeyN)));
        if (hint) mergeEffects(fx, handle(s, keyPressEvent(KeyH)));
        return fx;
    }

    // A press and release on the centre of a cell.
    void click(int16_t cell) {
        const ShapePoint p = clientPointOfGrid(s.layout, cellCentre(s.app.game.grids[0], cell));
        Event e;
        e.kind = EventKind::PointerPressed;
        e.x = p.x;
        e.y = p.y;
        handle(s, e);
        e.kind = EventKind::PointerReleased;
        handle(s, e);
    }

    void place(int16_t cell, int16_t digit) {
        Event e;
        e.kind = EventKind::Command;
        e.command = static_cast<int16_t>(CmdErase + digit);
        handle(s, e);
        click(cell);
    }
};

// One solution, and the grade the asked level calls for, of the givens the grid in play shows.
void expectPuzzleOfItsLevel(Grid& g, int16_t size, int16_t level) {
    const SolverModel model = modelFromGrid(g);
    CellDigits givens(model.cellCount + 1, 0);
    for (int16_t c = 1; c <= g.cellCount; ++c)
        if (isCellFixed(g, c)) givens[c] = cellValue(g, c);
    EXPECT_EQ(countSolutions(model, givens, 2), 1);
    EXPECT_EQ(gradePuzzle(model, givens).grade, newGridGrade(size, level));
}

}  // namespace

TEST(NewGridSession, AskedWithItsKeyPlayedSavedAndFoundAgainAfterARestart) {
    const fs::path dir = freshTempDir("ornel_newgrid_session_");
    const fs::path file = dir / "ORNEL 162.TXT";
    Player p(file);
    ASSERT_EQ(p.s.app.game.gridNumber, 1);
    storeGridState(p.s.app, 2, "GGA");  // a numbered grid's game, which no new grid touches
    p.s.app.clocks.stopwatches[2].addSeconds(75);

    // Cancelling the level changes nothing; then size 4 at level 6.
    p.choices = {3, -1};
    Effects fx = p.key(true, false);
    EXPECT_EQ(fx.makeNewGrid, 0);
    EXPECT_EQ(p.s.app.game.gridNumber, 1);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].choices.count(), kNewGridSizes);
    EXPECT_EQ(p.boxes[1].choices.count(), 7);
    EXPECT_NE(p.boxes[1].text.s.find(" cases"), std::string::npos);  // French, the start language

    p.choices = {3, 5};
    fx = p.key(true, false);
    ASSERT_EQ(fx.makeNewGrid, 1);
    EXPECT_EQ(fx.showSplash, 1);
    EXPECT_EQ(p.s.app.game.gridNumber, 1) << "the grid is made only once the splash shows";
    fx = handle(p.s, eventOf(EventKind::NewGridMade));
    EXPECT_EQ(fx.showSplash, 1);
    EXPECT_EQ(fx.layoutChanged, 1);
    EXPECT_EQ(p.s.app.busyDepth, 0);
    Grid& g = p.s.app.game.grids[0];
    ASSERT_EQ(p.s.app.game.gridNumber, kNewGridNumber);
    EXPECT_EQ(g.gridCode.s, "N4-6-4242");
    EXPECT_EQ(p.s.app.view.screenMode, ScreenMode::Play);
    expectPuzzleOfItsLevel(g, 4, 6);
    // Its clock runs from the moment it is shown, the grid in play before has stopped.
    EXPECT_EQ(p.s.app.clocks.stopwatches[kNewGridNumber].running, 1);
    EXPECT_EQ(p.s.app.clocks.stopwatches[1].running, 0);

    // Played like any grid: three hinted placements by click, one undone.
    for (int move = 0; move < 3; ++move) {
        const Hint h = hintForGrid(g);
        ASSERT_EQ(h.kind, HintKind::Placement);
        p.place(h.cell, h.digit);
        ASSERT_EQ(cellValue(g, h.cell), h.digit);
    }
    handle(p.s, commandEvent(CmdUndo));
    EXPECT_EQ(p.s.app.game.undoHistory.cursor, 2);
    p.s.app.clocks.stopwatches[kNewGridNumber].addSeconds(42);
    const std::string played = writeStateString(g).s;
    ASSERT_TRUE(saveGame(p.s));

    // A restart finds it with its game and its time; the numbered grids keep theirs.
    Player again(file);
    Grid& back = again.s.app.game.grids[0];
    ASSERT_EQ(again.s.app.game.gridNumber, kNewGridNumber);
    EXPECT_EQ(back.gridCode.s, "N4-6-4242");
    EXPECT_EQ(writeStateString(back).s, played);
    EXPECT_GE(again.s.app.clocks.stopwatches[kNewGridNumber].elapsedSeconds(), 42);
    EXPECT_EQ(gridStateOf(again.s.app, 2).s, "GGA");
    EXPECT_EQ(again.s.app.clocks.stopwatches[2].elapsedSeconds(), 75);
    expectPuzzleOfItsLevel(back, 4, 6);

    // Grid 1 and back: the new grid stays grid 6.
    Effects loaded;
    ASSERT_TRUE(loadGridNumber(again.s, 1, false, loaded));
    ASSERT_TRUE(loadGridNumber(again.s, kNewGridNumber, false, loaded));
    EXPECT_EQ(back.gridCode.s, "N4-6-4242");

    // Another new grid replaces only the previous new one: empty game, clock at zero.
    again.s.seedClock = [] { return 7u; };
    again.choices = {0, 0};
    ASSERT_EQ(again.key(true, false).makeNewGrid, 1);
    handle(again.s, eventOf(EventKind::NewGridMade));
    EXPECT_EQ(back.gridCode.s, "N1-1-7");
    EXPECT_EQ(again.s.app.clocks.stopwatches[kNewGridNumber].elapsedSeconds(), 0);
    EXPECT_TRUE(gridStateOf(again.s.app, kNewGridNumber).isEmpty());
    EXPECT_EQ(gridStateOf(again.s.app, 2).s, "GGA");
    expectPuzzleOfItsLevel(back, 1, 1);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

TEST(NewGridSession, HintOutlinesTheNextCellOrTheWrongDigitAndPlacesNothing) {
    const fs::path dir = freshTempDir("ornel_hint_session_");
    Player p(dir / "ORNEL 162.TXT");
    Grid& g = p.s.app.game.grids[0];
    ASSERT_EQ(p.s.app.game.gridNumber, 1);
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = gridSolution(g, model);
    p.s.app.view.language = 1;

    // One right move first, so the history has something to keep.
    Hint first = hintForGrid(g);
    ASSERT_EQ(first.kind, HintKind::Placement);
    p.place(first.cell, first.digit);
    const std::string board = writeStateString(g).s;
    const int entries = moveCount(p.s.app.game.undoHistory);
    const int16_t cursor = p.s.app.game.undoHistory.cursor;

    p.boxes.clear();
    p.key(false, true);
    const Hint h = hintForGrid(g);
    ASSERT_EQ(h.kind, HintKind::Placement);
    EXPECT_EQ(h.digit, solution[h.cell]);
    EXPECT_EQ(cellValue(g, h.cell), 0);
    EXPECT_EQ(p.s.app.game.hint.cell, h.cell);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text.s, hintText(h, g, model, 1).s);
    EXPECT_EQ(writeStateString(g).s, board);
    EXPECT_EQ(moveCount(p.s.app.game.undoHistory), entries);
    EXPECT_EQ(p.s.app.game.undoHistory.cursor, cursor);

    // The next click on the grid takes the outline away.
    p.click(h.cell);
    EXPECT_EQ(p.s.app.game.hint.cell, 0);

    // A digit against the solution: the hint outlines it and says so.
    int16_t wrongCell = 0;
    for (int16_t c = 1; c <= g.cellCount && !wrongCell; ++c) {
        if (cellValue(g, c) != 0) continue;
        recomputeCandidates(g);
        for (int16_t d = 1; d <= 6 && !wrongCell; ++d) {
            if (d == solution[c] || !isCandidate(g, c, d)) continue;
            p.place(c, d);
            if (cellValue(g, c) == d) wrongCell = c;
        }
    }
    ASSERT_NE(wrongCell, 0);
    p.boxes.clear();
    p.key(false, true);
    EXPECT_EQ(hintForGrid(g).kind, HintKind::Contradiction);
    EXPECT_EQ(p.s.app.game.hint.cell, wrongCell);
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_EQ(p.boxes[0].text.s, hintText(hintForGrid(g), g, model, 1).s);
    // A re-do with nothing to re-do still takes the outline away, and the window is told to show that.
    p.s.app.redrawPending = false;
    handle(p.s, commandEvent(CmdRedo));
    EXPECT_EQ(p.s.app.game.hint.cell, 0);
    EXPECT_TRUE(p.s.app.redrawPending);

    // Nothing happens outside Play mode.
    clearHintMarks(p.s.app.game);
    handle(p.s, commandEvent(CmdGameRules));
    p.boxes.clear();
    p.key(true, true);
    EXPECT_TRUE(p.boxes.empty());
    EXPECT_EQ(p.s.app.game.hint.cell, 0);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

/*
 * A board whose next placement needs more steps than one box holds (N4-7-8,
 * kept in the settings file): the hint key gives the first steps, then the
 * next ones, then the placement, which says it rests on the earlier hints.
 * What was shown stays known through a digit placed meanwhile, and goes with
 * a digit taken back, after which the first box comes again.
 */
TEST(NewGridSession, ALongProofIsToldAFewStepsAtATime) {
    const fs::path dir = freshTempDir("ornel_long_hint_");
    const fs::path file = dir / "ORNEL 162.TXT";
    {
        std::ofstream out(file, std::ios::binary);
        out << "ver=3.6\r\ngri=6\r\nngr=4,7,8\r\n"
               "gv6:A=DCBEAFCBDAHDHAGBAKDGAHEDGAHFGDEAKEECCHDGDKDHEDCEBCEBFK\r\n";
    }
    Player p(file);
    ASSERT_EQ(p.s.app.game.gridNumber, kNewGridNumber);
    Grid& g = p.s.app.game.grids[0];
    const SolverModel model = modelFromGrid(g);
    const CellDigits solution = gridSolution(g, model);
    p.s.app.view.language = 1;
    const std::string board = writeStateString(g).s;

    std::vector<std::string> texts;
    for (int asked = 0; asked < 8; ++asked) {
        const Hint expected = hintThatFits(hintForGrid(g, &p.s.app.game.taught), g, model);
        p.boxes.clear();
        p.key(false, true);
        ASSERT_EQ(p.boxes.size(), 1u);
        texts.push_back(p.boxes[0].text.s);
        EXPECT_EQ(texts.back(), hintText(expected, g, model, 1).s);
        EXPECT_LE(texts.back().size(), kHintBoxLength);
        if (expected.kind != HintKind::FirstSteps) break;
        // The board outlines every cell the steps strike a digit from, once each.
        std::vector<int16_t> struck, outlined = p.s.app.game.hint.struck;
        for (const DeductionStep& step : expected.strikes)
            for (int16_t c : step.struck)
                if (std::find(struck.begin(), struck.end(), c) == struck.end()) struck.push_back(c);
        outlined.push_back(p.s.app.game.hint.cell);
        std::sort(struck.begin(), struck.end());
        std::sort(outlined.begin(), outlined.end());
        EXPECT_EQ(outlined, struck);
    }
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(writeStateString(g).s, board) << "a hint places nothing";
    // The boxes differ, and the last names a placement that rests on them.
    for (size_t i = 1; i < texts.size(); ++i) EXPECT_NE(texts[i], texts[i - 1]);
    EXPECT_NE(texts.back().find("after the earlier hints"), std::string::npos) << texts.back();
    const Hint last = hintForGrid(g, &p.s.app.game.taught);
    ASSERT_EQ(last.kind, HintKind::Placement);
    EXPECT_EQ(last.digit, solution[last.cell]);

    // A right digit placed elsewhere, and taken back, keeps what was shown; a digit of the board it was shown on
    // taken out drops it.
    int16_t other = 0, played = 0;
    for (int16_t c = 1; c <= g.cellCount; ++c) {
        if (cellValue(g, c) == 0 && c != last.cell && !other) other = c;
        if (cellValue(g, c) != 0 && !isCellFixed(g, c) && !played) played = c;
    }
    ASSERT_NE(played, 0);
    p.place(other, solution[other]);
    ASSERT_EQ(cellValue(g, other), solution[other]);
    EXPECT_TRUE(taughtHolds(p.s.app.game.taught, gridBoard(g)));
    handle(p.s, commandEvent(CmdUndo));
    ASSERT_EQ(writeStateString(g).s, board);
    EXPECT_TRUE(taughtHolds(p.s.app.game.taught, gridBoard(g)));
    p.place(played, 0);
    ASSERT_EQ(cellValue(g, played), 0);
    EXPECT_FALSE(taughtHolds(p.s.app.game.taught, gridBoard(g)));
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}
