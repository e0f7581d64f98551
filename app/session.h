// The game of one window: the records it owns, the events it takes and the effects it hands back to the shell.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/effects.h"
#include "app/keyboard.h"
#include "app/layout.h"
#include "app/paint_plan.h"
#include "app/play_input.h"
#include "render/draw_surface.h"
#include "ui/command_bar.h"
#include "ui/feedback.h"
#include "ui/tooltips.h"

/*
 * A Session holds everything the game decides with: the application record
 * (the game, its view, the window's geometry, the clocks), the play input,
 * the window layout, the models of the bar's tooltips and number selector,
 * the version of the paint's background, the command guard, and the outside
 * world it was handed (the ask and beep functions). It knows nothing of
 * windows: the shell turns each message into an Event, calls handle(), and
 * applies the Effects with a few calls of its own. Tests do the same without
 * any window.
 *
 * `measure` is the surface the layout measures the grid on: only its
 * resolution matters (the shell binds it to the screen's once it is known);
 * the layout leaves the drawing origin on it.
 */
struct Session {
    AppState app;
    PlayInput input;
    HeldKeys keys;  // the keys seen going down while the game had the keyboard
    WindowLayout layout;
    BackgroundState background;  // the version of the paint's background the game calls for
    CommandState commands;
    Feedback feedback;
    // The bar's tooltips (hot rectangles, texts, the pop-up's state) and its number selector.
    TooltipSet tooltips;
    NumberSelector selector;
    DrawSurface measure;
    bool measureReady = false;  // the resolution of `measure` is known: the layout can be computed
    std::function<uint32_t()> seedClock;  // the seed of a new grid; empty: clockSeed()
    /*
     * The window work a command cannot leave until it returns, handed in by
     * the shell like the ask and beep functions: the splash and the hourglass
     * of a grid load before the load runs, the bar's labels in a new language
     * before the box that names it. Empty: nothing to show (no window).
     */
    std::function<void(const Effects&)> showNow;
};

// The records of a freshly started process (the handed-in functions stay).
void resetSession(Session& s);
/*
 * The resolution the layout measures with (pixels per inch of the screen);
 * it is also the display scale (app.geometry.dpi) the bar is laid out at.
 */
void setMeasureResolution(Session& s, int16_t dpiX, int16_t dpiY);
/*
 * The screen's size and the work areas of its monitors (none: one screen from
 * (0, 0)), measured at start-up and again whenever the displays change; the
 * window is laid out anew against them.
 */
void setScreens(Session& s, int16_t screenWidth, int16_t screenHeight, const std::vector<ShapeRect>& monitors);
// The main window exists and may show; the bar's controls may be made.
void allowWindow(Session& s);
// The last step of start-up: the clock field is written and the paint draws from now on.
Effects finishStartup(Session& s);

/*
 * Start-up in two steps around the creation of the window. beginSession: the
 * placeholder grid, the title and settings file name, the play state of a
 * fresh start, the settings file read (a missing or damaged file leaves the
 * start values) and the window's position brought onto a monitor when its
 * caption strip is on none of them (placeOnMonitors; no list stands for one
 * screen of the given size).
 * openGame, once the window exists and its frame is measured: the grid of the
 * settings is loaded and sized to the scale. The layout then waits for the
 * first layOutIfNeeded.
 */
void beginSession(Session& s, int16_t screenWidth, int16_t screenHeight,
                  const std::vector<ShapeRect>& monitors = {});
Effects openGame(Session& s);

/*
 * The ways start-up can fail before the main window shows. Each one is told
 * to the player in a box and ends the program with its own non-zero code, so
 * a start that ends by itself never looks like a game closed on purpose.
 */
enum class StartupFailure : int16_t {
    None = 0,
    SplashWindow,   // the start-up window could not be made
    WindowClass,    // the main window's class could not be registered
    TooltipClass,   // the tooltip pop-up's class could not be registered
    MainWindow,     // the main window could not be made
    Screen,         // the screen could not be measured
};

