// The game of one window: events decided on the session's records, and the effects handed back to the shell.
#include "app/session.h"

#include "content/clocks.h"
#include "content/collection.h"
#include "puzzle/preparation.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "app/app_settings.h"

namespace {

// More steps than any grid can scroll: a bound, should the layout ever not settle.
constexpr int kMaxScrollSteps = 256;

// A hint's marks stay until the player's next click on the grid (or a key standing for one).
void clearHintOutline(AppState& app) {
    if (clearHintMarks(app.game)) requestRedraw(app);
}

// After a click on the grid, or a key standing for one: its signal, the bar and the cursor.
void settleClick(Session& s, PlayFeedback signal, Effects& fx) {
    fx.signal = signal;
    // A placement or an erasure is a move: undo and re-do may have become possible or not.
    fx.barStateChanged = true;
    if (signal == PlayFeedback::Erased) {
        // The cursor the erasure sounds with.
        s.input.eraseAnimation = true;
        fx.signalCursor = chooseCursor(s.app, s.input);
        s.input.eraseAnimation = false;
    }
    // A click on a given or on the selector may have changed the digit, hence the cursor.
    fx.cursor = chooseCursor(s.app, s.input);
}

void pointerPressed(Session& s, const Event& e, Effects& fx) {
    fx.hideTooltip = true;
    s.input.gesture = true;
    s.input.gestureCancelled = false;
    const PlayPoint press = playPointAt(s, e.x, e.y);
    storePressPoint(s.input, press);
    if (pressTakesMouse(s.app, s.app.game.grids[0], press)) {
        fx.captureMouse = true;
        s.input.mouseTaken = true;
    }
}

void pointerReleased(Session& s, const Event& e, Effects& fx) {
    AppState& app = s.app;
    fx.releaseMouse = s.input.mouseTaken;
    s.input.mouseTaken = false;
    const bool cancelled = s.input.gestureCancelled != 0;
    s.input.gesture = false;
    s.input.gestureCancelled = false;
    if (cancelled) return;
    // The arrows first: each shown arrow whose rectangle holds the point scrolls, and the click ends there.
    bool scrolled = false;
    for (ArrowSide side : arrowsAt(s.layout, e.x, e.y)) {
        scrollByArrow(app, side);
        scrolled = true;
    }
    if (scrolled || app.view.screenMode != ScreenMode::Play) return;
    clearHintOutline(app);
    const int16_t selectorDigit = hitTestSelector(s.selector, e.x, e.y);
    settleClick(s, leftButtonUp(app, s.input, app.game.grids[0], playPointAt(s, e.x, e.y), selectorDigit), fx);
}

void pointerMoved(Session& s, const Event& e, Effects& fx) {
    AppState& app = s.app;
    storeMousePoint(s.input, e.x, e.y);
    if (app.view.screenMode != ScreenMode::Rules && app.game.gridNumber > 0) {
        const PlayPoint at = playPointAt(s, e.x, e.y);
        if (hoverAt(app, s.input, app.game.grids[0], at.gridX, at.gridY, at.onGrid != 0)) fx.cellFieldChanged = true;
    }
    fx.cursor = chooseCursor(app, s.input);
    fx.cursorForced = true;
}

void rightReleased(Session& s) {
    AppState& app = s.app;
    if (app.view.screenMode != ScreenMode::Play) return;
    clearHintOutline(app);
    const PlayPoint at = playPointAt(s, s.input.pressPoint.clientX, s.input.pressPoint.clientY);
    if (at.onGrid) rightClick(app, app.game.grids[0], at.gridX, at.gridY);
}

// The new grid asked for, made and loaded while the splash shows; its effects are a grid load's.
void newGridMade(Session& s, Effects& fx) {
    if (!makeRequestedNewGrid(s, fx)) return;
    fx.barStateChanged = true;
    fx.cursor = chooseCursor(s.app, s.input);
    fx.cursorForced = true;
}

void painted(Session& s, Effects& fx) {
    if (!s.app.paintEnabled) return;
    showScrollHintIfDue(s, anyArrowShown(s.layout));
    if (s.app.game.winPending) fx.winAnnounced = announceWin(s);
}

// The cell field names the cursor's cell, as it names the cell under the pointer.
void nameCursorCell(Session& s, Effects& fx) {
    const Grid& grid = s.app.game.grids[0];
    TextString text = cellLabel(grid, s.app.game.cursorCell, " ", false);
    if (text == s.input.cellInfoText) return;
    s.input.cellInfoText = std::move(text);
    fx.cellFieldChanged = true;
}

/*
 * The cursor's cell, scrolled into view as the arrows would do it: one
 * arrow's step at a time, laid out after each, until the cell shows whole or
 * the scrolling can go no further.
 */
void scrollCursorIntoView(Session& s, Effects& fx) {
    if (!s.measureReady) return;
    const Grid& grid = s.app.game.grids[0];
    for (int step = 0; step < kMaxScrollSteps; ++step) {
        mergeEffects(fx, layOutIfNeeded(s));
        ArrowSide side = ArrowRight;
        if (!arrowTowardCell(s.layout, grid, s.app.game.cursorCell, side)) return;
        const float panX = s.app.view.panX;
        const float panY = s.app.view.panY;
        scrollByArrow(s.app, side);
        mergeEffects(fx, layOutIfNeeded(s));
        if (s.app.view.panX == panX && s.app.view.panY == panY) return;
    }
}

// An arrow key on the grid: the cursor shows or moves, into view, named in the cell field.
void moveCursor(Session& s, Heading heading, Effects& fx) {
    if (!stepCellCursor(s.app, heading)) return;
    scrollCursorIntoView(s, fx);
    nameCursorCell(s, fx);
}

/*
 * The keys that act on the cursor's cell first show the cursor when it is
 * hidden, and do nothing more: a key never acts on a cell the player has not
 * seen outlined. True when the cursor was already shown.
 */
bool cursorShown(Session& s, Effects& fx) {
    if (isValidCell(s.app.game.grids[0], s.app.game.cursorCell)) return true;
    moveCursor(s, Heading::Left, fx);
    return false;
}

// The cursor's cell becomes the current one, as a click on it makes it.
void takeCursorCell(Session& s) {
    clearHintOutline(s.app);
    s.app.game.currentCell = s.app.game.cursorCell;
    s.app.game.clickedCell = s.app.game.cursorCell;
    requestRedraw(s.app);
}

// Space or Enter: the left click on the cursor's cell.
void actOnCursorCell(Session& s, Effects& fx) {
    if (!cursorShown(s, fx)) return;
    takeCursorCell(s);
    settleClick(s, placeSelectedDigit(s.app, s.input, s.app.game.grids[0]), fx);
}

/*
 * Delete or Backspace: the left click with 0 selected, the selection kept.
 * On a given, where that click would select the given's digit, it is refused.
 */
void eraseCursorCell(Session& s, Effects& fx) {
    if (!cursorShown(s, fx)) return;
    takeCursorCell(s);
    Grid& grid = s.app.game.grids[0];
    PlayFeedback signal = PlayFeedback::Refused;
    if (!isCellFixed(grid, s.app.game.cursorCell)) {
        const int16_t selected = s.app.game.selectedDigit;
        s.app.game.selectedDigit = 0;
        signal = placeSelectedDigit(s.app, s.input, grid);
        s.app.game.selectedDigit = selected;
    }
    settleClick(s, signal, fx);
}

// Shift + digit: that note of the cursor's cell, as a right click on it; notes belong to empty cells.
void toggleCursorNote(Session& s, int16_t digit, Effects& fx) {
    if (!cursorShown(s, fx)) return;
    takeCursorCell(s);
    Grid& grid = s.app.game.grids[0];
    if (cellValue(grid, s.app.game.cursorCell) == 0) toggleNote(grid, s.app.game.cursorCell, digit);
}

void keyPressed(Session& s, const KeyPress& press, Effects& fx) {
    if (!notePress(s.keys, press)) return;
    // A box of the game is open (its own loop delivers the window's messages): the key is not the game's.
    if (s.commands.commandDepth > 0 || s.app.busyDepth > 0) return;
    const KeyAction a = decideKey(s.app, press);
    switch (a.kind) {
    case KeyActionKind::None: return;
    case KeyActionKind::SelectDigit:
    case KeyActionKind::NextDigit: {
        const int16_t digit = a.kind == KeyActionKind::NextDigit ? nextDigit(s.app.game.selectedDigit) : a.digit;
        if (selectDigitByKey(s.app, s.input, digit)) fx.cursor = chooseCursor(s.app, s.input);
        return;
    }
    case KeyActionKind::MoveCursor: moveCursor(s, a.heading, fx); return;
    case KeyActionKind::ActOnCell: actOnCursorCell(s, fx); return;
    case KeyActionKind::EraseCell: eraseCursorCell(s, fx); return;
    case KeyActionKind::ToggleNote: toggleCursorNote(s, a.digit, fx); return;
    case KeyActionKind::Command: mergeEffects(fx, runCommand(s, a.command)); return;
    }
}

}  // namespace

