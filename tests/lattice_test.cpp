// Tests of lattice names: paths, canonical forms, normalisation, neighbourhoods, turning, cell codes, pixels.
#include <gtest/gtest.h>

#include <string>

#include "puzzle/lattice.h"

namespace {

std::string expanded(const std::string& path) {
    HexVector v;
    parsePath(v, path);
    return expandedText(v);
}

std::string compact(const std::string& path) {
    HexVector v;
    parsePath(v, path);
    return compactText(v);
}

}  // namespace

TEST(LatticePath, OppositeStepsAndEmptyTextAreTheOrigin) {
    EXPECT_EQ(expanded(""), "");
    EXPECT_EQ(expanded("AD"), "");
    EXPECT_EQ(expanded("BE"), "");
    EXPECT_EQ(expanded("CF"), "");
    EXPECT_EQ(expanded("ACE"), "");
    EXPECT_EQ(expanded("BDF"), "");
    EXPECT_EQ(expanded("ABCDEF"), "");
}

TEST(LatticePath, StepsHundredAndTwentyDegreesApartJoin) {
    EXPECT_EQ(expanded("AC"), "B");
    EXPECT_EQ(expanded("CA"), "B");
    EXPECT_EQ(expanded("AAC"), "AB");
    EXPECT_EQ(expanded("FB"), "A");
    EXPECT_EQ(expanded("EA"), "F");
    EXPECT_EQ(expanded("DB"), "C");
    // Letters come out in direction order whatever the order of the path.
    EXPECT_EQ(expanded("BAA"), "AAB");
    EXPECT_EQ(expanded("FAA"), "AAF");
    EXPECT_EQ(expanded("CCCDD"), "CCCDD");
}

TEST(LatticePath, CanonicalFormHasAtMostTwoAdjacentDirections) {
    const char* paths[] = {"ACEACEBB", "ABCDEFAB", "AAAACCCEE", "FFFBBBDDA", "EEEEEC", "A9B9C9D2", "DDDDFFFBB"};
    for (const char* p : paths) {
        HexVector v;
        parsePath(v, p);
        reduceVector(v);
        int nonZero = 0, first = -1, second = -1;
        for (int i = 0; i < 6; ++i) {
            if (v.steps[i] != 0) {
                ++nonZero;
                (first < 0 ? first : second) = i;
            }
        }
        EXPECT_LE(nonZero, 2) << p;
        if (nonZero == 2) {
            EXPECT_TRUE(second - first == 1 || (first == 0 && second == 5)) << p;
        }
        // The same place reached through axial coordinates gives the same text.
        EXPECT_EQ(expandedText(v), axialName(axialOf(p))) << p;
    }
}

TEST(LatticePath, RepeatDigitsAndCompactForm) {
    EXPECT_EQ(expanded("A3"), "AAA");
    EXPECT_EQ(expanded("A3"), expanded("AAA"));
    EXPECT_EQ(expanded("A1"), "A");
    EXPECT_EQ(expanded("A2B3"), "AABBB");
    EXPECT_EQ(expanded("AAAAAAAAAAAA"), "AAAAAAAAAAAA");
    EXPECT_EQ(compact("AAAAAAAAAAAA"), "A9A3");
    EXPECT_EQ(compact("AAB"), "A2B");
    EXPECT_EQ(compact("A9"), "A9");
    EXPECT_EQ(compact("A9A"), "A9A");
    EXPECT_EQ(compact("DDDDDDDDDEE"), "D9E2");
    EXPECT_EQ(expanded("A9A3"), "AAAAAAAAAAAA");
}

TEST(LatticePath, ParseStopsAtTheFirstForeignCharacter) {
    HexVector v;
    EXPECT_EQ(parsePath(v, "AB:AF"), 2);
    EXPECT_EQ(expandedText(v), "AB");
    EXPECT_EQ(expanded("A*B"), "A");
    // Lower case is not a path letter for the parser itself (callers upper-case first).
    EXPECT_EQ(expanded("Ab"), "A");
    // '0' is no repeat count: it ends the path.
    EXPECT_EQ(expanded("A0B"), "A");
    // A digit before any letter has nothing to repeat and is ignored.
    EXPECT_EQ(expanded("3A"), "A");
    EXPECT_EQ(expanded("99"), "");
    EXPECT_EQ(expanded("\xE9" "A"), "");
}

