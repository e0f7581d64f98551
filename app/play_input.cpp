// Play input on the grid: the move history, click and drag decisions, notes, hover, digit selection and keys.
#include "app/play_input.h"

#include <cstdlib>

#include "app/keyboard.h"
#include "puzzle/candidates.h"

namespace {

constexpr int kDragThreshold = 24;       // beyond this a press on a corner is a drag
constexpr int kHighlightThreshold = 5;   // up to this it is a click on the hexagon
constexpr int16_t kSixInARow = 6;

int16_t clamp16(int v) {
    if (v < INT16_MIN) return INT16_MIN;
    if (v > INT16_MAX) return INT16_MAX;
    return static_cast<int16_t>(v);
}

bool isKnownKind(MoveKind kind) {
    switch (kind) {
    case MoveKind::Place:
    case MoveKind::Erase:
    case MoveKind::NoteOn:
    case MoveKind::NoteOff: return true;
    }
    return false;
}

// A move that takes something away (a digit or a note), undoing an earlier one.
bool isErasure(const Move& move) {
    return move.kind == MoveKind::Erase || move.kind == MoveKind::NoteOff;
}

void dropOppositePair(UndoHistory& h) {
    const size_t n = h.moves.size();
    if (n >= 2 && h.moves[n - 2] == oppositeMove(h.moves[n - 1])) h.moves.resize(n - 2);
}

/*
 * The last three moves stay as they are, so the latest erasures can still
 * be undone. Older erasures go, each with the moves before it that it undid.
 * After removing k of the moves below index p, the moves not yet scanned sit
 * at 0..p-1-k, so the scan continues there.
 */
void dropOldErasures(UndoHistory& h) {
    if (h.moves.size() <= 3) return;
    auto p = static_cast<std::ptrdiff_t>(h.moves.size()) - 4;
    while (p >= 0) {
        const Move erasure = h.moves[static_cast<size_t>(p)];
        if (!isErasure(erasure)) {
            --p;
            continue;
        }
        h.moves.erase(h.moves.begin() + p);
        const Move undone = oppositeMove(erasure);
        std::ptrdiff_t removedBelow = 0;
        for (std::ptrdiff_t q = p - 1; q >= 0; --q) {
            if (h.moves[static_cast<size_t>(q)] == undone) {
                h.moves.erase(h.moves.begin() + q);
                ++removedBelow;
            }
        }
        p = p - 1 - removedBelow;
    }
}

// What became of one move of the history when it was done or undone.
enum class MoveOutcome {
    Applied,     // the board changed as the move says
    Unusable,    // no move of a player's cell (no such cell, a given, a digit outside 1..6): stepped over
    Contradicts, // the board no longer allows it: the move is dropped from the history
};

/*
 * Performs a move forwards (as when re-done) or backwards (as when undone).
 * A placement fills the cell forwards and empties it backwards; an erasure the
 * reverse. A note set sets note d forwards and clears it backwards; a note
 * cleared the reverse. Notes are set and cleared rather than toggled, so a
 * history that is out of step with the grid cannot turn a note the wrong way.
 * Given cells are never changed: the history only ever holds the player's own
 * moves.
 *
 * A digit is only ever put back into an empty cell that the placement rule
 * allows, and only taken out of a cell that holds it: a history that is out
 * of step with the board can never make two touching cells hold one digit.
 */
MoveOutcome performMove(Grid& grid, const Move& move, bool forwards) {
    if (!isKnownKind(move.kind)) return MoveOutcome::Unusable;
    if (move.digit < 1 || move.digit > 6) return MoveOutcome::Unusable;
    if (!isValidCell(grid, move.cell) || isCellFixed(grid, move.cell)) return MoveOutcome::Unusable;
    const bool note = move.kind == MoveKind::NoteOn || move.kind == MoveKind::NoteOff;
    const bool put = (forwards != isErasure(move));
    if (note) {
        int16_t notes = cellNotes(grid, move.cell);
        notes = put ? (notes | valueBit(move.digit)) : (notes & valueComplement(move.digit));
        setCellNotes(grid, move.cell, notes);
        return MoveOutcome::Applied;
    }
    const int16_t value = cellValue(grid, move.cell);
    if (put) {
        recomputeCandidates(grid);
        if (value != 0 || !isCandidate(grid, move.cell, move.digit)) return MoveOutcome::Contradicts;
        setCellValue(grid, move.cell, move.digit);
    } else {
        if (value != move.digit) return MoveOutcome::Contradicts;
        setCellValue(grid, move.cell, 0);
    }
    return MoveOutcome::Applied;
}

}  // namespace

