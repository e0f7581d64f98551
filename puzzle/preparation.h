// Grid preparation: what a grid needs after a load, a state read, a resize or dropped tables, before play and drawing.
#pragma once

#include "base/text.h"

struct Grid;

/*
 * Applies moves read from a state string, first to last: "v,CELL,VALUE" sets
 * the value of a cell that is not fixed, "p,CELL,BITS" a cell's candidates;
 * anything else, and a cell outside the grid, is skipped.
 */
void replayMoves(Grid& g, const TextList& moves);
/*
 * Leaves the grid ready to be drawn and played: the ensure chain, the fixed
 * values of the level, then the moves of a state just read (so that a restored
 * state is laid over the givens instead of being wiped by them), then the
 * lines, holes and ring. Run whenever a grid was loaded, its state read,
 * its size changed or its derived tables dropped; a second run without moves
 * changes nothing.
 */
void prepareGrid(Grid& g, const TextList& moves);
void prepareGrid(Grid& g);
