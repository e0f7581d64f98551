// Lattice names: parsing, reduction, canonical texts, normalisation, turning, cell codes and pixels.
#include "puzzle/lattice.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const char kLetters[] = "ABCDEF";

int16_t saturate16(long long n) {
    if (n > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (n < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(n);
}

// Step counters stay within 0..kMaxStepCount: a step back is a step in the opposite direction.
int16_t addCount(int16_t a, long long n) {
    long long r = static_cast<long long>(a) + n;
    if (r > kMaxStepCount) r = kMaxStepCount;
    if (r < 0) r = 0;
    return static_cast<int16_t>(r);
}

/*
 * Reduction on bare counters. Each rule removes more steps than it adds, so
 * the total strictly falls on every change and the loop ends. The "while both
 * positive, take one" of each rule is done at once by taking the minimum.
 */
void reduceSteps(int16_t s[6]) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = 0; i < 3; ++i) {
            int16_t k = std::min(s[i], s[i + 3]);
            if (k > 0) {
                s[i] = static_cast<int16_t>(s[i] - k);
                s[i + 3] = static_cast<int16_t>(s[i + 3] - k);
                changed = true;
            }
        }
        for (int i = 0; i < 6; ++i) {
            int j = (i + 2) % 6;
            int16_t k = std::min(s[i], s[j]);
            if (k > 0) {
                s[i] = static_cast<int16_t>(s[i] - k);
                s[j] = static_cast<int16_t>(s[j] - k);
                s[(i + 1) % 6] = addCount(s[(i + 1) % 6], k);
                changed = true;
            }
        }
    }
}

void writeExpanded(const int16_t s[6], std::string& out) {
    out.clear();
    for (int i = 0; i < 6; ++i) {
        if (s[i] > 0) out.append(static_cast<size_t>(s[i]), kLetters[i]);
    }
}

void writeCompact(const int16_t s[6], std::string& out) {
    out.clear();
    for (int i = 0; i < 6; ++i) {
        int c = s[i];
        while (c > 0) {
            int n = c < 9 ? c : 9;
            out.push_back(kLetters[i]);
            if (n > 1) out.push_back(static_cast<char>('0' + n));
            c -= n;
        }
    }
}

// Parses the path grammar into bare counters; returns the characters consumed.
int parseSteps(std::string_view text, int16_t s[6]) {
    for (int i = 0; i < 6; ++i) s[i] = 0;
    int current = -1;
    size_t pos = 0;
    for (; pos < text.size(); ++pos) {
        char c = text[pos];
        if (c >= 'A' && c <= 'F') {
            current = c - 'A';
            s[current] = addCount(s[current], 1);
        } else if (c >= '1' && c <= '9') {
            if (current >= 0) s[current] = addCount(s[current], c - '1');
        } else {
            break;
        }
    }
    return static_cast<int>(pos);
}

// Canonical expanded text of an upper-case path (parse stops at the first foreign character).
std::string canonicalOf(std::string_view path, NameStyle style = NameStyle::Expanded) {
    int16_t s[6];
    parseSteps(path, s);
    reduceSteps(s);
    std::string out;
    if (style == NameStyle::Compact)
        writeCompact(s, out);
    else
        writeExpanded(s, out);
    return out;
}

// Canonical expanded text of an upper-case path followed by steps in the given directions.
std::string pathPlus(std::string_view path, std::string_view extra) {
    int16_t s[6];
    parseSteps(path, s);
    for (char c : extra) {
        int16_t d = directionIndex(c);
        if (d >= 0) s[d] = addCount(s[d], 1);
    }
    reduceSteps(s);
    std::string out;
    writeExpanded(s, out);
    return out;
}

