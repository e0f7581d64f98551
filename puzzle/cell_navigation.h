// Moving from cell to cell by rows of the board: the keyboard's way across a grid.
#pragma once

#include <cstdint>
#include <vector>

#include "puzzle/grid.h"

/*
 * A row is one strip of alternating up and down triangles: the cells of one
 * textRow, ordered by textColumn (the column counts half triangles, so two
 * cells whose centres share a vertical line share a column). Row 1 is the top
 * row. Every function here reads only the cells' rows and columns and values,
 * so it works on any grid whose text layout is computed, holes and all.
 */
enum class Heading : uint8_t { Left, Right, Up, Down };

/*
 * The cell a step from `from` reaches, or `from` itself at the edge of the
 * grid (or when `from` is no cell).
 * Left and Right: the next cell of the same row in that direction, past any
 * hole.
 * Up and Down: a cell of the nearest row above or below that has cells, the
 * one whose column is nearest to `from`'s; a cell directly above or below
 * (sharing `from`'s horizontal edge, or its apex's vertical line) is at
 * distance 0 and wins; between two equally near the left one.
 */
int16_t cellToward(const Grid& g, int16_t from, Heading heading);

// The first empty cell in reading order (top row first, left to right); the first cell when none is empty; 0 without cells.
int16_t firstEmptyCell(const Grid& g);

/*
 * The fewest steps (cellToward) from one cell to another, found breadth
 * first, into `path` (empty when from is to); false when `to` cannot be
 * reached or either is no cell.
 */
bool stepsBetween(const Grid& g, int16_t from, int16_t to, std::vector<Heading>& path);
