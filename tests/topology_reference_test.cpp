// Cross-check of the indexed topology operations against a plain text-list formulation on many shapes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>

#include "puzzle/lattice.h"
#include "puzzle/topology.h"

/*
 * The reference works the way the shape rules are stated: sorted text lists,
 * linear membership, names built by appending tokens and normalising, lines
 * joined by prefix search. It is slow and simple; the production operations
 * must give exactly the same lists.
 */

namespace {

const char* kTrianglesOfPoint[] = {":AB", "C:AF", "D:AB", "D:AF", "E:AB", ":AF"};
const char* kSpokes[] = {":A", ":B", ":C", "D:A", "E:B", "F:C"};
const char* kRims[] = {"C:A", "D:B", "E:C", "E:A", "F:B", "A:C"};
const char* kPairs[] = {"AB", "BC", "CD", "DE", "EF", "FA"};

void refCells(const TextList& centres, TextList& cells) {
    cells.clear();
    for (const std::string& c : centres.items)
        for (const char* t : kTrianglesOfPoint) cells.addUnique(normaliseTriangle(c + t));
    cells.sortUnique();
}

void refCorners(const TextList& cells, TextList& corners) {
    corners.clear();
    for (const std::string& c : cells.items) {
        std::array<std::string, 3> k;
        for (int i = 0; i < cornersOfTriangle(c, k); ++i) corners.add(k[i]);
    }
    corners.sortUnique();
}

void refHexagons(const TextList& cells, TextList& complete, TextList& partial) {
    complete.clear();
    partial.clear();
    TextList corners;
    refCorners(cells, corners);
    for (const std::string& p : corners.items) {
        int n = countTrianglesInList(p, cells);
        if (n == 6) complete.addUnique(p);
        if (n >= 3 && n <= 5) partial.addUnique(p);
    }
    complete.sortUnique();
    partial.sortUnique();
}

void refTouching(const TextList& cells, TextList& entries) {
    entries.clear();
    for (const std::string& c : cells.items) {
        TextList found;
        std::array<std::string, 3> k;
        int n = cornersOfTriangle(c, k);
        for (int i = 0; i < n; ++i) {
            std::array<std::string, 6> around;
            trianglesOfPoint(k[i], around);
            for (const std::string& t : around)
                if (cells.indexOf(t) > 0 && t != c) found.addUnique(t);
        }
        found.sortUnique();
        std::string entry = c + ",  ";
        for (const std::string& t : found.items) entry += t + ",";
        entries.add(entry);
    }
}

void refJoin(TextList& list) {
    bool changed = true;
    while (changed) {
        changed = false;
        for (int i = list.count(); i >= 1 && !changed; --i) {
            std::string e = list.str(i);
            std::string withoutColon = e;
            withoutColon.erase(withoutColon.find(':'), 1);
            std::string end = normalisePoint(withoutColon) + ":";
            int j = list.indexOfPrefix(end);
            if (j > 0) {
                std::string found = list.str(j);
                list.replaceAt(i, e + found.substr(found.find(':') + 1));
                list.removeAt(j);
                changed = true;
            }
        }
    }
}

void refLines(const TextList& hexagons, TextList& inner, TextList& outer) {
    inner.clear();
    outer.clear();
    for (char d : std::string("ABC")) {
        TextList in, out;
        for (const std::string& q : hexagons.items) {
            for (const char* s : kSpokes) {
                std::string e = normaliseEdge(q + s);
                if (e.back() == d) in.addUnique(e);
            }
            for (const char* r : kRims) {
                std::string e = normaliseEdge(q + r);
                if (e.back() == d) out.add(e);
            }
        }
        for (int i = out.count(); i >= 1; --i)
            if (in.indexOf(out.str(i)) > 0) out.removeAt(i);
        for (int i = out.count(); i >= 1; --i) {
            std::string e = out.str(i);
            int first = out.indexOf(e);
            if (first != i) {
                in.addUnique(e);
                out.removeAt(i);
                out.removeAt(first);
                i = out.count() + 1;
            }
        }
        in.sortUnique();
        out.sortUnique();
        refJoin(in);
        refJoin(out);
        in.moveAllTo(inner);
        out.moveAllTo(outer);
    }
}

void refHoles(const TextList& cells, const TextList& hexagons, TextList& ring, TextList& holes) {
    ring.clear();
    holes.clear();
    const TopologyTokens& tokens = topologyTokens();
    TextList cand;
    for (const std::string& q : hexagons.items)
        for (const std::string& t : tokens.ringOfHexagonList.items) {
            std::string tri = normaliseTriangle(q + t);
            if (cells.indexOf(tri) == 0) cand.add(tri);
        }
    cand.sortUnique();
    for (const char* pair : kPairs) {
        if (cand.isEmpty()) break;
        int best = 0, chosen = 0;
        for (int i = cand.count(); i >= 1; --i) {
            int w = sectorWeight(cand.str(i), pair);
            if (w > best) {
                best = w;
                chosen = i;
            }
        }
        if (chosen == 0) chosen = 1;
        cand.moveAtTo(chosen, ring);
    }
    TextList work;
    ring.moveAllTo(work);
    while (work.isNotEmpty()) {
        TextString e = work.takeFirst();
        std::array<std::string, 3> n;
        for (int i = 0; i < edgeNeighbours(e.s, n); ++i) {
            int j = cand.indexOf(n[i]);
            if (j > 0) cand.moveAtTo(j, work);
        }
        ring.add(e.s);
    }
    ring.sortUnique();
    cand.sortUnique();
    cand.moveAllTo(holes);
}

TextList randomShape(std::mt19937& rng, int radius, int count) {
    TextList l;
    std::uniform_int_distribution<int> coord(-radius, radius);
    for (int i = 0; i < count; ++i) l.add(axialName({coord(rng), coord(rng)}));
    return l;
}

TextList ringAround(AxialPoint centre, int r) {
    TextList l;
    for (int a = -r; a <= r; ++a)
        for (int b = -r; b <= r; ++b)
            if (std::abs(a) + std::abs(b) + std::abs(a + b) == 2 * r) l.add(axialName(axialAdd(centre, {a, b})));
    return l;
}

void expectSameAsReference(const TextList& centres) {
    TextList cells, refc;
    cellsFromHexagons(centres, cells);
    refCells(centres, refc);
    ASSERT_EQ(cells.items, refc.items);

    TextList complete, partial, refComplete, refPartial;
    hexagonsFromCells(cells, complete, partial);
    refHexagons(cells, refComplete, refPartial);
    EXPECT_EQ(complete.items, refComplete.items);
    EXPECT_EQ(partial.items, refPartial.items);

    TextList corners, refk;
    cornerPointsOfCells(cells, corners);
    refCorners(cells, refk);
    EXPECT_EQ(corners.items, refk.items);

    TextList touching, refT;
    touchingCells(cells, touching);
    refTouching(cells, refT);
    EXPECT_EQ(touching.items, refT.items);

    TextList inner, outer, refIn, refOut;
    lines(complete, inner, outer);
    refLines(complete, refIn, refOut);
    EXPECT_EQ(inner.items, refIn.items);
    EXPECT_EQ(outer.items, refOut.items);

    TextList ring, holes, refRing, refHoles_;
    holesAndRing(cells, complete, ring, holes);
    refHoles(cells, complete, refRing, refHoles_);
    EXPECT_EQ(ring.items, refRing.items);
    EXPECT_EQ(holes.items, refHoles_.items);
}

}  // namespace

TEST(TopologyReference, FixedShapesMatchTheTextListFormulation) {
    expectSameAsReference(TextList());
    for (const char* s : {"", "A", "AB", "DDDDDD"}) {
        TextList one;
        one.add(s);
        expectSameAsReference(one);
    }
    expectSameAsReference(ringAround({0, 0}, 2));
    expectSameAsReference(ringAround({0, 0}, 3));
    expectSameAsReference(ringAround({-6, 0}, 2));  // every candidate in the half-plane of zero weight for AB
    expectSameAsReference(ringAround({3, -5}, 2));
}

TEST(TopologyReference, RandomShapesMatchTheTextListFormulation) {
    std::mt19937 rng(20261208);
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        expectSameAsReference(randomShape(rng, 1 + round % 5, 2 + round % 11));
    }
}
