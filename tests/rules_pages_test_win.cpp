// Windows test of the rules page frame: the picture and the black texts land on the page.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>

#include "content/rules_pages.h"
#include "ui/rules_page_scale.h"
#include "ui/rules_pages_win.h"
#include "render/draw_surface_win.h"
#include "render/gdi_win.h"
#include "tests/bitmap_pixels_win.h"
#include "tools/picture_raster.h"
#include "tools/rules_pictures.h"

namespace {

// A page-sized top-down 32-bit bitmap (800 x 600 unless told) in a memory DC whose pixels the test reads directly.
struct PageCanvas {
    MemoryDC dc;
    OwnedBitmap bitmap;
    GdiSelection selection;
    uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;

    explicit PageCanvas(int w = kRulesPageWidthPx, int h = kRulesPageHeightPx) : dc(nullptr), width(w), height(h) {
        BITMAPINFO info = topDownPixels(width, height);
        void* bits = nullptr;
        bitmap = OwnedBitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        selection = GdiSelection(dc.get(), bitmap.get());
        pixels = static_cast<uint32_t*>(bits);
    }
    // 0x00RRGGBB of a pixel.
    uint32_t at(int x, int y) const { return pixels[y * width + x] & 0xFFFFFF; }
};

// The generated run-length picture made into a bitmap the way the program's resource is.
OwnedBitmap bitmapFromBmp(const std::string& bytes) {
    const BITMAPINFO* info = reinterpret_cast<const BITMAPINFO*>(bytes.data() + sizeof(BITMAPFILEHEADER));
    const BITMAPFILEHEADER* file = reinterpret_cast<const BITMAPFILEHEADER*>(bytes.data());
    HDC screen = GetDC(nullptr);
    HBITMAP b = CreateDIBitmap(screen, &info->bmiHeader, CBM_INIT, bytes.data() + file->bfOffBits, info,
                               DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return OwnedBitmap(b);
}

uint32_t rgbOf(const PaletteColour& c) { return (uint32_t(c.r) << 16) | (uint32_t(c.g) << 8) | c.b; }

// The sum of the three channels' differences of two 0x00RRGGBB colours.
int colourDistance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d += std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF));
    return d;
}

// Black pixels inside the estimated box of page's title, on a page drawn at a resolution of `resolution` dpi.
int blackInTitle(const PageCanvas& canvas, int16_t page, int resolution) {
    int black = 0;
    for (const RulesLine& l : rulesPageLines(page, 1)) {
        if (l.style != RulesStyle::PageTitle) continue;
        const RulesBox b = rulesLineBox(l);
        const double perMm = resolution / 25.4;
        for (int y = int(canvas.height / 2 - b.top * perMm); y < int(canvas.height / 2 - b.bottom * perMm); ++y)
            for (int x = int(canvas.width / 2 + b.left * perMm); x < int(canvas.width / 2 + b.right * perMm); ++x)
                black += canvas.at(x, y) == 0;
    }
    return black;
}

}  // namespace

TEST(RulesPagesWin, PageShowsItsPictureAndBlackTitleText) {
    const int16_t page = 3;
    RulesPictures pictures;
    installRulesPicture(pictures, page, 1, bitmapFromBmp(rulesPictureBmp(page)));
    DrawSurface surface;
    SurfaceObjects objects;
    surface.objects = &objects;
    RasterImage picture;
    drawRulesPicture(page, picture);
    std::vector<PaletteColour> palette = picturePalette();
    {
        PageCanvas canvas;
        ASSERT_NE(canvas.pixels, nullptr);
        drawRulesPageFrame(surface, pictures, canvas.dc.get(), page, 1, kReferenceDpi);
        releaseSurfaceObjects(surface);
        GdiFlush();

        // Away from the texts the page shows the picture's own colours, pixel for pixel.
        int compared = 0, equal = 0;
        for (int y = 130; y < 520; y += 3)
            for (int x = 10; x < 320; x += 3) {
                ++compared;
                equal += canvas.at(x, y) == rgbOf(palette[pixelAt(picture, x, y)]);
            }
        EXPECT_GT(equal, compared * 95 / 100);

        // Inside the title's box some pixels are black text.
        EXPECT_GT(blackInTitle(canvas, page, kRulesPageDpi), 200);
    }
    {
        // A page outside 1..9 is the bare cyan page.
        PageCanvas canvas;
        drawRulesPageFrame(surface, pictures, canvas.dc.get(), 0, 0, kReferenceDpi);
        releaseSurfaceObjects(surface);
        GdiFlush();
        EXPECT_EQ(canvas.at(400, 300), 0x00FFFFu);
        EXPECT_EQ(canvas.at(5, 5), 0x00FFFFu);
    }
}

/*
 * Above 96 dpi the page is larger and shows the large picture scaled down (only
 * the large one is installed here, so a picture on the page is that one): at
 * 144 dpi a page of 1200 x 900 whose picture, away from the texts, has the
 * colours of the 800 x 600 picture at the same place on the page (within the
 * blending of a scaled copy), its title in black at 150 pixels per inch; at
 * 192 dpi the large picture pixel for pixel.
 */
TEST(RulesPagesWin, AtHigherScalesThePageIsLargerAndShowsTheLargePicture) {
    const int16_t page = 3;
    RulesPictures pictures;
    installRulesPicture(pictures, page, kLargePictureScale,
                        bitmapFromBmp(rulesPictureBmp(page, kLargePictureScale)));
    RasterImage picture, large;
    drawRulesPicture(page, picture);
    drawRulesPicture(page, large, kLargePictureScale);
    const std::vector<PaletteColour> palette = picturePalette();
    DrawSurface surface;
    SurfaceObjects objects;
    surface.objects = &objects;
    for (int16_t dpi : {int16_t(144), int16_t(192)}) {
        SCOPED_TRACE(testing::Message() << dpi << " dpi");
        const RulesPageMetrics m = rulesPageMetrics(dpi);
        EXPECT_EQ(m.width, 800 * dpi / 96);
        EXPECT_EQ(m.height, 600 * dpi / 96);
        PageCanvas canvas(m.width, m.height);
        ASSERT_NE(canvas.pixels, nullptr);
        drawRulesPageFrame(surface, pictures, canvas.dc.get(), page, 1, dpi);
        releaseSurfaceObjects(surface);
        GdiFlush();
        // The picture covers the whole page, to its last row and column: none of the cyan under it shows.
        const uint32_t background = rgbOf(palette[pixelAt(picture, 0, 0)]);
        for (int x : {0, m.width / 2, m.width - 1})
            for (int y : {0, m.height - 1}) EXPECT_EQ(canvas.at(x, y), background) << x << ", " << y;

        // The left part of the page, where the picture's drawing is and no text stands.
        const double k = dpi / 96.0;
        int compared = 0, similar = 0, exact = 0;
        for (int y = int(130 * k); y < int(520 * k); y += 3)
            for (int x = int(10 * k); x < int(320 * k); x += 3) {
                ++compared;
                const uint32_t shown = canvas.at(x, y);
                similar += colourDistance(shown, rgbOf(palette[pixelAt(picture, int(x / k), int(y / k))])) <= 90;
                exact += shown == rgbOf(palette[pixelAt(large, x, y)]);
            }
        EXPECT_GT(similar, compared * 90 / 100) << similar << " of " << compared;
        if (dpi == 192) {
            EXPECT_GT(exact, compared * 99 / 100) << exact << " of " << compared;
        }

        EXPECT_GT(blackInTitle(canvas, page, m.resolution), 200 * k * k);
    }
}
