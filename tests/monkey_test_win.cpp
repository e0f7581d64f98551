// Thousands of random actions on the real main window, with the board, history and GDI objects checked after each.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/play_input.h"
#include "puzzle/state_string.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"
#include "tests/game_session_win.h"
#include "ui/command_bar.h"
#include "ui/messages.h"

namespace {

/*
 * The run is replayable: ORNEL_MONKEY_SEED sets the seed (the one used is
 * printed), ORNEL_MONKEY_ACTIONS the number of actions.
 */
constexpr uint32_t kDefaultSeed = 20250611;
constexpr int kDefaultActions = 10000;
constexpr int kBaselineAction = 100;

uint32_t numberFromEnvironment(const char* name, uint32_t fallback) {
    const char* text = std::getenv(name);
    if (!text || !*text) return fallback;
    return static_cast<uint32_t>(std::strtoul(text, nullptr, 0));
}

struct Monkey {
    std::mt19937 rng;
    int action = 0;
    int restarts = 0;
    int nestedCommands = 0;
    bool insideBox = false;
    std::string lastAction;

    int below(int n) { return static_cast<int>(rng() % static_cast<uint32_t>(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
};

Monkey* monkey = nullptr;

/*
 * Random answers; the close question is mostly answered No, since each Yes
 * costs a restart of the game (a few hundred milliseconds).
 */
BoxAnswer randomAnswer(const BoxRequest& request) {
    const bool closing = request.text == composeMessage(MessageClose, liveApp().view.language);
    switch (request.buttons) {
    case BoxYesNo: return monkey->chance(closing ? 15 : 50) ? AnswerYes : AnswerNo;
    case BoxOkCancel: return monkey->chance(70) ? AnswerOk : AnswerCancel;
    default: return AnswerOk;
    }
}

// Now and then a command arrives while a box is open, as the box's own message loop would deliver it.
void commandWhileBoxOpen(const BoxRequest&) {
    if (monkey->insideBox || !monkey->chance(5) || !mainWindow()) return;
    monkey->insideBox = true;
    ++monkey->nestedCommands;
    PostMessageW(mainWindow(), WM_COMMAND, static_cast<WPARAM>(monkey->between(0, 40)), 0);
    pumpMessages();
    monkey->insideBox = false;
}

/*
 * Every other action leaves its paint to the next one, as a quick player's
 * actions share a paint: the run stays fast and paints still follow actions.
 */
void pumpAllButPaint() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE)) {
        if (msg.message == WM_QUIT || msg.message == WM_PAINT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void mouseMessage(UINT message, WPARAM keys, int x, int y) {
    SendMessageW(mainWindow(), message, keys, clientPoint(x, y));
}

POINT randomCellPoint(Monkey& m) {
    const Grid& g = liveApp().game.grids[0];
    if (g.cellCount < 1) return POINT{m.between(0, 900), m.between(0, 700)};
    return cellClientPoint(static_cast<int16_t>(m.between(1, g.cellCount)));
}

POINT randomPointAround(Monkey& m) {
    RECT client;
    GetClientRect(mainWindow(), &client);
    return POINT{m.between(-30, client.right + 30), m.between(-30, client.bottom + 30)};
}

/*
 * A key from the whole table: digits, Tab, the cell cursor's arrows, Space,
 * Enter, Delete, Backspace, a note with Shift, undo, re-do and save with Ctrl,
 * the zoom, the rules with their page turns and Escape, and a hint. N is left
 * out: a new grid costs more than the rest of a run.
 */
void pressRandomKey(Monkey& m) {
    static const int keys[] = {'0', '1', '2', '3', '4', '5', '6', VK_NUMPAD0, VK_NUMPAD3, VK_NUMPAD6, VK_TAB,
                               VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN, VK_SPACE,
                               VK_RETURN, VK_DELETE, VK_BACK, VK_OEM_PLUS, VK_OEM_MINUS, VK_ADD, VK_SUBTRACT,
                               VK_F1, VK_ESCAPE, 'H', 'Z', 'Y', 'S'};
    const int key = keys[m.below(static_cast<int>(std::size(keys)))];
    const bool ctrl = key == 'Z' || key == 'Y' || key == 'S';
    const bool shift = !ctrl && key >= '1' && key <= '6' && m.below(3) == 0;
    m.lastAction = std::string("key ") + std::to_string(key) + (shift ? " with Shift" : "") + (ctrl ? " with Ctrl" : "");
    pressKey(key, shift, ctrl);
}

void doAction(Monkey& m) {
    const int kind = m.below(100);
    HWND w = mainWindow();
    if (kind < 15) {
        POINT p = randomPointAround(m);
        m.lastAction = "left click " + std::to_string(p.x) + "," + std::to_string(p.y);
        mouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        mouseMessage(WM_LBUTTONUP, 0, p.x, p.y);
    } else if (kind < 35) {
        POINT p = randomCellPoint(m);
        m.lastAction = "left click on a cell " + std::to_string(p.x) + "," + std::to_string(p.y);
        mouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        mouseMessage(WM_LBUTTONUP, 0, p.x, p.y);
    } else if (kind < 40) {
        // A press released elsewhere: drags from corners, presses on a cell released off it.
        POINT p = m.chance(50) ? randomCellPoint(m) : randomPointAround(m);
        POINT q = {p.x + m.between(-60, 60), p.y + m.between(-60, 60)};
        m.lastAction = "drag " + std::to_string(p.x) + "," + std::to_string(p.y) + " to " + std::to_string(q.x) + "," +
                       std::to_string(q.y);
        mouseMessage(WM_LBUTTONDOWN, MK_LBUTTON, p.x, p.y);
        mouseMessage(WM_MOUSEMOVE, MK_LBUTTON, q.x, q.y);
        mouseMessage(WM_LBUTTONUP, 0, q.x, q.y);
    } else if (kind < 50) {
        POINT p = m.chance(75) ? randomCellPoint(m) : randomPointAround(m);
        p.x += m.between(-8, 8);
        p.y += m.between(-8, 8);
        m.lastAction = "right click " + std::to_string(p.x) + "," + std::to_string(p.y);
        mouseMessage(WM_RBUTTONDOWN, MK_RBUTTON, p.x, p.y);
        mouseMessage(WM_RBUTTONUP, 0, p.x, p.y);
    } else if (kind < 55) {
        POINT p = randomPointAround(m);
        m.lastAction = "move " + std::to_string(p.x) + "," + std::to_string(p.y);
        mouseMessage(WM_MOUSEMOVE, 0, p.x, p.y);
        POINT screen = p;
        ClientToScreen(w, &screen);
        SetCursorPos(screen.x, screen.y);
        SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    } else if (kind < 65) {
        pressRandomKey(m);
    } else if (kind < 77) {
        const int id = m.between(0, 40);
        const int code = m.chance(5) ? 1 : 0;
        m.lastAction = "command " + std::to_string(id) + " code " + std::to_string(code);
        SendMessageW(w, WM_COMMAND, MAKEWPARAM(id, code), 0);
    } else if (kind < 85) {
        const int id = m.between(CmdErase, CmdDigit6);
        m.lastAction = "digit command " + std::to_string(id);
        SendMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else if (kind < 91) {
        const int id = m.chance(55) ? CmdUndo : CmdRedo;
        m.lastAction = "history command " + std::to_string(id);
        SendMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else if (kind < 93) {
        const int id = m.between(CmdGrid5, CmdGrid1);
        m.lastAction = "grid command " + std::to_string(id);
        SendMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else if (kind < 94) {
        m.lastAction = "language there and back";
        SendMessageW(w, WM_COMMAND, CmdLanguage, 0);
        pumpMessages();
        if (mainWindow()) SendMessageW(mainWindow(), WM_COMMAND, CmdLanguage, 0);
    } else if (kind < 95) {
        // The rules round trip resizes the window twice: the slowest action, so the rarest.
        m.lastAction = "rules there and back";
        SendMessageW(w, WM_COMMAND, CmdRules, 0);
        pumpMessages();
        for (int turns = m.below(4); turns > 0 && mainWindow(); --turns)
            SendMessageW(mainWindow(), WM_COMMAND, m.chance(60) ? CmdNextPage : CmdPreviousPage, 0);
        pumpMessages();
        if (mainWindow()) SendMessageW(mainWindow(), WM_COMMAND, CmdReturnToGrid, 0);
    } else if (kind < 98) {
        m.lastAction = "clock tick";
        SendMessageW(w, WM_TIMER, kChronoTimer, 0);
    } else if (kind < 99) {
        const int id = m.chance(50) ? CmdBigger : CmdSmaller;
        m.lastAction = "scale command " + std::to_string(id);
        SendMessageW(w, WM_COMMAND, static_cast<WPARAM>(id), 0);
    } else {
        m.lastAction = "close";
        SendMessageW(w, WM_CLOSE, 0, 0);
    }
    if (m.action % 2 == 1) {
        pumpMessages();
    } else {
        pumpAllButPaint();
    }
}

// No two touching cells hold the same digit.
::testing::AssertionResult touchingCellsDiffer(const Grid& g) {
    if (!g.peersComputed) return ::testing::AssertionSuccess();
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const int16_t v = g.cells[static_cast<size_t>(i)].value;
        if (v == 0) continue;
        for (int16_t p : g.peerTable[static_cast<size_t>(i)].peers) {
            if (p >= 1 && p <= g.cellCount && g.cells[static_cast<size_t>(p)].value == v)
                return ::testing::AssertionFailure() << "cells " << g.cellNames.str(i) << " and " << g.cellNames.str(p)
                                                     << " both hold " << v;
        }
    }
    return ::testing::AssertionSuccess();
}

// The state string, read into a copy of the grid cleared of play, gives back the same board.
::testing::AssertionResult stateStringReadsBack(const Grid& g) {
    if (!g.cellsComputed || g.cellCount < 1) return ::testing::AssertionSuccess();
    const TextString state = writeStateString(g);
    Grid copy = g;
    clearEnteredValues(copy);
    clearAllNotes(copy);
    TextList moves;
    const bool read = readStateString(copy, state, moves);
    if (!read) return ::testing::AssertionFailure() << "state not readable: " << state.s;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const Cell& a = g.cells[static_cast<size_t>(i)];
        const Cell& b = copy.cells[static_cast<size_t>(i)];
        if (a.value != b.value || (a.value == 0 && a.notes != b.notes))
            return ::testing::AssertionFailure() << "cell " << g.cellNames.str(i) << " reads back as " << b.value << "/"
                                                 << b.notes << " instead of " << a.value << "/" << a.notes;
    }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult invariantsHold() {
    const UndoHistory& h = liveApp().game.undoHistory;
    if (h.cursor < 0 || h.cursor > moveCount(h))
        return ::testing::AssertionFailure() << "history cursor " << h.cursor << " of " << moveCount(h);
    if (liveSession().commands.commandDepth != 0)
        return ::testing::AssertionFailure() << "command depth " << liveSession().commands.commandDepth;
    if (liveApp().busyDepth != 0) return ::testing::AssertionFailure() << "busy depth " << liveApp().busyDepth;
    const Grid& g = liveApp().game.grids[0];
    const int16_t cursor = liveApp().game.cursorCell;
    if (cursor != 0 && !isValidCell(g, cursor)) return ::testing::AssertionFailure() << "cell cursor on " << cursor;
    ::testing::AssertionResult touching = touchingCellsDiffer(g);
    if (!touching) return touching;
    return stateStringReadsBack(g);
}

/*
 * The paint keeps the pens, brushes and fonts of the current layout; how many
 * depends on what has been drawn, so the leak counts leave them out.
 */
long keptByThePaint() {
    return mainWindow() ? keptObjectCount(game().paint.objects) : 0;
}

long ownObjectsBeyondKept() {
    return gdiLiveObjects() - keptByThePaint();
}

long guiObjects() {
    return static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) - keptByThePaint();
}

using MonkeyTest = GameWindowTest;

TEST_F(MonkeyTest, RandomActionsKeepTheBoardTheHistoryAndTheGdiObjectsSound) {
    Monkey m;
    const uint32_t seed = numberFromEnvironment("ORNEL_MONKEY_SEED", kDefaultSeed);
    const int actions = static_cast<int>(numberFromEnvironment("ORNEL_MONKEY_ACTIONS", kDefaultActions));
    m.rng.seed(seed);
    monkey = &m;
    std::printf("[ monkey   ] seed %u, %d actions (ORNEL_MONKEY_SEED / ORNEL_MONKEY_ACTIONS replay)\n", seed, actions);
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));
    fakeWorld.policy = randomAnswer;
    fakeWorld.duringBox = commandWhileBoxOpen;

    // Pictures of the rules pages are loaded once and kept for the program's life: load them before counting.
    sendCommand(CmdRules);
    for (int page = 1; page < 9; ++page) {
        pumpUntil(paintSettled);
        sendCommand(CmdNextPage);
    }
    pumpUntil(paintSettled);
    sendCommand(CmdReturnToGrid);
    pumpUntil(paintSettled);

    const DWORD start = GetTickCount();
    long baselineOwn = 0, baselineGui = 0;
    for (m.action = 0; m.action < actions; ++m.action) {
        fakeWorld.boxes.clear();
        fakeWorld.beepFrequencies.clear();
        doAction(m);
        if (!mainWindow()) {
            // Closed (the close question answered Yes): start again on the saved settings, as a player would.
            ++m.restarts;
            endGame();
            ASSERT_TRUE(startGame()) << "restart after action " << m.action;
            fakeWorld.policy = randomAnswer;
            fakeWorld.duringBox = commandWhileBoxOpen;
        } else if (IsIconic(mainWindow())) {
            ShowWindow(mainWindow(), SW_RESTORE);
            pumpMessages();
        }
        ASSERT_TRUE(invariantsHold()) << "after action " << m.action << " (" << m.lastAction << "), seed " << seed;
        if (m.action + 1 == kBaselineAction) {
            pumpUntil(paintSettled, 1000);
            baselineOwn = ownObjectsBeyondKept();
            baselineGui = guiObjects();
        }
    }
    pumpUntil(paintSettled, 1000);
    const DWORD elapsed = GetTickCount() - start;
    std::printf("[ monkey   ] %d actions in %lu ms, %d restarts, %d commands while a box was open\n", actions,
                static_cast<unsigned long>(elapsed), m.restarts, m.nestedCommands);
    if (actions > kBaselineAction) {
        EXPECT_EQ(ownObjectsBeyondKept(), baselineOwn) << "GDI objects of the program's holders, seed " << seed;
        if (baselineGui > 0) {
            EXPECT_EQ(guiObjects(), baselineGui) << "GDI objects of the process, seed " << seed;
        }
    }
    monkey = nullptr;
}

}  // namespace