TEST(LatticePath, LongPathsGrowBeyondTheNominalRoomAndCountersSaturate) {
    std::string hundred(100, 'B');
    EXPECT_EQ(expanded(hundred), hundred);
    std::string c = compact(hundred);
    EXPECT_EQ(c, "B9B9B9B9B9B9B9B9B9B9B9B");
    EXPECT_GT(c.size(), static_cast<size_t>(kCompactPathRoom));
    // 40000 steps saturate at the counter range without wrapping to a negative count.
    std::string huge;
    for (int i = 0; i < 5000; ++i) huge += "A8";
    HexVector v;
    parsePath(v, huge);
    reduceVector(v);
    EXPECT_EQ(v.steps[0], kMaxStepCount);
    EXPECT_EQ(expandedText(v).size(), static_cast<size_t>(kMaxStepCount));
    EXPECT_EQ(pixelX(v), 32767);  // saturated pixel, not a wrapped one
}

TEST(LatticePath, TextCacheFollowsChangesOfTheCounters) {
    HexVector v;
    parsePath(v, "AB");
    EXPECT_EQ(expandedText(v), "AB");
    EXPECT_EQ(v.expandedCached, 1);
    addSteps(v, 0, 2);
    EXPECT_EQ(v.expandedCached, 0);
    EXPECT_EQ(v.canonical, 0);
    EXPECT_EQ(expandedText(v), "AAAB");
    EXPECT_EQ(compactText(v), "A3B");
    EXPECT_EQ(v.expandedCached, 0);
    EXPECT_EQ(expandedText(v), "AAAB");
    addSteps(v, 0, -3);  // three steps back: three steps D
    EXPECT_EQ(expandedText(v), "B");
    resetVector(v);
    EXPECT_TRUE(v.text.isEmpty());
    EXPECT_EQ(v.parsed, 0);
    EXPECT_EQ(v.steps[1], 1);  // reset keeps the counters
}

TEST(LatticeMetric, DefaultVectorsAndCentroids) {
    HexMetric m;
    ensureMetric(m);
    const int dx[6] = {30, 15, -15, -30, -15, 15};
    const int dy[6] = {0, 26, 26, 0, -26, -26};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(m.dx[i], dx[i]) << i;
        EXPECT_EQ(m.dy[i], dy[i]) << i;
    }
    EXPECT_EQ(m.centreAB.x, 15);
    EXPECT_EQ(m.centreAB.y, 8);
    EXPECT_EQ(m.centreAF.x, 15);
    EXPECT_EQ(m.centreAF.y, -8);
}

TEST(LatticeMetric, OddSizeIsRaisedAndTurnedStepsStillClose) {
    HexMetric m;
    setMetricSize(m, 31);
    EXPECT_EQ(m.size, 32);
    EXPECT_EQ(m.valid, 0);
    ensureMetric(m);
    EXPECT_EQ(m.dx[0], 32);
    setMetricSize(m, -5);
    EXPECT_EQ(m.size, 0);
    setMetricSize(m, 40);
    setMetricAngle(m, 17);
    ensureMetric(m);
    int sx = 0, sy = 0;
    for (int i = 0; i < 6; ++i) {
        sx += m.dx[i];
        sy += m.dy[i];
    }
    EXPECT_EQ(sx, 0);
    EXPECT_EQ(sy, 0);
    EXPECT_EQ(m.dx[2], m.dx[1] - m.dx[0]);
    EXPECT_EQ(m.dy[5], -m.dy[2]);
    // Angle 90: A points up.
    setMetricAngle(m, 90);
    ensureMetric(m);
    EXPECT_EQ(m.dx[0], 0);
    EXPECT_EQ(m.dy[0], 40);
}

TEST(LatticeMetric, PixelsOfPointsAndTriangleCentres) {
    HexVector v;
    int16_t x = 0, y = 0;
    pointPixel(v, "AB", x, y);
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, 26);
    pointPixel(v, "AB:AF", x, y);
    EXPECT_EQ(x, 45);
    triangleCentrePixel(v, "A:AB", x, y);
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, 8);
    triangleCentrePixel(v, "A:AF", x, y);
    EXPECT_EQ(x, 45);
    EXPECT_EQ(y, -8);
    // A non-canonical name of the same triangle lands on the same centre.
    int16_t x2 = 0, y2 = 0;
    triangleCentrePixel(v, ":BC", x, y);
    triangleCentrePixel(v, "C:AF", x2, y2);
    EXPECT_EQ(x, x2);
    EXPECT_EQ(y, y2);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 18);
    EXPECT_EQ(pathX("DD"), -60);
    EXPECT_EQ(pathY("EE"), -52);
}

