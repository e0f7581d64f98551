// Tests of the play input: move history, click decisions and effects on a built-in grid, notes, hover, digits, keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/play_input.h"
#include "content/collection.h"
#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "tests/grid_fixtures.h"

namespace {

std::vector<std::string> entriesOf(const UndoHistory& h) {
    return h.entries.items;
}

UndoHistory historyOf(std::initializer_list<const char*> entries) {
    UndoHistory h;
    for (const char* e : entries) h.entries.add(e);
    h.cursor = static_cast<int16_t>(h.entries.count());
    return h;
}

// The grid in slot 0 loaded with the first grid of the game ("1251-1"), and a fresh play state.
class PlayOnGrid : public ::testing::Test {
protected:
    AppState app;
    Grid* grid = nullptr;

    void SetUp() override {
        PendingMoves.clear();
        resetPlayInput(playInput);
        loadBuiltInGrid(0, "1251-1");
        grid = &gridSlot(0);
        // Loading the same code again keeps the cells, so the moves of earlier cases are taken back.
        clearEnteredValues(*grid);
        clearAllNotes(*grid);
        prepareGrid(*grid);  // the givens of the level, the corner points, the positions
        recomputeCandidates(*grid);
        ASSERT_GT(grid->cellCount, 6);
        app.screenMode = ScreenPlay;
        app.redrawPending = 0;
    }
    void TearDown() override {
        resetPlayInput(playInput);
        PendingMoves.clear();
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
    // Clicks cell by its centre with the selected digit.
    PlayFeedback clickCell(int16_t cell) {
        PixelPoint c = centreOf(cell);
        storePressPoint(playInput, PlayPoint{0, 0, c.x, c.y});
        return leftButtonUp(app, *grid, PlayPoint{0, 0, c.x, c.y}, 0);
    }
};

}  // namespace

// ---------------------------------------------------------------- move history

TEST(UndoHistoryRecording, EntriesAreKindDigitCommaCell) {
    UndoHistory h;
    EXPECT_TRUE(recordMove(h, "v", 3, 17));
    EXPECT_TRUE(recordMove(h, "/v", 5, 2));
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v3,17", "/v5,2"}));
    EXPECT_EQ(h.cursor, 2);
    EXPECT_FALSE(recordMove(h, "x", 1, 1));
    EXPECT_FALSE(recordMove(h, "", 1, 1));
    EXPECT_EQ(h.entries.count(), 2);
}

TEST(UndoHistoryRecording, AMoveAndItsExactOppositeCancel) {
    UndoHistory h;
    recordMove(h, "v", 1, 4);
    recordMove(h, "v", 3, 17);
    recordMove(h, "/v", 3, 17);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v1,4"}));
    EXPECT_EQ(h.cursor, 1);
    // An erasure followed by the same placement cancels too.
    recordMove(h, "/v", 1, 4);
    EXPECT_TRUE(h.entries.isEmpty());
    EXPECT_EQ(h.cursor, 0);
    // Not opposites: another digit, another cell, or both erasures.
    recordMove(h, "v", 3, 17);
    recordMove(h, "/v", 3, 18);
    recordMove(h, "/v", 4, 18);
    EXPECT_EQ(h.entries.count(), 3);
}

TEST(UndoHistoryRecording, ErasuresOlderThanTheLastThreeGoWithThePlacementTheyUndid) {
    UndoHistory h;
    recordMove(h, "v", 3, 17);
    recordMove(h, "v", 1, 2);
    recordMove(h, "/v", 3, 17);
    recordMove(h, "v", 4, 5);
    recordMove(h, "v", 6, 9);
    // The erasure is still among the last three: kept, so it can be undone.
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v3,17", "v1,2", "/v3,17", "v4,5", "v6,9"}));
    recordMove(h, "v", 2, 8);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v1,2", "v4,5", "v6,9", "v2,8"}));
    EXPECT_EQ(h.cursor, 4);
}

TEST(UndoHistoryRecording, EveryOldErasureIsFoundAfterEarlierRemovals) {
    // The scan goes on below each removal: a second erasure further down is still removed.
    UndoHistory h = historyOf({"v1,1", "v2,2", "/v1,1", "/v2,2", "v3,3", "v4,4"});
    recordMove(h, "v", 5, 5);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v3,3", "v4,4", "v5,5"}));
    EXPECT_EQ(h.cursor, 3);

    // An erasure of a digit that no entry placed (a restored game) goes alone;
    // placements of the same digit after it stay.
    h = historyOf({"/v3,17", "v5,2", "v3,17", "v1,1"});
    recordMove(h, "v", 2, 3);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v5,2", "v3,17", "v1,1", "v2,3"}));
}

TEST(UndoHistoryRecording, ANewMoveAfterUndoDropsTheRedoEntries) {
    Grid g;
    buildGrid(g, {":AB", ":AF", "A:AB", "A:AF"});
    UndoHistory h;
    recordMove(h, "v", 1, 1);
    recordMove(h, "v", 2, 3);
    recordMove(h, "v", 3, 4);
    ASSERT_TRUE(undoMove(h, g));
    ASSERT_TRUE(undoMove(h, g));
    EXPECT_TRUE(canRedo(h));
    recordMove(h, "v", 6, 2);
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v1,1", "v6,2"}));
    EXPECT_EQ(h.cursor, 2);
    EXPECT_FALSE(canRedo(h));
}

TEST(UndoHistoryRecording, CursorOutsideTheListIsBroughtBack) {
    Grid g;
    buildGrid(g, {":AB", ":AF"});
    UndoHistory h = historyOf({"v1,1", "v2,2"});
    h.cursor = 9;  // past the end
    EXPECT_FALSE(canRedo(h));
    EXPECT_TRUE(undoMove(h, g));
    EXPECT_EQ(h.cursor, 1);
    h.cursor = -3;
    EXPECT_FALSE(canUndo(h));
    EXPECT_FALSE(undoMove(h, g));
    recordMove(h, "v", 4, 1);  // everything after "position 0" dropped
    EXPECT_EQ(entriesOf(h), (std::vector<std::string>{"v4,1"}));
    EXPECT_EQ(h.cursor, 1);
    clearHistory(h);
    EXPECT_FALSE(canUndo(h));
    EXPECT_FALSE(canRedo(h));
    EXPECT_EQ(h.cursor, 0);
}

TEST(UndoHistoryReplay, UndoAndRedoWalkAMixedList) {
    Grid g;
    buildGrid(g, {":AB", ":AF", "A:AB", "A:AF"});
    // The grid as the moves left it: 2 in cell 1 (its 5 was erased), 3 in cell 3.
    UndoHistory h = historyOf({"v5,1", "v3,3", "/v5,1", "v2,1"});
    setCellValue(g, 1, 2);
    setCellValue(g, 3, 3);

    EXPECT_TRUE(undoMove(h, g));  // v2,1
    EXPECT_EQ(cellValue(g, 1), 0);
    EXPECT_TRUE(undoMove(h, g));  // /v5,1
    EXPECT_EQ(cellValue(g, 1), 5);
    EXPECT_TRUE(undoMove(h, g));  // v3,3
    EXPECT_EQ(cellValue(g, 3), 0);
    EXPECT_TRUE(undoMove(h, g));  // v5,1
    EXPECT_EQ(cellValue(g, 1), 0);
    EXPECT_FALSE(undoMove(h, g));
    EXPECT_EQ(h.cursor, 0);

    EXPECT_TRUE(redoMove(h, g));
    EXPECT_EQ(cellValue(g, 1), 5);
    EXPECT_TRUE(redoMove(h, g));
    EXPECT_TRUE(redoMove(h, g));
    EXPECT_EQ(cellValue(g, 1), 0);
    EXPECT_TRUE(redoMove(h, g));
    EXPECT_EQ(cellValue(g, 1), 2);
    EXPECT_EQ(cellValue(g, 3), 3);
    EXPECT_FALSE(redoMove(h, g));
    EXPECT_EQ(h.cursor, 4);
    EXPECT_EQ(h.entries.count(), 4);  // nothing recorded by the replay
}

TEST(UndoHistoryReplay, NoteEntriesAndEntriesThatNameNothingUsable) {
    Grid g;
    buildGrid(g, {":AB", ":AF"});
    UndoHistory h = historyOf({"p4,1", "/p2,2", "v9,1", "v1,99", "v1", "q1,1"});
    setCellNotes(g, 1, 8);  // note 4, as "p4,1" left it
    setCellNotes(g, 2, 1);  // note 1; note 2 was cleared by "/p2,2"
    setCellValue(g, 1, 0);
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(undoMove(h, g));  // the unusable ones only step
    EXPECT_EQ(cellValue(g, 1), 0);
    EXPECT_TRUE(undoMove(h, g));
    EXPECT_EQ(cellNotes(g, 2), 3);
    EXPECT_TRUE(undoMove(h, g));
    EXPECT_EQ(cellNotes(g, 1), 0);
    EXPECT_TRUE(redoMove(h, g));
    EXPECT_TRUE(redoMove(h, g));
    EXPECT_EQ(cellNotes(g, 1), 8);
    EXPECT_EQ(cellNotes(g, 2), 1);
}

TEST_F(PlayOnGrid, UndoAndRedoNeverTouchAGiven) {
    int16_t given = firstCell(true, false);
    ASSERT_NE(given, 0);
    const int16_t value = cellValue(*grid, given);
    UndoHistory h;
    h.entries.add(moveEntryText("v", value, given));
    h.cursor = 1;
    EXPECT_TRUE(undoMove(h, *grid));
    EXPECT_EQ(cellValue(*grid, given), value);
}

// ---------------------------------------------------------------- click decision

TEST_F(PlayOnGrid, ThePressedCellDecidesWhereverTheRelease) {
    const int16_t cell = 3;
    PixelPoint c = centreOf(cell);
    ClickDecision d = decideLeftClick(*grid, c.x, c.y, c.x + 300, c.y - 200);
    EXPECT_EQ(d.kind, ClickKind::Cell);
    EXPECT_EQ(d.cell, cell);
    // Releasing on another cell still acts on the pressed one.
    PixelPoint other = centreOf(5);
    d = decideLeftClick(*grid, c.x, c.y, other.x, other.y);
    EXPECT_EQ(d.cell, cell);
}

TEST_F(PlayOnGrid, APressOnACornerIsHighlightDeadZoneOrDragByDistance) {
    ASSERT_GT(grid->cornerPoints.count(), 0);
    PixelPoint p = cornerAt(1);
    ASSERT_EQ(cellAtPoint(*grid, p.x, p.y), 0);
    struct Case {
        int dx, dy;
        ClickKind kind;
    };
    const Case cases[] = {{0, 0, ClickKind::CornerHighlight}, {3, -2, ClickKind::CornerHighlight},
                          {6, 0, ClickKind::DeadZone},         {-12, 12, ClickKind::DeadZone},
                          {0, 24, ClickKind::DeadZone},        {25, 0, ClickKind::CornerDrag},
                          {-13, -12, ClickKind::CornerDrag}};
    for (const Case& k : cases) {
        ClickDecision d = decideLeftClick(*grid, p.x, p.y, p.x + k.dx, p.y + k.dy);
        EXPECT_EQ(d.kind, k.kind) << k.dx << "," << k.dy;
        EXPECT_EQ(d.corner, 1);
        if (k.kind == ClickKind::CornerDrag) {
            EXPECT_FLOAT_EQ(d.dx, static_cast<float>(k.dx) / grid->cellSize);
            EXPECT_FLOAT_EQ(d.dy, static_cast<float>(k.dy) / grid->cellSize);
        }
    }
}

TEST_F(PlayOnGrid, FarFromCellsAndCornersTheSelectorDecides) {
    GridBox box = boundingBox(*grid);
    ClickDecision d = decideLeftClick(*grid, box.right + 200, box.top + 200, box.right + 200, box.top + 200);
    EXPECT_EQ(d.kind, ClickKind::Selector);
    app.selectedDigit = 1;
    applyLeftClick(app, *grid, d, 4);
    EXPECT_EQ(app.selectedDigit, 4);
    applyLeftClick(app, *grid, d, 0);  // the release missed the selector too
    EXPECT_EQ(app.selectedDigit, 4);
}

TEST_F(PlayOnGrid, DragScrollsByCellsAndInvalidatesTheLayout) {
    PixelPoint p = cornerAt(1);
    app.layoutValid = 1;
    storePressPoint(playInput, PlayPoint{100, 100, p.x, p.y});
    leftButtonUp(app, *grid, PlayPoint{160, 100, static_cast<int16_t>(p.x + 60), p.y}, 0);
    EXPECT_FLOAT_EQ(app.panX, 60.0f / grid->cellSize);
    EXPECT_FLOAT_EQ(app.panY, 0.0f);
    EXPECT_EQ(app.layoutValid, 0);
    EXPECT_EQ(app.redrawPending, 1);
    EXPECT_EQ(playInput.releasePoint.clientX, 160);
}

TEST_F(PlayOnGrid, HighlightsShiftAndTheNewestClickedAgainClearsThem) {
    highlightCorner(app, 4);
    highlightCorner(app, 7);
    highlightCorner(app, 9);
    EXPECT_EQ(app.hexHighlights[0], 9);
    EXPECT_EQ(app.hexHighlights[1], 7);
    EXPECT_EQ(app.hexHighlights[2], 4);
    highlightCorner(app, 2);  // the oldest drops out
    EXPECT_EQ(app.hexHighlights[0], 2);
    EXPECT_EQ(app.hexHighlights[2], 7);
    highlightCorner(app, 7);  // not the newest: shifts again
    EXPECT_EQ(app.hexHighlights[0], 7);
    EXPECT_EQ(app.hexHighlights[1], 2);
    highlightCorner(app, 7);
    EXPECT_EQ(app.hexHighlights[0], 0);
    EXPECT_EQ(app.hexHighlights[1], 0);
    EXPECT_EQ(app.hexHighlights[2], 0);
    EXPECT_EQ(app.redrawPending, 1);
}

TEST_F(PlayOnGrid, OutsidePlayModeAClickOnACellDoesNothing) {
    int16_t cell = firstCell(false, true);
    app.screenMode = ScreenRules;
    app.selectedDigit = 1;
    EXPECT_EQ(clickCell(cell), PlayFeedback::None);
    EXPECT_EQ(cellValue(*grid, cell), 0);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
}

// ---------------------------------------------------------------- placing and erasing

TEST_F(PlayOnGrid, ACandidateIsPlacedRecordedAndErasedAgain) {
    const int16_t cell = firstCell(false, true);
    ASSERT_NE(cell, 0);
    recomputeCandidates(*grid);
    int16_t digit = 0;
    for (int16_t d = 1; d <= 6 && digit == 0; ++d)
        if (isCandidate(*grid, cell, d)) digit = d;
    ASSERT_NE(digit, 0);
    app.selectedDigit = digit;
    EXPECT_EQ(clickCell(cell), PlayFeedback::None);
    EXPECT_EQ(cellValue(*grid, cell), digit);
    EXPECT_EQ(app.currentCell, cell);
    EXPECT_EQ(entriesOf(app.undoHistory), (std::vector<std::string>{moveEntryText("v", digit, cell).s}));
    EXPECT_EQ(app.winPending, 0);

    // The same digit again erases; the pair cancels in the history.
    EXPECT_EQ(clickCell(cell), PlayFeedback::Erased);
    EXPECT_EQ(cellValue(*grid, cell), 0);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());

