// The grid drawn into a memory bitmap and read back pixel by pixel; the GDI holders and their object count.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <string>

#include "content/collection.h"
#include "tests/bitmap_pixels_win.h"
#include "puzzle/preparation.h"
#include "render/draw_surface_win.h"
#include "render/gdi_win.h"
#include "render/grid_drawing_win.h"

namespace {

const int kMargin = 20;

// A grid painted by both passes into a bitmap that holds it whole, with the view and surface that drew it.
struct PaintedGrid {
    Grid board;
    Grid* grid = nullptr;
    GridView view;
    MemoryDC dc;
    OwnedBitmap bitmap;
    GdiSelection selection;
    DrawSurface surface;
    SurfaceObjects objects;
    int width = 0;
    int height = 0;
};

// The grid at a scale (96-dpi pixels) on a screen of `dpi`: its cells, pens and the surface at that resolution.
void paintGrid(PaintedGrid& p, const char* code, int16_t scale, void (*beforeDrawing)(Grid&) = nullptr,
               int16_t dpi = kReferenceDpi) {
    Grid& g = p.board;
    loadBuiltInGrid(g, code);
    p.grid = &g;
    p.view = gridViewAt(scaledPx(scale, dpi), dpi);
    setCellSize(g, p.view.sizePx);
    setView(g, NoteLayout::Triangle);
    prepareGrid(g);
    if (beforeDrawing) beforeDrawing(g);
    const GridBox box = boundingBox(g);
    p.width = box.right - box.left + 2 * kMargin;
    p.height = box.top - box.bottom + 2 * kMargin;
    p.dc = MemoryDC(nullptr);
    // A bitmap compatible with the screen (one compatible with a fresh memory DC would be monochrome).
    p.bitmap = makeCompatibleBitmap(nullptr, p.width, p.height);
    p.selection = GdiSelection(p.dc.get(), p.bitmap.get());
    OwnedBrush page = makeSolidBrush(kPageColour);
    RECT all = {0, 0, p.width, p.height};
    FillRect(p.dc.get(), &all, page.get());

    construct(p.surface);
    p.surface.objects = &p.objects;
    bindMeasured(p.surface, p.dc.get(), static_cast<int16_t>(p.width), static_cast<int16_t>(p.height), dpi, dpi,
                 kDrawingDeviceName);
    // The lattice origin placed so that the bounding box starts kMargin inside the bitmap.
    setOrigin(p.surface, static_cast<int16_t>(kMargin - box.left), static_cast<int16_t>(kMargin + box.top));
    drawBackground(g, p.view, p.surface, palette.accent);
    drawForeground(g, p.view, p.surface, palette.accent, ForegroundView());
}

// The pixel of a lattice point: the passes draw with the reference point on the surface origin.
COLORREF pixelAt(const PaintedGrid& p, int x, int y) {
    return GetPixel(p.dc.get(), p.surface.originX + x, p.surface.originY - y);
}

// A point of cell i between its centre and its first corner, clear of the digit and of the lines.
PixelPoint groundSample(const Grid& g, int16_t i) {
    const PixelPoint c = cellCentre(g, i);
    const PixelPoint corner = cellOutline(g, i)[0];
    return PixelPoint{static_cast<int16_t>(c.x + std::lround(0.6 * (corner.x - c.x))),
                      static_cast<int16_t>(c.y + std::lround(0.6 * (corner.y - c.y)))};
}

bool colourNear(const PaintedGrid& p, int x, int y, int dx, int dy, COLORREF colour) {
    for (int a = -dx; a <= dx; ++a) {
        for (int b = -dy; b <= dy; ++b) {
            if (pixelAt(p, x + a, y + b) == colour) return true;
        }
    }
    return false;
}

class GridPaintTest : public ::testing::Test {};

/*
 * How many pixels of `big`, painted at k times the resolution of `small`, have
 * no pixel of their colour within a pixel of the matching point of `small`
 * (the two grids' lattice origins matched). Zero for a picture merely grown.
 */
static int pixelsNotInGrownPicture(const PaintedGrid& big, const PaintedGrid& small, double k, int& compared) {
    const std::vector<uint32_t> a = bitmapPixels(big.dc.get(), big.bitmap.get(), big.width, big.height);
    const std::vector<uint32_t> b = bitmapPixels(small.dc.get(), small.bitmap.get(), small.width, small.height);
    int misses = 0;
    compared = 0;
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) {
            const double sx = small.surface.originX + (x + 0.5 - big.surface.originX) / k;
            const double sy = small.surface.originY + (y + 0.5 - big.surface.originY) / k;
            const int cx = static_cast<int>(std::floor(sx)), cy = static_cast<int>(std::floor(sy));
            if (cx < 1 || cy < 1 || cx >= small.width - 1 || cy >= small.height - 1) continue;
            ++compared;
            bool found = false;
            for (int dy = -1; dy <= 1 && !found; ++dy)
                for (int dx = -1; dx <= 1 && !found; ++dx)
                    found = b[static_cast<size_t>((cy + dy) * small.width + cx + dx)] ==
                            a[static_cast<size_t>(y * big.width + x)];
            if (!found) ++misses;
        }
    return misses;
}

