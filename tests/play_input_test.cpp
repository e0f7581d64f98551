// Tests of the play input: move history, click decisions and effects on a built-in grid, notes, hover, digits, keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/play_input.h"
#include "content/collection.h"
#include "puzzle/candidates.h"
#include "tests/grid_fixtures.h"
#include "puzzle/preparation.h"

namespace {

/*
 * Moves in a short notation, so that a history reads at a glance: "v3,17"
 * puts 3 into cell 17, "/v3,17" takes it out again, "p" and "/p" set and
 * clear a note. Any other letter stands for a kind the history does not know,
 * and a missing cell for cell 0.
 */
std::string textOf(const Move& m) {
    const char* kind = "?";
    switch (m.kind) {
    case MoveKind::Place: kind = "v"; break;
    case MoveKind::Erase: kind = "/v"; break;
    case MoveKind::NoteOn: kind = "p"; break;
    case MoveKind::NoteOff: kind = "/p"; break;
    }
    return kind + std::to_string(m.digit) + "," + std::to_string(m.cell);
}

Move moveOf(const std::string& text) {
    const bool erasure = !text.empty() && text[0] == '/';
    const size_t at = erasure ? 1 : 0;
    const char letter = at < text.size() ? text[at] : '?';
    Move m;
    if (letter == 'v') m.kind = erasure ? MoveKind::Erase : MoveKind::Place;
    else if (letter == 'p') m.kind = erasure ? MoveKind::NoteOff : MoveKind::NoteOn;
    else m.kind = static_cast<MoveKind>(9);
    const size_t comma = text.find(',');
    m.digit = static_cast<int16_t>(std::stoi(text.substr(at + 1, comma - at - 1)));
    m.cell = comma == std::string::npos ? int16_t{0} : static_cast<int16_t>(std::stoi(text.substr(comma + 1)));
    return m;
}

std::vector<std::string> entriesOf(const UndoHistory& h) {
    std::vector<std::string> texts;
    for (const Move& m : h.moves) texts.push_back(textOf(m));
    return texts;
}

UndoHistory historyOf(std::initializer_list<const char*> entries) {
    UndoHistory h;
    for (const char* e : entries) h.moves.push_back(moveOf(e));
    h.cursor = moveCount(h);
    return h;
}

bool recordMove(UndoHistory& h, const std::string& kind, int16_t digit, int16_t cell) {
    return recordMove(h, moveOf(kind + "0").kind, digit, cell);
}

// The grid in play loaded with the first grid of the game ("1251-1"), and a fresh play state.
class PlayOnGrid : public ::testing::Test {
protected:
    AppState app;
    PlayInput input;
    Grid* grid = nullptr;

    void SetUp() override {
        grid = &app.game.grids[0];
        loadBuiltInGrid(*grid, "1251-1");
        prepareGrid(*grid);  // the givens of the level, the corner points, the positions
        recomputeCandidates(*grid);
        ASSERT_GT(grid->cellCount, 6);
        app.view.screenMode = ScreenMode::Play;
        app.redrawPending = 0;
    }

    PixelPoint centreOf(int16_t cell) const { return cellCentreOf(*grid, grid->cellNames.str(cell)); }
    PixelPoint cornerAt(int16_t corner) const { return pointPosition(*grid, grid->cornerPoints.str(corner)); }

    int16_t firstCell(bool fixed, bool empty) const {
        for (int16_t i = 1; i <= grid->cellCount; ++i)
            if (isCellFixed(*grid, i) == fixed && (cellValue(*grid, i) == 0) == empty) return i;
        return 0;
    }
    // An empty cell and a digit that one of its touching cells holds: the placement rule refuses it there.
    bool refusedPlacement(int16_t& cell, int16_t& digit) const {
        for (int16_t i = 1; i <= grid->cellCount; ++i) {
            if (cellValue(*grid, i) != 0) continue;
            for (int16_t p : grid->peerTable[i].peers)
                if (p > 0 && cellValue(*grid, p) > 0) {
                    cell = i;
                    digit = cellValue(*grid, p);
                    return true;
                }
        }
        return false;
    }
    int16_t firstCandidate(int16_t cell) const {
        for (int16_t d = 1; d <= 6; ++d)
            if (isCandidate(*grid, cell, d)) return d;
        return 0;
    }
    // Clicks cell by its centre with the selected digit.
    PlayFeedback clickCell(int16_t cell) {
        PixelPoint c = centreOf(cell);
        storePressPoint(input, PlayPoint{0, 0, c.x, c.y});
        return leftButtonUp(app, input, *grid, PlayPoint{0, 0, c.x, c.y}, 0);
    }
};

}  // namespace

