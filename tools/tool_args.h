// Reading the arguments of ornel-tool's subcommands: the checks every subcommand shares.
#pragma once

#include <string>

// A decimal whole number of at most nine characters (optional minus sign) within low..high.
bool readWholeNumber(const std::string& text, long low, long high, long& value);