PlayPoint playPointOf(int cx, int cy, int refX, int refY) {
    PlayPoint p;
    p.clientX = clamp16(cx);
    p.clientY = clamp16(cy);
    p.gridX = clamp16(cx - refX);
    p.gridY = clamp16(refY - cy);
    return p;
}

void resetPlayInput(PlayInput& input) {
    input = PlayInput();
}

// ---------------------------------------------------------------- move history

Move oppositeMove(const Move& move) {
    Move opposite = move;
    switch (move.kind) {
    case MoveKind::Place: opposite.kind = MoveKind::Erase; break;
    case MoveKind::Erase: opposite.kind = MoveKind::Place; break;
    case MoveKind::NoteOn: opposite.kind = MoveKind::NoteOff; break;
    case MoveKind::NoteOff: opposite.kind = MoveKind::NoteOn; break;
    }
    return opposite;
}

bool recordMove(UndoHistory& history, MoveKind kind, int16_t digit, int16_t cell) {
    if (!isKnownKind(kind)) return false;
    if (history.cursor < 0) history.cursor = 0;
    const auto done = static_cast<size_t>(history.cursor);
    if (history.moves.size() > done) history.moves.resize(done);
    history.moves.push_back(Move{kind, digit, cell});
    dropOppositePair(history);
    dropOldErasures(history);
    history.cursor = moveCount(history);
    return true;
}

bool canUndo(const UndoHistory& history) {
    return history.cursor > 0 && !history.moves.empty();
}

bool canRedo(const UndoHistory& history) {
    return history.cursor >= 0 && history.cursor < moveCount(history);
}

bool undoMove(UndoHistory& history, Grid& grid) {
    if (history.cursor > moveCount(history)) history.cursor = moveCount(history);
    if (!canUndo(history)) return false;
    const size_t at = static_cast<size_t>(history.cursor - 1);
    --history.cursor;
    if (performMove(grid, history.moves[at], false) == MoveOutcome::Contradicts)
        history.moves.erase(history.moves.begin() + static_cast<std::ptrdiff_t>(at));
    return true;
}

bool redoMove(UndoHistory& history, Grid& grid) {
    if (history.cursor < 0) history.cursor = 0;
    if (!canRedo(history)) return false;
    const size_t at = static_cast<size_t>(history.cursor);
    if (performMove(grid, history.moves[at], true) == MoveOutcome::Contradicts) {
        // The cursor stays: the next move comes up to it.
        history.moves.erase(history.moves.begin() + static_cast<std::ptrdiff_t>(at));
    } else {
        ++history.cursor;
    }
    return true;
}

void clearHistory(UndoHistory& history) {
    history.moves.clear();
    history.cursor = 0;
}

// ---------------------------------------------------------------- left click

ClickDecision decideLeftClick(const Grid& grid, int pressX, int pressY, int releaseX, int releaseY) {
    ClickDecision d;
    d.cell = cellAtPoint(grid, pressX, pressY);
    if (d.cell != 0) {
        d.kind = ClickKind::Cell;
        return d;
    }
    d.corner = cornerAtPoint(grid, pressX, pressY);
    if (d.corner == 0) {
        d.kind = ClickKind::Selector;
        return d;
    }
    const int distance = std::abs(releaseX - pressX) + std::abs(releaseY - pressY);
    if (distance > kDragThreshold) {
        d.kind = ClickKind::CornerDrag;
        if (grid.cellSize > 0) {
            d.dx = static_cast<float>(releaseX - pressX) / static_cast<float>(grid.cellSize);
            d.dy = static_cast<float>(releaseY - pressY) / static_cast<float>(grid.cellSize);
        }
    } else if (distance <= kHighlightThreshold) {
        d.kind = ClickKind::CornerHighlight;
    } else {
        d.kind = ClickKind::DeadZone;
    }
    return d;
}

