// The game's own mouse cursors as 32 x 32 monochrome AND/XOR bit planes, drawn by code, with their hot spots.
#include "app/cursors.h"

#include "render/display_scale.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

/*
 * Every shape is drawn the same way so that it reads on any background: a
 * white body with a one-pixel black rim (the cross, the arrow, the star, the
 * burst), or black strokes with a one-pixel white halo (the digits and the
 * hexagon outline).
 */
struct Canvas {
    CursorPixel px[kCursorSize][kCursorSize];  // [y][x]

    Canvas() {
        for (auto& row : px)
            for (auto& p : row) p = CursorPixel::Transparent;
    }
    bool inside(int x, int y) const { return x >= 0 && x < kCursorSize && y >= 0 && y < kCursorSize; }
    CursorPixel get(int x, int y) const { return inside(x, y) ? px[y][x] : CursorPixel::Transparent; }
    void set(int x, int y, CursorPixel p) {
        if (inside(x, y)) px[y][x] = p;
    }
};

struct Mask {
    bool on[kCursorSize][kCursorSize] = {};
    bool get(int x, int y) const {
        return x >= 0 && x < kCursorSize && y >= 0 && y < kCursorSize && on[y][x];
    }
};

bool touches(const Mask& m, int x, int y) {
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if ((dx != 0 || dy != 0) && m.get(x + dx, y + dy)) return true;
    return false;
}

// The mask's pixels in `body`, and every free pixel around them in `rim`.
void paintWithRim(Canvas& c, const Mask& m, CursorPixel body, CursorPixel rim) {
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x)
            if (m.on[y][x]) c.set(x, y, body);
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x)
            if (!m.on[y][x] && c.get(x, y) == CursorPixel::Transparent && touches(m, x, y)) c.set(x, y, rim);
}

struct Vec {
    double x, y;
};

// Even-odd rule on a closed polygon.
bool inPolygon(const std::vector<Vec>& poly, double x, double y) {
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Vec& a = poly[i];
        const Vec& b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
}

const double kPi = 3.14159265358979323846;

// A regular polygon around (cx, cy); angles in degrees, y downward, 0 degrees pointing right.
std::vector<Vec> regularPolygon(double cx, double cy, double radius, int corners, double firstAngle) {
    std::vector<Vec> poly;
    for (int k = 0; k < corners; ++k) {
        double a = (firstAngle + 360.0 * k / corners) * kPi / 180.0;
        poly.push_back({cx + radius * std::cos(a), cy - radius * std::sin(a)});
    }
    return poly;
}

// Pixels whose centre lies inside any of the polygons.
Mask maskOfPolygons(const std::vector<std::vector<Vec>>& polys) {
    Mask m;
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x)
            for (const auto& p : polys)
                if (inPolygon(p, x + 0.5, y + 0.5)) m.on[y][x] = true;
    return m;
}

void drawCross(Canvas& c) {
    Mask m;
    for (int y = 4; y <= 28; ++y)
        for (int x = 4; x <= 28; ++x)
            if (std::abs(x - y) <= 1 || std::abs(x + y - 32) <= 1) m.on[y][x] = true;
    paintWithRim(c, m, CursorPixel::White, CursorPixel::Black);
}

/*
 * The usual pointer arrow, its tip at (1, 1): 'B' black, 'W' white, anything
 * else transparent.
 */
const char* const kArrowRows[] = {
    "B",
    "BB",
    "BWB",
    "BWWB",
    "BWWWB",
    "BWWWWB",
    "BWWWWWB",
    "BWWWWWWB",
    "BWWWWWWWB",
    "BWWWWWWWWB",
    "BWWWWWWWWWB",
    "BWWWWWWBBBBB",
    "BWWWBWWB",
    "BWWB BWWB",
    "BWB  BWWB",
    "BB    BWWB",
    "B     BWWB",
    "       BWWB",
    "       BWWB",
    "        BB",
};

void drawArrow(Canvas& c) {
    int y = 1;
    for (const char* row : kArrowRows) {
        for (int x = 0; row[x] != '\0'; ++x) {
            if (row[x] == 'B') c.set(1 + x, y, CursorPixel::Black);
            if (row[x] == 'W') c.set(1 + x, y, CursorPixel::White);
        }
        ++y;
    }
}

/*
 * A 5 x 7 font of the digits 1..6, one byte per row, the leftmost column in
 * bit 4. The digits are drawn at twice that size.
 */
const uint8_t kDigitFont[6][7] = {
    {0x04, 0x0C, 0x04, 0x04, 0x04, 0x04, 0x0E},  // 1
    {0x0E, 0x11, 0x01, 0x02, 0x04, 0x08, 0x1F},  // 2
    {0x1E, 0x01, 0x01, 0x0E, 0x01, 0x01, 0x1E},  // 3
    {0x02, 0x06, 0x0A, 0x12, 0x1F, 0x02, 0x02},  // 4
    {0x1F, 0x10, 0x1E, 0x01, 0x01, 0x11, 0x0E},  // 5
    {0x06, 0x08, 0x10, 0x1E, 0x11, 0x11, 0x0E},  // 6
};
constexpr int kDigitLeft = 17;
constexpr int kDigitTop = 12;
constexpr int kDigitScale = 2;

void drawDigit(Canvas& c, int digit) {
    Mask m;
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < 5; ++col) {
            if (!(kDigitFont[digit - 1][row] & (0x10 >> col))) continue;
            for (int sy = 0; sy < kDigitScale; ++sy)
                for (int sx = 0; sx < kDigitScale; ++sx)
                    m.on[kDigitTop + row * kDigitScale + sy][kDigitLeft + col * kDigitScale + sx] = true;
        }
    paintWithRim(c, m, CursorPixel::Black, CursorPixel::White);
}

