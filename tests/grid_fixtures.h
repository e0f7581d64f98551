// Shared helpers of the grid tests: grids built from description entries.
#pragma once

#include <initializer_list>

#include "base/text.h"
#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"

// A created grid built from entries, with its cells and peer records, as the loader leaves it.
inline void buildGrid(Grid& g, std::initializer_list<const char*> entries) {
    createGrid(g);
    TextList list;
    for (const char* e : entries) list.add(e);
    setfromgrivecdef(g, list);
    ensureCells(g);
    ftbco(g);
    recomputeCandidates(g);
}
