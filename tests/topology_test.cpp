// Tests of the grid topology: cells, hexagons, corners, touching cells, lines, holes and ring, fans.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "puzzle/lattice.h"
#include "puzzle/topology.h"

namespace {

TextList listOf(std::initializer_list<const char*> names) {
    TextList l;
    for (const char* n : names) l.add(n);
    return l;
}

std::vector<std::string> items(const TextList& l) { return l.items; }

struct Shape {
    TextList centres, cells, hexagons, partial, corners, touching, inner, outer, ring, holes;
};

Shape derive(const TextList& centres) {
    Shape s;
    s.centres = centres;
    cellsFromHexagons(centres, s.cells);
    hexagonsFromCells(s.cells, s.hexagons, s.partial);
    cornerPointsOfCells(s.cells, s.corners);
    touchingCells(s.cells, s.touching);
    lines(s.hexagons, s.inner, s.outer);
    holesAndRing(s.cells, s.hexagons, s.ring, s.holes);
    return s;
}

// All lattice points within hexagonal distance r of the origin.
TextList filledRegion(int r) {
    TextList l;
    for (int a = -r; a <= r; ++a)
        for (int b = -r; b <= r; ++b)
            if (std::abs(a) + std::abs(b) + std::abs(a + b) <= 2 * r) l.add(axialName({a, b}));
    return l;
}

// The lattice points at exactly hexagonal distance r from the origin.
TextList ringOfPoints(int r) {
    TextList l;
    for (int a = -r; a <= r; ++a)
        for (int b = -r; b <= r; ++b)
            if (std::abs(a) + std::abs(b) + std::abs(a + b) == 2 * r) l.add(axialName({a, b}));
    return l;
}

bool isSortedSet(const TextList& l) {
    for (int i = 2; i <= l.count(); ++i)
        if (foldedOrder(l.str(i - 1), l.str(i)) >= 0) return false;
    return true;
}

// The unit edges of a line "P:XXX", each written "Q:X".
std::vector<std::string> edgesOfLine(const std::string& line) {
    std::vector<std::string> out;
    size_t colon = line.find(':');
    AxialPoint p = axialOf(line.substr(0, colon));
    for (size_t i = colon + 1; i < line.size(); ++i) {
        int d = directionIndex(line[i]);
        out.push_back(axialName(p) + ":" + line[i]);
        p = axialStep(p, d);
    }
    return out;
}

// How many of the two triangles along a canonical edge are cells.
int cellSidesOfEdge(const std::string& edge, const std::set<std::string>& cells) {
    size_t colon = edge.find(':');
    std::string p = edge.substr(0, colon);
    char d = edge[colon + 1];
    std::vector<std::string> sides;
    if (d == 'A') sides = {p + ":AB", p + ":AF"};
    if (d == 'B') sides = {p + ":AB", normalisePoint(p + "C") + ":AF"};
    if (d == 'C') sides = {normalisePoint(p + "C") + ":AF", normalisePoint(p + "D") + ":AB"};
    int n = 0;
    for (const std::string& s : sides) n += cells.count(s) ? 1 : 0;
    return n;
}

std::vector<std::string> gTrace;
void collectTrace(const char* line) { gTrace.push_back(line); }

}  // namespace

/*
 * The topology announces its start to the trace once per process, when its
 * tables are first built. This process may have built them long before the
 * test, so the first start is watched in a child process of its own (the
 * "threadsafe" style runs the test binary again for this one test): there the
 * announcement must come exactly once, with the first start. Here, starting
 * again announces nothing more.
 */
