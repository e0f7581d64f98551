// The session's word on the paint's background: a version that every change of the grid's picture moves on.
#pragma once

#include <cstdint>

/*
 * Three client-sized bitmaps serve the paint (app/paint_win.cpp): the blank
 * one (cyan, framed by a black line), the background (the blank one with the
 * grid's triangles, dots and lines laid on it) and the frame (the background
 * plus everything drawn over it, copied to the window). The window owns them;
 * the session only says when the background is out of date: every layout
 * recomputation, grid load, scale change and change of screen moves this
 * version on, and a paint that finds another version than the one it drew
 * draws the background again and then the whole picture. A change of the
 * client size does the same on the window's side.
 */
struct BackgroundState {
    uint32_t version = 1;
};

// The background must be drawn again, and everything over it.
void discardBackground(BackgroundState& background);
