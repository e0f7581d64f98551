// The commands of the main window: what each one changes in the game, the boxes it asks, and the window effects it asks for.
#include "app/commands.h"

#include <algorithm>
#include <chrono>

#include "app/keyboard.h"
#include "app/layout.h"
#include "app/paint_plan.h"
#include "app/play_input.h"
#include "app/session.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "content/new_grid.h"
#include "puzzle/candidates.h"
#include "puzzle/hints.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"
#include "ui/hint_texts.h"
#include "ui/messages.h"
#include "app/app_settings.h"

bool loadGridNumberWithState(Session& s, int16_t n, bool askFirst, Effects& effects,
                             const TextString* playState);

namespace {

// ------------------------------------------------------------ window work that cannot wait

/*
 * The splash of a grid load and the bar's labels in a new language are shown
 * while the command still runs, through the function the shell handed in;
 * the command goes on afterwards. The flags stay in `effects`: the shell
 * doing them again once the command has returned changes nothing.
 */
void showNow(Session& s, const Effects& effects) {
    if (!s.showNow || (!effects.showSplash && !effects.labelsChanged)) return;
    Effects now;
    now.showSplash = effects.showSplash;
    now.labelsChanged = effects.labelsChanged;
    s.showNow(now);
}

// ------------------------------------------------------------ play input

// A hint's outline goes with the next move, undone or re-done; with it gone the picture changed too.
void undoOneMove(AppState& app) {
    const bool outlined = clearHintMarks(app.game);
    if (undoMove(app.game.undoHistory, app.game.grids[0]) || outlined) requestRedraw(app);
}

void redoOneMove(AppState& app) {
    const bool outlined = clearHintMarks(app.game);
    if (redoMove(app.game.undoHistory, app.game.grids[0]) || outlined) requestRedraw(app);
}

// ------------------------------------------------------------ boxes and clocks

/*
 * The clocks stop while a command's box is open (its nested message loop
 * still delivers timer ticks) and run again afterwards. While the rules are
 * shown they stay stopped: only the return to the grid starts them again.
 */
void resumeAfterBox(AppState& app) {
    if (app.view.screenMode != ScreenMode::Rules) resumeChronometers(app);
}

struct ClocksStopped {
    AppState& app;
    explicit ClocksStopped(AppState& a) : app(a) { stopChronometers(app); }
    ~ClocksStopped() { resumeAfterBox(app); }
    ClocksStopped(const ClocksStopped&) = delete;
    ClocksStopped& operator=(const ClocksStopped&) = delete;
};

BoxAnswer askMessage(const Session& s, int16_t number, BoxButtons buttons, BoxIcon icon, bool secondIsDefault = false,
                     long argument = 0, TextRef second = "") {
    return askBox(s, composeMessage(number, s.app.view.language, argument, second), buttons, icon, secondIsDefault);
}

bool askYes(const Session& s, int16_t number, BoxIcon icon, bool noIsDefault, long argument = 0) {
    return askMessage(s, number, BoxYesNo, icon, noIsDefault, argument) == AnswerYes;
}

// The commands run one at a time: the depth is raised for exactly the life of one command.
struct CommandInProgress {
    CommandState& state;
    explicit CommandInProgress(CommandState& c) : state(c) { ++state.commandDepth; }
    ~CommandInProgress() { --state.commandDepth; }
    CommandInProgress(const CommandInProgress&) = delete;
    CommandInProgress& operator=(const CommandInProgress&) = delete;
};

// ------------------------------------------------------------ grid state

/*
 * A grid starts from its fixed numbers, then takes a saved state when there is
 * one, and is prepared with the moves that state asks for. Starting from the
 * fixed numbers matters when the same code is loaded again (its cells are then
 * not rebuilt and would keep the abandoned moves). The state is read before
 * the preparation: on a freshly built grid the givens of the level are put in
 * by the preparation, and the state's own moves are laid over them.
 */
void restoreGridState(Grid& g, TextRef state) {
    clearEnteredValues(g);
    clearAllNotes(g);
    TextList moves;
    if (!state.v.empty()) readStateString(g, state, moves);
    recomputeCandidates(g);
    prepareGrid(g, moves);
}

/*
 * The size the scale gives the grid on screen, and its note layout again (the
 * note positions follow the size); the new size needs new pixel positions.
 */
void reapplyDisplayStyle(AppState& app, NoteLayout view) {
    Grid& g = app.game.grids[0];
    setCellSize(g, screenCellSize(app));
    setView(g, view);
    prepareGrid(g);
}

void clearHighlights(AppState& app) {
    for (int16_t& h : app.game.hexHighlights) h = 0;
}

// ------------------------------------------------------------ the commands

void scrollBy(AppState& app, float dx, float dy) {
    app.view.panX += dx;
    app.view.panY += dy;
    app.view.layoutValid = false;
    requestRedraw(app);
}

void changeScale(Session& s, int16_t step, Effects& effects) {
    AppState& app = s.app;
    int target = app.view.scale + step;
    if (target > kScaleMax) target = kScaleMax;
    if (target < kScaleMin) target = kScaleMin;
    // At a bound the button is disabled; should the command come anyway, nothing needs redoing.
    if (target == app.view.scale) return;
    requestRedraw(app);
    effects.forceBarRefresh = true;
    applyScale(app, static_cast<int16_t>(target));
    discardBackground(s.background);
    reapplyDisplayStyle(app, app.game.grids[0].view);
}

void showInformation(Session& s) {
    AppState& app = s.app;
    ClocksStopped stopped(app);
    const Grid& g = app.game.grids[0];
    if (askMessage(s, MessageGridInfo, BoxOkCancel, IconInformation, false, g.cellCount, g.gridCode) != AnswerOk)
        return;
    const int16_t pages[4] = {MessagePlacingDigits, MessageTouchingRule, MessageNotes, MessagePlayingMore};
    for (int16_t page : pages) {
        // The notes page describes the note layout the grid is drawn with.
        long argument = (page == MessageNotes) ? static_cast<long>(g.view) : 0;
        if (askMessage(s, page, BoxOkCancel, IconInformation, false, argument) != AnswerOk) return;
    }
    askMessage(s, MessageScrollHint, BoxOk, IconInformation);
}

void pause(Session& s, Effects& effects) {
    AppState& app = s.app;
    ClocksStopped stopped(app);
    if (!askYes(s, MessagePause, IconWarning, true)) return;
    effects.hideTooltip = true;
    effects.minimise = true;
    // The clock pauses while the window is minimised; the resume after the box leaves it so.
    setClocksMinimised(app, true);
}

void openRules(Session& s, Effects& effects) {
    AppState& app = s.app;
    effects.hideTooltip = true;
    clearLinkDisplay(app, s.input);
    app.view.rulesPage = kRulesPageFirst;
    requestRedraw(app);
    /*
     * Parking twice would overwrite the parked history with the empty one left
     * by the first parking: once the rules are shown, only the page changes.
     */
    if (app.view.screenMode == ScreenMode::Rules) return;
    if (app.game.gridNumber > 0) {
        stopChronometers(app);
        app.game.parked.playText = writeStateString(app.game.grids[0]);
        app.game.parked.history = std::move(app.game.undoHistory);
        clearHistory(app.game.undoHistory);
    }
    setScreenMode(app, ScreenMode::Rules);
    // The rules pages show no arrow, and nothing of the grid's picture.
    hideArrows(s.layout);
    discardBackground(s.background);
    effects.modeChanged = true;
    effects.enterRules = true;
    effects.labelsChanged = true;
    effects.reposition = true;
}

void returnToGrid(Session& s, Effects& effects) {
    AppState& app = s.app;
    /*
     * Only the rules pages park a play state. Outside them there is nothing to
     * return to, and the parked state would be an old one that overwrites the
     * moves made since.
     */
    if (app.view.screenMode != ScreenMode::Rules) return;
    effects.hideTooltip = true;
    const int16_t cursorCell = app.game.cursorCell;
    const int16_t clickedCell = app.game.clickedCell;
    const TextString* parked = app.game.parked.playText.isNotEmpty() ? &app.game.parked.playText : nullptr;
    if (app.game.gridNumber < 1 || !loadGridNumberWithState(s, app.game.gridNumber, false, effects, parked)) {
        setScreenMode(app, ScreenMode::Start);
        clearHistory(app.game.undoHistory);
        app.view.layoutValid = false;
    } else {
        UndoHistory& history = app.game.undoHistory;
        history = std::move(app.game.parked.history);
        history.cursor = std::clamp<int16_t>(history.cursor, 0, moveCount(history));
        // The same grid again: the cell cursor and the last click are where the player left them.
        app.game.clickedCell = clickedCell;
        placeCellCursor(app, cursorCell);
    }
    app.game.parked.playText.clear();
    clearHistory(app.game.parked.history);
    // The bar and its labels come back in both cases: without them no command would be left but closing.
    app.view.layoutValid = false;
    discardBackground(s.background);
    effects.modeChanged = true;
    effects.leaveRules = true;
    effects.labelsChanged = true;
    effects.reposition = true;
    requestRedraw(app);
}

void turnPage(AppState& app, int16_t step) {
    int page = app.view.rulesPage + step;
    if (page < kRulesPageFirst) page = kRulesPageFirst;
    if (page > kRulesPageLast) page = kRulesPageLast;
    app.view.rulesPage = static_cast<int16_t>(page);
    requestRedraw(app);
}

void returnToFixedNumbers(Session& s) {
    AppState& app = s.app;
    ClocksStopped stopped(app);
    if (!askYes(s, MessageFixedNumbers, IconWarning, true)) return;
    clearEnteredValues(app.game.grids[0]);
    requestRedraw(app);
    clearHistory(app.game.undoHistory);
    const int16_t n = app.game.gridNumber;
    if (n >= 1 && n < kStopwatchCount) app.clocks.stopwatches[n].reset();
}

void saveOnRequest(Session& s) {
    ClocksStopped stopped(s.app);
    if (askYes(s, MessageSave, IconQuestion, false)) saveGame(s);
}

void switchLanguage(Session& s, Effects& effects) {
    AppState& app = s.app;
    app.view.language = static_cast<uint8_t>(app.view.language == 1 ? 0 : 1);
    effects.labelsChanged = true;
    // The bar speaks the new language before the box that names it.
    showNow(s, effects);
    ClocksStopped stopped(app);
    askBox(s, app.view.language == 1 ? "English" : "Fran\xE7" "ais", BoxOk, IconInformation);
}

// ------------------------------------------------------------ new grid and hint

// The cell count of each size: the cells of the numbered grid whose shape it takes.
int16_t newGridCellCount(int16_t size) {
    Grid shape;
    if (!loadBuiltInGrid(shape, newGridShapeCode(size))) return 0;
    return shape.cellCount;
}

/*
 * Two choice boxes, the size then the level; either one cancelled changes
 * nothing. The chosen request, seeded from the clock, waits for the shell:
 * it puts up the splash and the hourglass, then makeRequestedNewGrid makes
 * and loads the grid.
 */
void askNewGrid(Session& s, Effects& effects) {
    AppState& app = s.app;
    if (app.view.screenMode == ScreenMode::Rules) return;
    effects.hideTooltip = true;
    ClocksStopped stopped(app);
    BoxRequest sizes;
    sizes.text = newGridSizeQuestion(app.view.language);
    sizes.caption.assign(app.windowTitle);
    sizes.cancelLabel.assign(app.view.language == 1 ? "Cancel" : "Annuler");
    int16_t cells[kNewGridSizes + 1] = {};
    for (int16_t size = 1; size <= kNewGridSizes; ++size) {
        cells[size] = newGridCellCount(size);
        sizes.choices.add(newGridSizeChoice(app.view.language, size, cells[size]));
    }
    const int16_t size = static_cast<int16_t>(choiceOf(ask(s.feedback, sizes), kNewGridSizes) + 1);
    if (size < 1) return;
    BoxRequest levels;
    levels.text = newGridLevelQuestion(app.view.language, cells[size]);
    levels.caption.assign(app.windowTitle);
    levels.cancelLabel.assign(sizes.cancelLabel);
    for (int16_t level = 1; level <= kDiabolicLevel; ++level)
        levels.choices.add(levelName(level, app.view.language == 1));
    const int16_t level = static_cast<int16_t>(choiceOf(ask(s.feedback, levels), kDiabolicLevel) + 1);
    if (level < 1) return;
    app.game.newGrid.asked.size = size;
    app.game.newGrid.asked.level = level;
    app.game.newGrid.asked.seed = s.seedClock ? s.seedClock() : clockSeed();
    app.game.newGrid.pending = true;
    effects.showSplash = true;
    effects.makeNewGrid = true;
}

/*
 * The hint for the board in play: what it names is shown on the board
 * (hintMarksOf, read by the paint) and its text in a box. Nothing is placed
 * and nothing is recorded: the board and the move history stay as they are.
 * Only the first steps of a proof too long for the box are kept, for the
 * next hint to go on from.
 */
void showHint(Session& s) {
    AppState& app = s.app;
    if (app.view.screenMode != ScreenMode::Play || app.game.gridNumber < 1) return;
    Grid& g = app.game.grids[0];
    const SolverModel model = modelFromGrid(g);
    const Hint hint = hintThatFits(hintForGrid(g, &app.game.taught), g, model);
    rememberTaught(app.game.taught, gridBoard(g), hint);
    app.game.hint = hintMarksOf(hint, model);
    requestRedraw(app);
    // The marks are painted before the box opens over the window: the player reads the text beside them.
    if (s.showNow) {
        Effects marks;
        marks.repaint = true;
        s.showNow(marks);
    }
    ClocksStopped stopped(app);
    askBox(s, hintText(hint, g, model, app.view.language), BoxOk, IconInformation);
}

void dispatch(Session& s, int16_t id, Effects& effects) {
    AppState& app = s.app;
    switch (id) {
    case CmdScrollLeft: scrollBy(app, 1, 0); break;
    case CmdScrollRight: scrollBy(app, -1, 0); break;
    case CmdScrollUp: scrollBy(app, 0, -1); break;
    case CmdScrollDown: scrollBy(app, 0, 1); break;
    case CmdUndo: undoOneMove(app); break;
    case CmdRedo: redoOneMove(app); break;
    case CmdBigger: changeScale(s, kScaleStep, effects); break;
    case CmdSmaller: changeScale(s, -kScaleStep, effects); break;
    case CmdInformation: showInformation(s); break;
    case CmdPause: pause(s, effects); break;
    case CmdExit: effects.sendClose = true; break;
    case CmdReturnToGrid: returnToGrid(s, effects); break;
    case CmdGameRules: openRules(s, effects); break;
    case CmdPreviousPage: turnPage(app, -1); break;
    case CmdNextPage: turnPage(app, 1); break;
    case CmdFixedNumbers: returnToFixedNumbers(s); break;
    case CmdSave: saveOnRequest(s); break;
    case CmdLanguage: switchLanguage(s, effects); break;
    case CmdNewGrid: askNewGrid(s, effects); break;
    case CmdHint: showHint(s); break;
    default:
        if (id >= CmdErase && id <= CmdDigit6) {
            selectDigit(app, s.input, static_cast<int16_t>(id - CmdErase));
        } else if (int16_t n = gridNumberOfCommand(id); n > 0) {
            // The grid buttons are not shown with the rules: a grid loaded then would leave the play state parked.
            if (app.view.screenMode != ScreenMode::Rules) loadGridNumber(s, n, true, effects);
        }
        // 6, 7, 11, 28 and 35 do nothing.
        break;
    }
}

}  // namespace

