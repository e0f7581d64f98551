// A whole game of grid 1 played through session events only, from start-up to the saved win.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/paint_damage.h"
#include "app/session.h"
#include "content/clocks.h"
#include "puzzle/candidates.h"
#include "puzzle/state_string.h"
#include "tests/test_support.h"
#include "ui/messages.h"
#include "app/app_settings.h"

namespace fs = std::filesystem;

namespace {

Event at(EventKind kind, ShapePoint p) {
    Event e;
    e.kind = kind;
    e.x = p.x;
    e.y = p.y;
    return e;
}

Event commandEvent(int16_t id) {
    Event e;
    e.kind = EventKind::Command;
    e.command = id;
    return e;
}

// A press and a release at one client point, with the work after each message.
Effects click(Session& s, ShapePoint p) {
    Effects fx = handle(s, at(EventKind::PointerPressed, p));
    finishMessage(s, true, false, KeyboardState());
    mergeAll(fx, handle(s, at(EventKind::PointerReleased, p)));
    mergeAll(fx, finishMessage(s, true, false, KeyboardState()));
    return fx;
}

ShapePoint cellPoint(const Session& s, int16_t cell) {
    return clientPointOfGrid(s.layout, cellCentre(s.app.grids[0], cell));
}

// No two touching cells hold one digit.
bool boardKeepsTheRule(const Grid& g) {
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        const int16_t v = cellValue(g, i);
        if (v == 0) continue;
        for (int16_t p : g.peerTable[i].peers)
            if (p > 0 && p != i && cellValue(g, p) == v) return false;
    }
    return true;
}

}  // namespace

TEST(SessionGame, GridOneIsPlayedByClicksToASavedWinAnnouncedOnce) {
    const fs::path dir = freshTempDir("ornel_session_");
    std::vector<BoxRequest> boxes;
    std::vector<std::pair<int, int>> beeps;
    Session s;
    s.feedback.ask = [&](const BoxRequest& r) {
        boxes.push_back(r);
        return r.buttons == BoxYesNo ? AnswerYes : AnswerOk;  // Yes to the save offered after the win
    };
    s.feedback.beep = [&](int16_t f, int16_t d) { beeps.emplace_back(f, d); };

    // Start-up without a settings file, on a 1024 x 768 screen with Wine's frame, measured at 96 dpi.
    beginSession(s, 1024, 768);
    s.app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
    s.app.frameX = 3;
    s.app.frameY = 22;
    EXPECT_EQ(s.app.gridNumber, 1);
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
    setMeasureResolution(s, 96, 96);
    ASSERT_EQ(layOutIfNeeded(s).layoutChanged, 1);
    EXPECT_EQ(layOutIfNeeded(s).layoutChanged, 0);  // laid out once, until something it reads changes
    Grid& g = s.app.grids[0];
    ASSERT_EQ(s.app.screenMode, ScreenPlay);
    ASSERT_EQ(g.gridCode.s, gridCodeOfNumber(1).s);
    EXPECT_TRUE(boxes.empty());

    // A digit a touching cell holds is refused with two short beeps, and the board stays as it was.
    int16_t refusedCell = 0, refusedDigit = 0;
    for (int16_t i = 1; i <= g.cellCount && refusedCell == 0; ++i) {
        if (cellValue(g, i) != 0) continue;
        for (int16_t p : g.peerTable[i].peers)
            if (p > 0 && cellValue(g, p) > 0) {
                refusedCell = i;
                refusedDigit = cellValue(g, p);
                break;
            }
    }
    ASSERT_NE(refusedCell, 0);
    const std::string before = writeStateString(g).s;
    handle(s, commandEvent(static_cast<int16_t>(CmdErase + refusedDigit)));
    Effects fx = click(s, cellPoint(s, refusedCell));
    EXPECT_EQ(fx.signal, PlayFeedback::Refused);
    EXPECT_EQ(fx.repaint, 1);  // the clicked cell becomes current
    playSignal(s.feedback, fx.signal);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 5}, {1200, 5}}));
    EXPECT_EQ(writeStateString(g).s, before);
    beeps.clear();

    // Every empty cell gets its solution: the digit chosen by command, the cell clicked where the layout puts it.
    int placed = 0;
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        if (cellValue(g, i) != 0) continue;
        const int16_t digit = cellAt(g, i)->solution;
        ASSERT_GE(digit, 1) << "cell " << i;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + digit)));
        fx = click(s, cellPoint(s, i));
        ASSERT_EQ(fx.signal, PlayFeedback::None) << "cell " << i;
        ASSERT_EQ(cellValue(g, i), digit) << "cell " << i;
        EXPECT_EQ(fx.cursor, digit);
        ++placed;
        // Nothing is announced before the last cell, whatever is painted meanwhile.
        if (!isGridFull(g)) {
            EXPECT_EQ(handle(s, Event{EventKind::Painted}).winAnnounced, 0);
        }
    }
    EXPECT_GT(placed, 3);
    EXPECT_TRUE(isGridFull(g));
    EXPECT_TRUE(boardKeepsTheRule(g));
    EXPECT_EQ(s.app.undoHistory.entries.count(), placed);  // one entry per placement
    EXPECT_TRUE(beeps.empty());
    EXPECT_TRUE(boxes.empty());

    // The paint that shows the full grid announces the win, once; the next paints do not.
    EXPECT_EQ(handle(s, Event{EventKind::Painted}).winAnnounced, 1);
    EXPECT_EQ(handle(s, Event{EventKind::Painted}).winAnnounced, 0);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text.s, composeMessage(MessageWin, 0, 1).s);
    EXPECT_EQ(boxes[1].text.s, composeMessage(MessageSaveAfterWin, 0).s);
    EXPECT_EQ(beeps, (std::vector<std::pair<int, int>>{{800, 80}, {1200, 35}, {1600, 35}}));
    EXPECT_EQ(s.app.clocks.stopwatches[1].running, 0);

    // The settings file written by the Yes holds the solved board.
    AppState next;
    next.settingsPath = s.app.settingsPath;
    ASSERT_EQ(loadSettings(next), SettingsLoaded);
    EXPECT_EQ(next.gridNumber, 1);
    EXPECT_EQ(gridStateOf(next, 1).s, writeStateString(g).s);

    std::error_code ignored;
    fs::remove_all(dir, ignored);
}

