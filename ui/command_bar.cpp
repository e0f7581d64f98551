// The command bar's portable part: row layout, controls, selector geometry, labels and enabling rules.
#include "ui/command_bar.h"

#include <cstdlib>
#include <utility>

#include "content/rules_pages.h"
#include "puzzle/topology.h"
#include "ui/screen.h"

namespace {

// The rows at 96 dpi; the defaults of BarLayout are the columns at 96 dpi.
BarLayout referenceBarLayout(bool gridButtons, bool chronoField) {
    BarLayout b;
    b.gridButtons = gridButtons ? 1 : 0;
    b.chronoField = chronoField ? 1 : 0;
    int16_t bottom = 20;
    b.languageTop = bottom;
    bottom += 20;
    b.gridRowTop = bottom;
    if (gridButtons) bottom += 100;
    b.levelRow = static_cast<int16_t>(bottom + 10);
    b.sizeRowTop = static_cast<int16_t>(b.levelRow + 10);
    bottom = static_cast<int16_t>(bottom + 40);
    b.rulesTop = bottom;
    bottom += 20;
    b.infoTop = bottom;
    bottom += 25;
    b.cellFieldTop = static_cast<int16_t>(bottom + 5);
    bottom += 25;
    b.undoRowTop = bottom;
    bottom += 20;
    b.digitRow = static_cast<int16_t>(bottom + 12);
    bottom += 20;
    b.selectorTop = bottom;
    bottom += 60;
    b.eraseTop = bottom;
    bottom += 25;
    b.chronoTop = bottom;
    if (chronoField) bottom += 15;
    bottom += 5;
    b.fixedTop = bottom;
    bottom += 20;
    b.pauseTop = bottom;
    bottom += 20;
    b.saveTop = bottom;
    bottom += 30;
    b.exitTop = bottom;
    bottom += 20;
    b.barBottom = bottom;
    b.panelBottom = static_cast<int16_t>(bottom + 10);
    return b;
}

}  // namespace

BarLayout computeBarLayout(bool gridButtons, bool chronoField, int16_t dpi) {
    BarLayout b = referenceBarLayout(gridButtons, chronoField);
    b.dpi = dpi > 0 ? dpi : kReferenceDpi;
    for (int16_t* n : {&b.versionRow, &b.languageTop, &b.gridRowTop, &b.levelRow, &b.sizeRowTop, &b.rulesTop,
                       &b.infoTop, &b.cellFieldTop, &b.undoRowTop, &b.digitRow, &b.selectorTop, &b.eraseTop,
                       &b.chronoTop, &b.fixedTop, &b.pauseTop, &b.saveTop, &b.exitTop, &b.barBottom,
                       &b.panelLeft, &b.panelRight, &b.panelBottom, &b.centreX, &b.starX, &b.gridRowStep,
                       &b.starRise, &b.textHeight, &b.digitHeight})
        *n = scaledPx(*n, b.dpi);
    return b;
}

int16_t gridNumberOfCommand(int16_t command) {
    switch (command) {
        case CmdGrid5: return 5;
        case CmdGrid2: return 2;
        case CmdGrid4: return 4;
        case CmdGrid3: return 3;
        case CmdGrid1: return 1;
        default: return 0;
    }
}

int16_t commandOfGridNumber(int16_t n) {
    static const int16_t commands[6] = {0, CmdGrid1, CmdGrid2, CmdGrid3, CmdGrid4, CmdGrid5};
    return (n >= 1 && n <= 5) ? commands[n] : 0;
}

namespace {

BarControl button(BarRole role, int16_t command, const char* caption, int x, int y, int w, int h) {
    BarControl c;
    c.kind = KindButton;
    c.role = role;
    c.command = command;
    c.caption = caption;
    c.x = static_cast<int16_t>(x);
    c.y = static_cast<int16_t>(y);
    c.width = static_cast<int16_t>(w);
    c.height = static_cast<int16_t>(h);
    return c;
}

BarControl textField(BarRole role, int y) {
    BarControl c = button(role, CmdFieldId, "", 30, y, 50, 15);
    c.kind = KindStatic;
    return c;
}

// A control's rectangle at a resolution: its left/top and right/bottom edges scaled each on its own.
BarControl scaledControl(BarControl c, int16_t dpi) {
    const int16_t right = scaledPx(static_cast<int16_t>(c.x + c.width), dpi);
    const int16_t bottom = scaledPx(static_cast<int16_t>(c.y + c.height), dpi);
    c.x = scaledPx(c.x, dpi);
    c.y = scaledPx(c.y, dpi);
    c.width = static_cast<int16_t>(right - c.x);
    c.height = static_cast<int16_t>(bottom - c.y);
    return c;
}

}  // namespace

