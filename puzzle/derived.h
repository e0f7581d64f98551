// Derived grid tables built lazily behind one computed flag each, preparation, and pending moves.
#pragma once

#include "base/text.h"

struct Grid;

/*
 * A grid is defined by hexagons, cellNames and cellValues; everything else is
 * derived and cached. Each ensure builds its table only when its flag is clear,
 * after ensuring what it depends on; invalidateDerived drops them all at once.
 */

/*
 * Moves waiting for the next prepareGrid: "v,CELL,VALUE" sets the value of a
 * cell that is not fixed, "p,CELL,BITS" sets a cell's candidates. Filled by
 * readStateString so that a restored state is laid over the fixed values of
 * the current level instead of being wiped by them.
 */
extern TextList PendingMoves;

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
// Applies and consumes PendingMoves on the grid.
void replayPendingMoves(Grid& g);
// Run before every drawing: ensure chain, fixed values of the level, pending moves, lines.
void prepareGrid(Grid& g);
