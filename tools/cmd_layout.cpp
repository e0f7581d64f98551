// ornel-tool layout: the main window's layout for a built-in grid, as the game computes it, for scripts that click.
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/app_state.h"
#include "app/layout.h"
#include "content/collection.h"
#include "content/new_grid.h"
#include "content/rules_pages.h"
#include "puzzle/grid.h"
#include "render/draw_surface.h"
#include "render/grid_drawing.h"
#include "tools/tool.h"
#include "tools/tool_args.h"

namespace {

struct LayoutOptions {
    std::string code;
    long scale = kScaleMin;
    long screenWidth = 1024, screenHeight = 768;
    long left = kStartWindowLeft, top = kStartWindowTop;
    // The frame Wine draws around a caption-and-minimise window with its default theme.
    long frameX = 3, frameY = 22;
    long dpi = 96;
    float panX = 0, panY = 0;
    bool screenCoords = false;
};

bool decimalNumber(const std::string& text, float& value) {
    if (text.empty() || text.size() > 12) return false;
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !(v > -10000 && v < 10000)) return false;
    value = static_cast<float>(v);
    return true;
}

// "A<sep>B" split at the first separator.
bool splitPair(const std::string& text, char sep, std::string& a, std::string& b) {
    size_t at = text.find(sep);
    if (at == std::string::npos) return false;
    a = text.substr(0, at);
    b = text.substr(at + 1);
    return true;
}

bool wholePair(const std::string& text, char sep, long low, long high, long& a, long& b) {
    std::string x, y;
    return splitPair(text, sep, x, y) && readWholeNumber(x, low, high, a) && readWholeNumber(y, low, high, b);
}

// Reads the command line; returns -1 when good, else the exit status after one line on err.
int readLayoutOptions(const ToolArgs& args, LayoutOptions& o, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--screen-coords") {
            o.screenCoords = true;
            continue;
        }
        const bool takesValue =
            a == "--scale" || a == "--screen" || a == "--at" || a == "--frame" || a == "--dpi" || a == "--pan";
        if (takesValue) {
            if (i + 1 >= args.size()) {
                err << "ornel-tool: " << a << " needs a value\n";
                return 2;
            }
            const std::string& v = args[++i];
            std::string px, py;
            bool good = false;
            if (a == "--scale") good = readWholeNumber(v, -99999, 99999, o.scale);
            if (a == "--screen") good = wholePair(v, 'x', 0, 32767, o.screenWidth, o.screenHeight);
            if (a == "--at") good = wholePair(v, ',', -32768, 32767, o.left, o.top);
            if (a == "--frame") good = wholePair(v, ',', 0, 200, o.frameX, o.frameY);
            if (a == "--dpi") good = readWholeNumber(v, 1, 2400, o.dpi);
            if (a == "--pan")
                good = splitPair(v, ',', px, py) && decimalNumber(px, o.panX) && decimalNumber(py, o.panY);
            if (!good) {
                err << "ornel-tool: " << a << " has a malformed value '" << v << "' (see ornel-tool help)\n";
                return 2;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            err << "ornel-tool: unknown option '" << a << "'\n";
            return 2;
        } else if (o.code.empty()) {
            o.code = a;
        } else {
            err << "ornel-tool: layout takes one code\n";
            return 2;
        }
    }
    if (o.code.empty()) {
        err << "ornel-tool: layout needs a grid code\n";
        return 2;
    }
    NewGridRequest request;
    if (!builtInGridOf(o.code) && !readNewGridCode(o.code, request)) {
        err << "ornel-tool: no built-in grid has that code\n";
        return 1;
    }
    return -1;
}

