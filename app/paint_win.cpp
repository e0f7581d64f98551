// The paint of the main window: the cached background, the frame with foreground, highlights and panel, shown in boxes.
#include "app/paint_win.h"

#include <vector>

#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/paint_plan.h"
#include "app/picture.h"
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
void bindWorkingSurface(MainWindow& win, HDC dc, int width, int height) {
    const Session& session = win.session;
    const AppState& app = session.app;
    DrawSurface& s = win.paint.surface;
    s.objects = &win.paint.objects;
    reset(s);
    bind(s, dc, kDrawingDeviceName);
    setPageSizePx(s, static_cast<int16_t>(width), static_cast<int16_t>(height));
    setDrawAreaPx(s, static_cast<int16_t>(width), static_cast<int16_t>(height));
    centreOrigin(s);
    if (app.view.layoutValid && app.view.screenMode != ScreenMode::Rules)
        setOrigin(s, session.layout.originX, session.layout.originY);
    setZoom(s, 1.0f);
    moveToMm(s, 0, 0);
    win.paint.surfaceBound = true;
}

// A bitmap selected for good into its memory DC: the old selection goes back before the old bitmap is deleted.
void keepSelected(MemoryDC& memory, GdiSelection& selection, OwnedBitmap& bitmap, HDC reference, int width,
                  int height) {
    if (!memory) memory = MemoryDC(reference);
    selection.restore();
    bitmap = makeCompatibleBitmap(reference, width, height);
    selection = GdiSelection(memory.get(), bitmap.get());
}

// The blank bitmap, kept selected in its DC: cyan with a one-pixel black line along the client edges.
void makeBlankBitmap(PaintResources& r, HDC reference, int width, int height) {
    keepSelected(r.blankDC, r.blankSelection, r.blank, reference, width, height);
    HDC dc = r.blankDC.get();
    OwnedBrush cyan = makeSolidBrush(kPageCyan);
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, cyan.get());
    OwnedPen black = makeSolidPen(1, RGB(0, 0, 0));
    GdiSelection pen(dc, black.get());
    GdiSelection hollow(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, 0, 0, width, height);
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

/*
 * The panel's two fonts, 16 x 5 and 24 x 8 at 96 dpi, scaled like the bar:
 * made on first use and kept with the window, made again only when the
 * resolution they were made at is no longer the bar's.
 */
void keepPanelFontsAt(PaintResources& r, int16_t dpi) {
    if (r.panelFontDpi == dpi) return;
    r.panelText = OwnedFont();
    r.panelDigit = OwnedFont();
    r.panelFontDpi = dpi;
}

HFONT panelTextFont(PaintResources& r, int16_t dpi) {
    keepPanelFontsAt(r, dpi);
    if (!r.panelText) r.panelText = makeArialFont(scaledPx(16, dpi), scaledPx(5, dpi), 600);
    return r.panelText.get();
}

HFONT panelDigitFont(PaintResources& r, int16_t dpi) {
    keepPanelFontsAt(r, dpi);
    if (!r.panelDigit) r.panelDigit = makeArialFont(scaledPx(24, dpi), scaledPx(8, dpi), 600);
    return r.panelDigit.get();
}

/*
 * One item of the command bar panel in Play mode: the cyan rectangle behind
 * the bar, the version, the "*" of the current grid button, the level, the
 * selected digit or the number selector.
 */
void drawPanelItem(const Session& session, PaintResources& resources, CommandBarWindows& barWindows, HDC dc,
                   ItemKind kind) {
    const AppState& app = session.app;
    const BarLayout bar = computeBarLayout(app.game.gridCount > 1, app.clocks.enabled, app.geometry.dpi);
    if (kind == ItemKind::PanelFrame) {
        OwnedPen black = makeSolidPen(1, RGB(0, 0, 0));
        OwnedBrush cyan = makeSolidBrush(kPageCyan);
        GdiSelection pen(dc, black.get());
        GdiSelection brush(dc, cyan.get());
        Rectangle(dc, bar.panelLeft, 0, bar.panelRight, bar.panelBottom);
        return;
    }
    if (kind == ItemKind::Selector) {
        drawNumberSelector(barWindows, dc, session.selector, app.game.selectedDigit);
        return;
    }
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, kPanelInk);
    if (kind == ItemKind::ChosenDigit) {
        GdiSelection font(dc, panelDigitFont(resources, bar.dpi));
        centredText(dc, bar.centreX, bar.digitRow, bar.digitHeight, numberText(app.game.selectedDigit));
        return;
    }
    GdiSelection font(dc, panelTextFont(resources, bar.dpi));
    TextString text;
    switch (kind) {
    case ItemKind::Version:
        text.assign("V.");
        text.append3(numberText(app.versionMajor), ".", numberText(app.versionMinor));
        centredText(dc, bar.centreX, bar.versionRow, bar.textHeight, text);
        break;
    case ItemKind::GridStar:
        centredText(dc, bar.starX, bar.gridRowTop + app.game.gridNumber * bar.gridRowStep - bar.starRise, bar.textHeight, "*");
        break;
    case ItemKind::Level: {
        TextString level;
        levelLabel(app.game.grids[0], level, 11, false);
        text.assign2("Niv.", level);
        centredText(dc, bar.centreX, bar.levelRow, bar.textHeight, text);
        break;
    }
    default: break;
    }
}

