// The pictures of the nine rules pages, drawn from the game's own lattice geometry and grids.
#include "tools/rules_pictures.h"

#include <cmath>

#include "content/collection.h"
#include "content/rules_pages.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/topology.h"

namespace {

// Palette indices of the base colours (the grid's own colours where it has them).
enum Ink : uint8_t {
    kBackground = 0,
    kBlack = 1,
    kGround = 2,      // cell ground, pale yellow
    kOutline = 3,     // hexagon outlines, blue
    kHole = 4,
    kPlayer = 5,      // the player's digits, magenta
    kOrange = 6,
    kGreen = 7,
    kRed = 8,
    kGrey = 9,
    kButton = 10,
    kWhite = 11,
    kThin = 12,       // cell sides
    kStrong = 13,     // the cell in focus
    kSoft = 14,       // the cells touching it, the closed hexagon
    kDark = 15,
};

const PaletteColour kBase[kPictureBaseColours] = {
    {232, 250, 250}, {0, 0, 0},       {255, 255, 153}, {0, 0, 255},     {153, 153, 255}, {255, 0, 255},
    {255, 165, 0},   {0, 190, 0},     {255, 0, 0},     {153, 153, 153}, {212, 208, 200}, {255, 255, 255},
    {140, 140, 230}, {255, 120, 0},   {255, 214, 120}, {80, 80, 80},
};

// Page millimetres (origin at the centre, y upward) to picture pixels.
double pxOfX(double mm) { return kPictureWidth / 2.0 + mm * kRulesPageDpi / 25.4; }
double pxOfY(double mm) { return kPictureHeight / 2.0 - mm * kRulesPageDpi / 25.4; }

/*
 * A grid placed on the picture: lattice pixels (y upward) plus the picture
 * position of the lattice origin.
 */
struct Placed {
    Grid g;
    double ox = 0;
    double oy = 0;
};

RasterPoint at(const Placed& p, PixelPoint q) { return {p.ox + q.x, p.oy - q.y}; }

void buildFromEntries(Placed& p, const TextList& entries, int16_t cellSize) {
    createGrid(p.g);
    setfromgrivecdef(p.g, entries);
    setCellSize(p.g, cellSize);
    ensureCells(p.g);
    ensurePositions(p.g);
    ensureTouchingCells(p.g);
    computeNoteOffsets(p.g);
}

void buildShape(Placed& p, std::initializer_list<const char*> centres, int16_t cellSize) {
    TextList entries;
    for (const char* c : centres) entries.add(std::string("X") + c);
    buildFromEntries(p, entries, cellSize);
}

// A grid of the built-in collection with its solution and the fixed numbers of a level.
void buildBuiltIn(Placed& p, const char* code, int16_t cellSize, int16_t level) {
    const BuiltInGrid* grid = builtInGridOf(code);
    TextList lines, entries;
    if (grid != nullptr)
        for (int16_t n = 1; n <= grid->lineCount; ++n) lines.add(builtInGridLine(*grid, n));
    appendDescriptionEntries(lines, entries);
    buildFromEntries(p, entries, cellSize);
    loadGivens(p.g);
    setLevel(p.g, level);
    applyGivens(p.g);
}

// Puts the middle of the grid's cells at the picture point (x, y).
void centreOn(Placed& p, double x, double y) {
    double left = 1e9, right = -1e9, top = -1e9, bottom = 1e9;
    for (int16_t i = 1; i <= p.g.cellCount; ++i)
        for (PixelPoint q : cellOutline(p.g, i)) {
            left = std::min<double>(left, q.x);
            right = std::max<double>(right, q.x);
            bottom = std::min<double>(bottom, q.y);
            top = std::max<double>(top, q.y);
        }
    p.ox = x - (left + right) / 2;
    p.oy = y + (top + bottom) / 2;
}

std::vector<RasterPoint> cellPolygon(const Placed& p, int16_t i) {
    std::array<PixelPoint, 4> o = cellOutline(p.g, i);
    return {at(p, o[0]), at(p, o[1]), at(p, o[2])};
}

RasterPoint cellCentre(const Placed& p, int16_t i) {
    std::vector<RasterPoint> t = cellPolygon(p, i);
    return {(t[0].x + t[1].x + t[2].x) / 3, (t[0].y + t[1].y + t[2].y) / 3};
}

// The six corners of the hexagon around a lattice point.
std::vector<RasterPoint> hexagonAround(const Placed& p, TextRef point) {
    PixelPoint c = pointPosition(p.g, point);
    std::vector<RasterPoint> out;
    for (const FanEntry& e : p.g.fan.entries) out.push_back({p.ox + c.x + e.dx, p.oy - c.y - e.dy});
    return out;
}

void fillCells(RasterImage& img, const Placed& p, uint8_t colour) {
    for (int16_t i = 1; i <= p.g.cellCount; ++i) fillPolygon(img, cellPolygon(p, i), colour);
}

void fillCell(RasterImage& img, const Placed& p, int16_t i, uint8_t colour) {
    fillPolygon(img, cellPolygon(p, i), colour);
}

// Thin cell sides, then every complete hexagon outlined as the game draws it.
void drawLines(RasterImage& img, const Placed& p) {
    for (int16_t i = 1; i <= p.g.cellCount; ++i) strokePath(img, cellPolygon(p, i), true, 1.0, kThin);
    for (int k = 1; k <= p.g.hexagons.count(); ++k)
        strokePath(img, hexagonAround(p, p.g.hexagons.str(k)), true, 2.0, kOutline);
}

void drawDigit(RasterImage& img, const Placed& p, int16_t i, int16_t digit, uint8_t colour) {
    double h = p.g.cellSize * 0.3;
    drawGlyphText(img, cellCentre(p, i), h, std::string(1, static_cast<char>('0' + digit)), h / 6, colour);
}

// The digits on the board: fixed ones in black, the player's in magenta.
void drawValues(RasterImage& img, const Placed& p) {
    for (int16_t i = 1; i <= p.g.cellCount; ++i) {
        const Cell* c = cellAt(p.g, i);
        if (c != nullptr && c->value > 0) drawDigit(img, p, i, c->value, c->fixed ? kBlack : kPlayer);
    }
}

void drawSolution(RasterImage& img, const Placed& p) {
    for (int16_t i = 1; i <= p.g.cellCount; ++i) {
        const Cell* c = cellAt(p.g, i);
        if (c != nullptr && c->solution > 0) drawDigit(img, p, i, c->solution, kBlack);
    }
}

void drawNotes(RasterImage& img, const Placed& p, int16_t i) {
    double h = p.g.cellSize * 0.13;
    for (int16_t v = 1; v <= 6; ++v)
        drawGlyphText(img, at(p, notePosition(p.g, i, v)), h, std::string(1, static_cast<char>('0' + v)), 1.2,
                      kOutline);
}

void drawGrid(RasterImage& img, const Placed& p) {
    fillCells(img, p, kGround);
    drawLines(img, p);
}

// A push button with a caption, as the command bar shows it.
void drawButton(RasterImage& img, double left, double top, double w, double h, const std::string& caption) {
    fillRect(img, left, top, left + w, top + h, kButton);
    strokePath(img, {{left, top}, {left + w, top}, {left + w, top + h}, {left, top + h}}, true, 1.0, kDark);
    drawGlyphText(img, {left + w / 2, top + h / 2}, h * 0.45, caption, std::max(1.2, h / 14), kBlack);
}

void drawField(RasterImage& img, double left, double top, double w, double h, const std::string& text) {
    fillRect(img, left, top, left + w, top + h, kWhite);
    strokePath(img, {{left, top}, {left + w, top}, {left + w, top + h}, {left, top + h}}, true, 1.0, kDark);
    if (!text.empty()) drawGlyphText(img, {left + w / 2, top + h / 2}, h * 0.55, text, std::max(1.0, h / 14), kBlack);
}

/*
 * Cosine and sine of k x 30 degrees from exact values (only the square root,
 * which is correctly rounded everywhere), so the pictures do not depend on
 * the platform's trigonometry.
 */
double cosOf30(int k) {
    const double h = std::sqrt(3.0) / 2;
    const double c[12] = {1, h, 0.5, 0, -0.5, -h, -1, -h, -0.5, 0, 0.5, h};
    return c[((k % 12) + 12) % 12];
}

double sinOf30(int k) { return cosOf30(k - 3); }

// The digit selector of the command bar: six triangles around (cx, cy), 6 at the top, clockwise 1..5.
void drawSelector(RasterImage& img, double cx, double cy, double radius, int16_t selected) {
    for (int k = 0; k < 6; ++k) {
        RasterPoint c0{cx + radius * cosOf30(2 * k), cy - radius * sinOf30(2 * k)};
        RasterPoint c1{cx + radius * cosOf30(2 * k + 2), cy - radius * sinOf30(2 * k + 2)};
        fillPolygon(img, {{cx, cy}, c0, c1}, kButton);
        strokePath(img, {{cx, cy}, c0, c1}, true, 2.0, kGrey);
        int digit = (7 - k - 1) % 6 + 1;  // 7 - k wrapped into 1..6
        RasterPoint label{(cx + c0.x + c1.x) / 3, (cy + c0.y + c1.y) / 3};
        drawGlyphText(img, label, radius * 0.28, std::string(1, static_cast<char>('0' + digit)), 1.8,
                      digit == selected ? kPlayer : kBlack);
    }
}

// A mouse seen from above, its right button in colour; its outline is tested pixel by pixel at the image's unit.
void drawMouse(RasterImage& img, double cx, double top, double w) {
    const double u = img.unit;
    cx *= u;
    top *= u;
    double rx = w * u / 2, ry = w * u * 0.75;
    double cy = top + ry;
    double divide = top + ry * 0.75;
    const double rimWidth = 1.2 * u;
    for (int y = static_cast<int>(top) - 1; y <= static_cast<int>(top + 2 * ry) + 1; ++y)
        for (int x = static_cast<int>(cx - rx) - 1; x <= static_cast<int>(cx + rx) + 1; ++x) {
            double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            double d = dx * dx + dy * dy;
            if (d > 1) continue;
            // A dark rim, the right button in colour, the rest white.
            bool rim = d > 0.9 || (std::abs(x + 0.5 - cx) < rimWidth && y + 0.5 < divide) ||
                       std::abs(y + 0.5 - divide) < rimWidth;
            uint8_t ink = rim ? kDark : (x + 0.5 > cx && y + 0.5 < divide) ? kStrong : kWhite;
            setPixel(img, x, y, ink);
        }
}

// ---- the pages ----

void pictureCover(RasterImage& img) {
    Placed p;
    buildBuiltIn(p, "1239-1", 60, 6);
    centreOn(p, pxOfX(-48), pxOfY(-8));
    drawGrid(img, p);
    drawSolution(img, p);
}

void pictureBoard(RasterImage& img) {
    // Three hexagons around the origin close a fourth one there.
    Placed three;
    buildShape(three, {"A", "C", "E"}, 46);
    centreOn(three, pxOfX(-58), pxOfY(23));
    fillCells(img, three, kGround);
    fillPolygon(img, hexagonAround(three, ""), kSoft);
    drawLines(img, three);
    // A ring of six hexagons leaves a hole in the middle.
    Placed ring;
    buildShape(ring, {"AB", "BC", "CD", "DE", "EF", "FA"}, 30);
    centreOn(ring, pxOfX(-58), pxOfY(-32));
    fillPolygon(img, hexagonAround(ring, ""), kHole);
    drawGrid(img, ring);
}

void pictureRule(RasterImage& img) {
    Placed p;
    buildShape(p, {"", "A", "B", "C", "D", "E", "F"}, 48);
    centreOn(p, pxOfX(-58), pxOfY(-5));
    fillCells(img, p, kGround);
    int16_t focus = cellIndexOf(p.g, ":AB");
    // The touching cells from the grid's own list.
    std::string cell;
    TextList touching;
    if (focus > 0 && splitTouchingEntry(p.g.touchingCells.str(focus), cell, touching))
        for (int k = 1; k <= touching.count(); ++k) fillCell(img, p, cellIndexOf(p.g, touching.str(k)), kSoft);
    fillCell(img, p, focus, kStrong);
    drawLines(img, p);
    drawDigit(img, p, focus, 4, kBlack);
}

void pictureLevels(RasterImage& img) {
    const int16_t levels[2] = {1, 6};
    for (int k = 0; k < 2; ++k) {
        Placed p;
        buildBuiltIn(p, "1950-49", 40, levels[k]);
        double y = k == 0 ? pxOfY(22) : pxOfY(-42);
        centreOn(p, pxOfX(-50), y);
        drawGrid(img, p);
        drawValues(img, p);
        drawGlyphText(img, {pxOfX(-93), y}, 34, std::string(1, static_cast<char>('0' + levels[k])), 5, kStrong);
    }
}

void picturePlaying(RasterImage& img) {
    Placed p;
    buildBuiltIn(p, "1251-1", 64, 2);
    centreOn(p, pxOfX(-56), pxOfY(14));
    drawGrid(img, p);
    drawValues(img, p);
    // Two of the player's digits from the solution, and notes in a cell left empty.
    int placed = 0;
    int16_t notesCell = 0;
    for (int16_t i = 1; i <= p.g.cellCount; ++i) {
        Cell* c = cellAt(p.g, i);
        if (c == nullptr || c->value > 0) continue;
        if (placed < 2) {
            drawDigit(img, p, i, c->solution, kPlayer);
            ++placed;
        } else if (notesCell == 0) {
            notesCell = i;
        }
    }
    if (notesCell > 0) drawNotes(img, p, notesCell);
    drawMouse(img, pxOfX(-75), pxOfY(-18), 70);
    drawSelector(img, pxOfX(-30), pxOfY(-40), 56, 3);
}

void pictureHighlights(RasterImage& img) {
    Placed p;
    buildBuiltIn(p, "1950-49", 38, 3);
    centreOn(p, pxOfX(-55), pxOfY(8));
    drawGrid(img, p);
    drawValues(img, p);
    const uint8_t inks[3] = {kOrange, kGreen, kRed};  // oldest to newest
    for (int k = 0; k < 3 && k + 1 <= p.g.hexagons.count(); ++k)
        strokePath(img, hexagonAround(p, p.g.hexagons.str(1 + k * 3 % p.g.hexagons.count())), true, 5.0, inks[k]);
    drawButton(img, pxOfX(-78), pxOfY(-42), 40, 46, "<");
    drawButton(img, pxOfX(-65), pxOfY(-42), 40, 46, ">");
    drawButton(img, pxOfX(-40), pxOfY(-42), 46, 46, "F");
}

void pictureScrolling(RasterImage& img) {
    Placed p;
    buildBuiltIn(p, "2330-1", 50, 6);
    centreOn(p, pxOfX(-40), pxOfY(-5));
    RasterImage layer;
    createImage(layer, img.width, img.height, kBackground, img.unit);
    drawGrid(layer, p);
    drawValues(layer, p);
    // Only what lies inside the screen is drawn; the rest of the grid is cut off (copied pixel by pixel).
    double left = pxOfX(-98), right = pxOfX(-20), top = pxOfY(45), bottom = pxOfY(-56);
    const double u = img.unit;
    for (int y = static_cast<int>(top * u); y < static_cast<int>(bottom * u); ++y)
        for (int x = static_cast<int>(left * u); x < static_cast<int>(right * u); ++x)
            setPixel(img, x, y, pixelAt(layer, x, y));
    strokePath(img, {{left, top}, {right, top}, {right, bottom}, {left, bottom}}, true, 3.0, kDark);
    double cy = (top + bottom) / 2;
    fillPolygon(img, {{right - 34, cy - 30}, {right - 4, cy}, {right - 34, cy + 30}}, kRed);
    drawButton(img, pxOfX(-90), pxOfY(-60) + 4, 34, 40, "-");
    drawButton(img, pxOfX(-80), pxOfY(-60) + 4, 34, 40, "+");
}

void pictureClock(RasterImage& img) {
    RasterPoint c{pxOfX(-58), pxOfY(18)};
    fillCircle(img, c, 92, kDark);
    fillCircle(img, c, 86, kWhite);
    for (int k = 0; k < 12; ++k) {
        strokeLine(img, {c.x + 72 * cosOf30(k), c.y + 72 * sinOf30(k)}, {c.x + 82 * cosOf30(k), c.y + 82 * sinOf30(k)},
                   k % 3 ? 2.0 : 5.0, kBlack);
    }
    strokeLine(img, c, {c.x + 40, c.y - 30}, 7.0, kBlack);
    strokeLine(img, c, {c.x - 10, c.y - 70}, 4.0, kBlack);
    fillCircle(img, c, 7, kStrong);
    // The command bar's lower part: digit 0, the clock field, F, P, S.
    double x = pxOfX(-78);
    double y = pxOfY(-20);
    drawButton(img, x, y, 60, 36, "0");
    drawField(img, x - 20, y + 46, 100, 30, "12mn 34s");
    drawButton(img, x - 20, y + 86, 30, 30, "F");
    drawButton(img, x + 15, y + 86, 30, 30, "P");
    drawButton(img, x + 50, y + 86, 30, 30, "S");
}

// The whole command bar, as laid out in the game, at 0.82 of its size.
void pictureBar(RasterImage& img) {
    const double k = 0.82;
    double ox = pxOfX(-60) - 55 * k;  // the bar's centre line (x = 55) on the page
    double oy = pxOfY(48) - 20 * k;
    auto button = [&](double x, double y, double w, double h, const char* caption) {
        drawButton(img, ox + x * k, oy + y * k, w * k, h * k, caption);
    };
    fillRect(img, ox + 25 * k, oy + 10 * k, ox + 85 * k, oy + 490 * k, kWhite);
    button(30, 20, 50, 20, "FR/EN");
    const char* grids[5] = {"Gr1", "Gr2", "Gr3", "Gr4", "Gr5"};
    for (int i = 0; i < 5; ++i) button(40, 40 + 20 * i, 30, 20, grids[i]);
    button(40, 160, 15, 20, "-");
    button(55, 160, 15, 20, "+");
    button(45, 180, 20, 20, "?");
    button(45, 200, 20, 20, "I");
    drawField(img, ox + 30 * k, oy + 230 * k, 50 * k, 15 * k, "");
    button(40, 250, 15, 20, "<");
    button(55, 250, 15, 20, ">");
    drawSelector(img, ox + 55 * k, oy + 320 * k, 30 * k, 2);
    button(40, 350, 30, 20, "0");
    drawField(img, ox + 30 * k, oy + 375 * k, 50 * k, 15 * k, "12mn 34s");
    button(45, 395, 20, 20, "F");
    button(45, 415, 20, 20, "P");
    button(45, 435, 20, 20, "S");
    button(45, 465, 20, 20, "X");
    // The same selector large beside the bar.
    drawSelector(img, pxOfX(-35), pxOfY(-10), 70, 2);
}

// Every place a text of the page stands, in either language, is lightened so the text reads well.
void lightenTexts(RasterImage& img, int16_t page) {
    std::vector<RulesLine> all = rulesPageLines(page, 0);
    for (RulesLine& l : rulesPageLines(page, 1)) all.push_back(l);
    all.push_back(rulesPageNumberLine(page));
    RulesSign sign;
    if (rulesPageSign(page, sign)) {
        RulesLine mark;
        mark.x = sign.x;
        mark.y = sign.y;
        mark.style = RulesStyle::Body;
        mark.text = "MM";
        all.push_back(mark);
    }
    const double margin = 1.0;
    for (const RulesLine& l : all) {
        RulesBox b = rulesLineBox(l);
        lightenBox(img, pxOfX(b.left - margin), pxOfY(b.top + margin), pxOfX(b.right + margin),
                   pxOfY(b.bottom - margin), kPictureBaseColours);
    }
}

}  // namespace

