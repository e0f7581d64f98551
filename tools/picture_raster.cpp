// A small palettised rasteriser and an 8-bit BMP writer, used to make the rules-page pictures.
#include "tools/picture_raster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

void createImage(RasterImage& img, int16_t width, int16_t height, uint8_t colour, double unit) {
    img.width = std::max<int16_t>(width, 0);
    img.height = std::max<int16_t>(height, 0);
    img.unit = unit > 0 ? unit : 1;
    img.pixels.assign(static_cast<size_t>(img.width) * img.height, colour);
}

uint8_t pixelAt(const RasterImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return 0;
    return img.pixels[static_cast<size_t>(y) * img.width + x];
}

void setPixel(RasterImage& img, int x, int y, uint8_t colour) {
    if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
    img.pixels[static_cast<size_t>(y) * img.width + x] = colour;
}

namespace {

// The even-odd fill of a polygon given in pixels.
void fillPixelPolygon(RasterImage& img, const std::vector<RasterPoint>& points, uint8_t colour) {
    if (points.size() < 3) return;
    double top = points[0].y, bottom = points[0].y;
    for (const RasterPoint& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    int firstRow = std::max(0, static_cast<int>(std::ceil(top - 0.5)));
    int lastRow = std::min(img.height - 1, static_cast<int>(std::floor(bottom - 0.5)));
    std::vector<double> crossings;
    for (int row = firstRow; row <= lastRow; ++row) {
        double y = row + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const RasterPoint& a = points[i];
            const RasterPoint& b = points[(i + 1) % points.size()];
            // Half-open in y, so a vertex shared by two sides counts once.
            if ((a.y <= y && b.y > y) || (b.y <= y && a.y > y))
                crossings.push_back(a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t k = 0; k + 1 < crossings.size(); k += 2) {
            int from = std::max(0, static_cast<int>(std::ceil(crossings[k] - 0.5)));
            int to = std::min(img.width - 1, static_cast<int>(std::ceil(crossings[k + 1] - 0.5)) - 1);
            for (int x = from; x <= to; ++x) img.pixels[static_cast<size_t>(row) * img.width + x] = colour;
        }
    }
}

// A disc given in pixels.
void fillPixelCircle(RasterImage& img, RasterPoint centre, double radius, uint8_t colour) {
    int top = static_cast<int>(std::floor(centre.y - radius));
    int bottom = static_cast<int>(std::ceil(centre.y + radius));
    int left = static_cast<int>(std::floor(centre.x - radius));
    int right = static_cast<int>(std::ceil(centre.x + radius));
    for (int y = top; y <= bottom; ++y)
        for (int x = left; x <= right; ++x) {
            double dx = x + 0.5 - centre.x, dy = y + 0.5 - centre.y;
            if (dx * dx + dy * dy <= radius * radius) setPixel(img, x, y, colour);
        }
}

}  // namespace

void fillPolygon(RasterImage& img, const std::vector<RasterPoint>& points, uint8_t colour) {
    std::vector<RasterPoint> pixels(points);
    for (RasterPoint& p : pixels) p = {p.x * img.unit, p.y * img.unit};
    fillPixelPolygon(img, pixels, colour);
}

void fillCircle(RasterImage& img, RasterPoint centre, double radius, uint8_t colour) {
    fillPixelCircle(img, {centre.x * img.unit, centre.y * img.unit}, radius * img.unit, colour);
}

void fillRect(RasterImage& img, double left, double top, double right, double bottom, uint8_t colour) {
    fillPolygon(img, {{left, top}, {right, top}, {right, bottom}, {left, bottom}}, colour);
}

void strokeLine(RasterImage& img, RasterPoint a, RasterPoint b, double width, uint8_t colour) {
    double dx = b.x - a.x, dy = b.y - a.y;
    double length = std::sqrt(dx * dx + dy * dy);
    double half = width / 2;
    if (length > 0) {
        double nx = -dy / length * half, ny = dx / length * half;
        fillPolygon(img, {{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny}, {a.x - nx, a.y - ny}},
                    colour);
    }
    if (width > 1.5) {
        fillCircle(img, a, half, colour);
        fillCircle(img, b, half, colour);
    }
}

void strokePath(RasterImage& img, const std::vector<RasterPoint>& points, bool closed, double width, uint8_t colour) {
    if (points.size() < 2) return;
    for (size_t i = 0; i + 1 < points.size(); ++i) strokeLine(img, points[i], points[i + 1], width, colour);
    if (closed) strokeLine(img, points.back(), points.front(), width, colour);
}

void lightenBox(RasterImage& img, double left, double top, double right, double bottom, uint8_t count) {
    const double u = img.unit;
    int x0 = std::max(0, static_cast<int>(std::floor(left * u)));
    int x1 = std::min(img.width - 1, static_cast<int>(std::ceil(right * u)));
    int y0 = std::max(0, static_cast<int>(std::floor(top * u)));
    int y1 = std::min(img.height - 1, static_cast<int>(std::ceil(bottom * u)));
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) {
            uint8_t& p = img.pixels[static_cast<size_t>(y) * img.width + x];
            if (p < count) p = static_cast<uint8_t>(p + count);
        }
}

