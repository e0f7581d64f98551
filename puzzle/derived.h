// Derived grid tables built lazily behind one computed flag each, preparation, and the moves of a restored state.
#pragma once

#include "base/text.h"

struct Grid;

/*
 * A grid is defined by hexagons, cellNames and cellValues; everything else is
 * derived and cached. Each ensure builds its table only when its flag is clear,
 * after ensuring what it depends on; invalidateDerived drops them all at once.
 */

// Normalised hexagons, cellNames completed by the hexagons' cells, partial hexagons, counts.
void ensureBasicLists(Grid& g);
// cornerPoints and cornerCount.
void ensureHexagonPositions(Grid& g);
// The cell array (cellCount + 1 cells, text layout, no notes, no candidates).
void ensureCells(Grid& g);
// The unit table (unitCount + 1 cleared entries).
void ensureGroups(Grid& g);
// Pixel centres of cells and units.
void ensurePositions(Grid& g);
// touchingCells, one line per cell.
void ensureTouchingCells(Grid& g);
// innerLines and outerLines.
void ensureOutlines(Grid& g);
// holes and outerRing.
void ensureEdges(Grid& g);
// Frees every derived table and clears every defining list except hexagons.
void invalidateDerived(Grid& g);
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
 * lines. Run whenever a grid was loaded, its state read, its size changed or
 * its derived tables dropped; a second run without moves changes nothing.
 */
void prepareGrid(Grid& g, const TextList& moves);
void prepareGrid(Grid& g);
