// The real game driven by window messages: what its frame shows, its commands, and whole games played by clicks.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <random>
#include <vector>
#include <cmath>
#include <string>

#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/paint_plan.h"
#include "app/paint_win.h"
#include "app/play_input.h"
#include "base/wide_text_win.h"
#include "content/collection.h"
#include "puzzle/candidates.h"
#include "puzzle/cell_navigation.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"
#include "tests/bitmap_pixels_win.h"
#include "tests/game_session_win.h"
#include "ui/command_bar.h"
#include "ui/command_bar_win.h"
#include "ui/messages.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

namespace {

Grid& board() {
    return liveApp().game.grids[0];
}

// The client area as the window shows it, copied from the window's DC.
struct ClientShot {
    MemoryDC dc;
    OwnedBitmap bitmap;
    GdiSelection selection;
    int width = 0;
    int height = 0;

    COLORREF at(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return CLR_INVALID;
        return GetPixel(dc.get(), x, y);
    }
    bool hasNear(int x, int y, int dx, int dy, COLORREF colour) const {
        for (int a = -dx; a <= dx; ++a)
            for (int b = -dy; b <= dy; ++b)
                if (at(x + a, y + b) == colour) return true;
        return false;
    }
};

void shootClient(ClientShot& shot) {
    HWND w = mainWindow();
    RECT client;
    GetClientRect(w, &client);
    shot.width = client.right;
    shot.height = client.bottom;
    HDC windowDC = GetDC(w);
    shot.dc = MemoryDC(windowDC);
    shot.bitmap = makeCompatibleBitmap(windowDC, shot.width, shot.height);
    shot.selection = GdiSelection(shot.dc.get(), shot.bitmap.get());
    BitBlt(shot.dc.get(), 0, 0, shot.width, shot.height, windowDC, 0, 0, SRCCOPY);
    ReleaseDC(w, windowDC);
}

// A point of cell i 0.6 of the way from its centre to its first corner: clear of its digit and its lines.
POINT groundPoint(int16_t i) {
    const PixelPoint c = cellCentre(board(), i);
    const PixelPoint corner = cellOutline(board(), i)[0];
    PixelPoint p{static_cast<int16_t>(c.x + std::lround(0.6 * (corner.x - c.x))),
                 static_cast<int16_t>(c.y + std::lround(0.6 * (corner.y - c.y)))};
    ShapePoint s = clientPointOfGrid(liveSession().layout, p);
    return POINT{s.x, s.y};
}

/*
 * Every cell of the grid on screen shows the ground colour, each given its
 * digit in black ink, and an empty cell no ink at its centre.
 */
void expectGroundAndGivens(const char* what) {
    ClientShot shot;
    shootClient(shot);
    const COLORREF ground = RGB(255, 255, 153);
    const COLORREF ink = RGB(0, 0, 0);
    int givens = 0;
    for (int16_t i = 1; i <= board().cellCount; ++i) {
        POINT g = groundPoint(i);
        ASSERT_EQ(shot.at(g.x, g.y), ground) << what << " cell " << board().cellNames.str(i);
        POINT c = cellClientPoint(i);
        if (isCellFixed(board(), i) && cellValue(board(), i) != 0) {
            ++givens;
            EXPECT_TRUE(shot.hasNear(c.x, c.y, 4, 8, ink)) << what << " given " << board().cellNames.str(i);
        } else if (cellValue(board(), i) == 0 && cellNotes(board(), i) == 0) {
            EXPECT_FALSE(shot.hasNear(c.x, c.y, 3, 3, ink)) << what << " empty " << board().cellNames.str(i);
        }
    }
    EXPECT_GT(givens, 0) << what;
}

bool hasBeeps(const std::vector<int16_t>& beeps, std::initializer_list<int16_t> expected) {
    return beeps == std::vector<int16_t>(expected);
}

// An empty cell and a digit it refuses (a touching cell holds it); false when the board has none.
bool findRefusal(int16_t& cell, int16_t& digit) {
    Grid& g = board();
    recomputeCandidates(g);
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (cellValue(g, i) != 0) continue;
        for (int16_t d = 1; d <= 6; ++d) {
            if (!isCandidate(g, i, d)) {
                cell = i;
                digit = d;
                return true;
            }
        }
    }
    return false;
}

// An empty cell with a digit it accepts, other than `avoid`'s cell.
bool findPlacement(int16_t avoid, int16_t& cell, int16_t& digit) {
    Grid& g = board();
    recomputeCandidates(g);
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (i == avoid || cellValue(g, i) != 0) continue;
        for (int16_t d = 1; d <= 6; ++d) {
            if (isCandidate(g, i, d)) {
                cell = i;
                digit = d;
                return true;
            }
        }
    }
    return false;
}

void placeAt(int16_t cell, int16_t digit) {
    chooseDigit(digit);
    leftClickCell(cell);
}

RECT outerRect() {
    RECT r;
    GetWindowRect(mainWindow(), &r);
    return r;
}

// ------------------------------------------------------------------ paint

using GameWindowPaint = GameWindowTest;

