// Moving from cell to cell by rows of the board: the keyboard's way across a grid.
#include "puzzle/cell_navigation.h"

#include <algorithm>
#include <cstdlib>
#include <deque>

namespace {

int cellLimit(const Grid& g) {
    return std::min<int>(g.cellCount, static_cast<int>(g.cells.size()) - 1);
}

// Whether cell a comes before cell b in reading order.
bool readsBefore(const Cell& a, const Cell& b) {
    return a.textRow != b.textRow ? a.textRow < b.textRow : a.textColumn < b.textColumn;
}

// The nearest cell of `from`'s row on one side: the smallest column gap in that direction.
int16_t nextInRow(const Grid& g, int16_t from, int side) {
    const Cell& here = g.cells[static_cast<size_t>(from)];
    int16_t best = from;
    int bestGap = 0;
    for (int i = 1; i <= cellLimit(g); ++i) {
        const Cell& c = g.cells[static_cast<size_t>(i)];
        if (c.textRow != here.textRow) continue;
        const int gap = (c.textColumn - here.textColumn) * side;
        if (gap > 0 && (best == from || gap < bestGap)) {
            best = static_cast<int16_t>(i);
            bestGap = gap;
        }
    }
    return best;
}

// The row nearest to `row` on one side that holds a cell; 0 when there is none.
int nearestRowWithCells(const Grid& g, int row, int side) {
    int found = 0;
    for (int i = 1; i <= cellLimit(g); ++i) {
        const int r = g.cells[static_cast<size_t>(i)].textRow;
        if ((r - row) * side > 0 && (found == 0 || (r - found) * side < 0)) found = r;
    }
    return found;
}

int16_t nearestInRow(const Grid& g, int16_t from, int row) {
    const Cell& here = g.cells[static_cast<size_t>(from)];
    int16_t best = from;
    int bestGap = 0;
    for (int i = 1; i <= cellLimit(g); ++i) {
        const Cell& c = g.cells[static_cast<size_t>(i)];
        if (c.textRow != row) continue;
        const int gap = std::abs(c.textColumn - here.textColumn);
        const bool better = best == from || gap < bestGap ||
                            (gap == bestGap && c.textColumn < g.cells[static_cast<size_t>(best)].textColumn);
        if (better) {
            best = static_cast<int16_t>(i);
            bestGap = gap;
        }
    }
    return best;
}

}  // namespace

int16_t cellToward(const Grid& g, int16_t from, Heading heading) {
    if (from < 1 || from > cellLimit(g)) return from;
    switch (heading) {
    case Heading::Left: return nextInRow(g, from, -1);
    case Heading::Right: return nextInRow(g, from, 1);
    case Heading::Up:
    case Heading::Down: {
        const int side = heading == Heading::Up ? -1 : 1;
        const int row = nearestRowWithCells(g, g.cells[static_cast<size_t>(from)].textRow, side);
        return row == 0 ? from : nearestInRow(g, from, row);
    }
    }
    return from;
}

int16_t firstEmptyCell(const Grid& g) {
    int16_t firstEmpty = 0;
    int16_t first = 0;
    for (int i = 1; i <= cellLimit(g); ++i) {
        const Cell& c = g.cells[static_cast<size_t>(i)];
        if (first == 0 || readsBefore(c, g.cells[static_cast<size_t>(first)])) first = static_cast<int16_t>(i);
        if (c.value == 0 && (firstEmpty == 0 || readsBefore(c, g.cells[static_cast<size_t>(firstEmpty)])))
            firstEmpty = static_cast<int16_t>(i);
    }
    return firstEmpty != 0 ? firstEmpty : first;
}

bool stepsBetween(const Grid& g, int16_t from, int16_t to, std::vector<Heading>& path) {
    path.clear();
    const int n = cellLimit(g);
    if (from < 1 || from > n || to < 1 || to > n) return false;
    static constexpr Heading kHeadings[] = {Heading::Left, Heading::Right, Heading::Up, Heading::Down};
    std::vector<int16_t> cameFrom(static_cast<size_t>(n) + 1, 0);
    std::vector<Heading> by(static_cast<size_t>(n) + 1, Heading::Left);
    std::deque<int16_t> queue = {from};
    cameFrom[static_cast<size_t>(from)] = from;
    while (!queue.empty() && cameFrom[static_cast<size_t>(to)] == 0) {
        const int16_t c = queue.front();
        queue.pop_front();
        for (Heading h : kHeadings) {
            const int16_t next = cellToward(g, c, h);
            if (cameFrom[static_cast<size_t>(next)] != 0) continue;
            cameFrom[static_cast<size_t>(next)] = c;
            by[static_cast<size_t>(next)] = h;
            queue.push_back(next);
        }
    }
    if (cameFrom[static_cast<size_t>(to)] == 0) return false;
    for (int16_t c = to; c != from; c = cameFrom[static_cast<size_t>(c)]) path.push_back(by[static_cast<size_t>(c)]);
    std::reverse(path.begin(), path.end());
    return true;
}
