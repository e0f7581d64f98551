// The paint cycle: layout when invalid, the cached background, the frame with foreground, highlights and panel.
#include "app/paint_win.h"

#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/paint_plan.h"
#include "app/play_input.h"
#include "app/play_input_win.h"
#include "app/splash_win.h"
#include "app/window_shape_win.h"
#include "base/wide_text_win.h"
#include "ui/rules_pages_win.h"
#include "puzzle/levels.h"
#include "render/draw_surface_win.h"
#include "render/gdi_win.h"
#include "render/grid_drawing_win.h"
#include "ui/command_bar.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"

namespace {

const COLORREF kPageCyan = RGB(0, 255, 255);
const COLORREF kPanelInk = RGB(0, 0, 255);
const COLORREF kHighlightOldest = RGB(255, 165, 0);
const COLORREF kHighlightMiddle = RGB(0, 255, 0);
const COLORREF kHighlightNewest = RGB(255, 0, 0);
const uint32_t kBoundaryBlue = rgbColour(0, 0, 255);

/*
 * The working surface bound to the paint DC and sized to the client area. Its
 * origin is the centre of the client area until a layout exists; then it is
 * the layout's drawing origin, kept from one paint to the next, so that the
 * foreground of every paint lands on the background drawn by an earlier one.
 */
void bindWorkingSurface(const Session& session, HDC dc, int width, int height) {
    const AppState& app = session.app;
    DrawSurface& s = drawingSurface;
    reset(s);
    bind(s, dc, kDrawingDeviceName);
    setPageSizePx(s, static_cast<int16_t>(width), static_cast<int16_t>(height));
    setDrawAreaPx(s, static_cast<int16_t>(width), static_cast<int16_t>(height));
    centreOrigin(s);
    if (app.layoutValid && app.screenMode != ScreenRules) setOrigin(s, session.layout.originX, session.layout.originY);
    setZoom(s, 1.0f);
    moveToMm(s, 0, 0);
    currentSurface = &s;
}

// The blank bitmap: cyan with a one-pixel black line along the client edges.
void makeBlankBitmap(OwnedBitmap& blankBitmap, HDC reference, int width, int height) {
    blankBitmap = makeCompatibleBitmap(reference, width, height);
    MemoryDC memory(reference);
    GdiSelection bitmap(memory.get(), blankBitmap.get());
    OwnedBrush cyan = makeSolidBrush(kPageCyan);
    RECT all = {0, 0, width, height};
    FillRect(memory.get(), &all, cyan.get());
    OwnedPen black = makeSolidPen(1, RGB(0, 0, 0));
    GdiSelection pen(memory.get(), black.get());
    GdiSelection hollow(memory.get(), GetStockObject(NULL_BRUSH));
    Rectangle(memory.get(), 0, 0, width, height);
}

void copyBitmap(HDC target, HDC source, int width, int height) {
    BitBlt(target, 0, 0, width, height, source, 0, 0, SRCCOPY);
}

// A text centred on (x, y) both ways, in the current font of dc.
void centredText(HDC dc, int x, int y, int height, TextRef text) {
    std::wstring wide = wideText(text);
    SetTextAlign(dc, TA_CENTER | TA_TOP);
    TextOutW(dc, x, y - height / 2, wide.c_str(), static_cast<int>(wide.size()));
}

OwnedFont makeArialFont(int height, int width, int weight) {
    return OwnedFont(CreateFontW(height, width, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
}

// The panel's two fonts never change: made on first use and kept with the window.
HFONT panelTextFont(PaintResources& r) {
    if (!r.panelText) r.panelText = makeArialFont(16, 5, 600);
    return r.panelText.get();
}

HFONT panelDigitFont(PaintResources& r) {
    if (!r.panelDigit) r.panelDigit = makeArialFont(24, 8, 600);
    return r.panelDigit.get();
}

/*
 * The command bar panel in Play mode: the cyan rectangle behind the bar, the
 * version, the "*" of the current grid button, the level, the selected digit
 * and the number selector.
 */
void drawPanel(const AppState& app, PaintResources& resources, HDC dc) {
    const BarLayout bar = computeBarLayout(app.gridCount > 1, app.clocks.enabled != 0);
    {
        OwnedPen black = makeSolidPen(1, RGB(0, 0, 0));
        OwnedBrush cyan = makeSolidBrush(kPageCyan);
        GdiSelection pen(dc, black.get());
        GdiSelection brush(dc, cyan.get());
        Rectangle(dc, kPanelX - 10, 0, kPanelX + 40, bar.barBottom + 10);
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kPanelInk);
    {
        GdiSelection font(dc, panelTextFont(resources));
        TextString version;
        version.assign("V.");
        version.append3(numberText(app.versionMajor), ".", numberText(app.versionMinor));
        centredText(dc, kBarCentreX, bar.versionRow, 16, version);
        // A new grid (number 6) has no button to mark.
        if (bar.gridButtons && app.gridNumber > 0 && app.gridNumber <= app.gridCount)
            centredText(dc, 75, bar.gridRowTop + app.gridNumber * 20 - 8, 16, "*");
        TextString level;
        levelLabel(app.grids[0], level, 11, false);
        TextString text;
        text.assign2("Niv.", level);
        centredText(dc, kBarCentreX, bar.levelRow, 16, text);
    }
    {
        GdiSelection font(dc, panelDigitFont(resources));
        centredText(dc, kBarCentreX, bar.digitRow, 24, numberText(app.selectedDigit));
    }
    drawNumberSelector(dc, app.selector, app.selectedDigit);
}

void drawHighlights(const AppState& app, const GridView& view, DrawSurface& s) {
    const Grid& g = app.grids[0];
    const COLORREF colours[3] = {kHighlightNewest, kHighlightMiddle, kHighlightOldest};
    // Oldest first, so the newest is drawn on top where outlines meet.
    for (int i = 2; i >= 0; --i) {
        if (app.hexHighlights[i] > 0) drawMarkHexagon(g, view, s, app.hexHighlights[i], colours[i]);
    }
    releaseSurfaceObjects();
}

ForegroundView foregroundView(const Session& session) {
    ForegroundView view;
    view.linkDisplay = session.input.sixFlag;
    view.rulesShown = session.app.screenMode == ScreenRules ? 1 : 0;
    view.outlinedCell = session.app.hintCell;
    for (int i = 0; i < kArrowCount; ++i) view.arrows[i] = session.layout.arrows[i];
    return view;
}

// Step 7: everything drawn off screen, then copied to the window in one transfer.
void paintFrame(MainWindow& win, HDC dc, int width, int height) {
    const Session& session = win.session;
    const AppState& app = session.app;
    const Grid& board = app.grids[0];
    PaintResources& r = win.paint;
    OwnedBitmap& blankBitmap = r.blank;
    OwnedBitmap& backgroundBitmap = r.background;
    OwnedBitmap& frameBitmap = r.frame;
    PaintSteps steps = planPaint(win.session.paintCache, static_cast<int16_t>(width), static_cast<int16_t>(height));
    if (steps.makeBlank || !blankBitmap) makeBlankBitmap(blankBitmap, dc, width, height);

    const bool rules = app.screenMode == ScreenRules;
    // The grid is drawn at the scale its cells were sized to.
    const GridView view = gridViewAt(app.scale);
    MemoryDC backgroundDC(dc);
    if (steps.drawBackground || !backgroundBitmap) {
        backgroundBitmap = makeCompatibleBitmap(dc, width, height);
        steps.drawBackground = 1;
    }
    GdiSelection background(backgroundDC.get(), backgroundBitmap.get());
    if (steps.drawBackground) {
        MemoryDC blankDC(dc);
        GdiSelection blank(blankDC.get(), blankBitmap.get());
        copyBitmap(backgroundDC.get(), blankDC.get(), width, height);
        if (!rules && app.gridNumber > 0) {
            setDC(drawingSurface, backgroundDC.get());
            drawBackground(board, view, drawingSurface);
        }
    }

    if (!frameBitmap || steps.makeBlank) frameBitmap = makeCompatibleBitmap(dc, width, height);
    MemoryDC frameDC(dc);
    GdiSelection frame(frameDC.get(), frameBitmap.get());
    copyBitmap(frameDC.get(), backgroundDC.get(), width, height);
    setDC(drawingSurface, frameDC.get());

    if (!rules && app.gridNumber > 0) {
        drawForeground(board, view, drawingSurface, kBoundaryBlue, foregroundView(session));
    }
    placeOnSurface(drawingSurface);
    if (app.screenMode == ScreenPlay) drawHighlights(app, view, drawingSurface);

    if (rules) {
        refreshCommandBarState(app);
        drawRulesPageFrame(frameDC.get(), app.rulesPage, app.language);
    } else {
        refreshCommandBarState(app);
        if (app.screenMode == ScreenPlay) drawPanel(app, r, frameDC.get());
    }
    releaseSurfaceObjects();

    copyBitmap(dc, frameDC.get(), width, height);
    setDC(drawingSurface, dc);
    notePainted(win.session.paintCache, steps);

    if (win.splash.visible) hideSplash(win.splash);
}

void clientSize(HWND window, int& width, int& height) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

}  // namespace

void paintMainWindow(MainWindow& win, HWND window) {
    const Session& session = win.session;
    const AppState& app = session.app;
    // The hourglass while the paint runs, unless something longer already shows it.
    const bool busyHere = app.busyDepth == 0;
    if (busyHere) showCursor(win.cursors, kCursorHourglass, false);
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    int width = 0, height = 0;
    clientSize(window, width, height);

    if (app.firstPaintPending) {
        win.session.app.firstPaintPending = 0;
        bind(screenSurface, dc, kScreenDeviceName);
    }
    bindWorkingSurface(session, dc, width, height);

    if (app.paintEnabled && width > 0 && height > 0) paintFrame(win, dc, width, height);

    if (app.showAllowed && !IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
    EndPaint(window, &ps);
    if (busyHere) showCursor(win.cursors, chooseCursor(app, session.input), false);
}

void releasePaintBitmaps(MainWindow& win) {
    win.paint.frame.reset();
    win.paint.background.reset();
    win.paint.blank.reset();
    discardAllBitmaps(win.session.paintCache);
}

void applyWindowShapeOf(MainWindow& win) {
    if (win.window) applyWindowShape(win.window, win.session.layout.shape);
}
