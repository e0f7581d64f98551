// Tests of the Windows play input: cursors made and destroyed, the cursor set only on change, keys read, the burst.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include <windows.h>

#include "app/app_state.h"
#include "app/play_input.h"
#include "app/main_window_win.h"
#include "app/effects_win.h"
#include "app/play_input_win.h"
#include "app/session.h"
#include "ui/feedback.h"

namespace {

std::set<int> keysDown;
std::vector<int> keysQueried;

bool fakeKeyState(int virtualKey) {
    keysQueried.push_back(virtualKey);
    return keysDown.count(virtualKey) != 0;
}

class PlayInputWin : public ::testing::Test {
protected:
    CursorSet cursors;
    Session session;
    AppState& app = session.app;

    void SetUp() override {
        keysDown.clear();
        keysQueried.clear();
        app.view.screenMode = ScreenMode::Play;
    }
    void TearDown() override { destroyCursors(cursors); }

    // The keys read once, as after every message of the main window.
    bool poll() { return finishMessage(session, true, false, readKeyboard(fakeKeyState)).cursor >= 0; }
};

}  // namespace

TEST_F(PlayInputWin, CursorsAreMadeAndDestroyed) {
    ASSERT_TRUE(createCursors(cursors, GetModuleHandleW(nullptr)));
    for (int16_t n : {0, 1, 2, 3, 4, 5, 6, 9, 10}) EXPECT_NE(cursorHandle(cursors, n), nullptr) << n;
    EXPECT_NE(cursorHandle(cursors, kCursorHourglass), nullptr);
    EXPECT_NE(cursorHandle(cursors, kCursorArrow), nullptr);
    EXPECT_NE(cursorHandle(cursors, 0), cursorHandle(cursors, 1));
    EXPECT_EQ(destroyCursors(cursors), 9);
    for (int16_t n : {0, 1, 6, 9, 10}) EXPECT_EQ(cursorHandle(cursors, n), nullptr) << n;
    EXPECT_EQ(destroyCursors(cursors), 0);  // a second call finds nothing
}

TEST_F(PlayInputWin, TheCursorIsSetOnlyOnChangeUnlessForced) {
    createCursors(cursors, GetModuleHandleW(nullptr));
    app.game.selectedDigit = 3;
    EXPECT_TRUE(showCursor(cursors, chooseCursor(app, session.input), false));
    EXPECT_EQ(cursors.last, 3);
    EXPECT_FALSE(showCursor(cursors, chooseCursor(app, session.input), false));
    EXPECT_TRUE(showCursor(cursors, chooseCursor(app, session.input), true));
    app.busyDepth = 1;
    EXPECT_TRUE(showCursor(cursors, chooseCursor(app, session.input), false));
    EXPECT_EQ(cursors.last, kCursorHourglass);
    // Without the drawn cursors the choice still sets a visible system cursor.
    destroyCursors(cursors);
    app.busyDepth = 0;
    EXPECT_TRUE(showCursor(cursors, chooseCursor(app, session.input), false));
    EXPECT_NE(GetCursor(), nullptr);
}

TEST_F(PlayInputWin, PollingReadsEveryDigitKeyTabNAndHAndSelects) {
    app.game.selectedDigit = 1;
    keysDown = {VK_NUMPAD5, '3'};
    EXPECT_TRUE(poll());
    EXPECT_EQ(app.game.selectedDigit, 3);  // the main keyboard first
    EXPECT_EQ(keysQueried.size(), 17u);  // '0'..'6', keypad 0..6, Tab, N, H: all read each time
    EXPECT_EQ(keysQueried[15], 'N');
    EXPECT_EQ(keysQueried[16], 'H');
    keysDown = {'N', 'H'};
    const KeyboardState keys = readKeyboard(fakeKeyState);
    EXPECT_TRUE(keys.newGrid);
    EXPECT_TRUE(keys.hint);
    keysDown = {VK_NUMPAD5, '3'};
    EXPECT_FALSE(poll());  // no change, no redraw
    keysDown = {VK_NUMPAD5};
    poll();
    EXPECT_EQ(app.game.selectedDigit, 5);
    keysDown = {VK_TAB};
    poll();
    poll();
    EXPECT_EQ(app.game.selectedDigit, 1);  // 6 wraps to 1
    keysDown = {'6'};
    for (int k = 0; k < 6; ++k) poll();
    EXPECT_TRUE(session.input.linkDisplay);  // holding 6 through six polls
}

TEST_F(PlayInputWin, AnErasureSoundsWithTheBurstCursorThenTheCursorFollowsTheDigit) {
    MainWindow win;
    createCursors(win.cursors, GetModuleHandleW(nullptr));
    std::vector<int> tones;
    std::vector<int16_t> cursorsDuringTones;
    win.session.feedback.beep = [&](int16_t frequency, int16_t) {
        tones.push_back(frequency);
        cursorsDuringTones.push_back(win.cursors.last);
    };
    win.session.app.game.selectedDigit = 0;
    Effects fx;
    fx.signal = PlayFeedback::Erased;
    fx.signalCursor = kCursorBurst;
    fx.cursor = chooseCursor(win.session.app, win.session.input);
    applyEffects(win, fx);
    EXPECT_EQ(tones, (std::vector<int>{250, 200, 150}));
    EXPECT_EQ(cursorsDuringTones, (std::vector<int16_t>{kCursorBurst, kCursorBurst, kCursorBurst}));
    EXPECT_EQ(win.cursors.last, 0);  // back to the eraser after the burst
    destroyCursors(win.cursors);
}
