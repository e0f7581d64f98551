// The process-wide shell state and its portable operations (redraw requests, busy nesting, modes, scale).
#include "app/app_state.h"

#include <algorithm>
#include <new>

#include "content/clocks.h"
#include "puzzle/preparation.h"
#include "ui/rules_page_scale.h"


namespace {

// The title template; '#' stands for the release number.
const char* const kTitleTemplate = "ORNEL #";

}  // namespace

int16_t moveCount(const UndoHistory& history) {
    return static_cast<int16_t>(std::min<size_t>(history.moves.size(), INT16_MAX));
}

void resetAppState(AppState& app) {
    app = AppState();
}

void createBoards(AppState& app) {
    for (Grid& g : app.game.grids) createGrid(g);
}

Grid& currentGrid(AppState& app) {
    return app.game.grids[app.game.currentGridSlot == 1 ? 1 : 0];
}

const Grid& currentGrid(const AppState& app) {
    return app.game.grids[app.game.currentGridSlot == 1 ? 1 : 0];
}

TextString buildWindowTitle(int16_t release) {
    TextString title;
    title.fillPlaceholder(kTitleTemplate, release);
    return title;
}

TextString windowTitleText() {
    return buildWindowTitle(kReleaseNumber);
}

TextString settingsPathFor(TextRef windowTitle) {
    TextString path;
    path.assign2(windowTitle, ".TXT");
    return path;
}

void requestRedraw(AppState& app) {
    app.redrawPending = true;
}

bool beginBusy(AppState& app) {
    if (app.busyDepth < 0) app.busyDepth = 0;
    if (app.busyDepth < INT16_MAX) ++app.busyDepth;
    return app.busyDepth == 1;
}

bool endBusy(AppState& app) {
    --app.busyDepth;
    if (app.busyDepth < 0) app.busyDepth = 0;
    return app.busyDepth == 0;
}

void stopChronometers(AppState& app) {
    setClocksActive(app.clocks, false, app.game.gridNumber, isGridFull(app.game.grids[0]));
}

void resumeChronometers(AppState& app) {
    setClocksActive(app.clocks, true, app.game.gridNumber, isGridFull(app.game.grids[0]));
}

void updateClocks(AppState& app) {
    updateClocks(app.clocks, app.game.gridNumber, isGridFull(app.game.grids[0]));
}

void setClocksMinimised(AppState& app, bool minimised) {
    setClocksMinimised(app.clocks, minimised, app.game.gridNumber, isGridFull(app.game.grids[0]));
}

bool updateTitleClock(AppState& app) {
    return updateTitleClock(app.clocks, app.game.gridNumber, app.paintEnabled != 0);
}

void setScreenMode(AppState& app, ScreenMode mode) {
    app.view.screenMode = mode;
    app.game.currentGridSlot = (mode == ScreenMode::Rules) ? 1 : 0;
}

BarStateInputs barStateInputs(const AppState& app) {
    BarStateInputs in;
    in.mode = app.view.screenMode;
    in.scale = app.view.scale;
    in.rulesPage = app.view.rulesPage;
    in.undoCursor = app.game.undoHistory.cursor;
    in.undoCount = moveCount(app.game.undoHistory);
    return in;
}

void modeWindowSize(const AppState& app, int16_t& width, int16_t& height) {
    if (app.view.screenMode == ScreenMode::Rules) {
        width = static_cast<int16_t>(2 * app.geometry.frameX + app.geometry.rulesWidth);
        height = static_cast<int16_t>(app.geometry.frameX + app.geometry.frameY + app.geometry.rulesHeight);
    } else {
        width = app.geometry.windowWidth;
        height = app.geometry.windowHeight;
    }
}

void storeScale(AppState& app, int16_t value) {
    if (value < kScaleMin) value = kScaleMin;
    if (value > kScaleMax) value = kScaleMax;
    app.view.scale = value;
    app.view.layoutValid = false;
}

void applyScale(AppState& app, int16_t value) {
    storeScale(app, value);
    setCellSize(app.game.grids[0], screenCellSize(app));
    prepareGrid(app.game.grids[0]);
}

void setDisplayScale(AppState& app, int16_t dpi) {
    app.geometry.dpi = dpi > 0 ? dpi : kReferenceDpi;
    const RulesPageMetrics page = rulesPageMetrics(app.geometry.dpi);
    app.geometry.rulesWidth = page.width;
    app.geometry.rulesHeight = page.height;
    app.view.layoutValid = false;
}

bool clearHintMarks(GameState& game) {
    const bool shown = game.hint.cell != 0;
    game.hint = HintMarks();
    return shown;
}

HintMarks hintMarksOf(const Hint& hint, const SolverModel& model) {
    HintMarks marks;
    if (hint.kind == HintKind::NoneLeft) return marks;
    marks.cell = hint.cell;
    if (hint.kind != HintKind::Placement && hint.kind != HintKind::FirstSteps) return marks;
    const bool unitKnown = hint.unit >= 0 && static_cast<size_t>(hint.unit) < model.unitComplete.size();
    if (hint.kind == HintKind::Placement && hint.single == Grade::HiddenSingle && unitKnown &&
        model.unitComplete[static_cast<size_t>(hint.unit)])
        marks.hexagon = static_cast<int16_t>(hint.unit + 1);
    auto addOnce = [](std::vector<int16_t>& list, int16_t c) {
        if (std::find(list.begin(), list.end(), c) == list.end()) list.push_back(c);
    };
    for (const HintWitness& w : hint.witnesses) addOnce(marks.witnesses, w.cell);
    for (const DeductionStep& s : hint.strikes)
        if (s.grade != Grade::Pointing)
            for (int16_t c : s.cells) addOnce(marks.subset, c);
    // First steps fill no cell: what they outline is every cell they strike a digit from.
    if (hint.kind == HintKind::FirstSteps) {
        marks.cell = 0;
        for (const DeductionStep& s : hint.strikes)
            for (int16_t c : s.struck) {
                if (marks.cell == 0) marks.cell = c;
                else if (c != marks.cell) addOnce(marks.struck, c);
            }
    }
    return marks;
}

int16_t screenCellSize(const AppState& app) {
    return scaledPx(app.view.scale, app.geometry.dpi);
}

GridView screenGridView(const AppState& app) {
    return gridViewAt(screenCellSize(app), app.geometry.dpi);
}

AfterMessage afterMessage(AppState& app, bool forMainWindow, bool iconic, bool positioning) {
    AfterMessage result;
    if (app.redrawPending && forMainWindow && !positioning) {
        app.redrawPending = false;
        result.invalidate = app.showAllowed != 0;
    }
    if (iconic && !app.clocks.minimised) {
        setClocksMinimised(app, true);
        result.becameMinimised = true;
    } else if (!iconic && app.clocks.minimised) {
        setClocksMinimised(app, false);
        result.becameRestored = true;
    }
    return result;
}

void centreAboveMiddle(int16_t areaLeft, int16_t areaTop, int16_t areaWidth, int16_t areaHeight,
                       int16_t width, int16_t height, int16_t& x, int16_t& y) {
    int left = areaLeft + (areaWidth - width) / 2;
    int top = areaTop + (areaHeight - height) / 2 - 20;
    x = static_cast<int16_t>(left < 0 ? 0 : left);
    y = static_cast<int16_t>(top < 0 ? 0 : top);
}
