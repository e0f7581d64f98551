// Text offsets of a font and the point a text is written at.
#include "render/text_font.h"

#include <cmath>
#include <numbers>

namespace {

int16_t truncate16(double v) {
    if (!std::isfinite(v)) return 0;
    long long t = static_cast<long long>(std::trunc(std::fmod(v, 65536.0)));
    return static_cast<int16_t>(static_cast<uint16_t>(t & 0xFFFF));
}

}  // namespace

TextOffset textOffsetFor(int16_t height, int16_t escapement) {
    TextOffset o;
    double y = height / 2;  // integer half, as the upright offset
    if (escapement % 900 != 0) y = 1.2 * height / 2.0;
    if (escapement > 0) {
        const double a = (escapement / 10.0) * std::numbers::pi / 180.0;
        o.x = truncate16(-y * std::sin(a));
        o.y = truncate16(y * std::cos(a));
    } else {
        o.x = 0;
        o.y = truncate16(y);
    }
    return o;
}

void setFontShape(TextFontState& f, int16_t height, int16_t width, int16_t escapement, bool italic,
                  int16_t weight, TextRef face) {
    f.height = height;
    f.width = width;
    f.escapement = escapement;
    f.italic = italic ? 1 : 0;
    f.weight = weight;
    f.face.assign(face);
    f.offset = textOffsetFor(height, escapement);
}

TextPoint textWritePoint(const TextFontState& f, int x, int y) {
    TextPoint p;
    p.x = static_cast<int16_t>(x + f.offset.x);
    p.y = static_cast<int16_t>(y - f.offset.y);
    return p;
}
