// The keyboard: moves across every built-in shape and a new grid's, the key table, and keys through the session.
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/app_settings.h"
#include "app/keyboard.h"
#include "app/session.h"
#include "content/collection.h"
#include "content/new_grid.h"
#include "puzzle/cell_navigation.h"
#include "puzzle/state_string.h"
#include "render/grid_drawing.h"
#include "tests/test_support.h"
#include "ui/messages.h"

namespace fs = std::filesystem;

namespace {

constexpr Heading kHeadings[] = {Heading::Left, Heading::Right, Heading::Up, Heading::Down};

// The five numbered grids and one new grid of each size, as the game loads them.
std::vector<Grid> everyShape() {
    std::vector<Grid> grids;
    for (const char* code : kNumberedGridCodes) {
        grids.emplace_back();
        EXPECT_NE(loadBuiltInGrid(grids.back(), code), nullptr) << code;
    }
    for (int16_t size = 1; size <= kNewGridSizes; ++size) {
        NewGrid made;
        EXPECT_TRUE(makeNewGrid(NewGridRequest{size, 3, 77}, made));
        grids.emplace_back();
        loadNewGrid(grids.back(), made);
    }
    return grids;
}

// The cells reached from `start` by any sequence of the four steps.
std::set<int16_t> reachable(const Grid& g, int16_t start) {
    std::set<int16_t> seen = {start};
    std::deque<int16_t> queue = {start};
    while (!queue.empty()) {
        const int16_t c = queue.front();
        queue.pop_front();
        for (Heading h : kHeadings) {
            const int16_t next = cellToward(g, c, h);
            if (seen.insert(next).second) queue.push_back(next);
        }
    }
    return seen;
}

// How many corners two cells share (2: a common edge).
int sharedCorners(const Grid& g, int16_t a, int16_t b) {
    const auto pa = cellOutline(g, a), pb = cellOutline(g, b);
    int shared = 0;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            if (std::abs(pa[i].x - pb[j].x) <= 1 && std::abs(pa[i].y - pb[j].y) <= 1) ++shared;
    return shared;
}

}  // namespace

/*
 * Checked against the cells' drawn centres on every shape: a row is a
 * horizontal strip, Left and Right undo each other, Up and Down land on the
 * row's cell nearest in x (the one across the horizontal edge when there is
 * one), the edges hold the cursor, and every cell can be reached.
 */
TEST(CellNavigation, EveryShapeIsCrossedByRowsToTheNearestCell) {
    for (const Grid& g : everyShape()) {
        ASSERT_GT(g.cellCount, 0);
        const std::string code = g.gridCode.s;
        const int16_t start = firstEmptyCell(g);
        ASSERT_TRUE(isValidCell(g, start)) << code;
        EXPECT_EQ(reachable(g, start).size(), static_cast<size_t>(g.cellCount)) << code;
        for (int16_t c = 1; c <= g.cellCount; ++c) {
            const PixelPoint here = cellCentre(g, c);
            const int16_t left = cellToward(g, c, Heading::Left);
            const int16_t right = cellToward(g, c, Heading::Right);
            if (left != c) {
                EXPECT_LT(cellCentre(g, left).x, here.x) << code << " cell " << c;
                EXPECT_EQ(cellToward(g, left, Heading::Right), c) << code << " cell " << c;
                EXPECT_LE(std::abs(cellCentre(g, left).y - here.y), g.cellSize / 2) << code << " same row";
            }
            if (right != c) {
                EXPECT_EQ(cellToward(g, right, Heading::Left), c) << code << " cell " << c;
            }
            for (Heading h : {Heading::Up, Heading::Down}) {
                const int16_t to = cellToward(g, c, h);
                const int side = h == Heading::Up ? 1 : -1;  // y grows upward
                // The cells of the nearest row that way, by their drawn centres.
                std::vector<int16_t> row;
                for (int16_t o = 1; o <= g.cellCount; ++o) {
                    const bool further = (cellCentre(g, o).y - here.y) * side > g.cellSize / 4;
                    if (further && g.cells[o].textRow != g.cells[c].textRow) row.push_back(o);
                }
                if (row.empty()) {
                    EXPECT_EQ(to, c) << code << " cell " << c << " at the edge stays";
                    continue;
                }
                ASSERT_NE(to, c) << code << " cell " << c;
                int nearestRow = g.cells[row[0]].textRow;
                for (int16_t o : row)
                    if (std::abs(g.cells[o].textRow - g.cells[c].textRow) <
                        std::abs(nearestRow - g.cells[c].textRow))
                        nearestRow = g.cells[o].textRow;
                int best = 1 << 30;
                for (int16_t o : row)
                    if (g.cells[o].textRow == nearestRow) best = std::min(best, std::abs(cellCentre(g, o).x - here.x));
                EXPECT_EQ(g.cells[to].textRow, nearestRow) << code << " cell " << c;
                EXPECT_LE(std::abs(cellCentre(g, to).x - here.x), best + 1) << code << " cell " << c;
                for (int16_t o : row) {
                    if (sharedCorners(g, c, o) == 2) {
                        EXPECT_EQ(to, o) << code << " cell " << c << " across its edge";
                    }
                }
            }
        }
    }
}