/*
 * At 144 dpi the grid is the 96-dpi picture grown by 1.5: at two scales, every
 * pixel of the 144-dpi picture has its colour within a pixel of rounding of
 * the matching point of the 96-dpi one, save a few edge pixels of the digits,
 * whose glyphs are drawn anew at each size. The cells are exactly 1.5 times
 * as large.
 */
TEST_F(GridPaintTest, At144DpiTheGridIsThe96DpiPictureGrownByAHalf) {
    for (int16_t scale : {40, 60}) {
        PaintedGrid small, big;
        paintGrid(small, "1251-1", scale);
        paintGrid(big, "1251-1", scale, nullptr, 144);
        EXPECT_EQ(big.grid->cellSize, scale * 3 / 2);
        const PixelPoint last = cellCentre(*big.grid, big.grid->cellCount);
        const PixelPoint lastAt96 = cellCentre(*small.grid, small.grid->cellCount);
        EXPECT_NEAR(last.x, lastAt96.x * 1.5, 1.5) << scale;
        EXPECT_NEAR(last.y, lastAt96.y * 1.5, 1.5) << scale;
        int compared = 0;
        const int misses = pixelsNotInGrownPicture(big, small, 1.5, compared);
        EXPECT_GT(compared, 20000) << scale;
        EXPECT_LT(misses, compared / 100) << scale << ": " << misses << " of " << compared;
    }
}

TEST_F(GridPaintTest, CellsGroundGivenInkAndOutlines) {
    for (const char* code : {"1251-1", "2330-1"}) {
        PaintedGrid p;
        paintGrid(p, code, 40);
        const Grid& g = *p.grid;
        ASSERT_GT(g.cellCount, 0) << code;
        int givens = 0;
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            const PixelPoint s = groundSample(g, i);
            ASSERT_EQ(pixelAt(p, s.x, s.y), palette.ground) << code << " cell " << g.cellNames.str(i);
            if (isCellFixed(g, i) && cellValue(g, i) != 0) {
                ++givens;
                const PixelPoint c = cellCentre(g, i);
                EXPECT_TRUE(colourNear(p, c.x, c.y, 4, 8, palette.givenInk)) << code << " " << g.cellNames.str(i);
            } else {
                // An empty cell without notes shows nothing around its centre.
                const PixelPoint c = cellCentre(g, i);
                EXPECT_FALSE(colourNear(p, c.x, c.y, 3, 3, palette.givenInk)) << code << " " << g.cellNames.str(i);
            }
        }
        EXPECT_GT(givens, 0) << code;
        // A shared edge: the AB and AF cells of one lattice point meet along P..P+A.
        int16_t ab = 0, af = 0;
        for (int16_t i = 1; i <= g.cellCount && !af; ++i) {
            if (!isABCell(g, i)) continue;
            std::string partner = pathPart(g.cellNames.str(i)) + ":AF";
            if (cellIndexOf(g, partner)) {
                ab = i;
                af = cellIndexOf(g, partner);
            }
        }
        ASSERT_TRUE(ab && af) << code;
        const auto outline = cellOutline(g, ab);
        const int mx = (outline[0].x + outline[1].x) / 2, my = (outline[0].y + outline[1].y) / 2;
        EXPECT_TRUE(colourNear(p, mx, my, 0, 1, palette.outline)) << code;
    }
}

