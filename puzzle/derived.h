// Derived grid tables built lazily behind one computed flag each, and their invalidation.
#pragma once

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
