// GDI holders: counted creation and deletion, selections that restore, memory DCs, the surface's three holders.
#include "render/gdi_win.h"

#include <utility>

#include "base/wide_text_win.h"

namespace {

long liveObjects = 0;

}  // namespace

PenHolder currentPen;
BrushHolder currentBrush;
TextFont currentFont;

long gdiLiveObjects() {
    return liveObjects;
}

void countGdiCreated(HGDIOBJ object) {
    if (object) ++liveObjects;
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

// --- the surface's holders ---

namespace {

// The holder's DC gets its remembered object back; the made object is then free to delete.
void giveBackRemembered(PenHolder& holder) {
    if (holder.dc && holder.remembered) SelectObject(holder.dc, holder.remembered);
    holder.dc = nullptr;
    holder.remembered = nullptr;
}

}  // namespace

namespace {

// Selects object into dc for the holder; false when nothing could be selected.
bool selectForHolder(PenHolder& holder, HDC dc, HGDIOBJ object) {
    if (!dc || !object) return false;
    if (holder.dc != dc) {
        giveBackRemembered(holder);
        holder.made.reset();
    }
    HGDIOBJ previous = SelectObject(dc, object);
    if (!previous || previous == HGDI_ERROR) return false;
    if (!holder.dc) {
        holder.dc = dc;
        holder.remembered = previous;
    }
    return true;
}

}  // namespace

void holdObject(PenHolder& holder, HDC dc, OwnedObject object) {
    // On failure the new object is dropped (deleted) and the holder stays as it was.
    if (!selectForHolder(holder, dc, object.get())) return;
    // The object made before is no longer selected: delete it and keep the new one.
    holder.made = std::move(object);
}

void holdStockObject(PenHolder& holder, HDC dc, HGDIOBJ stock) {
    if (!selectForHolder(holder, dc, stock)) return;
    holder.made.reset();
}

void moveHeldObject(PenHolder& holder, HDC dc) {
    if (!holder.made || !dc || holder.dc == dc) return;
    OwnedObject object = std::move(holder.made);
    giveBackRemembered(holder);
    holdObject(holder, dc, std::move(object));
}

void releaseHolder(PenHolder& holder) {
    giveBackRemembered(holder);
    holder.made.reset();
}

void makeFont(TextFont& font, HDC dc, int16_t height, int16_t width, int16_t escapement, bool italic,
              int16_t weight, TextRef face) {
    /*
     * The same font asked again on the same DC (every digit of a grid, every
     * cell's notes) keeps the one already selected: only the text offset is
     * set again, as a new font would set it. Making and deleting a font per
     * digit was most of the cost of a paint.
     */
    const TextFontState& was = font.state;
    const bool same = font.holder.made && font.holder.dc == dc && was.height == height && was.width == width &&
                      was.escapement == escapement && was.italic == (italic ? 1 : 0) && was.weight == weight &&
                      was.face.equals(face) && was.face.length() == static_cast<int>(face.v.size());
    setFontShape(font.state, height, width, escapement, italic, weight, face);
    if (same) return;
    std::wstring wideFace = wideText(face);
    if (wideFace.size() > LF_FACESIZE - 1) wideFace.resize(LF_FACESIZE - 1);
    HFONT made = CreateFontW(height, width, escapement, escapement, weight, italic ? TRUE : FALSE, FALSE, FALSE,
                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, wideFace.c_str());
    holdObject(font.holder, dc, asObject(OwnedFont(made)));
}

void releaseFont(TextFont& font) {
    releaseHolder(font.holder);
}

void releaseSurfaceObjects() {
    releaseHolder(currentPen);
    releaseHolder(currentBrush);
    releaseFont(currentFont);
}