Event eventOf(EventKind kind, int16_t x, int16_t y) {
    Event e;
    e.kind = kind;
    e.x = x;
    e.y = y;
    return e;
}

Event commandEvent(int16_t command) {
    Event e = eventOf(EventKind::Command);
    e.command = command;
    return e;
}

Event keyPressEvent(int16_t key, bool shift, bool ctrl, bool repeat) {
    Event e = eventOf(EventKind::KeyPressed);
    e.key = KeyPress{key, shift, ctrl, repeat};
    return e;
}

Event keyReleaseEvent(int16_t key) {
    Event e = eventOf(EventKind::KeyReleased);
    e.key.key = key;
    return e;
}

void resetSession(Session& s) {
    resetAppState(s.app);
    s.tooltips = TooltipSet();
    s.selector = NumberSelector();
    resetPlayInput(s.input);
    forgetKeys(s.keys);
    resetWindowLayout(s.layout);
    s.background = BackgroundState();
    s.commands = CommandState();
    construct(s.measure);
    s.measureReady = false;
}

int reportStartupFailure(const Session& s, StartupFailure failure) {
    const char* text = nullptr;
    switch (failure) {
    case StartupFailure::None: return 0;
    case StartupFailure::SplashWindow: text = "Start-up Window Creation Failed!"; break;
    case StartupFailure::WindowClass: text = "Window Registration Failed!"; break;
    case StartupFailure::TooltipClass: text = "Tooltip Registration Failed!"; break;
    case StartupFailure::MainWindow: text = "Window Creation Failed!"; break;
    case StartupFailure::Screen: text = "Screen Measurement Failed!"; break;
    }
    BoxRequest request;
    request.text.assign(text ? text : "Start-up Failed!");
    request.caption.assign("Error!");
    request.buttons = BoxOk;
    request.icon = IconWarning;
    ask(s.feedback, request);
    return 10 + static_cast<int>(failure);
}