// ---------------------------------------------------------------- move history

TEST(UndoHistoryRecording, AMoveAndItsExactOppositeCancel) {
    UndoHistory h;
    EXPECT_FALSE(recordMove(h, "x", 1, 1));
    recordMove(h, "v", 1, 4);
    recordMove(h, "v", 3, 17);
    recordMove(h, "/v", 3, 17);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v1,4"}));
    recordMove(h, "/v", 1, 4);  // an erasure then the same placement cancel too
    EXPECT_TRUE(h.moves.empty());
    EXPECT_EQ(h.cursor, 0);
    // Not opposites: another cell, or two erasures.
    recordMove(h, "v", 3, 17);
    recordMove(h, "/v", 3, 18);
    recordMove(h, "/v", 4, 18);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v3,17", "/v3,18", "/v4,18"}));
    EXPECT_EQ(h.cursor, 3);
}

TEST(UndoHistoryRecording, ErasuresOlderThanTheLastThreeGoWithThePlacementTheyUndid) {
    UndoHistory h;
    recordMove(h, "v", 3, 17);
    recordMove(h, "v", 1, 2);
    recordMove(h, "/v", 3, 17);
    recordMove(h, "v", 4, 5);
    recordMove(h, "v", 6, 9);
    // Still among the last three: kept, so it can be undone.
    EXPECT_EQ(moveCount(h), 5);
    recordMove(h, "v", 2, 8);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v1,2", "v4,5", "v6,9", "v2,8"}));
    EXPECT_EQ(h.cursor, 4);

    // Every old erasure is found, also below an earlier removal.
    h = historyOf({"v1,1", "v2,2", "/v1,1", "/v2,2", "v3,3", "v4,4"});
    recordMove(h, "v", 5, 5);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v3,3", "v4,4", "v5,5"}));
    // An erasure of a digit no entry placed (a restored game) goes alone; later placements stay.
    h = historyOf({"/v3,17", "v5,2", "v3,17", "v1,1"});
    recordMove(h, "v", 2, 3);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v5,2", "v3,17", "v1,1", "v2,3"}));
}

TEST(UndoHistoryReplay, UndoAndRedoWalkAMixedListAndANewMoveDropsTheRest) {
    Grid g;
    buildGrid(g, {":AB", ":AF", "A:AB", "A:AF"});
    // The grid as the moves left it: 2 in cell 1 (its 5 was erased), 3 in cell 3.
    UndoHistory h = historyOf({"v5,1", "v3,3", "/v5,1", "v2,1"});
    setCellValue(g, 1, 2);
    setCellValue(g, 3, 3);
    const int16_t afterUndo[][2] = {{0, 3}, {5, 3}, {5, 0}, {0, 0}};  // cells 1 and 3
    for (const auto& want : afterUndo) {
        EXPECT_TRUE(undoMove(h, g));
        EXPECT_EQ(cellValue(g, 1), want[0]);
        EXPECT_EQ(cellValue(g, 3), want[1]);
    }
    EXPECT_FALSE(undoMove(h, g));
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(redoMove(h, g));
    EXPECT_EQ(cellValue(g, 1), 2);
    EXPECT_EQ(cellValue(g, 3), 3);
    EXPECT_FALSE(redoMove(h, g));
    EXPECT_EQ(moveCount(h), 4);  // the replay records nothing

    undoMove(h, g);
    undoMove(h, g);
    recordMove(h, "v", 6, 2);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v5,1", "v3,3", "v6,2"}));
    EXPECT_FALSE(canRedo(h));
}