std::vector<BarControl> barControls(const BarLayout& layout) {
    // The controls are laid out on the 96-dpi rows, then scaled to the layout's resolution.
    const BarLayout b = referenceBarLayout(layout.gridButtons != 0, layout.chronoField != 0);
    std::vector<BarControl> list;
    list.push_back(button(RoleLanguage, CmdLanguage, "FR/EN", 30, b.languageTop, 50, 20));
    if (b.gridButtons) {
        static const char* const captions[5] = {"Gr1", "Gr2", "Gr3", "Gr4", "Gr5"};
        for (int16_t i = 0; i < 5; ++i) {
            list.push_back(button(RoleGrid, commandOfGridNumber(static_cast<int16_t>(i + 1)), captions[i], 40,
                                  b.gridRowTop + 20 * i, 30, 20));
        }
    }
    list.push_back(button(RoleSmaller, CmdSmaller, "-", 40, b.sizeRowTop, 15, 20));
    list.push_back(button(RoleBigger, CmdBigger, "+", 55, b.sizeRowTop, 15, 20));
    list.push_back(button(RoleRules, CmdRules, "?", 45, b.rulesTop, 20, 20));
    list.push_back(button(RoleInformation, CmdInformation, "I", 45, b.infoTop, 20, 20));
    list.push_back(textField(RoleCellField, b.cellFieldTop));
    list.push_back(button(RoleUndo, CmdUndo, "<", 40, b.undoRowTop, 15, 20));
    list.push_back(button(RoleRedo, CmdRedo, ">", 55, b.undoRowTop, 15, 20));
    list.push_back(button(RoleErase, CmdErase, "0", 40, b.eraseTop, 30, 20));
    if (b.chronoField) list.push_back(textField(RoleChronoField, b.chronoTop));
    list.push_back(button(RoleFixedNumbers, CmdFixedNumbers, "F", 45, b.fixedTop, 20, 20));
    list.push_back(button(RolePause, CmdPause, "P", 45, b.pauseTop, 20, 20));
    list.push_back(button(RoleSave, CmdSave, "S", 45, b.saveTop, 20, 20));
    list.push_back(button(RoleExit, CmdExit, "X", 45, b.exitTop, 20, 20));
    /*
     * The Rules-mode buttons sit on the rules page, not in the bar: their places
     * are pixels of the 96-dpi page, scaled as the page is (rulesPageMetrics).
     */
    list.push_back(button(RoleReturnToGrid, CmdReturnToGrid, "R", 30, 490, 30, 30));
    list.push_back(button(RolePreviousPage, CmdPreviousPage, "<", 30, 530, 30, 30));
    list.push_back(button(RoleNextPage, CmdNextPage, ">", 730, 530, 30, 30));
    for (BarControl& c : list) c = scaledControl(c, layout.dpi);
    return list;
}

// --- labels ---