TEST_F(GameWindowPaint, GroundAndGivenInkOnEveryCellOfGridsOneAndFive) {
    ASSERT_EQ(liveApp().game.gridNumber, 1);
    ASSERT_TRUE(board().gridCode.equals("1251-1"));
    expectGroundAndGivens("grid 1");

    sendCommand(CmdGrid5);  // asks first; the fake answers Yes
    ASSERT_TRUE(pumpUntil(paintSettled));
    ASSERT_EQ(liveApp().game.gridNumber, 5);
    ASSERT_TRUE(board().gridCode.equals("2330-1"));
    expectGroundAndGivens("grid 5");
}

/*
 * The window's region holds every hexagon centre of the grid on screen and the
 * start of the caption, but not the end of the caption. Returns whether a
 * point between the hexagons (1.3 cell sizes from every centre; the shape's
 * hexagons reach 1.2, and within two of two centres) was found, and checks that the region leaves it out.
 */
bool expectRegionOfTheGrid(const char* what) {
    HWND w = mainWindow();
    OwnedRegion region = makeRectRegion(0, 0, 0, 0);
    EXPECT_NE(GetWindowRgn(w, region.get()), ERROR) << what;
    const Grid& g = board();
    auto windowPoint = [&](int gx, int gy) {
        ShapePoint c = clientPointOfGrid(liveSession().layout, PixelPoint{static_cast<int16_t>(gx), static_cast<int16_t>(gy)});
        return POINT{c.x + liveApp().geometry.frameX, c.y + liveApp().geometry.frameY};
    };
    EXPECT_GT(g.hexagonCount, 1) << what;
    int left = INT16_MAX, right = INT16_MIN, down = INT16_MAX, up = INT16_MIN;
    for (int u = 1; u <= g.hexagonCount; ++u) {
        POINT c = windowPoint(g.units[u].x, g.units[u].y);
        EXPECT_TRUE(PtInRegion(region.get(), c.x, c.y)) << what << " hexagon " << u;
        left = std::min<int>(left, g.units[u].x);
        right = std::max<int>(right, g.units[u].x);
        down = std::min<int>(down, g.units[u].y);
        up = std::max<int>(up, g.units[u].y);
    }
    // A notch between two hexagons: clear of every hexagon, yet within two cell sizes of two centres.
    bool gapFound = false;
    const double clear = 1.3 * g.cellSize, close = 2.0 * g.cellSize;
    const int margin = 2 * g.cellSize;
    for (int y = down - margin; y <= up + margin && !gapFound; y += 2) {
        for (int x = left - margin; x <= right + margin && !gapFound; x += 2) {
            bool outside = true;
            int closeCentres = 0;
            for (int u = 1; u <= g.hexagonCount && outside; ++u) {
                const double d = std::hypot(g.units[u].x - x, g.units[u].y - y);
                outside = d > clear;
                closeCentres += d < close ? 1 : 0;
            }
            if (!outside || closeCentres < 2) continue;
            gapFound = true;
            POINT p = windowPoint(x, y);
            EXPECT_FALSE(PtInRegion(region.get(), p.x, p.y)) << what << " between hexagons at " << x << "," << y;
        }
    }
    RECT r = outerRect();
    EXPECT_TRUE(PtInRegion(region.get(), liveApp().geometry.frameX + kPanelX - 10, liveApp().geometry.frameY / 2)) << what;
    EXPECT_FALSE(PtInRegion(region.get(), r.right - r.left - 30, liveApp().geometry.frameY / 2)) << what << " caption end";
    return gapFound;
}

TEST_F(GameWindowPaint, RegionHoldsTheHexagonCentresButNotTheGapsNorTheCaptionEnd) {
    bool gap = expectRegionOfTheGrid("grid 1");
    sendCommand(CmdGrid5);
    ASSERT_TRUE(pumpUntil(paintSettled));
    gap = expectRegionOfTheGrid("grid 5") || gap;
    EXPECT_TRUE(gap) << "neither grid has a gap between its hexagons";
}

TEST_F(GameWindowPaint, BackgroundIsKeptAcrossAClickAndRedrawnAfterAScaleChange) {
    const int32_t passes = game().paint.backgroundPasses;
    ASSERT_GT(passes, 0);
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(findPlacement(0, cell, digit));
    placeAt(cell, digit);
    ASSERT_EQ(cellValue(board(), cell), digit);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(game().paint.backgroundPasses, passes) << "a click redraws the foreground only";
    ClientShot shot;
    shootClient(shot);
    POINT c = cellClientPoint(cell);
    EXPECT_TRUE(shot.hasNear(c.x, c.y, 4, 8, RGB(255, 0, 255))) << "the placed digit in the player's ink";

    sendCommand(CmdBigger);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().view.scale, 50);
    EXPECT_EQ(game().paint.backgroundPasses, passes + 1);
}

// ------------------------------------------------------------------ commands

using GameWindowCommands = GameWindowTest;

