// The built-in grid collection: the lookup of codes, the cutting of description lines into entries, the loader.
#include "content/collection.h"

#include <string>
#include <vector>

#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"

// The stored table, in lookup order (content/builtin_grids.cpp).
const BuiltInGrid* builtInGridTable(int16_t& count);
// The codes of grid numbers 1..5 as stored.
const char* builtInGridCodeList();

int16_t gridCount = 0;
int16_t releaseNumber = kReleaseNumber;
int16_t builtInLevel = 0;
int16_t noteLayoutCode = 7;
TextList CollectionLines;
TextString GridCodeList(builtInGridCodeList());
TextString lastBuiltKey;

namespace {
// The slot the last-built key belongs to, and the cells built there: the key says nothing about other slots.
int16_t lastBuiltSlot = -1;
std::vector<std::string> lastBuiltCells;
}  // namespace

int16_t builtInGridTotal() {
    int16_t count = 0;
    builtInGridTable(count);
    return count;
}

const BuiltInGrid* builtInGridAt(int16_t i) {
    int16_t count = 0;
    const BuiltInGrid* table = builtInGridTable(count);
    if (i < 1 || i > count) return nullptr;
    return &table[i - 1];
}

const BuiltInGrid* builtInGridOf(TextRef code) {
    int16_t count = 0;
    const BuiltInGrid* table = builtInGridTable(count);
    for (int16_t i = 0; i < count; ++i) {
        if (equalsFolded(table[i].code, code)) return &table[i];
    }
    return nullptr;
}

const char* builtInGridLine(const BuiltInGrid& grid, int16_t n) {
    if (n < 1 || n > grid.lineCount) return nullptr;
    return grid.lines[n - 1];
}

bool findBuiltInGrid(TextRef code) {
    releaseNumber = kReleaseNumber;
    builtInLevel = 0;
    const BuiltInGrid* grid = builtInGridOf(code);
    gridCount = kOfferedGridCount;
    if (!grid) return false;
    builtInLevel = grid->level;
    for (int16_t n = 1; n <= grid->lineCount; ++n) CollectionLines.add(builtInGridLine(*grid, n));
    return true;
}

void appendDescriptionEntries(const TextList& lines, TextList& entries) {
    for (int i = 1; i <= lines.count(); ++i) {
        TextString rest(lines.str(i));
        TextString percent;
        TextString token;
        // takeToken consumes up to the next comma; a line is done when nothing is left.
        // A trailing comma would leave one empty token, which counts like any other.
        bool more = true;
        while (more) {
            more = rest.s.find(',') != std::string::npos;
            token.takeToken(rest);
            if (token.s.size() > 0 && token.s[0] == '%') {
                // "%0" clears; longer texts than 15 characters are cut to keep the entries small.
                if (token.s == "%0") percent.clear();
                else percent.assign(std::string_view(token.s).substr(0, 15));
            } else if (token.s.size() > 0 && token.s[0] == '#') {
                continue;
            } else {
                entries.add2(token, percent);
            }
        }
    }
}

TextString gridCodeOfNumber(int16_t n) {
    if (n < 1) return TextString();
    TextList codes = splitItems(GridCodeList);
    if (n > codes.count()) return TextString();
    return TextString(codes.str(n));
}

void loadGridCodeList() { GridCodeList.assign(builtInGridCodeList()); }

void loadBuiltInGrid(int16_t slot, TextRef code) {
    Grid& g = gridSlot(slot);
    CollectionLines.clear();
    builtInLevel = 0;
    noteLayoutCode = 7;
    if (!findBuiltInGrid(code)) {
        CollectionLines.clear();
        return;
    }
    const BuiltInGrid* entry = builtInGridOf(code);
    /*
     * The rebuild is skipped only when this very slot still holds the cells
     * built for the code. The key alone would also skip it for the same code
     * loaded into another slot, or into a grid whose lists were dropped or
     * rebuilt from other entries since, leaving that grid without its shape.
     */
    TextString key;
    key.assign2(entry->code, ",");
    bool sameGrid = key.equals(lastBuiltKey) && lastBuiltSlot == (slot >= 0 && slot < kGridSlotCount ? slot : 0) &&
                    equalsFolded(g.gridCode, entry->code) && g.basicComputed && g.cellNames.items == lastBuiltCells;

    g.DescriptionList.clear();
    g.gridCode.assign(entry->code);
    setCaption(g, entry->code);
    appendDescriptionEntries(CollectionLines, g.DescriptionList);

    if (!sameGrid) {
        lastBuiltKey = key;
        lastBuiltSlot = (slot >= 0 && slot < kGridSlotCount) ? slot : 0;
        setfromgrivecdef(g, g.DescriptionList);
        lastBuiltCells = g.cellNames.items;
    }
    setRequestedPercentage(g, g.storedPercentage);
    setGridAngle(g, g.storedAngle);
    setCellSize(g, g.storedCellSize);

    if (builtInLevel > 0) setLevel(g, builtInLevel);
    if (!g.cellsComputed) ensureCells(g);
    if (!g.peersComputed) ftbco(g);
    recomputeCandidates(g);
    CollectionLines.clear();
}