const char kLayoutHelp[] =
    "usage: ornel-tool layout CODE [--scale S] [--screen WxH] [--at X,Y] [--frame FX,FY] [--dpi D]\n"
    "                         [--pan PX,PY] [--screen-coords]\n"
    "The main window's layout for a built-in grid, computed by the game's own layout code, at a\n"
    "display scale of D dots per inch (96 is 100 %; the scale S is in 96-dpi pixels).\n"
    "Defaults: scale 40, screen 1024x768, window at 60,60, frame 3,22 (as Wine draws it), dpi 96, pan 0,0.\n"
    "Output, one item per line; positions are client pixels, or screen pixels with --screen-coords\n"
    "(screen = client + client-at):\n"
    "  code C                 the grid loaded\n"
    "  scale S                the scale applied (kept within 40..70)\n"
    "  screen W H             the screen size used\n"
    "  position X Y           the window's corner on the screen (brought back as at start-up when off it)\n"
    "  window W H             outer size of the window\n"
    "  client W H             size of its client area\n"
    "  frame FX FY            client area offset inside the window\n"
    "  client-at X Y          screen position of client point 0,0\n"
    "  coordinates client|screen\n"
    "  grid-area L T W H      where the grid is drawn\n"
    "  overflow X Y           how far the window extends past the usable screen\n"
    "  cell-size S            the grid's cell size in pixels at the dpi (one scroll step)\n"
    "  origin X Y             the grid's drawing origin\n"
    "  pan PX PY              the scroll offsets after clamping, in cell sizes\n"
    "  pan-range MINX MAXY    panX runs from MINX to 0, panY from 0 to MAXY\n"
    "  arrow right|left|top|bottom shown 0|1 rect L T R B   a click inside (edges included) scrolls\n"
    "  cell N X Y             centre of cell N\n"
    "  hexagon N X Y          centre of complete hexagon N\n"
    "  corner N X Y           corner point N (highlight clicks and drags)\n"
    "  control ID X Y W H     a control of the bar or of the Rules page: its command number and rectangle\n"
    "  selector D X Y         the point of the selector's triangle of digit D\n"
    "  rules-page W H         the Rules window's page (its client area)\n"
    "  rules-line K L T R B   the box of text line K of rules page 1 on that page, in French (the\n"
    "                         language a new player starts in)\n";

struct Shift {
    long x = 0;
    long y = 0;
};

void printPoint(std::ostream& out, const char* what, int n, ShapePoint p, Shift s) {
    out << what << " " << n << " " << p.x + s.x << " " << p.y + s.y << "\n";
}

/*
 * The Rules window's page at the display scale, and the boxes of page 1's
 * lines on it: the page is drawn at kRulesPageDpi scaled, from its centre.
 */
void printRulesPage(std::ostream& out, const WindowGeometry& at, Shift s) {
    out << "rules-page " << at.rulesWidth << " " << at.rulesHeight << "\n";
    const double pxPerMm = kRulesPageDpi * (at.dpi / static_cast<double>(kReferenceDpi)) / 25.4;
    int k = 0;
    for (const RulesLine& line : rulesPageLines(1, 0)) {
        const RulesBox b = rulesLineBox(line);
        out << "rules-line " << ++k << " " << std::lround(at.rulesWidth / 2.0 + b.left * pxPerMm) + s.x << " "
            << std::lround(at.rulesHeight / 2.0 - b.top * pxPerMm) + s.y << " "
            << std::lround(at.rulesWidth / 2.0 + b.right * pxPerMm) + s.x << " "
            << std::lround(at.rulesHeight / 2.0 - b.bottom * pxPerMm) + s.y << "\n";
    }
}

}  // namespace

/*
 * The game's own steps: the code is loaded into the grid in play in Play mode with
 * the collection's grid buttons and the chronometer, the scale is applied,
 * the drawing surface is measured like the client area of the window at its
 * start-up size, and the layout is computed by the same code as the game's.
 */
