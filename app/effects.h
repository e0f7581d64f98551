// What the window must do after an event or a command: one record of effects, and its one merge.
#pragma once

#include <cstdint>

#include "app/play_input.h"

/*
 * The effects of one event, a command included. The session has already
 * done its own part (bitmaps discarded, arrows hidden, the layout redone, the
 * clocks paused) before it hands the record out; each flag left here stands
 * for a few Win32 calls that only the window can make. The texts the window
 * shows are read from the session (input.cellInfoText, the clock text).
 */
struct Effects {
    // The picture, the window's frame and its bar.
    bool repaint = false;          // show what changed since the last paint (app/picture.h)
    bool layoutChanged = false;    // a new layout: the shape (Play mode) and the window's size and position
    bool modeChanged = false;      // a new screen mode: the working surface back to its start
    bool enterRules = false;       // the bar hidden, the shape removed, the window at the Rules size
    bool leaveRules = false;       // the bar shown again; the window gets its mode size back
    bool reposition = false;       // the main window moved and sized for the current mode
    bool labelsChanged = false;    // the labels (tooltip texts) of the mode and language
    bool barStateChanged = false;  // the bar's enabling rules applied again (after every command and click)
    bool forceBarRefresh = false;  // ... even where nothing they read changed
    bool rescaled = false;         // a new display scale: the bar, the cursors and the tooltip made again at it
    bool showSplash = false;       // a grid is being loaded: the splash at (windowLeft + 180, windowTop + 180)
    bool makeNewGrid = false;      // a new grid was asked: once the splash shows, the NewGridMade event follows
    bool cellFieldChanged = false;   // input.cellInfoText goes into the cell-information field
    bool clockFieldChanged = false;  // the clock text goes into the chronometer field

    // The mouse, the tooltip, the cursor and the sound.
    bool hideTooltip = false;   // the tooltip goes (a press, a move, a minimise, a deactivation, a command)
    bool trackTooltip = false;  // the tooltip follows the mouse at the event's point
    bool captureMouse = false;  // the window takes the mouse until the release (a press on a corner point)
    bool releaseMouse = false;  // the window lets the mouse go (the release of such a press)
    int16_t cursor = -1;        // the cursor number to show; -1 leaves the cursor as it is
    bool cursorForced = false;  // set it even when it is the one shown last
    PlayFeedback signal = PlayFeedback::None;  // the sound of a click, played through the session's beep
    int16_t signalCursor = -1;                 // the cursor shown while the signal sounds (the erasure's burst)

    // The window's life.
    bool minimise = false;   // the Pause command was confirmed
    bool sendClose = false;  // the Exit command: WM_CLOSE goes to the window (the close question decides)
    bool destroy = false;    // the close question was answered Yes

    // What happened, for the record: the window does nothing more about these.
    bool refused = false;       // a command arrived while another one's box was open (the two beeps were given)
    bool winAnnounced = false;  // the win was announced (its boxes have been asked)
};

// Adds every effect of `more` to `into`; a later cursor or signal replaces an earlier one.
void mergeEffects(Effects& into, const Effects& more);
