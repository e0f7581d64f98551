// Reading the arguments of ornel-tool's subcommands: the checks every subcommand shares.
#include "tools/tool_args.h"

#include <cstdlib>

bool readWholeNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 9) return false;
    size_t start = text[0] == '-' ? 1 : 0;
    if (start == text.size()) return false;
    for (size_t i = start; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}
