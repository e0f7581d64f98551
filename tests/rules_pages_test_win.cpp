// Windows test of the rules page frame: the picture and the black texts land on the page.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>

#include "content/rules_pages.h"
#include "ui/rules_pages_win.h"
#include "render/draw_surface_win.h"
#include "render/gdi_win.h"
#include "tests/bitmap_pixels_win.h"
#include "tools/picture_raster.h"
#include "tools/rules_pictures.h"

namespace {

// An 800 x 600 top-down 32-bit bitmap in a memory DC whose pixels the test reads directly.
struct PageCanvas {
    MemoryDC dc;
    OwnedBitmap bitmap;
    GdiSelection selection;
    uint32_t* pixels = nullptr;

    PageCanvas() : dc(nullptr) {
        BITMAPINFO info = topDownPixels(kRulesPageWidthPx, kRulesPageHeightPx);
        void* bits = nullptr;
        bitmap = OwnedBitmap(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        selection = GdiSelection(dc.get(), bitmap.get());
        pixels = static_cast<uint32_t*>(bits);
    }
    // 0x00RRGGBB of a pixel.
    uint32_t at(int x, int y) const { return pixels[y * kRulesPageWidthPx + x] & 0xFFFFFF; }
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

}  // namespace

TEST(RulesPagesWin, PageShowsItsPictureAndBlackTitleText) {
    const int16_t page = 3;
    RulesPictures pictures;
    installRulesPicture(pictures, page, bitmapFromBmp(rulesPictureBmp(page)));
    DrawSurface surface;
    SurfaceObjects objects;
    surface.objects = &objects;
    RasterImage picture;
    drawRulesPicture(page, picture);
    std::vector<PaletteColour> palette = picturePalette();
    {
        PageCanvas canvas;
        ASSERT_NE(canvas.pixels, nullptr);
        drawRulesPageFrame(surface, pictures, canvas.dc.get(), page, 1);
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
        for (const RulesLine& l : rulesPageLines(page, 1)) {
            if (l.style != RulesStyle::PageTitle) continue;
            RulesBox b = rulesLineBox(l);
            int black = 0;
            for (int y = int(300 - b.top * 100 / 25.4); y < int(300 - b.bottom * 100 / 25.4); ++y)
                for (int x = int(400 + b.left * 100 / 25.4); x < int(400 + b.right * 100 / 25.4); ++x)
                    black += canvas.at(x, y) == 0;
            EXPECT_GT(black, 200);
        }
    }
    {
        // A page outside 1..9 is the bare cyan page.
        PageCanvas canvas;
        drawRulesPageFrame(surface, pictures, canvas.dc.get(), 0, 0);
        releaseSurfaceObjects(surface);
        GdiFlush();
        EXPECT_EQ(canvas.at(400, 300), 0x00FFFFu);
        EXPECT_EQ(canvas.at(5, 5), 0x00FFFFu);
    }
}
