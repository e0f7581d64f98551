// The message composer: the plain parts of every box text and our wording, in French and English.
#include "ui/messages.h"

namespace {

/*
 * Texts are kept as plain constants, French first in every pair. Texts made of
 * several lines are stored one line per constant so that the structure each
 * message is composed by stays visible in compose below.
 */
struct Pair {
    const char* fr;
    const char* en;
};

const char* pick(const Pair& p, bool english) {
    return english ? p.en : p.fr;
}

// Message 2: five pieces, joined as piece " " piece, a line break, piece " " piece " " piece.
const Pair kScrollHint[5] = {
    {"Cette grille d\xE9passe de l'\xE9" "cran.", "This grid is larger than the screen."},
    {"Les fl\xE8" "ches sur ses bords la font d\xE9" "filer d'une case.", "The arrows at its edges scroll it by one cell."},
    {"Vous pouvez aussi la faire glisser :", "You can also drag it:"},
    {"appuyez sur un coin o\xF9 se rejoignent des triangles,", "press on a corner where triangles meet,"},
    {"d\xE9placez la souris puis rel\xE2" "chez.", "move the mouse and release."},
};

// Message 3, the pencil notes: a first line, the layout lines, then two more.
const Pair kNotesFirst = {
    "Notes au crayon : un clic droit sur une case sans notes y inscrit en petit les six chiffres de 1 \xE0 6.",
    "Pencil notes: a right click on a cell without notes fills it with the six small digits 1 to 6."};
const Pair kNotesBlock = {
    "Elles sont sur deux rang\xE9" "es, 1 2 3 au-dessus de 4 5 6 ; un clic droit sur l'une d'elles l'efface ou la remet.",
    "They stand in two rows, 1 2 3 above 4 5 6; a right click on one of them removes it or puts it back."};
const char* const kNotesTriangleEn =
    "They follow the shape of the triangle, in rows of one, two and three digits, the longest along its base, "
    "read 1 to 6 from top to bottom; a right click on one of them removes it or puts it back.";
const char* const kNotesTriangleFr1 =
    "Elles suivent la forme du triangle, en rang\xE9" "es d'un, deux et trois chiffres, la plus longue le long de sa base.";
const char* const kNotesTriangleFr2 =
    "Elles se lisent de 1 \xE0 6 de haut en bas ; un clic droit sur l'une d'elles l'efface ou la remet.";
const Pair kNotesThird = {
    "Les notes ne sont que des aide-m\xE9moire : le jeu ne les v\xE9rifie pas et \xAB D\xE9" "faire \xBB ne les touche pas.",
    "Notes are only reminders: the game does not check them and Undo leaves them alone."};
const Pair kNotesFourth = {
    "Avec le 0 (effacer) choisi, un clic gauche sur une case vide efface ses notes ; les notes sont enregistr\xE9" "es avec la partie.",
    "With 0 (erase) selected, a left click on an empty cell clears its notes; notes are saved with the game."};

// Message 4: piece, grid number, " ?".
const Pair kLoadOther = {"Charger la grille n\xB0", "Load Grid #"};

// Message 5: piece, number, piece, a blank line, piece, number, " ?".
const Pair kLoadSame[3] = {
    {"La grille n\xB0", "Grid #"},
    {" est d\xE9j\xE0 en jeu.", " is already in use."},
    {"Recharger la grille n\xB0", "Reload grid #"},
};

// Message 6: the win line, whose placeholder the grid number replaces, then the bravo line.
const Pair kWinLine = {"Grille n\xB0zukv compl\xE8te : f\xE9licitations !", "Grid #zukv is complete: congratulations!"};
const char* const kBravo = "*** BRAVO ***";

// Message 7: piece, code, a line break, cell count, piece.
const Pair kGridInfo[2] = {
    {"Grille ", "Grid: "},
    {" cases.", " cells."},
};

// Messages 8 to 12: one text each.
const Pair kPause = {
    "Mettre le jeu en pause ? La fen\xEAtre sera r\xE9" "duite et le chronom\xE8tre arr\xEAt\xE9 jusqu'\xE0 son retour.",
    "Pause the game? The window is minimised and the clock stops until you bring it back."};
const Pair kClose = {
    "Quitter ORNEL ? Les coups jou\xE9s depuis le dernier enregistrement seront perdus.",
    "Quit ORNEL? Moves made since your last save will be lost."};
const Pair kFixedNumbers = {
    "Retour valeurs fixes?",
    "Return to the fixed numbers? Every digit you entered is erased and the clock of this grid starts again from zero."};
const Pair kSave = {
    "Enregistrer cette partie, son temps et vos r\xE9glages ?",
    "Save this game, its time and your settings?"};
const Pair kSaveAfterWin = {
    "Enregistrer la grille r\xE9solue et votre temps ?",
    "Save the solved grid and your time?"};

// The failed save: a first line, the file's path, a blank line, then what the player can do.
const Pair kSaveFailed[2] = {
    {"Le fichier des r\xE9glages n'a pas pu \xEAtre \xE9" "crit :", "The settings file could not be written:"},
    {"Rien n'a \xE9t\xE9 enregistr\xE9. La partie reste \xE0 l'\xE9" "cran : lib\xE9rez de la place sur le disque "
     "ou fermez ce qui bloque le fichier, puis enregistrez de nouveau.",
     "Nothing was saved. Your game is still on the screen: free some disk space or close what holds the file, "
     "then save again."},
};

// Message 13 (Information page 5): four lines in English, five in French.
const char* const kPlayingMoreEn[4] = {
    "The < and > buttons undo and redo your digits one at a time; F goes back to the fixed numbers.",
    "A click on the centre of a hexagon marks it: up to three, the newest in red, then green and orange; "
    "clicking the red one again clears them.",
    "Each grid comes at a level from 1-very easy to 7-diabolic, shown after Niv. in the bar: "
    "the higher it is, the fewer fixed numbers you get.",
    "Each grid has its own clock; it stops during a pause, while a question is open and once the grid is full. "
    "S saves your games and times.",
};
const char* const kPlayingMoreFr[5] = {
    "Les boutons < et > d\xE9" "font et refont vos chiffres un par un.",
    "Le bouton F revient aux valeurs fixes et remet le chronom\xE8tre de la grille \xE0 z\xE9ro.",
    "Un clic au centre d'un hexagone le marque : jusqu'\xE0 trois, le dernier en rouge, puis vert et orange ; "
    "un nouveau clic sur le rouge les efface.",
    "Chaque grille a son niveau, de 1-tr\xE8s facile \xE0 7-diabolique, affich\xE9 apr\xE8s Niv. : "
    "plus il est \xE9lev\xE9, moins il y a de valeurs fixes.",
    "Chaque grille a son chronom\xE8tre, arr\xEAt\xE9 pendant la pause, les questions et une fois la grille remplie ; "
    "S enregistre parties et temps.",
};

// Message 14 (Information page 3), the touching rule: two lines in English, three in French.
const char* const kTouchingEn[2] = {
    "A digit is refused in a cell that touches, by a side or only at a corner, a cell already holding it; "
    "a triangle touches up to twelve others.",
    "So the six triangles of every hexagon hold six different digits. A refused digit sounds two short beeps.",
};
const char* const kTouchingFr[3] = {
    "Un chiffre est refus\xE9 dans une case qui touche, par un c\xF4t\xE9 ou seulement par un coin, une case qui le contient d\xE9j\xE0.",
    "Un triangle en touche jusqu'\xE0 douze autres : les six triangles de chaque hexagone portent donc six chiffres diff\xE9rents.",
    "Un chiffre refus\xE9 est signal\xE9 par deux bips courts.",
};

// Message 15 (Information page 2), placing digits: three lines each.
const Pair kPlacing[3] = {
    {"Choisissez un chiffre sur le s\xE9lecteur hexagonal ou avec les touches 1 \xE0 6 (0 efface, Tab passe au chiffre suivant).",
     "Choose a digit on the hexagonal selector or with the keys 1 to 6 (0 erases, Tab moves to the next digit)."},
    {"Un clic gauche sur une case vide y place le chiffre choisi ; un clic sur l'un de vos chiffres, avec le m\xEAme chiffre ou avec 0, l'efface.",
     "A left click on an empty cell puts the chosen digit there; a click on one of your digits, with the same digit or with 0, erases it."},
    {"Un clic sur une valeur fixe choisit son chiffre. La grille est r\xE9solue quand chaque case porte un chiffre.",
     "A click on a fixed number chooses its digit. The grid is solved when every cell holds a digit."},
};

// Lines joined by single line feeds.
TextString joinLines(const char* const* lines, int count) {
    TextString text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text.append("\n");
        text.append(lines[i]);
    }
    return text;
}