TEST_F(GridPaintTest, PlayerDigitsAndPencilMarks) {
    PaintedGrid p;
    paintGrid(p, "1251-1", 40, [](Grid& g) {
        int16_t placed = 0;
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            if (cellValue(g, i) != 0) continue;
            if (!placed) {
                setCellValue(g, i, 3);
                placed = i;
            } else {
                setCellNotes(g, i, kAllDigits);
                break;
            }
        }
    });
    const Grid& g = *p.grid;
    bool sawPlayer = false, sawNotes = false;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const PixelPoint c = cellCentre(g, i);
        if (cellValue(g, i) != 0 && !isCellFixed(g, i)) {
            EXPECT_TRUE(colourNear(p, c.x, c.y, 4, 8, palette.playerInk));
            sawPlayer = true;
        }
        if (cellValue(g, i) == 0 && cellNotes(g, i) == kAllDigits) {
            EXPECT_TRUE(colourNear(p, c.x, c.y, 14, 14, kCandidateInk));
            sawNotes = true;
        }
    }
    EXPECT_TRUE(sawPlayer);
    EXPECT_TRUE(sawNotes);
}

// The painted bitmap's pixels.
std::vector<uint32_t> pixelsOf(const PaintedGrid& p) {
    return bitmapPixels(p.dc.get(), p.bitmap.get(), p.width, p.height);
}

/*
 * The background pass draws the dots and the boundary lines under the digits
 * and notes, so that a paint of a few cells need not draw them again. That is
 * the same picture as drawing them over the digits and notes only if no digit
 * or note ever reaches a dot or a line: drawing them again on top of a grid
 * full of digits and of every note, at every scale, changes no pixel.
 */
TEST_F(GridPaintTest, DigitsAndNotesNeverReachTheDotsOrTheLines) {
    for (const char* code : kNumberedGridCodes) {
        for (int16_t scale = 40; scale <= 70; scale += 5) {
            PaintedGrid p;
            paintGrid(p, code, scale, [](Grid& g) {
                for (int16_t i = 1; i <= g.cellCount; ++i) {
                    if (cellValue(g, i) != 0) continue;
                    if (i % 2 == 0 && cellAt(g, i)->solution > 0) {
                        setCellValue(g, i, cellAt(g, i)->solution);
                    } else {
                        setCellNotes(g, i, kAllDigits);
                    }
                }
            });
            const std::vector<uint32_t> once = pixelsOf(p);
            placeOnSurface(p.surface);
            drawDotsAndBoundaries(*p.grid, p.view, p.surface, palette.accent);
            releaseSurfaceObjects(p.surface);
            const std::vector<uint32_t> again = pixelsOf(p);
            size_t differing = 0;
            for (size_t k = 0; k < once.size(); ++k) differing += once[k] != again[k];
            EXPECT_EQ(differing, 0u) << code << " at scale " << scale;
        }
    }
}

/*
 * A paint of one placed digit redraws only what meets that digit's measured
 * ink box: every pixel any digit 1 to 6 changes, in any ink, at every scale,
 * lies inside the box; and the box is smaller than a cell side, which is what
 * makes it worth measuring.
 */
