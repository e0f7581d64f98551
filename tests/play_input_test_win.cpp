// Tests of the Windows play input: cursors made and destroyed, the cursor set only on change, keys polled.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include <windows.h>

#include "app/app_state.h"
#include "app/play_input.h"
#include "app/play_input_win.h"
#include "ui/feedback.h"

namespace {

std::set<int> keysDown;
std::vector<int> keysQueried;

bool fakeKeyState(int virtualKey) {
    keysQueried.push_back(virtualKey);
    return keysDown.count(virtualKey) != 0;
}

std::vector<int> tonesPlayed;

void fakeBeep(int16_t frequency, int16_t) {
    tonesPlayed.push_back(frequency);
    // The burst cursor is on while the erasure sounds.
    if (frequency == 250) {
        EXPECT_EQ(playInput.eraseAnimation, 1);
    }
}

class PlayInputWin : public ::testing::Test {
protected:
    AppState app;

    void SetUp() override {
        resetPlayInput(playInput);
        keysDown.clear();
        keysQueried.clear();
        tonesPlayed.clear();
        setKeyStateFunction(fakeKeyState);
        setBeepFunction(fakeBeep);
        app.screenMode = ScreenPlay;
    }
    void TearDown() override {
        destroyCursors();
        setKeyStateFunction(nullptr);
        setBeepFunction(nullptr);
        resetPlayInput(playInput);
    }
};

}  // namespace

TEST_F(PlayInputWin, CursorsAreMadeAndDestroyed) {
    ASSERT_TRUE(createCursors(GetModuleHandleW(nullptr)));
    for (int16_t n : {0, 1, 2, 3, 4, 5, 6, 9, 10}) EXPECT_NE(cursorHandle(n), nullptr) << n;
    EXPECT_NE(cursorHandle(kCursorHourglass), nullptr);
    EXPECT_NE(cursorHandle(kCursorArrow), nullptr);
    EXPECT_NE(cursorHandle(0), cursorHandle(1));
    EXPECT_EQ(destroyCursors(), 9);
    for (int16_t n : {0, 1, 6, 9, 10}) EXPECT_EQ(cursorHandle(n), nullptr) << n;
    EXPECT_EQ(destroyCursors(), 0);  // a second call finds nothing
}

TEST_F(PlayInputWin, TheCursorIsSetOnlyOnChangeUnlessForced) {
    createCursors(GetModuleHandleW(nullptr));
    app.selectedDigit = 3;
    EXPECT_TRUE(setCursorByRule(app, false));
    EXPECT_EQ(playInput.lastCursor, 3);
    EXPECT_FALSE(setCursorByRule(app, false));
    EXPECT_TRUE(setCursorByRule(app, true));
    app.busyDepth = 1;
    EXPECT_TRUE(setCursorByRule(app, false));
    EXPECT_EQ(playInput.lastCursor, kCursorHourglass);
    // Without the drawn cursors the choice still sets a visible system cursor.
    destroyCursors();
    app.busyDepth = 0;
    EXPECT_TRUE(setCursorByRule(app, false));
    EXPECT_NE(GetCursor(), nullptr);
}

TEST_F(PlayInputWin, PollingReadsEveryDigitKeyAndTabAndSelects) {
    app.selectedDigit = 1;
    keysDown = {VK_NUMPAD5, '3'};
    EXPECT_TRUE(pollKeyboard(app));
    EXPECT_EQ(app.selectedDigit, 3);  // the main keyboard first
    EXPECT_EQ(keysQueried.size(), 15u);  // '0'..'6', keypad 0..6, Tab: all read each time
    EXPECT_FALSE(pollKeyboard(app));  // no change, no redraw
    keysDown = {VK_NUMPAD5};
    pollKeyboard(app);
    EXPECT_EQ(app.selectedDigit, 5);
    keysDown = {VK_TAB};
    pollKeyboard(app);
    pollKeyboard(app);
    EXPECT_EQ(app.selectedDigit, 1);  // 6 wraps to 1
    keysDown = {'6'};
    for (int k = 0; k < 6; ++k) pollKeyboard(app);
    EXPECT_EQ(playInput.sixFlag, 1);  // holding 6 through six polls
}

TEST_F(PlayInputWin, FeedbackSoundsWithTheBurstCursorDuringAnErasure) {
    createCursors(GetModuleHandleW(nullptr));
    app.selectedDigit = 0;
    playFeedback(app, PlayFeedback::Erased);
    EXPECT_EQ(tonesPlayed, (std::vector<int>{250, 200, 150}));
    EXPECT_EQ(playInput.eraseAnimation, 0);
    EXPECT_EQ(playInput.lastCursor, 0);  // back to the eraser after the burst
    selectDigitWithCursor(app, 4);
    EXPECT_EQ(playInput.lastCursor, 4);
}
