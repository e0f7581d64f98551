// The puzzle record: one grid's shape, derived tables, per-cell play state and hit-testing geometry.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "base/text.h"
#include "puzzle/lattice.h"
#include "puzzle/topology.h"

/*
 * One triangle of the board. Values and masks: a cell is empty when value is
 * 0; candidates and notes are 6-bit masks, bit v-1 for digit v, 63 for all six.
 * The reserved fields are reset like the others and otherwise unused; they
 * keep the record's shape stable for code that copies cells wholesale.
 */
struct Cell {
    int16_t x = 0;            // pixel centre of the triangle
    int16_t y = 0;
    int16_t textRow = 0;      // row in the text layout, from 1
    int16_t textColumn = 0;   // column in the text layout, from 1
    int16_t rowRank = 0;      // label position within its row (= textColumn)
    int16_t value = 0;        // 0 empty, else 1..6
    int16_t reserved1 = 0;
    int16_t candidates = 63;  // digits still possible, rebuilt by recomputeCandidates
    int16_t notes = 0;        // the player's pencil notes
    int16_t reserved2 = 0;
    int16_t reserved3 = 1;
    uint8_t reservedByte = 0;
    uint8_t fixed = 0;        // value is a given of the current level
    int16_t solution = 0;     // the description's solution value, 0 if none
    int16_t level = 0;        // level percentage of the solution value, 0 if none
};

/*
 * One rule unit (a complete hexagon, then the partial ones). Only the centre
 * position is filled (by ensurePositions); the slots stay cleared.
 */
struct UnitEntry {
    int16_t slots[6] = {0, 0, 0, 0, 0, 0};
    int16_t count = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t extra = 0;
};

// The cells touching one cell (0 = empty slot), and a list of three further indices that stays empty.
struct PeerRecord {
    int16_t peers[12] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    int16_t further[3] = {0, 0, 0};
};

// Offset of one pencil note from its cell centre.
struct NoteOffset {
    int32_t dx = 0;
    int32_t dy = 0;
};

// The bounding box in the order drawing code reads it: left, top (largest y), right, bottom.
struct GridBox {
    int16_t left = 0;
    int16_t top = 0;
    int16_t right = 0;
    int16_t bottom = 0;
};

// Index of the two note-offset tables.
constexpr int kNotesAB = 0;
constexpr int kNotesAF = 1;

constexpr int16_t kAllDigits = 63;

/*
 * Where a cell's pencil notes sit (the grid's `view`): in the triangle view
 * in rows of 3, 2 and 1 that follow the triangle's shape; in the block
 * layout in two rows of three. The values are the codes the messages and
 * the settings have always used.
 */
enum class NoteLayout : int16_t {
    Triangle = 7,
    Block = 9,
};

struct Grid {
    // The grid starts with its lattice vector; its metric carries the display angle.
    HexVector lattice;
    TextString caption;

    std::vector<UnitEntry> units;      // 1..unitCount, entry 0 unused
    std::vector<Cell> cells;           // 1..cellCount, entry 0 a placeholder
    std::vector<PeerRecord> peerTable; // 0..cellCount

    DirectionFan fan;      // radius cellSize: turns names into pixel positions
    DirectionFan noteFan;  // radius cellSize / 3 rounded

    int16_t hexagonCount = 0;  // complete hexagons
    int16_t partialCount = 0;  // partial hexagons taken as units
    int16_t unitCount = 0;     // hexagonCount + partialCount
    int16_t cellCount = 0;
    int16_t cornerCount = 0;
    int16_t cellSize = 40;
    int16_t angle = 0;

    // Level fields (see levels.h).
    int16_t requestedPercent = 100;
    int16_t effectivePercent = 100;
    int16_t appliedPercent = 0;
    bool levelDerived = false;
    int16_t packing = 0;
    int16_t levelCounter = 0;
    int16_t textRows = 0;
    int16_t textColumns = 0;
    int16_t level = 6;
    int16_t effectiveLevel = 6;
    int16_t displayedLevel = 6;
    bool hasValues = false;      // the description gave at least one cell value
    bool valuesLoaded = false;   // cellValues copied into the cells

    // Remembered settings that a load re-applies to the grid.
    int16_t storedPercentage = 100;
    int16_t storedAngle = 0;
    int16_t storedCellSize = 40;

    NoteOffset noteOffsets[2][6];  // [kNotesAB / kNotesAF][note 1..6 at 0..5]

    // Play flags.
    uint8_t eliminateInPeers = 1;  // a placed value strikes itself from the touching cells

    // Defining and derived lists; every name in canonical expanded form.
    TextList hexagons;
    TextList partialHexagons;
    TextList cellNames;
    TextList cornerPoints;
    TextList touchingCells;
    TextList innerLines;
    TextList outerLines;
    TextList holes;
    TextList outerRing;
    TextList cellValues;  // cell name -> "solution,percent"
    NameIndex cellIndex;  // position of every cellNames entry, built with the basic lists

    // Computed flags, one per derived structure.
    bool holesComputed = false;
    bool linesComputed = false;
    bool basicComputed = false;      // normalised hexagons, cells, partial hexagons, counts
    bool cornersComputed = false;
    bool touchingComputed = false;
    bool cellsComputed = false;      // the cell array exists
    bool unitsComputed = false;      // the unit table exists
    bool peersComputed = false;      // peerTable is filled and active
    bool positionsComputed = false;  // cell and unit pixel positions are current

