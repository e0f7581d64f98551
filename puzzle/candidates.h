// The placement rule: which digits each cell may still take, given the digits on the board.
#pragma once

#include <cstdint>

struct Grid;

/*
 * A digit standing in a cell is struck from the candidates of the (up to 12)
 * cells touching it, even at a single corner. The sets are rebuilt from scratch
 * by recomputeCandidates before every placement; nothing maintains them
 * incrementally. Cell indices outside 1..cellCount are ignored everywhere.
 */

// Whether value (1..6) is among the candidates of cell.
bool isCandidate(const Grid& g, int16_t cell, int16_t value);
// Strikes value from an empty cell; true when the set changed.
bool eliminateCandidate(Grid& g, int16_t cell, int16_t value);
// Strikes value from every empty peer of cell; true when any set changed.
bool eliminateFromNeighbours(Grid& g, int16_t cell, int16_t value);
// Puts value into cell, makes it the cell's only candidate and strikes it from the peers.
bool placeAndPropagate(Grid& g, int16_t cell, int16_t value);
// Every set back to 63, then every value on the board (given or played) propagated.
void recomputeCandidates(Grid& g);
// Builds the peer records from the touching-cell lists, unless they are built already.
void ftbco(Grid& g);