namespace {

/*
 * Glyph strokes on a 4 x 6 grid, y downward: polylines separated by ';',
 * points by blanks, each point "x,y".
 */
const char* glyphStrokes(char c) {
    switch (c) {
        case '0': return "1,0 3,0 4,1 4,5 3,6 1,6 0,5 0,1 1,0";
        case '1': return "1,1 2,0 2,6;1,6 3,6";
        case '2': return "0,1 1,0 3,0 4,1 4,2 0,6 4,6";
        case '3': return "0,0 4,0 2,2.5 3,2.5 4,3.5 4,5 3,6 1,6 0,5";
        case '4': return "3,6 3,0 0,4 4,4";
        case '5': return "4,0 0,0 0,2.5 3,2.5 4,3.5 4,5 3,6 0,6";
        case '6': return "3.5,0 2,0 0,2 0,5 1,6 3,6 4,5 4,3.5 3,2.5 0,2.5";
        case '7': return "0,0 4,0 1.5,6";
        case '8': return "1,0 3,0 4,1 4,2 3,3 1,3 0,4 0,5 1,6 3,6 4,5 4,4 3,3 1,3 0,2 0,1 1,0";
        case '9': return "4,3.5 1,3.5 0,2.5 0,1 1,0 3,0 4,1 4,4 2,6 0.5,6";
        case 'E': return "4,0 0,0 0,6 4,6;0,3 3,3";
        case 'F': return "4,0 0,0 0,6;0,3 3,3";
        case 'G': return "4,1 3,0 1,0 0,1 0,5 1,6 3,6 4,5 4,3.5 2,3.5";
        case 'I': return "1,0 3,0;2,0 2,6;1,6 3,6";
        case 'N': return "0,6 0,0 4,6 4,0";
        case 'P': return "0,6 0,0 3,0 4,1 4,2 3,3 0,3";
        case 'R': return "0,6 0,0 3,0 4,1 4,2 3,3 0,3;2,3 4,6";
        case 'S': return "4,1 3,0 1,0 0,1 0,2 1,3 3,3 4,4 4,5 3,6 1,6 0,5";
        case 'X': return "0,0 4,6;4,0 0,6";
        case 'r': return "0.5,2 0.5,6;0.5,3.5 2,2 3.5,2";
        case 'm': return "0,6 0,2;0,3 1,2 2,3 2,6;2,3 3,2 4,3 4,6";
        case 'n': return "0.5,6 0.5,2;0.5,3 1.5,2 2.5,2 3.5,3 3.5,6";
        case 's': return "3.5,2.5 3,2 1,2 0.5,2.5 0.5,3.5 1,4 3,4 3.5,4.5 3.5,5.5 3,6 1,6 0.5,5.5";
        case '+': return "2,1.5 2,4.5;0.5,3 3.5,3";
        case '-': return "0.5,3 3.5,3";
        case '<': return "3.5,1 0.5,3 3.5,5";
        case '>': return "0.5,1 3.5,3 0.5,5";
        case '/': return "3.5,0 0.5,6";
        case '?': return "0,1 1,0 3,0 4,1 4,2 2,3.5 2,4.3;2,5.6 2,6";
        case ':': return "2,1.8 2,2.2;2,4.8 2,5.2";
        case '.': return "2,5.6 2,6";
        default: return "";
    }
}

void drawGlyph(RasterImage& img, double left, double top, double height, char c, double width, uint8_t colour) {
    double unit = height / 6;
    std::vector<RasterPoint> line;
    const char* s = glyphStrokes(c);
    while (*s) {
        char* end = nullptr;
        double gx = std::strtod(s, &end);
        if (end == s || *end != ',') break;
        double gy = std::strtod(end + 1, &end);
        line.push_back({left + gx * unit, top + gy * unit});
        s = end;
        if (*s == ' ') ++s;
        if (*s == ';' || *s == '\0') {
            if (line.size() == 1) fillCircle(img, line[0], width / 2, colour);
            strokePath(img, line, false, width, colour);
            line.clear();
            if (*s == ';') ++s;
        }
    }
}

void putWord(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void putShort(std::string& out, uint16_t v) {
    out.push_back(static_cast<char>(v & 0xFF));
    out.push_back(static_cast<char>(v >> 8));
}

uint32_t getWord(const std::string& in, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(in[at + i]);
    return v;
}

uint16_t getShort(const std::string& in, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(in[at]) | (static_cast<unsigned char>(in[at + 1]) << 8));
}

/*
 * One row in BI_RLE8: runs of two or more equal pixels as (count, index);
 * stretches of three or more pixels without such a run in absolute mode
 * (0, count, pixels, padded to an even length); a lone pixel as a run of 1.
 */
void encodeRow(const uint8_t* row, int width, std::string& out) {
    int i = 0;
    while (i < width) {
        int run = 1;
        while (i + run < width && run < 255 && row[i + run] == row[i]) ++run;
        if (run >= 2) {
            out.push_back(static_cast<char>(run));
            out.push_back(static_cast<char>(row[i]));
            i += run;
            continue;
        }
        // Literal stretch: up to the next pair of equal pixels.
        int n = 1;
        while (i + n < width && n < 255 && !(i + n + 1 < width && row[i + n] == row[i + n + 1])) ++n;
        if (n < 3) {
            for (int k = 0; k < n; ++k) {
                out.push_back(1);
                out.push_back(static_cast<char>(row[i + k]));
            }
        } else {
            out.push_back(0);
            out.push_back(static_cast<char>(n));
            out.append(reinterpret_cast<const char*>(row + i), n);
            if (n % 2) out.push_back(0);
        }
        i += n;
    }
}

}  // namespace