TEST(KeyTable, EachModeTakesItsKeysAndCommandsOnlyWhereTheirButtonsWould) {
    AppState app;
    app.view.screenMode = ScreenMode::Play;
    const auto kind = [&](int16_t key, bool shift = false, bool ctrl = false, bool repeat = false) {
        return decideKey(app, KeyPress{key, shift, ctrl, repeat}).kind;
    };
    const auto command = [&](int16_t key, bool ctrl = false) { return decideKey(app, KeyPress{key, false, ctrl, false}).command; };
    EXPECT_EQ(decideKey(app, KeyPress{Key0 + 4}).digit, 4);
    EXPECT_EQ(decideKey(app, KeyPress{KeyPad0 + 6}).digit, 6);
    EXPECT_EQ(kind(KeyTab), KeyActionKind::NextDigit);
    EXPECT_EQ(kind(Key0 + 3, true), KeyActionKind::ToggleNote);
    EXPECT_EQ(kind(Key0, true), KeyActionKind::None);  // no note 0
    EXPECT_EQ(decideKey(app, KeyPress{KeyDown}).heading, Heading::Down);
    for (int16_t k : {KeySpace, KeyEnter}) EXPECT_EQ(kind(k), KeyActionKind::ActOnCell);
    for (int16_t k : {KeyDelete, KeyBackspace}) EXPECT_EQ(kind(k), KeyActionKind::EraseCell);
    EXPECT_EQ(command(KeyS, true), CmdSave);
    EXPECT_EQ(command(KeyF1), CmdRules);
    EXPECT_EQ(command(KeyN), CmdNewGrid);
    EXPECT_EQ(command(KeyH), CmdHint);
    app.view.scale = kScaleMin + 10;
    EXPECT_EQ(command(KeyPlus), CmdBigger);
    EXPECT_EQ(command(KeyPadSubtract), CmdSmaller);
    EXPECT_EQ(kind(KeyS), KeyActionKind::None);      // S alone is no key of the game
    EXPECT_EQ(kind(KeyEscape), KeyActionKind::None);  // nothing to leave in Play mode
    // Undo and re-do count only while their buttons are enabled; the smallest scale has no Smaller.
    EXPECT_EQ(kind(KeyZ, false, true), KeyActionKind::None);
    app.game.undoHistory.moves = {Move{MoveKind::Place, 2, 5}};
    app.game.undoHistory.cursor = 1;
    EXPECT_EQ(command(KeyZ, true), CmdUndo);
    EXPECT_EQ(kind(KeyY, false, true), KeyActionKind::None);
    app.view.scale = kScaleMin;
    EXPECT_EQ(kind(KeyMinus), KeyActionKind::None);
    // A held key repeats only what can be done again.
    EXPECT_EQ(kind(KeyRight, false, false, true), KeyActionKind::MoveCursor);
    EXPECT_EQ(kind(Key0 + 6, false, false, true), KeyActionKind::SelectDigit);
    for (int16_t k : {KeySpace, KeyDelete, KeyF1, KeyN})
        EXPECT_EQ(kind(k, false, false, true), KeyActionKind::None) << k;
    EXPECT_EQ(kind(KeyZ, false, true, true), KeyActionKind::None);

    // The rules pages: the arrows turn them where a page lies that way, Esc returns, the digits still select.
    app.view.screenMode = ScreenMode::Rules;
    app.view.rulesPage = kFirstRulesPage;
    EXPECT_EQ(kind(KeyLeft), KeyActionKind::None);
    EXPECT_EQ(command(KeyRight), CmdNextPage);
    EXPECT_EQ(command(KeyEscape), CmdReturnToGrid);
    app.view.rulesPage = kLastRulesPage;
    EXPECT_EQ(command(KeyLeft), CmdPreviousPage);
    EXPECT_EQ(kind(KeyRight), KeyActionKind::None);
    for (int16_t k : {KeySpace, KeyF1, KeyN, KeyH, KeyPlus}) EXPECT_EQ(kind(k), KeyActionKind::None) << k;
    EXPECT_EQ(kind(Key0 + 2), KeyActionKind::SelectDigit);
    EXPECT_EQ(kind(KeyZ, false, true), KeyActionKind::None);

    // Before the game shows, no key but the digits acts.
    app.view.screenMode = ScreenMode::Start;
    EXPECT_EQ(kind(KeyRight), KeyActionKind::None);
    EXPECT_EQ(kind(KeyN), KeyActionKind::None);
}