// A marked hexagon, by its rank: the newest red, the middle one green, the oldest orange.
void drawMark(const AppState& app, const GridView& view, DrawSurface& s, const PictureItem& item) {
    const COLORREF colours[3] = {kHighlightNewest, kHighlightMiddle, kHighlightOldest};
    if (item.key < 0 || item.key > 2) return;
    drawMarkHexagon(app.game.grids[0], view, s, static_cast<int16_t>(item.content), colours[item.key]);
}

// What the grid's picture depends on: the grid's shape and holes, its cells' size and the resolution, the view.
TextString gridPictureKeyOf(const Grid& g, const GridView& view) {
    TextString key;
    key.assign(g.gridCode);
    key.append3(",", numberText(view.sizePx), ",");
    key.append2(numberText(view.dpi), ",");
    key.append3(numberText(g.cellSize), ",", numberText(g.cellCount));
    key.append3(",", numberText(static_cast<int16_t>(g.view)), ",");
    for (const std::string& hole : g.holes.items) key.append2(hole, ",");
    return key;
}

/*
 * Draws the grid's picture again when what it shows has changed. A new grid or
 * scale asks for other pen widths and fonts: the kept ones go with it.
 */
void ensureGridPicture(MainWindow& win, HDC reference) {
    PaintResources& r = win.paint;
    const AppState& app = win.session.app;
    const Grid& board = app.game.grids[0];
    const TextString key = gridPictureKeyOf(board, screenGridView(app));
    if (r.gridPicture && r.gridPictureKey.s == key.s) return;
    dropSurfaceObjects(r.objects);
    r.boundaries = boundaryLinesOf(board);
    const GridBox box = boundingBox(board);
    // Beyond the cells' box: the outer lines' pen and the dots, with room to spare.
    const int margin = outerBoundaryWidth(screenGridView(app)) + scaledPx(16, app.geometry.dpi);
    r.gridPictureX = static_cast<int16_t>(margin - box.left);
    r.gridPictureY = static_cast<int16_t>(margin + box.top);
    r.gridPictureWidth = static_cast<int16_t>(box.right - box.left + 2 * margin);
    r.gridPictureHeight = static_cast<int16_t>(box.top - box.bottom + 2 * margin);
    keepSelected(r.gridPictureDC, r.gridPictureSelection, r.gridPicture, reference, r.gridPictureWidth,
                 r.gridPictureHeight);
    HDC dc = r.gridPictureDC.get();
    OwnedBrush cyan = makeSolidBrush(kPageCyan);
    const RECT all = {0, 0, r.gridPictureWidth, r.gridPictureHeight};
    FillRect(dc, &all, cyan.get());
    DrawSurface& s = r.gridSurface;
    s.objects = &r.objects;
    reset(s);
    bind(s, dc, kDrawingDeviceName);
    setOrigin(s, r.gridPictureX, r.gridPictureY);
    setZoom(s, 1.0f);
    moveToMm(s, 0, 0);
    drawBackground(board, screenGridView(app), s, kBoundaryBlue, &r.boundaries);
    if (!r.gridMaskDC) r.gridMaskDC = MemoryDC(reference);
    r.gridMaskSelection.restore();
    r.gridMask = makeMaskBitmap(r.gridPictureWidth, r.gridPictureHeight);
    r.gridMaskSelection = GdiSelection(r.gridMaskDC.get(), r.gridMask.get());
    // A colour to monochrome copy sets the bits of the source's background colour.
    SetBkColor(dc, kPageCyan);
    BitBlt(r.gridMaskDC.get(), 0, 0, r.gridPictureWidth, r.gridPictureHeight, dc, 0, 0, SRCCOPY);
    r.gridPictureKey = key;
}

