// The text of the hint box: the digit and the reason a hint rests on, in French or English.
#pragma once

#include <cstddef>
#include <cstdint>

#include "base/text.h"
#include "puzzle/hints.h"
#include "puzzle/solver.h"

struct Grid;

/*
 * Cells are named as the cell field of the command bar names them ("L3 C5");
 * a hexagon by the rows and columns its cells span ("L3-L4 C5-C7"); a
 * no-break space (0xA0) stands inside both. The model must be the grid's own
 * (modelFromGrid), so its cell numbers are the grid's.
 */
TextString hexagonLabel(const Grid& g, const SolverModel& model, int16_t unit);

/*
 * The hint box text in `language` (0 French, 1 English; anything else reads
 * as French). A placement opens with the answer (the digit and the cell),
 * then "Pourquoi :" / "Why:", one line per strike the placement needs and the
 * line of the placement itself. A wrong digit is named with how many others
 * there are; a board beyond the steps the hints explain gets the answer and
 * why no reason follows; the first steps of a longer proof say what they are,
 * then come one line each. Cells in every list are in reading order, digits
 * take their article, and a no-break space stands before the French ":" and
 * ";". Lines are separated by one line feed.
 */
TextString hintText(const Hint& hint, const Grid& g, const SolverModel& model, uint8_t language);

// The most characters a hint box holds in either language: about a dozen lines of the box.
constexpr size_t kHintBoxLength = 800;

/*
 * The hint as its box tells it: a placement whose text is longer than
 * kHintBoxLength in either language gives instead its first steps, as many
 * as fit (at least one), and the next hint goes on from them
 * (rememberTaught). Anything else is given as it is.
 */
Hint hintThatFits(const Hint& hint, const Grid& g, const SolverModel& model);
