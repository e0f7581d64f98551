// The drawing surface's arithmetic: sizes, resolution, conversions, origin, reference point and rotation.
#include "render/draw_surface.h"

#include <cmath>
#include <numbers>

namespace {

const double kMmPerInch = 25.4;

// Truncation toward zero, then the 16-bit wrap of device units.
int16_t wrap16(double v) {
    return wholeUnits(v);
}

int16_t pxToMmField(int16_t px, int16_t dpi) {
    return wrap16(px * kMmPerInch / dpi);
}

// One integer (optional minus sign) taken off the front of the text, with the comma after it.
bool takeStackNumber(std::string& text, int16_t& value) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && text[i] == '-') {
        negative = true;
        ++i;
    }
    size_t digitsStart = i;
    long n = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        n = n * 10 + (text[i] - '0');
        if (n > 100000) n = 100000;
        ++i;
    }
    if (i == digitsStart) return false;
    if (i < text.size() && text[i] == ',') ++i;
    text.erase(0, i);
    value = static_cast<int16_t>(negative ? -n : n);
    return true;
}

}  // namespace

int16_t wholeUnits(double v) {
    if (!std::isfinite(v)) return 0;
    const double nearest = std::round(v);
    if (std::fabs(v - nearest) < 1e-9) v = nearest;
    long long t = static_cast<long long>(std::trunc(std::fmod(v, 65536.0)));
    return static_cast<int16_t>(static_cast<uint16_t>(t & 0xFFFF));
}

void construct(DrawSurface& s) {
    s = DrawSurface();
    reset(s);
}

void reset(DrawSurface& s) {
    s.dc = nullptr;
    s.originX = s.originY = 0;
    s.refX = s.refY = 0;
    s.dpiX = s.dpiY = 300;
    s.pageWidthPx = s.pageHeightPx = s.pageWidthMm = s.pageHeightMm = 0;
    s.printWidthPx = s.printHeightPx = s.printWidthMm = s.printHeightMm = 0;
    s.mapWidthPx = s.mapHeightPx = s.mapWidthMm = s.mapHeightMm = 0;
    s.zoom = 1.0f;
    s.isNamedDevice = 0;
    s.isPdfDevice = 0;
    s.deviceName.clear();
}

void destroy(DrawSurface& s) {
    reset(s);
    s.deviceName = TextString();
    s.positionStack = TextString();
}

void bindMeasured(DrawSurface& s, void* dc, int16_t widthPx, int16_t heightPx, int16_t dpiX, int16_t dpiY,
                  TextRef name) {
    s.dc = dc;
    s.dpiX = dpiX;
    s.dpiY = dpiY;
    s.pageWidthPx = widthPx;
    s.pageHeightPx = heightPx;
    s.printWidthPx = s.mapWidthPx = widthPx;
    s.printHeightPx = s.mapHeightPx = heightPx;
    centreOrigin(s);
    recompute(s);
    setDeviceName(s, name);
}

void setDC(DrawSurface& s, void* dc) {
    s.dc = dc;
}

void* getDC(const DrawSurface& s) {
    return s.dc;
}

void setResolution(DrawSurface& s, int16_t dpiX, int16_t dpiY) {
    s.dpiX = dpiX;
    s.dpiY = dpiY;
    recompute(s);
}

void setPageSizePx(DrawSurface& s, int16_t width, int16_t height) {
    s.pageWidthPx = width;
    s.pageHeightPx = height;
    recompute(s);
}

void setDrawAreaPx(DrawSurface& s, int16_t width, int16_t height) {
    s.printWidthPx = s.mapWidthPx = width;
    s.printHeightPx = s.mapHeightPx = height;
    recompute(s);
}

void setDeviceName(DrawSurface& s, TextRef name) {
    s.deviceName.assign(name);
    s.isNamedDevice = 1;
    if (findFolded(name, "pdfcreator") != std::string_view::npos) {
        s.isPdfDevice = 1;
        centreOrigin(s);
    }
}

void setZoom(DrawSurface& s, float zoom) {
    s.zoom = zoom;
}

float getZoom(const DrawSurface& s) {
    return s.zoom;
}