std::vector<PaletteColour> picturePalette() {
    std::vector<PaletteColour> palette(kBase, kBase + kPictureBaseColours);
    for (const PaletteColour& c : kBase) {
        auto light = [](uint8_t v) { return static_cast<uint8_t>(v + (255 - v) * 7 / 10); };
        palette.push_back({light(c.r), light(c.g), light(c.b)});
    }
    return palette;
}

void drawRulesPicture(int16_t page, RasterImage& img, int16_t scale) {
    if (page < kFirstRulesPage || page > kLastRulesPage || scale < 1 || scale > kLargePictureScale) {
        createImage(img, 0, 0, kBackground);
        return;
    }
    createImage(img, static_cast<int16_t>(kPictureWidth * scale), static_cast<int16_t>(kPictureHeight * scale),
                kBackground, scale);
    switch (page) {
        case 1: pictureCover(img); break;
        case 2: pictureBoard(img); break;
        case 3: pictureRule(img); break;
        case 4: pictureLevels(img); break;
        case 5: picturePlaying(img); break;
        case 6: pictureHighlights(img); break;
        case 7: pictureScrolling(img); break;
        case 8: pictureClock(img); break;
        default: pictureBar(img); break;
    }
    lightenTexts(img, page);
}

std::string rulesPictureBmp(int16_t page, int16_t scale) {
    RasterImage img;
    drawRulesPicture(page, img, scale);
    if (img.pixels.empty()) return std::string();
    return writeBmp(img, picturePalette(), true);
}

std::string rulesPictureFileName(int16_t page, int16_t scale) {
    return std::to_string(page) + (scale == kLargePictureScale ? "-2x.bmp" : ".bmp");
}
