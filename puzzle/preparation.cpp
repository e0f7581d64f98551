// Grid preparation: the derived tables, the fixed values of the level and a restored state's moves, before play and drawing.
#include "puzzle/preparation.h"

#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"

void replayMoves(Grid& g, const TextList& moves) {
    TextString rest, kind;
    for (int e = 1; e <= moves.count(); ++e) {
        rest.assign(moves.str(e));
        kind.takeToken(rest);
        int32_t cell = takeInt(rest);
        int32_t number = takeInt(rest);
        if (cell < 1 || cell > g.cellCount) continue;
        Cell* c = cellAt(g, static_cast<int16_t>(cell));
        if (c == nullptr) continue;
        if (kind.equals("V")) {
            if (!c->fixed && number >= 0 && number <= 6) c->value = static_cast<int16_t>(number);
        } else if (kind.equals("P")) {
            c->candidates = static_cast<int16_t>(number & kAllDigits);
        }
    }
}

void prepareGrid(Grid& g, const TextList& moves) {
    ensureBasicLists(g);
    ensureHexagonPositions(g);
    ensureGroups(g);
    ensureCells(g);
    ensurePositions(g);
    // Fixed values first, then the restored moves over them: a restored state is never wiped by its level.
    if (g.hasValues) refreshGivens(g);
    replayMoves(g, moves);
    ensureOutlines(g);
    ensureEdges(g);
}

void prepareGrid(Grid& g) { prepareGrid(g, TextList()); }