TEST(UndoHistoryReplay, NotesUnusableEntriesAndACursorOutsideTheList) {
    Grid g;
    buildGrid(g, {":AB", ":AF"});
    UndoHistory h = historyOf({"p4,1", "/p2,2", "v9,1", "v1,99", "v1", "q1,1"});
    setCellNotes(g, 1, 8);  // note 4, as "p4,1" left it
    setCellNotes(g, 2, 1);  // "/p2,2" took note 2 away
    h.cursor = 40;          // past the end: brought back
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(undoMove(h, g));  // the unusable ones only step
    EXPECT_EQ(cellValue(g, 1), 0);
    EXPECT_TRUE(undoMove(h, g));
    EXPECT_EQ(cellNotes(g, 2), 3);
    EXPECT_TRUE(undoMove(h, g));
    EXPECT_EQ(cellNotes(g, 1), 0);
    redoMove(h, g);
    redoMove(h, g);
    EXPECT_EQ(cellNotes(g, 1), 8);
    EXPECT_EQ(cellNotes(g, 2), 1);

    h.cursor = -3;
    EXPECT_FALSE(undoMove(h, g));
    recordMove(h, "v", 4, 1);  // everything after "position 0" dropped
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v4,1"}));
    clearHistory(h);
    EXPECT_FALSE(canUndo(h) || canRedo(h));
}

// ---------------------------------------------------------------- click decision

/*
 * The board keeps its rule whatever the history holds. Besides the player's
 * own moves, the board is changed now and then behind the history's back (as
 * a restored game or a reload does), so the history falls out of step with it;
 * undo and re-do must then refuse what the board no longer allows rather than
 * put a digit next to itself.
 */
TEST_F(PlayOnGrid, UndoAndRedoNeverPutADigitNextToItselfWhenTheHistoryIsOutOfStep) {
    auto touchingTwins = [&]() {
        for (int16_t i = 1; i <= grid->cellCount; ++i) {
            const int16_t v = cellValue(*grid, i);
            if (v == 0) continue;
            for (int16_t p : grid->peerTable[i].peers)
                if (p > 0 && cellValue(*grid, p) == v) return true;
        }
        return false;
    };
    uint32_t seed = 20261209;
    auto next = [&](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<uint32_t>(n));
    };
    UndoHistory& h = app.game.undoHistory;
    for (int step = 0; step < 4000; ++step) {
        const int16_t cell = static_cast<int16_t>(1 + next(grid->cellCount));
        const int16_t digit = static_cast<int16_t>(1 + next(6));
        recomputeCandidates(*grid);
        const bool free = !isCellFixed(*grid, cell);
        switch (next(6)) {
        case 0:  // the player places a digit the rule allows
            if (free && cellValue(*grid, cell) == 0 && isCandidate(*grid, cell, digit)) {
                setCellValue(*grid, cell, digit);
                recordMove(h, "v", digit, cell);
            }
            break;
        case 1:  // the player erases one of their digits
            if (free && cellValue(*grid, cell) != 0) {
                recordMove(h, "/v", cellValue(*grid, cell), cell);
                setCellValue(*grid, cell, 0);
            }
            break;
        case 2:
            undoMove(h, *grid);
            break;
        case 3:
            redoMove(h, *grid);
            break;
        default:  // the board changes without the history knowing
            if (!free) break;
            if (cellValue(*grid, cell) != 0) setCellValue(*grid, cell, 0);
            else if (isCandidate(*grid, cell, digit)) setCellValue(*grid, cell, digit);
            break;
        }
        ASSERT_FALSE(touchingTwins()) << "step " << step;
        ASSERT_GE(h.cursor, 0);
        ASSERT_LE(h.cursor, moveCount(h));
    }
}

