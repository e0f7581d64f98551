// The solver's model of a real grid: its cells, peer records and hexagons as the game derives them.
#include <array>
#include <string>

#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/lattice.h"
#include "puzzle/solver.h"

namespace {

// The cells of the grid among the six triangles around a point (absent ones skipped).
std::vector<int16_t> cellsAroundPoint(const Grid& g, const std::string& point) {
    std::array<std::string, 6> triangles;
    trianglesOfPoint(point, triangles);
    std::vector<int16_t> out;
    for (const std::string& t : triangles) {
        int16_t i = cellIndexOf(g, t);
        if (i > 0) out.push_back(i);
    }
    return out;
}

}  // namespace

SolverModel modelFromGrid(Grid& g) {
    ensureBasicLists(g);
    ensureCells(g);
    ftbco(g);
    SolverModel m;
    m.cellCount = g.cellCount;
    m.peers.assign(m.cellCount + 1, {});
    for (int16_t c = 1; c <= m.cellCount && static_cast<size_t>(c) < g.peerTable.size(); ++c) {
        for (int k = 0; k < 12; ++k) m.peers[c][k] = g.peerTable[c].peers[k];
    }
    for (int h = 1; h <= g.hexagons.count(); ++h) {
        m.units.push_back(cellsAroundPoint(g, g.hexagons.str(h)));
        m.unitComplete.push_back(m.units.back().size() == 6 ? 1 : 0);
    }
    for (int h = 1; h <= g.partialHexagons.count(); ++h) {
        m.units.push_back(cellsAroundPoint(g, g.partialHexagons.str(h)));
        m.unitComplete.push_back(0);
    }
    m.cellNames.assign(m.cellCount + 1, std::string());
    for (int16_t c = 1; c <= m.cellCount; ++c) m.cellNames[c] = g.cellNames.str(c);
    finishModel(m);
    return m;
}
