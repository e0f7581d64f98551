// A small palettised rasteriser and an 8-bit BMP writer, used to make the rules-page pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

/*
 * Pixels are palette indices. The shapes take coordinates and lengths as
 * doubles in drawing units, x to the right and y downward (the image's rows);
 * one unit is `unit` pixels, so a drawing made for a 1-unit image is drawn
 * natively, every length multiplied, on an image of 2 pixels to the unit. A
 * pixel is covered when its centre lies inside a shape, so shapes that share
 * an edge never both paint a pixel twice. pixelAt and setPixel, and the
 * image's width and height, are in pixels.
 */
struct RasterImage {
    int16_t width = 0;
    int16_t height = 0;
    double unit = 1;              // pixels per drawing unit
    std::vector<uint8_t> pixels;  // row-major, top row first
};

struct RasterPoint {
    double x = 0;
    double y = 0;
};

struct PaletteColour {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
};

// An image of width x height pixels in one colour, `unit` pixels to the drawing unit.
void createImage(RasterImage& img, int16_t width, int16_t height, uint8_t colour, double unit = 1);
// Pixel index at (x, y), 0 outside the image.
uint8_t pixelAt(const RasterImage& img, int x, int y);
void setPixel(RasterImage& img, int x, int y, uint8_t colour);
// Even-odd fill of a closed polygon.
void fillPolygon(RasterImage& img, const std::vector<RasterPoint>& points, uint8_t colour);
void fillCircle(RasterImage& img, RasterPoint centre, double radius, uint8_t colour);
void fillRect(RasterImage& img, double left, double top, double right, double bottom, uint8_t colour);
// A straight stroke of the given width with round ends.
void strokeLine(RasterImage& img, RasterPoint a, RasterPoint b, double width, uint8_t colour);
// Strokes every side of a polygon (closed) or of a polyline (open).
void strokePath(RasterImage& img, const std::vector<RasterPoint>& points, bool closed, double width, uint8_t colour);
// Every pixel of the box whose index is below `count` becomes that index + `count` (its light twin).
void lightenBox(RasterImage& img, double left, double top, double right, double bottom, uint8_t count);

/*
 * Stroke lettering for the few captions a picture needs: digits, upper-case
 * letters, "r", and the signs + - < > / ? : . Each glyph is drawn in a box of
 * height h and width 0.6 h, centred on (x, y); unknown characters are blanks.
 */
void drawGlyphText(RasterImage& img, RasterPoint centre, double height, const std::string& text, double width,
                   uint8_t colour);

/*
 * The image as a Windows bitmap file: file header, 40-byte info header, the
 * palette (its own size, at most 256 entries), rows bottom-up. With rle the
 * rows are BI_RLE8 encoded (runs, absolute stretches, end-of-line and
 * end-of-bitmap marks); otherwise uncompressed rows padded to 4 bytes.
 */
std::string writeBmp(const RasterImage& img, const std::vector<PaletteColour>& palette, bool rle);

/*
 * Reads back what writeBmp writes (both encodings); false for anything else or
 * a file that is cut short or overruns its rows.
 */
bool readBmp(const std::string& bytes, RasterImage& img, std::vector<PaletteColour>& palette);