TEST(LatticeNames, TriangleNormalisation) {
    EXPECT_EQ(normaliseTriangle(":BA"), ":AB");
    EXPECT_EQ(normaliseTriangle(":FA"), ":AF");
    EXPECT_EQ(normaliseTriangle(":BC"), "C:AF");
    EXPECT_EQ(normaliseTriangle(":CD"), "D:AB");
    EXPECT_EQ(normaliseTriangle(":DE"), "D:AF");
    EXPECT_EQ(normaliseTriangle(":EF"), "E:AB");
    EXPECT_EQ(normaliseTriangle("A:FE"), "F:AB");
    EXPECT_EQ(normaliseTriangle("A:FE", NameStyle::Compact), "F:AB");
    EXPECT_EQ(normaliseTriangle("AAAAAAAAAAAA:AB", NameStyle::Compact), "A9A3:AB");
    EXPECT_EQ(normaliseTriangle("A9A3:AB"), "AAAAAAAAAAAA:AB");
    // The marker survives, and lower case is read as upper case.
    EXPECT_EQ(normaliseTriangle("XA:FE"), "XF:AB");
    EXPECT_EQ(normaliseTriangle("a:fe"), "F:AB");
    // A side that is not a triangle's is kept as it is.
    EXPECT_EQ(normaliseTriangle("A:D"), "A:D");
    EXPECT_EQ(normaliseTriangle("AD:AC"), ":AC");
}

TEST(LatticeNames, PointsWithoutColonAreWrittenCanonically) {
    EXPECT_EQ(normaliseTriangle("CA"), "B");
    EXPECT_EQ(normaliseEdge("AD"), "");
    EXPECT_EQ(normaliseTriangle("XCA"), "XB");
    EXPECT_EQ(normalisePoint("a3"), "AAA");
    EXPECT_EQ(compactPoint("aaab"), "A3B");
}

TEST(LatticeNames, EdgeNormalisation) {
    EXPECT_EQ(normaliseEdge("B:D"), "C:A");
    EXPECT_EQ(normaliseEdge(":E"), "E:B");
    EXPECT_EQ(normaliseEdge("A:F"), "AF:C");
    EXPECT_EQ(normaliseEdge("AB:A"), "AB:A");
    // The same text as a triangle keeps its side.
    EXPECT_EQ(normaliseTriangle("B:D"), "B:D");
}

TEST(LatticeNames, EveryNameOfATriangleHasOneCanonicalForm) {
    // The six triangles around B, named from B by their sides, and from their canonical names.
    const char* sides[] = {"AB", "BC", "CD", "DE", "EF", "FA"};
    std::array<std::string, 6> around;
    trianglesOfPoint("B", around);
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(normaliseTriangle(std::string("B:") + sides[i]), around[i]) << sides[i];
        EXPECT_EQ(normaliseTriangle(around[i]), around[i]);
    }
    EXPECT_EQ(around[0], "B:AB");
    EXPECT_EQ(around[1], "BC:AF");
    EXPECT_EQ(around[2], "C:AB");
    EXPECT_EQ(around[3], "C:AF");
    EXPECT_EQ(around[4], ":AB");
    EXPECT_EQ(around[5], "B:AF");
}

TEST(LatticeNames, CornersAndEdgeNeighbours) {
    std::array<std::string, 3> c;
    ASSERT_EQ(cornersOfTriangle("B:AB", c), 3);
    EXPECT_EQ(c[0], "B");
    EXPECT_EQ(c[1], "AB");
    EXPECT_EQ(c[2], "BB");
    ASSERT_EQ(cornersOfTriangle(":AF", c), 3);
    EXPECT_EQ(c[0], "");
    EXPECT_EQ(c[1], "A");
    EXPECT_EQ(c[2], "F");
    ASSERT_EQ(cornersOfTriangle(":BC", c), 3);  // = C:AF
    EXPECT_EQ(c[0], "C");
    EXPECT_EQ(c[1], "B");
    EXPECT_EQ(c[2], "");
    EXPECT_EQ(cornersOfTriangle("AB", c), 0);
    EXPECT_EQ(cornersOfTriangle("A:D", c), 0);

    std::array<std::string, 3> n;
    ASSERT_EQ(edgeNeighbours(":AB", n), 3);
    EXPECT_EQ(n[0], ":AF");
    EXPECT_EQ(n[1], "B:AF");
    EXPECT_EQ(n[2], "C:AF");
    ASSERT_EQ(edgeNeighbours(":AF", n), 3);
    EXPECT_EQ(n[0], ":AB");
    EXPECT_EQ(n[1], "E:AB");
    EXPECT_EQ(n[2], "F:AB");
    // Each neighbour shares exactly two corners with the triangle.
    std::array<std::string, 3> mine, theirs;
    cornersOfTriangle("AB:AB", mine);
    ASSERT_EQ(edgeNeighbours("AB:AB", n), 3);
    for (const std::string& t : n) {
        cornersOfTriangle(t, theirs);
        int shared = 0;
        for (const std::string& a : mine)
            for (const std::string& b : theirs) shared += a == b;
        EXPECT_EQ(shared, 2) << t;
    }
    EXPECT_EQ(edgeNeighbours("", n), 0);
}