TEST_F(GridPaintTest, EveryDigitInksOnlyInsideItsMeasuredBox) {
    for (int16_t scale = 40; scale <= 70; scale += 5) {
        PaintedGrid p;
        paintGrid(p, "2330-1", scale);
        const DigitInk ink = measureDigitInk(p.surface, p.view);
        ASSERT_EQ(ink.scale, scale);
        const Grid& g = *p.grid;
        int16_t cell = 0;
        for (int16_t i = 1; i <= g.cellCount && cell == 0; ++i)
            if (cellValue(g, i) == 0) cell = i;
        ASSERT_NE(cell, 0);
        const PixelPoint c = cellCentre(g, cell);
        const int x = p.surface.originX + c.x, y = p.surface.originY - c.y;
        const std::vector<uint32_t> before = pixelsOf(p);
        for (char digit = '1'; digit <= '6'; ++digit) {
            for (uint32_t colour : {palette.givenInk, palette.playerInk}) {
                placeOnSurface(p.surface);
                drawDigit(g, p.view, p.surface, colour, cell, digit);
                releaseSurfaceObjects(p.surface);
                const std::vector<uint32_t> after = pixelsOf(p);
                int inked = 0, outside = 0;
                for (size_t k = 0; k < after.size(); ++k) {
                    if (after[k] == before[k]) continue;
                    ++inked;
                    const int px = static_cast<int>(k % p.width), py = static_cast<int>(k / p.width);
                    outside += px < x + ink.left || px >= x + ink.right || py < y + ink.top || py >= y + ink.bottom;
                }
                EXPECT_GT(inked, 0) << digit << " at scale " << scale;
                EXPECT_EQ(outside, 0) << digit << " at scale " << scale;
                setBitmapPixels(p.dc.get(), p.width, p.height, before);
            }
        }
        const int side = g.cellSize;
        EXPECT_LT(ink.right - ink.left, side) << "scale " << scale;
        EXPECT_LT(ink.bottom - ink.top, side) << "scale " << scale;
    }
}

TEST_F(GridPaintTest, HolesAreFilledInTheHoleColour) {
    PaintedGrid p;
    paintGrid(p, "2042-13", 40);
    const Grid& g = *p.grid;
    ASSERT_GT(g.holes.count(), 0);
    for (int k = 1; k <= g.holes.count(); ++k) {
        const PixelPoint c = cellCentreOf(g, g.holes.str(k));
        EXPECT_EQ(pixelAt(p, c.x, c.y), palette.hole) << g.holes.str(k);
    }
}

// Length of the run of colour through (x, y) going up and down the column.
int verticalRun(const PaintedGrid& p, int x, int y, COLORREF colour) {
    if (pixelAt(p, x, y) != colour) return 0;
    int run = 1;
    for (int d = 1; pixelAt(p, x, y + d) == colour; ++d) ++run;
    for (int d = 1; pixelAt(p, x, y - d) == colour; ++d) ++run;
    return run;
}

TEST_F(GridPaintTest, OuterBoundaryWidthFollowsTheScale) {
    for (int16_t scale : {40, 70}) {
        PaintedGrid p;
        paintGrid(p, "1251-1", scale);
        Grid& g = *p.grid;
        const int expected = scale / 12 + 1;
        int measured = 0;
        for (int k = 1; k <= g.outerLines.count() && !measured; ++k) {
            const LineEnds e = edgeLineEnds(g, g.outerLines.str(k));
            if (e.from.y != e.to.y) continue;
            // A third of the way along a horizontal line: away from dots and round ends.
            measured = verticalRun(p, e.from.x + (e.to.x - e.from.x) / 3, e.from.y, palette.accent);
        }
        EXPECT_EQ(measured, expected) << scale;
    }
}

