// GDI holders: counted creation and deletion, selections that restore, memory DCs, the surface's three holders.
#include "render/gdi_win.h"

#include <utility>

#include "base/wide_text_win.h"

namespace {

long liveObjects = 0;
long createdObjects = 0;

}  // namespace

long gdiLiveObjects() {
    return liveObjects;
}

long gdiCreatedObjects() {
    return createdObjects;
}

void countGdiCreated(HGDIOBJ object) {
    if (!object) return;
    ++liveObjects;
    ++createdObjects;
}

void deleteCountedObject(HGDIOBJ object) {
    if (object && DeleteObject(object)) --liveObjects;
}

OwnedPen makeSolidPen(int width, COLORREF colour) {
    return OwnedPen(CreatePen(PS_SOLID, width, colour));
}

OwnedPen makeRoundPen(int width, COLORREF colour) {
    LOGBRUSH brush;
    brush.lbStyle = BS_SOLID;
    brush.lbColor = colour;
    brush.lbHatch = 0;
    const DWORD style = PS_GEOMETRIC | PS_SOLID | PS_ENDCAP_ROUND | PS_JOIN_ROUND;
    return OwnedPen(ExtCreatePen(style, width < 1 ? 1 : static_cast<DWORD>(width), &brush, 0, nullptr));
}

OwnedBrush makeSolidBrush(COLORREF colour) {
    return OwnedBrush(CreateSolidBrush(colour));
}

OwnedBitmap makeCompatibleBitmap(HDC dc, int width, int height) {
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    HDC reference = dc ? dc : GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(reference, width, height);
    if (!dc) ReleaseDC(nullptr, reference);
    return OwnedBitmap(bitmap);
}

OwnedBitmap makeMaskBitmap(int width, int height) {
    return OwnedBitmap(CreateBitmap(width < 1 ? 1 : width, height < 1 ? 1 : height, 1, 1, nullptr));
}

OwnedRegion makeRectRegion(int left, int top, int right, int bottom) {
    return OwnedRegion(CreateRectRgn(left, top, right, bottom));
}

OwnedRegion makePolygonRegion(const POINT* points, int count, int fillMode) {
    if (!points || count < 3) return OwnedRegion();
    return OwnedRegion(CreatePolygonRgn(points, count, fillMode));
}

// --- selections ---

GdiSelection::GdiSelection(HDC dc, HGDIOBJ object) {
    if (!dc || !object) return;
    HGDIOBJ previous = SelectObject(dc, object);
    if (!previous || previous == HGDI_ERROR) return;
    dc_ = dc;
    previous_ = previous;
}

GdiSelection::GdiSelection(GdiSelection&& other) noexcept : dc_(other.dc_), previous_(other.previous_) {
    other.dc_ = nullptr;
    other.previous_ = nullptr;
}

GdiSelection& GdiSelection::operator=(GdiSelection&& other) noexcept {
    if (this != &other) {
        restore();
        dc_ = std::exchange(other.dc_, nullptr);
        previous_ = std::exchange(other.previous_, nullptr);
    }
    return *this;
}

void GdiSelection::restore() {
    if (dc_ && previous_) SelectObject(dc_, previous_);
    dc_ = nullptr;
    previous_ = nullptr;
}

// --- memory DCs ---

MemoryDC::MemoryDC(HDC reference) {
    dc_ = CreateCompatibleDC(reference);
    if (dc_) countGdiCreated(reinterpret_cast<HGDIOBJ>(dc_));
}

MemoryDC& MemoryDC::operator=(MemoryDC&& other) noexcept {
    if (this != &other) {
        reset();
        dc_ = std::exchange(other.dc_, nullptr);
    }
    return *this;
}

void MemoryDC::reset() {
    if (dc_ && DeleteDC(dc_)) --liveObjects;
    dc_ = nullptr;
}

// --- the surface's kept objects ---

namespace {

// The most objects of one kind kept at once: past it the kind starts again (a guard, never reached in play).
constexpr size_t kMostKept = 48;

bool sameShape(const TextFontState& a, int16_t height, int16_t width, int16_t escapement, bool italic,
               int16_t weight, TextRef face) {
    return a.height == height && a.width == width && a.escapement == escapement && a.italic == (italic ? 1 : 0) &&
           a.weight == weight && a.face.equals(face) && a.face.length() == static_cast<int>(face.v.size());
}

template <class Kept>
void makeRoom(SurfaceObjects& objects, std::vector<Kept>& kept) {
    if (kept.size() < kMostKept) return;
    // Nothing kept may be selected while it is deleted.
    releaseSurfaceObjects(objects);
    kept.clear();
}

HGDIOBJ& firstOfSlot(SurfaceObjects& objects, DWORD type) {
    if (type == OBJ_PEN || type == OBJ_EXTPEN) return objects.firstPen;
    if (type == OBJ_BRUSH) return objects.firstBrush;
    return objects.firstFont;
}

HGDIOBJ& selectedInSlot(SurfaceObjects& objects, DWORD type) {
    if (type == OBJ_PEN || type == OBJ_EXTPEN) return objects.selectedPen;
    if (type == OBJ_BRUSH) return objects.selectedBrush;
    return objects.selectedFont;
}

}  // namespace

