// Subcommands of ornel-tool, the command-line companion built from the game's core.
#pragma once

#include <ostream>
#include <string>
#include <vector>

/*
 * Each subcommand gets the arguments after its name and writes to out (results)
 * and err (one-line errors). It returns the process exit status: 0 on success,
 * 1 when the subject was found wanting (an unknown grid code, a failed check),
 * 2 for malformed arguments.
 */
using ToolArgs = std::vector<std::string>;

int toolPath(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolName(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolCode(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolTopology(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolGrid(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolLoad(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolHint(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolCheck(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolSolve(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolGenerate(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolSettings(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolMessage(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolPictures(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolLayout(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolNewGrid(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolNewGridCheck(const ToolArgs& args, std::ostream& out, std::ostream& err);
int toolKeys(const ToolArgs& args, std::ostream& out, std::ostream& err);

// Runs a whole command line (args[0] is the subcommand), as main does.
int runTool(const ToolArgs& args, std::ostream& out, std::ostream& err);