    // Erasing with digit 0 records the old digit.
    clickCell(cell);
    app.selectedDigit = 0;
    recordMove(app.undoHistory, "v", 1, 999);  // something in between, so nothing cancels
    EXPECT_EQ(clickCell(cell), PlayFeedback::Erased);
    EXPECT_EQ(app.undoHistory.entries.str(app.undoHistory.cursor), moveEntryText("/v", digit, cell).s);
}

TEST_F(PlayOnGrid, AnotherPlayersDigitOrATouchingDigitIsRefused) {
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(refusedPlacement(cell, digit));
    app.selectedDigit = digit;
    EXPECT_EQ(clickCell(cell), PlayFeedback::Refused);
    EXPECT_EQ(cellValue(*grid, cell), 0);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());

    // A player's digit and another selected digit: refused, nothing changes.
    const int16_t free = firstCell(false, true);
    recomputeCandidates(*grid);
    int16_t placed = 0;
    for (int16_t d = 1; d <= 6 && placed == 0; ++d)
        if (isCandidate(*grid, free, d)) placed = d;
    app.selectedDigit = placed;
    clickCell(free);
    app.selectedDigit = static_cast<int16_t>(placed % 6 + 1);
    EXPECT_EQ(clickCell(free), PlayFeedback::Refused);
    EXPECT_EQ(cellValue(*grid, free), placed);
    EXPECT_EQ(app.undoHistory.entries.count(), 1);
}

