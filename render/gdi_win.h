// Move-only holders of GDI objects, DC selections and memory DCs, with a count of the objects alive.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "render/text_font.h"

/*
 * Every GDI object and memory DC the program makes goes through these holders,
 * and each creation and deletion moves one process-wide counter. A leak check
 * compares gdiLiveObjects() before and after a run of actions (Wine's
 * GetGuiResources always answers 0, so the program keeps its own count).
 *
 * A deletion counts only when GDI accepts it, so an object that could not be
 * deleted (still selected somewhere) shows as alive.
 */
long gdiLiveObjects();
// How many objects and memory DCs were made since the program began (the paint benchmark counts a paint's).
long gdiCreatedObjects();
// The counting creation and deletion: a handle that is null is not counted.
void countGdiCreated(HGDIOBJ object);
void deleteCountedObject(HGDIOBJ object);

/*
 * An owned GDI object (pen, brush, font, bitmap, region): adopts a handle the
 * program made, deletes it when it ends or is replaced. Move-only.
 */
template <class Handle>
class GdiOwned {
public:
    GdiOwned() = default;
    // Takes ownership of a freshly made handle (counted; a null handle gives an empty holder).
    explicit GdiOwned(Handle h) : handle_(h) { countGdiCreated(reinterpret_cast<HGDIOBJ>(h)); }
    GdiOwned(const GdiOwned&) = delete;
    GdiOwned& operator=(const GdiOwned&) = delete;
    GdiOwned(GdiOwned&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
    GdiOwned& operator=(GdiOwned&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = other.handle_;
            other.handle_ = nullptr;
        }
        return *this;
    }
    ~GdiOwned() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    // Gives the handle up without deleting it: the caller takes over its deletion (and its count).
    Handle detach() {
        Handle h = handle_;
        handle_ = nullptr;
        return h;
    }
    // A holder for a handle that is already counted (one that was detached).
    static GdiOwned adoptCounted(Handle h) {
        GdiOwned o;
        o.handle_ = h;
        return o;
    }
    // Deletes the held object now.
    void reset() {
        if (handle_) deleteCountedObject(reinterpret_cast<HGDIOBJ>(handle_));
        handle_ = nullptr;
    }

private:
    Handle handle_ = nullptr;
};

using OwnedPen = GdiOwned<HPEN>;
using OwnedBrush = GdiOwned<HBRUSH>;
using OwnedFont = GdiOwned<HFONT>;
using OwnedBitmap = GdiOwned<HBITMAP>;
using OwnedRegion = GdiOwned<HRGN>;
using OwnedObject = GdiOwned<HGDIOBJ>;

// The same object held as a plain GDI object (ownership and count move along).
template <class Handle>
OwnedObject asObject(GdiOwned<Handle>&& owned) {
    return OwnedObject::adoptCounted(reinterpret_cast<HGDIOBJ>(owned.detach()));
}

// Makers that adopt at once (null results give empty holders).
OwnedPen makeSolidPen(int width, COLORREF colour);
// A geometric solid pen with round ends and joins.
OwnedPen makeRoundPen(int width, COLORREF colour);
OwnedBrush makeSolidBrush(COLORREF colour);
// A bitmap compatible with dc of width x height (zero sizes give 1 x 1, so a selection never fails on them).
OwnedBitmap makeCompatibleBitmap(HDC dc, int width, int height);
// A monochrome bitmap of width x height (a mask; zero sizes give 1 x 1).
OwnedBitmap makeMaskBitmap(int width, int height);
OwnedRegion makeRectRegion(int left, int top, int right, int bottom);
OwnedRegion makePolygonRegion(const POINT* points, int count, int fillMode);

/*
 * An object selected into a DC for the life of the holder: the previously
 * selected object goes back when it ends. Declare it AFTER the owned object it
 * selects, so that the selection ends (and the object is free) before the
 * object is deleted. Move-only; a null DC or object selects nothing.
 */
