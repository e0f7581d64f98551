// The puzzle record: lifecycle, cell queries, notes and hit-testing geometry.
#include "puzzle/grid.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>


namespace {

constexpr int16_t kDefaultCellSize = 40;
// Cell sizes outside this range make hit radii vanish or pixel positions overflow 16 bits.
constexpr int16_t kMinCellSize = 2;
constexpr int16_t kMaxCellSize = 1000;

int16_t clampTo16(long v) {
    if (v > INT16_MAX) return INT16_MAX;
    if (v < INT16_MIN) return INT16_MIN;
    return static_cast<int16_t>(v);
}

int distanceOf(int ax, int ay, int bx, int by) { return std::abs(ax - bx) + std::abs(ay - by); }

// Rounded to nearest, halves away from zero.
int roundedDivision(int a, int b) {
    if (b == 0) return 0;
    int half = b / 2;
    return (a >= 0) ? (a + half) / b : (a - half) / b;
}

/*
 * A scratch vector carrying the metric of the grid's fan, so that const
 * queries can turn names into pixels without touching the grid.
 */
HexVector fanVectorCopy(const Grid& g) {
    HexVector v;
    v.metric = g.fan.vector.metric;
    if (g.fan.entries.empty()) {
        setMetricSize(v.metric, g.cellSize);
        setMetricAngle(v.metric, g.angle);
    }
    ensureMetric(v.metric);
    return v;
}

PixelPoint fanStep(const DirectionFan& fan, int i) {
    PixelPoint p;
    if (i >= 0 && i < static_cast<int>(fan.entries.size())) {
        p.x = fan.entries[i].dx;
        p.y = fan.entries[i].dy;
    }
    return p;
}

PixelPoint addPoints(PixelPoint a, PixelPoint b) {
    PixelPoint r;
    r.x = clampTo16(static_cast<long>(a.x) + b.x);
    r.y = clampTo16(static_cast<long>(a.y) + b.y);
    return r;
}

// Cell centre from the stored position when current, else from the name.
PixelPoint centreOfCell(const Grid& g, int16_t i) {
    const Cell* c = cellAt(g, i);
    if (c != nullptr && g.positionsComputed) return PixelPoint{c->x, c->y};
    if (i < 1 || i > g.cellNames.count()) return PixelPoint{};
    return cellCentreOf(g, g.cellNames.str(i));
}

}  // namespace

int16_t valueBit(int v) { return (v >= 1 && v <= 6) ? static_cast<int16_t>(1 << (v - 1)) : 0; }

int16_t valueComplement(int v) { return (v >= 1 && v <= 6) ? static_cast<int16_t>(kAllDigits - (1 << (v - 1))) : 0; }

// ---------------------------------------------------------------- lifecycle

void createGrid(Grid& g) {
    startTopology();
    // A fresh record: empty lists and tables, start values.
    g = Grid{};
    createFan(g.fan, 6, 20);
    createFan(g.noteFan, 6, 20);
    clearGrid(g);
    g.created = true;
    setCellSize(g, kDefaultCellSize);
}

namespace {

void dropGridContents(Grid& g, bool release) {
    g.hexagonCount = 0;
    g.partialCount = 0;
    g.unitCount = 0;
    g.cellCount = 0;
    g.cornerCount = 0;
    g.appliedPercent = 0;
    g.levelCounter = 0;
    g.textRows = 0;
    g.textColumns = 0;
    g.unitTableCount = 0;
    g.angle = 0;
    setMetricAngle(g.lattice.metric, 0);
    g.eliminateInPeers = 1;
    g.caption.clear();
    g.packing = 0;
    g.requestedPercent = 100;
    g.effectivePercent = 100;

    /*
     * Both strengths drop the derived arrays: with cellCount back at 0 they
     * no longer describe anything, and keeping them would only invite stale
     * reads. The release clear also empties every list the grid owns.
     */
    freeCellArray(g);
    freeUnitTable(g);
    freePeerRecords(g);
    g.holesComputed = false;
    g.linesComputed = false;
    g.basicComputed = false;
    g.cornersComputed = false;
    g.touchingComputed = false;
    g.positionsComputed = false;
    g.levelDerived = false;
    g.valuesLoaded = false;

    if (release) {
        g.hexagons.clear();
        g.partialHexagons.clear();
        g.cellNames.clear();
        g.cornerPoints.clear();
        g.touchingCells.clear();
        g.innerLines.clear();
        g.outerLines.clear();
        g.holes.clear();
        g.outerRing.clear();
        g.cellValues.clear();
        g.cellIndex.positions.clear();
        g.DescriptionList.clear();
        g.hasValues = false;
    } else {
        g.level = 6;
        g.effectiveLevel = 6;
        g.displayedLevel = 6;
    }
    if (g.created) setCellSize(g, kDefaultCellSize);
    else g.cellSize = kDefaultCellSize;
}

}  // namespace