TextString notesText(bool english, long layoutCode) {
    bool block = layoutCode == kBlockNoteLayout;
    TextString text;
    text.append2(pick(kNotesFirst, english), "\n");
    if (block) {
        text.append2(pick(kNotesBlock, english), "\n");
    } else if (english) {
        text.append2(kNotesTriangleEn, "\n");
    } else {
        text.append3(kNotesTriangleFr1, "\n", kNotesTriangleFr2);
        text.append("\n");
    }
    text.append3(pick(kNotesThird, english), "\n", pick(kNotesFourth, english));
    return text;
}

}  // namespace

TextString composeMessage(int16_t number, uint8_t language, long argument, TextRef second) {
    bool english = language == 1;
    std::string n = numberText(argument);
    TextString text;
    switch (number) {
    case MessageScrollHint:
        text.assign3(pick(kScrollHint[0], english), " ", pick(kScrollHint[1], english));
        text.append3("\n", pick(kScrollHint[2], english), " ");
        text.append3(pick(kScrollHint[3], english), " ", pick(kScrollHint[4], english));
        break;
    case MessageNotes:
        text = notesText(english, argument);
        break;
    case MessageLoadOther:
        text.assign3(pick(kLoadOther, english), n, " ?");
        break;
    case MessageLoadSame:
        text.assign3(pick(kLoadSame[0], english), n, pick(kLoadSame[1], english));
        text.append3("\n\n", pick(kLoadSame[2], english), n);
        text.append(" ?");
        break;
    case MessageWin:
        text.assign(pick(kWinLine, english));
        if (n.size() <= std::string_view(kWinPlaceholder).size()) text.replaceFirst(kWinPlaceholder, n);
        text.append2("\n", kBravo);
        break;
    case MessageGridInfo:
        text.assign3(pick(kGridInfo[0], english), second, "\n");
        text.append2(n, pick(kGridInfo[1], english));
        break;
    case MessagePause:
        text.assign(pick(kPause, english));
        break;
    case MessageClose:
        text.assign(pick(kClose, english));
        break;
    case MessageFixedNumbers:
        text.assign(pick(kFixedNumbers, english));
        break;
    case MessageSave:
        text.assign(pick(kSave, english));
        break;
    case MessageSaveAfterWin:
        text.assign(pick(kSaveAfterWin, english));
        break;
    case MessagePlayingMore:
        text = english ? joinLines(kPlayingMoreEn, 4) : joinLines(kPlayingMoreFr, 5);
        break;
    case MessageTouchingRule:
        text = english ? joinLines(kTouchingEn, 2) : joinLines(kTouchingFr, 3);
        break;
    case MessagePlacingDigits: {
        const char* lines[3] = {pick(kPlacing[0], english), pick(kPlacing[1], english), pick(kPlacing[2], english)};
        text = joinLines(lines, 3);
        break;
    }
    default:
        break;
    }
    return text;
}