TEST_F(PlayOnGrid, ThePressPointDecidesBetweenCellCornerAndSelector) {
    // Releasing on another cell still acts on the pressed one.
    PixelPoint c = centreOf(3), other = centreOf(5);
    ClickDecision d = decideLeftClick(*grid, c.x, c.y, other.x, other.y);
    EXPECT_EQ(d.kind, ClickKind::Cell);
    EXPECT_EQ(d.cell, 3);

    // A press on a corner: highlight up to 5 pixels away, nothing from 6 to 24, a drag beyond.
    ASSERT_GT(grid->cornerPoints.count(), 0);
    PixelPoint p = cornerAt(1);
    ASSERT_EQ(cellAtPoint(*grid, p.x, p.y), 0);
    struct Case {
        int dx, dy;
        ClickKind kind;
    };
    const Case cases[] = {{0, 0, ClickKind::CornerHighlight}, {3, -2, ClickKind::CornerHighlight},
                          {6, 0, ClickKind::DeadZone},         {0, 24, ClickKind::DeadZone},
                          {25, 0, ClickKind::CornerDrag},       {-13, -12, ClickKind::CornerDrag}};
    for (const Case& k : cases) {
        d = decideLeftClick(*grid, p.x, p.y, p.x + k.dx, p.y + k.dy);
        EXPECT_EQ(d.kind, k.kind) << k.dx << "," << k.dy;
        EXPECT_EQ(d.corner, 1);
    }
    // The last one scrolls by the dragged distance in cells.
    app.view.layoutValid = 1;
    applyLeftClick(app, input, *grid, d, 0);
    EXPECT_FLOAT_EQ(app.view.panX, -13.0f / grid->cellSize);
    EXPECT_FLOAT_EQ(app.view.panY, -12.0f / grid->cellSize);
    EXPECT_EQ(app.view.layoutValid, 0);

    // Far from both: the selector digit under the release, if any, is selected.
    GridBox box = boundingBox(*grid);
    d = decideLeftClick(*grid, box.right + 200, box.top + 200, box.right + 200, box.top + 200);
    EXPECT_EQ(d.kind, ClickKind::Selector);
    applyLeftClick(app, input, *grid, d, 4);
    EXPECT_EQ(app.game.selectedDigit, 4);
    applyLeftClick(app, input, *grid, d, 0);
    EXPECT_EQ(app.game.selectedDigit, 4);
}

TEST_F(PlayOnGrid, HighlightsShiftAndTheNewestClickedAgainClearsThem) {
    auto highlights = [&] {
        return std::vector<int16_t>(app.game.hexHighlights, app.game.hexHighlights + 3);  // newest first
    };
    for (int16_t corner : {4, 7, 9, 2}) highlightCorner(app, corner);
    EXPECT_EQ(highlights(), (std::vector<int16_t>{2, 9, 7}));
    highlightCorner(app, 7);  // not the newest: shifts again
    EXPECT_EQ(highlights(), (std::vector<int16_t>{7, 2, 9}));
    highlightCorner(app, 7);
    EXPECT_EQ(highlights(), (std::vector<int16_t>{0, 0, 0}));
    EXPECT_EQ(app.redrawPending, 1);
}

// ---------------------------------------------------------------- placing and erasing

TEST_F(PlayOnGrid, ACandidateIsPlacedRecordedAndErasedAgain) {
    const int16_t cell = firstCell(false, true);
    const int16_t digit = firstCandidate(cell);
    ASSERT_NE(digit, 0);
    app.game.selectedDigit = digit;
    EXPECT_EQ(clickCell(cell), PlayFeedback::None);
    EXPECT_EQ(cellValue(*grid, cell), digit);
    EXPECT_EQ(app.game.currentCell, cell);
    EXPECT_EQ(entriesOf(app.game.undoHistory), (std::vector<std::string>{textOf(Move{MoveKind::Place, digit, cell})}));
    EXPECT_EQ(app.game.winPending, 0);

    // The same digit again erases; the pair cancels in the history.
    EXPECT_EQ(clickCell(cell), PlayFeedback::Erased);
    EXPECT_EQ(cellValue(*grid, cell), 0);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());

    // Erasing with digit 0 records the old digit.
    clickCell(cell);
    app.game.selectedDigit = 0;
    recordMove(app.game.undoHistory, "v", 1, 999);  // something in between, so nothing cancels
    EXPECT_EQ(clickCell(cell), PlayFeedback::Erased);
    EXPECT_EQ(app.game.undoHistory.moves[app.game.undoHistory.cursor - 1], (Move{MoveKind::Erase, digit, cell}));
}

