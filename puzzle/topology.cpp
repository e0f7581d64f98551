// Grid topology: cells, hexagons, corners, touching cells, lines, holes and ring of a shape; direction fans.
#include "puzzle/topology.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <unordered_map>
#include <unordered_set>

/*
 * The operations work on exact lattice keys instead of texts: every name is
 * read once into axial coordinates, membership goes through hash sets of
 * those keys, and names are written once at the end and sorted as texts. The
 * results are those of the text-list formulation (canonical names, sorted
 * sets, the same entry order), only without its quadratic searches.
 */

namespace {

// A triangle or edge place packed into 64 bits: axial a and b, plus a small tag (orientation or direction).
using PlaceKey = uint64_t;

PlaceKey keyOf(AxialPoint p, uint32_t tag) {
    const uint64_t bias = 1u << 24;
    uint64_t a = static_cast<uint64_t>(static_cast<int64_t>(p.a) + bias) & 0xFFFFFFu;
    uint64_t b = static_cast<uint64_t>(static_cast<int64_t>(p.b) + bias) & 0xFFFFFFu;
    return (a << 28) | (b << 4) | (tag & 0xFu);
}

// Tags of triangles: 1 for P:AB, 0 for P:AF. Edges use their direction index 0..2.
uint32_t triangleTag(bool ab) { return ab ? 1u : 0u; }

struct Triangle {
    AxialPoint p;
    bool ab = false;
};

PlaceKey keyOf(const Triangle& t) { return keyOf(t.p, triangleTag(t.ab)); }

std::string triangleName(const Triangle& t) {
    std::string out;
    appendAxialName(t.p, out);
    out.append(t.ab ? ":AB" : ":AF");
    return out;
}

// A point of a hexagon-centre text: upper-cased, an X marker dropped, read up to the colon.
AxialPoint centreOf(TextRef text) {
    std::string_view v = text.v;
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    if (!v.empty() && (v[0] == 'X' || v[0] == 'x')) v.remove_prefix(1);
    return axialOf(upperText(v));
}

// A fixed token read as an offset from the point it is appended to.
struct TriangleToken {
    AxialPoint offset;
    bool ab = false;
};

struct EdgeToken {
    AxialPoint offset;
    int direction = 0;  // 0..2 for A..C
};

struct ParsedTokens {
    std::vector<TriangleToken> trianglesOfPoint;
    std::vector<TriangleToken> ring;
    std::vector<EdgeToken> spokes;
    std::vector<EdgeToken> rims;
};

struct TopologyTables {
    TopologyTokens tokens;
    ParsedTokens parsed;
};

TopologyTables buildTables();

// The tables are built once, on first use, and never change.
const TopologyTables& tables() {
    static const TopologyTables built = buildTables();
    return built;
}

void addTokens(TextString& text, TextList& list, const std::vector<std::string>& tokens) {
    text.clear();
    list.clear();
    for (const std::string& t : tokens) {
        text.appendItem(t);
        list.add(t);
    }
}

std::vector<TriangleToken> parseTriangleTokens(const TextList& list) {
    std::vector<TriangleToken> out;
    for (const std::string& t : list.items) {
        TriangleToken k;
        if (parseTriangle(t, k.offset, k.ab)) out.push_back(k);
    }
    return out;
}

std::vector<EdgeToken> parseEdgeTokens(const TextList& list) {
    std::vector<EdgeToken> out;
    for (const std::string& t : list.items) {
        size_t colon = t.find(':');
        if (colon == std::string::npos || colon + 1 >= t.size()) continue;
        EdgeToken k;
        k.offset = axialOf(t.substr(0, colon));
        k.direction = directionIndex(t[colon + 1]);
        if (k.direction >= 0 && k.direction < 3) out.push_back(k);
    }
    return out;
}

const ParsedTokens& parsedTokens() {
    return tables().parsed;
}

std::vector<std::string> sortedUnique(std::vector<std::string> names) {
    // Canonical names are upper case, so byte order is the folded order of the text lists.
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    return names;
}

void fillList(TextList& list, std::vector<std::string> names) {
    list.clear();
    list.items = std::move(names);
}

// The valid triangles of a cell list, in list order (names that denote no triangle are skipped).
std::vector<Triangle> readCells(const TextList& cells) {
    std::vector<Triangle> out;
    out.reserve(cells.items.size());
    for (const std::string& name : cells.items) {
        Triangle t;
        if (parseTriangle(name, t.p, t.ab)) out.push_back(t);
    }
    return out;
}

void cornersOf(const Triangle& t, AxialPoint corners[3]) {
    corners[0] = t.p;
    corners[1] = axialStep(t.p, 0);
    corners[2] = axialStep(t.p, t.ab ? 1 : 5);
}

void trianglesAround(AxialPoint p, Triangle out[6]) {
    const std::vector<TriangleToken>& tokens = parsedTokens().trianglesOfPoint;
    for (size_t i = 0; i < 6 && i < tokens.size(); ++i) out[i] = {axialAdd(p, tokens[i].offset), tokens[i].ab};
}

struct PointHash {
    size_t operator()(const AxialPoint& p) const {
        return std::hash<uint64_t>()((static_cast<uint64_t>(static_cast<uint32_t>(p.a)) << 32) |
                                     static_cast<uint32_t>(p.b));
    }
};

using PointSet = std::unordered_set<AxialPoint, PointHash>;

std::unordered_set<PlaceKey> keySet(const std::vector<Triangle>& cells) {
    std::unordered_set<PlaceKey> set;
    set.reserve(cells.size() * 2);
    for (const Triangle& t : cells) set.insert(keyOf(t));
    return set;
}

// Distinct corner points of the cells, in first-seen order.
std::vector<AxialPoint> cornerPoints(const std::vector<Triangle>& cells) {
    PointSet seen;
    seen.reserve(cells.size() * 2);
    std::vector<AxialPoint> out;
    for (const Triangle& t : cells) {
        AxialPoint c[3];
        cornersOf(t, c);
        for (const AxialPoint& p : c) {
            if (seen.insert(p).second) out.push_back(p);
        }
    }
    return out;
}

std::vector<std::string> pointNames(const std::vector<AxialPoint>& points) {
    std::vector<std::string> names;
    names.reserve(points.size());
    for (const AxialPoint& p : points) names.push_back(axialName(p));
    return names;
}

struct Edge {
    AxialPoint p;
    int direction = 0;
};

struct EdgeLine {
    std::string start;
    int direction = 0;
    int length = 0;
};

/*
 * Joins the edges of one direction into straight lines. Each maximal run of
 * consecutive edges becomes one line, kept at the position of its first edge
 * in the sorted list, which is exactly what joining each entry with the entry
 * that begins at its end point, until none is left, produces.
 */
std::vector<std::string> joinCollinear(const std::vector<Edge>& edges, int direction) {
    std::unordered_set<PlaceKey> present;
    present.reserve(edges.size() * 2);
    for (const Edge& e : edges) present.insert(keyOf(e.p, static_cast<uint32_t>(direction)));
    std::vector<std::pair<std::string, std::string>> heads;  // (sorted name of the first edge, line text)
    for (const Edge& e : edges) {
        AxialPoint before = axialStep(e.p, direction + 3);
        if (present.count(keyOf(before, static_cast<uint32_t>(direction)))) continue;
        int length = 1;
        AxialPoint next = axialStep(e.p, direction);
        while (present.count(keyOf(next, static_cast<uint32_t>(direction)))) {
            ++length;
            next = axialStep(next, direction);
        }
        std::string start = axialName(e.p);
        std::string first = start + ":" + directionLetter(direction);
        std::string line = start + ":" + std::string(static_cast<size_t>(length), directionLetter(direction));
        heads.emplace_back(std::move(first), std::move(line));
    }
    std::sort(heads.begin(), heads.end());
    std::vector<std::string> out;
    out.reserve(heads.size());
    for (auto& h : heads) out.push_back(std::move(h.second));
    return out;
}

}  // namespace

