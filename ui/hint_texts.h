// The text of the hint box: the digit and the reason a hint rests on, in French or English.
#pragma once

#include <cstdint>

#include "base/text.h"
#include "puzzle/hints.h"
#include "puzzle/solver.h"

struct Grid;

/*
 * Cells are named as the cell field of the command bar names them ("L3 C5");
 * a hexagon by the rows and columns its cells span ("L3-L4 C5-C7"). The model
 * must be the grid's own (modelFromGrid), so its cell numbers are the grid's.
 */
TextString hexagonLabel(const Grid& g, const SolverModel& model, int16_t unit);

/*
 * The hint box text in `language` (0 French, 1 English; anything else reads
 * as French): a first line with the digit and the cell (or the wrong digit,
 * or that nothing is left), then one line per strike the placement needs, then
 * the line of the placement itself. Lines are separated by one line feed.
 */
TextString hintText(const Hint& hint, const Grid& g, const SolverModel& model, uint8_t language);
