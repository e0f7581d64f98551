// The text reports of ornel-tool: a grid (grid, load) and a hint's box texts (hint, newgrid-check).
#pragma once

#include <ostream>

#include "puzzle/hints.h"

struct Grid;
struct SolverModel;

/*
 * Counts, level fields, one line per cell and the state string, in a stable
 * form. Builds the derived tables it reports (positions, corners) if needed.
 */
void printGridReport(Grid& g, std::ostream& out);

/*
 * The hint box's texts in French and English, one line each ("KEY-fr=" and
 * "KEY-en="), their line breaks shown as " / ", in the box's Windows-1252 bytes.
 */
void printHintTexts(const Hint& hint, const Grid& g, const SolverModel& model, const char* key, std::ostream& out);

// The name of a hint's kind in the tool's reports: "placement", "first-steps", ...
const char* hintKindName(HintKind kind);
