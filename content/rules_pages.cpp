// The nine rules pages: their wording in both languages and the placing of every line.
#include "content/rules_pages.h"

namespace {

/*
 * The styles, in the order of RulesStyle. Titles use a serif face, the rest a
 * plain one; the page number keeps its own face.
 */
const RulesTextStyle kStyles[] = {
    {24.0f, 1, 650, 1, "Times New Roman"},  // PageTitle
    {14.0f, 1, 0, 1, "Times New Roman"},    // CoverTitle
    {8.0f, 1, 0, 1, "Arial"},               // Heading
    {5.0f, 1, 600, 0, "Arial"},             // Subheading
    {5.0f, 1, 0, 0, "Arial"},               // Emphasised
    {5.0f, 0, 0, 0, "Arial"},               // Body
    {3.5f, 1, 0, 0, "Arial"},               // SmallPrint
    {10.0f, 1, 0, 1, "Helvetica"},          // PageNumber
};

struct Pair {
    const char* fr;
    const char* en;
};

const char* pick(const Pair& p, uint8_t language) {
    return language == 1 ? p.en : p.fr;
}

/*
 * The body of a page is a column of paragraphs. A subheading starts a section
 * (with one empty line before it, except at the top of the column); body and
 * emphasised paragraphs are wrapped to the column's width and follow one
 * another without a gap, every line 5 mm under the one before.
 */
enum class Para : uint8_t { Sub, Body, Emph };

struct Paragraph {
    Para kind;
    Pair text;
};

struct PageText {
    Pair heading;            // pages 6 to 9: the topic beside the title
    const Paragraph* body;   // pages 2 to 9
    int bodyCount;
    Pair footer;             // emphasised line under the picture
    Pair smallPrint;         // bottom line
};

const char* const kTitle = "ORNEL";

// Column of the body text: right of the picture, from under the title down to above the footer.
constexpr int16_t kColumnX = -10;
constexpr int16_t kColumnTop = 35;
constexpr float kColumnRight = 99.0f;
// The emphasised footer starts right of the "R" and "<" buttons (they end 60 pixels from the page's left edge).
constexpr int16_t kFooterX = -84;
constexpr int16_t kSmallPrintX = -95;
constexpr int16_t kFooterY = -63;
constexpr int16_t kSmallPrintY = -70;

// ---- page 1: the cover ----
const Pair kCoverFirst = {"Six chiffres, une r\xE8gle :", "Six digits, one rule:"};
const Pair kCoverSecond = {"aucun ne se touche", "no digit touches itself"};
const Pair kCoverSmall = {
    "R\xE8gle du jeu en neuf pages : tournez-les avec > et < ou les fl\xE8" "ches du clavier, et revenez "
    "\xE0 la grille avec R ou \xC9" "chap.",
    "The rules in nine pages: turn them with > and < or the arrow keys, and go back to the grid "
    "with R or Esc."};

// ---- page 2: the board ----
const Paragraph kBoard[] = {
    {Para::Sub, {"Le plateau", "The board"}},
    {Para::Body,
     {"Le plateau est fait de triangles : ce sont les cases du jeu. Les six triangles "
      "qui entourent un m\xEAme point forment un hexagone, et chaque grille est dessin\xE9" "e "
      "comme un assemblage de tels hexagones.",
      "The board is made of triangles: they are the cells of the game. The six triangles "
      "around one point form a hexagon, and every grid is drawn as a set of such hexagons."}},
    {Para::Sub, {"Des hexagones qui se chevauchent", "Overlapping hexagons"}},
    {Para::Body,
     {"Deux hexagones voisins ont deux triangles en commun. L\xE0 o\xF9 les triangles de "
      "plusieurs hexagones se referment autour d'un point, ils forment un hexagone de plus, "
      "qui compte exactement comme les autres.",
      "Two neighbouring hexagons share two triangles. Where the triangles of several "
      "hexagons close around a point, they form one more hexagon, which counts exactly "
      "like the others."}},
    {Para::Sub, {"Les trous", "Holes"}},
    {Para::Body,
     {"Certaines grilles laissent des vides \xE0 l'int\xE9rieur : des triangles qui ne sont pas "
      "des cases. On n'y \xE9" "crit rien ; un trou s\xE9pare seulement les cases qui l'entourent.",
      "Some grids leave gaps inside them: triangles that are not cells. Nothing is written "
      "there; a hole only separates the cells around it."}},
};
const PageText kPage2 = {
    {"", ""}, kBoard, 6,
    {"Chaque grille a sa forme, mais la r\xE8gle reste la m\xEAme.",
     "Every grid has its own shape, but the rule stays the same."},
    {"Sur l'image : l'hexagone en couleur n'est pas dessin\xE9, ses voisins le referment ; "
     "l'hexagone lavande du milieu est un trou.",
     "In the picture: the coloured hexagon is not drawn, its neighbours close it; "
     "the lavender hexagon in the middle is a hole."}};

// ---- page 3: the rule ----
const Paragraph kRule[] = {
    {Para::Sub, {"La r\xE8gle", "The rule"}},
    {Para::Body,
     {"Remplissez chaque case avec un chiffre de 1 \xE0 6.",
      "Fill every cell with a digit from 1 to 6."}},
    {Para::Emph,
     {"Un chiffre ne doit jamais toucher le m\xEAme chiffre.",
      "A digit must never touch the same digit."}},
    {Para::Body,
     {"Un triangle touche jusqu'\xE0 douze autres cases : trois le long de ses c\xF4t\xE9s et neuf "
      "autres qui ne le rejoignent que par un coin. Les coins comptent aussi !",
      "A triangle touches up to twelve other cells: three along its sides and nine more "
      "that meet it only at a corner. Corners count too!"}},
    {Para::Sub, {"Dans chaque hexagone", "In every hexagon"}},
    {Para::Body,
     {"Les six triangles d'un hexagone se touchent tous : chaque hexagone, y compris ceux "
      "que les chevauchements referment, contient donc une fois chacun des chiffres 1 \xE0 6.",
      "The six triangles of a hexagon all touch one another, so every hexagon, including "
      "those closed by overlaps, holds each digit 1 to 6 exactly once."}},
};
const PageText kPage3 = {
    {"", ""}, kRule, 6,
    {"La grille est r\xE9solue quand toutes ses cases sont remplies.",
     "The grid is solved when every cell holds a digit."},
    {"Sur l'image : la case du milieu et les douze cases qui la touchent.",
     "In the picture: the cell in the middle and the twelve cells that touch it."}};

// ---- page 4: fixed numbers and levels ----
const Paragraph kLevels[] = {
    {Para::Sub, {"Les valeurs fixes", "Fixed numbers"}},
    {Para::Body,
     {"Certains chiffres sont donn\xE9s d\xE8s le d\xE9part. Ces valeurs fixes font partie de "
      "l'\xE9nigme : on ne peut pas les effacer. Chaque grille a une seule solution.",
      "Some digits are given from the start. These fixed numbers belong to the puzzle: "
      "they cannot be erased. Every grid has exactly one solution."}},
    {Para::Sub, {"Sept niveaux", "Seven levels"}},
    {Para::Body,
     {"Du niveau 1-tr\xE8s facile au niveau 7-diabolique, plus le niveau est haut, moins il y "
      "a de valeurs fixes. Le niveau 7 n'existe que pour certaines grilles. Le niveau de la "
      "grille en jeu est affich\xE9 dans la barre de commandes.",
      "From level 1-very easy to level 7-diabolic, the higher the level, the fewer fixed "
      "numbers. Level 7 exists only for some grids. The level of the grid in play is shown "
      "in the command bar."}},
    {Para::Sub, {"Les grilles a\xE9r\xE9" "es", "Loosely packed grids"}},
    {Para::Body,
     {"Dans une grille a\xE9r\xE9" "e, dont les hexagones en touchent peu d'autres, le jeu compte "
      "jusqu'\xE0 trois niveaux de plus que celui affich\xE9 et montre moins de valeurs fixes : "
      "\xE0 niveau \xE9gal, elle est plus difficile qu'une grille serr\xE9" "e.",
      "In a loosely packed grid, whose hexagons touch few others, the game counts up to "
      "three levels more than the one shown and gives fewer fixed numbers: at the same "
      "level it is harder than a tightly packed grid."}},
};
const PageText kPage4 = {{"", ""}, kLevels, 6, {"", ""}, {"", ""}};

// ---- page 5: placing, erasing, notes ----
const Paragraph kPlaying[] = {
    {Para::Sub, {"Placer un chiffre", "Placing a digit"}},
    {Para::Body,
     {"Choisissez un chiffre sur l'hexagone de la barre de commandes, ou avec les touches "
      "1 \xE0 6, puis cliquez une case vide avec le bouton gauche. Un chiffre qui toucherait "
      "le m\xEAme chiffre est refus\xE9 par un double bip.",
      "Choose a digit on the hexagon of the command bar, or with the keys 1 to 6, then "
      "click an empty cell with the left button. A digit that would touch the same digit "
      "is refused with a double beep."}},
    {Para::Sub, {"Effacer", "Erasing"}},
    {Para::Body,
     {"Choisissez 0 et cliquez un de vos chiffres, ou cliquez-le avec son propre chiffre "
      "choisi. Un clic sur une valeur fixe choisit ce chiffre.",
      "Choose 0 and click one of your digits, or click it with its own digit chosen. "
      "A click on a fixed number chooses that digit."}},
    {Para::Sub, {"Les notes", "Notes"}},
    {Para::Body,
     {"Un clic droit sur une case vide y \xE9" "crit en petit les six chiffres ; un clic droit "
      "sur l'un d'eux l'efface ou le remet. Le jeu ne v\xE9rifie pas les notes.",
      "A right click on an empty cell writes the six small digits in it; a right click on "
      "one of them removes it or puts it back. The game does not check notes."}},
};
const PageText kPage5 = {{"", ""}, kPlaying, 6, {"", ""}, {"", ""}};

// ---- page 6: undo, highlights, fixed numbers again ----
const Paragraph kUndo[] = {
    {Para::Sub, {"D\xE9" "faire et refaire", "Undo and re-do"}},
    {Para::Body,
     {"< d\xE9" "fait votre dernier coup, > le rejoue. Vous pouvez remonter jusqu'au premier "
      "coup jou\xE9 sur la grille.",
      "< undoes your last move, > plays it again. You can go back as far as the first move "
      "made on the grid."}},
    {Para::Sub, {"Surligner des hexagones", "Highlighting hexagons"}},
    {Para::Body,
     {"Cliquez un point o\xF9 des triangles se rejoignent : l'hexagone qui l'entoure est "
      "cercl\xE9 de couleur. Trois hexagones au plus le sont, le plus r\xE9" "cent en rouge, puis en "
      "vert et en orange. Recliquez le plus r\xE9" "cent pour tout effacer.",
      "Click a point where triangles meet: the hexagon around it is outlined in colour. Up "
      "to three hexagons are outlined, the newest in red, then green and orange. Click the "
      "newest again to clear them all."}},
    {Para::Sub, {"Recommencer", "Starting again"}},
    {Para::Body,
     {"F efface tous les chiffres que vous avez entr\xE9s et remet \xE0 z\xE9ro l'horloge de la "
      "grille.",
      "F erases every digit you entered and sets the clock of the grid back to zero."}},
};
const PageText kPage6 = {
    {"Coups et rep\xE8res", "Moves and marks"}, kUndo, 6,
    {"Les notes ne sont pas des coups : < et > ne les touchent pas.",
     "Notes are not moves: < and > leave them alone."},
    {"Sur l'image : trois hexagones surlign\xE9s.", "In the picture: three highlighted hexagons."}};

// ---- page 7: size and scrolling ----
const Paragraph kScrolling[] = {
    {Para::Sub, {"Plus grand, plus petit", "Bigger, smaller"}},
    {Para::Body,
     {"+ et - agrandissent ou r\xE9" "duisent le dessin de la grille.",
      "+ and - make the drawing of the grid bigger or smaller."}},
    {Para::Sub, {"Faire d\xE9" "filer", "Scrolling"}},
    {Para::Body,
     {"Quand une grille d\xE9passe de l'\xE9" "cran, des fl\xE8" "ches apparaissent sur ses bords : un "
      "clic sur l'une d'elles la d\xE9place d'une case.",
      "When a grid is larger than the screen, arrows appear at its edges: a click on one of "
      "them moves the grid by one cell."}},
    {Para::Body,
     {"Vous pouvez aussi la faire glisser : appuyez sur un point o\xF9 des triangles se "
      "rejoignent, d\xE9placez la souris, puis rel\xE2" "chez.",
      "You can also drag the grid: press on a point where triangles meet, move the mouse, "
      "then release."}},
};
const PageText kPage7 = {
    {"Taille et d\xE9" "filement", "Size and scrolling"}, kScrolling, 5,
    {"Pas de cadre : on ne voit que le d\xE9" "but du titre, la barre de commandes et les hexagones.",
     "No frame: only the start of the caption, the command bar and the hexagons show."},
    {"Sur l'image : une grande grille et la fl\xE8" "che qui la fait d\xE9" "filer.",
     "In the picture: a large grid and the arrow that scrolls it."}};

// ---- page 8: clock, pause, saving, the keyboard ----
const Paragraph kSaving[] = {
    {Para::Sub, {"Horloge, pause et enregistrement", "Clock, pause and saving"}},
    {Para::Body,
     {"Chaque grille a sa propre horloge, affich\xE9" "e dans la barre de commandes ; elle s'arr\xEAte "
      "quand la grille est compl\xE8te. P r\xE9" "duit la fen\xEAtre et arr\xEAte l'horloge jusqu'\xE0 son "
      "retour.",
      "Each grid has its own clock, shown in the command bar; it stops when the grid is "
      "complete. P minimises the window and stops the clock until you bring it back."}},
    {Para::Body,
     {"S enregistre les chiffres, les notes et le temps de chaque grille, la nouvelle aussi, "
      "avec la langue et la grille en jeu. Tout est relu au prochain lancement.",
      "S saves the digits, notes and time of every grid, the new one too, with the language "
      "and the grid in play. All of it is read back at the next start."}},
    {Para::Sub, {"Jouer au clavier", "Playing from the keyboard"}},
    {Para::Body,
     {"Fl\xE8" "ches du clavier : d\xE9placer un contour de case en case",
      "Arrow keys: move an outline from cell to cell"}},
    {Para::Body,
     {"Espace ou Entr\xE9" "e : un clic gauche sur la case entour\xE9" "e",
      "Space or Enter: a left click on the outlined cell"}},
    {Para::Body, {"Suppr ou Retour arri\xE8re : l'effacer", "Delete or Backspace: erase it"}},
    {Para::Body,
     {"Maj+1 \xE0 6 : y mettre ou en \xF4ter la note de ce chiffre",
      "Shift+1 to 6: turn that digit's note on or off in it"}},
    {Para::Body,
     {"Ctrl+Z, Ctrl+Y, Ctrl+S : d\xE9" "faire, refaire, enregistrer",
      "Ctrl+Z, Ctrl+Y, Ctrl+S: undo, re-do, save"}},
    {Para::Body,
     {"+ et - : agrandir, diminuer ; F1 : cette r\xE8gle du jeu",
      "+ and -: bigger, smaller; F1: these rules"}},
    {Para::Body,
     {"N : une nouvelle grille, de la taille et du niveau choisis ; elle remplace la "
      "pr\xE9" "c\xE9" "dente, jamais Gr1 \xE0 Gr5",
      "N: a new grid of the size and level you choose; it replaces the last new grid, "
      "never Gr1 to Gr5"}},
    {Para::Body,
     {"H : un indice, la case que la logique remplit ensuite, entour\xE9" "e en vert, et "
      "pourquoi ; rien n'est jou\xE9",
      "H: a hint: the cell that logic fills next, ringed in green, and why; nothing is "
      "played"}},
};
const PageText kPage8 = {
    {"Horloge et sauvegarde", "Clock and saving"}, kSaving, 12,
    {"En quittant, les coups jou\xE9s depuis le dernier S sont perdus.",
     "When you quit, moves made since the last S are lost."},
    {"Sur l'image : la barre de commandes, avec l'horloge sous le 0.",
     "In the picture: the command bar, with the clock under the 0."}};

// ---- page 9: the command bar ----
const Paragraph kBar[] = {
    {Para::Sub, {"Les boutons, de haut en bas", "The buttons, from top to bottom"}},
    {Para::Body, {"FR/EN : textes en fran\xE7" "ais ou en anglais", "FR/EN: texts in French or in English"}},
    {Para::Body, {"Gr1 \xE0 Gr5 : choisir une des cinq grilles", "Gr1 to Gr5: choose one of the five grids"}},
    {Para::Body, {"- et + : dessin plus petit ou plus grand", "- and +: smaller or bigger drawing"}},
    {Para::Body, {"? : cette r\xE8gle du jeu", "?: these rules of the game"}},
    {Para::Body, {"I : informations sur la grille en jeu", "I: information on the grid in play"}},
    {Para::Body, {"< et > : d\xE9" "faire et refaire", "< and >: undo and re-do"}},
    {Para::Body, {"l'hexagone : choisir un chiffre de 1 \xE0 6", "the hexagon: choose a digit from 1 to 6"}},
    {Para::Body, {"0 : effacer", "0: erase"}},
    {Para::Body, {"F : revenir aux valeurs fixes", "F: return to the fixed numbers"}},
    {Para::Body, {"P : pause", "P: pause"}},
    {Para::Body, {"S : enregistrer", "S: save"}},
    {Para::Body, {"X : quitter le jeu", "X: quit the game"}},
    {Para::Emph,
     {"La touche Tab passe au chiffre suivant.", "The Tab key moves on to the next digit."}},
    {Para::Emph, {"Pour jouer au clavier, voir la page 8.", "For playing from the keyboard, see page 8."}},
};
const PageText kPage9 = {
    {"La barre de commandes", "The command bar"}, kBar, 15,
    {"Le nom complet d'un bouton, et sa touche s'il en a une, s'affiche \xE0 droite de la souris.",
     "A button's full name, and its key if it has one, appears to the right of the pointer."},
    {"Sur l'image : la barre de commandes et son hexagone de chiffres.",
     "In the picture: the command bar and its hexagon of digits."}};

const PageText* pageText(int16_t page) {
    switch (page) {
        case 2: return &kPage2;
        case 3: return &kPage3;
        case 4: return &kPage4;
        case 5: return &kPage5;
        case 6: return &kPage6;
        case 7: return &kPage7;
        case 8: return &kPage8;
        case 9: return &kPage9;
        default: return nullptr;
    }
}

void addLine(std::vector<RulesLine>& lines, int x, int y, RulesStyle style, const std::string& text) {
    if (text.empty()) return;
    RulesLine line;
    line.x = static_cast<int16_t>(x);
    line.y = static_cast<int16_t>(y);
    line.style = style;
    line.text = text;
    lines.push_back(std::move(line));
}

/*
 * Cuts a paragraph at blanks into lines of at most `room` characters (a word
 * longer than that stands alone on its line).
 */
std::vector<std::string> wrapText(const std::string& text, size_t room) {
    std::vector<std::string> out;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        size_t end = text.find(' ', i);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(i, end - i);
        i = end;
        if (word.empty()) continue;
        if (!line.empty() && line.size() + 1 + word.size() > room) {
            out.push_back(line);
            line.clear();
        }
        if (!line.empty()) line += ' ';
        line += word;
    }
    if (!line.empty()) out.push_back(line);
    return out;
}

