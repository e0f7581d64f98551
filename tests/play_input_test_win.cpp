// Tests of the Windows play input: cursors made and destroyed, the cursor set only on change, the burst.
#include <gtest/gtest.h>

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

class PlayInputWin : public ::testing::Test {
protected:
    CursorSet cursors;
    Session session;
    AppState& app = session.app;

    void SetUp() override { app.view.screenMode = ScreenMode::Play; }
    void TearDown() override { destroyCursors(cursors); }
};

}  // namespace

TEST_F(PlayInputWin, CursorsAreMadeAndDestroyed) {
    ASSERT_TRUE(createCursors(cursors, GetModuleHandleW(nullptr), kReferenceDpi));
    for (int16_t n : {0, 1, 2, 3, 4, 5, 6, 9, 10}) EXPECT_NE(cursorHandle(cursors, n), nullptr) << n;
    EXPECT_NE(cursorHandle(cursors, kCursorHourglass), nullptr);
    EXPECT_NE(cursorHandle(cursors, kCursorArrow), nullptr);
    EXPECT_NE(cursorHandle(cursors, 0), cursorHandle(cursors, 1));
    EXPECT_EQ(destroyCursors(cursors), 9);
    for (int16_t n : {0, 1, 6, 9, 10}) EXPECT_EQ(cursorHandle(cursors, n), nullptr) << n;
    EXPECT_EQ(destroyCursors(cursors), 0);  // a second call finds nothing
}

TEST_F(PlayInputWin, TheCursorIsSetOnlyOnChangeUnlessForced) {
    createCursors(cursors, GetModuleHandleW(nullptr), kReferenceDpi);
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

TEST_F(PlayInputWin, AnErasureSoundsWithTheBurstCursorThenTheCursorFollowsTheDigit) {
    MainWindow win;
    createCursors(win.cursors, GetModuleHandleW(nullptr), kReferenceDpi);
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
