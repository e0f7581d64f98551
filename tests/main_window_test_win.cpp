// Tests of the real main and splash windows (Windows build only, run under Wine with a display).
#include <gtest/gtest.h>

#include <windows.h>

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "app/placement_win.h"
#include "app/splash_win.h"
#include "base/wide_text_win.h"

namespace {

// Messages left behind (a quit posted by a destroyed main window, paints) must not leak into the next test.
void drainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The class lives for the whole process; later registrations report it exists.
        registerMainWindowClass(GetModuleHandleW(nullptr));
    }

    void SetUp() override {
        win.instance = GetModuleHandleW(nullptr);
        appState.windowTitle = buildWindowTitle(appState.releaseNumber);
        appState.clocks.enabled = 0;
    }

    void TearDown() override {
        if (win.window) DestroyWindow(win.window);
        destroySplash(splashWindow);
        drainMessages();
    }

    HWND makeMainWindow() { return createMainWindow(win); }

    // A fresh record for every test; the windows made from it are destroyed before it goes.
    MainWindow win;
    AppState& appState = win.session.app;
    SplashWindow& splashWindow = win.splash;
};

TEST_F(MainWindowTest, SecondRegistrationOfTheClassIsRefused) {
    EXPECT_FALSE(registerMainWindowClass(GetModuleHandleW(nullptr)));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_CLASS_ALREADY_EXISTS));
}

TEST_F(MainWindowTest, CreatedWithCaptionMenuAndMinimiseOnly) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    LONG style = GetWindowLongW(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(IsWindowVisible(window));

    EXPECT_EQ(windowTextOf(window).s, "ORNEL 162");
}

TEST_F(MainWindowTest, CreationAwaitsTheFirstPaintAndStartsTheClockTimer) {
    win.firstPaintPending = false;
    appState.clocks.enabled = 1;
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(win.firstPaintPending);
    EXPECT_TRUE(KillTimer(window, kChronoTimer));  // the timer was set
    RECT client;
    GetClientRect(window, &client);
    EXPECT_GT(client.right, 900);
}

TEST_F(MainWindowTest, OtherWindowsOfTheClassDoNotTakeTheCreationStep) {
    win.firstPaintPending = false;
    HWND other = CreateWindowExW(0, kMainClassName, L"other", kMainWindowStyle, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(win.firstPaintPending);
    DestroyWindow(other);
}

TEST_F(MainWindowTest, FrameOffsetsAreTheBorderAndTheCaption) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    const POINT frame = measureFrame(window);
    EXPECT_GT(frame.x, 0);
    EXPECT_GT(frame.y, frame.x);  // the caption is above the client area
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(2 * frame.x + client.right, outer.right - outer.left);
}

TEST_F(MainWindowTest, RepositionKeepsTheWindowHiddenUntilShowingIsAllowed) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    appState.geometry.windowLeft = 120;
    appState.geometry.windowTop = 90;
    repositionMainWindow(win);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(win.positioningDepth, 0);
    RECT r;
    GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 120);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right - r.left, appState.geometry.windowWidth);

    appState.showAllowed = 1;
    repositionMainWindow(win);
    EXPECT_TRUE(IsWindowVisible(window));
}

// The placement messages the main window receives while a hook counts them.
int placementMessages = 0;

LRESULT CALLBACK countPlacements(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == WM_WINDOWPOSCHANGING) ++placementMessages;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

/*
 * A window wider than the screen keeps the width the system allows. The same
 * placement asked again (every scroll asks for it) must cost the window no
 * message; a new position is asked for at once.
 */
TEST_F(MainWindowTest, APlacementTheWindowHasAnsweredIsNotAskedAgain) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    appState.showAllowed = 1;
    appState.geometry.windowLeft = 60;
    appState.geometry.windowTop = 60;
    appState.geometry.windowWidth = static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN) + 400);
    repositionMainWindow(win);
    RECT first;
    GetWindowRect(window, &first);
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, countPlacements, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    placementMessages = 0;
    repositionMainWindow(win);
    repositionMainWindow(win);
    EXPECT_EQ(placementMessages, 0);
    appState.geometry.windowLeft = 80;
    repositionMainWindow(win);
    EXPECT_GT(placementMessages, 0);
    UnhookWindowsHookEx(hook);
    RECT moved;
    GetWindowRect(window, &moved);
    EXPECT_EQ(moved.left, 80);
    EXPECT_EQ(moved.right - moved.left, first.right - first.left);
}

