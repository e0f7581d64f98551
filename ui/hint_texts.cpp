// The hint box texts: one line per deduction, cells named as the cell field names them, French and English.
#include "ui/hint_texts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "puzzle/grid.h"

namespace {

/*
 * The texts are Windows-1252. A no-break space (0xA0) stands inside every
 * cell and hexagon name and before the French ":" and ";", so the box never
 * starts a line with a colon nor splits "L2 C5".
 */
const char* const kNbsp = "\xA0";

std::string cellName(const Grid& g, int16_t c) { return cellLabel(g, c, kNbsp, false).s; }

// Cells in reading order: by row, then column.
std::vector<int16_t> inReadingOrder(const Grid& g, std::vector<int16_t> cells) {
    std::sort(cells.begin(), cells.end(), [&g](int16_t a, int16_t b) { return readsBefore(g, a, b); });
    return cells;
}

// "a", "a and b", "a, b and c" with the language's last joining word.
std::string joinList(const std::vector<std::string>& items, const char* last) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += (i + 1 == items.size()) ? std::string(" ") + last + " " : std::string(", ");
        out += items[i];
    }
    return out;
}

// The cells named in reading order, joined.
std::string cellList(const Grid& g, const std::vector<int16_t>& cells, const char* last) {
    std::vector<std::string> names;
    for (int16_t c : inReadingOrder(g, cells)) names.push_back(cellName(g, c));
    return joinList(names, last);
}

std::vector<int16_t> digitsOf(uint8_t mask) {
    std::vector<int16_t> out;
    for (int16_t v = 1; v <= 6; ++v)
        if (mask & (1u << (v - 1))) out.push_back(v);
    return out;
}

// A digit with its article: "le 2", "the 2".
std::string theDigit(int16_t v, bool en) { return (en ? "the " : "le ") + numberText(v); }

// "le 2 et le 6", "the 2 or the 6".
std::string digitList(uint8_t mask, bool en, const char* last) {
    std::vector<std::string> items;
    for (int16_t v : digitsOf(mask)) items.push_back(theDigit(v, en));
    return joinList(items, last);
}

// What a French cell "ne peut plus recevoir": "le 6", or "ni le 2 ni le 6".
std::string neitherDigits(uint8_t mask) {
    const std::vector<int16_t> digits = digitsOf(mask);
    if (digits.size() == 1) return theDigit(digits[0], false);
    std::string out;
    for (int16_t v : digits) out += std::string(out.empty() ? "" : " ") + "ni " + theDigit(v, false);
    return out;
}

std::string hexagonName(const Grid& g, const SolverModel& m, int16_t unit) { return hexagonLabel(g, m, unit).s; }

// "these two cells", "ces trois cases", by count.
std::string theseCells(size_t n, bool en) {
    static const char* const enCount[] = {"", "", "both of these cells", "all three of these cells"};
    static const char* const frCount[] = {"", "", "ces deux cases", "ces trois cases"};
    if (n == 2 || n == 3) return en ? enCount[n] : frCount[n];
    return en ? "each of these cells" : "chacune de ces cases";
}

std::string strikeLine(const DeductionStep& s, const Grid& g, const SolverModel& m, bool en) {
    const bool many = s.struck.size() > 1;
    const std::string struck = cellList(g, s.struck, en ? "and" : "et");
    if (s.grade == Grade::Pointing) {
        const std::string v = digitList(s.digits, en, "");
        const std::string places = cellList(g, s.cells, en ? "or" : "ou");
        const std::string these = theseCells(s.cells.size(), en);
        if (en)
            return "In hexagon " + hexagonName(g, m, s.unit) + ", " + v + " can only go in " + places + "; " + struck +
                   (many ? " touch " : " touches ") + these + ", so " + (many ? "they cannot" : "it cannot") +
                   " hold " + v + ".";
        return "Dans l'hexagone " + hexagonName(g, m, s.unit) + ", " + v + " ne peut aller qu'en " + places + kNbsp +
               "; " + struck + (many ? " touchent " : " touche ") + these +
               (many ? " et ne peuvent donc pas recevoir " : " et ne peut donc pas recevoir ") + v + ".";
    }
    const std::string cells = cellList(g, s.cells, en ? "and" : "et");
    if (s.hiddenSubset) {
        if (en)
            return "In hexagon " + hexagonName(g, m, s.unit) + ", " + digitList(s.digits, en, "and") +
                   " can only go in " + cells + ", so these cells cannot hold any other digit.";
        return "Dans l'hexagone " + hexagonName(g, m, s.unit) + ", " + digitList(s.digits, en, "et") +
               " ne peuvent aller qu'en " + cells + kNbsp + ": ces cases ne peuvent donc recevoir aucun autre chiffre.";
    }
    const size_t n = s.cells.size();
    if (en) {
        const std::string between = n == 2 ? "between them" : n == 3 ? "between the three of them" : "between them all";
        const std::string touching = n == 2 ? "touching both" : n == 3 ? "touching all three" : "touching them all";
        return cells + " touch each other and can only hold " + digitList(s.digits, en, "and") + " " + between +
               "; so " + struck + ", " + touching + ", cannot hold " + digitList(s.digits, en, "or") + ".";
    }
    const std::string together = n == 2 ? "\xE0 elles deux" : n == 3 ? "\xE0 elles trois" : "\xE0 elles toutes";
    const std::string all = n == 2 ? "toutes les deux" : n == 3 ? "toutes les trois" : "toutes";
    return cells + " se touchent et ne peuvent recevoir que " + digitList(s.digits, en, "et") + " " + together +
           kNbsp + "; " + struck + (many ? ", qui les touchent " + all + ", ne peuvent donc recevoir "
                                         : ", qui les touche " + all + ", ne peut donc recevoir ") +
           neitherDigits(s.digits) + ".";
}