TEST_F(PlayOnGrid, CandidatesAreRecomputedBeforeThePlacement) {
    // Stale sets (as a restored game leaves them) must not let a touching digit in.
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(refusedPlacement(cell, digit));
    grid->cells[cell].candidates = kAllDigits;
    app.selectedDigit = digit;
    EXPECT_EQ(clickCell(cell), PlayFeedback::Refused);
    EXPECT_EQ(cellValue(*grid, cell), 0);
}

TEST_F(PlayOnGrid, AGivenSelectsItsDigitInsteadOfChangingTheCell) {
    const int16_t given = firstCell(true, false);
    ASSERT_NE(given, 0);
    const int16_t value = cellValue(*grid, given);
    app.selectedDigit = static_cast<int16_t>(value % 6 + 1);
    EXPECT_EQ(clickCell(given), PlayFeedback::None);
    EXPECT_EQ(app.selectedDigit, value);
    EXPECT_EQ(cellValue(*grid, given), value);
    app.selectedDigit = 0;  // not even the eraser changes a given
    clickCell(given);
    EXPECT_EQ(cellValue(*grid, given), value);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
}

TEST_F(PlayOnGrid, TheEraserOnAnEmptyCellClearsNotesOnlyWhenTheGridHasSome) {
    const int16_t cell = firstCell(false, true);
    app.selectedDigit = 0;
    clearAllNotes(*grid);
    EXPECT_EQ(clickCell(cell), PlayFeedback::Refused);

    int16_t elsewhere = 0;
    for (int16_t i = 1; i <= grid->cellCount; ++i)
        if (i != cell) elsewhere = i;
    setCellNotes(*grid, cell, 5);
    setCellNotes(*grid, elsewhere, 2);
    EXPECT_EQ(clickCell(cell), PlayFeedback::NotesCleared);
    EXPECT_EQ(cellNotes(*grid, cell), 0);
    EXPECT_EQ(cellNotes(*grid, elsewhere), 2);
    EXPECT_TRUE(app.undoHistory.entries.isEmpty());
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
    ASSERT_NE(last, 0);
    app.selectedDigit = grid->cells[last].solution;
    EXPECT_EQ(clickCell(last), PlayFeedback::None);
    EXPECT_TRUE(isGridFull(*grid));
    EXPECT_EQ(app.winPending, 1);
}