size_t columnRoom(RulesStyle style) {
    float width = kColumnRight - kColumnX;
    return static_cast<size_t>(width / (rulesTextStyle(style).size * kRulesCharWidthFactor));
}

void layOutColumn(std::vector<RulesLine>& lines, const PageText& page, uint8_t language) {
    int y = kColumnTop;
    for (int i = 0; i < page.bodyCount; ++i) {
        const Paragraph& p = page.body[i];
        RulesStyle style = p.kind == Para::Sub ? RulesStyle::Subheading
                           : p.kind == Para::Emph ? RulesStyle::Emphasised
                                                  : RulesStyle::Body;
        if (p.kind == Para::Sub && i > 0) y -= kRulesLineSpacing;
        for (const std::string& part : wrapText(pick(p.text, language), columnRoom(style))) {
            addLine(lines, kColumnX, y, style, part);
            y -= kRulesLineSpacing;
        }
    }
}

void layOutCover(std::vector<RulesLine>& lines, uint8_t language) {
    addLine(lines, -30, 65, RulesStyle::CoverTitle, pick(kCoverFirst, language));
    addLine(lines, 20, 52, RulesStyle::CoverTitle, pick(kCoverSecond, language));
    addLine(lines, -80, -70, RulesStyle::SmallPrint, pick(kCoverSmall, language));
    addLine(lines, 33, 24, RulesStyle::PageTitle, kTitle);
}

}  // namespace

