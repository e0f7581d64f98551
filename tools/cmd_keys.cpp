// ornel-tool keys: the keys that play a numbered grid from its fresh state to its solution, for scripts that type.
#include <algorithm>
#include <string>
#include <vector>

#include "content/collection.h"
#include "puzzle/cell_navigation.h"
#include "puzzle/grid.h"
#include "puzzle/preparation.h"
#include "tools/tool.h"
#include "tools/tool_args.h"

namespace {

// The key names xdotool gives the arrows.
const char* arrowKeyName(Heading heading) {
    switch (heading) {
    case Heading::Left: return "Left";
    case Heading::Right: return "Right";
    case Heading::Up: return "Up";
    case Heading::Down: return "Down";
    }
    return "Right";
}

// The empty cells in reading order (top row first, left to right), so that one cell leads to the next in a few steps.
std::vector<int16_t> emptyCellsInReadingOrder(const Grid& g) {
    std::vector<int16_t> cells;
    for (int16_t i = 1; i <= g.cellCount; ++i)
        if (cellValue(g, i) == 0) cells.push_back(i);
    std::stable_sort(cells.begin(), cells.end(), [&g](int16_t a, int16_t b) {
        const Cell& x = g.cells[static_cast<size_t>(a)];
        const Cell& y = g.cells[static_cast<size_t>(b)];
        return x.textRow != y.textRow ? x.textRow < y.textRow : x.textColumn < y.textColumn;
    });
    return cells;
}

const char kKeysHelp[] =
    "usage: ornel-tool keys GRID [START]\n"
    "The keys (xdotool names, one a line) that play built-in grid GRID (1..5) from its fresh state to its\n"
    "solution with the keyboard alone: for each empty cell in reading order, its solution's digit key,\n"
    "the arrows that take the cell cursor there, then space. The first arrow only shows the cursor, on\n"
    "cell START (default: the first empty cell, where the game shows it when no cell was clicked).\n";

}  // namespace

int toolKeys(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        out << kKeysHelp;
        return 0;
    }
    long number = 0;
    if (args.empty() || args.size() > 2 || !readWholeNumber(args[0], 1, kOfferedGridCount, number)) {
        err << "ornel-tool keys: needs a grid number from 1 to " << kOfferedGridCount << " and at most a start cell\n";
        return 2;
    }
    // The fresh grid as the game loads it.
    Grid g;
    createGrid(g);
    if (!loadBuiltInGrid(g, gridCodeOfNumber(static_cast<int16_t>(number)))) {
        err << "ornel-tool keys: grid " << number << " is not in the collection\n";
        return 1;
    }
    prepareGrid(g);
    long start = firstEmptyCell(g);
    if (args.size() == 2 && !readWholeNumber(args[1], 1, g.cellCount, start)) {
        err << "ornel-tool keys: the start cell must be a cell of the grid, 1 to " << g.cellCount << "\n";
        return 2;
    }

    int16_t cursor = 0;  // hidden until the first arrow
    std::vector<Heading> path;
    for (int16_t cell : emptyCellsInReadingOrder(g)) {
        const int16_t digit = g.cells[static_cast<size_t>(cell)].solution;
        if (digit < 1 || digit > 6) {
            err << "ornel-tool keys: cell " << cell << " has no solution digit\n";
            return 1;
        }
        const int16_t from = cursor != 0 ? cursor : static_cast<int16_t>(start);
        if (!stepsBetween(g, from, cell, path)) {
            err << "ornel-tool keys: no arrow path leads from cell " << from << " to cell " << cell << "\n";
            return 1;
        }
        out << digit << "\n";
        // The first arrow shows the cursor where it starts and moves nothing: any arrow will do.
        if (cursor == 0) out << arrowKeyName(path.empty() ? Heading::Right : path.front()) << "\n";
        for (Heading h : path) out << arrowKeyName(h) << "\n";
        out << "space\n";
        cursor = cell;
    }
    return 0;
}