TEST(PlayFeedbackTones, EachFeedbackHasItsSounds) {
    auto tones = feedbackTones(PlayFeedback::Refused);
    ASSERT_EQ(tones.size(), 2u);
    EXPECT_EQ(tones[0].frequency, 800);
    EXPECT_EQ(tones[1].frequency, 1200);
    EXPECT_EQ(tones[1].duration, 5);
    tones = feedbackTones(PlayFeedback::Erased);
    ASSERT_EQ(tones.size(), 3u);
    EXPECT_EQ(tones[0].frequency, 250);
    EXPECT_EQ(tones[2].frequency, 150);
    EXPECT_EQ(tones[2].duration, 80);
    tones = feedbackTones(PlayFeedback::NotesCleared);
    ASSERT_EQ(tones.size(), 1u);
    EXPECT_EQ(tones[0].frequency, 200);
    EXPECT_EQ(tones[0].duration, 50);
    EXPECT_TRUE(feedbackTones(PlayFeedback::None).empty());
}

// ---------------------------------------------------------------- right click and hover

TEST_F(PlayOnGrid, RightClickFillsAllNotesThenTogglesTheNearestOne) {
    const int16_t cell = firstCell(false, true);
    PixelPoint c = centreOf(cell);
    EXPECT_TRUE(rightClick(app, *grid, c.x, c.y));
    EXPECT_EQ(app.currentCell, cell);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits);
    PixelPoint n4 = notePosition(*grid, cell, 4);
    rightClick(app, *grid, n4.x, n4.y);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits - 8);
    rightClick(app, *grid, n4.x, n4.y);
    EXPECT_EQ(cellNotes(*grid, cell), kAllDigits);

    // With candidateFill set, an empty cell gets the one note under the point.
    const int16_t other = static_cast<int16_t>(cell == 1 ? 2 : 1);
    clearCellNotes(*grid, other);
    app.candidateFill = 1;
    PixelPoint n2 = notePosition(*grid, other, 2);
    rightClick(app, *grid, n2.x, n2.y);
    EXPECT_EQ(cellNotes(*grid, other), 2);
}