namespace {

// Announces the module to trace (once per process: the tables are built once) and builds the token lists.
TopologyTables buildTables() {
    trace("MODULE:Z5KVORNELTOPO");
    TopologyTables t;
    std::vector<std::string> ring;
    for (int k = 0; k < 6; ++k) ring.push_back(turnedName("B:AF", k));
    for (int k = 0; k < 6; ++k) {
        ring.push_back(turnedName("A:AB", k));
        ring.push_back(turnedName("A:AF", k));
    }
    TopologyTokens& tokens = t.tokens;
    addTokens(tokens.trianglesOfPoint, tokens.trianglesOfPointList, {":AB", "C:AF", "D:AB", "D:AF", "E:AB", ":AF"});
    addTokens(tokens.ringOfHexagon, tokens.ringOfHexagonList, ring);
    addTokens(tokens.spokes, tokens.spokesList, {":A", ":B", ":C", "D:A", "E:B", "F:C"});
    addTokens(tokens.rims, tokens.rimsList, {"C:A", "D:B", "E:C", "E:A", "F:B", "A:C"});
    addTokens(tokens.sidePairs, tokens.sidePairsList, {"AB", "BC", "CD", "DE", "EF", "FA"});
    addTokens(tokens.edgeNeighboursAB, tokens.edgeNeighboursABList, {":AF", "B:AF", "C:AF"});
    addTokens(tokens.edgeNeighboursAF, tokens.edgeNeighboursAFList, {":AB", "E:AB", "F:AB"});
    t.parsed.trianglesOfPoint = parseTriangleTokens(tokens.trianglesOfPointList);
    t.parsed.ring = parseTriangleTokens(tokens.ringOfHexagonList);
    t.parsed.spokes = parseEdgeTokens(tokens.spokesList);
    t.parsed.rims = parseEdgeTokens(tokens.rimsList);
    return t;
}

}  // namespace

