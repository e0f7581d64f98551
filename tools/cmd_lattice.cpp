// ornel-tool subcommands path, name, code and topology: what the core makes of lattice texts and shapes.
#include <string>

#include "puzzle/lattice.h"
#include "puzzle/topology.h"
#include "tools/tool.h"

/*
 * Output conventions (scripts parse them): a bare point that is the origin
 * prints as ".", every other name in canonical expanded form; lists are
 * comma-separated in list order and an empty list prints nothing after the
 * colon. On the command line "." stands for the empty text. A malformed
 * argument stops the subcommand before any output: one line on err, status 2.
 */

namespace {

std::string argText(const std::string& arg) { return arg == "." ? std::string() : arg; }

std::string shown(const std::string& name) { return name.empty() ? "." : name; }

bool isPathChar(char c) { return (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f') || (c >= '1' && c <= '9'); }

// A path: letters A..F (either case) and repeat digits 1..9, and nothing else.
bool isPathText(const std::string& t) {
    for (char c : t) {
        if (!isPathChar(c)) return false;
    }
    return true;
}

// A name: an optional X, a path, then optionally a colon and one or more side letters.
bool isNameText(const std::string& t) {
    size_t start = (!t.empty() && (t[0] == 'X' || t[0] == 'x')) ? 1 : 0;
    size_t colon = t.find(':');
    std::string path = t.substr(start, colon == std::string::npos ? std::string::npos : colon - start);
    if (!isPathText(path)) return false;
    if (colon == std::string::npos) return true;
    std::string side = t.substr(colon + 1);
    if (side.empty()) return false;
    for (char c : side) {
        if (directionIndex(c) < 0) return false;
    }
    return true;
}

// The printable form of a text that is printed as it was given (blanks and controls would break the lines).
std::string quoted(const std::string& arg) {
    std::string out;
    for (unsigned char c : arg) {
        if (c < 0x20 || c == 0x7F) {
            out += '?';
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool requireArguments(const ToolArgs& args, const char* what, std::ostream& err) {
    if (!args.empty()) return true;
    err << "ornel-tool: " << what << ": expected at least one argument (try --help)\n";
    return false;
}

void printList(std::ostream& out, const char* label, const TextList& list) {
    out << label << ":";
    for (int i = 1; i <= list.count(); ++i) out << (i == 1 ? " " : ",") << shown(list.str(i));
    out << "\n";
}

}  // namespace

int toolPath(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (!requireArguments(args, "path", err)) return 2;
    for (const std::string& arg : args) {
        if (arg != "." && !isPathText(arg)) {
            err << "ornel-tool: path: not a lattice path: '" << quoted(arg) << "'\n";
            return 2;
        }
    }
    HexVector v;
    setMetricSize(v.metric, 30);
    setMetricAngle(v.metric, 0);
    for (const std::string& arg : args) {
        std::string text = upperText(argText(arg));
        parsePath(v, text);
        std::string expanded = expandedText(v);
        std::string compact = compactText(v);
        out << quoted(arg) << " expanded=" << shown(expanded) << " compact=" << shown(compact) << " x=" << pixelX(v)
            << " y=" << pixelY(v) << "\n";
    }
    return 0;
}

int toolName(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (!requireArguments(args, "name", err)) return 2;
    for (const std::string& arg : args) {
        if (arg != "." && !isNameText(arg)) {
            err << "ornel-tool: name: not a lattice name: '" << quoted(arg) << "'\n";
            return 2;
        }
    }
    for (const std::string& arg : args) {
        std::string text = argText(arg);
        out << quoted(arg) << " triangle=" << shown(normaliseTriangle(text)) << " edge=" << shown(normaliseEdge(text))
            << "\n";
    }
    return 0;
}

int toolCode(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    if (!requireArguments(args, "code", err)) return 2;
    // Every text is a code: the reader takes what it understands and ignores the rest.
    CellCode code;
    for (const std::string& arg : args) {
        readCellCode(code, argText(arg));
        std::string cell = cellReadout(code);
        std::string hexagon = code.marked ? shown(hexagonReadout(code)) : std::string();
        out << quoted(arg) << " marked=" << int(code.marked) << " cell=" << cell << " hexagon=" << hexagon
            << " value=" << code.value << " percent=" << code.percent << "\n";
    }
    return 0;
}

int toolTopology(const ToolArgs& args, std::ostream& out, std::ostream& err) {
    TextList centres;
    for (const std::string& arg : args) {
        std::string text = argText(arg);
        if (!isPathText(text)) {
            err << "ornel-tool: topology: not a hexagon centre: '" << quoted(arg) << "'\n";
            return 2;
        }
        centres.add(normalisePoint(text));
    }
    TextList cells, hexagons, partial, corners, touching, inner, outer, holes, ring;
    cellsFromHexagons(centres, cells);
    hexagonsFromCells(cells, hexagons, partial);
    cornerPointsOfCells(cells, corners);
    touchingCells(cells, touching);
    lines(hexagons, inner, outer);
    holesAndRing(cells, hexagons, ring, holes);
    printList(out, "cells", cells);
    printList(out, "hexagons", hexagons);
    printList(out, "partial", partial);
    printList(out, "corners", corners);
    for (int i = 1; i <= touching.count(); ++i) out << "touching: " << touching.str(i) << "\n";
    printList(out, "inner", inner);
    printList(out, "outer", outer);
    printList(out, "holes", holes);
    printList(out, "ring", ring);
    return 0;
}