TEST_F(PlayOnGrid, RightClickOffTheCellsOrOutsidePlayDoesNothing) {
    GridBox box = boundingBox(*grid);
    EXPECT_FALSE(rightClick(app, *grid, box.right + 300, box.top + 300));
    EXPECT_EQ(app.redrawPending, 0);
    const int16_t cell = firstCell(false, true);
    PixelPoint c = centreOf(cell);
    app.screenMode = ScreenRules;
    EXPECT_FALSE(rightClick(app, *grid, c.x, c.y));
    EXPECT_EQ(cellNotes(*grid, cell), 0);
}

TEST_F(PlayOnGrid, HoverNamesTheCellAndReportsOnlyChanges) {
    const int16_t cell = 1;
    PixelPoint c = centreOf(cell);
    EXPECT_TRUE(hoverAt(app, *grid, c.x, c.y));
    TextString expected;
    expected.assign2("L", numberText(grid->cells[cell].textRow));
    expected.append2(" C", numberText(grid->cells[cell].textColumn));
    EXPECT_EQ(playInput.cellInfoText.s, expected.s);
    EXPECT_FALSE(hoverAt(app, *grid, c.x + 1, c.y));  // same cell, same text
    GridBox box = boundingBox(*grid);
    EXPECT_TRUE(hoverAt(app, *grid, box.right + 300, box.top + 300));
    EXPECT_TRUE(playInput.cellInfoText.isEmpty());
    // The rules pages leave the field alone.
    app.screenMode = ScreenRules;
    EXPECT_FALSE(hoverAt(app, *grid, c.x, c.y));
    EXPECT_TRUE(playInput.cellInfoText.isEmpty());
}