void drawGlyphText(RasterImage& img, RasterPoint centre, double height, const std::string& text, double width,
                   uint8_t colour) {
    double advance = height * 0.85;
    double glyphWidth = height * 4 / 6;
    double total = advance * (text.size() - 1) + glyphWidth;
    double left = centre.x - total / 2;
    double top = centre.y - height / 2;
    for (size_t i = 0; i < text.size(); ++i) drawGlyph(img, left + advance * i, top, height, text[i], width, colour);
}

std::string writeBmp(const RasterImage& img, const std::vector<PaletteColour>& palette, bool rle) {
    std::string data;
    int stride = (img.width + 3) / 4 * 4;
    for (int y = img.height - 1; y >= 0; --y) {
        const uint8_t* row = img.pixels.data() + static_cast<size_t>(y) * img.width;
        if (rle) {
            encodeRow(row, img.width, data);
            data.push_back(0);
            data.push_back(static_cast<char>(y == 0 ? 1 : 0));  // end of bitmap after the top row
        } else {
            data.append(reinterpret_cast<const char*>(row), img.width);
            data.append(stride - img.width, '\0');
        }
    }
    uint32_t colours = static_cast<uint32_t>(std::min<size_t>(palette.size(), 256));
    uint32_t offset = 14 + 40 + 4 * colours;
    std::string out;
    out += "BM";
    putWord(out, offset + static_cast<uint32_t>(data.size()));
    putWord(out, 0);
    putWord(out, offset);
    putWord(out, 40);
    putWord(out, static_cast<uint32_t>(img.width));
    putWord(out, static_cast<uint32_t>(img.height));
    putShort(out, 1);
    putShort(out, 8);
    putWord(out, rle ? 1 : 0);
    putWord(out, static_cast<uint32_t>(data.size()));
    putWord(out, 3937);  // 100 pixels per inch
    putWord(out, 3937);
    putWord(out, colours);
    putWord(out, colours);
    for (uint32_t i = 0; i < colours; ++i) {
        out.push_back(static_cast<char>(palette[i].b));
        out.push_back(static_cast<char>(palette[i].g));
        out.push_back(static_cast<char>(palette[i].r));
        out.push_back(0);
    }
    return out + data;
}