namespace {

struct LabelText {
    int16_t command;
    const char* english;
    const char* french;
};

/*
 * The fixed labels; a button that has a key names it in brackets. The
 * selector's and the grid buttons' labels carry a number and are made apart.
 */
const LabelText kPlayLabels[] = {
    {CmdUndo, "Undo (Ctrl+Z)", "D\xE9" "faire (Ctrl+Z)"},
    {CmdRedo, "Re-do (Ctrl+Y)", "Refaire (Ctrl+Y)"},
    {CmdBigger, "Bigger (+)", "Agrandir (+)"},
    {CmdInformation, "Information...", "Informations..."},
    {CmdErase, "Erase (0)", "Effacer (0)"},
    {CmdPause, "Pause", "Pause"},
    {CmdSmaller, "Smaller (-)", "Diminuer (-)"},
    {CmdExit, "Exit", "Quitter"},
    {CmdRules, "Game rules (F1)", "R\xE8gle du jeu (F1)"},
    {CmdFixedNumbers, "Return to fixed numbers", "Revenir aux valeurs fixes"},
    {CmdSave, "Save (Ctrl+S)", "Enregistrer (Ctrl+S)"},
    {CmdLanguage, "Language", "Langue"},
};

const LabelText kRulesLabels[] = {
    {CmdReturnToGrid, "Return to the grid (Esc)", "Retour \xE0 la grille (\xC9" "chap)"},
    {CmdPreviousPage, "Previous page (Left arrow)", "Page pr\xE9" "c\xE9" "dente (fl\xE8" "che gauche)"},
    {CmdNextPage, "Next page (Right arrow)", "Page suivante (fl\xE8" "che droite)"},
};

const char* pick(const LabelText& l, uint8_t language) {
    return language == kLanguageFrench ? l.french : l.english;
}

TextString numbered(const char* english, const char* french, uint8_t language, int16_t n) {
    TextString t;
    t.assign2(language == kLanguageFrench ? french : english, numberText(n));
    return t;
}

// A digit's label ends with its key, which is the digit itself.
TextString digitLabel(int16_t digit, uint8_t language) {
    TextString t = numbered("Select number ", "S\xE9lec. chiffre ", language, digit);
    t.append3(" (", numberText(digit), ")");
    return t;
}

TextString gridLabel(int16_t gridNumber, uint8_t language) {
    return numbered("Select grid #", "S\xE9lec. grille ", language, gridNumber);
}

void addLabel(std::vector<CommandLabel>& out, int16_t command, TextString text) {
    CommandLabel l;
    l.command = command;
    l.text = std::move(text);
    out.push_back(std::move(l));
}

}  // namespace

std::vector<CommandLabel> labelsFor(ScreenMode mode, uint8_t language) {
    std::vector<CommandLabel> out;
    if (mode == ScreenMode::Rules) {
        for (const LabelText& l : kRulesLabels) addLabel(out, l.command, TextString(pick(l, language)));
        return out;
    }
    for (const LabelText& l : kPlayLabels) {
        addLabel(out, l.command, TextString(pick(l, language)));
        if (l.command == CmdErase) {
            for (int16_t d = 1; d <= 6; ++d) {
                addLabel(out, static_cast<int16_t>(CmdSelectDigit1 + d - 1), digitLabel(d, language));
            }
        }
    }
    for (int16_t command = CmdGrid5; command <= CmdGrid1; ++command) {
        addLabel(out, command, gridLabel(gridNumberOfCommand(command), language));
    }
    return out;
}

TextString labelOf(int16_t command, uint8_t language) {
    for (const LabelText& l : kPlayLabels) {
        if (l.command == command) return TextString(pick(l, language));
    }
    for (const LabelText& l : kRulesLabels) {
        if (l.command == command) return TextString(pick(l, language));
    }
    if (command >= CmdSelectDigit1 && command < CmdSelectDigit1 + 6) {
        return digitLabel(static_cast<int16_t>(command - CmdSelectDigit1 + 1), language);
    }
    int16_t grid = gridNumberOfCommand(command);
    if (grid > 0) return gridLabel(grid, language);
    return TextString();
}

// --- enabling rules ---

namespace {

void setEnabled(BarStateDecision& d, BarRole role, bool value) {
    d.touchEnabled[role] = 1;
    d.enabled[role] = value ? 1 : 0;
}

void setShown(BarStateDecision& d, BarRole role, bool value) {
    d.touchShown[role] = 1;
    d.shown[role] = value ? 1 : 0;
}

}  // namespace

BarStateDecision decideBarState(const BarStateInputs& in, bool forced, BarRefreshMemory& last) {
    const bool notRules = in.mode != ScreenMode::Rules;
    const bool play = in.mode == ScreenMode::Play;
    BarStateDecision d;
    const bool changed = !last.valid || last.notRules != (notRules ? 1 : 0) || last.play != (play ? 1 : 0) ||
                         last.rulesPage != in.rulesPage;
    if (changed || forced) {
        d.fullSet = 1;
        for (BarRole role : {RoleLanguage, RoleGrid, RoleCellField, RoleChronoField}) setEnabled(d, role, notRules);
        for (BarRole role : {RoleRules, RoleReturnToGrid, RoleExit}) setEnabled(d, role, true);
        setEnabled(d, RoleBigger, notRules && in.scale < kScaleMax);
        setEnabled(d, RoleSmaller, notRules && in.scale > kScaleMin);
        for (BarRole role : {RoleErase, RoleInformation, RoleFixedNumbers, RolePause, RoleSave}) {
            setEnabled(d, role, play);
        }
        setShown(d, RoleNextPage, !notRules && in.rulesPage < kLastRulesPage);
        setShown(d, RolePreviousPage, !notRules && in.rulesPage > kFirstRulesPage);
        setShown(d, RoleReturnToGrid, !notRules);
    }
    setEnabled(d, RoleUndo, play && in.undoCursor > 0);
    setEnabled(d, RoleRedo, play && in.undoCursor < in.undoCount);

    last.valid = 1;
    last.notRules = notRules ? 1 : 0;
    last.play = play ? 1 : 0;
    last.rulesPage = in.rulesPage;
    return d;
}

