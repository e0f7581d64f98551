// Fuzz target: lattice paths, point names, triangle names and edge names, whatever bytes they hold.
#include <string>

#include "puzzle/lattice.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// A canonical expanded path: letters A..F in order, at most two kinds, adjacent directions.
bool isCanonicalPath(const std::string& p) {
    int kinds = 0, first = -1, last = -1;
    char previous = 0;
    for (char c : p) {
        int d = directionIndex(c);
        if (d < 0 || c < 'A' || (previous != 0 && c < previous)) return false;
        if (c != previous) {
            ++kinds;
            if (first < 0) first = d;
            last = d;
        }
        previous = c;
    }
    if (kinds > 2) return false;
    return kinds < 2 || last - first == 1 || (first == 0 && last == 5);
}

// The name without its hexagon marker, split at its first colon.
std::string withoutMarker(const std::string& name) {
    return !name.empty() && name[0] == 'X' ? name.substr(1) : name;
}

void checkName(std::string_view input) {
    // Normalising twice gives what normalising once gave, in both styles and for both kinds of name.
    for (NameStyle style : {NameStyle::Expanded, NameStyle::Compact}) {
        std::string triangle = normaliseTriangle(input, style);
        FUZZ_CHECK(normaliseTriangle(triangle, style) == triangle, input);
        std::string edge = normaliseEdge(input, style);
        FUZZ_CHECK(normaliseEdge(edge, style) == edge, input);
    }
    // The compact name is the expanded one written shorter.
    FUZZ_CHECK(normaliseTriangle(normaliseTriangle(input, NameStyle::Compact)) == normaliseTriangle(input), input);

    // Points: canonical, idempotent, compact and expanded forms naming the same place.
    std::string point = normalisePoint(input);
    FUZZ_CHECK(isCanonicalPath(point), input);
    FUZZ_CHECK(normalisePoint(point) == point, input);
    FUZZ_CHECK(normalisePoint(compactPoint(input)) == point, input);
    if (input.size() <= 7000) {
        // Within 7000 characters no counter can reach its limit, so the exact axial arithmetic agrees.
        FUZZ_CHECK(axialName(axialOf(upperText(input))) == point, input);
    }

    // A name that normalises to a triangle is the triangle parseTriangle finds.
    std::string triangle = withoutMarker(normaliseTriangle(input));
    size_t colon = triangle.find(':');
    std::string_view side = colon == std::string::npos ? std::string_view() : std::string_view(triangle).substr(colon);
    if (side == ":AB" || side == ":AF") {
        AxialPoint p;
        bool ab = false;
        FUZZ_CHECK(parseTriangle(input, p, ab), input);
        FUZZ_CHECK(axialName(p) + (ab ? ":AB" : ":AF") == triangle, input);
        // Six turns of 60 degrees bring a triangle back; one turn and five more too.
        FUZZ_CHECK(turnedName(triangle, 6) == triangle, input);
        FUZZ_CHECK(turnedName(turnedName(triangle, 1), 5) == triangle, input);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkName);
    return 0;
}