void recompute(DrawSurface& s) {
    if (s.dpiX <= 0 || s.dpiY <= 0) return;
    if (s.printWidthPx > s.pageWidthPx) s.printWidthPx = s.pageWidthPx;
    if (s.printHeightPx > s.pageHeightPx) s.printHeightPx = s.pageHeightPx;
    if (s.mapWidthPx > s.pageWidthPx) s.mapWidthPx = s.pageWidthPx;
    if (s.mapHeightPx > s.pageHeightPx) s.mapHeightPx = s.pageHeightPx;
    s.pageWidthMm = pxToMmField(s.pageWidthPx, s.dpiX);
    s.pageHeightMm = pxToMmField(s.pageHeightPx, s.dpiY);
    s.printWidthMm = pxToMmField(s.printWidthPx, s.dpiX);
    s.printHeightMm = pxToMmField(s.printHeightPx, s.dpiY);
    s.mapWidthMm = pxToMmField(s.mapWidthPx, s.dpiX);
    s.mapHeightMm = pxToMmField(s.mapHeightPx, s.dpiY);
}

void centreOrigin(DrawSurface& s) {
    s.originX = static_cast<int16_t>(s.mapWidthPx / 2);
    if (s.isPdfDevice) {
        s.originY = static_cast<int16_t>(s.pageHeightPx - s.mapHeightPx / 2);
    } else {
        s.originY = static_cast<int16_t>(s.mapHeightPx / 2);
    }
}

int16_t mmToPxX(const DrawSurface& s, double mm) {
    return wrap16(s.dpiX * mm * s.zoom / kMmPerInch);
}

int16_t mmToPxY(const DrawSurface& s, double mm) {
    return wrap16(s.dpiY * mm * s.zoom / kMmPerInch);
}

double pxToMmX(const DrawSurface& s, double px) {
    double d = s.dpiX * static_cast<double>(s.zoom);
    return d == 0 ? 0.0 : px * kMmPerInch / d;
}

double pxToMmY(const DrawSurface& s, double px) {
    double d = s.dpiY * static_cast<double>(s.zoom);
    return d == 0 ? 0.0 : px * kMmPerInch / d;
}

int16_t deviceXToMm(const DrawSurface& s, int x) {
    return wrap16(pxToMmX(s, x - s.originX));
}

int16_t deviceYToMm(const DrawSurface& s, int y) {
    return wrap16(pxToMmY(s, s.originY - y));
}

void setOrigin(DrawSurface& s, int16_t x, int16_t y) {
    s.originX = x;
    s.originY = y;
}

void moveToMm(DrawSurface& s, double x, double y) {
    s.refX = static_cast<int16_t>(mmToPxX(s, x) + s.originX);
    s.refY = static_cast<int16_t>(s.originY - mmToPxY(s, y));
}

void pushPosition(DrawSurface& s) {
    std::string entry = numberText(s.refX) + "," + numberText(s.refY) + ",";
    s.positionStack.s.insert(0, entry);
}

void popPosition(DrawSurface& s) {
    std::string& text = s.positionStack.s;
    int16_t x = 0, y = 0;
    std::string saved = text;
    if (!takeStackNumber(text, x) || !takeStackNumber(text, y)) {
        // A stack that holds no pair (empty, or damaged) leaves the point and drops the damage.
        if (!saved.empty()) text.clear();
        return;
    }
    s.refX = x;
    s.refY = y;
}

void rotatePoint(double angle, int16_t& x, int16_t& y) {
    // Rounded down (not toward zero), so that a negative quarter turn such as -90 is exact too.
    if (!std::isfinite(angle)) angle = 0;
    long a = static_cast<long>(std::floor(std::fmod(angle, 360.0) + 0.25)) % 360;
    if (a < 0) a += 360;
    const int16_t px = x, py = y;
    switch (a) {
    case 0:
        return;
    case 90:
        x = static_cast<int16_t>(-py);
        y = px;
        return;
    case 180:
        x = static_cast<int16_t>(-px);
        y = static_cast<int16_t>(-py);
        return;
    case 270:
        x = py;
        y = static_cast<int16_t>(-px);
        return;
    default:
        break;
    }
    const double r = a * std::numbers::pi / 180.0;
    x = wrap16(px * std::cos(r) - py * std::sin(r));
    y = wrap16(px * std::sin(r) + py * std::cos(r));
}
