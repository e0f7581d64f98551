// ornel-tool grid: a grid built from description entries, levelled, restored from a state string and reported.
#include <cstdlib>
#include <string>

#include "base/text.h"
#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"
#include "tools/grid_report.h"
#include "tools/tool.h"

namespace {

// A whole decimal number within [low, high]; false for anything else.
bool readNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 9) return false;
    size_t i = (text[0] == '-') ? 1 : 0;
    if (i == text.size()) return false;
    for (size_t k = i; k < text.size(); ++k) {
        if (text[k] < '0' || text[k] > '9') return false;
    }
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

}  // namespace

int toolGrid(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    long size = 0, level = 0;
    bool haveSize = false, haveLevel = false, haveState = false;
    std::string state;
    TextList entries;

    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (a == "--size" || a == "--level" || a == "--state") {
            if (k + 1 >= args.size()) {
                err << "ornel-tool grid: " << a << " needs a value\n";
                return 2;
            }
            const std::string& v = args[++k];
            if (a == "--size") {
                if (!readNumber(v, 2, 1000, size)) {
                    err << "ornel-tool grid: --size must be a whole number from 2 to 1000, not '" << v << "'\n";
                    return 2;
                }
                haveSize = true;
            } else if (a == "--level") {
                if (!readNumber(v, 1, 7, level)) {
                    err << "ornel-tool grid: --level must be a level from 1 to 7, not '" << v << "'\n";
                    return 2;
                }
                haveLevel = true;
            } else {
                state = v;
                haveState = true;
            }
        } else if (a.size() >= 2 && a[0] == '-' && a[1] == '-') {
            err << "ornel-tool grid: unknown option '" << a << "'\n";
            return 2;
        } else {
            entries.add(a);
        }
    }

    // The order the game uses when it loads a grid and then applies a saved state.
    Grid g;
    createGrid(g);
    setfromgrivecdef(g, entries);
    if (haveSize) setCellSize(g, static_cast<int16_t>(size));
    if (haveLevel) setLevel(g, static_cast<int16_t>(level));
    ensureCells(g);
    ftbco(g);
    recomputeCandidates(g);
    bool stateValid = true;
    TextList moves;
    if (haveState) stateValid = readStateString(g, state, moves);
    prepareGrid(g, moves);
    recomputeCandidates(g);

    printGridReport(g, out);
    if (!stateValid) {
        err << "ornel-tool grid: the state string is not valid for this grid; entered values and notes cleared\n";
        return 1;
    }
    return 0;
}