TEST_F(PlayOnGrid, ATouchingDigitOrAnotherPlayersDigitIsRefused) {
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(refusedPlacement(cell, digit));
    // Stale sets (as a restored game leaves them) must not let the digit in: they are rebuilt first.
    grid->cells[cell].candidates = kAllDigits;
    app.game.selectedDigit = digit;
    EXPECT_EQ(clickCell(cell), PlayFeedback::Refused);
    EXPECT_EQ(cellValue(*grid, cell), 0);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());

    const int16_t free = firstCell(false, true);
    recomputeCandidates(*grid);
    const int16_t placed = firstCandidate(free);
    app.game.selectedDigit = placed;
    clickCell(free);
    app.game.selectedDigit = static_cast<int16_t>(placed % 6 + 1);
    EXPECT_EQ(clickCell(free), PlayFeedback::Refused);
    EXPECT_EQ(cellValue(*grid, free), placed);
    EXPECT_EQ(moveCount(app.game.undoHistory), 1);
}

TEST_F(PlayOnGrid, AGivenSelectsItsDigitInsteadOfChangingTheCell) {
    const int16_t given = firstCell(true, false);
    ASSERT_NE(given, 0);
    const int16_t value = cellValue(*grid, given);
    app.game.selectedDigit = static_cast<int16_t>(value % 6 + 1);
    EXPECT_EQ(clickCell(given), PlayFeedback::None);
    EXPECT_EQ(app.game.selectedDigit, value);
    app.game.selectedDigit = 0;  // not even the eraser changes a given
    clickCell(given);
    EXPECT_EQ(cellValue(*grid, given), value);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
    // Nor do undo and re-do.
    UndoHistory h;
    recordMove(h, "v", value, given);
    undoMove(h, *grid);
    EXPECT_EQ(cellValue(*grid, given), value);
}

TEST_F(PlayOnGrid, TheEraserOnAnEmptyCellClearsNotesOnlyWhenTheGridHasSome) {
    const int16_t cell = firstCell(false, true);
    app.game.selectedDigit = 0;
    EXPECT_EQ(clickCell(cell), PlayFeedback::Refused);
    const int16_t elsewhere = grid->cellCount == cell ? 1 : grid->cellCount;
    setCellNotes(*grid, cell, 5);
    setCellNotes(*grid, elsewhere, 2);
    EXPECT_EQ(clickCell(cell), PlayFeedback::NotesCleared);
    EXPECT_EQ(cellNotes(*grid, cell), 0);
    EXPECT_EQ(cellNotes(*grid, elsewhere), 2);
    EXPECT_TRUE(app.game.undoHistory.moves.empty());
}

TEST_F(PlayOnGrid, FillingTheLastCellMarksTheWin) {
    int16_t last = 0;
    for (int16_t i = 1; i <= grid->cellCount; ++i) {
        ASSERT_GT(grid->cells[i].solution, 0);
        if (cellValue(*grid, i) == 0) {
            if (last != 0) setCellValue(*grid, last, grid->cells[last].solution);
            last = i;
        }
    }
    app.game.selectedDigit = grid->cells[last].solution;
    EXPECT_EQ(clickCell(last), PlayFeedback::None);
    EXPECT_EQ(app.game.winPending, 1);
}

// ---------------------------------------------------------------- right click and hover

TEST_F(PlayOnGrid, RightClickFillsAllNotesThenTogglesTheNearestOne) {
    const int16_t cell = firstCell(false, true);
    PixelPoint c = centreOf(cell);
    EXPECT_TRUE(rightClick(app, *grid, c.x, c.y));
    EXPECT_EQ(app.game.currentCell, cell);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits);
    PixelPoint n4 = notePosition(*grid, cell, 4);
    rightClick(app, *grid, n4.x, n4.y);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits - 8);
    rightClick(app, *grid, n4.x, n4.y);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits);

    // A cell holding a digit takes no notes: they would never show nor be saved.
    const int16_t given = firstCell(true, false);
    PixelPoint g = centreOf(given);
    EXPECT_TRUE(rightClick(app, *grid, g.x, g.y));
    EXPECT_EQ(cellNotes(*grid, given), 0);

    // With candidateFill set, an empty cell gets the one note under the point.
    int16_t other = 0;
    for (int16_t i = 1; i <= grid->cellCount && other == 0; ++i)
        if (i != cell && cellValue(*grid, i) == 0) other = i;
    ASSERT_NE(other, 0);
    app.view.candidateFill = 1;
    PixelPoint n2 = notePosition(*grid, other, 2);
    rightClick(app, *grid, n2.x, n2.y);
    EXPECT_EQ(cellNotes(*grid, other), 2);

    // Off the cells, or outside Play mode, neither button does anything.
    GridBox box = boundingBox(*grid);
    EXPECT_FALSE(rightClick(app, *grid, box.right + 300, box.top + 300));
    app.view.screenMode = ScreenMode::Rules;
    EXPECT_FALSE(rightClick(app, *grid, n2.x, n2.y));
    EXPECT_EQ(cellNotes(*grid, other), 2);
    app.game.selectedDigit = 0;
    EXPECT_EQ(clickCell(cell), PlayFeedback::None);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits);
}