bool readBmp(const std::string& in, RasterImage& img, std::vector<PaletteColour>& palette) {
    if (in.size() < 54 || in[0] != 'B' || in[1] != 'M') return false;
    if (getWord(in, 2) != in.size() || getWord(in, 14) != 40 || getShort(in, 26) != 1 || getShort(in, 28) != 8)
        return false;
    uint32_t offset = getWord(in, 10);
    int32_t width = static_cast<int32_t>(getWord(in, 18));
    int32_t height = static_cast<int32_t>(getWord(in, 22));
    uint32_t compression = getWord(in, 30);
    uint32_t colours = getWord(in, 46);
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || colours == 0 || colours > 256) return false;
    if (offset != 54 + 4 * colours || compression > 1 || getWord(in, 34) != in.size() - offset) return false;
    palette.clear();
    for (uint32_t i = 0; i < colours; ++i)
        palette.push_back({static_cast<uint8_t>(in[54 + 4 * i + 2]), static_cast<uint8_t>(in[54 + 4 * i + 1]),
                           static_cast<uint8_t>(in[54 + 4 * i])});
    createImage(img, static_cast<int16_t>(width), static_cast<int16_t>(height), 0);
    size_t at = offset;
    if (compression == 0) {
        size_t stride = (width + 3) / 4 * 4;
        if (in.size() - offset != stride * height) return false;
        for (int y = height - 1; y >= 0; --y, at += stride)
            std::copy(in.begin() + at, in.begin() + at + width, img.pixels.begin() + static_cast<size_t>(y) * width);
        return true;
    }
    int x = 0, y = height - 1;
    auto byteAt = [&](size_t k) -> int { return k < in.size() ? static_cast<unsigned char>(in[k]) : -1; };
    while (true) {
        int count = byteAt(at), value = byteAt(at + 1);
        if (count < 0 || value < 0) return false;
        at += 2;
        if (count > 0) {
            if (y < 0 || x + count > width) return false;
            for (int k = 0; k < count; ++k) setPixel(img, x++, y, static_cast<uint8_t>(value));
        } else if (value == 0) {  // end of line
            x = 0;
            --y;
        } else if (value == 1) {  // end of bitmap
            return at == in.size();
        } else if (value == 2) {  // delta: not written by writeBmp
            return false;
        } else {
            if (y < 0 || x + value > width || at + value > in.size()) return false;
            for (int k = 0; k < value; ++k) setPixel(img, x++, y, static_cast<uint8_t>(in[at + k]));
            at += value + (value % 2);
        }
    }
}