BoxAnswer askBox(const Session& s, TextRef text, BoxButtons buttons, BoxIcon icon, bool secondIsDefault) {
    BoxRequest request;
    request.text.assign(text);
    request.caption.assign(s.app.windowTitle);
    request.buttons = buttons;
    request.icon = icon;
    request.secondIsDefault = secondIsDefault ? 1 : 0;
    return ask(s.feedback, request);
}

Effects runCommand(Session& s, int16_t id, int16_t notifyCode) {
    Effects effects;
    if (notifyCode != 0 || id < kFirstCommand || id > kLastCommand) return effects;
    if (s.commands.commandDepth >= 1) {
        beepRefused(s.feedback);
        effects.refused = true;
        return effects;
    }
    CommandInProgress inProgress(s.commands);
    dispatch(s, id, effects);
    effects.barStateChanged = true;
    return effects;
}

bool loadGridNumber(Session& s, int16_t n, bool askFirst, Effects& effects) {
    return loadGridNumberWithState(s, n, askFirst, effects, nullptr);
}

/*
 * The load itself. `playState`, when given, is laid on the grid instead of its
 * last save (the parked game of the rules pages). The clocks resume only once
 * the board is the one that will be played, so a solved grid's clock never
 * starts again, and an unsolved one's never stays stopped.
 */
