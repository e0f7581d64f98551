// One run of an ornel-tool subcommand inside the test process: its exit status and both outputs.
#pragma once

#include <sstream>
#include <string>

#include "tools/tool.h"

struct ToolRun {
    int status = 0;
    std::string out;
    std::string err;
};

// Runs `command` (toolGrid, toolLayout, runTool, ...) on the arguments, as the program's main would.
template <typename Command>
ToolRun runToolCommand(Command command, const ToolArgs& args) {
    std::ostringstream out, err;
    ToolRun r;
    r.status = command(args, out, err);
    r.out = out.str();
    r.err = err.str();
    return r;
}