namespace {

/*
 * A started session on grid 1 whose boxes are answered by a script. `keysInBox`
 * are the keys a box takes while it is open: their releases, and
 * repetitions while they are held, reach the main window afterwards, as they
 * would once the box has closed.
 */
struct KeyPlayer {
    Session s;
    std::vector<BoxRequest> boxes;
    std::vector<std::pair<int, int>> beeps;
    std::vector<int16_t> choices;
    std::vector<BoxAnswer> answers;  // for the other boxes, front first; then Yes or Ok
    std::vector<int16_t> keysInBox;
    std::vector<int16_t> afterBox;

    explicit KeyPlayer(const fs::path& settings, int16_t screenWidth = 1024, int16_t screenHeight = 768) {
        s.feedback.ask = [this](const BoxRequest& r) {
            boxes.push_back(r);
            // The player answers with a key: it goes down in the box, and comes up after it has closed.
            if (!keysInBox.empty()) {
                afterBox.push_back(keysInBox.front());
                keysInBox.erase(keysInBox.begin());
            }
            if (r.choices.count() > 0) {
                if (choices.empty()) return AnswerCancel;
                const int16_t k = choices.front();
                choices.erase(choices.begin());
                return choiceAnswer(k);
            }
            if (!answers.empty()) {
                const BoxAnswer a = answers.front();
                answers.erase(answers.begin());
                return a;
            }
            return r.buttons == BoxYesNo ? AnswerYes : AnswerOk;
        };
        s.feedback.beep = [this](int16_t f, int16_t d) { beeps.emplace_back(f, d); };
        s.seedClock = [] { return 4242u; };
        beginSession(s, screenWidth, screenHeight);
        s.app.settingsPath.assign(settings.string());
        loadSettings(s.app);
        openGame(s);
        s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = true;
        setMeasureResolution(s, 96, 96);
        layOutIfNeeded(s);
    }

    Grid& grid() { return s.app.game.grids[0]; }

    // A key pressed and released on the main window; then whatever a box let go of reaches it.
    Effects key(int16_t k, bool shift = false, bool ctrl = false) {
        Effects fx = handle(s, keyPressEvent(k, shift, ctrl));
        mergeEffects(fx, handle(s, keyReleaseEvent(k)));
        for (int16_t held : afterBox) {
            mergeEffects(fx, handle(s, keyPressEvent(held, false, false, true)));
            mergeEffects(fx, handle(s, keyReleaseEvent(held)));
        }
        afterBox.clear();
        return fx;
    }

    // The arrows that bring the cursor to `cell` (the first one shows it).
    void moveCursorTo(int16_t cell) {
        if (s.app.game.cursorCell == 0) key(KeyRight);
        std::vector<Heading> path;
        ASSERT_TRUE(stepsBetween(grid(), s.app.game.cursorCell, cell, path));
        for (Heading h : path)
            key(h == Heading::Left ? KeyLeft : h == Heading::Right ? KeyRight : h == Heading::Up ? KeyUp : KeyDown);
        ASSERT_EQ(s.app.game.cursorCell, cell);
    }
};

}  // namespace