bool pressTakesMouse(const AppState& app, const Grid& grid, const PlayPoint& press) {
    return app.view.screenMode == ScreenMode::Play && press.onGrid && cellAtPoint(grid, press.gridX, press.gridY) == 0 &&
           cornerAtPoint(grid, press.gridX, press.gridY) != 0;
}

PlayFeedback placeSelectedDigit(AppState& app, PlayInput& input, Grid& grid) {
    const int16_t cell = app.game.currentCell;
    if (!isValidCell(grid, cell)) return PlayFeedback::None;
    const int16_t digit = app.game.selectedDigit;
    const int16_t value = cellValue(grid, cell);
    recomputeCandidates(grid);

    if (value <= 0) {
        if (digit >= 1 && digit <= 6 && isCandidate(grid, cell, digit)) {
            setCellValue(grid, cell, digit);
            recordMove(app.game.undoHistory, MoveKind::Place, digit, cell);
            if (isGridFull(grid)) app.game.winPending = true;
            requestRedraw(app);
            return PlayFeedback::None;
        }
        if (digit == 0 && hasAnyNotes(grid)) {
            clearCellNotes(grid, cell);
            requestRedraw(app);
            return PlayFeedback::NotesCleared;
        }
        return PlayFeedback::Refused;
    }
    if (isCellFixed(grid, cell)) {
        selectDigit(app, input, value);
        return PlayFeedback::None;
    }
    if (value == digit || digit == 0) {
        setCellValue(grid, cell, 0);
        recordMove(app.game.undoHistory, MoveKind::Erase, value, cell);
        requestRedraw(app);
        return PlayFeedback::Erased;
    }
    return PlayFeedback::Refused;
}

void highlightCorner(AppState& app, int16_t corner) {
    int16_t* h = app.game.hexHighlights;  // newest first
    if (h[0] == corner) {
        h[0] = h[1] = h[2] = 0;
    } else {
        h[2] = h[1];
        h[1] = h[0];
        h[0] = corner;
    }
    requestRedraw(app);
}

PlayFeedback applyLeftClick(AppState& app, PlayInput& input, Grid& grid, const ClickDecision& decision,
                            int16_t selectorDigit) {
    switch (decision.kind) {
    case ClickKind::Cell:
        app.game.currentCell = decision.cell;
        noteClickedCell(app, decision.cell);
        requestRedraw(app);
        return placeSelectedDigit(app, input, grid);
    case ClickKind::Selector:
        if (selectorDigit >= 1 && selectorDigit <= 6) selectDigit(app, input, selectorDigit);
        return PlayFeedback::None;
    case ClickKind::CornerDrag:
        app.view.panX += decision.dx;
        app.view.panY += decision.dy;
        app.view.layoutValid = false;
        requestRedraw(app);
        return PlayFeedback::None;
    case ClickKind::CornerHighlight:
        highlightCorner(app, decision.corner);
        return PlayFeedback::None;
    case ClickKind::DeadZone:
    case ClickKind::Nothing:
        break;
    }
    return PlayFeedback::None;
}

PlayFeedback leftButtonUp(AppState& app, PlayInput& input, Grid& grid, const PlayPoint& release,
                          int16_t selectorDigit) {
    input.releasePoint = release;
    if (app.view.screenMode != ScreenMode::Play) return PlayFeedback::None;
    const PlayPoint& press = input.pressPoint;
    ClickDecision d;
    d.kind = ClickKind::Selector;
    if (press.onGrid) d = decideLeftClick(grid, press.gridX, press.gridY, release.gridX, release.gridY);
    return applyLeftClick(app, input, grid, d, selectorDigit);
}