const RulesTextStyle& rulesTextStyle(RulesStyle style) {
    int i = static_cast<int>(style);
    if (i < 0 || i > static_cast<int>(RulesStyle::PageNumber)) i = static_cast<int>(RulesStyle::Body);
    return kStyles[i];
}

std::vector<RulesLine> rulesPageLines(int16_t page, uint8_t language) {
    std::vector<RulesLine> lines;
    if (page == 1) {
        layOutCover(lines, language);
        return lines;
    }
    const PageText* text = pageText(page);
    if (text == nullptr) return lines;
    int titleX = page <= 5 ? 0 : -40;
    addLine(lines, titleX, 60, RulesStyle::PageTitle, kTitle);
    if (page >= 6) addLine(lines, 45, 55, RulesStyle::Heading, pick(text->heading, language));
    layOutColumn(lines, *text, language);
    addLine(lines, kFooterX, kFooterY, RulesStyle::Emphasised, pick(text->footer, language));
    addLine(lines, kSmallPrintX, kSmallPrintY, RulesStyle::SmallPrint, pick(text->smallPrint, language));
    return lines;
}

bool rulesPageSign(int16_t page, RulesSign& sign) {
    if (page < kFirstRulesPage || page > kLastRulesPage) return false;
    if (page == 1) {
        sign = {68, 28, 4};
    } else if (page <= 5) {
        sign = {35, 64, 4};
    } else {
        sign = {-5, 64, 4};
    }
    return true;
}

RulesLine rulesPageNumberLine(int16_t page) {
    RulesLine line;
    line.x = 95;
    line.y = 70;
    line.style = RulesStyle::PageNumber;
    line.text = std::to_string(page);
    return line;
}

RulesBox rulesLineBox(const RulesLine& line) {
    const RulesTextStyle& s = rulesTextStyle(line.style);
    float width = static_cast<float>(line.text.size()) * s.size * kRulesCharWidthFactor;
    RulesBox box;
    box.left = s.aligned ? line.x - width / 2 : line.x;
    box.right = box.left + width;
    box.bottom = line.y - s.size / 2;
    box.top = line.y + s.size / 2;
    return box;
}
