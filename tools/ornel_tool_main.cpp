// Entry point of ornel-tool.
#include <iostream>

#include "tools/tool.h"

int main(int argc, char** argv) {
    ToolArgs args(argv + 1, argv + argc);
    return runTool(args, std::cout, std::cerr);
}