// The extent of a text in the font a control draws with (its own, else the system's).
SIZE textExtentIn(HWND control, const std::string& text) {
    SIZE size{0, 0};
    HDC dc = GetDC(control);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    HGDIOBJ old = SelectObject(dc, font ? static_cast<HGDIOBJ>(font) : GetStockObject(SYSTEM_FONT));
    const std::wstring wide(text.begin(), text.end());
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return size;
}

/*
 * Every control of the bar where the layout at the session's scale puts it,
 * shown as the mode wants, with its caption, and its text inside it in the
 * font it draws with.
 */
void expectBarAsLaidOut() {
    std::vector<BarControl> expected = barControls(
        computeBarLayout(liveApp().game.gridCount > 1, liveApp().clocks.enabled != 0, liveApp().geometry.dpi));
    ASSERT_EQ(game().bar.windows.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const BarControl& c = expected[i];
        HWND w = game().bar.windows[i];
        ASSERT_NE(w, nullptr) << c.command;
        EXPECT_EQ(GetParent(w), mainWindow());
        EXPECT_EQ(GetDlgCtrlID(w), c.command);
        RECT r;
        GetWindowRect(w, &r);
        MapWindowPoints(nullptr, mainWindow(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(r.left, c.x) << c.command;
        EXPECT_EQ(r.top, c.y) << c.command;
        EXPECT_EQ(r.right - r.left, c.width) << c.command;
        EXPECT_EQ(r.bottom - r.top, c.height) << c.command;
        const bool rulesButton = c.role == RoleReturnToGrid || c.role == RolePreviousPage || c.role == RoleNextPage;
        EXPECT_EQ(IsWindowVisible(w) != 0, !rulesButton) << c.command;
        if (c.kind == KindButton) {
            EXPECT_EQ(windowTextOf(w).s, std::string(c.caption)) << c.command;
        }
        // The text fits its control at the screen's resolution, in the font the control draws with.
        const SIZE text = textExtentIn(w, c.kind == KindButton ? std::string(c.caption) : std::string("99:59:59"));
        EXPECT_LE(text.cx, c.width - 2) << c.command << " at " << liveApp().geometry.dpi << " dpi";
        EXPECT_LE(text.cy, c.height) << c.command << " at " << liveApp().geometry.dpi << " dpi";
    }
    EXPECT_EQ(windowTextOf(commandBarControl(game().bar, CmdExit)).s, "X");
}

TEST_F(GameWindowCommands, BarControlsOnTheMainWindow) {
    expectBarAsLaidOut();
}

// WM_DPICHANGED as the system sends it when the window goes to a monitor of another resolution.
void changeResolution(int dpi, int left, int top) {
    RECT proposed = {left, top, left + 400, top + 400};
    SendMessageW(mainWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&proposed));
    pumpMessages();
}

/*
 * The window goes to a monitor of half as much resolution again: it takes the
 * proposed corner, its bar is made again at the new scale, its cells grow by
 * the ratio and are drawn there, and a click on a cell's centre places the
 * digit in that cell. Back on the first monitor it is the window it was.
 */
TEST_F(GameWindowCommands, AChangeOfResolutionRemakesTheWindowAtTheNewScaleAndBack) {
    const RECT before = outerRect();
    const int16_t first = liveApp().geometry.dpi;
    const int16_t second = static_cast<int16_t>(first * 3 / 2);
    changeResolution(second, 100, 40);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().geometry.dpi, second);
    EXPECT_EQ(board().cellSize, scaledPx(40, second));
    const RECT moved = outerRect();
    EXPECT_EQ(moved.left, 100);
    EXPECT_EQ(moved.top, 40);
    EXPECT_GT(moved.right - moved.left, (before.right - before.left) * 5 / 4);
    expectBarAsLaidOut();
    expectGroundAndGivens("at the second resolution");
    int16_t cell = 0;
    for (int16_t i = 1; i <= board().cellCount && !cell; ++i)
        if (cellValue(board(), i) == 0) cell = i;
    ASSERT_NE(cell, 0);
    const int16_t digit = board().cells[cell].solution;
    sendCommand(static_cast<int16_t>(CmdDigit1 + digit - 1));
    leftClickCell(cell);
    EXPECT_EQ(cellValue(board(), cell), digit);

    changeResolution(first, before.left, before.top);
    ASSERT_TRUE(pumpUntil(paintSettled));
    const RECT back = outerRect();
    EXPECT_TRUE(EqualRect(&back, &before)) << back.left << "," << back.top << " " << back.right << "," << back.bottom;
    EXPECT_EQ(board().cellSize, scaledPx(40, first));
    expectBarAsLaidOut();
    expectGroundAndGivens("back at the first resolution");
}