/*
 * What a placement's last line says took digits out besides the board: the
 * steps above, the strikes that earlier hints showed, or both.
 */
std::string afterSteps(const Hint& h, bool en) {
    if (!h.earlier) return en ? "after the steps above" : "apr\xE8s les \xE9tapes ci-dessus";
    if (h.strikes.empty()) return en ? "after the earlier hints" : "apr\xE8s les indices pr\xE9" "c\xE9" "dents";
    return en ? "after the earlier hints and the steps above"
              : "apr\xE8s les indices pr\xE9" "c\xE9" "dents et les \xE9tapes ci-dessus";
}

std::string nakedSingleLine(const Hint& h, const Grid& g, bool en) {
    const std::string c = cellName(g, h.cell);
    const std::string d = theDigit(h.digit, en);
    std::vector<std::string> held;
    uint8_t ruledOut = static_cast<uint8_t>(63 & ~(1u << (h.digit - 1)));
    std::vector<HintWitness> witnesses = h.witnesses;
    std::sort(witnesses.begin(), witnesses.end(), [](const HintWitness& a, const HintWitness& b) { return a.digit < b.digit; });
    for (const HintWitness& w : witnesses) {
        held.push_back(theDigit(w.digit, en) + (en ? " in " : " en ") + cellName(g, w.cell));
        ruledOut = static_cast<uint8_t>(ruledOut & ~(1u << (w.digit - 1)));
    }
    std::string out = en ? "The cell " + c + " can only hold " + d + ": "
                         : "La case " + c + " ne peut recevoir que " + d + kNbsp + ": ";
    if (ruledOut == 0)
        return out + (en ? "it touches the five other digits (" + joinList(held, "and") + ")."
                         : "elle touche les cinq autres chiffres (" + joinList(held, "et") + ").");
    const std::string after = afterSteps(h, en);
    if (held.empty())
        return out + (en ? after + ", it cannot hold any other digit."
                         : after + ", elle ne peut plus recevoir aucun autre chiffre.");
    return out + (en ? "it touches " + joinList(held, "and") + ", and can no longer hold " + digitList(ruledOut, en, "or") +
                           " " + after + "."
                     : "elle touche " + joinList(held, "et") + ", et ne peut plus recevoir " + neitherDigits(ruledOut) +
                           " " + after + ".");
}

std::string hiddenSingleLine(const Hint& h, const Grid& g, const SolverModel& m, bool en) {
    const std::string d = theDigit(h.digit, en);
    std::vector<int16_t> witnessCells;
    for (const HintWitness& w : h.witnesses) witnessCells.push_back(w.cell);
    bool struck = false;
    for (const DeductionStep& s : h.strikes)
        for (int16_t c : s.struck)
            struck = struck || (c != h.cell && (s.struckDigits & (1u << (h.digit - 1))) &&
                                std::find(m.units[h.unit].begin(), m.units[h.unit].end(), c) != m.units[h.unit].end());
    std::string out = en ? "In hexagon " + hexagonName(g, m, h.unit) + ", " + d + " fits nowhere but " +
                               cellName(g, h.cell) + ": "
                         : "Dans l'hexagone " + hexagonName(g, m, h.unit) + ", " + d +
                               " ne va nulle part ailleurs qu'en " + cellName(g, h.cell) + kNbsp + ": ";
    const std::string after = afterSteps(h, en);
    if (witnessCells.empty())
        return out + (en ? after + ", no other empty cell of the hexagon can hold it."
                         : after + ", aucune autre case vide de l'hexagone ne peut plus le recevoir.");
    out += en ? "every other empty cell of the hexagon touches a " + numberText(h.digit) + " (in " +
                    cellList(g, witnessCells, "or") + ")"
              : "chacune des autres cases vides de l'hexagone touche un " + numberText(h.digit) + " (en " +
                    cellList(g, witnessCells, "ou") + ")";
    if (struck || h.earlier) out += en ? " or can no longer hold it " + after : " ou ne peut plus le recevoir " + after;
    return out + ".";
}

// The answer that opens a placement's box.
std::string answerLine(const Hint& hint, const Grid& g, bool en) {
    return en ? "Hint: " + theDigit(hint.digit, en) + " goes in " + cellName(g, hint.cell) + "."
              : "Indice" + std::string(kNbsp) + ": " + theDigit(hint.digit, en) + " va en " + cellName(g, hint.cell) + ".";
}