TEST_F(PlayOnGrid, OverAHexagonCentreTheHexagonCursorIsChosen) {
    ASSERT_GT(grid->hexagons.count(), 0);
    PixelPoint h = pointPosition(*grid, grid->hexagons.str(1));
    app.selectedDigit = 3;
    hoverAt(app, *grid, h.x + 2, h.y - 2);
    EXPECT_EQ(playInput.overHexagon, 1);
    EXPECT_EQ(chooseCursor(app, playInput), kCursorHexagon);
    PixelPoint c = centreOf(1);
    hoverAt(app, *grid, c.x, c.y);
    EXPECT_EQ(playInput.overHexagon, 0);
    EXPECT_EQ(chooseCursor(app, playInput), 3);
}

// ---------------------------------------------------------------- digits, keys, cursor

TEST(DigitSelection, SixInARowSetsTheLinkFlagAndAnotherDigitClearsIt) {
    AppState app;
    resetPlayInput(playInput);
    for (int k = 1; k <= 5; ++k) selectDigit(app, 6);
    EXPECT_EQ(playInput.sixCount, 5);
    EXPECT_EQ(playInput.sixFlag, 0);
    app.redrawPending = 0;
    selectDigit(app, 6);
    EXPECT_EQ(playInput.sixFlag, 1);
    selectDigit(app, 6);
    EXPECT_EQ(playInput.sixCount, 6);  // stays at six
    EXPECT_EQ(playInput.sixFlag, 1);
    selectDigit(app, 5);
    EXPECT_EQ(playInput.sixCount, 0);
    EXPECT_EQ(playInput.sixFlag, 0);
    EXPECT_EQ(app.selectedDigit, 5);

    // A five breaks the row: five more sixes are not enough.
    for (int k = 1; k <= 5; ++k) selectDigit(app, 6);
    selectDigit(app, 5);
    for (int k = 1; k <= 5; ++k) selectDigit(app, 6);
    EXPECT_EQ(playInput.sixFlag, 0);
    selectDigit(app, 6);
    EXPECT_EQ(playInput.sixFlag, 1);
    app.redrawPending = 0;
    clearSixFlag(app);
    EXPECT_EQ(playInput.sixFlag, 0);
    EXPECT_EQ(app.redrawPending, 1);
    selectDigit(app, 9);  // not a digit: ignored
    EXPECT_EQ(app.selectedDigit, 6);
    resetPlayInput(playInput);
}

