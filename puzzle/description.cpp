// Grid description entries: reading and writing one entry, and building a grid's defining lists from them.
#include "puzzle/description.h"

#include <climits>
#include <string>
#include <unordered_map>

#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/lattice.h"

namespace {

bool isPathChar(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

int16_t valueOfLetter(char c) {
    if (c >= 'J' && c <= 'O') return static_cast<int16_t>(c - 'J' + 1);
    if (c >= 'P' && c <= 'U') return static_cast<int16_t>(c - 'P' + 1);
    return 0;
}

// The decimal number at the start of s (optional '-'), saturated to 16 bits; digits stop it.
int16_t readPercent(std::string_view s) {
    bool negative = false;
    size_t i = 0;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    long n = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i) {
        n = n * 10 + (s[i] - '0');
        if (n > 40000) n = 40000;  // past the 16-bit range already; stop growing
    }
    if (negative) n = -n;
    if (n > INT16_MAX) n = INT16_MAX;
    if (n < INT16_MIN) n = INT16_MIN;
    return static_cast<int16_t>(n);
}

}  // namespace

bool parseDescriptionEntry(TextRef text, DescriptionEntry& out) {
    out = DescriptionEntry{};
    std::string up = upperText(text);
    std::string_view s(up);
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    if (!s.empty() && s.front() == 'X') {
        out.isHexagon = 1;
        s.remove_prefix(1);
    }
    size_t run = 0;
    while (run < s.size() && isPathChar(s[run])) ++run;
    std::string position = normalisePoint(std::string(s.substr(0, run)));
    s.remove_prefix(run);

    /*
     * Positions farther than the supported range (80 steps) from the origin are
     * refused: their names outgrow the stored texts and their pixels the
     * 16-bit coordinates.
     */
    if (static_cast<int>(position.size()) > kExpandedPathRoom) {
        out = DescriptionEntry{};
        return false;
    }
    out.position.assign(position);

    bool withValue = false;
    if (!s.empty() && (s.front() == 'W' || s.front() == 'V')) {
        out.isCell = 1;
        out.sideAB = (s.front() == 'W');
        withValue = true;
        s.remove_prefix(1);
    } else if (s.substr(0, 3) == ":AB" || s.substr(0, 3) == ":AF") {
        out.isCell = 1;
        out.sideAB = (s[2] == 'B');
        s.remove_prefix(3);
    }
    if (withValue) {
        if (!s.empty()) {
            out.value = valueOfLetter(s.front());
            s.remove_prefix(1);
        }
        // The mark letter; a '%' here is the percentage of an entry written without a mark.
        if (!s.empty() && s.front() != '%') {
            char m = s.front();
            out.mark = (m >= 'J' && m <= 'Z') ? static_cast<int16_t>(m - 'J') : 0;
            s.remove_prefix(1);
        }
        if (!s.empty() && s.front() == '%') out.percent = readPercent(s.substr(1));
    }
    return out.isHexagon || out.isCell;
}

TextString entryCellName(const DescriptionEntry& entry) {
    TextString name;
    if (entry.isCell) name.assign2(entry.position, entry.sideAB ? ":AB" : ":AF");
    return name;
}

TextString writeDescriptionEntry(const DescriptionEntry& entry) {
    TextString out;
    if (entry.isHexagon) out.append("X");
    out.append(entry.position);
    if (!entry.isCell) return out;
    if (entry.value >= 1 && entry.value <= 6) {
        out.append(entry.sideAB ? "W" : "V");
        out.append(charText(79 + entry.value));
        int16_t mark = (entry.mark >= 0 && entry.mark <= 16) ? entry.mark : 0;
        out.append(charText(74 + mark));
        if (entry.percent >= 50) out.append2("%", numberText(entry.percent));
    } else {
        out.append(entry.sideAB ? ":AB" : ":AF");
    }
    return out;
}

void setfromgrivecdef(Grid& g, const TextList& entries) {
    invalidateDerived(g);
    g.hexagons.clear();
    g.hexagonCount = 0;
    g.unitCount = 0;

    /*
     * cellValues is a key=value list with a linear key search; a side index
     * of the keys keeps a description of many cells linear. The last entry
     * for a cell wins.
     */
    std::unordered_map<std::string, int> valueAt;
    DescriptionEntry e;
    for (int k = 1; k <= entries.count(); ++k) {
        if (!parseDescriptionEntry(entries.str(k), e)) continue;
        if (e.isHexagon) g.hexagons.add(e.position);
        if (!e.isCell) continue;
        TextString name = entryCellName(e);
        g.cellNames.add(name);
        if (e.value == 0) continue;
        std::string line = name.s + "=" + numberText(e.value) + "," + numberText(e.percent);
        auto found = valueAt.find(name.s);
        if (found != valueAt.end()) {
            g.cellValues.replaceAt(found->second, line);
        } else {
            g.cellValues.add(line);
            valueAt.emplace(name.s, g.cellValues.count());
        }
        g.hasValues = true;
    }
    g.cellNames.sortUnique();
    g.hexagons.sortUnique();
    ensureBasicLists(g);
}