void startTopology() {
    (void)tables();
}

const TopologyTokens& topologyTokens() {
    return tables().tokens;
}

namespace {

void computeFanEntries(DirectionFan& fan) {
    setMetricSize(fan.vector.metric, fan.radius);
    setMetricAngle(fan.vector.metric, static_cast<int>(std::lround(fan.turn)));
    ensureMetric(fan.vector.metric);
    changeSteps(fan.vector);
    for (int i = 0; i < fan.count && i < static_cast<int>(fan.entries.size()); ++i) {
        FanEntry& e = fan.entries[static_cast<size_t>(i)];
        e.dx = fan.vector.metric.dx[i % 6];
        e.dy = fan.vector.metric.dy[i % 6];
        e.letter[0] = directionLetter(i);
        e.letter[1] = 0;
    }
}

}  // namespace

void createFan(DirectionFan& fan, int16_t count, int16_t radius) {
    (void)count;  // the lattice has six directions; other counts have no meaning here
    fan.count = 6;
    fan.half = 3;
    fan.radius = radius < 0 ? 0 : radius;
    fan.hexagonal = 1;
    fan.entries.assign(6, FanEntry{});
    computeFanEntries(fan);
}

void resizeFan(DirectionFan& fan, int16_t radius) {
    if (fan.entries.empty()) {
        createFan(fan, 6, radius);
        return;
    }
    fan.radius = radius < 0 ? 0 : radius;
    computeFanEntries(fan);
}

void turnFan(DirectionFan& fan, float degrees) {
    fan.turn = std::isfinite(degrees) ? std::fmod(degrees, 360.0f) : 0.0f;
    if (fan.entries.empty()) {
        createFan(fan, 6, fan.radius);
        return;
    }
    computeFanEntries(fan);
}

void releaseFan(DirectionFan& fan) {
    fan.entries.clear();
    fan.entries.shrink_to_fit();
    fan.count = 0;
    fan.half = 0;
}

namespace {

DirectionFan makeFan(int16_t radius) {
    DirectionFan fan;
    createFan(fan, 6, radius);
    return fan;
}

}  // namespace

const DirectionFan& topologyFan() {
    static const DirectionFan fan = makeFan(20);
    return fan;
}

void cellsFromHexagons(const TextList& centres, TextList& cells) {
    std::unordered_set<PlaceKey> seen;
    seen.reserve(centres.items.size() * 8);
    std::vector<std::string> names;
    for (const std::string& c : centres.items) {
        Triangle around[6];
        trianglesAround(centreOf(c), around);
        for (const Triangle& t : around) {
            if (seen.insert(keyOf(t)).second) names.push_back(triangleName(t));
        }
    }
    fillList(cells, sortedUnique(std::move(names)));
}

void cornerPointsOfCells(const TextList& cells, TextList& corners) {
    fillList(corners, sortedUnique(pointNames(cornerPoints(readCells(cells)))));
}