TEST(LatticeNames, NeighbourPointsCountsAndSectorWeight) {
    std::array<std::string, 6> p;
    neighboursOfPoint("XA", p);
    EXPECT_EQ(p[0], "AA");
    EXPECT_EQ(p[1], "AB");
    EXPECT_EQ(p[2], "B");
    EXPECT_EQ(p[3], "");
    EXPECT_EQ(p[4], "F");
    EXPECT_EQ(p[5], "AF");

    TextList list;
    list.add(":AB");
    list.add("D:AF");
    list.add("A:AB");
    list.add("c:af");  // membership ignores letter case
    EXPECT_EQ(countTrianglesInList("", list), 3);
    EXPECT_EQ(countTrianglesInList("A", list), 2);  // A:AB and AD:AB = :AB
    EXPECT_EQ(countTrianglesInList("DDD", list), 0);
    EXPECT_EQ(countTrianglesInList("", TextList()), 0);

    EXPECT_EQ(sectorWeight("AAB", "AB"), 3);
    EXPECT_EQ(sectorWeight("AAB:AF", "BC"), 1);
    EXPECT_EQ(sectorWeight("AAB", "DE"), 0);
    EXPECT_EQ(sectorWeight("AD", "AB"), 0);  // the origin, whatever its text
}

TEST(LatticeTurning, MapTurnsLettersAndFoldsLowerCase) {
    const unsigned char* map = turningMap();
    EXPECT_EQ(map['A'], 'B');
    EXPECT_EQ(map['F'], 'A');
    EXPECT_EQ(map['a'], 'B');
    EXPECT_EQ(map['f'], 'A');
    EXPECT_EQ(map['-'], '-');
    EXPECT_EQ(map[':'], ':');
    EXPECT_EQ(map['G'], 'G');
    EXPECT_EQ(map[0xE9], 0xE9);
    EXPECT_EQ(turnLetters("AF-x:b"), "BA-x:b");
    EXPECT_EQ(turnedText(":AB"), ":BC");
    EXPECT_EQ(turnedText("a:af"), "B:BA");
}

TEST(LatticeTurning, TurnedNamesAreNormalisedAndSixTurnsReturn) {
    EXPECT_EQ(turnedName(":AB", 1), "C:AF");
    EXPECT_EQ(turnedName("a:af", 1), "B:AB");
    EXPECT_EQ(turnedName("A", 3), "D");
    EXPECT_EQ(turnedName(":A", 3, true), "D:A");
    EXPECT_EQ(turnedName("AB:AF", 6), "AB:AF");
    EXPECT_EQ(turnedName("AB:AF", -1), turnedName("AB:AF", 5));
    // Turning preserves adjacency: the edge neighbours of a turned triangle are the turned neighbours.
    std::array<std::string, 3> n, tn;
    edgeNeighbours("AAB:AB", n);
    edgeNeighbours(turnedName("AAB:AB", 2), tn);
    for (const std::string& t : n) {
        std::string turned = turnedName(t, 2);
        EXPECT_TRUE(turned == tn[0] || turned == tn[1] || turned == tn[2]) << turned;
    }
}

