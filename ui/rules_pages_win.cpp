// Drawing the rules pages on the drawing surface: page texts, the registered sign, and the whole page frame.
#include "ui/rules_pages_win.h"

#include "content/rules_pages.h"
#include "render/draw_surface_win.h"
#include "render/grid_drawing.h"
#include "ui/rules_page_scale.h"

namespace {

// What the page texts are drawn with: the surface, the face of the next text, the fill and the text colour last chosen.
struct PageInk {
    DrawSurface& surface;
    TextString fontFace = TextString("Arial");
    uint32_t fillColour = 0;
    uint32_t textColour = 0;
};

// The picture of a page at a picture scale, loaded from the program's resources the first time.
HBITMAP pictureOf(RulesPictures& pictures, int16_t page, int16_t pictureScale) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return nullptr;
    OwnedBitmap& picture = pictureScale == kLargePictureScale ? pictures.large[page] : pictures.pages[page];
    if (!picture) {
        HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(rulesPictureResource(page, pictureScale)),
                                  IMAGE_BITMAP, 0, 0, 0);
        picture = OwnedBitmap(static_cast<HBITMAP>(image));
    }
    return picture.get();
}

/*
 * The whole bitmap on the page, whose centre is the surface's reference point.
 * The 800 x 600 picture goes on as it always has (1:1 at 96 dpi); the large one
 * is copied 1:1 when it has the page's size and otherwise scaled in halftone,
 * which averages the pixels it drops instead of picking one of them.
 */
void drawPicture(DrawSurface& s, RulesPictures& pictures, int16_t page, const RulesPageMetrics& metrics) {
    HBITMAP bitmap = pictureOf(pictures, page, metrics.pictureScale);
    HDC dc = surfaceDC(s);
    if (bitmap == nullptr || dc == nullptr) return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    MemoryDC source(dc);
    GdiSelection selected(source.get(), bitmap);
    const int left = deviceX(s, -metrics.width / 2);
    const int top = deviceY(s, metrics.height / 2);
    if (info.bmWidth == metrics.width && info.bmHeight == metrics.height) {
        BitBlt(dc, left, top, metrics.width, metrics.height, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const bool halftone = metrics.pictureScale == kLargePictureScale;
    int oldMode = SetStretchBltMode(dc, halftone ? HALFTONE : COLORONCOLOR);
    POINT oldBrushOrigin{};
    if (halftone) SetBrushOrgEx(dc, 0, 0, &oldBrushOrigin);
    StretchBlt(dc, left, top, metrics.width, metrics.height, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    if (halftone) SetBrushOrgEx(dc, oldBrushOrigin.x, oldBrushOrigin.y, nullptr);
    SetStretchBltMode(dc, oldMode);
}

void setFontFace(PageInk& ink, TextRef face) { ink.fontFace.assign(face); }

void setFillColour(PageInk& ink, uint32_t colour) {
    ink.fillColour = colour;
    setBrush(ink.surface, colour);
}

void setPenAndTextColour(PageInk& ink, int width, uint32_t colour) {
    ink.textColour = colour;
    setPen(ink.surface, width, colour);
    setTextColour(ink.surface, colour);
}

void drawPageText(const PageInk& ink, double x, double y, int16_t angle, double size, bool italic, int16_t weight,
                  bool aligned, TextRef text) {
    DrawSurface& s = ink.surface;
    int16_t height = mmToPxY(s, size);
    makeFont(s, height, static_cast<int16_t>(height / 3), static_cast<int16_t>(angle * 10), italic, weight,
             ink.fontFace);
    setTextOpaque(s, false);
    setTextColour(s, ink.textColour);
    textAtMm(s, x, y, text, aligned);
}

void drawRegisteredSign(const PageInk& ink, double x, double y, double size) {
    DrawSurface& s = ink.surface;
    setTextOpaque(s, false);
    setTextColour(s, ink.textColour);
    markRegistered(s, mmToPxX(s, x), mmToPxY(s, y), size);
}

void drawLine(PageInk& ink, const RulesLine& line) {
    const RulesTextStyle& style = rulesTextStyle(line.style);
    setFontFace(ink, style.face);
    drawPageText(ink, line.x, line.y, 0, style.size, style.italic != 0, style.weight, style.aligned != 0, line.text);
}

void drawRulesPage(PageInk& ink, int16_t page, uint8_t language) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    setNoBrush(ink.surface);
    setPenAndTextColour(ink, 1, rgbColour(0, 0, 0));
    for (const RulesLine& line : rulesPageLines(page, language)) drawLine(ink, line);
    RulesSign sign;
    if (rulesPageSign(page, sign)) drawRegisteredSign(ink, sign.x, sign.y, sign.size);
}

}  // namespace

void drawRulesPageFrame(DrawSurface& s, RulesPictures& pictures, HDC dc, int16_t page, uint8_t language,
                        int16_t dpi) {
    const RulesPageMetrics metrics = rulesPageMetrics(dpi);
    PageInk ink{s};
    reset(s);
    setDC(s, dc);
    placeRulesPage(s, metrics);
    setFillColour(ink, kPageColour);
    setPenAndTextColour(ink, 1, kPageColour);
    rectangle(s, 0, 0, 0, metrics.width, metrics.height);
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    drawPicture(s, pictures, page, metrics);
    drawRulesPage(ink, page, language);
    setPenAndTextColour(ink, 1, rgbColour(0, 0, 0));
    drawLine(ink, rulesPageNumberLine(page));
}

void installRulesPicture(RulesPictures& pictures, int16_t page, int16_t pictureScale, OwnedBitmap bitmap) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    (pictureScale == kLargePictureScale ? pictures.large[page] : pictures.pages[page]) = std::move(bitmap);
}
