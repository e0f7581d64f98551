// The hint box texts: one line per deduction, cells named as the cell field names them, French and English.
#include "ui/hint_texts.h"

#include <algorithm>
#include <string>
#include <vector>

#include "puzzle/grid.h"

namespace {

std::string cellName(const Grid& g, int16_t c) { return cellLabel(g, c, " ", false).s; }

// "a", "a and b", "a, b and c" with the language's last joining word.
std::string joinList(const std::vector<std::string>& items, const char* last) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += (i + 1 == items.size()) ? std::string(" ") + last + " " : std::string(", ");
        out += items[i];
    }
    return out;
}

std::string cellList(const Grid& g, const std::vector<int16_t>& cells, const char* last) {
    std::vector<std::string> names;
    for (int16_t c : cells) names.push_back(cellName(g, c));
    return joinList(names, last);
}

std::vector<int16_t> digitsOf(uint8_t mask) {
    std::vector<int16_t> out;
    for (int16_t v = 1; v <= 6; ++v)
        if (mask & (1u << (v - 1))) out.push_back(v);
    return out;
}

std::string digitList(uint8_t mask, const char* last) {
    std::vector<std::string> items;
    for (int16_t v : digitsOf(mask)) items.push_back(numberText(v));
    return joinList(items, last);
}

std::string digitText(int16_t v) { return numberText(v); }

std::string strikeLine(const DeductionStep& s, const Grid& g, const SolverModel& m, bool en) {
    const bool many = s.struck.size() > 1;
    const std::string struck = cellList(g, s.struck, en ? "and" : "et");
    if (s.grade == Grade::Pointing) {
        const std::string v = digitList(s.digits, "");
        const std::string h = hexagonLabel(g, m, s.unit).s;
        const std::string places = cellList(g, s.cells, en ? "or" : "ou");
        if (en)
            return "In the hexagon " + h + ", the " + v + " can only go in " + places + "; " + struck +
                   (many ? " touch each of these cells, so they cannot hold the " : " touches each of these cells, so it cannot hold the ") +
                   v + ".";
        return "Dans l'hexagone " + h + ", le " + v + " ne peut aller qu'en " + places + " ; " + struck +
               (many ? " touchent chacune de ces cases et ne peuvent donc pas recevoir le "
                     : " touche chacune de ces cases et ne peut donc pas recevoir le ") +
               v + ".";
    }
    const std::string cells = cellList(g, s.cells, en ? "and" : "et");
    if (s.hiddenSubset) {
        const std::string h = hexagonLabel(g, m, s.unit).s;
        if (en)
            return "In the hexagon " + h + ", " + digitList(s.digits, "and") + " can only go in " + cells +
                   ", so these cells hold no other digit.";
        return "Dans l'hexagone " + h + ", " + digitList(s.digits, "et") + " ne peuvent aller qu'en " + cells +
               " : ces cases n'ont donc pas d'autre chiffre.";
    }
    if (en)
        return cells + " touch each other and can only hold " + digitList(s.digits, "and") + " between them, so " +
               struck + ", touching them all, cannot hold " + digitList(s.digits, "or") + ".";
    std::string none;
    for (int16_t v : digitsOf(s.digits)) none += " ni " + digitText(v);
    return cells + " se touchent et ne peuvent recevoir que " + digitList(s.digits, "et") + " \xE0 elles toutes ; " +
           struck + (many ? ", qui les touchent toutes, ne peuvent donc recevoir" : ", qui les touche toutes, ne peut donc recevoir") +
           none + ".";
}