/*
 * Lays the grid's picture on the background with its top left corner at
 * (x, y), cyan transparent. The picture's cyan is the page's own, so inside
 * the client edges a plain copy shows the same pixels: under Wine a
 * transparent copy of the whole picture was most of a full repaint. Only on
 * the black line along the client edges must the cyan let the line show:
 * there the copy is cut with the picture's mask (cyan becomes black, the rest
 * stays), one strip a pixel thick at a time.
 */
void layGridPicture(const PaintResources& r, HDC background, int x, int y, int width, int height) {
    HDC picture = r.gridPictureDC.get();
    IntersectClipRect(background, 1, 1, width - 1, height - 1);
    BitBlt(background, x, y, r.gridPictureWidth, r.gridPictureHeight, picture, 0, 0, SRCCOPY);
    SelectClipRgn(background, nullptr);
    const RECT placed = {x, y, x + r.gridPictureWidth, y + r.gridPictureHeight};
    const RECT edges[4] = {{0, 0, width, 1}, {0, height - 1, width, height}, {0, 1, 1, height - 1},
                           {width - 1, 1, width, height - 1}};
    // From the monochrome mask, 0 bits come as the text colour and 1 bits as the background colour.
    SetTextColor(background, RGB(255, 255, 255));
    SetBkColor(background, RGB(0, 0, 0));
    for (const RECT& edge : edges) {
        RECT common;
        if (!IntersectRect(&common, &edge, &placed)) continue;
        const int w = common.right - common.left, h = common.bottom - common.top;
        BitBlt(background, common.left, common.top, w, h, picture, common.left - x, common.top - y, SRCCOPY);
        BitBlt(background, common.left, common.top, w, h, r.gridMaskDC.get(), common.left - x, common.top - y,
               SRCAND);
    }
}

/*
 * The frame over one client box: the background copied in, then every item
 * of the picture that meets the box drawn over it (the frame DC clipped to
 * the box), in the picture's order: the grid's foreground, the marked
 * hexagons, then the rules page or the panel.
 */
void drawFrameBox(MainWindow& win, const Picture& picture, RECT area, bool whole) {
    const Session& session = win.session;
    const AppState& app = session.app;
    PaintResources& r = win.paint;
    DrawSurface& surface = r.surface;
    HDC frameDC = r.frameDC.get();
    const GridView view = screenGridView(app);
    const DeviceBox only = whole ? DeviceBox()
                                 : DeviceBox{true, static_cast<int16_t>(area.left), static_cast<int16_t>(area.top),
                                             static_cast<int16_t>(area.right), static_cast<int16_t>(area.bottom)};
    IntersectClipRect(frameDC, area.left, area.top, area.right, area.bottom);
    BitBlt(frameDC, area.left, area.top, area.right - area.left, area.bottom - area.top, r.backgroundDC.get(),
           area.left, area.top, SRCCOPY);
    setDC(surface, frameDC);
    ForegroundView shell = foregroundViewOf(session, r.digitInk);
    shell.boundaries = &r.boundaries;
    shell.only = only;
    /*
     * The grid's items first, then, from the surface's origin and with the
     * grid's pens given back, the marks; then the rules page or the panel,
     * which choose their own pens and fonts.
     */
    bool pastGrid = false, pastMarks = false;
    for (const PictureItem& item : picture.items) {
        const bool gridItem = item.kind <= ItemKind::Arrow;
        if (!gridItem && !pastGrid) {
            releaseSurfaceObjects(surface);
            placeOnSurface(surface);
            pastGrid = true;
        }
        if (item.kind > ItemKind::Mark && !pastMarks) {
            releaseSurfaceObjects(surface);
            pastMarks = true;
        }
        if (!boxesMeet(only, item.box)) continue;
        if (gridItem) {
            drawForegroundItem(app.game.grids[0], view, surface, kBoundaryBlue, shell, item);
        } else if (item.kind == ItemKind::Mark) {
            drawMark(app, view, surface, item);
        } else if (item.kind == ItemKind::RulesPage) {
            drawRulesPageFrame(surface, r.rulesPictures, frameDC, app.view.rulesPage, app.view.language,
                               app.geometry.dpi);
        } else {
            drawPanelItem(session, r, win.bar, frameDC, item.kind);
        }
    }
    placeOnSurface(surface);
    releaseSurfaceObjects(surface);
    SelectClipRgn(frameDC, nullptr);
}

/*
 * The three client-sized bitmaps for this client size, and the background over
 * them in the session's version. True when the background was drawn: then the
 * whole client area must be shown.
 */