void clearGrid(Grid& g) {
    dropGridContents(g, false);
}

void releaseGrid(Grid& g) {
    dropGridContents(g, true);
}

void destroyGrid(Grid& g) {
    releaseGrid(g);
    releaseFan(g.fan);
    releaseFan(g.noteFan);
    g.caption.clear();
    g.gridCode.clear();
    g.lattice = HexVector{};
    g.created = false;
}

void freeCellArray(Grid& g) {
    g.cells.clear();
    g.cells.shrink_to_fit();
    g.cellsComputed = false;
    // Positions and loaded values live in the cells.
    g.positionsComputed = false;
    g.valuesLoaded = false;
    g.appliedPercent = 0;
}

void freeUnitTable(Grid& g) {
    g.units.clear();
    g.units.shrink_to_fit();
    g.unitTableCount = 0;
    g.unitsComputed = false;
    g.positionsComputed = false;
}

void freePeerRecords(Grid& g) {
    g.peerTable.clear();
    g.peerTable.shrink_to_fit();
    g.peersComputed = false;
}

void rebuildCellArray(Grid& g) {
    freeCellArray(g);
    const int n = std::max<int>(0, g.cellCount);
    g.cells.assign(static_cast<size_t>(n) + 1, Cell{});
    for (int i = 0; i <= n; ++i) {
        Cell& c = g.cells[i];
        c = Cell{};
        c.candidates = 0;
    }
    for (int i = 1; i <= n; ++i) {
        if (static_cast<size_t>(i) < g.peerTable.size()) {
            for (int16_t& f : g.peerTable[i].further) f = 0;
        }
    }
    g.cellsComputed = true;
    layoutTextRowsColumns(g);
    clearAllNotes(g);
}

void rebuildUnitTable(Grid& g) {
    freeUnitTable(g);
    const int n = std::max<int>(0, g.unitCount);
    g.units.assign(static_cast<size_t>(n) + 1, UnitEntry{});
    g.unitTableCount = static_cast<int16_t>(n);
    g.unitsComputed = true;
}

void rebuildPeerRecords(Grid& g) {
    freePeerRecords(g);
    const int n = std::max<int>(0, g.cellCount);
    g.peerTable.assign(static_cast<size_t>(n) + 1, PeerRecord{});
    std::string name;
    TextList touching;
    for (int e = 1; e <= g.touchingCells.count(); ++e) {
        if (!splitTouchingEntry(g.touchingCells.str(e), name, touching)) continue;
        int16_t ci = cellIndexOf(g, name);
        if (ci <= 0 || ci > n) continue;
        PeerRecord& rec = g.peerTable[ci];
        int slot = 0;
        for (int t = 1; t <= touching.count() && slot < 12; ++t) {
            int16_t pi = cellIndexOf(g, touching.str(t));
            if (pi > 0 && pi <= n && pi != ci) rec.peers[slot++] = pi;
        }
    }
    g.peersComputed = true;
}

void setCellSize(Grid& g, int16_t size) {
    if (size < kMinCellSize) size = kMinCellSize;
    if (size > kMaxCellSize) size = kMaxCellSize;
    g.cellSize = size;
    createFan(g.fan, 6, size);
    turnFan(g.fan, static_cast<float>(g.angle));
    createFan(g.noteFan, 6, static_cast<int16_t>(roundedDivision(size, 3)));
    turnFan(g.noteFan, static_cast<float>(g.angle));
    if (g.unitsComputed) {
        for (Cell& c : g.cells) {
            c.x = 0;
            c.y = 0;
        }
        for (UnitEntry& u : g.units) {
            u.x = 0;
            u.y = 0;
        }
    }
    g.positionsComputed = false;
    // The note positions scale with the cell; keep them in step with the size.
    computeNoteOffsets(g);
}

