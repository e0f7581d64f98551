// The per-cell state string: a board's values and notes as text, and the moves a read of it gives the preparation.
#pragma once

#include "base/text.h"

struct Grid;

/*
 * One token per cell in cell order: A..F for a value, G for an empty cell
 * without notes, two octal digits (notes 1..3, notes 4..6) otherwise; runs of
 * G are packed, each GGG as K and a remaining GG as H.
 */
TextString writeStateString(const Grid& g);
/*
 * Restores values and notes, and fills `moves` with what the preparation that
 * follows must lay over the fixed values of the level (puzzle/preparation.h):
 * "v,CELL,VALUE" puts a value into a cell that is not fixed, "p,CELL,BITS"
 * sets a cell's candidates. False when the text was invalid: then only the
 * givens stay, with no notes and no moves.
 */
bool readStateString(Grid& g, TextRef text, TextList& moves);
