// The game of one window: events decided on the session's records, and the effects handed back to the shell.
#include "app/session.h"

#include "content/clocks.h"
#include "content/collection.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "app/app_settings.h"

namespace {

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
    // A hint's outline stays until the player's next click on the grid.
    if (app.game.hintCell) {
        app.game.hintCell = 0;
        requestRedraw(app);
    }
    const int16_t selectorDigit = hitTestSelector(s.selector, e.x, e.y);
    fx.signal = leftButtonUp(app, s.input, app.game.grids[0], playPointAt(s, e.x, e.y), selectorDigit);
    // A placement or an erasure is a move: undo and re-do may have become possible or not.
    fx.barStateChanged = true;
    if (fx.signal == PlayFeedback::Erased) {
        // The cursor the erasure sounds with.
        s.input.eraseAnimation = true;
        fx.signalCursor = chooseCursor(app, s.input);
        s.input.eraseAnimation = false;
    }
    // A click on a given or on the selector may have changed the digit, hence the cursor.
    fx.cursor = chooseCursor(app, s.input);
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
    if (app.game.hintCell) {
        app.game.hintCell = 0;
        requestRedraw(app);
    }
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

}  // namespace

void resetSession(Session& s) {
    resetAppState(s.app);
    s.tooltips = TooltipSet();
    s.selector = NumberSelector();
    resetPlayInput(s.input);
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
    // Laid out anew with what the screen measures.
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
    app.geometry.screenWidth = screenWidth;
    app.geometry.screenHeight = screenHeight;
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
    case EventKind::Moved:
    case EventKind::Deactivated: fx.hideTooltip = 1; break;
    }
    mergeEffects(fx, layOutIfNeeded(s));
    return fx;
}

Effects finishMessage(Session& s, bool forMainWindow, bool iconic, const KeyboardState& keys, bool positioning) {
    Effects fx;
    AfterMessage after = afterMessage(s.app, forMainWindow, iconic, positioning);
    fx.repaint = after.invalidate;
    if (!forMainWindow) return fx;
    /*
     * The digit keys are read after every message. A digit they select is
     * shown at once rather than after the next message, which may be 200 ms
     * away (or never come while the clock is off).
     */
    if (applyKeyboard(s.app, s.input, keys)) {
        fx.cursor = chooseCursor(s.app, s.input);
        after = afterMessage(s.app, forMainWindow, iconic, positioning);
        fx.repaint |= after.invalidate;
    }
    if (s.app.view.screenMode == ScreenMode::Play && (keys.newGrid || keys.hint)) {
        Event e;
        e.kind = EventKind::Command;
        e.command = keys.newGrid ? CmdNewGrid : CmdHint;
        mergeEffects(fx, handle(s, e));
        after = afterMessage(s.app, forMainWindow, iconic, positioning);
        fx.repaint |= after.invalidate;
    }
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
