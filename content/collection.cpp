// The built-in grid collection: the lookup of codes, the cutting of description lines into entries, the loader.
#include "content/collection.h"

#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"

// The stored table, in lookup order (content/builtin_grids.cpp).
const BuiltInGrid* builtInGridTable(int16_t& count);

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

BuiltInLookup findBuiltInGrid(TextRef code) {
    BuiltInLookup found;
    found.grid = builtInGridOf(code);
    if (!found.grid) return found;
    found.level = found.grid->level;
    for (int16_t n = 1; n <= found.grid->lineCount; ++n) found.lines.add(builtInGridLine(*found.grid, n));
    return found;
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
    if (n < 1 || n > kOfferedGridCount) return TextString();
    return TextString(kNumberedGridCodes[n - 1]);
}

const BuiltInGrid* loadBuiltInGrid(Grid& g, TextRef code) {
    BuiltInLookup found = findBuiltInGrid(code);
    if (!found.grid) return nullptr;
    if (!g.created) createGrid(g);
    /*
     * The lists are built from the description at every load, also when the
     * grid already holds the same code: that costs about 2 ms for the largest
     * grid (bench/content_bench.cpp), nothing next to the paint that follows a
     * load, and a grid can never keep lists that another description built.
     */
    g.DescriptionList.clear();
    g.gridCode.assign(found.grid->code);
    setCaption(g, found.grid->code);
    appendDescriptionEntries(found.lines, g.DescriptionList);
    setfromgrivecdef(g, g.DescriptionList);
    setRequestedPercentage(g, g.storedPercentage);
    setGridAngle(g, g.storedAngle);
    setCellSize(g, g.storedCellSize);

    if (found.level > 0) setLevel(g, found.level);
    if (!g.cellsComputed) ensureCells(g);
    if (!g.peersComputed) ftbco(g);
    recomputeCandidates(g);
    return found.grid;
}
