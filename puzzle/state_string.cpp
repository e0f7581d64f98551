// The per-cell state string: a board's values and notes written as text, and read back with the moves it implies.
#include "puzzle/state_string.h"

#include <algorithm>
#include <string>

#include "puzzle/derived.h"
#include "puzzle/grid.h"

TextString writeStateString(const Grid& g) {
    /*
     * One token per cell: A..F for a value, G for an empty cell without notes,
     * two octal digits (notes 1..3, notes 4..6) otherwise. Runs of G are then
     * packed: each GGG becomes K and a remaining GG becomes H.
     */
    std::string out;
    out.reserve(static_cast<size_t>(std::max<int>(0, g.cellCount)) + 8);
    int run = 0;
    auto flushRun = [&]() {
        out.append(static_cast<size_t>(run / 3), 'K');
        if (run % 3 == 2) out += 'H';
        else if (run % 3 == 1) out += 'G';
        run = 0;
    };
    for (int i = 1; isValidCell(g, static_cast<int16_t>(i)); ++i) {
        const Cell& c = g.cells[i];
        if (c.value >= 1 && c.value <= 6) {
            flushRun();
            out += static_cast<char>('A' + c.value - 1);
        } else if ((c.notes & kAllDigits) == 0) {
            ++run;
        } else {
            flushRun();
            out += static_cast<char>('0' + (c.notes & 7));
            out += static_cast<char>('0' + ((c.notes >> 3) & 7));
        }
    }
    flushRun();
    return TextString(std::move(out));
}

bool readStateString(Grid& g, TextRef text, TextList& moves) {
    if (!g.cellsComputed) ensureCells(g);
    moves.clear();

    // Upper-cased, blanks around the text dropped, H and K unpacked to runs of G.
    std::string_view raw = text.v;
    while (!raw.empty() && (raw.front() == ' ' || raw.front() == '\t')) raw.remove_prefix(1);
    while (!raw.empty() && (raw.back() == ' ' || raw.back() == '\t' || raw.back() == '\r' || raw.back() == '\n'))
        raw.remove_suffix(1);
    std::string s;
    s.reserve(raw.size() * 2);
    for (char ch : raw) {
        char u = static_cast<char>(foldCase(static_cast<unsigned char>(ch)));
        if (u == 'H') s += "GG";
        else if (u == 'K') s += "GGG";
        else s += u;
    }

    // An empty text restores nothing: valid only for a grid without cells.
    bool valid = !(s.empty() && g.cellCount > 0);
    int16_t index = 0;
    size_t pos = 0;
    while (pos < s.size()) {
        char t = s[pos];
        size_t width = (t >= '0' && t <= '7') ? 2 : 1;
        if (index < INT16_MAX) ++index;
        Cell* c = cellAt(g, index);
        if (c == nullptr) {
            valid = false;  // past the last cell
            pos += width;
            continue;
        }
        if (t == 'G') {
            // A fixed cell keeps its given: an empty token cannot remove it.
            if (!c->fixed) c->value = 0;
            c->notes = 0;
        } else if (t >= 'A' && t <= 'F') {
            int16_t v = static_cast<int16_t>(t - 'A' + 1);
            if (c->fixed) {
                if (c->value != v) valid = false;
            } else {
                c->value = v;
                moves.add(std::string("v,") + numberText(index) + "," + numberText(v));
            }
            c->notes = 0;
        } else if (width == 2) {
            char t2 = (pos + 1 < s.size()) ? s[pos + 1] : '\0';
            if (t2 < '0' || t2 > '7') {
                valid = false;  // the text ends inside a notes token, or its second digit is not octal
            } else {
                int16_t notes = static_cast<int16_t>((t - '0') + 8 * (t2 - '0'));
                if (!c->fixed) c->value = 0;
                c->notes = notes;
                moves.add(std::string("p,") + numberText(index) + "," + numberText(notes));
            }
        } else {
            valid = false;  // a character that is no token: the cell stays as it was
        }
        pos += width;
    }
    /*
     * A text with fewer tokens than the grid has cells was written for another
     * grid: restoring its first cells would put that grid's digits here.
     */
    if (index < g.cellCount) valid = false;

    if (!valid) {
        /*
         * Nothing of an invalid text is kept: its moves go too, or the
         * preparation would put half of a broken state back on the board.
         */
        clearEnteredValues(g);
        clearAllNotes(g);
        moves.clear();
    }
    return valid;
}
