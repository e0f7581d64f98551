// Placeholder subcommands of ornel-tool, replaced as the core grows.
#include "tools/tool.h"

int toolSettings(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

int toolMessage(const ToolArgs&, std::ostream&, std::ostream& err) {
    err << "ornel-tool: not available yet\n";
    return 2;
}