std::string wrongDigitLines(const Hint& hint, const Grid& g, bool en) {
    const std::string d = theDigit(hint.digit, en);
    std::string out = en ? "The " + numberText(hint.digit) + " in " + cellName(g, hint.cell) +
                               " is wrong: the grid's solution has another digit in this cell."
                         : "Le " + numberText(hint.digit) + " en " + cellName(g, hint.cell) + " est faux" + kNbsp +
                               ": la solution de la grille met un autre chiffre dans cette case.";
    if (hint.otherWrong == 1)
        out += en ? "\nOne other digit on the board is wrong too." : "\nUn autre chiffre de la grille est faux aussi.";
    else if (hint.otherWrong > 1)
        out += en ? "\n" + numberText(hint.otherWrong) + " other digits on the board are wrong too."
                  : "\n" + numberText(hint.otherWrong) + " autres chiffres de la grille sont faux aussi.";
    return out;
}

}  // namespace

TextString hexagonLabel(const Grid& g, const SolverModel& model, int16_t unit) {
    TextString out;
    if (unit < 0 || static_cast<size_t>(unit) >= model.units.size() || model.units[unit].empty()) return out;
    int16_t top = INT16_MAX, bottom = 0, left = INT16_MAX, right = 0;
    for (int16_t c : model.units[unit]) {
        const Cell* cell = cellAt(g, c);
        if (!cell) continue;
        top = std::min(top, cell->textRow);
        bottom = std::max(bottom, cell->textRow);
        left = std::min(left, cell->textColumn);
        right = std::max(right, cell->textColumn);
    }
    if (bottom == 0) return out;
    out.assign("L" + numberText(top) + "-L" + numberText(bottom) + kNbsp + "C" + numberText(left) + "-C" + numberText(right));
    return out;
}

TextString hintText(const Hint& hint, const Grid& g, const SolverModel& model, uint8_t language) {
    const bool en = language == 1;
    std::vector<std::string> lines;
    switch (hint.kind) {
    case HintKind::NoneLeft:
        lines.push_back(en ? "Every cell holds its digit: there is nothing left to find."
                           : "Chaque case a son chiffre" + std::string(kNbsp) + ": il n'y a plus rien \xE0 trouver.");
        break;
    case HintKind::Contradiction: lines.push_back(wrongDigitLines(hint, g, en)); break;
    case HintKind::Stuck:
        lines.push_back(answerLine(hint, g, en));
        lines.push_back(en ? "Why: none of the steps the hints explain leads further on this board; this digit is the "
                             "one the grid's solution has there."
                           : "Pourquoi" + std::string(kNbsp) + ": aucune des d\xE9" "ductions que les indices expliquent "
                             "ne m\xE8ne plus loin sur cette grille" + kNbsp + "; ce chiffre est celui de la solution.");
        break;
    case HintKind::FirstSteps:
        if (hint.strikes.size() == 1)
            lines.push_back(en ? "Hint: no cell can be filled in a few steps yet. Here is the first step towards one; "
                                 "the next hint goes on from it."
                               : "Indice" + std::string(kNbsp) + ": aucune case ne se remplit encore en quelques "
                                 "\xE9tapes. Voici la premi\xE8re\xA0; l'indice suivant poursuit \xE0 partir d'elle.");
        else
            lines.push_back(en ? "Hint: no cell can be filled in a few steps yet. Here are the first steps towards one; "
                                 "the next hint goes on from them."
                               : "Indice" + std::string(kNbsp) + ": aucune case ne se remplit encore en quelques "
                                 "\xE9tapes. Voici les premi\xE8res\xA0; l'indice suivant poursuit \xE0 partir d'elles.");
        for (const DeductionStep& s : hint.strikes) lines.push_back(strikeLine(s, g, model, en));
        break;
    case HintKind::Placement:
        lines.push_back(answerLine(hint, g, en));
        lines.push_back(en ? "Why:" : "Pourquoi" + std::string(kNbsp) + ":");
        for (const DeductionStep& s : hint.strikes) lines.push_back(strikeLine(s, g, model, en));
        lines.push_back(hint.single == Grade::HiddenSingle ? hiddenSingleLine(hint, g, model, en)
                                                           : nakedSingleLine(hint, g, en));
        break;
    }
    TextString text;
    for (size_t i = 0; i < lines.size(); ++i) text.append2(i ? "\n" : "", lines[i]);
    return text;
}

Hint hintThatFits(const Hint& hint, const Grid& g, const SolverModel& model) {
    auto fits = [&](const Hint& h) {
        return hintText(h, g, model, 0).s.size() <= kHintBoxLength && hintText(h, g, model, 1).s.size() <= kHintBoxLength;
    };
    if (hint.kind != HintKind::Placement || hint.strikes.empty() || fits(hint)) return hint;
    for (size_t count = hint.strikes.size(); count > 1; --count) {
        Hint first = firstStepsOf(hint, count);
        if (fits(first)) return first;
    }
    return firstStepsOf(hint, 1);
}