HPEN keptRoundPen(SurfaceObjects& objects, int width, COLORREF colour) {
    for (const KeptPen& k : objects.pens)
        if (k.width == width && k.colour == colour) return k.pen.get();
    makeRoom(objects, objects.pens);
    OwnedPen pen = makeRoundPen(width, colour);
    if (!pen) return nullptr;
    ++objects.made;
    objects.pens.push_back(KeptPen{width, colour, std::move(pen)});
    return objects.pens.back().pen.get();
}

HBRUSH keptSolidBrush(SurfaceObjects& objects, COLORREF colour) {
    for (const KeptBrush& k : objects.brushes)
        if (k.colour == colour) return k.brush.get();
    makeRoom(objects, objects.brushes);
    OwnedBrush brush = makeSolidBrush(colour);
    if (!brush) return nullptr;
    ++objects.made;
    objects.brushes.push_back(KeptBrush{colour, std::move(brush)});
    return objects.brushes.back().brush.get();
}

HFONT keptFont(SurfaceObjects& objects, int16_t height, int16_t width, int16_t escapement, bool italic,
               int16_t weight, TextRef face) {
    for (const KeptFont& k : objects.fonts)
        if (sameShape(k.shape, height, width, escapement, italic, weight, face)) return k.font.get();
    makeRoom(objects, objects.fonts);
    std::wstring wideFace = wideText(face);
    if (wideFace.size() > LF_FACESIZE - 1) wideFace.resize(LF_FACESIZE - 1);
    OwnedFont font(CreateFontW(height, width, escapement, escapement, weight, italic ? TRUE : FALSE, FALSE, FALSE,
                               DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               DEFAULT_PITCH | FF_DONTCARE, wideFace.c_str()));
    if (!font) return nullptr;
    ++objects.made;
    KeptFont k;
    setFontShape(k.shape, height, width, escapement, italic, weight, face);
    k.font = std::move(font);
    objects.fonts.push_back(std::move(k));
    return objects.fonts.back().font.get();
}

void selectSurfaceObject(SurfaceObjects& objects, HDC dc, HGDIOBJ object) {
    if (!dc || !object) return;
    if (objects.dc != dc) releaseSurfaceObjects(objects);
    // A digit after a digit asks for the font already selected: nothing to do (a selection costs under Wine).
    if (objects.selectedPen == object || objects.selectedBrush == object || objects.selectedFont == object) return;
    const DWORD type = GetObjectType(object);
    HGDIOBJ previous = SelectObject(dc, object);
    if (!previous || previous == HGDI_ERROR) return;
    objects.dc = dc;
    HGDIOBJ& first = firstOfSlot(objects, type);
    if (!first) first = previous;
    selectedInSlot(objects, type) = object;
}

void releaseSurfaceObjects(SurfaceObjects& objects) {
    if (objects.dc) {
        if (objects.firstPen) SelectObject(objects.dc, objects.firstPen);
        if (objects.firstBrush) SelectObject(objects.dc, objects.firstBrush);
        if (objects.firstFont) SelectObject(objects.dc, objects.firstFont);
    }
    objects.dc = nullptr;
    objects.firstPen = objects.firstBrush = objects.firstFont = nullptr;
    objects.selectedPen = objects.selectedBrush = objects.selectedFont = nullptr;
}

void dropSurfaceObjects(SurfaceObjects& objects) {
    releaseSurfaceObjects(objects);
    objects.pens.clear();
    objects.brushes.clear();
    objects.fonts.clear();
}

long keptObjectCount(const SurfaceObjects& objects) {
    return static_cast<long>(objects.pens.size() + objects.brushes.size() + objects.fonts.size());
}

OwnedFont stockFontWithHeight(int stockObject, int height) {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(stockObject), sizeof font, &font) != sizeof font) return OwnedFont();
    if (font.lfHeight == height) return OwnedFont();
    font.lfHeight = height;
    font.lfWidth = 0;
    return OwnedFont(CreateFontIndirectW(&font));
}

OwnedFont guiFontAt(int16_t dpi) {
    /*
     * Eight points at the scale, not the stock font's height scaled: Windows
     * makes the stock font at 96 dpi whatever the screen, Wine at the screen's
     * resolution, and both are right this way.
     */
    return stockFontWithHeight(DEFAULT_GUI_FONT, -MulDiv(8, dpi > 0 ? dpi : 96, 72));
}