TEST(KeyPlay, GridOneIsPlayedWithKeysAloneToASavedWin) {
    const fs::path dir = freshTempDir("ornel_keys_");
    KeyPlayer p(dir / "ORNEL 162.TXT");
    Grid& g = p.grid();
    ASSERT_EQ(p.s.app.game.gridNumber, 1);

    // The first arrow shows the cursor on the first empty cell, named in the cell field.
    Effects fx = p.key(KeyDown);
    const int16_t first = firstEmptyCell(g);
    EXPECT_EQ(p.s.app.game.cursorCell, first);
    EXPECT_TRUE(fx.cellFieldChanged);
    EXPECT_EQ(p.s.input.cellInfoText.s, cellLabel(g, first, " ", false).s);

    // A refused digit beeps twice and changes nothing; a note goes on and off with Shift.
    int16_t refused = 0;
    for (int16_t peer : g.peerTable[first].peers)
        if (peer > 0 && cellValue(g, peer) > 0) refused = cellValue(g, peer);
    ASSERT_GT(refused, 0);
    p.key(static_cast<int16_t>(Key0 + refused));
    EXPECT_EQ(p.key(KeySpace).signal, PlayFeedback::Refused);
    EXPECT_EQ(cellValue(g, first), 0);
    p.key(Key0 + 2, true);
    EXPECT_EQ(cellNotes(g, first), valueBit(2));
    EXPECT_EQ(p.s.app.game.selectedDigit, refused);  // a note leaves the digit as it was
    p.key(Key0 + 2, true);
    EXPECT_EQ(cellNotes(g, first), 0);

    // Every empty cell gets its solution: its digit by key, the cursor by arrows, Space to place.
    int placed = 0;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (cellValue(g, i) != 0) continue;
        const int16_t digit = g.cells[i].solution;
        p.key(static_cast<int16_t>(Key0 + digit));
        p.moveCursorTo(i);
        fx = p.key(KeySpace);
        ASSERT_EQ(fx.signal, PlayFeedback::None) << "cell " << i;
        ASSERT_EQ(cellValue(g, i), digit);
        ++placed;
        if (placed == 2) {
            // Undo and re-do by key; Delete erases without touching the chosen digit, and Space puts it back.
            p.key(KeyZ, false, true);
            EXPECT_EQ(cellValue(g, i), 0);
            p.key(KeyY, false, true);
            EXPECT_EQ(cellValue(g, i), digit);
            EXPECT_EQ(p.key(KeyDelete).signal, PlayFeedback::Erased);
            EXPECT_EQ(cellValue(g, i), 0);
            EXPECT_EQ(p.s.app.game.selectedDigit, digit);
            p.key(KeySpace);
            EXPECT_EQ(cellValue(g, i), digit);
        }
        if (!isGridFull(g)) {
            EXPECT_FALSE(handle(p.s, eventOf(EventKind::Painted)).winAnnounced);
        }
    }
    EXPECT_GT(placed, 3);
    ASSERT_TRUE(isGridFull(g));
    EXPECT_TRUE(p.boxes.empty());

    // The paint that shows the last digit announces the win, and Yes saves it.
    EXPECT_TRUE(handle(p.s, eventOf(EventKind::Painted)).winAnnounced);
    ASSERT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.boxes[0].text.s, composeMessage(MessageWin, 0, 1).s);
    AppState next;
    next.settingsPath = p.s.app.settingsPath;
    ASSERT_EQ(loadSettings(next), SettingsLoaded);
    EXPECT_EQ(gridStateOf(next, 1).s, writeStateString(g).s);

    // Ctrl+S saves with its box; F1 opens the rules, the arrows turn the pages, Esc comes back.
    p.boxes.clear();
    p.key(KeyS, false, true);
    EXPECT_EQ(p.boxes.size(), 1u);
    const int16_t cursor = p.s.app.game.cursorCell;
    ASSERT_NE(cursor, 0);
    p.key(KeyF1);
    EXPECT_EQ(p.s.app.view.screenMode, ScreenMode::Rules);
    p.key(KeyRight);
    p.key(KeyRight);
    p.key(KeyLeft);
    EXPECT_EQ(p.s.app.view.rulesPage, kFirstRulesPage + 1);
    p.key(KeyEscape);
    EXPECT_EQ(p.s.app.view.screenMode, ScreenMode::Play);
    EXPECT_EQ(p.s.app.game.cursorCell, cursor);  // back on the same grid, the cursor where it was
    EXPECT_TRUE(isGridFull(p.grid()));
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