TextString saveFailedText(uint8_t language, TextRef path) {
    bool english = language == 1;
    TextString text;
    text.assign3(pick(kSaveFailed[0], english), "\n", path);
    text.append2("\n\n", pick(kSaveFailed[1], english));
    return text;
}

TextString newGridSizeQuestion(uint8_t language) {
    TextString text;
    if (language == 1)
        text.assign("New grid (it replaces the previous new grid; grids 1 to 5 stay as they are).\nWhich size?");
    else
        text.assign("Nouvelle grille (elle remplace la nouvelle grille pr\xE9" "c\xE9" "dente ; les grilles 1 \xE0 5 "
                    "restent telles quelles).\nQuelle taille ?");
    return text;
}

TextString newGridSizeChoice(uint8_t language, int16_t size, int16_t cells) {
    TextString text;
    text.assign3(numberText(size), language == 1 ? ": " : " : ", numberText(cells));
    text.append(language == 1 ? " cells" : " cases");
    return text;
}

TextString newGridLevelQuestion(uint8_t language, int16_t cells) {
    TextString text;
    if (language == 1) text.assign3("New grid of ", numberText(cells), " cells.\nWhich level?");
    else text.assign3("Nouvelle grille de ", numberText(cells), " cases.\nQuel niveau ?");
    return text;
}