void storePressPoint(PlayInput& input, const PlayPoint& point) {
    input.pressPoint = point;
}

void storeMousePoint(PlayInput& input, int16_t clientX, int16_t clientY) {
    input.pressPoint.clientX = clientX;
    input.pressPoint.clientY = clientY;
}

// ---------------------------------------------------------------- right click and hover

bool rightClick(AppState& app, Grid& grid, int gridX, int gridY) {
    if (app.view.screenMode != ScreenMode::Play) return false;
    const int16_t cell = cellAtPoint(grid, gridX, gridY);
    if (cell == 0) return false;
    app.game.currentCell = cell;
    noteClickedCell(app, cell);
    requestRedraw(app);
    /*
     * Notes belong to empty cells: a cell holding a digit shows none and its
     * state string keeps none, so notes put there would vanish unseen.
     */
    if (cellValue(grid, cell) != 0) return true;
    if (app.view.candidateFill == 0 && cellNotes(grid, cell) == 0) {
        setCellNotes(grid, cell, kAllDigits);
        return true;
    }
    const int16_t note = noteAtPoint(grid, cell, gridX, gridY);
    if (note != 0) toggleNote(grid, cell, note);
    return true;
}

bool hoverAt(AppState& app, PlayInput& input, Grid& grid, int gridX, int gridY, bool onGrid) {
    if (app.view.screenMode == ScreenMode::Rules) return false;
    const int16_t cell = onGrid ? cellAtPoint(grid, gridX, gridY) : int16_t{0};
    TextString text;
    if (cell != 0) {
        text = cellLabel(grid, cell, " ", false);
        input.overHexagon = false;
    } else {
        input.overHexagon = onGrid && hexagonAtPoint(grid, gridX, gridY) != 0 ? 1 : 0;
    }
    if (text == input.cellInfoText) return false;
    input.cellInfoText = text;
    return true;
}

// ---------------------------------------------------------------- digits and keys

bool applyDigitSelection(AppState& app, PlayInput& input, int16_t digit) {
    if (digit < 0 || digit > 6) return false;
    const bool oldFlag = input.linkDisplay;
    if (digit == 6) {
        if (input.sixesInARow < kSixInARow) ++input.sixesInARow;
        if (input.sixesInARow >= kSixInARow) input.linkDisplay = true;
    } else {
        input.sixesInARow = 0;
        input.linkDisplay = false;
    }
    if (input.linkDisplay != oldFlag) requestRedraw(app);
    const bool changed = app.game.selectedDigit != digit;
    app.game.selectedDigit = digit;
    return changed;
}

void selectDigit(AppState& app, PlayInput& input, int16_t digit) {
    if (digit < 0 || digit > 6) return;
    applyDigitSelection(app, input, digit);
    requestRedraw(app);
}

void clearLinkDisplay(AppState& app, PlayInput& input) {
    if (input.linkDisplay) requestRedraw(app);
    input.linkDisplay = false;
}

int16_t nextDigit(int16_t selectedDigit) {
    const int16_t next = static_cast<int16_t>(selectedDigit + 1);
    return (next < 1 || next > 6) ? int16_t{1} : next;
}

bool selectDigitByKey(AppState& app, PlayInput& input, int16_t digit) {
    if (digit < 0 || digit > 6) return false;
    const bool oldFlag = input.linkDisplay;
    const bool changed = applyDigitSelection(app, input, digit);
    if (changed) requestRedraw(app);
    return changed || input.linkDisplay != oldFlag;
}

// ---------------------------------------------------------------- cursor choice

int16_t chooseCursor(const AppState& app, const PlayInput& input) {
    if (app.busyDepth > 0) return kCursorHourglass;
    if (app.view.screenMode == ScreenMode::Rules) return kCursorArrow;
    if (input.overHexagon) return kCursorHexagon;
    if (input.eraseAnimation) return kCursorBurst;
    if (app.game.selectedDigit >= 0 && app.game.selectedDigit <= 6) return app.game.selectedDigit;
    return kCursorArrow;
}