bool prepareBackground(MainWindow& win, HDC dc, int width, int height) {
    const Session& session = win.session;
    const AppState& app = session.app;
    PaintResources& r = win.paint;
    bool draw = !r.shown.valid || r.shown.backgroundVersion != session.background.version;
    /*
     * The three client-sized bitmaps are made again only for another client
     * size: the blank one shows nothing else, and a new layout draws the other
     * two again over the same bitmaps.
     */
    if (!r.blank || !r.background || !r.frame || !r.blankDC || r.bitmapWidth != width || r.bitmapHeight != height) {
        makeBlankBitmap(r, dc, width, height);
        keepSelected(r.backgroundDC, r.backgroundSelection, r.background, dc, width, height);
        keepSelected(r.frameDC, r.frameSelection, r.frame, dc, width, height);
        r.bitmapWidth = static_cast<int16_t>(width);
        r.bitmapHeight = static_cast<int16_t>(height);
        draw = true;
    }
    if (!draw) return false;
    copyBitmap(r.backgroundDC.get(), r.blankDC.get(), width, height);
    if (app.view.screenMode != ScreenMode::Rules && app.game.gridNumber > 0) {
        ensureGridPicture(win, dc);
        layGridPicture(r, r.backgroundDC.get(), session.layout.originX - r.gridPictureX,
                       session.layout.originY - r.gridPictureY, width, height);
    }
    ++r.backgroundPasses;
    return true;
}

void clientSize(HWND window, int& width, int& height) {
    RECT client = {0, 0, 0, 0};
    GetClientRect(window, &client);
    width = client.right - client.left;
    height = client.bottom - client.top;
}

/*
 * The one way a picture reaches the window: the frame is brought up to date
 * with the session's picture over the boxes (the whole client area when the
 * background had to be drawn), and the boxes are copied to dc. The frame's
 * record then holds the items drawn whole.
 */
void showBoxes(MainWindow& win, HDC dc, std::vector<RECT> boxes) {
    int width = 0, height = 0;
    clientSize(win.window, width, height);
    if (width <= 0 || height <= 0 || boxes.empty()) return;
    PaintResources& r = win.paint;
    bool whole = prepareBackground(win, dc, width, height);
    for (const RECT& b : boxes) whole |= b.left <= 0 && b.top <= 0 && b.right >= width && b.bottom >= height;
    if (whole) boxes.assign(1, RECT{0, 0, width, height});
    if (whole || !r.surfaceBound) {
        // A new layout may have moved the drawing origin: the surface is bound again.
        bindWorkingSurface(win, dc, width, height);
    } else {
        // The surface is as the last show left it (same layout, same client size): only its DC changes.
        setDC(r.surface, dc);
        placeOnSurface(r.surface);
    }
    // The digits' ink is measured once per scale, before the picture's boxes need it.
    const GridView view = screenGridView(win.session.app);
    if (r.digitInk.scale != view.sizePx) {
        setDC(r.surface, r.frameDC.get());
        r.digitInk = measureDigitInk(r.surface, view);
    }
    const Picture picture = pictureOf(win.session, r.digitInk);
    std::vector<ShapeRect> painted;
    for (const RECT& area : boxes) {
        drawFrameBox(win, picture, area, whole);
        BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, r.frameDC.get(), area.left,
               area.top, SRCCOPY);
        painted.push_back(ShapeRect{static_cast<int16_t>(area.left), static_cast<int16_t>(area.top),
                                    static_cast<int16_t>(area.right), static_cast<int16_t>(area.bottom)});
    }
    setDC(r.surface, dc);
    notePainted(r.shown, picture, painted, whole);
}

}  // namespace

bool showUpdateRegion(MainWindow& win, HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    int width = 0, height = 0;
    clientSize(window, width, height);
    const bool shown = win.session.app.paintEnabled && width > 0 && height > 0;
    if (shown) showBoxes(win, dc, {ps.rcPaint});
    EndPaint(window, &ps);
    return shown;
}

bool frameIsCurrent(const MainWindow& win) {
    const PaintResources& r = win.paint;
    int width = 0, height = 0;
    if (win.window) clientSize(win.window, width, height);
    return r.shown.valid && r.shown.backgroundVersion == win.session.background.version && r.frame &&
           r.background && r.bitmapWidth == width && r.bitmapHeight == height;
}

