// ornel-tool subcommands load, check, solve and generate: the built-in grids as the game loads them, and their authoring.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "content/collection.h"
#include "content/new_grid.h"
#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/generator.h"
#include "puzzle/hints.h"
#include "puzzle/grid.h"
#include "puzzle/lattice.h"
#include "puzzle/levels.h"
#include "puzzle/preparation.h"
#include "puzzle/solver.h"
#include "puzzle/state_string.h"
#include "tools/content_check.h"
#include "tools/grid_report.h"
#include "tools/tool.h"
#include "ui/hint_texts.h"
#include "tools/tool_args.h"

/*
 * Output is line-oriented and stable, for scripts: key=value fields separated
 * by blanks. Errors are one line on err; status 1 when the subject was found
 * wanting (unknown code, failed check, unsolvable), 2 for malformed arguments.
 * Each subcommand loads into a fresh grid of its own, through the game's loader.
 */

namespace {

// The value after option args[i] (i is advanced); false with a message when it is missing.
bool optionValue(const ToolArgs& args, size_t& i, std::string& value, std::ostream& err) {
    if (i + 1 >= args.size()) {
        err << "ornel-tool: " << args[i] << " needs a value\n";
        return false;
    }
    value = args[++i];
    return true;
}

bool levelOption(const ToolArgs& args, size_t& i, int16_t& level, std::ostream& err) {
    std::string v;
    long n = 0;
    if (!optionValue(args, i, v, err)) return false;
    if (!readWholeNumber(v, 1, 7, n)) {
        err << "ornel-tool: --level takes a level from 1 to 7\n";
        return false;
    }
    level = static_cast<int16_t>(n);
    return true;
}

bool gradeOfName(const std::string& name, Grade& grade) {
    for (int k = 0; k <= static_cast<int>(Grade::Search); ++k) {
        if (name == gradeName(static_cast<Grade>(k))) {
            grade = static_cast<Grade>(k);
            return true;
        }
    }
    return false;
}

void unknownCode(const std::string& code, std::ostream& err) {
    std::string shown;
    for (unsigned char c : code) shown += (c < 0x20 || c == 0x7F) ? '?' : static_cast<char>(c);
    err << "ornel-tool: no built-in grid has the code '" << shown << "'\n";
}

/*
 * Reads "CODE [--level L] [--state S]" for a subcommand; --state only where
 * state is given. Returns -1 when the arguments are good, else the exit status
 * (2 malformed, 1 unknown code) after one line on err.
 */
int readCodeArguments(const ToolArgs& args, const char* command, std::string& code, int16_t& level,
                      std::string* state, bool* haveState, std::ostream& err) {
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--level") {
            if (!levelOption(args, i, level, err)) return 2;
        } else if (state && args[i] == "--state") {
            if (!optionValue(args, i, *state, err)) return 2;
            *haveState = true;
        } else if (!args[i].empty() && args[i][0] == '-' && args[i].size() > 1) {
            err << "ornel-tool: unknown option '" << args[i] << "'\n";
            return 2;
        } else if (code.empty()) {
            code = args[i];
        } else {
            err << "ornel-tool: " << command << " takes one code\n";
            return 2;
        }
    }
    if (code.empty()) {
        err << "ornel-tool: " << command << " needs a grid code\n";
        return 2;
    }
    NewGridRequest request;
    if (!builtInGridOf(code) && !readNewGridCode(code, request)) {
        unknownCode(code, err);
        return 1;
    }
    return -1;
}

}  // namespace

int toolLoad(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    std::string code, state;
    int16_t level = 0;
    bool haveState = false;
    int status = readCodeArguments(args, "load", code, level, &state, &haveState, err);
    if (status >= 0) return status;
    Grid g;
    createGrid(g);
    // A new grid's code ("N2-3-77") is made from its request; it has no collection entry.
    const BuiltInGrid* entry = loadBuiltInGrid(g, code);
    if (!entry) loadGridOfCode(g, code);
    int16_t lines = entry ? entry->lineCount : 0;
    int16_t builtInLevel = entry ? entry->level : 0;
    // The order of the game: the grid is loaded, its level set, then a saved state is applied.
    if (level > 0) setLevel(g, level);
    bool stateValid = true;
    TextList moves;
    if (haveState) stateValid = readStateString(g, state, moves);
    prepareGrid(g, moves);
    recomputeCandidates(g);
    out << "lines=" << lines << " builtin-level=" << builtInLevel << "\n";
    printGridReport(g, out);
    if (!stateValid) {
        err << "ornel-tool load: the state string is not valid for this grid; entered values and notes cleared\n";
        return 1;
    }
    return 0;
}

