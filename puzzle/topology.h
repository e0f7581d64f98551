// Grid topology: everything about a shape derived from its hexagon centres, and the direction fan.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/text.h"
#include "puzzle/lattice.h"

/*
 * Every operation takes and fills text lists of canonical expanded names
 * (see puzzle/lattice.h). Outputs are cleared first. "Sorted" lists are in the
 * order of TextList::sortUnique (folded byte order, no duplicates). Input
 * names are normalised as they are read, so lower-case or non-canonical
 * names name the same places; empty inputs give empty outputs.
 *
 * Membership inside the operations goes through hash indexes built beside the
 * sorted lists, so the cost grows about linearly with the shape.
 */

// The fixed token lists, built once when the module starts; each text is comma-terminated.
struct TopologyTokens {
    TextString trianglesOfPoint;   // :AB,C:AF,D:AB,D:AF,E:AB,:AF,
    TextString ringOfHexagon;      // the 18 triangles around a hexagon
    TextString spokes;             // :A,:B,:C,D:A,E:B,F:C,
    TextString rims;               // C:A,D:B,E:C,E:A,F:B,A:C,
    TextString sidePairs;          // AB,BC,CD,DE,EF,FA,
    TextString edgeNeighboursAB;   // :AF,B:AF,C:AF,
    TextString edgeNeighboursAF;   // :AB,E:AB,F:AB,
    // The same tokens split into lists.
    TextList trianglesOfPointList;
    TextList ringOfHexagonList;
    TextList spokesList;
    TextList rimsList;
    TextList sidePairsList;
    TextList edgeNeighboursABList;
    TextList edgeNeighboursAFList;
};

// Starts the module: the first call in the process announces "MODULE:Z5KVORNELTOPO" to trace and builds the tokens.
void startTopology();
// The token lists (starting the module if needed).
const TopologyTokens& topologyTokens();

// One direction of a fan: pixel vector and the direction letter as a text.
struct FanEntry {
    int16_t dx = 0;
    int16_t dy = 0;
    char letter[4] = {};
};

/*
 * Six direction vectors of a given radius, used to turn paths into pixel
 * offsets. The entries copy the metric of `vector`, whose size is the radius
 * (so it is even) and whose angle is `turn`.
 */
struct DirectionFan {
    HexVector vector;
    int16_t count = 0;
    int16_t half = 0;
    int16_t radius = 0;
    uint8_t hexagonal = 0;
    float turn = 0.0f;
    std::vector<FanEntry> entries;
};

// Creates the fan with `count` directions (any value other than 6 is taken as 6) and a radius.
void createFan(DirectionFan& fan, int16_t count, int16_t radius);
// Sets a new radius and recomputes the entries.
void resizeFan(DirectionFan& fan, int16_t radius);
// Sets the turn (degrees) and recomputes the entries.
void turnFan(DirectionFan& fan, float degrees);
// Frees the entries; the fan has count 0 until created again.
void releaseFan(DirectionFan& fan);
// The module's own fan: 6 directions, radius 20 (made once, never changed).
const DirectionFan& topologyFan();

// 1. The six triangles of every centre, sorted: the cell list of the grid.
void cellsFromHexagons(const TextList& centres, TextList& cells);
// 2. The three corners of every cell, sorted.
void cornerPointsOfCells(const TextList& cells, TextList& corners);
// 3. Corner points with all six triangles in the cells (complete) and with 3..5 (partial), both sorted.
void hexagonsFromCells(const TextList& cells, TextList& complete, TextList& partial);
/*
 * 4. For every cell c in list order, one entry "c,  t1,t2,...,": the cells
 * among the triangles around c's corners, sorted, without c (at most 12).
 */
void touchingCells(const TextList& cells, TextList& entries);
/*
 * 5. Inner and outer edges of the complete hexagons, per direction A, B, C,
 * joined into straight lines written P:XXX (start point, one letter per unit).
 */
void lines(const TextList& hexagons, TextList& inner, TextList& outer);
/*
 * 6. The triangles around the complete hexagons that are not cells, split into
 * those reachable from the outside (ring) and those enclosed (holes); sorted.
 */
void holesAndRing(const TextList& cells, const TextList& hexagons, TextList& ring, TextList& holes);
// 7. Sum of the dy of the path's letters up to the first colon ('0' and blanks skipped).
int16_t heightOfPath(const DirectionFan& fan, TextRef path);

/*
 * Fast position lookup for a list of canonical names: position (from 1) of a
 * name, 0 when absent. Built once beside a list that does not change after.
 * Lookup folds letter case. Positions above 32767 are not indexed (read as 0).
 */
struct NameIndex {
    std::unordered_map<std::string, int16_t> positions;
};

void buildNameIndex(NameIndex& index, const TextList& names);
int16_t indexOfName(const NameIndex& index, TextRef name);

/*
 * Splits one touching-cells entry into its cell name and the names after it.
 * Returns false (outputs cleared) for a text without a comma.
 */
bool splitTouchingEntry(TextRef entry, std::string& cell, TextList& touching);