void setGridAngle(Grid& g, int16_t degrees) {
    g.angle = degrees;
    setMetricAngle(g.lattice.metric, degrees);
    setCellSize(g, g.cellSize);
}

void setCaption(Grid& g, TextRef caption) { g.caption.assign(caption); }

void ensureGridFans(Grid& g) {
    if (g.fan.entries.empty() || g.noteFan.entries.empty()) setCellSize(g, g.cellSize);
}

void updateUnitCounts(Grid& g) {
    g.hexagonCount = clampTo16(g.hexagons.count());
    g.partialCount = clampTo16(g.partialHexagons.count());
    g.unitCount = clampTo16(static_cast<long>(g.hexagonCount) + g.partialCount);
}

// ---------------------------------------------------------------- cells

bool isValidCell(const Grid& g, int16_t i) {
    return i >= 1 && i <= g.cellCount && static_cast<size_t>(i) < g.cells.size();
}

Cell* cellAt(Grid& g, int16_t i) { return isValidCell(g, i) ? &g.cells[i] : nullptr; }

const Cell* cellAt(const Grid& g, int16_t i) { return isValidCell(g, i) ? &g.cells[i] : nullptr; }

void resetCell(Grid& g, int16_t i, bool full) {
    // Entry 0 is reset like the others, though it never names a cell.
    if (i < 0 || static_cast<size_t>(i) >= g.cells.size()) return;
    Cell& c = g.cells[i];
    c.value = 0;
    c.fixed = 0;
    c.candidates = kAllDigits;
    c.reserved1 = 0;
    c.solution = 0;
    c.level = 0;
    if (full) {
        c.x = 0;
        c.y = 0;
        c.textRow = 0;
        c.textColumn = 0;
        c.rowRank = 0;
        c.reserved3 = 1;
        c.reservedByte = 0;
        if (static_cast<size_t>(i) < g.peerTable.size()) {
            for (int16_t& f : g.peerTable[i].further) f = 0;
        }
    }
}

int16_t cellIndexOf(const Grid& g, TextRef name) {
    if (name.v.empty()) return 0;
    if (g.basicComputed && !g.cellIndex.positions.empty()) {
        int16_t p = indexOfName(g.cellIndex, name);
        if (p > 0 && equalsFolded(g.cellNames.str(p), name)) return p;
        // A name in another spelling of the same triangle.
        std::string canonical = normaliseTriangle(name);
        p = indexOfName(g.cellIndex, canonical);
        if (p > 0 && equalsFolded(g.cellNames.str(p), canonical)) return p;
        return 0;
    }
    int p = g.cellNames.indexOf(name);
    if (p <= 0) p = g.cellNames.indexOf(normaliseTriangle(name));
    return (p > 0 && p <= INT16_MAX) ? static_cast<int16_t>(p) : 0;
}

bool isABCell(const Grid& g, int16_t i) {
    if (i < 1 || i > g.cellNames.count()) return false;
    return g.cellNames.str(i).find(":AB") != std::string::npos;
}

int16_t cellValue(const Grid& g, int16_t i) {
    const Cell* c = cellAt(g, i);
    return c ? c->value : 0;
}

bool setCellValue(Grid& g, int16_t i, int16_t v) {
    Cell* c = cellAt(g, i);
    if (c == nullptr || v < 0 || v > 6) return false;
    c->value = v;
    return true;
}

bool isCellFixed(const Grid& g, int16_t i) {
    const Cell* c = cellAt(g, i);
    return c != nullptr && c->fixed != 0;
}

void clearEnteredValues(Grid& g) {
    for (int i = 1; isValidCell(g, static_cast<int16_t>(i)); ++i) {
        Cell& c = g.cells[i];
        if (!c.fixed) c.value = 0;
        c.candidates = 0;
    }
}

int16_t cellNotes(const Grid& g, int16_t i) {
    const Cell* c = cellAt(g, i);
    return c ? c->notes : 0;
}

