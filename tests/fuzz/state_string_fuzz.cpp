// Fuzz target: the per-cell state string read into a grid, with and without fixed cells, and written back.
#include <string>
#include <vector>

#include "puzzle/candidates.h"
#include "puzzle/derived.h"
#include "puzzle/description.h"
#include "puzzle/grid.h"
#include "tests/fuzz/fuzz_support.h"
#include "puzzle/preparation.h"
#include "puzzle/state_string.h"

namespace {

Grid& builtGrid(int which) {
    static Grid grids[2];
    static bool built = false;
    if (!built) {
        // Seven loose cells without givens; two hexagons with three givens at percentage 100.
        const std::vector<std::vector<const char*>> entries = {
            {":AB", ":AF", "A:AB", "A:AF", "B:AB", "B:AF", "AB:AB"},
            {"X", "XB", "WPJ%100", "BWRJ%100", "BVSJ%100"}};
        for (int k = 0; k < 2; ++k) {
            createGrid(grids[k]);
            TextList list;
            for (const char* e : entries[k]) list.add(e);
            setfromgrivecdef(grids[k], list);
            ensureCells(grids[k]);
            ftbco(grids[k]);
            recomputeCandidates(grids[k]);
            prepareGrid(grids[k]);
        }
        int fixed = 0;
        for (int16_t i = 1; i <= grids[1].cellCount; ++i) fixed += isCellFixed(grids[1], i);
        if (fixed != 3) fuzzFail("the second grid has its three givens", __FILE__, __LINE__, "");
        built = true;
    }
    return grids[which];
}

// One token per cell: "A".."F", "G", or two octal digits; H and K unpacked, letters upper-cased.
std::vector<std::string> tokensOf(std::string_view text) {
    std::string s;
    for (char c : text) {
        char u = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
        if (u == 'H') s += "GG";
        else if (u == 'K') s += "GGG";
        else s += u;
    }
    std::vector<std::string> tokens;
    for (size_t i = 0; i < s.size();) {
        size_t width = (s[i] >= '0' && s[i] <= '7') ? 2 : 1;
        tokens.push_back(s.substr(i, width));
        i += width;
    }
    return tokens;
}

// The packed form of a token list: every run of G written as K per three, then H or G for the rest.
std::string packed(const std::vector<std::string>& tokens) {
    std::string out;
    size_t run = 0;
    auto flush = [&] {
        out.append(run / 3, 'K');
        if (run % 3 == 2) out += 'H';
        if (run % 3 == 1) out += 'G';
        run = 0;
    };
    for (const std::string& t : tokens) {
        if (t == "G") {
            ++run;
        } else {
            flush();
            out += t;
        }
    }
    flush();
    return out;
}

void checkState(std::string_view input) {
    if (input.empty()) return;
    Grid& g = builtGrid(static_cast<unsigned char>(input[0]) % 2);
    std::string_view text = input.substr(1);
    clearEnteredValues(g);
    clearAllNotes(g);
    std::vector<int16_t> givens(static_cast<size_t>(g.cellCount) + 1, 0);
    for (int16_t i = 1; i <= g.cellCount; ++i) givens[i] = isCellFixed(g, i) ? cellValue(g, i) : 0;

    TextList moves;
    moves.add("v,1,1");  // a list the reader must empty before it fills it
    bool valid = readStateString(g, text, moves);
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        FUZZ_CHECK(isCellFixed(g, i) == (givens[i] != 0), input);
        if (givens[i] != 0) FUZZ_CHECK(cellValue(g, i) == givens[i], input);
        FUZZ_CHECK(cellValue(g, i) >= 0 && cellValue(g, i) <= 6, input);
        FUZZ_CHECK(cellNotes(g, i) >= 0 && cellNotes(g, i) <= 63, input);
    }
    std::string written = writeStateString(g).s;
    std::vector<std::string> out = tokensOf(written);
    FUZZ_CHECK(static_cast<int>(out.size()) == g.cellCount, input);
    FUZZ_CHECK(packed(out) == written, input);

    if (!valid) {
        // Nothing of an invalid text stays: the givens alone, no notes, no moves.
        for (int16_t i = 1; i <= g.cellCount; ++i) {
            FUZZ_CHECK(cellValue(g, i) == givens[i], input);
            FUZZ_CHECK(cellNotes(g, i) == 0, input);
        }
        FUZZ_CHECK(moves.isEmpty(), input);
        return;
    }

    // A valid text writes back to itself, token for token: the packing and the letter case aside, an
    // empty notes token "00" is an empty cell, and a fixed cell shows its given whatever its token said.
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t\r\n");
    std::vector<std::string> in = begin == std::string_view::npos ? std::vector<std::string>()
                                                                    : tokensOf(text.substr(begin, end - begin + 1));
    FUZZ_CHECK(in.size() == out.size(), input);
    for (size_t k = 0; k < in.size(); ++k) {
        int16_t given = givens[k + 1];
        std::string expected = in[k] == "00" ? "G" : in[k];
        if (given != 0) expected = std::string(1, static_cast<char>('A' + given - 1));
        FUZZ_CHECK(out[k] == expected, input);
    }
    // And what it wrote reads back as valid and writes the same again.
    FUZZ_CHECK(readStateString(g, written, moves), input);
    FUZZ_CHECK(writeStateString(g).s == written, input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runTimed(data, size, checkState);
    return 0;
}