TEST_F(GridPaintTest, DrawingLeavesNoObjectAliveAndRestoresTheReferencePoint) {
    const long before = gdiLiveObjects();
    {
        PaintedGrid p;
        const long withBitmap = before;
        paintGrid(p, "2330-1", 40);
        EXPECT_EQ(p.surface.refX, 0);
        EXPECT_EQ(p.surface.refY, 0);
        EXPECT_TRUE(p.surface.positionStack.isEmpty());
        // The memory DC, its bitmap and the kept pens, brushes and fonts only; none of them still selected.
        EXPECT_GT(keptObjectCount(p.objects), 0);
        EXPECT_EQ(gdiLiveObjects(), withBitmap + 2 + keptObjectCount(p.objects));
        EXPECT_EQ(p.objects.dc, nullptr);
        // Drawing the same grid again makes nothing: every pen, brush and font is the kept one.
        const long made = p.objects.made;
        drawBackground(*p.grid, p.view, p.surface, palette.accent);
        drawForeground(*p.grid, p.view, p.surface, palette.accent, ForegroundView());
        EXPECT_EQ(p.objects.made, made);
        drawMarkHexagon(*p.grid, p.view, p.surface, 1, rgbColour(255, 0, 0));
        drawMarkHexagon(*p.grid, p.view, p.surface, 0, rgbColour(255, 0, 0));
        drawMarkHexagon(*p.grid, p.view, p.surface, 32000, rgbColour(255, 0, 0));
        releaseSurfaceObjects(p.surface);
        dropSurfaceObjects(p.objects);
        EXPECT_EQ(gdiLiveObjects(), withBitmap + 2);
    }
    EXPECT_EQ(gdiLiveObjects(), before);
}

TEST_F(GridPaintTest, MarkedHexagonOutlinesTheSixCellsAroundItsCorner) {
    PaintedGrid p;
    paintGrid(p, "1251-1", 40);
    Grid& g = *p.grid;
    // A complete hexagon's centre is a corner point: its outline runs through its six outer corners.
    const int16_t corner = cornerAtPoint(g, g.units[1].x, g.units[1].y);
    ASSERT_GT(corner, 0);
    const COLORREF red = rgbColour(255, 0, 0);
    // As the paint does: the reference point back on the origin, then the marks.
    placeOnSurface(p.surface);
    drawMarkHexagon(g, p.view, p.surface, corner, red);
    releaseSurfaceObjects(p.surface);
    PixelPoint centre;
    ASSERT_TRUE(markHexagonPoint(g, corner, centre));
    EXPECT_TRUE(colourNear(p, centre.x + g.cellSize, centre.y, 1, 1, red));
    EXPECT_TRUE(colourNear(p, centre.x - g.cellSize, centre.y, 1, 1, red));
    // The inside is not touched (hollow brush).
    EXPECT_NE(pixelAt(p, centre.x + g.cellSize / 2, centre.y + 5), red);
}

TEST_F(GridPaintTest, HintOutlineRingsItsCellOnlyAndNeverInTheRules) {
    PaintedGrid p;
    paintGrid(p, "1251-1", 40);
    Grid& g = *p.grid;
    auto hintPixels = [&] {
        int n = 0;
        for (int x = 0; x < p.width; ++x)
            for (int y = 0; y < p.height; ++y) n += GetPixel(p.dc.get(), x, y) == kHintOutlineColour;
        return n;
    };
    EXPECT_EQ(hintPixels(), 0);
    const int16_t cell = 5;
    ForegroundView shell;
    shell.outlinedCell = cell;
    drawBackground(g, p.view, p.surface, palette.accent);
    drawForeground(g, p.view, p.surface, palette.accent, shell);
    EXPECT_GT(hintPixels(), 3 * g.cellSize);
    const auto outline = cellOutline(g, cell);
    for (int k = 0; k < 3; ++k) {
        const int mx = (outline[k].x + outline[k + 1].x) / 2, my = (outline[k].y + outline[k + 1].y) / 2;
        EXPECT_TRUE(colourNear(p, mx, my, 1, 1, kHintOutlineColour)) << "side " << k;
    }
    // Hollow: the cell's ground and its digit area stay as they were, and no other cell's sides are touched.
    const PixelPoint inside = groundSample(g, cell);
    EXPECT_EQ(pixelAt(p, inside.x, inside.y), palette.ground);
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const PixelPoint c = cellCentre(g, i);
        if (std::abs(c.x - cellCentre(g, cell).x) + std::abs(c.y - cellCentre(g, cell).y) <= 2 * g.cellSize) continue;
        const auto other = cellOutline(g, i);
        const int mx = (other[0].x + other[1].x) / 2, my = (other[0].y + other[1].y) / 2;
        EXPECT_FALSE(colourNear(p, mx, my, 1, 1, kHintOutlineColour)) << "cell " << i;
    }

    PaintedGrid rules;
    paintGrid(rules, "1251-1", 40);
    shell.rulesShown = 1;
    drawBackground(*rules.grid, rules.view, rules.surface, palette.accent);
    drawForeground(*rules.grid, rules.view, rules.surface, palette.accent, shell);
    int inRules = 0;
    for (int x = 0; x < rules.width; ++x)
        for (int y = 0; y < rules.height; ++y) inRules += GetPixel(rules.dc.get(), x, y) == kHintOutlineColour;
    EXPECT_EQ(inRules, 0);
}