int toolLayout(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    for (const std::string& a : args) {
        if (a == "--help" || a == "-h") {
            out << kLayoutHelp;
            return 0;
        }
    }
    LayoutOptions o;
    int status = readLayoutOptions(args, o, err);
    if (status >= 0) return status;

    AppState app;
    setScreenMode(app, ScreenMode::Play);
    app.clocks.enabled = 1;
    app.geometry.screenWidth = static_cast<int16_t>(o.screenWidth);
    app.geometry.screenHeight = static_cast<int16_t>(o.screenHeight);
    app.geometry.windowLeft = static_cast<int16_t>(o.left);
    app.geometry.windowTop = static_cast<int16_t>(o.top);
    app.geometry.frameX = static_cast<int16_t>(o.frameX);
    app.geometry.frameY = static_cast<int16_t>(o.frameY);
    app.view.panX = o.panX;
    app.view.panY = o.panY;
    // Everything at the display scale: the bar, the cells, the rooms.
    setDisplayScale(app, static_cast<int16_t>(o.dpi));
    // The position as the game starts with it: brought onto the screen only when the caption strip is off it.
    placeOnMonitors(app, {});

    Grid& g = app.game.grids[0];
    loadGridOfCode(g, o.code);
    // Sized to the scale and prepared, then given the note layout of the code (which moves no cell).
    applyScale(app, static_cast<int16_t>(o.scale < -32768 ? -32768 : o.scale > 32767 ? 32767 : o.scale));
    setView(g, kLoadedNoteLayout);

    DrawSurface surface;
    construct(surface);
    const long clientWidth = app.geometry.windowWidth - 2 * o.frameX;
    const long clientHeight = app.geometry.windowHeight - o.frameX - o.frameY;
    bindMeasured(surface, nullptr, static_cast<int16_t>(clientWidth), static_cast<int16_t>(clientHeight),
                 static_cast<int16_t>(o.dpi), static_cast<int16_t>(o.dpi), kDrawingDeviceName);
    WindowLayout layout;
    computeLayout(app, layout, surface);

    Shift s;
    if (o.screenCoords) {
        s.x = long{app.geometry.windowLeft} + layout.frameX;
        s.y = long{app.geometry.windowTop} + layout.frameY;
    }
    out << "code " << g.gridCode.s << "\n";
    out << "scale " << app.view.scale << "\n";
    out << "screen " << layout.screenWidth << " " << layout.screenHeight << "\n";
    out << "position " << app.geometry.windowLeft << " " << app.geometry.windowTop << "\n";
    out << "window " << layout.placedWidth << " " << layout.placedHeight << "\n";
    out << "client " << layout.placedWidth - 2 * layout.frameX << " "
        << layout.placedHeight - layout.frameX - layout.frameY << "\n";
    out << "frame " << layout.frameX << " " << layout.frameY << "\n";
    const WindowGeometry& at = app.geometry;
    out << "client-at " << long{at.windowLeft} + layout.frameX << " " << long{at.windowTop} + layout.frameY << "\n";
    out << "coordinates " << (o.screenCoords ? "screen" : "client") << "\n";
    out << "grid-area " << layout.gridLeft + s.x << " " << s.y << " " << layout.gridWidth << " " << layout.gridHeight
        << "\n";
    out << "overflow " << layout.overflowX << " " << layout.overflowY << "\n";
    out << "cell-size " << g.cellSize << "\n";
    out << "origin " << layout.originX + s.x << " " << layout.originY + s.y << "\n";
    out << "pan " << app.view.panX << " " << app.view.panY << "\n";
    out << "pan-range " << layout.panXMin << " " << layout.panYMax << "\n";
    for (int k = 0; k < kArrowCount; ++k) {
        const ScrollArrow& a = layout.arrows[k];
        out << "arrow " << arrowSideName(static_cast<ArrowSide>(k)) << " shown " << int{a.shown} << " rect "
            << a.left + s.x << " " << a.top + s.y << " " << a.right + s.x << " " << a.bottom + s.y << "\n";
    }
    for (int i = 1; i <= g.cellCount; ++i)
        printPoint(out, "cell", i, clientPointOfGrid(layout, {g.cells[i].x, g.cells[i].y}), s);
    for (int u = 1; u <= g.hexagonCount && u <= g.unitCount; ++u)
        printPoint(out, "hexagon", u, clientPointOfGrid(layout, {g.units[u].x, g.units[u].y}), s);
    for (int c = 1; c <= g.cornerPoints.count(); ++c)
        printPoint(out, "corner", c, clientPointOfGrid(layout, pointPosition(g, g.cornerPoints.str(c))), s);
    // The bar with the collection's grid buttons and the chronometer, as the game makes it at this scale.
    const BarLayout bar = computeBarLayout(true, true, app.geometry.dpi);
    for (const BarControl& c : barControls(bar))
        out << "control " << c.command << " " << c.x + s.x << " " << c.y + s.y << " " << c.width << " " << c.height
            << "\n";
    NumberSelector selector;
    computeSelector(selector, bar.selectorTop, app.geometry.dpi);
    for (int k = 0; k < 6; ++k)
        printPoint(out, "selector", selectorDigit(k),
                   ShapePoint{selector.inner[k].x, selector.inner[k].y}, s);
    printRulesPage(out, app.geometry, s);
    return 0;
}