void setMeasureResolution(Session& s, int16_t dpiX, int16_t dpiY) {
    construct(s.measure);
    bindMeasured(s.measure, nullptr, 0, 0, dpiX, dpiY, kDrawingDeviceName);
    s.measureReady = true;
    setDisplayScale(s.app, dpiX);
    // What was sized at another scale is made again: the cells, the selector, the background.
    if (s.app.game.grids[0].cellSize != screenCellSize(s.app)) {
        Grid& g = s.app.game.grids[0];
        setCellSize(g, screenCellSize(s.app));
        // The notes' positions follow the cells' size.
        setView(g, g.view);
        prepareGrid(g);
    }
    if (s.selector.computed && s.selector.radius != scaledPx(kSelectorRadius, s.app.geometry.dpi))
        s.selector.computed = 0;
    discardBackground(s.background);
    // Laid out anew with what the screen measures.
    s.app.view.layoutValid = false;
}

void setScreens(Session& s, int16_t screenWidth, int16_t screenHeight, const std::vector<ShapeRect>& monitors) {
    WindowGeometry& at = s.app.geometry;
    at.screenWidth = screenWidth;
    at.screenHeight = screenHeight;
    at.monitors.clear();
    for (const ShapeRect& m : monitors) at.monitors.push_back(ScreenArea{m.left, m.top, m.right, m.bottom});
    s.app.view.layoutValid = false;
}

void allowWindow(Session& s) {
    s.app.controlsAllowed = true;
    s.app.showAllowed = true;
}

Effects finishStartup(Session& s) {
    Effects fx;
    s.app.paintEnabled = true;
    fx.clockFieldChanged = updateTitleClock(s.app);
    return fx;
}

void beginSession(Session& s, int16_t screenWidth, int16_t screenHeight, const std::vector<ShapeRect>& monitors) {
    AppState& app = s.app;
    // Both boards are created before anything is loaded or drawn.
    createBoards(app);
    app.windowTitle = windowTitleText();
    setScreens(s, screenWidth, screenHeight, monitors);
    app.settingsPath = settingsPathFor(app.windowTitle);

    // The play state as a fresh start has it.
    resetWindowLayout(s.layout);
    resetPlayInput(s.input);
    app.view.scrollHintPending = true;
    app.game.currentCell = 1;
    applyScale(app, app.view.scale);
    setScreenMode(app, ScreenMode::Start);

    app.game.selectedDigit = 1;
    // A missing, unreadable or damaged file is no error: the start values stay where it says nothing sane.
    loadSettings(app);
    /*
     * A position from the file whose caption strip no monitor shows is
     * brought back onto the nearest one. This is the only place a position
     * is changed: the layout leaves the window where the player put it.
     */
    placeOnMonitors(app, monitors);
}

Effects openGame(Session& s) {
    AppState& app = s.app;
    Effects effects;
    loadGridNumber(s, app.game.gridNumber, false, effects);
    applyScale(app, app.view.scale);
    return effects;
}

PlayPoint playPointAt(const Session& s, int x, int y) {
    PlayPoint p = playPointOf(x, y, s.layout.originX, s.layout.originY);
    p.onGrid = gridAreaContains(s.layout, x, y) ? 1 : 0;
    return p;
}