// Asks the box of a start-up failure through the session's ask function; returns the exit code (0 for None, no box).
int reportStartupFailure(const Session& s, StartupFailure failure);

enum class EventKind : int16_t {
    PointerPressed,   // left button down at (x, y)
    PointerReleased,  // left button up at (x, y), wherever the pointer is (the mouse is captured meanwhile)
    CaptureLost,      // the window lost the mouse (another window took it)
    PointerMoved,     // the mouse moved to (x, y)
    CursorRequest,    // the system asks for the cursor; the mouse is at (x, y)
    RightPressed,     // right button down at (x, y)
    RightReleased,    // right button up: acts at the point of the last press, move or cursor request
    Command,          // command `command` with notification `notifyCode`
    TimerTick,        // the clock timer
    Minimised,        // the window became iconic
    Restored,         // the window was restored or maximised
    CloseRequest,     // the close box, Alt+F4 or the quit command
    Painted,          // a complete paint has been shown
    Moving,           // the player drags the window; its corner is at (x, y)
    NewGridMade,      // the splash and the hourglass show: the new grid asked for is made and loaded
    Moved,            // the window has moved (by the player or the program)
    Deactivated,      // the window or the program lost the activation
    FrameMeasured,    // the client area starts at (x, y) inside the window rectangle (border, caption)
    KeyPressed,       // a key went down (or repeats) while the main window had the keyboard: `key`
    KeyReleased,      // the key `key.key` came up
    KeyboardLost,     // the keyboard went to another window (a button, a box, another program)
    MoveEnded,        // the player let go of the window after moving it
    ResolutionChanged,  // the window's resolution became `dpi` (another monitor, or a new scale); corner at (x, y)
};

struct Event {
    EventKind kind = EventKind::TimerTick;
    int16_t x = 0;  // client coordinates (Moving: screen coordinates of the window's corner; FrameMeasured: the frame)
    int16_t y = 0;
    int16_t command = 0;
    int16_t notifyCode = 0;
    KeyPress key;
    int16_t dpi = 0;  // ResolutionChanged: the new resolution
};

// An event of a kind, at a client point for those that carry one; a command's event (notification code 0).
Event eventOf(EventKind kind, int16_t x = 0, int16_t y = 0);
Event commandEvent(int16_t command);
// A key going down (a repetition when `repeat`), and coming up.
Event keyPressEvent(int16_t key, bool shift = false, bool ctrl = false, bool repeat = false);
Event keyReleaseEvent(int16_t key);

/*
 * One event. A left press on a corner point takes the mouse until its
 * release; a lost capture cancels the gesture, and its release then does
 * nothing. A left release is
 * decided in this order: the scroll arrows under the point (each one scrolls,
 * and nothing else happens), then the screen mode (only Play mode takes
 * clicks), then the grid: the press point's cell, corner or, failing both
 * (or pressed off the shown grid), the number selector at the release point.
 * A hover and a right click count only on the shown grid. A key does what
 * decideKey (app/keyboard.h) says, unless a box of the game is open or the
 * key was pressed while something else had the keyboard; a key acting on the
 * cursor's cell goes through the same decisions as the click it stands for.
 * Whatever the event changed in the grid, the scale, the scrolling, the screen mode or the
 * frame is laid out again before it returns (layoutChanged).
 */
Effects handle(Session& s, const Event& event);

/*
 * The work after every handled message of the main window: a pending redraw
 * is handed out (repaint) when the message was for the main window and the
 * program is not moving its own window (`positioning`), and the iconic state
 * is followed (the clocks pause and resume).
 */
Effects finishMessage(Session& s, bool forMainWindow, bool iconic, bool positioning = false);

// Lays the window out when the layout is out of date and the resolution known (layoutChanged when it did).
Effects layOutIfNeeded(Session& s);

// The sound of a click on the session's beep function.
void playSignal(const Feedback& feedback, PlayFeedback signal);

// The client point (x, y) in grid coordinates of the current layout, and whether the grid is shown there.
PlayPoint playPointAt(const Session& s, int x, int y);
