// The drawing surface's GDI half: binding to a DC, pens, brushes, fonts and the relative drawing primitives.
#pragma once

#include <windows.h>

#include <cstdint>

#include "base/text.h"
#include "puzzle/lattice.h"
#include "render/draw_surface.h"

/*
 * Every primitive takes coordinates relative to the surface's reference point,
 * y upward (see draw_surface.h). Pens, brushes and fonts are the surface's kept
 * objects (render/gdi_win.h), selected into the surface's DC; a surface without
 * objects draws with what its DC holds.
 * GDI results are not checked: a surface without a DC, or empty sizes, draw
 * nothing and never fail.
 */

inline HDC surfaceDC(const DrawSurface& s) { return static_cast<HDC>(s.dc); }

// Measures the DC (pixels and pixels per inch) and binds the surface to it under a device name.
void bind(DrawSurface& s, HDC dc, TextRef name);

// --- pens and brushes ---
// A geometric solid pen with round ends and joins (width below 1 taken as 1).
void setPen(DrawSurface& s, int width, uint32_t colour);
void setPenMm(DrawSurface& s, double widthMm, uint32_t colour);
void setBrush(DrawSurface& s, uint32_t colour);
// The stock hollow brush.
void setNoBrush(DrawSurface& s);

// --- primitives ---
void line(DrawSurface& s, int x1, int y1, int x2, int y2);
// Closed polygon of count points, each shifted by (dx, dy); fewer than two points draw nothing.
void polygon(DrawSurface& s, int dx, int dy, const PixelPoint* points, int count);
void ellipse(DrawSurface& s, int cx, int cy, int rx, int ry);
void circle(DrawSurface& s, int cx, int cy, int r);
// A w x h rectangle centred on (x, y), turned by angle degrees.
void rectangle(DrawSurface& s, int x, int y, double angle, int w, int h);
// A regular hexagon whose corners lie at radius from (x, y), the first corner at angle degrees.
void hexagon(DrawSurface& s, int x, int y, int16_t angle, int16_t radius);

// --- text ---
// A font made on the current font holder; its offset follows the text offset rules.
void makeFont(DrawSurface& s, int16_t height, int16_t width, int16_t escapement, bool italic, int16_t weight,
              TextRef face);
void setTextColour(DrawSurface& s, uint32_t colour);
void setTextBackground(DrawSurface& s, uint32_t colour);
void setTextOpaque(DrawSurface& s, bool opaque);
void setTextCentred(DrawSurface& s, bool centred);
// Replaces the current font's offset (0, 0 writes the text with its top on the point).
void setTextOffset(DrawSurface& s, int16_t x, int16_t y);
// The text through the current font: centred on (x, y) both ways when centred, else from its left.
void textAt(DrawSurface& s, int x, int y, TextRef text, bool centred);
void textAtMm(DrawSurface& s, double xMm, double yMm, TextRef text, bool centred);
// The surface's DC gets back the objects it held before (run before that DC is deleted or handed back).
void releaseSurfaceObjects(DrawSurface& s);
// The registered sign in Times New Roman, 2 x sizeMm high, centred on (x, y).
void markRegistered(DrawSurface& s, int x, int y, double sizeMm);