void hexagonsFromCells(const TextList& cells, TextList& complete, TextList& partial) {
    std::vector<Triangle> list = readCells(cells);
    std::unordered_set<PlaceKey> present = keySet(list);
    std::vector<std::string> full, part;
    for (const AxialPoint& p : cornerPoints(list)) {
        Triangle around[6];
        trianglesAround(p, around);
        int n = 0;
        for (const Triangle& t : around) n += present.count(keyOf(t)) ? 1 : 0;
        if (n == 6)
            full.push_back(axialName(p));
        else if (n >= 3)
            part.push_back(axialName(p));
    }
    fillList(complete, sortedUnique(std::move(full)));
    fillList(partial, sortedUnique(std::move(part)));
}

void touchingCells(const TextList& cells, TextList& entries) {
    std::vector<Triangle> valid = readCells(cells);
    std::unordered_set<PlaceKey> present = keySet(valid);
    std::vector<std::string> out;
    out.reserve(cells.items.size());
    std::vector<PlaceKey> seen;
    std::vector<std::string> names;
    for (const std::string& name : cells.items) {
        Triangle c;
        if (!parseTriangle(name, c.p, c.ab)) {
            // A name that is no triangle touches nothing; it keeps its entry so positions stay aligned.
            out.push_back(name + ",  ");
            continue;
        }
        PlaceKey self = keyOf(c);
        seen.clear();
        names.clear();
        AxialPoint corners[3];
        cornersOf(c, corners);
        for (const AxialPoint& p : corners) {
            Triangle around[6];
            trianglesAround(p, around);
            for (const Triangle& t : around) {
                PlaceKey k = keyOf(t);
                if (k == self || !present.count(k)) continue;
                if (std::find(seen.begin(), seen.end(), k) != seen.end()) continue;
                seen.push_back(k);
                names.push_back(triangleName(t));
            }
        }
        std::sort(names.begin(), names.end());
        std::string entry = triangleName(c) + ",  ";
        for (const std::string& n : names) {
            entry += n;
            entry += ',';
        }
        out.push_back(std::move(entry));
    }
    fillList(entries, std::move(out));
}

void lines(const TextList& hexagons, TextList& inner, TextList& outer) {
    const ParsedTokens& tokens = parsedTokens();
    std::vector<std::string> innerOut, outerOut;
    for (int d = 0; d < 3; ++d) {
        std::unordered_set<PlaceKey> innerSet;
        std::unordered_map<PlaceKey, int> outerCount;
        std::vector<Edge> innerEdges, outerEdges;
        for (const std::string& q : hexagons.items) {
            AxialPoint c = centreOf(q);
            for (const EdgeToken& s : tokens.spokes) {
                if (s.direction != d) continue;
                Edge e{axialAdd(c, s.offset), d};
                if (innerSet.insert(keyOf(e.p, static_cast<uint32_t>(d))).second) innerEdges.push_back(e);
            }
            for (const EdgeToken& r : tokens.rims) {
                if (r.direction != d) continue;
                Edge e{axialAdd(c, r.offset), d};
                if (outerCount[keyOf(e.p, static_cast<uint32_t>(d))]++ == 0) outerEdges.push_back(e);
            }
        }
        // A rim that is a spoke, or the rim of two hexagons, lies inside the shape.
        std::vector<Edge> outerKept;
        for (const Edge& e : outerEdges) {
            PlaceKey k = keyOf(e.p, static_cast<uint32_t>(d));
            if (innerSet.count(k)) continue;
            if (outerCount[k] >= 2) {
                innerSet.insert(k);
                innerEdges.push_back(e);
                continue;
            }
            outerKept.push_back(e);
        }
        for (std::string& line : joinCollinear(innerEdges, d)) innerOut.push_back(std::move(line));
        for (std::string& line : joinCollinear(outerKept, d)) outerOut.push_back(std::move(line));
    }
    fillList(inner, std::move(innerOut));
    fillList(outer, std::move(outerOut));
}