std::string nakedSingleLine(const Hint& h, const Grid& g, bool en) {
    const std::string c = cellName(g, h.cell);
    const std::string d = digitText(h.digit);
    std::vector<std::string> held;
    uint8_t ruledOut = static_cast<uint8_t>(63 & ~(1u << (h.digit - 1)));
    for (const HintWitness& w : h.witnesses) {
        held.push_back((en ? "the " : "le ") + digitText(w.digit) + (en ? " in " : " en ") + cellName(g, w.cell));
        ruledOut = static_cast<uint8_t>(ruledOut & ~(1u << (w.digit - 1)));
    }
    std::string out = en ? c + " can only hold " + d + ": " : c + " ne peut recevoir que le " + d + " : ";
    if (ruledOut == 0)
        return out + (en ? "it touches the five other digits, " + joinList(held, "and")
                         : "elle touche les cinq autres chiffres, " + joinList(held, "et")) +
               ".";
    if (held.empty())
        return out + (en ? "the steps above rule out every other digit."
                         : "les \xE9tapes ci-dessus excluent tous les autres chiffres.");
    return out + (en ? "it touches " + joinList(held, "and") + ", and the steps above rule out " + digitList(ruledOut, "and")
                     : "elle touche " + joinList(held, "et") + ", et les \xE9tapes ci-dessus excluent " +
                           digitList(ruledOut, "et")) +
           ".";
}

std::string hiddenSingleLine(const Hint& h, const Grid& g, const SolverModel& m, bool en) {
    const std::string d = digitText(h.digit);
    std::vector<int16_t> witnessCells;
    for (const HintWitness& w : h.witnesses) witnessCells.push_back(w.cell);
    bool struck = false;
    for (const DeductionStep& s : h.strikes)
        for (int16_t c : s.struck)
            struck = struck || (c != h.cell && (s.struckDigits & (1u << (h.digit - 1))) &&
                                std::find(m.units[h.unit].begin(), m.units[h.unit].end(), c) != m.units[h.unit].end());
    std::string out = en ? "In the hexagon " + hexagonLabel(g, m, h.unit).s + ", the " + d + " fits nowhere but " +
                               cellName(g, h.cell) + ": each of its other empty cells "
                         : "Dans l'hexagone " + hexagonLabel(g, m, h.unit).s + ", le " + d +
                               " ne va nulle part ailleurs qu'en " + cellName(g, h.cell) +
                               " : chacune de ses autres cases vides ";
    if (witnessCells.empty()) return out + (en ? "lost it in the steps above." : "l'a perdu aux \xE9tapes ci-dessus.");
    out += en ? "touches a " + d + " (in " + cellList(g, witnessCells, "or") + ")"
              : "touche un " + d + " (en " + cellList(g, witnessCells, "ou") + ")";
    if (struck) out += en ? ", or lost it in the steps above" : ", ou l'a perdu aux \xE9tapes ci-dessus";
    return out + ".";
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
    out.assign("L" + numberText(top) + "-L" + numberText(bottom) + " C" + numberText(left) + "-C" + numberText(right));
    return out;
}

TextString hintText(const Hint& hint, const Grid& g, const SolverModel& model, uint8_t language) {
    const bool en = language == 1;
    const std::string c = cellName(g, hint.cell);
    const std::string d = digitText(hint.digit);
    std::vector<std::string> lines;
    switch (hint.kind) {
    case HintKind::NoneLeft:
        lines.push_back(en ? "Every cell holds its digit: there is nothing left to find."
                           : "Chaque case a son chiffre : il n'y a plus rien \xE0 trouver.");
        break;
    case HintKind::Contradiction:
        lines.push_back(en ? "The " + d + " in " + c + " is wrong: the grid's solution has another digit there."
                           : "Le " + d + " en " + c + " est faux : la solution de la grille y a un autre chiffre.");
        break;
    case HintKind::Stuck:
        lines.push_back(en ? "Hint: a " + d + " goes in " + c + "." : "Indice : un " + d + " va en " + c + ".");
        lines.push_back(en ? "No step of logic leads further from here: this digit comes from the grid's solution."
                           : "Aucune d\xE9" "duction ne m\xE8ne plus loin d'ici : ce chiffre vient de la solution de la grille.");
        break;
    case HintKind::Placement:
        lines.push_back(en ? "Hint: a " + d + " goes in " + c + "." : "Indice : un " + d + " va en " + c + ".");
        for (const DeductionStep& s : hint.strikes) lines.push_back(strikeLine(s, g, model, en));
        lines.push_back(hint.single == Grade::HiddenSingle ? hiddenSingleLine(hint, g, model, en)
                                                           : nakedSingleLine(hint, g, en));
        break;
    }
    TextString text;
    for (size_t i = 0; i < lines.size(); ++i) text.append2(i ? "\n" : "", lines[i]);
    return text;
}