TEST_F(GameWindowCommands, BiggerGrowsTheWindowUpToTheLargestScaleThenChangesNothing) {
    ASSERT_EQ(liveApp().view.scale, 40);
    RECT before = outerRect();
    sendCommand(CmdBigger);
    ASSERT_TRUE(pumpUntil(paintSettled));
    RECT grown = outerRect();
    EXPECT_EQ(liveApp().view.scale, 50);
    EXPECT_GT(grown.right - grown.left, before.right - before.left);
    EXPECT_GE(grown.bottom - grown.top, before.bottom - before.top);

    sendCommand(CmdBigger);
    sendCommand(CmdBigger);
    ASSERT_TRUE(pumpUntil(paintSettled));
    ASSERT_EQ(liveApp().view.scale, 70);
    RECT top = outerRect();
    const int32_t passes = game().paint.backgroundPasses;
    const TextString state = boardState();
    sendCommand(CmdBigger);
    EXPECT_EQ(liveApp().redrawPending, 0);
    EXPECT_FALSE(GetUpdateRect(mainWindow(), nullptr, FALSE)) << "nothing to repaint";
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().view.scale, 70);
    RECT after = outerRect();
    EXPECT_TRUE(EqualRect(&top, &after));
    EXPECT_EQ(game().paint.backgroundPasses, passes);
    EXPECT_EQ(boardState(), state);
    EXPECT_TRUE(fakeWorld.beepFrequencies.empty());
}

TEST_F(GameWindowCommands, SecondCommandWhileABoxIsOpenIsRefusedWithTwoBeeps) {
    int nested = 0;
    fakeWorld.duringBox = [&](const BoxRequest&) {
        if (nested++ == 0) SendMessageW(mainWindow(), WM_COMMAND, CmdBigger, 0);
    };
    fakeWorld.answers = {AnswerCancel};
    sendCommand(CmdInformation);
    EXPECT_TRUE(hasBeeps(fakeWorld.beepFrequencies, {800, 1200}));
    EXPECT_EQ(liveApp().view.scale, 40) << "the refused command changed nothing";
    EXPECT_EQ(liveSession().commands.commandDepth, 0);
    fakeWorld.duringBox = nullptr;
    sendCommand(CmdBigger);
    EXPECT_EQ(liveApp().view.scale, 50) << "commands run again once the box is closed";
}

TEST_F(GameWindowCommands, InformationStopsAtTheFirstCancel) {
    fakeWorld.answers = {AnswerOk, AnswerOk, AnswerCancel};
    sendCommand(CmdInformation);
    ASSERT_EQ(fakeWorld.boxes.size(), 3u);
    EXPECT_EQ(fakeWorld.boxes[0].text, composeMessage(MessageGridInfo, 0, board().cellCount, board().gridCode));
    EXPECT_EQ(fakeWorld.boxes[2].text, composeMessage(MessageTouchingRule, 0));
    for (const BoxRequest& r : fakeWorld.boxes) EXPECT_EQ(r.buttons, BoxOkCancel);

    fakeWorld.boxes.clear();
    sendCommand(CmdInformation);  // all answered Ok: the five pages and the scrolling page
    ASSERT_EQ(fakeWorld.boxes.size(), 6u);
    EXPECT_EQ(fakeWorld.boxes[5].text, composeMessage(MessageScrollHint, 0));
    EXPECT_EQ(fakeWorld.boxes[5].buttons, BoxOk);
}

TEST_F(GameWindowCommands, ReloadingTheGridInPlayAsksThenRestoresTheLastSaveWithAnEmptyHistory) {
    int16_t a = 0, da = 0, b = 0, db = 0;
    ASSERT_TRUE(findPlacement(0, a, da));
    placeAt(a, da);
    sendCommand(CmdSave);
    const TextString saved = boardState();
    ASSERT_TRUE(findPlacement(a, b, db));
    placeAt(b, db);
    ASSERT_EQ(cellValue(board(), b), db);
    ASSERT_EQ(moveCount(liveApp().game.undoHistory), 2);

    fakeWorld.boxes.clear();
    fakeWorld.answers = {AnswerNo};
    sendCommand(CmdGrid1);
    ASSERT_EQ(fakeWorld.boxes.size(), 1u);
    EXPECT_EQ(fakeWorld.boxes[0].text, composeMessage(MessageLoadSame, 0, 1));
    EXPECT_EQ(cellValue(board(), b), db) << "No keeps the game";

    fakeWorld.boxes.clear();
    sendCommand(CmdGrid1);
    ASSERT_TRUE(pumpUntil(paintSettled));
    ASSERT_EQ(fakeWorld.boxes.size(), 1u);
    EXPECT_EQ(fakeWorld.boxes[0].text, composeMessage(MessageLoadSame, 0, 1));
    EXPECT_EQ(boardState(), saved);
    EXPECT_EQ(cellValue(board(), a), da);
    EXPECT_EQ(cellValue(board(), b), 0);
    EXPECT_EQ(moveCount(liveApp().game.undoHistory), 0);
    EXPECT_EQ(liveApp().game.undoHistory.cursor, 0);
}

