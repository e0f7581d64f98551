// The drawing surface: a device context with its resolution, mm/pixel conversions and a movable reference point.
#pragma once

#include <cstdint>

#include "base/text.h"

/*
 * Coordinates handed to the relative primitives are offsets from the reference
 * point (refX, refY) with x to the right and y UPWARD: a point (x, y) lands on
 * device pixel (refX + x, refY - y). The millimetre origin (originX, originY) is
 * where moveToMm(0, 0) puts the reference point.
 *
 * The surface never owns its device context (`dc`, kept as an opaque pointer so
 * that this header stays portable) nor the drawing objects it selects there
 * (`objects`): the paint code binds it to the paint DC or a memory DC, draws,
 * and binds it back. Everything here is arithmetic and is
 * tested natively; the GDI primitives live in the Windows-only half.
 *
 * Positions are 16-bit signed device units; values past +-32767 wrap, as GDI's
 * own 16-bit coordinates would.
 */

// The brush description a geometric pen is made from.
struct PenTemplate {
    uint32_t style = 0;  // 0 = solid
    uint32_t colour = 0;
    uint32_t hatch = 0;
};

// The pens, brushes and fonts a surface selects (Windows-only: render/gdi_win.h).
struct SurfaceObjects;

struct DrawSurface {
    void* dc = nullptr;
    SurfaceObjects* objects = nullptr;  // not owned; null draws lines and texts with whatever the DC holds
    float zoom = 1.0f;
    TextString deviceName;
    PenTemplate penTemplate;
    TextString positionStack;  // "x,y," pairs, the newest first
    int16_t dpiX = 300;
    int16_t dpiY = 300;
    int16_t originX = 0;
    int16_t originY = 0;
    int16_t refX = 0;
    int16_t refY = 0;
    uint8_t isNamedDevice = 0;
    uint8_t isPdfDevice = 0;
    int16_t pageWidthPx = 0;
    int16_t pageHeightPx = 0;
    int16_t pageWidthMm = 0;
    int16_t pageHeightMm = 0;
    int16_t printWidthPx = 0;
    int16_t printHeightPx = 0;
    int16_t printWidthMm = 0;
    int16_t printHeightMm = 0;
    int16_t mapWidthPx = 0;
    int16_t mapHeightPx = 0;
    int16_t mapWidthMm = 0;
    int16_t mapHeightMm = 0;
};

// The name under which the window's drawing surface is bound.
constexpr const char* kDrawingDeviceName = "ornel-trace";

// --- life cycle ---
void construct(DrawSurface& s);
void reset(DrawSurface& s);
void destroy(DrawSurface& s);
/*
 * What bind does once the device has been measured (the Windows half reads the
 * size and resolution from the DC): stores the DC, the resolution, the page and
 * draw area, centres the origin, recomputes and names the device.
 */
void bindMeasured(DrawSurface& s, void* dc, int16_t widthPx, int16_t heightPx, int16_t dpiX, int16_t dpiY,
                  TextRef name);
void setDC(DrawSurface& s, void* dc);
void* getDC(const DrawSurface& s);

// --- resolution and sizes ---
void setResolution(DrawSurface& s, int16_t dpiX, int16_t dpiY);
void setPageSizePx(DrawSurface& s, int16_t width, int16_t height);
// Both the print area and the map area.
void setDrawAreaPx(DrawSurface& s, int16_t width, int16_t height);
// Sets isNamedDevice; a name holding "pdfcreator" in any letter case makes a PDF device (origin y from the bottom).
void setDeviceName(DrawSurface& s, TextRef name);
void setZoom(DrawSurface& s, float zoom);
float getZoom(const DrawSurface& s);
// Areas clamped to the page; millimetre fields from the pixel fields. Nothing while a resolution is 0 or less.
void recompute(DrawSurface& s);
void centreOrigin(DrawSurface& s);

// --- conversions ---
/*
 * Truncation toward zero to 16 bits, after snapping a value within 1e-9 of a
 * whole number onto it: 60 px at 254 dpi is 6 mm whether the platform computes
 * 60 x 25.4 / 254 as 6.000...01 or as 5.999...99 (x87 extended precision).
 */
int16_t wholeUnits(double v);
int16_t mmToPxX(const DrawSurface& s, double mm);
int16_t mmToPxY(const DrawSurface& s, double mm);
double pxToMmX(const DrawSurface& s, double px);
double pxToMmY(const DrawSurface& s, double px);
// A device position in whole millimetres from the origin (y upward).
int16_t deviceXToMm(const DrawSurface& s, int x);
int16_t deviceYToMm(const DrawSurface& s, int y);

// --- reference point ---
void setOrigin(DrawSurface& s, int16_t x, int16_t y);
void moveToMm(DrawSurface& s, double x, double y);
void pushPosition(DrawSurface& s);
// Back to the last pushed reference point; an empty stack leaves the reference point as it is.
void popPosition(DrawSurface& s);
// Device pixel of a point given relative to the reference point (y upward).
inline int deviceX(const DrawSurface& s, int x) { return s.refX + x; }
inline int deviceY(const DrawSurface& s, int y) { return s.refY - y; }

// A point turned by angle degrees (the angle plus 0.25 rounded down, wrapped to 0..359); quarter turns are exact.
void rotatePoint(double angle, int16_t& x, int16_t& y);