void drawHexagonStar(Canvas& c) {
    const double cx = 16.5, cy = 16.5;
    // The star first, so that the hexagon's halo does not cover its rim.
    Mask star = maskOfPolygons({regularPolygon(cx, cy, 9.5, 3, 90), regularPolygon(cx, cy, 9.5, 3, 270)});
    paintWithRim(c, star, CursorPixel::White, CursorPixel::Black);
    Mask outer = maskOfPolygons({regularPolygon(cx, cy, 14.5, 6, 0)});
    Mask inner = maskOfPolygons({regularPolygon(cx, cy, 12.5, 6, 0)});
    Mask ring;
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) ring.on[y][x] = outer.on[y][x] && !inner.on[y][x];
    paintWithRim(c, ring, CursorPixel::Black, CursorPixel::White);
}

/*
 * A star of spikes of alternating length, with a black dot on the hot spot,
 * which lies in the lower part of the body: the burst rises from the point
 * that was clicked.
 */
void drawBurst(Canvas& c) {
    const double cx = 15.5, cy = 16.0;
    const int spikes = 10;
    std::vector<Vec> poly;
    for (int k = 0; k < 2 * spikes; ++k) {
        double a = (90.0 + 180.0 * k / spikes) * kPi / 180.0;
        double r = (k % 2 != 0) ? 5.0 : ((k / 2) % 2 == 0 ? 14.5 : 10.5);
        poly.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
    }
    paintWithRim(c, maskOfPolygons({poly}), CursorPixel::White, CursorPixel::Black);
    for (int dy = -1; dy <= 0; ++dy)
        for (int dx = -1; dx <= 0; ++dx) c.set(16 + dx, 23 + dy, CursorPixel::Black);
}

void toPlanes(const Canvas& c, CursorPlanes& planes) {
    std::memset(planes.andPlane, 0, sizeof planes.andPlane);
    std::memset(planes.xorPlane, 0, sizeof planes.xorPlane);
    for (int y = 0; y < kCursorSize; ++y)
        for (int x = 0; x < kCursorSize; ++x) {
            const int byte = y * (kCursorSize / 8) + x / 8;
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            switch (c.px[y][x]) {
            case CursorPixel::Transparent: planes.andPlane[byte] |= bit; break;
            case CursorPixel::White: planes.xorPlane[byte] |= bit; break;
            case CursorPixel::Inverted:
                planes.andPlane[byte] |= bit;
                planes.xorPlane[byte] |= bit;
                break;
            case CursorPixel::Black: break;
            }
        }
}

}  // namespace

bool isDrawnCursor(int16_t number) {
    return (number >= 0 && number <= 6) || number == 9 || number == 10;
}

bool buildCursorPlanes(int16_t number, CursorPlanes& planes) {
    Canvas c;
    planes.hotX = 0;
    planes.hotY = 0;
    if (number == 0) {
        drawCross(c);
        planes.hotX = 16;
        planes.hotY = 16;
    } else if (number >= 1 && number <= 6) {
        drawArrow(c);
        drawDigit(c, number);
        planes.hotX = 1;
        planes.hotY = 1;
    } else if (number == 9) {
        drawHexagonStar(c);
        planes.hotX = 16;
        planes.hotY = 16;
    } else if (number == 10) {
        drawBurst(c);
        planes.hotX = 15;
        planes.hotY = 22;
    }
    toPlanes(c, planes);
    return isDrawnCursor(number);
}

CursorPixel cursorPixel(const CursorPlanes& planes, int x, int y) {
    if (x < 0 || x >= kCursorSize || y < 0 || y >= kCursorSize) return CursorPixel::Transparent;
    const int byte = y * (kCursorSize / 8) + x / 8;
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
    const bool a = planes.andPlane[byte] & bit;
    const bool x1 = planes.xorPlane[byte] & bit;
    if (a) return x1 ? CursorPixel::Inverted : CursorPixel::Transparent;
    return x1 ? CursorPixel::White : CursorPixel::Black;
}

namespace {

// The middle one of the pixels that pixel h (0..31) becomes in a cursor of `size` (each takes the pixel it falls in).
int16_t grownPixelCentre(int h, int size) {
    const int first = (h * size + kCursorSize - 1) / kCursorSize;
    const int last = ((h + 1) * size + kCursorSize - 1) / kCursorSize - 1;
    return static_cast<int16_t>(std::clamp((first + last) / 2, 0, size - 1));
}

}  // namespace

ScaledCursor scaleCursor(const CursorPlanes& planes, int16_t dpi) {
    ScaledCursor out;
    const int size = std::max<int>(kCursorSize, scaledPx(kCursorSize, dpi));
    out.size = static_cast<int16_t>(size);
    out.rowBytes = static_cast<int16_t>((size + 15) / 16 * 2);
    const size_t bytes = static_cast<size_t>(out.rowBytes) * static_cast<size_t>(size);
    // Padding and anything outside the picture is transparent: AND 1, XOR 0.
    out.andPlane.assign(bytes, 0xFF);
    out.xorPlane.assign(bytes, 0x00);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const CursorPixel p = cursorPixel(planes, x * kCursorSize / size, y * kCursorSize / size);
            const size_t byte = static_cast<size_t>(y) * static_cast<size_t>(out.rowBytes) + static_cast<size_t>(x / 8);
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (p == CursorPixel::Black || p == CursorPixel::White) out.andPlane[byte] &= static_cast<uint8_t>(~bit);
            if (p == CursorPixel::White || p == CursorPixel::Inverted) out.xorPlane[byte] |= bit;
        }
    out.hotX = grownPixelCentre(planes.hotX, size);
    out.hotY = grownPixelCentre(planes.hotY, size);
    return out;
}
