// The drawing surface's GDI primitives: binding, pens, brushes, shapes and texts relative to the reference point.
#include "render/draw_surface_win.h"

#include <vector>

#include "base/wide_text_win.h"
#include "render/gdi_win.h"

namespace {

int16_t deviceCap(HDC dc, int index) {
    if (!dc) return 0;
    int v = GetDeviceCaps(dc, index);
    if (v > 32767) v = 32767;
    if (v < 0) v = 0;
    return static_cast<int16_t>(v);
}

POINT devicePoint(const DrawSurface& s, int x, int y) {
    POINT p;
    p.x = static_cast<int16_t>(deviceX(s, x));
    p.y = static_cast<int16_t>(deviceY(s, y));
    return p;
}

}  // namespace

void bind(DrawSurface& s, HDC dc, TextRef name) {
    bindMeasured(s, dc, deviceCap(dc, HORZRES), deviceCap(dc, VERTRES), deviceCap(dc, LOGPIXELSX),
                 deviceCap(dc, LOGPIXELSY), name);
}

void setPen(DrawSurface& s, int width, uint32_t colour) {
    s.penTemplate.style = BS_SOLID;
    s.penTemplate.colour = colour;
    s.penTemplate.hatch = 0;
    if (!s.objects) return;
    selectSurfaceObject(*s.objects, surfaceDC(s), keptRoundPen(*s.objects, width, colour));
}

void setPenMm(DrawSurface& s, double widthMm, uint32_t colour) {
    setPen(s, mmToPxX(s, widthMm), colour);
}

void setBrush(DrawSurface& s, uint32_t colour) {
    if (!s.objects) return;
    selectSurfaceObject(*s.objects, surfaceDC(s), keptSolidBrush(*s.objects, colour));
}

void setNoBrush(DrawSurface& s) {
    if (!s.objects) return;
    selectSurfaceObject(*s.objects, surfaceDC(s), GetStockObject(HOLLOW_BRUSH));
}

void line(DrawSurface& s, int x1, int y1, int x2, int y2) {
    HDC dc = surfaceDC(s);
    if (!dc) return;
    POINT a = devicePoint(s, x1, y1);
    POINT b = devicePoint(s, x2, y2);
    MoveToEx(dc, a.x, a.y, nullptr);
    LineTo(dc, b.x, b.y);
}

void polygon(DrawSurface& s, int dx, int dy, const PixelPoint* points, int count) {
    HDC dc = surfaceDC(s);
    if (!dc || !points || count < 2) return;
    std::vector<POINT> device(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) device[i] = devicePoint(s, points[i].x + dx, points[i].y + dy);
    Polygon(dc, device.data(), count);
}

