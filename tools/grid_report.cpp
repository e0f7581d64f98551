// The text reports of ornel-tool: a grid (grid, load) and a hint's box texts (hint, newgrid-check).
#include "tools/grid_report.h"

#include <string>

#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "puzzle/levels.h"
#include "puzzle/state_string.h"
#include "ui/hint_texts.h"

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

void printHintTexts(const Hint& hint, const Grid& g, const SolverModel& model, const char* key, std::ostream& out) {
    for (uint8_t language : {0, 1}) {
        std::string text = hintText(hint, g, model, language).s;
        for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at)) text.replace(at, 1, " / ");
        out << key << (language ? "-en=" : "-fr=") << text << "\n";
    }
}

const char* hintKindName(HintKind kind) {
    switch (kind) {
        case HintKind::NoneLeft: return "none-left";
        case HintKind::Placement: return "placement";
        case HintKind::Contradiction: return "contradiction";
        case HintKind::Stuck: return "stuck";
        case HintKind::FirstSteps: return "first-steps";
    }
    return "none-left";
}
