// Derived grid tables built lazily behind their computed flags, and their invalidation.
#include "puzzle/derived.h"

#include <algorithm>
#include <string>

#include "puzzle/grid.h"
#include "puzzle/topology.h"

namespace {

/*
 * Cell indices are 16-bit; a shape with more triangles than this is cut at
 * this many cells (in sorted order) rather than wrapping the indices.
 */
constexpr int kMaxCells = 32000;

// A point name without the hexagon marker, in canonical expanded form.
std::string canonicalCentre(const std::string& name) {
    std::string_view v(name);
    while (!v.empty() && v.front() == ' ') v.remove_prefix(1);
    if (!v.empty() && (v.front() == 'X' || v.front() == 'x')) v.remove_prefix(1);
    return normalisePoint(std::string(v));
}

bool isCellName(const std::string& name) {
    size_t colon = name.find(':');
    if (colon == std::string::npos) return false;
    std::string_view side(name.c_str() + colon);
    return side == ":AB" || side == ":AF";
}

}  // namespace

void ensureBasicLists(Grid& g) {
    if (g.basicComputed) return;

    for (int h = 1; h <= g.hexagons.count(); ++h) g.hexagons.replaceAt(h, canonicalCentre(g.hexagons.str(h)));
    g.hexagons.sortUnique();

    // The cells named directly, in canonical form, plus the six cells of every hexagon.
    TextList named;
    for (int i = 1; i <= g.cellNames.count(); ++i) {
        std::string c = normaliseTriangle(g.cellNames.str(i));
        if (isCellName(c)) named.add(c);
    }
    TextList ofHexagons;
    cellsFromHexagons(g.hexagons, ofHexagons);
    for (int i = 1; i <= ofHexagons.count(); ++i) named.add(ofHexagons.str(i));
    named.sortUnique();
    while (named.count() > kMaxCells) named.removeLast();
    g.cellNames.items.swap(named.items);
    g.cellCount = static_cast<int16_t>(g.cellNames.count());

    // Hexagons closed by the cells join the given ones; 3..5 triangles make a partial hexagon.
    TextList complete;
    hexagonsFromCells(g.cellNames, complete, g.partialHexagons);
    for (int h = 1; h <= complete.count(); ++h) g.hexagons.add(complete.str(h));
    g.hexagons.sortUnique();
    g.partialHexagons.sortUnique();
    updateUnitCounts(g);

    buildNameIndex(g.cellIndex, g.cellNames);
    g.basicComputed = true;
}

void ensureHexagonPositions(Grid& g) {
    if (g.cornersComputed) return;
    ensureBasicLists(g);
    cornerPointsOfCells(g.cellNames, g.cornerPoints);
    g.cornerCount = static_cast<int16_t>(std::min(g.cornerPoints.count(), 32767));
    g.cornersComputed = true;
}

void ensureCells(Grid& g) {
    ensureBasicLists(g);
    if (g.cellsComputed && g.cells.size() == static_cast<size_t>(g.cellCount) + 1) return;
    rebuildCellArray(g);
}

void ensureGroups(Grid& g) {
    ensureBasicLists(g);
    if (g.unitsComputed && g.units.size() == static_cast<size_t>(g.unitCount) + 1) return;
    rebuildUnitTable(g);
}

void ensurePositions(Grid& g) {
    if (g.positionsComputed && g.cellsComputed && g.unitsComputed) return;
    ensureGridFans(g);
    ensureCells(g);
    ensureGroups(g);
    HexVector& v = g.fan.vector;
    for (int i = 1; i <= g.cellCount; ++i) {
        Cell& c = g.cells[i];
        triangleCentrePixel(v, g.cellNames.str(i), c.x, c.y);
    }
    for (int u = 1; u <= g.unitCount; ++u) {
        const std::string& name =
            (u <= g.hexagonCount) ? g.hexagons.str(u) : g.partialHexagons.str(u - g.hexagonCount);
        pointPixel(v, name, g.units[u].x, g.units[u].y);
    }
    g.positionsComputed = true;
}

void ensureTouchingCells(Grid& g) {
    if (g.touchingComputed) return;
    ensureBasicLists(g);
    ::touchingCells(g.cellNames, g.touchingCells);
    g.touchingComputed = true;
}

void ensureOutlines(Grid& g) {
    if (g.linesComputed) return;
    ensureBasicLists(g);
    lines(g.hexagons, g.innerLines, g.outerLines);
    g.linesComputed = true;
}

void ensureEdges(Grid& g) {
    if (g.holesComputed) return;
    ensureBasicLists(g);
    holesAndRing(g.cellNames, g.hexagons, g.outerRing, g.holes);
    g.holesComputed = true;
}

void invalidateDerived(Grid& g) {
    freeCellArray(g);
    freeUnitTable(g);
    freePeerRecords(g);
    g.touchingCells.clear();
    g.innerLines.clear();
    g.outerLines.clear();
    g.holes.clear();
    g.outerRing.clear();
    g.partialHexagons.clear();
    g.cornerPoints.clear();
    g.cellNames.clear();
    g.cellValues.clear();
    g.cellIndex.positions.clear();
    g.hasValues = false;
    g.valuesLoaded = false;
    g.appliedPercent = 0;
    g.cellCount = 0;
    g.cornerCount = 0;
    g.partialCount = 0;
    g.unitCount = g.hexagonCount;
    g.textRows = 0;
    g.textColumns = 0;
    g.holesComputed = false;
    g.linesComputed = false;
    g.basicComputed = false;
    g.cornersComputed = false;
    g.touchingComputed = false;
    g.cellsComputed = false;
    g.unitsComputed = false;
    g.peersComputed = false;
    g.positionsComputed = false;
}
