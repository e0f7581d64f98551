// Grid description entries: their grammar, the inverse form for writing, and building a grid from them.
#pragma once

#include <cstdint>

#include "base/text.h"

struct Grid;

/*
 * One entry of a grid description, e.g. "XA" (a hexagon centred at A),
 * "AWPJ%100" (the cell A:AB with value 1 shown from percentage 100), "BV"
 * (the cell B:AF without value) or "C:AB". An entry may describe a hexagon and
 * a cell at once.
 */
struct DescriptionEntry {
    uint8_t isHexagon = 0;  // began with X
    uint8_t isCell = 0;     // names a triangle
    uint8_t sideAB = 0;     // the AB triangle (else AF)
    int16_t value = 0;      // 0 or 1..6
    int16_t mark = 0;       // the mark letter less 'J'; skipped when building
    int16_t percent = 0;    // level percentage, saturated to 16 bits
    TextString position;    // normalised expanded path of the position
};

// Reads one entry; false when it describes neither a hexagon nor a cell.
bool parseDescriptionEntry(TextRef text, DescriptionEntry& out);
// The inverse form: [X]POSITION, then W/V, value letter P..U, mark letter, [%PERCENT] for a cell with a value.
TextString writeDescriptionEntry(const DescriptionEntry& entry);
// Cell name of a parsed cell entry (position + ":AB" or ":AF"); empty when it names no cell.
TextString entryCellName(const DescriptionEntry& entry);

// Rebuilds hexagons, cellNames and cellValues from the entries and builds the basic lists.
void setfromgrivecdef(Grid& g, const TextList& entries);
