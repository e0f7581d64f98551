// Difficulty levels: level percentages, effective level, and fixed values marked in the cells.
#include "puzzle/levels.h"

#include <algorithm>

#include "puzzle/derived.h"
#include "puzzle/grid.h"

namespace {

struct LevelRow {
    int16_t level;
    int16_t percent;
    const char* french;
    const char* english;
};

const LevelRow kLevels[7] = {
    {1, 75, "1-tr\xE8s facile", "1-very easy"},
    {2, 80, "2-facile", "2-easy"},
    {3, 85, "3-moyen", "3-middle"},
    {4, 90, "4-moyen haut", "4-high middle"},
    {5, 95, "5-difficile", "5-difficult"},
    {6, 100, "6-tr\xE8s difficile", "6-very difficult"},
    {7, 120, "7-diabolique", "7-diabolic"},
};

int16_t clamp16(int32_t v) { return static_cast<int16_t>(std::clamp<int32_t>(v, INT16_MIN, INT16_MAX)); }

// Reads "solution,percent"; missing numbers read as 0.
void readValueText(TextRef text, int16_t& solution, int16_t& percent) {
    TextString rest(text.v);
    solution = clamp16(takeInt(rest));
    percent = clamp16(takeInt(rest));
}

void clearGivenFields(Grid& g) {
    for (size_t i = 0; i < g.cells.size(); ++i) {
        g.cells[i].level = 0;
        g.cells[i].solution = 0;
        g.cells[i].fixed = 0;
    }
    g.valuesLoaded = false;
}

}  // namespace

int16_t percentageOf(int16_t level) {
    for (const LevelRow& r : kLevels) {
        if (r.level == level) return r.percent;
    }
    return 75;
}

int16_t levelOf(int16_t percent) {
    for (const LevelRow& r : kLevels) {
        if (r.percent == percent) return r.level;
    }
    return 1;
}

const char* levelName(int16_t level, bool english) {
    if (level < 1 || level > 7) return "xxx";
    return english ? kLevels[level - 1].english : kLevels[level - 1].french;
}

bool diabolicAvailable(Grid& g) {
    bool has120 = false, has100 = false;
    if (g.cellsComputed && g.valuesLoaded) {
        for (int i = 1; i <= g.cellCount && static_cast<size_t>(i) < g.cells.size(); ++i) {
            if (g.cells[i].level == 120) has120 = true;
            if (g.cells[i].level == 100) has100 = true;
        }
        if (has120 && has100) return true;
        if (has120) {
            // 120s without 100s: the grid has no seventh level; its 120s count as 100.
            for (int i = 1; i <= g.cellCount && static_cast<size_t>(i) < g.cells.size(); ++i) {
                if (g.cells[i].level > 100) g.cells[i].level = 100;
            }
        }
        return false;
    }
    /*
     * The cells do not carry the percentages yet (the level is usually set
     * right after the description is read, before the cells are built): the
     * answer comes from the description's values, which the cells will copy.
     */
    TextString key, value;
    for (int e = 1; e <= g.cellValues.count(); ++e) {
        g.cellValues.splitAt(e, key, value);
        if (g.basicComputed && cellIndexOf(g, key) <= 0) continue;
        int16_t solution = 0, percent = 0;
        readValueText(value, solution, percent);
        if (percent == 120) has120 = true;
        if (percent == 100) has100 = true;
    }
    return has120 && has100;
}

int16_t setRequestedPercentage(Grid& g, int16_t percent) {
    int16_t r = percent;
    if (r == 120 && !diabolicAvailable(g)) r = 100;
    g.requestedPercent = r;
    g.levelDerived = false;
    return r;
}

void setLevel(Grid& g, int16_t level) {
    // Level numbers outside 1..7 mean nothing; the nearest level is taken.
    level = std::clamp<int16_t>(level, kLowestLevel, kDiabolicLevel);
    g.level = level;
    ensureBasicLists(g);
    g.packing = computePacking(g);
    if (level == kDiabolicLevel) {
        int16_t e = diabolicAvailable(g) ? kDiabolicLevel : 6;
        g.effectiveLevel = e;
        g.displayedLevel = e;
    } else {
        g.effectiveLevel = static_cast<int16_t>(std::min(6, level + g.packing));
        g.displayedLevel = level;
    }
    g.requestedPercent = percentageOf(level);
    g.effectivePercent = percentageOf(g.effectiveLevel);
    g.levelDerived = true;
}

bool ensureLevel(Grid& g) {
    if (!g.levelDerived) {
        if (g.requestedPercent <= 74) g.requestedPercent = 100;
        setLevel(g, levelOf(g.requestedPercent));
    }
    return g.effectivePercent == g.appliedPercent;
}

void ensureValuesLoaded(Grid& g) {
    if (!g.hasValues) {
        ensureCells(g);
        clearGivenFields(g);
    } else if (!g.valuesLoaded || !g.cellsComputed) {
        loadGivens(g);
    }
}

void loadGivens(Grid& g) {
    ensureCells(g);
    clearGivenFields(g);
    TextString key, value;
    for (int e = 1; e <= g.cellValues.count(); ++e) {
        g.cellValues.splitAt(e, key, value);
        int16_t i = cellIndexOf(g, key);
        if (!isValidCell(g, i)) continue;
        int16_t solution = 0, percent = 0;
        readValueText(value, solution, percent);
        // A solution that is no digit cannot be shown as a given.
        if (solution < 1 || solution > 6) continue;
        Cell& c = g.cells[i];
        c.solution = solution;
        c.level = percent;
        c.fixed = 1;
    }
    g.valuesLoaded = true;
    applyGivens(g);
}

void applyGivens(Grid& g) {
    if (!g.hasValues) return;
    ensureValuesLoaded(g);
    const int n = std::min<int>(g.cellCount, static_cast<int>(g.cells.size()) - 1);
    for (int i = 1; i <= n; ++i) {
        Cell& c = g.cells[i];
        if (c.level < g.effectivePercent || c.solution < 1) {
            c.value = 0;
            c.fixed = 0;
        } else {
            c.value = c.solution;
            c.fixed = 1;
        }
    }
    g.appliedPercent = g.effectivePercent;
}

void refreshGivens(Grid& g) {
    if (g.hasValues) {
        ensureValuesLoaded(g);
        if (!ensureLevel(g)) applyGivens(g);
    } else {
        g.valuesLoaded = false;
    }
}

int16_t levelLabel(const Grid& g, TextString& out, int16_t mode, bool withName) {
    int16_t lv = levelOf(g.effectivePercent);
    if (mode == 10 || mode == 11) {
        lv = g.displayedLevel;
    } else if (mode == 13 || mode == 14) {
        if (lv != kDiabolicLevel) lv = static_cast<int16_t>(lv - g.packing);
    } else if (mode == 15) {
        lv = g.level;
    }
    const bool known = lv >= 1 && lv <= 7;
    if (!withName) out.assign(known ? numberText(lv) : std::string("x"));
    else if (mode == 10 || mode == 13) out.assign(levelName(lv, true));
    else out.assign(levelName(lv, false));
    return lv;
}
