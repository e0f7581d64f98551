// The fixed Windows-1252 <-> UTF-16 conversion used at the Windows boundary.
#include "base/codepage.h"

namespace {

// Bytes 0x80..0x9F; every other byte is the Unicode character of the same value.
const char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

}  // namespace

char16_t cp1252ToUtf16(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80];
    return static_cast<char16_t>(byte);
}

std::u16string toUtf16(TextRef text) {
    std::u16string out;
    out.reserve(text.v.size());
    for (char c : text.v) out.push_back(cp1252ToUtf16(static_cast<unsigned char>(c)));
    return out;
}

unsigned char utf16ToCp1252(char16_t unit) {
    if (unit < 0x80 || (unit >= 0xA0 && unit <= 0xFF)) return static_cast<unsigned char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == unit) return static_cast<unsigned char>(0x80 + i);
    }
    return '?';
}

TextString fromUtf16(std::u16string_view text) {
    TextString out;
    for (char16_t unit : text) {
        if (unit == 0) break;
        out.s.push_back(static_cast<char>(utf16ToCp1252(unit)));
    }
    return out;
}
