// The main window: its record, class, creation, window procedure, the work after each message, and the program's life.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/picture.h"
#include "app/play_input_win.h"
#include "app/session.h"
#include "app/splash_win.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"
#include "render/gdi_win.h"
#include "ui/command_bar_win.h"
#include "ui/rules_pages_win.h"
#include "ui/feedback_win.h"
#include "ui/tooltips_win.h"

constexpr const wchar_t* kMainClassName = L"DemoORNEL";
constexpr UINT_PTR kChronoTimer = 1;
constexpr UINT kChronoPeriodMs = 200;
// While the tooltip shows, the mouse is looked at this often: no message comes when it leaves for the desktop.
constexpr UINT_PTR kTooltipTimer = 2;
constexpr UINT kTooltipCheckMs = 100;
// Caption, system menu and minimise box: no sizing border, no maximise box.
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

/*
 * What the paint keeps from one paint to the next: the three cached bitmaps
 * (blank: cyan with a black frame line; background: blank + the grid's
 * triangles; frame: what is shown), the panel's two fonts, made on first
 * use, the drawing surface the grid and the rules pages are drawn on with its
 * kept pens, brushes and fonts, the rules pages' pictures, the picture the
 * frame holds (with the background version it lies on) and the digits' ink
 * measured at a scale.
 */
struct PaintResources {
    OwnedBitmap blank;
    OwnedBitmap background;
    OwnedBitmap frame;
    int16_t bitmapWidth = 0;  // the client size the three bitmaps were made for
    int16_t bitmapHeight = 0;
    // The three stay selected in memory DCs of their own (declared after the bitmaps, so that the selections
    // end first).
    MemoryDC blankDC;
    MemoryDC backgroundDC;
    MemoryDC frameDC;
    GdiSelection blankSelection;
    GdiSelection backgroundSelection;
    GdiSelection frameSelection;
    OwnedFont panelText;
    OwnedFont panelDigit;
    int16_t panelFontDpi = 0;  // the resolution the two panel fonts were made at
    DrawSurface surface;
    SurfaceObjects objects;
    BoundaryLines boundaries;  // the grid's lines with their ends, worked out again with the grid's picture
    /*
     * The grid's picture: its background pass (holes, triangles, dots, lines)
     * drawn once on cyan in a bitmap of its own, kept while the grid and the
     * scale stay (its key), and laid on the client-sized background at the
     * layout's origin with cyan transparent. A scroll moves it, it does not
     * draw it again. Its mask is 1 where it shows cyan.
     */
    OwnedBitmap gridPicture;
    MemoryDC gridPictureDC;
    GdiSelection gridPictureSelection;
    OwnedBitmap gridMask;
    MemoryDC gridMaskDC;
    GdiSelection gridMaskSelection;
    DrawSurface gridSurface;
    TextString gridPictureKey;
    int16_t gridPictureX = 0;  // where the grid's drawing origin lies in the picture
    int16_t gridPictureY = 0;
    int16_t gridPictureWidth = 0;
    int16_t gridPictureHeight = 0;
    RulesPictures rulesPictures;
    Picture shown;                 // what the frame holds, item by item
    DigitInk digitInk;             // where a digit puts ink at the scale it was measured at (0: not yet)
    bool surfaceBound = false;     // the working surface is bound to this client size and layout
    int32_t backgroundPasses = 0;  // how many times the background was drawn (tests and benchmarks read it)
};

/*
 * The one record of the window half: the game's session and everything the
 * program made on Windows for it. Every window procedure of the program finds
 * its record through GWLP_USERDATA, stored from the creation parameter at
 * WM_NCCREATE; a window of the class made without a record gets the default
 * procedure only.
 */
/*
 * The last placement the window was asked for and the rectangle it took. The
 * system may keep a window smaller than asked (one wider than the screen, for
 * instance): asking again for what was answered once would only cost the
 * window's messages at every scroll.
 */
struct PlacementRequest {
    bool made = false;
    RECT asked = {0, 0, 0, 0};
    bool shown = false;
    RECT got = {0, 0, 0, 0};
};

struct MainWindow {
    Session session;
    HWND window = nullptr;  // null until the creation has returned, and again once destroyed
    HINSTANCE instance = nullptr;
    SplashWindow splash;
    CommandBarWindows bar;
    PaintResources paint;
    CursorSet cursors;
    TooltipWindows tooltipWindows;
    WaveOutput wave;
    bool tooltipTimerSet = false;  // the tooltip's leave check is running
    PlacementRequest placement;
    // Raised while the program moves or sizes its own window: a redraw asked meanwhile waits for a later message.
    int16_t positioningDepth = 0;
    bool firstPaintPending = true;  // no paint has happened since the window was created
    bool cellFieldPending = false;  // the cell field's new text waits for the message's picture to show
};

bool registerMainWindowClass(HINSTANCE instance);
// Creates the main window (hidden) of the record, with the caption of its title; null on failure.
HWND createMainWindow(MainWindow& win);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// The real ask (boxes owned by the record's window), beep (its wave output) and show-now handed to the session.
void handWindowsFeedback(MainWindow& win);

// The work after each handled message of the main window.
void afterMainMessage(MainWindow& win, HWND window);

/*
 * The whole life of the program: start-up, the message loop, and the value
 * the entry point returns (the quit message's code, or 0 after a start-up
 * failure that was reported in a message box).
 */
int runProgram(HINSTANCE instance, int showCommand);
/*
 * The two halves around the message loop, for tests that drive the real
 * window with their own loop: start-up (StartupFailure::None, or the failure
 * the caller tells with reportStartupFailure), and the clean-up after the loop
 * (the main window destroyed if it still exists).
 */
StartupFailure startProgram(MainWindow& win, HINSTANCE instance, int showCommand);
void endProgram(MainWindow& win);