TEST(GdiHolders, HoldersCountAndRestore) {
    const long before = gdiLiveObjects();
    MemoryDC dc(nullptr);
    ASSERT_TRUE(dc);
    EXPECT_EQ(gdiLiveObjects(), before + 1);
    const HGDIOBJ defaultPen = GetCurrentObject(dc.get(), OBJ_PEN);
    {
        OwnedPen pen = makeSolidPen(3, RGB(1, 2, 3));
        EXPECT_EQ(gdiLiveObjects(), before + 2);
        OwnedPen other = std::move(pen);
        EXPECT_FALSE(pen);
        // Selections end before the pen they select is deleted (declared after it).
        GdiSelection selected(dc.get(), other.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), other.get());
        GdiSelection moved = std::move(selected);
        EXPECT_EQ(gdiLiveObjects(), before + 2);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), defaultPen);
    EXPECT_EQ(gdiLiveObjects(), before + 1);

    // The surface's kept objects: one pen per width and colour however often asked, the DC's own back on release.
    SurfaceObjects kept;
    for (int k = 0; k < 100; ++k) selectSurfaceObject(kept, dc.get(), keptRoundPen(kept, k % 5 + 1, RGB(9, 0, 0)));
    EXPECT_EQ(keptObjectCount(kept), 5);
    EXPECT_EQ(gdiLiveObjects(), before + 1 + 5);
    selectSurfaceObject(kept, dc.get(), keptSolidBrush(kept, RGB(1, 1, 1)));
    // Another DC: the first gets its own pen back before ours is selected there.
    MemoryDC second(nullptr);
    HPEN pen = keptRoundPen(kept, 2, RGB(9, 0, 0));
    selectSurfaceObject(kept, second.get(), pen);
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_PEN), defaultPen);
    EXPECT_EQ(GetCurrentObject(second.get(), OBJ_PEN), pen);
    releaseSurfaceObjects(kept);
    EXPECT_EQ(GetCurrentObject(second.get(), OBJ_PEN), defaultPen);
    // Nothing to select into: nothing changes.
    selectSurfaceObject(kept, nullptr, pen);
    EXPECT_EQ(kept.dc, nullptr);
    dropSurfaceObjects(kept);
    EXPECT_EQ(gdiLiveObjects(), before + 2);
    second.reset();
    dc.reset();
    EXPECT_EQ(gdiLiveObjects(), before);
}

TEST(GdiHolders, SurfaceWithoutDCDrawsNothingAndLeaksNothing) {
    Grid g;
    loadBuiltInGrid(g, "1251-1");
    setCellSize(g, 40);
    prepareGrid(g);
    const GridView view = gridViewAt(40);
    DrawSurface s;
    construct(s);
    bind(s, nullptr, "ecran");
    const long before = gdiLiveObjects();
    drawBackground(g, view, s, palette.accent);
    drawForeground(g, view, s, palette.accent, ForegroundView());
    drawMarkHexagon(g, view, s, 1, 0);
    textAt(s, 0, 0, "x", true);
    markRegistered(s, 0, 0, 2.0);
    rectangle(s, 0, 0, 30, 0, 0);
    hexagon(s, 0, 0, 0, 0);
    polygon(s, 0, 0, nullptr, 5);
    releaseSurfaceObjects(s);
    EXPECT_EQ(gdiLiveObjects(), before);
}

}  // namespace