TEST_F(PlayOnGrid, HoverNamesTheCellReportsChangesAndFindsHexagonCentres) {
    PixelPoint c = centreOf(1);
    EXPECT_TRUE(hoverAt(app, input, *grid, c.x, c.y));
    TextString expected;
    expected.assign2("L", numberText(grid->cells[1].textRow));
    expected.append2(" C", numberText(grid->cells[1].textColumn));
    EXPECT_EQ(input.cellInfoText.s, expected.s);
    EXPECT_FALSE(hoverAt(app, input, *grid, c.x + 1, c.y));  // same cell, same text
    EXPECT_EQ(input.overHexagon, 0);

    PixelPoint h = pointPosition(*grid, grid->hexagons.str(1));
    EXPECT_TRUE(hoverAt(app, input, *grid, h.x + 2, h.y - 2));
    EXPECT_TRUE(input.cellInfoText.isEmpty());
    EXPECT_EQ(input.overHexagon, 1);
    app.game.selectedDigit = 3;
    EXPECT_EQ(chooseCursor(app, input), kCursorHexagon);
    hoverAt(app, input, *grid, c.x, c.y);
    EXPECT_EQ(chooseCursor(app, input), 3);

    // The rules pages leave the field alone.
    app.view.screenMode = ScreenMode::Rules;
    EXPECT_FALSE(hoverAt(app, input, *grid, h.x, h.y));
    EXPECT_EQ(input.cellInfoText.s, expected.s);
}

// ---------------------------------------------------------------- digits, keys, cursor

TEST(DigitSelection, SixInARowKeyPriorityAndRedrawOnlyOnChange) {
    AppState app;
    PlayInput input;
    for (int k = 1; k <= 5; ++k) selectDigit(app, input, 6);
    selectDigit(app, input, 5);  // breaks the row
    for (int k = 1; k <= 5; ++k) selectDigit(app, input, 6);
    EXPECT_FALSE(input.linkDisplay);
    selectDigit(app, input, 6);
    EXPECT_TRUE(input.linkDisplay);
    app.redrawPending = 0;
    clearLinkDisplay(app, input);
    EXPECT_FALSE(input.linkDisplay);
    EXPECT_EQ(app.redrawPending, 1);

    // Tab moves on within 1..6.
    EXPECT_EQ(nextDigit(3), 4);
    EXPECT_EQ(nextDigit(6), 1);
    EXPECT_EQ(nextDigit(0), 1);

    // Holding 6 while the keyboard repeats it: no redraw until the completed row sets the link flag.
    input = PlayInput();
    app.game.selectedDigit = 6;
    app.redrawPending = 0;
    for (int k = 0; k < 5; ++k) EXPECT_FALSE(selectDigitByKey(app, input, 6));
    EXPECT_EQ(app.redrawPending, 0);
    EXPECT_TRUE(selectDigitByKey(app, input, 6));
    EXPECT_EQ(app.redrawPending, 1);
}

TEST(CursorChoice, FirstRuleThatAppliesWins) {
    AppState app;
    PlayInput in;
    app.view.screenMode = ScreenMode::Play;
    app.game.selectedDigit = 0;
    EXPECT_EQ(chooseCursor(app, in), 0);
    in.eraseAnimation = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorBurst);
    in.overHexagon = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorHexagon);
    app.view.screenMode = ScreenMode::Rules;
    EXPECT_EQ(chooseCursor(app, in), kCursorArrow);
    app.busyDepth = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorHourglass);
}
