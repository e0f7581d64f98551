// The text report of a grid printed by ornel-tool grid and ornel-tool load.
#pragma once

#include <ostream>

struct Grid;

/*
 * Counts, level fields, one line per cell and the state string, in a stable
 * form. Builds the derived tables it reports (positions, corners) if needed.
 */
void printGridReport(Grid& g, std::ostream& out);