int toolCheck(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    ToolArgs codes = args;
    for (const std::string& a : codes) {
        if (!a.empty() && a[0] == '-') {
            err << "ornel-tool: unknown option '" << a << "'\n";
            return 2;
        }
    }
    if (codes.empty()) {
        for (int16_t i = 1; i <= builtInGridTotal(); ++i) codes.push_back(builtInGridAt(i)->code);
    }
    int passed = 0, failed = 0;
    for (const std::string& code : codes) {
        GridCheck check;
        if (!checkBuiltInGrid(code, check)) {
            unknownCode(code, err);
            ++failed;
            continue;
        }
        for (const LevelCheck& l : check.levels) {
            out << check.code << " level=" << l.level << " givens=" << l.givens << " solutions=" << l.solutions
                << " grade=" << gradeName(l.grade.grade) << "\n";
            (l.solutions == 1 ? passed : failed) += 1;
        }
        if (check.solutionValid) {
            out << check.code << " solution=valid\n";
            ++passed;
        } else {
            out << check.code << " solution=broken cell=" << (check.badCell.empty() ? "?" : check.badCell) << "\n";
            ++failed;
        }
        for (const std::string& p : check.problems) {
            out << check.code << " problem: " << p << "\n";
            ++failed;
        }
    }
    out << passed << " passed, " << failed << " failed\n";
    return failed == 0 ? 0 : 1;
}

int toolSolve(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    std::string code;
    int16_t level = 0;
    int status = readCodeArguments(args, "solve", code, level, nullptr, nullptr, err);
    if (status >= 0) return status;
    Grid g;
    createGrid(g);
    loadBuiltInGrid(g, code);
    if (level > 0) setLevel(g, level);
    SolverModel model = modelFromGrid(g);
    CellDigits givens = givensOfGrid(g);
    CellDigits first;
    int16_t n = countSolutions(model, givens, 2, &first);
    GradeReport grade = gradePuzzle(model, givens);
    int16_t count = 0;
    for (size_t c = 1; c < givens.size(); ++c) count += givens[c] != 0;
    out << "level=" << g.displayedLevel << " effective-level=" << g.effectiveLevel << " givens=" << count
        << " solutions=" << n << " grade=" << gradeName(grade.grade) << "\n";
    if (n > 0) {
        // The solution as the per-cell state string the game stores, fixed values included.
        for (int16_t c = 1; c <= g.cellCount; ++c) {
            g.cells[c].value = first[c];
            g.cells[c].notes = 0;
        }
        out << "state=" << writeStateString(g).s << "\n";
        refreshGivens(g);
        applyGivens(g);
    } else {
        out << "state=\n";
    }
    return n > 0 ? 0 : 1;
}