TEST(DigitSelection, KeysInPriorityOrderAndTabWrapsWithinOneToSix) {
    KeyboardState none;
    EXPECT_EQ(keyboardDigit(none, 3), -1);
    KeyboardState keys;
    keys.mainDigit[4] = keys.mainDigit[2] = true;
    keys.padDigit[1] = true;
    keys.tab = true;
    EXPECT_EQ(keyboardDigit(keys, 3), 2);  // lowest main key first
    keys.mainDigit[4] = keys.mainDigit[2] = false;
    EXPECT_EQ(keyboardDigit(keys, 3), 1);  // then the keypad
    keys.padDigit[1] = false;
    keys.padDigit[0] = true;
    EXPECT_EQ(keyboardDigit(keys, 3), 0);
    keys.padDigit[0] = false;
    EXPECT_EQ(keyboardDigit(keys, 3), 4);  // then Tab
    EXPECT_EQ(keyboardDigit(keys, 6), 1);
    EXPECT_EQ(keyboardDigit(keys, 0), 1);
}

TEST(DigitSelection, AKeyRequestsARedrawOnlyWhenTheDigitChanges) {
    AppState app;
    resetPlayInput(playInput);
    app.selectedDigit = 2;
    KeyboardState keys;
    keys.mainDigit[2] = true;
    app.redrawPending = 0;
    EXPECT_FALSE(applyKeyboard(app, keys));
    EXPECT_EQ(app.redrawPending, 0);
    keys.mainDigit[2] = false;
    keys.mainDigit[6] = true;
    EXPECT_TRUE(applyKeyboard(app, keys));
    EXPECT_EQ(app.selectedDigit, 6);
    // Holding 6 through five more polls completes the row: the link flag asks for a redraw.
    app.redrawPending = 0;
    for (int k = 0; k < 4; ++k) EXPECT_FALSE(applyKeyboard(app, keys));
    EXPECT_EQ(app.redrawPending, 0);
    EXPECT_TRUE(applyKeyboard(app, keys));
    EXPECT_EQ(playInput.sixFlag, 1);
    EXPECT_EQ(app.redrawPending, 1);
    resetPlayInput(playInput);
}

TEST(CursorChoice, FirstRuleThatAppliesWins) {
    AppState app;
    PlayInput in;
    app.screenMode = ScreenPlay;
    app.selectedDigit = 4;
    EXPECT_EQ(chooseCursor(app, in), 4);
    app.selectedDigit = 0;
    EXPECT_EQ(chooseCursor(app, in), 0);
    in.eraseAnimation = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorBurst);
    in.overHexagon = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorHexagon);
    app.screenMode = ScreenRules;
    EXPECT_EQ(chooseCursor(app, in), kCursorArrow);
    app.busyDepth = 1;
    EXPECT_EQ(chooseCursor(app, in), kCursorHourglass);
}

TEST(PlayPoints, GridCoordinatesRunFromTheOriginWithYUpward) {
    PlayPoint p = playPointOf(130, 40, 100, 200);
    EXPECT_EQ(p.clientX, 130);
    EXPECT_EQ(p.clientY, 40);
    EXPECT_EQ(p.gridX, 30);
    EXPECT_EQ(p.gridY, 160);
    PlayInput in;
    storePressPoint(in, p);
    storeMousePoint(in, 7, 8);  // the client half only
    EXPECT_EQ(in.pressPoint.clientX, 7);
    EXPECT_EQ(in.pressPoint.clientY, 8);
    EXPECT_EQ(in.pressPoint.gridX, 30);
    EXPECT_EQ(in.pressPoint.gridY, 160);
}