void ellipse(DrawSurface& s, int cx, int cy, int rx, int ry) {
    HDC dc = surfaceDC(s);
    if (!dc) return;
    POINT topLeft = devicePoint(s, cx - rx, cy + ry);
    POINT bottomRight = devicePoint(s, cx + rx, cy - ry);
    Ellipse(dc, topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
}

void circle(DrawSurface& s, int cx, int cy, int r) {
    ellipse(s, cx, cy, r, r);
}

void rectangle(DrawSurface& s, int x, int y, double angle, int w, int h) {
    const int16_t hw = static_cast<int16_t>(w / 2), hh = static_cast<int16_t>(h / 2);
    const int16_t corners[4][2] = {{static_cast<int16_t>(-hw), static_cast<int16_t>(-hh)},
                                   {hw, static_cast<int16_t>(-hh)},
                                   {hw, hh},
                                   {static_cast<int16_t>(-hw), hh}};
    PixelPoint points[5];
    for (int i = 0; i < 4; ++i) {
        int16_t px = corners[i][0], py = corners[i][1];
        rotatePoint(angle, px, py);
        points[i].x = px;
        points[i].y = py;
    }
    points[4] = points[0];
    polygon(s, x, y, points, 5);
}

void hexagon(DrawSurface& s, int x, int y, int16_t angle, int16_t radius) {
    HexMetric metric;
    setMetricSize(metric, radius);
    setMetricAngle(metric, angle);
    ensureMetric(metric);
    PixelPoint points[7];
    for (int i = 0; i < 6; ++i) {
        points[i].x = metric.dx[i];
        points[i].y = metric.dy[i];
    }
    points[6] = points[0];
    polygon(s, x, y, points, 7);
}

void makeFont(DrawSurface& s, int16_t height, int16_t width, int16_t escapement, bool italic, int16_t weight,
              TextRef face) {
    if (!s.objects) return;
    SurfaceObjects& o = *s.objects;
    setFontShape(o.text, height, width, escapement, italic, weight, face);
    HDC dc = surfaceDC(s);
    if (dc) selectSurfaceObject(o, dc, keptFont(o, height, width, escapement, italic, weight, face));
}

namespace {

// The text state of a surface without drawing objects: written with defaults, never kept.
TextFontState& textState(DrawSurface& s, TextFontState& fallback) {
    return s.objects ? s.objects->text : fallback;
}

}  // namespace

void setTextColour(DrawSurface& s, uint32_t colour) {
    if (s.objects) s.objects->text.textColour = colour;
}

void setTextBackground(DrawSurface& s, uint32_t colour) {
    if (s.objects) s.objects->text.backgroundColour = colour;
}

void setTextOpaque(DrawSurface& s, bool opaque) {
    if (s.objects) s.objects->text.opaque = opaque ? 1 : 0;
}

void setTextCentred(DrawSurface& s, bool centred) {
    if (s.objects) s.objects->text.centred = centred ? 1 : 0;
}

void setTextOffset(DrawSurface& s, int16_t x, int16_t y) {
    if (!s.objects) return;
    s.objects->text.offset.x = x;
    s.objects->text.offset.y = y;
}

void textAt(DrawSurface& s, int x, int y, TextRef text, bool centred) {
    HDC dc = surfaceDC(s);
    if (!dc) return;
    TextFontState fallback;
    TextFontState& f = textState(s, fallback);
    f.centred = centred ? 1 : 0;
    // The font was selected into another DC: a surface switched to this one takes it along.
    if (s.objects && s.objects->dc != dc) {
        SurfaceObjects& o = *s.objects;
        if (f.height != 0 || !f.face.isEmpty())
            selectSurfaceObject(o, dc, keptFont(o, f.height, f.width, f.escapement, f.italic != 0, f.weight, f.face));
    }
    if (f.opaque) {
        SetBkMode(dc, OPAQUE);
        SetBkColor(dc, f.backgroundColour);
    } else {
        SetBkMode(dc, TRANSPARENT);
    }
    SetTextAlign(dc, (f.centred ? TA_CENTER : TA_LEFT) | TA_TOP | TA_NOUPDATECP);
    SetTextColor(dc, f.textColour);
    TextPoint p = textWritePoint(f, deviceX(s, x), deviceY(s, y));
    std::wstring wide = wideText(text);
    TextOutW(dc, p.x, p.y, wide.c_str(), static_cast<int>(wide.size()));
}

void textAtMm(DrawSurface& s, double xMm, double yMm, TextRef text, bool centred) {
    textAt(s, mmToPxX(s, xMm), mmToPxY(s, yMm), text, centred);
}

void releaseSurfaceObjects(DrawSurface& s) {
    if (s.objects) releaseSurfaceObjects(*s.objects);
}

void markRegistered(DrawSurface& s, int x, int y, double sizeMm) {
    const int16_t height = mmToPxX(s, 2 * sizeMm);
    makeFont(s, height, static_cast<int16_t>(height / 3), 0, false, FW_NORMAL, "Times New Roman");
    textAt(s, x, y, "\xAE", true);
}
