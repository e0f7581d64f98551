// Placeholder subcommands of ornel-tool, replaced as the core grows.
#include "tools/tool.h"

int toolPath(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolName(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolCode(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolTopology(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