void holesAndRing(const TextList& cells, const TextList& hexagons, TextList& ring, TextList& holes) {
    const ParsedTokens& tokens = parsedTokens();
    std::unordered_set<PlaceKey> present = keySet(readCells(cells));

    struct Candidate {
        Triangle t;
        std::string name;
        int16_t steps[6];
        bool taken;
    };
    std::vector<Candidate> cand;
    {
        std::unordered_set<PlaceKey> seen;
        for (const std::string& q : hexagons.items) {
            AxialPoint c = centreOf(q);
            for (const TriangleToken& r : tokens.ring) {
                Triangle t{axialAdd(c, r.offset), r.ab};
                PlaceKey k = keyOf(t);
                if (present.count(k) || !seen.insert(k).second) continue;
                Candidate x{t, triangleName(t), {}, false};
                axialCounters(t.p, x.steps);
                cand.push_back(std::move(x));
            }
        }
    }
    std::sort(cand.begin(), cand.end(), [](const Candidate& a, const Candidate& b) { return a.name < b.name; });
    std::unordered_map<PlaceKey, size_t> position;
    position.reserve(cand.size() * 2);
    for (size_t i = 0; i < cand.size(); ++i) position[keyOf(cand[i].t)] = i;

    // The extremes: per sector, the remaining candidate farthest out (the later one of equals).
    std::vector<size_t> work;
    for (const std::string& pair : topologyTokens().sidePairsList.items) {
        long best = 0;
        size_t chosen = cand.size();
        size_t first = cand.size();
        for (size_t i = cand.size(); i-- > 0;) {
            if (cand[i].taken) continue;
            first = i;
            long w = 0;
            for (char letter : pair) {
                int16_t d = directionIndex(letter);
                if (d >= 0) w += cand[i].steps[d];
            }
            if (w > best) {
                best = w;
                chosen = i;
            }
        }
        if (chosen == cand.size()) chosen = first;
        if (chosen == cand.size()) break;  // no candidate left
        cand[chosen].taken = true;
        work.push_back(chosen);
    }

    // The flood over edge neighbours from the extremes: everything it reaches is outside.
    std::vector<std::string> ringNames;
    for (size_t head = 0; head < work.size(); ++head) {
        const Candidate& c = cand[work[head]];
        // Edge neighbours: P:AB -> P:AF, PB:AF, PC:AF;  P:AF -> P:AB, PE:AB, PF:AB.
        const bool ab = c.t.ab;
        const Triangle n[3] = {{c.t.p, !ab}, {axialStep(c.t.p, ab ? 1 : 4), !ab}, {axialStep(c.t.p, ab ? 2 : 5), !ab}};
        for (const Triangle& t : n) {
            auto it = position.find(keyOf(t));
            if (it == position.end() || cand[it->second].taken) continue;
            cand[it->second].taken = true;
            work.push_back(it->second);
        }
        ringNames.push_back(c.name);
    }
    std::vector<std::string> holeNames;
    for (const Candidate& c : cand) {
        if (!c.taken) holeNames.push_back(c.name);
    }
    fillList(ring, sortedUnique(std::move(ringNames)));
    fillList(holes, std::move(holeNames));
}

int16_t heightOfPath(const DirectionFan& fan, TextRef path) {
    long long h = 0;
    for (char c : path.v) {
        if (c == ':') break;
        if (c == '0' || c == ' ') continue;
        int16_t d = directionIndex(c);
        if (d >= 0 && d < static_cast<int>(fan.entries.size())) h += fan.entries[static_cast<size_t>(d)].dy;
    }
    if (h > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
    if (h < std::numeric_limits<int16_t>::min()) return std::numeric_limits<int16_t>::min();
    return static_cast<int16_t>(h);
}

void buildNameIndex(NameIndex& index, const TextList& names) {
    index.positions.clear();
    index.positions.reserve(names.items.size() * 2);
    int n = std::min<int>(names.count(), std::numeric_limits<int16_t>::max());
    for (int i = 1; i <= n; ++i) index.positions.emplace(upperText(names.items[static_cast<size_t>(i - 1)]), static_cast<int16_t>(i));
}

int16_t indexOfName(const NameIndex& index, TextRef name) {
    auto it = index.positions.find(std::string(name.v));
    if (it != index.positions.end()) return it->second;
    std::string upper = upperText(name);
    if (upper == name.v) return 0;
    it = index.positions.find(upper);
    return it == index.positions.end() ? 0 : it->second;
}

bool splitTouchingEntry(TextRef entry, std::string& cell, TextList& touching) {
    cell.clear();
    touching.clear();
    size_t comma = entry.v.find(',');
    if (comma == std::string_view::npos) return false;
    std::string_view head = entry.v.substr(0, comma);
    while (!head.empty() && head.front() == ' ') head.remove_prefix(1);
    while (!head.empty() && head.back() == ' ') head.remove_suffix(1);
    cell.assign(head);
    touching = splitItems(entry.v.substr(comma + 1));
    touching.dropEmpty();
    return true;
}