TEST_F(GameWindowCommands, RulesAndBackRestoreTheGameAndItsHistoryCursor) {
    int16_t a = 0, da = 0, b = 0, db = 0;
    ASSERT_TRUE(findPlacement(0, a, da));
    placeAt(a, da);
    ASSERT_TRUE(findPlacement(a, b, db));
    placeAt(b, db);
    sendCommand(CmdUndo);
    ASSERT_EQ(liveApp().game.undoHistory.cursor, 1);
    const TextString state = boardState();

    sendCommand(CmdRules);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().view.screenMode, ScreenMode::Rules);
    RECT client;
    GetClientRect(mainWindow(), &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
    sendCommand(CmdNextPage);
    sendCommand(CmdRules);  // a second visit parks nothing over the parked game
    EXPECT_EQ(liveApp().view.rulesPage, 1);

    sendCommand(CmdReturnToGrid);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().view.screenMode, ScreenMode::Play);
    EXPECT_EQ(boardState(), state);
    EXPECT_EQ(moveCount(liveApp().game.undoHistory), 2);
    EXPECT_EQ(liveApp().game.undoHistory.cursor, 1);
    sendCommand(CmdRedo);
    EXPECT_EQ(cellValue(board(), b), db) << "the re-do survives the visit";
    expectGroundAndGivens("after the rules");
}

TEST_F(GameWindowCommands, RulesPagesShowOnlyTheButtonsThatLeadSomewhere) {
    HWND back = commandBarControl(game().bar, CmdReturnToGrid);
    HWND previous = commandBarControl(game().bar, CmdPreviousPage);
    HWND next = commandBarControl(game().bar, CmdNextPage);
    ASSERT_TRUE(back && previous && next);
    EXPECT_FALSE(IsWindowVisible(back)) << "the page buttons are hidden while the grid is shown";

    sendCommand(CmdRules);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_TRUE(IsWindowVisible(back));
    EXPECT_FALSE(IsWindowVisible(previous)) << "page 1";
    EXPECT_TRUE(IsWindowVisible(next));
    EXPECT_FALSE(IsWindowVisible(commandBarControl(game().bar, CmdSave))) << "the bar is hidden in the rules";
    for (int i = 0; i < 10; ++i) sendCommand(CmdNextPage);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().view.rulesPage, 9);
    EXPECT_TRUE(IsWindowVisible(back));
    EXPECT_TRUE(IsWindowVisible(previous));
    EXPECT_FALSE(IsWindowVisible(next)) << "page 9";

    sendCommand(CmdReturnToGrid);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_FALSE(IsWindowVisible(back));
    EXPECT_FALSE(IsWindowVisible(previous));
    EXPECT_TRUE(IsWindowVisible(commandBarControl(game().bar, CmdSave)));
}

