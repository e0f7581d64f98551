// The subcommand table of ornel-tool and its help text.
#include "tools/tool.h"

namespace {

struct Subcommand {
    const char* name;
    int (*run)(const ToolArgs&, std::ostream&, std::ostream&);
    const char* usage;
};

const Subcommand kSubcommands[] = {
    {"path", toolPath, "path TEXT...            lattice paths: expanded, compact and pixel forms"},
    {"name", toolName, "name TEXT...            a text normalised as a triangle and as an edge"},
    {"code", toolCode, "code CODE...            cell codes of grid descriptions"},
    {"topology", toolTopology, "topology CENTRE...      everything derived from a set of hexagon centres"},
    {"grid", toolGrid, "grid [--size N] [--level L] [--state S] ENTRY...   a grid built from description entries"},
    {"load", toolLoad, "load CODE [--level L] [--state S]   a built-in grid as the game loads it"},
    {"hint", toolHint, "hint CODE [--level L] [--state S]   the hint the game gives on that board (asked again after first steps)"},
    {"check", toolCheck, "check [CODE...]         every level of the built-in grids has exactly one solution"},
    {"solve", toolSolve, "solve CODE [--level L]  count the solutions (up to 2) and show the first"},
    {"generate", toolGenerate, "generate ...            make a candidate grid description (puzzle authoring)"},
    {"newgrid", toolNewGrid, "newgrid SIZE LEVEL SEED  a new grid on demand: its description and the proof of its puzzle"},
    {"newgrid-check", toolNewGridCheck,
     "newgrid-check FILE      the new grid a settings file keeps: made again, proved, its saved game read"},
    {"settings", toolSettings, "settings FILE [--save OUT]   a settings file as the game loads it"},
    {"message", toolMessage, "message N [--lang fr|en] [--arg A] [--arg2 B]   a composed message text"},
    {"pictures", toolPictures, "pictures OUTDIR [PAGE...]   write the rules-page pictures 1.bmp .. 9.bmp"},
    {"layout", toolLayout,
     "layout CODE [--scale S] [--screen WxH] [--at X,Y] [--frame FX,FY] [--dpi D] [--pan PX,PY] [--screen-coords]\n"
     "                          the main window's layout for a built-in grid (ornel-tool layout --help)"},
    {"keys", toolKeys, "keys GRID [START]       the keys that play grid GRID (1..5) to its solution (ornel-tool keys --help)"},
};

void printHelp(std::ostream& out) {
    out << "usage: ornel-tool SUBCOMMAND [ARGUMENTS]\n\nsubcommands:\n";
    for (const Subcommand& s : kSubcommands) out << "  " << s.usage << "\n";
}

}  // namespace

int runTool(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printHelp(err);
        return 2;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return 0;
    }
    for (const Subcommand& s : kSubcommands) {
        if (args[0] == s.name) return s.run(ToolArgs(args.begin() + 1, args.end()), out, err);
    }
    err << "ornel-tool: unknown subcommand '" << args[0] << "' (try --help)\n";
    return 2;
}
