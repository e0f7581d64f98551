// Drawing the rules pages on the drawing surface: page texts, the registered sign, and the whole page frame.
#include "ui/rules_pages_win.h"

#include "content/rules_pages.h"
#include "render/draw_surface_win.h"
#include "render/grid_drawing.h"

namespace {

OwnedBitmap pictures[kLastRulesPage + 1];

DrawSurface& surface() { return *currentSurface; }

// The picture of a page, loaded from the program's resources the first time.
HBITMAP pictureOf(int16_t page) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return nullptr;
    if (!pictures[page]) {
        HANDLE image = LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(page), IMAGE_BITMAP, 0, 0, 0);
        pictures[page] = OwnedBitmap(static_cast<HBITMAP>(image));
    }
    return pictures[page].get();
}

// The whole bitmap stretched onto the 800 x 600 page whose centre is the surface's reference point.
void drawPicture(DrawSurface& s, int16_t page) {
    HBITMAP bitmap = pictureOf(page);
    HDC dc = surfaceDC(s);
    if (bitmap == nullptr || dc == nullptr) return;
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    MemoryDC source(dc);
    GdiSelection selected(source.get(), bitmap);
    int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, deviceX(s, -kRulesPageWidthPx / 2), deviceY(s, kRulesPageHeightPx / 2), kRulesPageWidthPx,
               kRulesPageHeightPx, source.get(), 0, 0, info.bmWidth, info.bmHeight, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

void drawLine(PageInk& ink, const RulesLine& line) {
    const RulesTextStyle& style = rulesTextStyle(line.style);
    setFontFace(ink, style.face);
    drawPageText(ink, line.x, line.y, 0, style.size, style.italic != 0, style.weight, style.aligned != 0, line.text);
}

}  // namespace

void setFontFace(PageInk& ink, TextRef face) { ink.fontFace.assign(face); }

void setFillColour(PageInk& ink, uint32_t colour) {
    ink.fillColour = colour;
    setBrush(surface(), colour);
}

void setPenAndTextColour(PageInk& ink, int width, uint32_t colour) {
    ink.textColour = colour;
    setPen(surface(), width, colour);
    setTextColour(colour);
}

void setPenAndTextColourMm(PageInk& ink, double widthMm, uint32_t colour) {
    ink.textColour = colour;
    setPenMm(surface(), widthMm, colour);
    setTextColour(colour);
}

void drawPageText(const PageInk& ink, double x, double y, int16_t angle, double size, bool italic, int16_t weight,
                  bool aligned, TextRef text) {
    DrawSurface& s = surface();
    int16_t height = mmToPxY(s, size);
    makeFont(s, height, static_cast<int16_t>(height / 3), static_cast<int16_t>(angle * 10), italic, weight,
             ink.fontFace);
    setTextOpaque(false);
    setTextColour(ink.textColour);
    textAtMm(s, x, y, text, aligned);
}

void drawRegisteredSign(const PageInk& ink, double x, double y, double size) {
    DrawSurface& s = surface();
    setTextOpaque(false);
    setTextColour(ink.textColour);
    markRegistered(s, mmToPxX(s, x), mmToPxY(s, y), size);
}

void drawRulesPage(PageInk& ink, int16_t page, uint8_t language) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    setNoBrush(surface());
    setPenAndTextColour(ink, 1, rgbColour(0, 0, 0));
    for (const RulesLine& line : rulesPageLines(page, language)) drawLine(ink, line);
    RulesSign sign;
    if (rulesPageSign(page, sign)) drawRegisteredSign(ink, sign.x, sign.y, sign.size);
}

void drawRulesPageFrame(HDC dc, int16_t page, uint8_t language) {
    DrawSurface& s = surface();
    PageInk ink;
    reset(s);
    setDC(s, dc);
    setOrigin(s, kRulesPageWidthPx / 2, kRulesPageHeightPx / 2);
    setZoom(s, 1.0f);
    setResolution(s, kRulesPageDpi, kRulesPageDpi);
    moveToMm(s, 0, 0);
    setFillColour(ink, kPageColour);
    setPenAndTextColour(ink, 1, kPageColour);
    rectangle(s, 0, 0, 0, kRulesPageWidthPx, kRulesPageHeightPx);
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    drawPicture(s, page);
    drawRulesPage(ink, page, language);
    setPenAndTextColour(ink, 1, rgbColour(0, 0, 0));
    drawLine(ink, rulesPageNumberLine(page));
}

void installRulesPicture(int16_t page, OwnedBitmap bitmap) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return;
    pictures[page] = std::move(bitmap);
}

void releaseRulesPictures() {
    for (OwnedBitmap& b : pictures) b.reset();
}