TEST_F(GameWindowCommands, LanguageToggleTurnsTheUndoTooltipFromFrenchToEnglish) {
    HWND undo = commandBarControl(game().bar, CmdUndo);
    ASSERT_NE(undo, nullptr);
    RECT r;
    GetWindowRect(undo, &r);
    auto hoverUndo = [&](int dx) {
        SetCursorPos(r.left + 3 + dx, r.top + 3);
        SendMessageW(mainWindow(), WM_SETCURSOR, reinterpret_cast<WPARAM>(mainWindow()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        pumpMessages();
    };
    auto tooltipText = [&] {
        wchar_t text[64] = {};
        HWND label = tooltipLabel(game().tooltipWindows);
        if (label) GetWindowTextW(label, text, 64);
        return std::wstring(text);
    };
    ASSERT_EQ(liveApp().view.language, 0);
    hoverUndo(0);
    ASSERT_EQ(liveSession().tooltips.shownId, CmdUndo);
    EXPECT_EQ(tooltipText(), L"  D\u00E9faire (Ctrl+Z)  ");

    sendCommand(CmdLanguage);
    EXPECT_EQ(liveApp().view.language, 1);
    ASSERT_FALSE(fakeWorld.boxes.empty());
    EXPECT_EQ(fakeWorld.boxes.back().text, TextString("English"));
    hoverUndo(1);
    EXPECT_EQ(tooltipText(), L"  Undo (Ctrl+Z)  ");

    sendCommand(CmdLanguage);
    hoverUndo(2);
    EXPECT_EQ(tooltipText(), L"  D\u00E9faire (Ctrl+Z)  ");
}

TEST_F(GameWindowCommands, SaveWritesTheSettingsFileThatARestartReadsBack) {
    int16_t a = 0, da = 0;
    ASSERT_TRUE(findPlacement(0, a, da));
    placeAt(a, da);
    sendCommand(CmdBigger);
    sendCommand(CmdLanguage);
    fakeWorld.answers = {AnswerNo};
    sendCommand(CmdSave);
    EXPECT_EQ(GetFileAttributesW(settingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES) << "No writes nothing";
    sendCommand(CmdSave);
    ASSERT_NE(GetFileAttributesW(settingsFilePath().c_str()), INVALID_FILE_ATTRIBUTES);
    const TextString state = boardState();

    restartGame();
    EXPECT_EQ(liveApp().game.gridNumber, 1);
    EXPECT_EQ(liveApp().view.scale, 50);
    EXPECT_EQ(liveApp().view.language, 1);
    EXPECT_EQ(boardState(), state);
    EXPECT_EQ(cellValue(board(), a), da);
    EXPECT_EQ(moveCount(liveApp().game.undoHistory), 0);
}

// ------------------------------------------------------------------ play

using GameWindowPlay = GameWindowTest;

TEST_F(GameWindowPlay, WholeGameOfGridOneEndsInTheWinAndASavedSolvedState) {
    Grid& g = board();
    int toPlay = 0;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (isCellFixed(g, i)) continue;
        ASSERT_GE(g.cells[i].solution, 1) << "cell " << i << " has no solution value";
        ++toPlay;
    }
    ASSERT_GT(toPlay, 0);
    int played = 0;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (isCellFixed(g, i)) continue;
        fakeWorld.beepFrequencies.clear();
        placeAt(i, g.cells[i].solution);
        ASSERT_EQ(cellValue(g, i), g.cells[i].solution) << "cell " << g.cellNames.str(i);
        if (++played < toPlay) {
            ASSERT_TRUE(fakeWorld.boxes.empty()) << "no announcement before the last cell";
            ASSERT_TRUE(fakeWorld.beepFrequencies.empty());
        }
    }
    ASSERT_TRUE(pumpUntil([] { return fakeWorld.boxes.size() >= 2; }));
    pumpUntil(paintSettled);
    ASSERT_EQ(fakeWorld.boxes.size(), 2u);
    EXPECT_EQ(fakeWorld.boxes[0].text, composeMessage(MessageWin, 0, 1));
    EXPECT_EQ(fakeWorld.boxes[1].text, composeMessage(MessageSaveAfterWin, 0));
    EXPECT_TRUE(hasBeeps(fakeWorld.beepFrequencies, {800, 1200, 1600}));
    EXPECT_EQ(liveApp().game.winPending, 0);
    EXPECT_EQ(moveCount(liveApp().game.undoHistory), toPlay);
    const TextString solved = boardState();

    fakeWorld.boxes.clear();
    restartGame();
    EXPECT_EQ(boardState(), solved);
    for (int16_t i = 1; i <= board().cellCount; ++i) EXPECT_EQ(cellValue(board(), i), board().cells[i].solution);
    EXPECT_TRUE(fakeWorld.boxes.empty()) << "a solved grid read back announces nothing: "
                                         << (fakeWorld.boxes.empty() ? "" : fakeWorld.boxes[0].text.s);
}

/*
 * The keyboard on the real window: the cursor shows at the first arrow as a
 * black outline inside its cell, Space places, Shift and a digit toggle a
 * note, Ctrl+Z undoes; and a key that reaches the window while a box of the
 * game is open, or repeats one pressed in the box, does nothing.
 */
TEST_F(GameWindowPlay, KeysPlayOnTheWindowAndKeysOfABoxStayInTheBox) {
    Grid& g = board();
    const int16_t cell = firstEmptyCell(g);
    const POINT c = cellClientPoint(cell);
    ClientShot before;
    shootClient(before);
    EXPECT_FALSE(before.hasNear(c.x, c.y, g.cellSize / 3, g.cellSize / 3, RGB(0, 0, 0))) << "no cursor yet";
    pressKey(VK_RIGHT);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(liveApp().game.cursorCell, cell);
    ClientShot shown;
    shootClient(shown);
    EXPECT_TRUE(shown.hasNear(c.x, c.y, g.cellSize / 3, g.cellSize / 3, RGB(0, 0, 0))) << "the cursor's outline";

    const int16_t digit = g.cells[cell].solution;
    ASSERT_GE(digit, 1);
    pressKey('0' + digit);
    pressKey(VK_SPACE);
    EXPECT_EQ(cellValue(g, cell), digit);
    pressKey('Z', false, true);
    EXPECT_EQ(cellValue(g, cell), 0);
    pressKey('0' + digit, true);
    EXPECT_EQ(cellNotes(g, cell), valueBit(digit));
    EXPECT_EQ(liveApp().game.selectedDigit, digit);

    // A key sent to the window while the information box is open, and the repetition of one held in it.
    fakeWorld.duringBox = [](const BoxRequest&) {
        SendMessageW(mainWindow(), WM_KEYDOWN, '3', 1);
        SendMessageW(mainWindow(), WM_KEYDOWN, VK_DELETE, 1);
    };
    fakeWorld.answers = {AnswerCancel};
    sendCommand(CmdInformation);
    fakeWorld.duringBox = nullptr;
    SendMessageW(mainWindow(), WM_KEYDOWN, '5', static_cast<LPARAM>(0x40000001));  // held since the box
    pumpMessages();
    EXPECT_EQ(liveApp().game.selectedDigit, digit);
    EXPECT_EQ(cellNotes(g, cell), valueBit(digit));
}

// How many pixels of a colour the client area shows.
int pixelsOfColour(const ClientShot& shot, COLORREF colour) {
    int n = 0;
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) n += shot.at(x, y) == colour;
    return n;
}

/*
 * While the hint's box is open, the board already shows what the text names:
 * the outline of its cell and a ring in the witnesses' orange around each cell
 * whose digit the reason names. The next click on the grid takes them away.
 */