TEST_F(MainWindowTest, RulesModeSizesTheWindowForThePage) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    const POINT frame = measureFrame(window);
    Event measured;
    measured.kind = EventKind::FrameMeasured;
    measured.x = static_cast<int16_t>(frame.x);
    measured.y = static_cast<int16_t>(frame.y);
    handle(win.session, measured);
    setScreenMode(appState, ScreenMode::Rules);
    repositionMainWindow(win);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 800);
    EXPECT_EQ(client.bottom, 600);
}

TEST_F(MainWindowTest, RedrawRequestedDuringPositioningIsKept) {
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    appState.showAllowed = 1;
    win.positioningDepth = 1;
    requestRedraw(appState);
    afterMainMessage(win, window);
    EXPECT_EQ(appState.redrawPending, 1);
    win.positioningDepth = 0;
    afterMainMessage(win, window);
    EXPECT_EQ(appState.redrawPending, 0);
}

TEST_F(MainWindowTest, FirstPaintHidesTheSplashAndShowsTheWindow) {
    ASSERT_TRUE(createSplash(splashWindow, GetModuleHandleW(nullptr), 162));
    showSplash(splashWindow);
    EXPECT_TRUE(IsWindowVisible(splashWindow.window));

    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    setSplashOwner(splashWindow, window);
    appState.showAllowed = 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    appState.paintEnabled = 1;
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    EXPECT_FALSE(win.firstPaintPending);
    EXPECT_FALSE(IsWindowVisible(splashWindow.window));
    EXPECT_EQ(splashWindow.visible, 0);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(appState.busyDepth, 0);
}

TEST_F(MainWindowTest, PaintBeforeStartUpEndsDrawsNothing) {
    ASSERT_TRUE(createSplash(splashWindow, GetModuleHandleW(nullptr), 162));
    showSplash(splashWindow);
    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    appState.showAllowed = 1;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
    // The paint ran, but paintEnabled is still 0: the splash stays until a complete paint.
    EXPECT_FALSE(win.firstPaintPending);
    EXPECT_TRUE(IsWindowVisible(splashWindow.window));
}

TEST_F(MainWindowTest, SplashIsATopmostToolPopupThatIgnoresInput) {
    splashWindow.width = 400;
    splashWindow.height = 150;
    splashWindow.x = 30;
    splashWindow.y = 40;
    ASSERT_TRUE(createSplash(splashWindow, GetModuleHandleW(nullptr), 162));
    HWND w = splashWindow.window;
    LONG style = GetWindowLongW(w, GWL_STYLE);
    LONG exStyle = GetWindowLongW(w, GWL_EXSTYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_TRUE(style & WS_DISABLED);
    EXPECT_TRUE(exStyle & WS_EX_TOPMOST);
    EXPECT_TRUE(exStyle & WS_EX_TOOLWINDOW);
    RECT r;
    GetWindowRect(w, &r);
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 40);
    EXPECT_EQ(r.right - r.left, 400);
    EXPECT_EQ(SendMessageW(w, WM_LBUTTONDOWN, 0, 0), 0);
    EXPECT_TRUE(IsWindow(w));
}

TEST_F(MainWindowTest, HiddenSplashReturnsToTheMiddleOfItsOwner) {
    splashWindow.width = 400;
    splashWindow.height = 150;
    ASSERT_TRUE(createSplash(splashWindow, GetModuleHandleW(nullptr), 162));
    moveSplash(splashWindow, 500, 500);
    showSplash(splashWindow);

    HWND window = makeMainWindow();
    ASSERT_NE(window, nullptr);
    // Small enough for any test screen, so the window keeps the size it is given.
    SetWindowPos(window, nullptr, 100, 50, 700, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    setSplashOwner(splashWindow, window);
    hideSplash(splashWindow);
    RECT r;
    GetWindowRect(splashWindow.window, &r);
    EXPECT_EQ(r.left, 100 + (700 - 400) / 2);
    EXPECT_EQ(r.top, 50 + (500 - 150) / 2 - 20);
    EXPECT_FALSE(IsWindowVisible(splashWindow.window));
}

TEST_F(MainWindowTest, ClosingTheSplashDestroysIt) {
    ASSERT_TRUE(createSplash(splashWindow, GetModuleHandleW(nullptr), 162));
    HWND w = splashWindow.window;
    SendMessageW(w, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(splashWindow.window, nullptr);
    EXPECT_EQ(splashWindow.created, 0);
}

}  // namespace
