// The text report of a grid shared by ornel-tool grid and ornel-tool load.
#include "tools/grid_report.h"

#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/state_string.h"

void printGridReport(Grid& g, std::ostream& out) {
    ensureHexagonPositions(g);
    ensureCells(g);
    ensurePositions(g);

    out << "cells=" << g.cellCount << " hexagons=" << g.hexagonCount << " partial=" << g.partialCount
        << " units=" << g.unitCount << " corners=" << g.cornerCount << " packing=" << computePacking(g) << "\n";
    out << "level=" << g.level << " effective=" << g.effectiveLevel << " displayed=" << g.displayedLevel
        << " percent=" << g.effectivePercent << " diabolic=" << (diabolicAvailable(g) ? 1 : 0) << "\n";
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const Cell* c = cellAt(g, i);
        if (c == nullptr) break;
        out << "cell " << i << " " << g.cellNames.str(i) << " row=" << c->textRow << " col=" << c->textColumn
            << " x=" << c->x << " y=" << c->y << " value=" << c->value << " fixed=" << (c->fixed ? 1 : 0)
            << " solution=" << c->solution << " level=" << c->level << " candidates=" << c->candidates
            << " notes=" << c->notes << "\n";
    }
    out << "state=" << writeStateString(g).s << "\n";
}