TEST(LatticeCellCode, ValueLettersMarksAndPercent) {
    CellCode c;
    readCellCode(c, "AWJJ%100");
    EXPECT_EQ(cellReadout(c), "A:AB");
    EXPECT_EQ(c.value, 1);
    EXPECT_EQ(c.percent, 100);
    EXPECT_EQ(c.marked, 0);
    readCellCode(c, "AWPJ%100");
    EXPECT_EQ(cellReadout(c), "A:AB");
    EXPECT_EQ(c.value, 1);
    EXPECT_EQ(c.percent, 100);
    readCellCode(c, "awuj%85");
    EXPECT_EQ(c.value, 6);
    EXPECT_EQ(c.percent, 85);
    readCellCode(c, "AV");
    EXPECT_EQ(cellReadout(c), "A:AF");
    EXPECT_EQ(c.sideAB, 0);
    EXPECT_EQ(c.value, 0);
    readCellCode(c, "BBVZ");
    EXPECT_EQ(c.value, 0);  // Z is no value letter
    EXPECT_EQ(cellReadout(c), "BB:AF");
}

TEST(LatticeCellCode, HexagonCentresAndLongForms) {
    CellCode c;
    readCellCode(c, "XAB");
    EXPECT_EQ(c.marked, 1);
    EXPECT_EQ(c.hasSide, 0);
    EXPECT_EQ(hexagonReadout(c), "AB");
    EXPECT_EQ(cellReadout(c), "");
    readCellCode(c, "XCA:AB");  // both a centre and a cell, path reduced
    EXPECT_EQ(hexagonReadout(c), "B");
    EXPECT_EQ(cellReadout(c), "B:AB");
    readCellCode(c, "D3:AF");
    EXPECT_EQ(cellReadout(c), "DDD:AF");
    EXPECT_EQ(hexagonReadout(c), "");
    readCellCode(c, "A:BC");  // not one of the two side forms
    EXPECT_EQ(c.hasSide, 0);
    EXPECT_EQ(cellReadout(c), "");
}

TEST(LatticeCellCode, ReadingClearsEarlierContentsAndBadInputIsHarmless) {
    CellCode c;
    readCellCode(c, "XAWKJ%90");
    EXPECT_EQ(c.value, 2);
    readCellCode(c, "B");
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(c.percent, 0);
    EXPECT_EQ(c.marked, 0);
    EXPECT_EQ(c.hasSide, 0);
    readCellCode(c, "");
    EXPECT_EQ(cellReadout(c), "");
    readCellCode(c, "AW");  // attributes missing
    EXPECT_EQ(cellReadout(c), "A:AB");
    EXPECT_EQ(c.value, 0);
    readCellCode(c, "AWJJ%99999999999");
    EXPECT_EQ(c.percent, 32767);
    readCellCode(c, "AWJJ%-20");
    EXPECT_EQ(c.percent, -20);
    readCellCode(c, "AWJJ%x");
    EXPECT_EQ(c.percent, 0);
}

TEST(LatticeFigures, HexagonTrianglesAndCentroids) {
    HexMetric m;
    std::array<PixelPoint, 19> fig;
    hexagonTriangleFigure(m, 100, 200, fig);
    EXPECT_EQ(fig[0].x, 100);
    EXPECT_EQ(fig[1].x, 130);
    EXPECT_EQ(fig[1].y, 200);
    EXPECT_EQ(fig[2].x, 115);
    EXPECT_EQ(fig[2].y, 226);
    EXPECT_EQ(fig[17].x, 130);  // the last triangle closes on corner 0
    EXPECT_EQ(fig[18].x, 100);
    EXPECT_EQ(fig[18].y, 200);
    std::array<PixelPoint, 6> cen;
    hexagonCentroids(m, 100, 200, cen);
    EXPECT_EQ(cen[0].x, 115);
    EXPECT_EQ(cen[0].y, 192);
    EXPECT_EQ(cen[3].x, 85);
    EXPECT_EQ(cen[3].y, 208);
}

TEST(LatticeAxial, AgreesWithTheCountersEverywhereNearTheOrigin) {
    for (int a = -7; a <= 7; ++a) {
        for (int b = -7; b <= 7; ++b) {
            AxialPoint p{a, b};
            std::string name = axialName(p);
            EXPECT_EQ(normalisePoint(name), name);
            AxialPoint back = axialOf(name);
            EXPECT_EQ(back.a, a);
            EXPECT_EQ(back.b, b);
        }
    }
    AxialPoint p;
    bool ab = false;
    ASSERT_TRUE(parseTriangle("xa:fe", p, ab));
    EXPECT_EQ(axialName(p), "F");
    EXPECT_TRUE(ab);
    EXPECT_FALSE(parseTriangle("A", p, ab));
    EXPECT_FALSE(parseTriangle("A:D", p, ab));
}