class GdiSelection {
public:
    GdiSelection() = default;
    GdiSelection(HDC dc, HGDIOBJ object);
    GdiSelection(const GdiSelection&) = delete;
    GdiSelection& operator=(const GdiSelection&) = delete;
    GdiSelection(GdiSelection&& other) noexcept;
    GdiSelection& operator=(GdiSelection&& other) noexcept;
    ~GdiSelection() { restore(); }
    // Puts the previous object back now.
    void restore();
    HDC dc() const { return dc_; }

private:
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
};

// A memory DC (CreateCompatibleDC), deleted with DeleteDC. Counted like the objects. Move-only.
class MemoryDC {
public:
    MemoryDC() = default;
    // Compatible with reference (null: with the screen).
    explicit MemoryDC(HDC reference);
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    MemoryDC(MemoryDC&& other) noexcept : dc_(other.dc_) { other.dc_ = nullptr; }
    MemoryDC& operator=(MemoryDC&& other) noexcept;
    ~MemoryDC() { reset(); }
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }
    void reset();

private:
    HDC dc_ = nullptr;
};

/*
 * What a drawing surface selects into its DC. Pens, brushes and fonts are made
 * the first time they are asked for and kept: a paint asks again and again for
 * the few colours of the palette and the two or three fonts of the current
 * scale, so after the first paint of a layout it makes nothing. The owner drops
 * them when the layout changes (another scale asks for other widths and fonts)
 * and when it ends.
 *
 * Selection rules: the first object selected into a DC remembers what the DC
 * held in that slot; releaseSurfaceObjects() puts those back, so the DC may be
 * deleted and the kept objects stay deletable. Moving to another DC releases
 * the first DC. A kept object is therefore never deleted while selected.
 */
struct KeptPen {
    int width = 0;
    COLORREF colour = 0;
    OwnedPen pen;
};

struct KeptBrush {
    COLORREF colour = 0;
    OwnedBrush brush;
};

struct KeptFont {
    TextFontState shape;  // height, width, escapement, italic, weight and face (colours unused)
    OwnedFont font;
};

struct SurfaceObjects {
    std::vector<KeptPen> pens;
    std::vector<KeptBrush> brushes;
    std::vector<KeptFont> fonts;
    HDC dc = nullptr;  // where our objects are selected, null when none is
    HGDIOBJ firstPen = nullptr;
    HGDIOBJ firstBrush = nullptr;
    HGDIOBJ firstFont = nullptr;
    HGDIOBJ selectedPen = nullptr;  // what our selections put in dc, so that asking again selects nothing
    HGDIOBJ selectedBrush = nullptr;
    HGDIOBJ selectedFont = nullptr;
    TextFontState text;            // the current font's shape and offset and how texts are written
    long made = 0;                 // objects made since the surface objects began (the paint benchmark reads it)
};

// The kept round pen, solid brush or font of that description, made on first use (null if GDI refuses).
HPEN keptRoundPen(SurfaceObjects& objects, int width, COLORREF colour);
HBRUSH keptSolidBrush(SurfaceObjects& objects, COLORREF colour);
HFONT keptFont(SurfaceObjects& objects, int16_t height, int16_t width, int16_t escapement, bool italic,
               int16_t weight, TextRef face);
// Selects a pen, brush or font (a kept or a stock object) into dc under the rules above.
void selectSurfaceObject(SurfaceObjects& objects, HDC dc, HGDIOBJ object);
// The DC gets back what it held before; the kept objects stay.
void releaseSurfaceObjects(SurfaceObjects& objects);
// Released, then every kept object deleted.
void dropSurfaceObjects(SurfaceObjects& objects);
// How many objects are kept (alive and counted by gdiLiveObjects()).
long keptObjectCount(const SurfaceObjects& objects);

/*
 * A system stock font (SYSTEM_FONT, DEFAULT_GUI_FONT, ...) made anew with
 * another height, its face and style kept; an empty holder when the stock
 * font has that height already (use it itself) or GDI refuses.
 */
OwnedFont stockFontWithHeight(int stockObject, int height);
// The default GUI font (8 points) at a display scale: empty where the stock one is that size, as at 96 dpi.
OwnedFont guiFontAt(int16_t dpi);