int toolGenerate(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    std::string centresText, comment = "generated grid";
    long seed = 1, lineCount = 10, tries = 20, share = 4;
    bool diabolic = false;
    PlanOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        std::string v;
        const std::string& a = args[i];
        auto number = [&](long low, long high, long& n) {
            if (!optionValue(args, i, v, err)) return false;
            if (!readWholeNumber(v, low, high, n)) {
                err << "ornel-tool: " << a << " takes a number from " << low << " to " << high << "\n";
                return false;
            }
            return true;
        };
        // "floor:ceiling" or one grade for both, per threshold, hardest first.
        auto targets = [&]() {
            if (!optionValue(args, i, v, err)) return false;
            options.targets.clear();
            for (const std::string& item : splitItems(v).items) {
                size_t colon = item.find(':');
                std::string lo = item.substr(0, colon);
                std::string hi = colon == std::string::npos ? lo : item.substr(colon + 1);
                GradeRange r;
                if (!gradeOfName(lo, r.floor) || !gradeOfName(hi, r.ceiling)) {
                    err << "ornel-tool: --targets takes grade names such as hidden-single:pointing\n";
                    return false;
                }
                options.targets.push_back(r);
            }
            return true;
        };
        if (a == "--centres") {
            if (!optionValue(args, i, centresText, err)) return 2;
        } else if (a == "--seed") {
            if (!number(0, 999999999, seed)) return 2;
        } else if (a == "--lines") {
            if (!number(2, 99, lineCount)) return 2;
        } else if (a == "--tries") {
            if (!number(1, 1000, tries)) return 2;
        } else if (a == "--step-share") {
            if (!number(0, 100, share)) return 2;
        } else if (a == "--diabolic") {
            diabolic = true;
        } else if (a == "--targets") {
            if (!targets()) return 2;
        } else if (a == "--comment") {
            if (!optionValue(args, i, comment, err)) return 2;
        } else {
            err << "ornel-tool: unknown argument '" << a << "'\n";
            return 2;
        }
    }
    if (centresText.empty()) {
        err << "ornel-tool: generate needs --centres with the hexagon centres (. for the origin)\n";
        return 2;
    }
    options.tries = static_cast<int16_t>(tries);
    options.stepPercent = static_cast<int16_t>(share);

    // The shape goes through the game's own description reader, so the cells are the game's.
    TextList entries;
    std::vector<std::string> centres;
    for (const std::string& c : splitItems(centresText).items) {
        std::string point = c == "." ? std::string() : c;
        entries.add("X" + point);
        std::string compact = compactPoint(point);
        if (std::find(centres.begin(), centres.end(), compact) == centres.end()) centres.push_back(compact);
    }
    Grid g;
    createGrid(g);
    setfromgrivecdef(g, entries);
    ensureEdges(g);
    int16_t packing = computePacking(g);
    SolverModel model = modelFromGrid(g);
    std::vector<std::string> paths(model.cellCount + 1);
    std::vector<uint8_t> ab(model.cellCount + 1, 0);
    for (int16_t c = 1; c <= model.cellCount; ++c) {
        paths[c] = compactPoint(pathPart(g.cellNames.str(c)));
        ab[c] = isTriangleAB(g.cellNames.str(c)) ? 1 : 0;
    }
    std::vector<int16_t> thresholds = usedThresholds(packing, diabolic);
    PuzzlePlan plan;
    if (!planPuzzle(model, thresholds, static_cast<uint64_t>(seed), options, plan)) {
        err << "ornel-tool: the shape admits no solution\n";
        return 1;
    }
    TextList lines;
    describeGrid(centres, paths, ab, plan, static_cast<int16_t>(lineCount), comment, lines);
    for (const std::string& l : lines.items) out << "line=" << l << "\n";
    for (const PlanStep& s : plan.steps)
        out << "threshold=" << s.percent << " givens=" << s.givens << " grade=" << gradeName(s.grade.grade) << "\n";
    out << "cells=" << model.cellCount << " hexagons=" << g.hexagonCount << " partial=" << g.partialCount
        << " packing=" << packing << " holes=" << g.holes.count() << " meets=" << (plan.meetsOptions ? "yes" : "no")
        << "\n";
    return 0;
}

int toolHint(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    std::string code, state;
    int16_t level = 0;
    bool haveState = false;
    int status = readCodeArguments(args, "hint", code, level, &state, &haveState, err);
    if (status >= 0) return status;
    Grid g;
    createGrid(g);
    loadGridOfCode(g, code);
    if (level > 0) setLevel(g, level);
    TextList moves;
    if (haveState && !readStateString(g, state, moves)) {
        err << "ornel-tool hint: the state string is not valid for this grid\n";
        return 1;
    }
    prepareGrid(g, moves);
    recomputeCandidates(g);
    // The hints the game gives on this board (its H key), pressed again while they tell the first steps of a proof.
    const SolverModel model = modelFromGrid(g);
    const CellDigits board = gridBoard(g);
    TaughtStrikes taught;
    for (int16_t shown = 0; shown <= model.cellCount; ++shown) {
        const Hint hint = hintThatFits(hintForGrid(g, &taught), g, model);
        out << "hint=" << hintKindName(hint.kind);
        if (hint.kind != HintKind::NoneLeft)
            out << " cell=" << hint.cell << " label=" << cellLabel(g, hint.cell, "-", false).s
                << " digit=" << hint.digit << " grade=" << gradeName(hint.grade);
        out << "\n";
        printHintTexts(hint, g, model, "text", out);
        if (hint.kind != HintKind::FirstSteps) break;
        rememberTaught(taught, board, hint);
    }
    return 0;
}