    int16_t unitTableCount = 0;
    TextString gridCode;

    /*
     * The note layout. It places the notes that a click toggles (noteOffsets);
     * the drawing also reads it for the holes and lines, drawn in the
     * triangle view only.
     */
    NoteLayout view = NoteLayout::Triangle;

    TextList DescriptionList;  // the description entries the grid was built from

    bool created = false;  // createGrid has run
};

// Value masks: bit v-1 for digit v, and 63 minus it; 0 for anything outside 1..6.
int16_t valueBit(int v);
int16_t valueComplement(int v);

// --- lifecycle ---
void createGrid(Grid& g);
/*
 * Two ways back to an empty grid. Both drop the counts, the angle, the caption,
 * the derived arrays and every computed flag. clearGrid keeps the lists the
 * grid owns and puts the levels back to 6; releaseGrid empties every list and
 * leaves the levels.
 */
void clearGrid(Grid& g);
void releaseGrid(Grid& g);
void destroyGrid(Grid& g);
void freeCellArray(Grid& g);
void freeUnitTable(Grid& g);
void freePeerRecords(Grid& g);
void rebuildCellArray(Grid& g);
void rebuildUnitTable(Grid& g);
void rebuildPeerRecords(Grid& g);
void setCellSize(Grid& g, int16_t size);
void setGridAngle(Grid& g, int16_t degrees);
void setCaption(Grid& g, TextRef caption);
// Makes the fans of a grid that was never created (a record used before createGrid) match cellSize.
void ensureGridFans(Grid& g);
// hexagonCount, partialCount and unitCount from the hexagon lists.
void updateUnitCounts(Grid& g);

// --- cells; every operation skips index 0 and indices past the cell array ---
bool isValidCell(const Grid& g, int16_t i);
// The cell record, or null for index 0 and indices past the cell array.
Cell* cellAt(Grid& g, int16_t i);
const Cell* cellAt(const Grid& g, int16_t i);
void resetCell(Grid& g, int16_t i, bool full);
// Position of name in cellNames, 0 if absent.
int16_t cellIndexOf(const Grid& g, TextRef name);
bool isABCell(const Grid& g, int16_t i);
int16_t cellValue(const Grid& g, int16_t i);
// Stores v (0..6; anything else is refused and false returned).
bool setCellValue(Grid& g, int16_t i, int16_t v);
bool isCellFixed(const Grid& g, int16_t i);
// Back to the fixed numbers: every value that is not fixed is emptied, all candidates zeroed.
void clearEnteredValues(Grid& g);
int16_t cellNotes(const Grid& g, int16_t i);
void setCellNotes(Grid& g, int16_t i, int16_t mask);
void toggleNote(Grid& g, int16_t i, int16_t v);
void clearCellNotes(Grid& g, int16_t i);
void clearAllNotes(Grid& g);
bool hasAnyNotes(const Grid& g);
// True when the grid has at least one cell and every cell holds a value. A grid
// without cells is never full, so no clock is frozen and no win is announced on it.
bool isGridFull(const Grid& g);
// "L" row, middle, then "C" column (or "-P" rank when byRank).
TextString cellLabel(const Grid& g, int16_t i, TextRef middle, bool byRank);

// --- geometry (pixels, y upward, distance |dx| + |dy|) ---
PixelPoint pointPosition(const Grid& g, TextRef name);
PixelPoint cellCentreOf(const Grid& g, TextRef name);
// Nearest cell within cellSize / 2, 0 if none.
int16_t cellAtPoint(const Grid& g, int x, int y);
// Note 1..6 of cell i nearest to the point within cellSize / 6, 0 if none.
int16_t noteAtPoint(const Grid& g, int16_t i, int x, int y);
PixelPoint notePosition(const Grid& g, int16_t i, int16_t v);
// Complete hexagon within cellSize / 6 (1..hexagonCount), else partial within cellSize / 4
// (hexagonCount + 1..unitCount), else 0.
int16_t hexagonAtPoint(const Grid& g, int x, int y);
// Position in cornerPoints of the nearest corner within cellSize / 6, 0 if none.
int16_t cornerAtPoint(const Grid& g, int x, int y);
// P, P+A, P+B (AB) or P+F (AF), P.
std::array<PixelPoint, 4> cellOutline(const Grid& g, int16_t i);
// The point plus each step A..F of noteFan, then the first again.
std::array<PixelPoint, 7> smallHexagon(const Grid& g, int x, int y);
GridBox boundingBox(const Grid& g);

// --- layouts ---
// Stores the note layout; the triangle view makes the grid recompute its note offsets.
void setView(Grid& g, NoteLayout view);
bool isView(const Grid& g, NoteLayout view);
// Note positions for the triangle view or the block layout; any other value leaves the tables unchanged.
void computeNoteOffsets(Grid& g);
// textRow, textColumn, rowRank of every cell and textRows, textColumns.
void layoutTextRowsColumns(Grid& g);
// 0..3: 3 minus how crowded the best-surrounded complete hexagon is (min(3, 6 - neighbours)).
int16_t computePacking(const Grid& g);