bool loadGridNumberWithState(Session& s, int16_t n, bool askFirst, Effects& effects,
                             const TextString* playState) {
    AppState& app = s.app;
    const bool newGrid = n == kNewGridNumber;
    TextString code = gridCodeOfNumber(n);
    if (newGrid ? !app.game.newGrid.kept : code.isEmpty()) return false;  // no such grid number: nothing to ask about
    beginBusy(app);
    bool yes = true;
    if (askFirst) {
        stopChronometers(app);
        int16_t message = (n == app.game.gridNumber) ? MessageLoadSame : MessageLoadOther;
        yes = askYes(s, message, IconQuestion, false, n);
    }
    if (yes) {
        setScreenMode(app, ScreenMode::Play);
        effects.modeChanged = true;
        effects.showSplash = true;
        // The splash and the hourglass show while the grid loads, not after it.
        showNow(s, effects);
        discardBackground(s.background);
        if (newGrid) {
            // Made again from its request only when the one at hand is another.
            NewGridSlot& slot = app.game.newGrid;
            const NewGridRequest& r = slot.made.request;
            if (slot.made.code.isEmpty() || r.size != slot.request.size || r.level != slot.request.level ||
                r.seed != slot.request.seed)
                makeNewGrid(slot.request, slot.made);
            loadNewGrid(app.game.grids[0], slot.made);
        } else {
            loadBuiltInGrid(app.game.grids[0], code);
        }
        app.game.gridNumber = n;
        clearHintMarks(app.game);
        app.game.taught = TaughtStrikes();
        hideCellCursor(app);
        if (updateTitleClock(app)) effects.clockFieldChanged = true;
        app.view.layoutValid = false;
        clearHighlights(app);
        restoreGridState(app.game.grids[0], playState ? TextRef(*playState) : TextRef(gridStateOf(app, n)));
        clearHistory(app.game.undoHistory);
        reapplyDisplayStyle(app, kLoadedNoteLayout);
    }
    resumeAfterBox(app);
    endBusy(app);
    if (yes) requestRedraw(app);
    return yes;
}