TEST_F(GameWindowPlay, TheHintsMarksShowWhileItsBoxIsOpenUntilTheNextClick) {
    Grid& g = board();
    const Hint hint = hintForGrid(g);
    ASSERT_EQ(hint.kind, HintKind::Placement);
    ASSERT_FALSE(hint.witnesses.empty());
    int outline = 0, witnesses = 0;
    fakeWorld.duringBox = [&](const BoxRequest&) {
        ClientShot shot;
        shootClient(shot);
        outline = pixelsOfColour(shot, kHintOutlineColour);
        witnesses = pixelsOfColour(shot, kWitnessColour);
    };
    sendCommand(CmdHint);
    fakeWorld.duringBox = nullptr;
    ASSERT_EQ(fakeWorld.boxes.size(), 1u);
    EXPECT_GT(outline, 20);
    EXPECT_GT(witnesses, 20 * static_cast<int>(hint.witnesses.size()));
    ASSERT_TRUE(pumpUntil(paintSettled));

    // A click on a cell that holds a given changes no digit but is a click on the grid.
    int16_t given = 0;
    for (int16_t i = 1; i <= g.cellCount && !given; ++i)
        if (isCellFixed(g, i)) given = i;
    leftClickCell(given);
    ASSERT_TRUE(pumpUntil(paintSettled));
    ClientShot after;
    shootClient(after);
    EXPECT_EQ(pixelsOfColour(after, kWitnessColour), 0);
    EXPECT_EQ(pixelsOfColour(after, kHintOutlineColour), 0);
}

TEST_F(GameWindowPlay, RefusedPlacementBeepsTwiceAndChangesNothing) {
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(findRefusal(cell, digit));
    chooseDigit(digit);
    const TextString state = boardState();
    fakeWorld.beepFrequencies.clear();
    leftClickCell(cell);
    EXPECT_TRUE(hasBeeps(fakeWorld.beepFrequencies, {800, 1200}));
    EXPECT_EQ(boardState(), state);
    EXPECT_EQ(moveCount(liveApp().game.undoHistory), 0);
}

TEST_F(GameWindowPlay, RightClickPutsSixNotesIntoAnEmptyCell) {
    int16_t cell = 0, digit = 0;
    ASSERT_TRUE(findPlacement(0, cell, digit));
    ASSERT_EQ(cellNotes(board(), cell), 0);
    const int32_t passes = game().paint.backgroundPasses;
    POINT c = cellClientPoint(cell);
    rightClick(c.x, c.y);
    ASSERT_TRUE(pumpUntil(paintSettled));
    EXPECT_EQ(cellNotes(board(), cell), kAllDigits);
    EXPECT_EQ(liveApp().game.currentCell, cell);
    EXPECT_EQ(game().paint.backgroundPasses, passes);
    ClientShot shot;
    shootClient(shot);
    bool noteInk = false;
    for (int16_t d = 1; d <= 6; ++d) {
        ShapePoint n = clientPointOfGrid(liveSession().layout, notePosition(board(), cell, d));
        noteInk = noteInk || shot.hasNear(n.x, n.y, 6, 6, RGB(0, 0, 255));
    }
    EXPECT_TRUE(noteInk) << "the notes are drawn";
}

TEST_F(GameWindowPlay, UndoAndRedoAcrossAPlacementAndAnErasure) {
    int16_t a = 0, da = 0, b = 0, db = 0;
    ASSERT_TRUE(findPlacement(0, a, da));
    placeAt(a, da);
    ASSERT_TRUE(findPlacement(a, b, db));
    placeAt(b, db);
    fakeWorld.beepFrequencies.clear();
    chooseDigit(0);
    leftClickCell(a);  // erases a
    EXPECT_TRUE(hasBeeps(fakeWorld.beepFrequencies, {250, 200, 150}));
    ASSERT_EQ(cellValue(board(), a), 0);
    ASSERT_EQ(moveCount(liveApp().game.undoHistory), 3);

    sendCommand(CmdUndo);
    EXPECT_EQ(cellValue(board(), a), da) << "the erasure undone";
    sendCommand(CmdUndo);
    EXPECT_EQ(cellValue(board(), b), 0) << "the placement undone";
    EXPECT_EQ(liveApp().game.undoHistory.cursor, 1);
    sendCommand(CmdRedo);
    EXPECT_EQ(cellValue(board(), b), db);
    sendCommand(CmdRedo);
    EXPECT_EQ(cellValue(board(), a), 0);
    EXPECT_EQ(liveApp().game.undoHistory.cursor, 3);
    sendCommand(CmdRedo);  // nothing left to re-do
    EXPECT_EQ(liveApp().game.undoHistory.cursor, 3);
    ASSERT_TRUE(pumpUntil(paintSettled));
}

}  // namespace