Effects layOutIfNeeded(Session& s) {
    Effects fx;
    if (s.app.view.layoutValid || !s.measureReady) return fx;
    computeLayout(s.app, s.layout, s.measure);
    discardBackground(s.background);
    fx.layoutChanged = true;
    return fx;
}

namespace {

/*
 * The window is on a monitor of another resolution now (or its monitor's scale
 * changed): the window takes the corner the system proposes, everything is
 * sized again at the new scale, and the bar is made again; the layout that
 * follows gives the window its size and shape.
 */
void resolutionChanged(Session& s, const Event& e, Effects& fx) {
    if (e.dpi <= 0) return;
    AppState& app = s.app;
    app.geometry.windowLeft = e.x;
    app.geometry.windowTop = e.y;
    fx.hideTooltip = true;
    fx.reposition = true;
    if (e.dpi == app.geometry.dpi) {
        app.view.layoutValid = false;
        return;
    }
    setMeasureResolution(s, e.dpi, e.dpi);
    // The bar's new controls register their rectangles again.
    s.tooltips.rectCount = 0;
    fx.rescaled = true;
    requestRedraw(app);
}

}  // namespace

Effects handle(Session& s, const Event& e) {
    Effects fx;
    AppState& app = s.app;
    switch (e.kind) {
    case EventKind::PointerPressed: pointerPressed(s, e, fx); break;
    case EventKind::PointerReleased: pointerReleased(s, e, fx); break;
    case EventKind::CaptureLost:
        if (s.input.gesture) {
            s.input.gesture = false;
            s.input.gestureCancelled = true;
        }
        s.input.mouseTaken = false;
        break;
    case EventKind::PointerMoved: pointerMoved(s, e, fx); break;
    case EventKind::CursorRequest:
        storeMousePoint(s.input, e.x, e.y);
        fx.trackTooltip = true;
        fx.cursor = chooseCursor(app, s.input);
        fx.cursorForced = true;
        break;
    case EventKind::RightPressed: storeMousePoint(s.input, e.x, e.y); break;
    case EventKind::RightReleased: rightReleased(s); break;
    case EventKind::Command: fx = runCommand(s, e.command, e.notifyCode); break;
    case EventKind::TimerTick:
        if (updateTitleClock(app)) fx.clockFieldChanged = true;
        break;
    case EventKind::Minimised:
        fx.hideTooltip = true;
        setClocksMinimised(app, true);
        break;
    case EventKind::Restored:
        if (app.clocks.minimised) setClocksMinimised(app, false);
        break;
    case EventKind::CloseRequest:
        if (closeRequest(s)) fx.destroy = true;
        break;
    case EventKind::Painted: painted(s, fx); break;
    case EventKind::Moving:
        fx.hideTooltip = true;
        app.geometry.windowLeft = e.x;
        app.geometry.windowTop = e.y;
        break;
    case EventKind::NewGridMade: newGridMade(s, fx); break;
    case EventKind::FrameMeasured:
        app.geometry.frameX = e.x;
        app.geometry.frameY = e.y;
        break;
    case EventKind::Moved: fx.hideTooltip = true; break;
    case EventKind::Deactivated:
        fx.hideTooltip = true;
        // Keys released elsewhere are never heard of: whatever was held is forgotten.
        forgetKeys(s.keys);
        break;
    case EventKind::KeyboardLost: forgetKeys(s.keys); break;
    case EventKind::MoveEnded: {
        // Let go on another monitor: the room for the grid is that monitor's.
        const ShapeRect now = windowMonitorArea(app.geometry);
        const ShapeRect& before = s.layout.monitorArea;
        if (now.left != before.left || now.top != before.top || now.right != before.right ||
            now.bottom != before.bottom)
            app.view.layoutValid = false;
        break;
    }
    case EventKind::KeyPressed: keyPressed(s, e.key, fx); break;
    case EventKind::KeyReleased: noteRelease(s.keys, e.key.key); break;
    case EventKind::ResolutionChanged: resolutionChanged(s, e, fx); break;
    }
    mergeEffects(fx, layOutIfNeeded(s));
    return fx;
}

Effects finishMessage(Session& s, bool forMainWindow, bool iconic, bool positioning) {
    Effects fx;
    fx.repaint = afterMessage(s.app, forMainWindow, iconic, positioning).invalidate;
    return fx;
}

void playSignal(const Feedback& feedback, PlayFeedback signal) {
    switch (signal) {
    case PlayFeedback::Refused: beepRefused(feedback); break;
    case PlayFeedback::Erased: beepErase(feedback); break;
    case PlayFeedback::NotesCleared: beepNotesCleared(feedback); break;
    case PlayFeedback::None: break;
    }
}
