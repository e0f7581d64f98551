// Lattice names: points, triangles and edges of the triangular lattice as canonical texts, and their pixels.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "base/text.h"

/*
 * Directions are the letters A..F, index 0..5, each turned 60 degrees on from
 * the one before; the opposite of direction i is (i + 3) mod 6.
 *
 * A point is a path of direction letters from the origin ("" is the origin); a
 * digit 2..9 after a letter repeats that letter (A3 = AAA). A triangle (cell)
 * is a point followed by ":AB" or ":AF", an edge a point followed by ":A", ":B"
 * or ":C". Every stored name is in canonical expanded form, so that equal
 * places are equal strings.
 *
 * Range: a path has room for 80 letters in expanded form and 15 characters in
 * compact form. Longer positions are still handled exactly (the texts are
 * std::string and simply grow); only the step counters saturate, at 32767 per
 * direction, and pixel coordinates saturate at the int16_t range.
 */

constexpr int16_t kDirectionCount = 6;
constexpr int16_t kExpandedPathRoom = 80;
constexpr int16_t kCompactPathRoom = 15;
constexpr int16_t kMaxStepCount = 32767;

// Index 0..5 of a direction letter (upper or lower case), -1 for any other character.
int16_t directionIndex(char letter);
// The letter of direction index i taken mod 6 (negative indices wrap too).
char directionLetter(int i);

struct PixelOffset {
    int16_t x = 0;
    int16_t y = 0;
};

using PixelPoint = PixelOffset;

/*
 * Pixel geometry of one lattice step. The vectors are recomputed lazily (see
 * ensureMetric) whenever size or angle changed; `valid` says they match.
 * `centreAF` and `centreAB` lead from a lattice point P to the centroid of its
 * triangles P:AF and P:AB.
 */
struct HexMetric {
    int16_t dx[6] = {};
    int16_t dy[6] = {};
    PixelOffset centreAF;
    PixelOffset centreAB;
    uint8_t valid = 0;
    int16_t size = 30;   // always even: an odd size is raised by one
    int16_t angle = 0;   // degrees by which direction A is turned
};

// Stores the size (odd raised by one; clamped to 0..32766) and invalidates the vectors.
void setMetricSize(HexMetric& m, int size);
// Stores the angle in degrees and invalidates the vectors.
void setMetricAngle(HexMetric& m, int angle);
// Recomputes dx, dy and the centroid offsets when they do not match size and angle.
void ensureMetric(HexMetric& m);

/*
 * A lattice position or displacement: six step counters with the metric that
 * draws it and the last text produced. Any change of the counters must clear
 * `canonical`, `expandedCached` and `compactCached` (use changeSteps).
 */
struct HexVector {
    HexMetric metric;
    int16_t steps[6] = {};
    TextString text;
    uint8_t parsed = 0;
    uint8_t canonical = 0;
    uint8_t expandedCached = 0;
    uint8_t compactCached = 0;
};

// Clears text and the four flags; the counters stay as they are.
void resetVector(HexVector& v);
// Clears the canonical and cache flags after the counters were changed directly.
void changeSteps(HexVector& v);
// Sets all six counters to 0.
void clearSteps(HexVector& v);
// Adds n steps in direction index i (mod 6); a negative n steps the opposite way. Saturates; clears the flags.
void addSteps(HexVector& v, int i, int n);

/*
 * Parses a path: the counters become 0, then A..F add a step and become the
 * current direction, a digit 1..9 adds (digit - 1) further steps of it, and the
 * first other character (a colon, '0', a lower-case letter, ...) ends the
 * parse. A digit before any letter has no direction to repeat and is ignored.
 * Sets `parsed`. Returns the number of characters consumed.
 */
int parsePath(HexVector& v, TextRef path);
// Reduces the counters to canonical form (at most two adjacent directions non-zero).
void reduceVector(HexVector& v);
// Canonical expanded text (AAB), cached in v.text.
const std::string& expandedText(HexVector& v);
// Canonical compact text (A9A3, A2B), cached in v.text.
const std::string& compactText(HexVector& v);
// Pixel position of the counters in v's metric (computed in 32 bits, saturated to int16_t).
int16_t pixelX(HexVector& v);
int16_t pixelY(HexVector& v);

// A point text in canonical expanded form (input upper-cased first; parsing stops at the colon).
std::string normalisePoint(TextRef path);
// The same in canonical compact form.
std::string compactPoint(TextRef path);

/*
 * Pixel positions of names in v's metric (v's counters are overwritten).
 * pointPixel gives the lattice point of the name (for a cell or edge, its
 * point P); triangleCentrePixel normalises a triangle name and adds the
 * centroid offset of its orientation (a name without a side gives its point).
 */
void pointPixel(HexVector& v, TextRef name, int16_t& x, int16_t& y);
void triangleCentrePixel(HexVector& v, TextRef name, int16_t& x, int16_t& y);
// Shorthands: the pixel position of a path in the default metric (size 30, angle 0).
int16_t pathX(TextRef path);
int16_t pathY(TextRef path);

enum class NameStyle : uint8_t { Expanded, Compact };

