// ornel-tool subcommands newgrid and newgrid-check: a new grid from its request, and the proof of one kept in a settings file.
#include <string>

#include "content/collection.h"
#include "content/new_grid.h"
#include "puzzle/derived.h"
#include "puzzle/grid.h"
#include "puzzle/hints.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"
#include "tools/grid_report.h"
#include "puzzle/solver.h"
#include "tools/content_check.h"
#include "tools/tool.h"
#include "ui/hint_texts.h"
#include "tools/tool_args.h"

/*
 * Both load the grid into slot 0 through the game's own path (description
 * entries, level machinery) and prove its puzzle from there: the givens the
 * asked level shows are counted by the exact solver (limit 2) and graded.
 * Status 0 when the puzzle has one solution and the grade its level asks for,
 * 1 when not (or the file has no valid new-grid line), 2 for bad arguments.
 */

namespace {

struct Proof {
    int16_t givens = 0;
    int16_t solutions = 0;
    Grade grade = Grade::Invalid;
    bool holds = false;
};

// Loads the new grid into g and proves it.
Proof prove(const NewGrid& grid, Grid& g) {
    loadNewGrid(g, grid);
    setLevel(g, grid.request.level);
    SolverModel model = modelFromGrid(g);
    CellDigits givens = givensOfGrid(g);
    Proof p;
    for (size_t c = 1; c < givens.size(); ++c) p.givens += givens[c] != 0;
    p.solutions = countSolutions(model, givens, 2);
    p.grade = gradePuzzle(model, givens).grade;
    p.holds = p.solutions == 1 && p.grade == newGridGrade(grid.request.size, grid.request.level) &&
              solutionObeysRule(model, solutionOfGrid(g));
    return p;
}

void printProof(const NewGrid& grid, const Proof& p, std::ostream& out) {
    out << "threshold=" << grid.threshold << " givens=" << p.givens << " solutions=" << p.solutions
        << " grade=" << gradeName(p.grade) << " asked=" << gradeName(newGridGrade(grid.request.size, grid.request.level))
        << " proof=" << (p.holds ? "yes" : "no") << "\n";
}

void printHeader(const NewGrid& grid, std::ostream& out) {
    out << "code=" << grid.code.s << " shape=" << grid.shapeCode.s << " size=" << grid.request.size
        << " level=" << grid.request.level << " seed=" << grid.request.seed << "\n";
}


}  // namespace

int toolNewGrid(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    NewGridRequest request;
    if (args.size() != 3 || !readNewGridSetting(args[0] + "," + args[1] + "," + args[2], request)) {
        err << "ornel-tool: newgrid takes SIZE (1-5) LEVEL (1-7) SEED (0-4294967295)\n";
        return 2;
    }
    NewGrid grid;
    makeNewGrid(request, grid);
    printHeader(grid, out);
    for (const std::string& l : grid.lines.items) out << "line=" << l << "\n";
    Grid g;
    Proof p = prove(grid, g);
    printProof(grid, p, out);
    out << "setting=" << kNewGridKey << "=" << newGridSettingValue(request).s << "\n";
    return p.holds ? 0 : 1;
}

int toolNewGridCheck(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1) {
        err << "ornel-tool: newgrid-check takes one settings file\n";
        return 2;
    }
    TextList lines;
    lines.readFile(args[0]);
    NewGridRequest request;
    if (!lines.hasKey(kNewGridKey) || !readNewGridSetting(lines.getValue(kNewGridKey), request)) {
        err << "ornel-tool: " << args[0] << " keeps no valid new grid (" << kNewGridKey << "=SIZE,LEVEL,SEED)\n";
        return 1;
    }
    NewGrid grid;
    makeNewGrid(request, grid);
    printHeader(grid, out);
    Grid g;
    Proof p = prove(grid, g);
    printProof(grid, p, out);

    // The saved game of the new grid: its state pieces and time under its grid number.
    std::string state;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        std::string key = "gv" + numberText(kNewGridNumber) + ":" + letter;
        if (!lines.hasKey(key)) break;
        state += lines.getValue(key).s;
    }
    long seconds = 0;
    std::string tps = "tps" + numberText(kNewGridNumber);
    if (lines.hasKey(tps)) readWholeNumber(lines.getValue(tps).s, 0, 999999999, seconds);
    TextList moves;
    bool stateValid = state.empty() || readStateString(g, state, moves);
    prepareGrid(g, moves);
    out << "state=" << (state.empty() ? "none" : stateValid ? "valid" : "invalid") << " seconds=" << seconds << "\n";

    // What a hint says about the saved game.
    SolverModel model = modelFromGrid(g);
    Hint hint = hintThatFits(hintForGrid(g), g, model);
    out << "hint=" << hintKindName(hint.kind);
    if (hint.kind != HintKind::NoneLeft)
        out << " cell=" << cellLabel(g, hint.cell, " ", false).s << " digit=" << hint.digit
            << " grade=" << gradeName(hint.grade);
    out << "\n";
    printHintTexts(hint, g, model, "hint", out);
    return p.holds && stateValid ? 0 : 1;
}
