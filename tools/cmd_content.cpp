// Placeholder subcommands of ornel-tool, replaced as the core grows.
#include "tools/tool.h"

int toolLoad(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolCheck(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolSolve(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolGenerate(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}