ShowBarAction showBarAction(BarRole role, bool chronoEnabled, int16_t gridCount) {
    switch (role) {
        case RoleReturnToGrid:
        case RolePreviousPage:
        case RoleNextPage: return ShowBarHide;
        case RoleChronoField: return chronoEnabled ? ShowBarApply : ShowBarLeave;
        case RoleGrid: return gridCount > 1 ? ShowBarApply : ShowBarLeave;
        default: return ShowBarApply;
    }
}

// --- number selector ---

namespace {

// The six vectors of a direction fan of the given radius, A..F, with y as the fan gives it (upward).
void fanVectors(int16_t radius, SelectorPoint out[6]) {
    DirectionFan fan;
    createFan(fan, 6, radius);
    for (int k = 0; k < 6; ++k) {
        out[k].x = fan.entries[static_cast<size_t>(k)].dx;
        out[k].y = fan.entries[static_cast<size_t>(k)].dy;
    }
    releaseFan(fan);
}

// Centroid of triangle k with y upward: integer division, truncating toward zero.
SelectorPoint referencePoint(SelectorPoint centre, const SelectorPoint v[6], int k) {
    const SelectorPoint& a = v[k];
    const SelectorPoint& b = v[(k + 1) % 6];
    SelectorPoint p;
    p.x = static_cast<int16_t>(centre.x + (a.x + b.x) / 3);
    p.y = static_cast<int16_t>(centre.y - (a.y + b.y) / 3);
    return p;
}

SelectorPoint offset(SelectorPoint centre, SelectorPoint v) {
    SelectorPoint p;
    p.x = static_cast<int16_t>(centre.x + v.x);
    p.y = static_cast<int16_t>(centre.y + v.y);
    return p;
}

int distance(SelectorPoint p, int x, int y) {
    return std::abs(p.x - x) + std::abs(p.y - y);
}

}  // namespace

void computeSelector(NumberSelector& s, int16_t top, int16_t dpi) {
    s.radius = scaledPx(kSelectorRadius, dpi);
    s.centre.x = scaledPx(kBarCentreX, dpi);
    s.centre.y = static_cast<int16_t>(top + s.radius);
    SelectorPoint outerVectors[6];
    fanVectors(s.radius, s.direction);
    fanVectors(static_cast<int16_t>(2 * s.radius), outerVectors);
    for (int k = 0; k < 6; ++k) {
        s.outline[k][0] = s.centre;
        s.outline[k][1] = offset(s.centre, s.direction[k]);
        s.outline[k][2] = offset(s.centre, s.direction[(k + 1) % 6]);
        s.outline[k][3] = s.centre;
        s.inner[k] = referencePoint(s.centre, s.direction, k);
        s.outer[k] = referencePoint(s.centre, outerVectors, k);
    }
    s.computed = 1;
}

int16_t selectorDigit(int k) {
    int d = (7 - k) % 6;
    if (d <= 0) d += 6;
    return static_cast<int16_t>(d);
}

int selectorTriangleOfDigit(int16_t digit) {
    for (int k = 0; k < 6; ++k) {
        if (selectorDigit(k) == digit) return k;
    }
    return -1;
}

int16_t hitTestSelector(const NumberSelector& s, int x, int y) {
    if (!s.computed) return 0;
    int best = 0;
    int bestDistance = distance(s.inner[0], x, y);
    for (int i = 1; i < 12; ++i) {
        int dist = distance(i < 6 ? s.inner[i] : s.outer[i - 6], x, y);
        if (dist < bestDistance) {
            best = i;
            bestDistance = dist;
        }
    }
    if (best >= 6 || bestDistance > s.radius) return 0;
    return selectorDigit(best);
}