void setCellNotes(Grid& g, int16_t i, int16_t mask) {
    Cell* c = cellAt(g, i);
    if (c) c->notes = static_cast<int16_t>(mask & kAllDigits);
}

void toggleNote(Grid& g, int16_t i, int16_t v) {
    Cell* c = cellAt(g, i);
    int16_t bit = valueBit(v);
    if (c == nullptr || bit == 0) return;
    c->notes = static_cast<int16_t>(c->notes ^ bit);
}

void clearCellNotes(Grid& g, int16_t i) {
    Cell* c = cellAt(g, i);
    if (c) c->notes = 0;
}

void clearAllNotes(Grid& g) {
    for (Cell& c : g.cells) c.notes = 0;
}

bool hasAnyNotes(const Grid& g) {
    for (int i = 1; isValidCell(g, static_cast<int16_t>(i)); ++i) {
        if (g.cells[i].notes != 0) return true;
    }
    return false;
}

bool isGridFull(const Grid& g) {
    if (g.cellCount <= 0 || g.cells.size() < static_cast<size_t>(g.cellCount) + 1) return false;
    for (int i = 1; i <= g.cellCount; ++i) {
        if (g.cells[i].value <= 0) return false;
    }
    return true;
}

TextString cellLabel(const Grid& g, int16_t i, TextRef middle, bool byRank) {
    const Cell* c = cellAt(g, i);
    TextString out;
    if (c == nullptr) return out;
    out.assign2("L", numberText(c->textRow));
    out.append(middle);
    if (byRank) out.append2("-P", numberText(c->rowRank));
    else out.append2("C", numberText(c->textColumn));
    return out;
}

// ---------------------------------------------------------------- geometry

PixelPoint pointPosition(const Grid& g, TextRef name) {
    HexVector v = fanVectorCopy(g);
    PixelPoint p;
    pointPixel(v, name, p.x, p.y);
    return p;
}

PixelPoint cellCentreOf(const Grid& g, TextRef name) {
    HexVector v = fanVectorCopy(g);
    PixelPoint p;
    triangleCentrePixel(v, name, p.x, p.y);
    return p;
}

int16_t cellAtPoint(const Grid& g, int x, int y) {
    int best = INT_MAX;
    int16_t found = 0;
    HexVector v;
    if (!g.positionsComputed) v = fanVectorCopy(g);
    for (int i = 1; isValidCell(g, static_cast<int16_t>(i)); ++i) {
        int16_t cx = g.cells[i].x, cy = g.cells[i].y;
        if (!g.positionsComputed) triangleCentrePixel(v, g.cellNames.str(i), cx, cy);
        int d = distanceOf(cx, cy, x, y);
        if (d < best) {
            best = d;
            found = static_cast<int16_t>(i);
        }
    }
    if (found == 0 || best > g.cellSize / 2) return 0;
    return found;
}

PixelPoint notePosition(const Grid& g, int16_t i, int16_t v) {
    if (!isValidCell(g, i) || v < 1 || v > 6) return PixelPoint{};
    PixelPoint c = centreOfCell(g, i);
    const NoteOffset& o = g.noteOffsets[isABCell(g, i) ? kNotesAB : kNotesAF][v - 1];
    return PixelPoint{clampTo16(static_cast<long>(c.x) + o.dx), clampTo16(static_cast<long>(c.y) + o.dy)};
}

int16_t noteAtPoint(const Grid& g, int16_t i, int x, int y) {
    if (!isValidCell(g, i)) return 0;
    int best = INT_MAX;
    int16_t found = 0;
    for (int16_t v = 1; v <= 6; ++v) {
        PixelPoint p = notePosition(g, i, v);
        int d = distanceOf(p.x, p.y, x, y);
        if (d < best) {
            best = d;
            found = v;
        }
    }
    return (best <= g.cellSize / 6) ? found : 0;
}