TEST(TopologyModule, AnnouncesItselfOnceWithTheFirstStartOfAProcess) {
    const std::string style = GTEST_FLAG_GET(death_test_style);
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            setTraceSink(collectTrace);
            startTopology();
            const auto first = std::count(gTrace.begin(), gTrace.end(), std::string("MODULE:Z5KVORNELTOPO"));
            startTopology();
            const auto later = std::count(gTrace.begin(), gTrace.end(), std::string("MODULE:Z5KVORNELTOPO"));
            std::exit(first == 1 && later == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
    GTEST_FLAG_SET(death_test_style, style);

    setTraceSink(collectTrace);
    startTopology();
    startTopology();
    const auto announced = std::count(gTrace.begin(), gTrace.end(), std::string("MODULE:Z5KVORNELTOPO"));
    startTopology();
    setTraceSink(nullptr);
    EXPECT_LE(announced, 1);
    EXPECT_EQ(std::count(gTrace.begin(), gTrace.end(), std::string("MODULE:Z5KVORNELTOPO")), announced);
    EXPECT_FALSE(topologyTokens().trianglesOfPoint.isEmpty());
}

TEST(TopologyModule, FixedTokenLists) {
    const TopologyTokens& t = topologyTokens();
    EXPECT_EQ(t.trianglesOfPoint.s, ":AB,C:AF,D:AB,D:AF,E:AB,:AF,");
    EXPECT_EQ(t.spokes.s, ":A,:B,:C,D:A,E:B,F:C,");
    EXPECT_EQ(t.rims.s, "C:A,D:B,E:C,E:A,F:B,A:C,");
    EXPECT_EQ(t.sidePairs.s, "AB,BC,CD,DE,EF,FA,");
    EXPECT_EQ(t.edgeNeighboursAB.s, ":AF,B:AF,C:AF,");
    EXPECT_EQ(t.edgeNeighboursAF.s, ":AB,E:AB,F:AB,");
    // The ring: 18 distinct canonical triangles outside the origin's hexagon, each touching one of its corners.
    ASSERT_EQ(t.ringOfHexagonList.count(), 18);
    EXPECT_EQ(t.ringOfHexagonList.str(1), "B:AF");
    EXPECT_EQ(t.ringOfHexagonList.str(7), "A:AB");
    EXPECT_EQ(t.ringOfHexagonList.str(8), "A:AF");
    std::set<std::string> ring(t.ringOfHexagonList.items.begin(), t.ringOfHexagonList.items.end());
    EXPECT_EQ(ring.size(), 18u);
    std::array<std::string, 6> own;
    trianglesOfPoint("", own);
    for (const std::string& r : ring) {
        EXPECT_EQ(normaliseTriangle(r), r);
        EXPECT_EQ(std::count(own.begin(), own.end(), r), 0) << r;
        std::array<std::string, 3> c;
        ASSERT_EQ(cornersOfTriangle(r, c), 3);
        int nearCorners = 0;
        for (const std::string& p : c) nearCorners += (p.size() == 1) ? 1 : 0;
        EXPECT_GE(nearCorners, 1) << r;
    }
}

TEST(TopologyShapes, OneHexagonAtTheOrigin) {
    Shape s = derive(listOf({""}));
    EXPECT_EQ(items(s.cells), (std::vector<std::string>{":AB", ":AF", "C:AF", "D:AB", "D:AF", "E:AB"}));
    EXPECT_EQ(items(s.hexagons), (std::vector<std::string>{""}));
    EXPECT_TRUE(s.partial.isEmpty());
    EXPECT_EQ(items(s.corners), (std::vector<std::string>{"", "A", "B", "C", "D", "E", "F"}));
    ASSERT_EQ(s.touching.count(), 6);
    EXPECT_EQ(s.touching.str(1), ":AB,  :AF,C:AF,D:AB,D:AF,E:AB,");
    EXPECT_EQ(items(s.inner), (std::vector<std::string>{"D:AA", "E:BB", "F:CC"}));
    EXPECT_EQ(items(s.outer), (std::vector<std::string>{"C:A", "E:A", "D:B", "F:B", "A:C", "E:C"}));
    EXPECT_EQ(s.ring.count(), 18);
    EXPECT_TRUE(s.holes.isEmpty());
}

TEST(TopologyShapes, TwoHexagonsMakeTwoPartialOnes) {
    Shape s = derive(listOf({"", "A"}));
    EXPECT_EQ(s.cells.count(), 10);
    EXPECT_EQ(items(s.hexagons), (std::vector<std::string>{"", "A"}));
    EXPECT_EQ(items(s.partial), (std::vector<std::string>{"B", "F"}));
    EXPECT_EQ(s.corners.count(), 10);
    // The spoke through both centres is one straight inner line of three units.
    EXPECT_EQ(s.inner.indexOf("D:AAA"), 1);
    EXPECT_TRUE(s.holes.isEmpty());
}

TEST(TopologyShapes, ThreeHexagonsAroundAPointCloseAFourth) {
    Shape s = derive(listOf({"A", "C", "E"}));
    EXPECT_EQ(s.cells.count(), 18);
    EXPECT_EQ(items(s.hexagons), (std::vector<std::string>{"", "A", "C", "E"}));
    EXPECT_EQ(items(s.partial), (std::vector<std::string>{"B", "D", "F"}));
}

TEST(TopologyShapes, SixHexagonsAroundThePointCloseIt) {
    Shape s = derive(listOf({"A", "B", "C", "D", "E", "F"}));
    EXPECT_EQ(s.hexagons.count(), 7);
    EXPECT_EQ(s.hexagons.indexOf(""), 1);
    EXPECT_TRUE(s.holes.isEmpty());
}

TEST(TopologyShapes, NoHexagonGivesEmptyListsEverywhere) {
    Shape s = derive(TextList());
    EXPECT_TRUE(s.cells.isEmpty());
    EXPECT_TRUE(s.hexagons.isEmpty());
    EXPECT_TRUE(s.partial.isEmpty());
    EXPECT_TRUE(s.corners.isEmpty());
    EXPECT_TRUE(s.touching.isEmpty());
    EXPECT_TRUE(s.inner.isEmpty());
    EXPECT_TRUE(s.outer.isEmpty());
    EXPECT_TRUE(s.ring.isEmpty());
    EXPECT_TRUE(s.holes.isEmpty());
}

TEST(TopologyShapes, OutputsAreClearedFirst) {
    TextList cells = listOf({"stale"});
    cellsFromHexagons(TextList(), cells);
    EXPECT_TRUE(cells.isEmpty());
    TextList ring = listOf({"x"}), holes = listOf({"y"});
    holesAndRing(TextList(), TextList(), ring, holes);
    EXPECT_TRUE(ring.isEmpty());
    EXPECT_TRUE(holes.isEmpty());
}

TEST(TopologyShapes, DuplicateLowerCaseAndOtherNamesOfTheSameCentres) {
    Shape plain = derive(listOf({"", "A", "B", "AB"}));
    Shape messy = derive(listOf({"ca", "AD", "a", "A", "BE", "xab", "a1"}));
    EXPECT_EQ(items(messy.cells), items(plain.cells));
    EXPECT_EQ(items(messy.hexagons), items(plain.hexagons));
    EXPECT_EQ(items(messy.partial), items(plain.partial));
    EXPECT_EQ(items(messy.inner), items(plain.inner));
    EXPECT_EQ(items(messy.outer), items(plain.outer));
    EXPECT_EQ(items(messy.ring), items(plain.ring));
}

TEST(TopologyShapes, ResultsAreSortedSetsOfCanonicalNames) {
    Shape s = derive(filledRegion(3));
    for (const TextList* l : {&s.cells, &s.hexagons, &s.partial, &s.corners, &s.ring, &s.holes}) {
        EXPECT_TRUE(isSortedSet(*l));
        for (const std::string& n : l->items) EXPECT_EQ(normaliseTriangle(n), n);
    }
    EXPECT_EQ(s.hexagons.count(), 37);
    EXPECT_EQ(s.cells.count(), 6 * 16);  // a hexagon of side 4 in triangles
}

TEST(TopologyTouching, EntriesArePerCellSortedSymmetricAndAtMostTwelve) {
    Shape s = derive(filledRegion(2));
    ASSERT_EQ(s.touching.count(), s.cells.count());
    NameIndex index;
    buildNameIndex(index, s.cells);
    std::set<std::pair<int, int>> pairs;
    int twelve = 0;
    for (int i = 1; i <= s.touching.count(); ++i) {
        std::string cell;
        TextList peers;
        ASSERT_TRUE(splitTouchingEntry(s.touching.str(i), cell, peers));
        EXPECT_EQ(cell, s.cells.str(i));
        EXPECT_EQ(s.touching.str(i).substr(cell.size(), 3), ",  ");
        EXPECT_LE(peers.count(), 12);
        twelve += peers.count() == 12 ? 1 : 0;
        EXPECT_TRUE(isSortedSet(peers));
        for (const std::string& p : peers.items) {
            int j = indexOfName(index, p);
            ASSERT_GT(j, 0) << p;
            EXPECT_NE(j, i);
            pairs.insert({i, j});
        }
    }
    EXPECT_GT(twelve, 0);  // inner cells touch the full twelve
    for (const auto& [i, j] : pairs) EXPECT_TRUE(pairs.count({j, i})) << i << " " << j;
}

TEST(TopologyTouching, CellListsThatAreNotFromHexagons) {
    TextList cells = listOf({":AB", "bogus", "A:AF", "F:AB"});
    TextList entries;
    touchingCells(cells, entries);
    ASSERT_EQ(entries.count(), 4);
    EXPECT_EQ(entries.str(1), ":AB,  A:AF,F:AB,");
    EXPECT_EQ(entries.str(2), "bogus,  ");
    EXPECT_EQ(entries.str(3), "A:AF,  :AB,F:AB,");
    EXPECT_EQ(entries.str(4), "F:AB,  :AB,A:AF,");
}

TEST(TopologyLines, InnerEdgesHaveCellsOnBothSidesAndOuterOnOne) {
    for (const TextList& centres : {listOf({""}), listOf({"", "A"}), listOf({"A", "C", "E"}), filledRegion(2),
                                    ringOfPoints(2), listOf({"", "AA", "AAB"})}) {
        Shape s = derive(centres);
        std::set<std::string> cells(s.cells.items.begin(), s.cells.items.end());
        std::set<std::string> seen;
        for (const std::string& line : s.inner.items) {
            for (const std::string& e : edgesOfLine(line)) {
                EXPECT_EQ(cellSidesOfEdge(e, cells), 2) << e;
                EXPECT_TRUE(seen.insert(e).second) << e;
            }
        }
        for (const std::string& line : s.outer.items) {
            for (const std::string& e : edgesOfLine(line)) {
                EXPECT_EQ(cellSidesOfEdge(e, cells), 1) << e;
                EXPECT_TRUE(seen.insert(e).second) << e;
            }
        }
        // Every side of every cell is drawn exactly once.
        std::set<std::string> sides;
        for (const std::string& c : cells) {
            std::array<std::string, 3> k;
            cornersOfTriangle(c, k);
            char third = isTriangleAB(c) ? 'B' : 'F';
            sides.insert(normaliseEdge(k[0] + ":A"));
            sides.insert(normaliseEdge(k[0] + ":" + third));
            sides.insert(normaliseEdge(k[1] + ":" + (third == 'B' ? 'C' : 'E')));
        }
        EXPECT_EQ(seen, sides);
    }
}

TEST(TopologyLines, CollinearEdgesAreJoinedIntoMaximalLines) {
    Shape s = derive(listOf({"", "AA"}));  // two hexagons touching at the corner A
    // The A-direction line through both centres runs from D to AAA without a break.
    EXPECT_GT(s.inner.indexOf("D:AAAA"), 0);
    for (const std::string& line : s.inner.items) {
        size_t colon = line.find(':');
        std::string letters = line.substr(colon + 1);
        EXPECT_EQ(letters.find_first_not_of(letters[0]), std::string::npos) << line;
        // No other line starts where this one ends.
        std::string end = normalisePoint(line.substr(0, colon) + letters) + ":" + letters[0];
        for (const std::string& other : s.inner.items) EXPECT_NE(other.rfind(end, 0), 0u) << line << " " << other;
    }
}

TEST(TopologyHoles, RingOfTwelveEnclosesTheCentralHexagon) {
    Shape s = derive(ringOfPoints(2));
    EXPECT_EQ(s.hexagons.count(), 12);
    EXPECT_EQ(items(s.holes), (std::vector<std::string>{":AB", ":AF", "C:AF", "D:AB", "D:AF", "E:AB"}));
    for (const std::string& h : s.holes.items) {
        EXPECT_EQ(s.ring.indexOf(h), 0) << h;
        EXPECT_EQ(s.cells.indexOf(h), 0) << h;
    }
    for (const std::string& r : s.ring.items) EXPECT_EQ(s.cells.indexOf(r), 0) << r;
}

TEST(TopologyHoles, AGapAtOnePointStaysEnclosedAWiderGapOpensIt) {
    // Without AF the gap is one triangle wider, but it meets the outside only at a corner.
    TextList oneMissing = ringOfPoints(2);
    oneMissing.removeAt(oneMissing.indexOf("AF"));
    Shape s = derive(oneMissing);
    EXPECT_EQ(s.holes.count(), 7);
    EXPECT_GT(s.holes.indexOf("F:AB"), 0);
    // Without AA and AF the enclosed triangles reach the outside through an edge.
    TextList twoMissing = oneMissing;
    twoMissing.removeAt(twoMissing.indexOf("AA"));
    Shape open = derive(twoMissing);
    EXPECT_TRUE(open.holes.isEmpty());
    EXPECT_GT(open.ring.indexOf(":AB"), 0);
}

TEST(TopologyHoles, LargeRingListsTheEnclosedTrianglesAlongTheGridAndFilledRegionsNone) {
    Shape ring = derive(ringOfPoints(4));
    Shape filled = derive(filledRegion(3));
    /*
     * Inside the ring of radius 4 the hexagon of radius 3 is uncovered (54
     * triangles). Holes are found among the triangles that touch a complete
     * hexagon, so the 24 triangles deep inside (radius 2) are not listed.
     */
    EXPECT_EQ(ring.holes.count(), 54 - 24);
    for (const std::string& h : ring.holes.items) {
        std::array<std::string, 3> c;
        cornersOfTriangle(h, c);
        int far = 0;
        for (const std::string& p : c) far += p.size() == 3 ? 1 : 0;  // distance 3 from the origin
        EXPECT_GE(far, 1) << h;
    }
    EXPECT_TRUE(filled.holes.isEmpty());
    std::set<std::string> all(ring.holes.items.begin(), ring.holes.items.end());
    for (const std::string& r : ring.ring.items) EXPECT_EQ(all.count(r), 0u);
}

TEST(TopologyFan, VectorsFollowRadiusAndTurn) {
    DirectionFan fan;
    createFan(fan, 6, 30);
    ASSERT_EQ(fan.entries.size(), 6u);
    EXPECT_EQ(fan.count, 6);
    EXPECT_EQ(fan.half, 3);
    EXPECT_EQ(fan.hexagonal, 1);
    const int dx[6] = {30, 15, -15, -30, -15, 15};
    const int dy[6] = {0, 26, 26, 0, -26, -26};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(fan.entries[i].dx, dx[i]);
        EXPECT_EQ(fan.entries[i].dy, dy[i]);
        EXPECT_EQ(fan.entries[i].letter[0], 'A' + i);
        EXPECT_EQ(fan.entries[i].letter[1], 0);
    }
    resizeFan(fan, 13);
    EXPECT_EQ(fan.vector.metric.size, 14);
    EXPECT_EQ(fan.entries[0].dx, 14);
    turnFan(fan, 90.0f);
    EXPECT_EQ(fan.entries[0].dx, 0);
    EXPECT_EQ(fan.entries[0].dy, 14);
    turnFan(fan, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(fan.entries[0].dx, 14);
    createFan(fan, 9, -4);  // only six directions exist; a negative radius is none
    EXPECT_EQ(fan.count, 6);
    EXPECT_EQ(fan.entries[0].dx, 0);
    releaseFan(fan);
    EXPECT_TRUE(fan.entries.empty());
    EXPECT_EQ(heightOfPath(fan, "B"), 0);
    EXPECT_EQ(topologyFan().radius, 20);
    EXPECT_EQ(topologyFan().entries.size(), 6u);
}

TEST(TopologyFan, HeightOfAPath) {
    DirectionFan fan;
    createFan(fan, 6, 30);
    EXPECT_EQ(heightOfPath(fan, "B"), 26);
    EXPECT_EQ(heightOfPath(fan, "BC:AF"), 52);
    EXPECT_EQ(heightOfPath(fan, "B0 E"), 0);
    EXPECT_EQ(heightOfPath(fan, "EEA"), -52);
    EXPECT_EQ(heightOfPath(fan, ""), 0);
    EXPECT_EQ(heightOfPath(fan, ":BBB"), 0);
}

TEST(TopologyIndex, PositionsOfNames) {
    TextList names = listOf({":AB", "A:AF", "B:AB", "A:AF"});
    NameIndex index;
    buildNameIndex(index, names);
    EXPECT_EQ(indexOfName(index, ":AB"), 1);
    EXPECT_EQ(indexOfName(index, "a:af"), 2);  // first of equal names, letter case ignored
    EXPECT_EQ(indexOfName(index, "B:AB"), 3);
    EXPECT_EQ(indexOfName(index, "C:AB"), 0);
    EXPECT_EQ(indexOfName(index, ""), 0);
    std::string cell;
    TextList peers;
    EXPECT_FALSE(splitTouchingEntry("no comma", cell, peers));
    EXPECT_TRUE(cell.empty());
    EXPECT_TRUE(splitTouchingEntry("A:AB,  ", cell, peers));
    EXPECT_EQ(cell, "A:AB");
    EXPECT_TRUE(peers.isEmpty());
}