/*
 * Canonical names. Both upper-case the input, keep a leading X (a hexagon
 * marker) in front, sort the letters after the colon and rewrite the path in
 * the chosen style. A text without a colon is a point: returned upper-cased,
 * unchanged otherwise.
 *   normaliseTriangle: :BC -> C:AF, :CD -> D:AB, :DE -> D:AF, :EF -> E:AB
 *                      (so A:FE -> AE:AB -> F:AB).
 *   normaliseEdge:     :D -> D:A, :E -> E:B, :F -> F:C.
 */
std::string normaliseTriangle(TextRef name, NameStyle style = NameStyle::Expanded);
std::string normaliseEdge(TextRef name, NameStyle style = NameStyle::Expanded);

// Whether a canonical name is an AB triangle (contains ":AB").
bool isTriangleAB(TextRef name);
// Whether a name carries a side (contains a colon).
bool hasSideName(TextRef name);
// The path part of a name: everything before its colon (all of it when there is none).
std::string pathPart(TextRef name);

/*
 * Neighbourhood, all results canonical expanded names. The input is
 * normalised first; a name that is not a triangle gives 0 and fills nothing.
 *   corners:        P:AB -> P, PA, PB;   P:AF -> P, PA, PF
 *   edge neighbours P:AB -> P:AF, PB:AF, PC:AF;   P:AF -> P:AB, PE:AB, PF:AB
 */
int cornersOfTriangle(TextRef cell, std::array<std::string, 3>& corners);
int edgeNeighbours(TextRef cell, std::array<std::string, 3>& neighbours);
// The six triangles around point P in the order AB, BC, CD, DE, EF, FA (an X on P is dropped).
void trianglesOfPoint(TextRef point, std::array<std::string, 6>& triangles);
// The six neighbouring lattice points P+A .. P+F.
void neighboursOfPoint(TextRef point, std::array<std::string, 6>& points);
// How many of the six triangles around P are in the list (0..6); linear membership.
int16_t countTrianglesInList(TextRef point, const TextList& list);
// Sum of the reduced counters of the point for the two letters of a pair such as "AB".
int16_t sectorWeight(TextRef point, TextRef pair);

/*
 * Turning by 60 degrees about the origin. The map sends A..F to B..F,A and
 * a..f to the same upper-case images, every other byte to itself. Turning
 * rewrites every character (path and side letters alike); the caller then
 * normalises. turnedName does both, `times` turns (mod 6, negative allowed).
 */
const unsigned char* turningMap();
void turnInPlace(std::string& text);
std::string turnedText(TextRef text);
// Every letter A..F one step on, other characters unchanged.
std::string turnLetters(TextRef text);
std::string turnedName(TextRef name, int times, bool asEdge = false);

/*
 * One entry of a grid description: [X] path then W|V value mark [%n], or
 * :AB|:AF. Reading upper-cases the code and clears value, percent and flags
 * first. J..O and P..U both give the values 1..6. The percentage accepts a
 * leading '-' and saturates at the int16_t range.
 */
struct CellCode {
    HexVector vector;
    TextString codeText;
    int16_t value = 0;
    int16_t percent = 0;
    uint8_t hasSide = 0;
    uint8_t marked = 0;
    uint8_t sideAB = 0;
};

void readCellCode(CellCode& code, TextRef text);
// The expanded path when `marked`, else empty (kept in codeText).
const std::string& hexagonReadout(CellCode& code);
// The expanded path with ":AB" or ":AF" when `hasSide`, else empty (kept in codeText).
const std::string& cellReadout(CellCode& code);

/*
 * Hexagon figures around a centre (x, y) in metric m. The triangle figure is
 * six triples (centre, corner i, corner i+1) followed by the centre again:
 * nineteen points, corner i being the centre plus step i. The centroids are
 * (x + (dx[i] + dx[i+1]) / 3, y - (dy[i] + dy[i+1]) / 3): the label points of
 * a figure drawn with y upward.
 */
void hexagonTriangleFigure(HexMetric& m, int16_t x, int16_t y, std::array<PixelPoint, 19>& points);
void hexagonCentroids(HexMetric& m, int16_t x, int16_t y, std::array<PixelPoint, 6>& points);

/*
 * Axial coordinates of lattice points (A = (1, 0), B = (0, 1), so C = (-1, 1)):
 * exact integer arithmetic for bulk work such as the topology of a large
 * shape. axialName writes the same canonical expanded text as the counters
 * would after reduction.
 */
struct AxialPoint {
    int32_t a = 0;
    int32_t b = 0;
    bool operator==(const AxialPoint& o) const { return a == o.a && b == o.b; }
};

// The point of an upper-case path, read as parsePath reads it (stops at the colon).
AxialPoint axialOf(TextRef path);
// The point n steps from p in direction index d (mod 6).
AxialPoint axialStep(AxialPoint p, int d, int n = 1);
AxialPoint axialAdd(AxialPoint p, AxialPoint q);
// Canonical counters of an axial point (at most two adjacent ones non-zero, saturated).
void axialCounters(AxialPoint p, int16_t steps[6]);
// Canonical expanded text of p appended to out / returned.
void appendAxialName(AxialPoint p, std::string& out);
std::string axialName(AxialPoint p);
/*
 * The place a triangle name denotes, whatever its form (":BC" is the triangle
 * PC:AF, lower case allowed, a leading X ignored): its canonical point and
 * orientation. False for a text that names no triangle.
 */
bool parseTriangle(TextRef name, AxialPoint& point, bool& ab);