TEST(SessionPaint, AClickDamagesItsCellAndANewLayoutEverything) {
    const fs::path dir = freshTempDir("ornel_damage_");
    Session s;
    s.feedback.ask = [](const BoxRequest&) { return AnswerOk; };
    beginSession(s, 1024, 768);
    s.app.settingsPath.assign((dir / "ORNEL 162.TXT").string());
    s.app.frameX = 3;
    s.app.frameY = 22;
    openGame(s);
    s.app.controlsAllowed = s.app.showAllowed = s.app.paintEnabled = 1;
    setMeasureResolution(s, 96, 96);
    layOutIfNeeded(s);
    Grid& g = s.app.grids[0];
    // A first complete paint: from then on only what changes is damaged.
    EXPECT_EQ(pendingDamage(s).all, 1);
    notePainted(s.paintCache, planPaint(s.paintCache, s.paintCache.width, s.paintCache.height));
    notePictureShown(s);
    EXPECT_EQ(pendingDamage(s).all, 0);
    EXPECT_TRUE(pendingDamage(s).boxes.empty());

    int checked = 0;
    for (int16_t i = 1; i <= g.cellCount && checked < 5; ++i) {
        if (cellValue(g, i) != 0) continue;
        handle(s, commandEvent(static_cast<int16_t>(CmdErase + cellAt(g, i)->solution)));
        click(s, cellPoint(s, i));
        ASSERT_NE(cellValue(g, i), 0);
        const Damage d = pendingDamage(s);
        ASSERT_EQ(d.all, 0) << "cell " << i;
        // The placed digit's cell is covered (peers' notes may change too), and nothing far from a cell is.
        const ClientBox want = cellBox(s, i);
        bool covered = false;
        for (const ClientBox& b : d.boxes) {
            covered |= b.left <= want.left && b.top <= want.top && b.right >= want.right && b.bottom >= want.bottom;
            EXPECT_LE(b.right - b.left, 3 * g.cellSize) << "cell " << i;
        }
        EXPECT_TRUE(covered) << "cell " << i;
        notePictureShown(s);
        EXPECT_TRUE(pendingDamage(s).boxes.empty());
        ++checked;
    }
    EXPECT_EQ(checked, 5);

    // A zoom lays the window out again: everything is painted.
    const int16_t scale = s.app.scale;
    handle(s, commandEvent(CmdBigger));
    finishMessage(s, true, false, KeyboardState());
    ASSERT_NE(s.app.scale, scale);
    EXPECT_EQ(pendingDamage(s).all, 1);

    std::error_code ignored;
    fs::remove_all(dir, ignored);
}