TEST(KeyPlay, KeysThatAnswerABoxNeverReachTheGame) {
    const fs::path dir = freshTempDir("ornel_keys_box_");
    KeyPlayer p(dir / "ORNEL 162.TXT");

    // The quit question answered No with its key n: no new grid is asked afterwards, and the game goes on.
    p.keysInBox = {KeyN};
    p.answers = {AnswerNo};
    Effects fx = handle(p.s, eventOf(EventKind::CloseRequest));
    ASSERT_EQ(p.boxes.size(), 1u);
    EXPECT_FALSE(fx.destroy);
    mergeEffects(fx, p.key(KeyEscape));  // any later key lets the held n come through
    EXPECT_EQ(p.boxes.size(), 1u) << p.boxes.back().text.s;
    EXPECT_FALSE(fx.makeNewGrid);

    // Size 4 and level 6 chosen with their digit keys: the digit chosen for play stays 1.
    ASSERT_EQ(p.s.app.game.selectedDigit, 1);
    p.boxes.clear();
    p.choices = {3, 5};
    p.keysInBox = {Key0 + 4, Key0 + 6};
    fx = p.key(KeyN);
    EXPECT_TRUE(fx.makeNewGrid);
    EXPECT_EQ(p.boxes.size(), 2u);
    EXPECT_EQ(p.s.app.game.selectedDigit, 1);
    EXPECT_FALSE(p.s.input.linkDisplay);

    // While a command's box is open, a key that reaches the window does nothing either.
    p.s.commands.commandDepth = 1;
    p.key(Key0 + 3);
    EXPECT_EQ(p.s.app.game.selectedDigit, 1);
    p.s.commands.commandDepth = 0;
    // Losing the keyboard forgets a held key: its repetition no longer counts.
    handle(p.s, keyPressEvent(Key0 + 5));
    handle(p.s, eventOf(EventKind::KeyboardLost));
    p.s.app.game.selectedDigit = 1;
    handle(p.s, keyPressEvent(Key0 + 5, false, false, true));
    EXPECT_EQ(p.s.app.game.selectedDigit, 1);
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

TEST(KeyPlay, TheCursorFollowsClicksScrollsIntoViewAndGoesWithTheGrid) {
    const fs::path dir = freshTempDir("ornel_keys_view_");
    // Grid 5 at the largest scale on a small screen: it runs past the screen's edge.
    KeyPlayer p(dir / "ORNEL 162.TXT", 800, 600);
    handle(p.s, commandEvent(CmdGrid5));
    while (p.s.app.view.scale < kScaleMax) p.key(KeyPlus);
    ASSERT_GT(p.s.layout.overflowX, 0);
    Grid& g = p.grid();

    // Keys acting on the cell first show the cursor, and do nothing else.
    EXPECT_EQ(p.key(KeySpace).signal, PlayFeedback::None);
    const int16_t start = p.s.app.game.cursorCell;
    ASSERT_TRUE(isValidCell(g, start));
    EXPECT_EQ(writeStateString(g).s.find('v'), std::string::npos);

    // Right to the end of every row: each cell the cursor reaches is brought whole into view.
    for (int16_t row = 1; row <= g.textRows; ++row) {
        for (int k = 0; k < 40; ++k) {
            p.key(KeyRight);
            ArrowSide side = ArrowLeft;
            ASSERT_FALSE(arrowTowardCell(p.s.layout, g, p.s.app.game.cursorCell, side))
                << "cell " << p.s.app.game.cursorCell << " hidden, toward arrow " << static_cast<int>(side);
        }
        p.key(KeyDown);
    }
    EXPECT_LT(p.s.app.view.panX, 0.0f);  // the far right needed scrolling

    // A click on a cell takes the shown cursor there; loading a grid hides it and forgets the click.
    const int16_t target = cellToward(g, p.s.app.game.cursorCell, Heading::Left);
    const ShapePoint at = clientPointOfGrid(p.s.layout, cellCentre(g, target));
    handle(p.s, eventOf(EventKind::PointerPressed, at.x, at.y));
    handle(p.s, eventOf(EventKind::PointerReleased, at.x, at.y));
    EXPECT_EQ(p.s.app.game.cursorCell, target);
    handle(p.s, commandEvent(CmdGrid1));
    EXPECT_EQ(p.s.app.game.cursorCell, 0);
    p.key(KeyLeft);
    EXPECT_EQ(p.s.app.game.cursorCell, firstEmptyCell(p.grid()));
    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