namespace {

// The client area's pixels as the window shows them, row by row (0x00RRGGBB).
std::vector<uint32_t> windowPixels() {
    HWND w = mainWindow();
    RECT client;
    GetClientRect(w, &client);
    HDC windowDC = GetDC(w);
    MemoryDC copy(windowDC);
    OwnedBitmap bitmap = makeCompatibleBitmap(windowDC, client.right, client.bottom);
    {
        GdiSelection selected(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, client.right, client.bottom, windowDC, 0, 0, SRCCOPY);
    }
    std::vector<uint32_t> pixels = bitmapPixels(copy.get(), bitmap.get(), client.right, client.bottom);
    ReleaseDC(w, windowDC);
    // The bar's controls are not the paint's (and the clock field changes on its own): they are left out.
    for (HWND child = GetWindow(w, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r;
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, w, reinterpret_cast<POINT*>(&r), 2);
        for (int y = std::max<int>(r.top, 0); y < std::min<int>(r.bottom, client.bottom); ++y)
            for (int x = std::max<int>(r.left, 0); x < std::min<int>(r.right, client.right); ++x)
                pixels[static_cast<size_t>(y) * client.right + x] = 0xFF000000u;
    }
    return pixels;
}

// How many pixels differ, and the first that does.
int differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b, size_t& first) {
    int n = 0;
    first = a.size();
    for (size_t i = 0; i < a.size() && i < b.size(); ++i)
        if (a[i] != b[i] && n++ == 0) first = i;
    return n + static_cast<int>(a.size() > b.size() ? a.size() - b.size() : b.size() - a.size());
}

}  // namespace

using GameWindowPartialPaint = GameWindowTest;

/*
 * A seeded run of clicks, notes, highlights, digit changes, undos, redos and zooms,
 * and now and then a hint's outline or the link display (six 6s in a row), whose
 * links then take the clicks' partial paints. After each step the window
 * (painted only where something changed) must show exactly what a paint made
 * from scratch shows for the same state: a changed item whose rectangle was
 * forgotten, or an item the box filter skipped wrongly, leaves a pixel behind.
 */
TEST_F(GameWindowPartialPaint, EveryStepShowsWhatAFullRepaintFromScratchShows) {
    std::mt19937 rng(18);
    std::mt19937 extra(26);
    sendCommand(CmdGrid2);
    ASSERT_TRUE(pumpUntil(paintSettled));
    const int steps = 240;
    for (int step = 0; step < steps; ++step) {
        const Grid& g = board();
        const int16_t cell = static_cast<int16_t>(1 + rng() % std::max<int>(1, g.cellCount));
        std::string action;
        switch (rng() % 9) {
        case 0:
        case 1:
        case 2:
            chooseDigit(static_cast<int16_t>(rng() % 7));
            leftClickCell(cell);
            action = "digit in a cell";
            break;
        case 3: {
            const POINT p = cellClientPoint(cell);
            rightClick(p.x, p.y);
            action = "notes";
            break;
        }
        case 4: {
            PixelPoint corner;
            const int16_t index = static_cast<int16_t>(1 + rng() % std::max<int>(1, g.cornerPoints.count()));
            if (!markHexagonPoint(g, index, corner)) continue;
            const ShapePoint p = clientPointOfGrid(liveSession().layout, corner);
            leftClick(p.x, p.y);
            action = "highlight";
            break;
        }
        case 5:
            sendCommand(CmdUndo);
            action = "undo";
            break;
        case 6:
            sendCommand(CmdRedo);
            action = "redo";
            break;
        case 7:
            // A new layout: the shape changes without a redraw, and the whole client area is shown at once.
            sendCommand(rng() % 2 ? CmdBigger : CmdSmaller);
            action = "zoom";
            break;
        default:
            chooseDigit(static_cast<int16_t>(1 + rng() % 6));
            action = "digit chosen";
            break;
        }
        if (step % 8 == 7) {
            if (extra() % 2) {
                sendCommand(CmdHint);
                action += ", then a hint";
            } else {
                for (int k = 0; k < 6; ++k) chooseDigit(6);
                action += ", then the links";
            }
        }
        // The cell cursor: shown, moved, and a digit placed or refused at it.
        switch (extra() % 4) {
        case 0: {
            static const int arrows[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};
            pressKey(arrows[extra() % 4]);
            action += ", an arrow";
            break;
        }
        case 1:
            pressKey(VK_SPACE);
            action += ", Space";
            break;
        default: break;
        }
        ASSERT_TRUE(pumpUntil(paintSettled)) << "step " << step;
        const std::vector<uint32_t> shown = windowPixels();
        // The same state painted from scratch: every bitmap and drawing object made again, the whole client area.
        releasePaintBitmaps(game());
        InvalidateRect(mainWindow(), nullptr, FALSE);
        UpdateWindow(mainWindow());
        ASSERT_TRUE(pumpUntil(paintSettled)) << "step " << step;
        const std::vector<uint32_t> full = windowPixels();
        size_t first = 0;
        const int differing = differences(shown, full, first);
        RECT client;
        GetClientRect(mainWindow(), &client);
        ASSERT_EQ(differing, 0) << "step " << step << " (" << action << "): first at x " << first % client.right
                                << ", y " << first / client.right << ", " << differing << " pixels, shown "
                                << std::hex << (first < shown.size() ? shown[first] : 0) << " instead of "
                                << (first < full.size() ? full[first] : 0) << std::dec;
    }
}