int16_t hexagonAtPoint(const Grid& g, int x, int y) {
    const bool stored = g.positionsComputed && g.units.size() > static_cast<size_t>(g.unitCount);
    HexVector v = fanVectorCopy(g);
    auto position = [&](int u, const std::string& name) {
        PixelPoint p;
        if (stored) p = PixelPoint{g.units[u].x, g.units[u].y};
        else pointPixel(v, name, p.x, p.y);
        return p;
    };
    int best = INT_MAX;
    int16_t found = 0;
    for (int h = 1; h <= g.hexagonCount && h <= g.hexagons.count(); ++h) {
        PixelPoint p = position(h, g.hexagons.str(h));
        int d = distanceOf(p.x, p.y, x, y);
        if (d < best) {
            best = d;
            found = static_cast<int16_t>(h);
        }
    }
    if (found != 0 && best <= g.cellSize / 6) return found;
    best = INT_MAX;
    found = 0;
    for (int h = 1; h <= g.partialCount && h <= g.partialHexagons.count(); ++h) {
        PixelPoint p = position(g.hexagonCount + h, g.partialHexagons.str(h));
        int d = distanceOf(p.x, p.y, x, y);
        if (d < best) {
            best = d;
            found = static_cast<int16_t>(g.hexagonCount + h);
        }
    }
    if (found != 0 && best <= g.cellSize / 4) return found;
    return 0;
}

int16_t cornerAtPoint(const Grid& g, int x, int y) {
    HexVector v = fanVectorCopy(g);
    int best = INT_MAX;
    int16_t found = 0;
    const int n = std::min<int>(g.cornerPoints.count(), INT16_MAX);
    for (int k = 1; k <= n; ++k) {
        PixelPoint p;
        pointPixel(v, g.cornerPoints.str(k), p.x, p.y);
        int d = distanceOf(p.x, p.y, x, y);
        if (d < best) {
            best = d;
            found = static_cast<int16_t>(k);
        }
    }
    return (found != 0 && best <= g.cellSize / 6) ? found : 0;
}

std::array<PixelPoint, 4> cellOutline(const Grid& g, int16_t i) {
    std::array<PixelPoint, 4> out{};
    if (i < 1 || i > g.cellNames.count()) return out;
    PixelPoint p = pointPosition(g, g.cellNames.str(i));
    out[0] = p;
    out[1] = addPoints(p, fanStep(g.fan, 0));
    out[2] = addPoints(p, fanStep(g.fan, isABCell(g, i) ? 1 : 5));
    out[3] = p;
    return out;
}

std::array<PixelPoint, 7> smallHexagon(const Grid& g, int x, int y) {
    std::array<PixelPoint, 7> out{};
    PixelPoint centre{clampTo16(x), clampTo16(y)};
    for (int k = 0; k < 6; ++k) out[k] = addPoints(centre, fanStep(g.noteFan, k));
    out[6] = out[0];
    return out;
}

GridBox boundingBox(const Grid& g) {
    const int s = g.cellSize;
    int minX = INT_MAX, maxX = INT_MIN, minY = INT_MAX, maxY = INT_MIN;
    // From the cell names when the cell array is not built yet.
    const int n = std::min<int>({g.cellNames.count(), static_cast<int>(g.cellCount), INT16_MAX});
    for (int i = 1; i <= n; ++i) {
        PixelPoint p = centreOfCell(g, static_cast<int16_t>(i));
        minX = std::min<int>(minX, p.x);
        maxX = std::max<int>(maxX, p.x);
        minY = std::min<int>(minY, p.y);
        maxY = std::max<int>(maxY, p.y);
    }
    GridBox box;
    if (minX == INT_MAX) {
        // No cells: a box of one cell around the origin keeps layouts finite.
        minX = maxX = minY = maxY = 0;
    }
    box.left = clampTo16(static_cast<long>(minX) - s);
    box.top = clampTo16(static_cast<long>(maxY) + s);
    box.right = clampTo16(static_cast<long>(maxX) + s);
    box.bottom = clampTo16(static_cast<long>(minY) - s);
    return box;
}

// ---------------------------------------------------------------- layouts

void setView(Grid& g, NoteLayout view) {
    g.view = view;
    if (view == NoteLayout::Triangle) computeNoteOffsets(g);
}

bool isView(const Grid& g, NoteLayout view) { return g.view == view; }