uint32_t clockSeed() {
    const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    const uint64_t t = static_cast<uint64_t>(ticks);
    return static_cast<uint32_t>(t ^ (t >> 32));
}

bool makeRequestedNewGrid(Session& s, Effects& effects) {
    AppState& app = s.app;
    if (!app.game.newGrid.pending) return false;
    app.game.newGrid.pending = false;
    beginBusy(app);
    NewGrid made;
    const bool ok = makeNewGrid(app.game.newGrid.asked, made);
    if (ok) {
        // The previous new grid goes with its game and its time; the numbered grids keep theirs.
        app.game.newGrid.request = app.game.newGrid.asked;
        app.game.newGrid.made = std::move(made);
        app.game.newGrid.kept = true;
        storeGridState(app, kNewGridNumber, "");
        app.clocks.stopwatches[kNewGridNumber].reset();
        loadGridNumber(s, kNewGridNumber, false, effects);
    }
    endBusy(app);
    return ok;
}

bool closeRequest(Session& s) {
    ClocksStopped stopped(s.app);
    return askYes(s, MessageClose, IconStop, true);
}

bool announceWin(Session& s) {
    AppState& app = s.app;
    if (!app.game.winPending) return false;
    app.game.winPending = false;
    beepWin(s.feedback);
    // Stopped for good: the grid is solved, its time is final.
    stopChronometers(app);
    askMessage(s, MessageWin, BoxOk, IconInformation, false, app.game.gridNumber);
    if (askYes(s, MessageSaveAfterWin, IconQuestion, false)) saveGame(s);
    return true;
}

bool showScrollHintIfDue(Session& s, bool anyArrowShown) {
    if (!s.app.view.scrollHintPending || !anyArrowShown) return false;
    s.app.view.scrollHintPending = false;
    askMessage(s, MessageScrollHint, BoxOk, IconInformation);
    return true;
}

bool saveGame(Session& s) {
    AppState& app = s.app;
    if (app.game.gridNumber <= 0) return false;
    storeGridState(app, app.game.gridNumber, writeStateString(app.game.grids[0]));
    TextString failure = saveSettingsForPlayer(app);
    if (failure.isEmpty()) return true;
    askBox(s, failure, BoxOk, IconWarning);
    return false;
}