namespace {

/*
 * Whether what changed may be shown at once, without waiting for WM_PAINT:
 * the window is shown in Play mode and the paint has nothing else to do (no
 * first paint, no win to announce, no scroll hint to give, no splash to hide).
 * A few boxes also need a frame that is current; the whole client area makes
 * whatever is missing.
 */
bool canPresentNow(const MainWindow& win, int width, int height, bool whole) {
    const Session& s = win.session;
    const AppState& app = s.app;
    bool arrowShown = false;
    for (const ScrollArrow& a : s.layout.arrows) arrowShown |= a.shown;
    const bool quiet = app.paintEnabled && app.view.screenMode == ScreenMode::Play && !win.firstPaintPending &&
                       !app.game.winPending && !(app.view.scrollHintPending && arrowShown) && !win.splash.visible &&
                       width > 0 && height > 0 && IsWindowVisible(win.window) && !IsIconic(win.window);
    if (!quiet || whole) return quiet;
    return frameIsCurrent(win);
}

RECT unionOf(const std::vector<RECT>& boxes) {
    RECT all = boxes.front();
    for (const RECT& r : boxes) UnionRect(&all, &all, &r);
    return all;
}

long areaOf(const RECT& r) {
    return static_cast<long>(r.right - r.left) * (r.bottom - r.top);
}

}  // namespace

void showChanges(MainWindow& win) {
    if (!win.window) return;
    int width = 0, height = 0;
    clientSize(win.window, width, height);
    Damage damage;
    if (frameIsCurrent(win)) damage = damageBetween(win.paint.shown, pictureOf(win.session, win.paint.digitInk));
    else damage.all = true;
    if (!damage.all && damage.boxes.empty()) {
        // Nothing changed, but a paint is due to take the splash away.
        if (win.splash.visible) InvalidateRect(win.window, nullptr, FALSE);
        return;
    }
    const bool whole = damage.all;
    std::vector<RECT> boxes;
    for (const ShapeRect& b : damage.boxes) boxes.push_back(RECT{b.left, b.top, b.right, b.bottom});
    if (!canPresentNow(win, width, height, whole)) {
        if (whole) InvalidateRect(win.window, nullptr, FALSE);
        for (const RECT& r : boxes) InvalidateRect(win.window, &r, FALSE);
        return;
    }
    /*
     * What changed is drawn into the frame and shown at once through the
     * window's DC: under Wine a WM_PAINT cycle (BeginPaint, EndPaint) of a
     * shaped window with child controls costs more than a dozen client-sized
     * copies, the drawing of a few items a fraction of one. Boxes far apart
     * (two marked hexagons) are shown one by one rather than as their union.
     */
    if (whole) {
        boxes.assign(1, RECT{0, 0, width, height});
    } else {
        long sum = 0;
        for (const RECT& r : boxes) sum += areaOf(r);
        const RECT all = unionOf(boxes);
        if (areaOf(all) <= 2 * sum) boxes.assign(1, all);
    }
    HDC dc = GetDC(win.window);
    showBoxes(win, dc, boxes);
    ReleaseDC(win.window, dc);
    // The whole client area is shown: a paint still pending would only draw it again.
    if (whole) ValidateRect(win.window, nullptr);
}

void releasePaintBitmaps(MainWindow& win) {
    PaintResources& r = win.paint;
    r.frameSelection.restore();
    r.backgroundSelection.restore();
    r.blankSelection.restore();
    r.gridPictureSelection.restore();
    r.gridMaskSelection.restore();
    r.frameDC.reset();
    r.backgroundDC.reset();
    r.blankDC.reset();
    r.gridPictureDC.reset();
    r.gridPicture.reset();
    r.gridMaskDC.reset();
    r.gridMask.reset();
    r.gridPictureKey.clear();
    r.frame.reset();
    r.background.reset();
    r.blank.reset();
    dropSurfaceObjects(win.paint.objects);
    // The next show draws everything again.
    r.shown = Picture();
    r.surfaceBound = false;
}

void applyWindowShapeOf(MainWindow& win) {
    if (!win.window) return;
    /*
     * The region is set without the redraw of the whole window, frame and
     * controls: neither the caption strip nor the bar's controls move with the
     * grid, and under Wine that redraw made a new shape cost some eighty
     * client-sized copies. Only the client area is invalidated; a new layout is
     * followed by a paint of all of it (its damage is everything), which
     * validates it again. Without that invalidation Wine kept showing the old
     * outline after a scroll.
     */
    applyWindowShape(win.window, win.session.layout.shape, false);
    RedrawWindow(win.window, nullptr, nullptr, RDW_INVALIDATE | RDW_NOCHILDREN);
}

void resetWorkingSurface(MainWindow& win) {
    win.paint.surfaceBound = false;
    reset(win.paint.surface);
    setZoom(win.paint.surface, 1.0f);
}