void computeNoteOffsets(Grid& g) {
    const int r = g.cellSize;
    const int b = fanStep(g.fan, 1).y;
    if (g.view == NoteLayout::Triangle) {
        // Three rows of 3, 2 and 1 following the triangle's shape.
        static const int af[6][2] = {{-2, 1}, {0, 1}, {2, 1}, {-1, 0}, {1, 0}, {0, -1}};
        static const int ab[6][2] = {{0, 1}, {-1, 0}, {1, 0}, {-2, -1}, {0, -1}, {2, -1}};
        const int k = roundedDivision(b, 12);
        for (int n = 0; n < 6; ++n) {
            g.noteOffsets[kNotesAF][n].dx = af[n][0] * (r / 8);
            g.noteOffsets[kNotesAF][n].dy = af[n][1] * (b / 4) - k;
            g.noteOffsets[kNotesAB][n].dx = ab[n][0] * (r / 8);
            g.noteOffsets[kNotesAB][n].dy = ab[n][1] * (b / 4) + k;
        }
    } else if (g.view == NoteLayout::Block) {
        // Two rows of three.
        static const int blk[6][2] = {{-1, 1}, {0, 1}, {1, 1}, {-1, -1}, {0, -1}, {1, -1}};
        for (int side = 0; side < 2; ++side) {
            for (int n = 0; n < 6; ++n) {
                g.noteOffsets[side][n].dx = blk[n][0] * (r / 6);
                g.noteOffsets[side][n].dy = blk[n][1] * (b / 8);
            }
        }
    }
}

void layoutTextRowsColumns(Grid& g) {
    /*
     * Each row of the text layout is one strip of alternating AB and AF
     * triangles: A moves two columns (one per triangle), B and F one column
     * and a row. Rows and columns are then shifted to start at 1 unless every
     * one of them is beyond 7.
     */
    const int n = std::min<int>(g.cellCount, static_cast<int>(g.cells.size()) - 1);
    g.textRows = 0;
    g.textColumns = 0;
    if (n <= 0) return;
    std::vector<int> rows(static_cast<size_t>(n) + 1), cols(static_cast<size_t>(n) + 1);
    static const int stepX[6] = {2, 1, -1, -2, -1, 1};
    static const int stepY[6] = {0, 1, 1, 0, -1, -1};
    int minRow = INT_MAX, minCol = INT_MAX;
    for (int i = 1; i <= n; ++i) {
        const std::string& name = g.cellNames.str(i);
        long x = 0, y = 0;
        int current = -1;
        for (char ch : name) {
            if (ch == ':') break;
            int d = directionIndex(ch);
            if (d >= 0) {
                current = d;
                x += stepX[d];
                y += stepY[d];
            } else if (ch >= '2' && ch <= '9' && current >= 0) {
                x += static_cast<long>(stepX[current]) * (ch - '1');
                y += static_cast<long>(stepY[current]) * (ch - '1');
            }
        }
        x = std::clamp<long>(x, -20000, 20000);
        y = std::clamp<long>(y, -20000, 20000);
        cols[i] = static_cast<int>(x) + 1;
        rows[i] = 1 - static_cast<int>(y) + (isABCell(g, static_cast<int16_t>(i)) ? 0 : 1);
        minRow = std::min(minRow, rows[i]);
        minCol = std::min(minCol, cols[i]);
    }
    const int mRow = std::min(7, minRow);
    const int mCol = std::min(7, minCol);
    for (int i = 1; i <= n; ++i) {
        Cell& c = g.cells[i];
        c.textRow = clampTo16(rows[i] - mRow + 1);
        c.textColumn = clampTo16(cols[i] - mCol + 1);
        c.rowRank = c.textColumn;
        g.textRows = std::max(g.textRows, c.textRow);
        g.textColumns = std::max(g.textColumns, c.textColumn);
    }
}

int16_t computePacking(const Grid& g) {
    NameIndex centres;
    buildNameIndex(centres, g.hexagons);
    int most = 0;
    std::array<std::string, 6> around;
    for (int h = 1; h <= g.hexagons.count(); ++h) {
        neighboursOfPoint(g.hexagons.str(h), around);
        int count = 0;
        for (const std::string& p : around) {
            if (indexOfName(centres, p) > 0) ++count;
        }
        most = std::max(most, count);
    }
    return static_cast<int16_t>(std::min(3, 6 - most));
}