// Sorts the characters of t from position `from` on (a bubble sort: sides have one or two letters).
// The bytes of t from `from` on in ascending order (as unsigned bytes); n log n, so long junk stays fast.
void sortLetters(std::string& t, size_t from) {
    if (from >= t.size()) return;
    std::sort(t.begin() + static_cast<std::ptrdiff_t>(from), t.end(),
              [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
}

struct SideRule {
    const char* from;
    const char* to;
};

const SideRule kTriangleRules[] = {{":BC", "C:AF"}, {":CD", "D:AB"}, {":DE", "D:AF"}, {":EF", "E:AB"}};
const SideRule kEdgeRules[] = {{":D", "D:A"}, {":E", "E:B"}, {":F", "F:C"}};

std::string normaliseName(TextRef name, NameStyle style, const SideRule* rules, int ruleCount) {
    std::string t = upperText(name);
    bool marked = !t.empty() && t[0] == 'X';
    if (marked) t.erase(0, 1);
    size_t colon = t.find(':');
    if (colon == std::string::npos) {
        // A point: its canonical path, so that equal points are equal texts.
        std::string out = canonicalOf(t, style);
        return marked ? "X" + out : out;
    }
    sortLetters(t, colon + 1);
    // The path is read before a side rule appends its step, which must not land behind a character
    // that ends the parse ("A?B:BC" is "A:BC", that is "AC:AF", not "A").
    t.replace(0, colon, canonicalOf(std::string_view(t).substr(0, colon), NameStyle::Expanded));
    for (int r = 0; r < ruleCount; ++r) {
        size_t at = t.find(rules[r].from);
        if (at != std::string::npos) {
            t.replace(at, std::char_traits<char>::length(rules[r].from), rules[r].to);
            /*
             * A side of more than the usual letters keeps some after the
             * replacement ("A:BCD" gives "AC:AFD"): sorted again, they read the
             * same at the next normalisation, so a normalised name is a fixed point.
             */
            sortLetters(t, t.find(':') + 1);
            break;
        }
    }
    colon = t.find(':');
    std::string out = canonicalOf(std::string_view(t).substr(0, colon), style);
    out.append(t, colon, std::string::npos);
    return marked ? "X" + out : out;
}

// Splits a normalised triangle name into its upper-case path and orientation; false if no AB/AF side.
bool splitTriangle(TextRef cell, std::string& path, bool& ab) {
    std::string t = normaliseTriangle(cell);
    if (!t.empty() && t[0] == 'X') t.erase(0, 1);
    size_t colon = t.find(':');
    if (colon == std::string::npos) return false;
    std::string_view side = std::string_view(t).substr(colon);
    if (side == ":AB")
        ab = true;
    else if (side == ":AF")
        ab = false;
    else
        return false;
    path = t.substr(0, colon);
    return true;
}

std::string stripMarker(TextRef point) {
    std::string t = upperText(point);
    if (!t.empty() && t[0] == 'X') t.erase(0, 1);
    return t;
}

}  // namespace

int16_t directionIndex(char letter) {
    if (letter >= 'A' && letter <= 'F') return static_cast<int16_t>(letter - 'A');
    if (letter >= 'a' && letter <= 'f') return static_cast<int16_t>(letter - 'a');
    return -1;
}

char directionLetter(int i) { return kLetters[((i % 6) + 6) % 6]; }

void setMetricSize(HexMetric& m, int size) {
    if (size < 0) size = 0;
    if (size > 32766) size = 32766;
    if (size % 2 != 0) ++size;
    m.size = static_cast<int16_t>(size);
    m.valid = 0;
}

void setMetricAngle(HexMetric& m, int angle) {
    m.angle = saturate16(angle);
    m.valid = 0;
}

void ensureMetric(HexMetric& m) {
    if (m.valid) return;
    // A size set directly in the record still obeys the even rule.
    if (m.size < 0) m.size = 0;
    if (m.size % 2 != 0) m.size = static_cast<int16_t>(m.size + 1);
    const double pi = 3.14159265358979323846;
    double t = m.angle * pi / 180.0;
    double s = m.size;
    // std::lround rounds halves away from zero.
    int ax = static_cast<int>(std::lround(s * std::cos(t)));
    int ay = static_cast<int>(std::lround(s * std::sin(t)));
    int bx = static_cast<int>(std::lround(s * std::cos(t + pi / 3.0)));
    int by = static_cast<int>(std::lround(s * std::sin(t + pi / 3.0)));
    int x[6] = {ax, bx, bx - ax, -ax, -bx, ax - bx};
    int y[6] = {ay, by, by - ay, -ay, -by, ay - by};
    for (int i = 0; i < 6; ++i) {
        m.dx[i] = saturate16(x[i]);
        m.dy[i] = saturate16(y[i]);
    }
    m.centreAF = {saturate16((x[0] + x[5]) / 3), saturate16((y[0] + y[5]) / 3)};
    m.centreAB = {saturate16((x[0] + x[1]) / 3), saturate16((y[0] + y[1]) / 3)};
    m.valid = 1;
}

void resetVector(HexVector& v) {
    v.text.clear();
    v.parsed = 0;
    v.canonical = 0;
    v.expandedCached = 0;
    v.compactCached = 0;
}

void changeSteps(HexVector& v) {
    v.canonical = 0;
    v.expandedCached = 0;
    v.compactCached = 0;
}

void clearSteps(HexVector& v) {
    for (int16_t& s : v.steps) s = 0;
    changeSteps(v);
}

void addSteps(HexVector& v, int i, int n) {
    int d = ((i % 6) + 6) % 6;
    if (n < 0) {
        d = (d + 3) % 6;
        n = -n;
    }
    v.steps[d] = addCount(v.steps[d], n);
    changeSteps(v);
}

int parsePath(HexVector& v, TextRef path) {
    int used = parseSteps(path.v, v.steps);
    v.parsed = 1;
    changeSteps(v);
    return used;
}

void reduceVector(HexVector& v) {
    if (v.canonical) return;
    reduceSteps(v.steps);
    v.canonical = 1;
}

const std::string& expandedText(HexVector& v) {
    if (!v.expandedCached || !v.canonical) {
        reduceVector(v);
        writeExpanded(v.steps, v.text.s);
        v.expandedCached = 1;
        v.compactCached = 0;
    }
    return v.text.s;
}

const std::string& compactText(HexVector& v) {
    if (!v.compactCached || !v.canonical) {
        reduceVector(v);
        writeCompact(v.steps, v.text.s);
        v.compactCached = 1;
        v.expandedCached = 0;
    }
    return v.text.s;
}

int16_t pixelX(HexVector& v) {
    ensureMetric(v.metric);
    long long x = 0;
    for (int i = 0; i < 6; ++i) x += static_cast<long long>(v.steps[i]) * v.metric.dx[i];
    return saturate16(x);
}

int16_t pixelY(HexVector& v) {
    ensureMetric(v.metric);
    long long y = 0;
    for (int i = 0; i < 6; ++i) y += static_cast<long long>(v.steps[i]) * v.metric.dy[i];
    return saturate16(y);
}

std::string normalisePoint(TextRef path) { return canonicalOf(upperText(path)); }

std::string compactPoint(TextRef path) { return canonicalOf(upperText(path), NameStyle::Compact); }

void pointPixel(HexVector& v, TextRef name, int16_t& x, int16_t& y) {
    parsePath(v, stripMarker(name));
    x = pixelX(v);
    y = pixelY(v);
}

void triangleCentrePixel(HexVector& v, TextRef name, int16_t& x, int16_t& y) {
    std::string path;
    bool ab = false;
    if (!splitTriangle(name, path, ab)) {
        pointPixel(v, name, x, y);
        return;
    }
    parsePath(v, path);
    ensureMetric(v.metric);
    const PixelOffset& c = ab ? v.metric.centreAB : v.metric.centreAF;
    x = saturate16(static_cast<long long>(pixelX(v)) + c.x);
    y = saturate16(static_cast<long long>(pixelY(v)) + c.y);
}

int16_t pathX(TextRef path) {
    HexVector v;
    parsePath(v, path);
    return pixelX(v);
}

int16_t pathY(TextRef path) {
    HexVector v;
    parsePath(v, path);
    return pixelY(v);
}

std::string normaliseTriangle(TextRef name, NameStyle style) { return normaliseName(name, style, kTriangleRules, 4); }

std::string normaliseEdge(TextRef name, NameStyle style) { return normaliseName(name, style, kEdgeRules, 3); }

bool isTriangleAB(TextRef name) { return findFolded(name, ":AB") != std::string_view::npos; }

bool hasSideName(TextRef name) { return name.v.find(':') != std::string_view::npos; }

std::string pathPart(TextRef name) {
    size_t colon = name.v.find(':');
    return std::string(name.v.substr(0, colon));
}

int cornersOfTriangle(TextRef cell, std::array<std::string, 3>& corners) {
    std::string path;
    bool ab = false;
    if (!splitTriangle(cell, path, ab)) return 0;
    corners[0] = path;
    corners[1] = pathPlus(path, "A");
    corners[2] = pathPlus(path, ab ? "B" : "F");
    return 3;
}

int edgeNeighbours(TextRef cell, std::array<std::string, 3>& neighbours) {
    std::string path;
    bool ab = false;
    if (!splitTriangle(cell, path, ab)) return 0;
    if (ab) {
        neighbours[0] = path + ":AF";
        neighbours[1] = pathPlus(path, "B") + ":AF";
        neighbours[2] = pathPlus(path, "C") + ":AF";
    } else {
        neighbours[0] = path + ":AB";
        neighbours[1] = pathPlus(path, "E") + ":AB";
        neighbours[2] = pathPlus(path, "F") + ":AB";
    }
    return 3;
}

void trianglesOfPoint(TextRef point, std::array<std::string, 6>& triangles) {
    std::string p = canonicalOf(stripMarker(point));
    std::string d = pathPlus(p, "D");
    triangles[0] = p + ":AB";
    triangles[1] = pathPlus(p, "C") + ":AF";
    triangles[2] = d + ":AB";
    triangles[3] = d + ":AF";
    triangles[4] = pathPlus(p, "E") + ":AB";
    triangles[5] = p + ":AF";
}

void neighboursOfPoint(TextRef point, std::array<std::string, 6>& points) {
    std::string p = stripMarker(point);
    for (int i = 0; i < 6; ++i) points[i] = pathPlus(p, std::string(1, kLetters[i]));
}

int16_t countTrianglesInList(TextRef point, const TextList& list) {
    std::array<std::string, 6> t;
    trianglesOfPoint(point, t);
    int16_t n = 0;
    for (const std::string& name : t) {
        if (list.indexOf(name) > 0) ++n;
    }
    return n;
}

int16_t sectorWeight(TextRef point, TextRef pair) {
    int16_t s[6];
    parseSteps(stripMarker(point), s);
    reduceSteps(s);
    long long w = 0;
    for (char c : pair.v) {
        int16_t d = directionIndex(c);
        if (d >= 0) w += s[d];
    }
    return saturate16(w);
}

namespace {

// Every byte to itself, except A..F and a..f to the upper-case letter one direction on (F and f to A).
constexpr std::array<unsigned char, 256> makeTurningMap() {
    std::array<unsigned char, 256> map{};
    for (int i = 0; i < 256; ++i) map[static_cast<size_t>(i)] = static_cast<unsigned char>(i);
    for (int d = 0; d < 6; ++d) {
        const auto next = static_cast<unsigned char>('A' + (d + 1) % 6);
        map[static_cast<size_t>('A' + d)] = next;
        map[static_cast<size_t>('a' + d)] = next;
    }
    return map;
}

constexpr std::array<unsigned char, 256> kTurningMap = makeTurningMap();
static_assert(kTurningMap['A'] == 'B' && kTurningMap['f'] == 'A' && kTurningMap['-'] == '-');

}  // namespace

const unsigned char* turningMap() { return kTurningMap.data(); }

void turnInPlace(std::string& text) {
    const unsigned char* map = turningMap();
    for (char& c : text) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
}

std::string turnedText(TextRef text) {
    std::string t(text.v);
    turnInPlace(t);
    return t;
}

std::string turnLetters(TextRef text) {
    std::string t(text.v);
    for (char& c : t) {
        if (c >= 'A' && c <= 'F') c = directionLetter(c - 'A' + 1);
    }
    return t;
}

std::string turnedName(TextRef name, int times, bool asEdge) {
    std::string t(name.v);
    int n = ((times % 6) + 6) % 6;
    for (int i = 0; i < n; ++i) turnInPlace(t);
    return asEdge ? normaliseEdge(t) : normaliseTriangle(t);
}

void readCellCode(CellCode& code, TextRef text) {
    code.value = 0;
    code.percent = 0;
    code.hasSide = 0;
    code.marked = 0;
    code.sideAB = 0;
    std::string t = upperText(text);
    size_t pos = 0;
    // Blanks and tabs before the code are skipped, as the grid builder skips them.
    while (pos < t.size() && (t[pos] == ' ' || t[pos] == '\t')) ++pos;
    if (pos < t.size() && t[pos] == 'X') {
        code.marked = 1;
        ++pos;
    }
    size_t start = pos;
    while (pos < t.size() && ((t[pos] >= 'A' && t[pos] <= 'F') || (t[pos] >= '0' && t[pos] <= '9'))) ++pos;
    parsePath(code.vector, std::string_view(t).substr(start, pos - start));
    std::string_view rest = std::string_view(t).substr(pos);
    bool attributes = false;
    if (!rest.empty() && (rest[0] == 'W' || rest[0] == 'V')) {
        code.hasSide = 1;
        code.sideAB = rest[0] == 'W' ? 1 : 0;
        attributes = true;
        rest.remove_prefix(1);
    } else if (rest.substr(0, 3) == ":AB" || rest.substr(0, 3) == ":AF") {
        code.hasSide = 1;
        code.sideAB = rest[2] == 'B' ? 1 : 0;
    }
    if (!attributes) return;
    if (!rest.empty()) {
        char c = rest[0];
        if (c >= 'J' && c <= 'O') code.value = static_cast<int16_t>(c - 'J' + 1);
        if (c >= 'P' && c <= 'U') code.value = static_cast<int16_t>(c - 'P' + 1);
        rest.remove_prefix(1);
    }
    // The mark letter; a '%' here is the percentage of a code written without a mark, as the grid builder reads it.
    if (!rest.empty() && rest[0] != '%') rest.remove_prefix(1);
    if (!rest.empty() && rest[0] == '%') {
        rest.remove_prefix(1);
        bool negative = !rest.empty() && rest[0] == '-';
        if (negative) rest.remove_prefix(1);
        long long n = 0;
        while (!rest.empty() && rest[0] >= '0' && rest[0] <= '9') {
            if (n < 100000) n = n * 10 + (rest[0] - '0');
            rest.remove_prefix(1);
        }
        code.percent = saturate16(negative ? -n : n);
    }
}

const std::string& hexagonReadout(CellCode& code) {
    if (code.marked)
        code.codeText.assign(expandedText(code.vector));
    else
        code.codeText.clear();
    return code.codeText.s;
}

const std::string& cellReadout(CellCode& code) {
    if (code.hasSide)
        code.codeText.assign2(expandedText(code.vector), code.sideAB ? ":AB" : ":AF");
    else
        code.codeText.clear();
    return code.codeText.s;
}

void hexagonTriangleFigure(HexMetric& m, int16_t x, int16_t y, std::array<PixelPoint, 19>& points) {
    ensureMetric(m);
    for (int i = 0; i < 6; ++i) {
        int j = (i + 1) % 6;
        points[3 * i] = {x, y};
        points[3 * i + 1] = {saturate16(x + m.dx[i]), saturate16(y + m.dy[i])};
        points[3 * i + 2] = {saturate16(x + m.dx[j]), saturate16(y + m.dy[j])};
    }
    points[18] = {x, y};
}

void hexagonCentroids(HexMetric& m, int16_t x, int16_t y, std::array<PixelPoint, 6>& points) {
    ensureMetric(m);
    for (int i = 0; i < 6; ++i) {
        int j = (i + 1) % 6;
        points[i] = {saturate16(x + (m.dx[i] + m.dx[j]) / 3), saturate16(y - (m.dy[i] + m.dy[j]) / 3)};
    }
}

AxialPoint axialOf(TextRef path) {
    int16_t s[6];
    parseSteps(path.v, s);
    AxialPoint p;
    for (int d = 0; d < 6; ++d) p = axialStep(p, d, s[d]);
    return p;
}

AxialPoint axialStep(AxialPoint p, int d, int n) {
    static constexpr int32_t da[6] = {1, 0, -1, -1, 0, 1};
    static constexpr int32_t db[6] = {0, 1, 1, 0, -1, -1};
    int i = ((d % 6) + 6) % 6;
    return {p.a + da[i] * n, p.b + db[i] * n};
}

AxialPoint axialAdd(AxialPoint p, AxialPoint q) { return {p.a + q.a, p.b + q.b}; }

void axialCounters(AxialPoint p, int16_t steps[6]) {
    long long c[6] = {0, 0, 0, 0, 0, 0};
    long long x = p.a, y = p.b;
    // Each sextant is spanned by two adjacent directions; pick the pair that holds the point.
    if (x >= 0 && y >= 0) {
        c[0] = x;
        c[1] = y;
    } else if (x < 0 && y > 0) {
        if (-x <= y) {
            c[2] = -x;
            c[1] = y + x;
        } else {
            c[2] = y;
            c[3] = -x - y;
        }
    } else if (x <= 0 && y <= 0) {
        c[3] = -x;
        c[4] = -y;
    } else {
        if (x <= -y) {
            c[5] = x;
            c[4] = -y - x;
        } else {
            c[5] = -y;
            c[0] = x + y;
        }
    }
    for (int i = 0; i < 6; ++i) steps[i] = static_cast<int16_t>(c[i] > kMaxStepCount ? kMaxStepCount : c[i]);
}

void appendAxialName(AxialPoint p, std::string& out) {
    int16_t s[6];
    axialCounters(p, s);
    for (int i = 0; i < 6; ++i) {
        if (s[i] > 0) out.append(static_cast<size_t>(s[i]), kLetters[i]);
    }
}

std::string axialName(AxialPoint p) {
    std::string out;
    appendAxialName(p, out);
    return out;
}

bool parseTriangle(TextRef name, AxialPoint& point, bool& ab) {
    std::string_view v = name.v;
    if (!v.empty() && (v[0] == 'X' || v[0] == 'x')) v.remove_prefix(1);
    size_t colon = v.find(':');
    if (colon == std::string_view::npos) return false;
    std::string path = upperText(v.substr(0, colon));
    std::string side = upperText(v.substr(colon + 1));
    sortLetters(side, 0);
    AxialPoint p = axialOf(path);
    // The six sides of a point and the canonical triangle each names.
    static const struct {
        const char* side;
        int step;  // direction index to move P, -1 for none
        bool ab;
    } kSides[] = {{"AB", -1, true}, {"AF", -1, false}, {"BC", 2, false}, {"CD", 3, true}, {"DE", 3, false}, {"EF", 4, true}};
    for (const auto& s : kSides) {
        if (side == s.side) {
            point = s.step >= 0 ? axialStep(p, s.step) : p;
            ab = s.ab;
            return true;
        }
    }
    return false;
}
