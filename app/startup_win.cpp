// The program's start-up sequence, its message loop and what it gives back at the end.
#include "app/main_window_win.h"

#include <memory>

#include "app/paint_win.h"
#include "app/window_shape_win.h"
#include "base/stopwatch.h"
#include "base/wide_text_win.h"
#include "content/clocks.h"
#include "render/grid_drawing.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

namespace {

uint32_t systemTick() {
    return GetTickCount();
}

// The two start-up failures are told in a box of their own: there is no main window to own it.
void startupFailureBox(const wchar_t* text) {
    MessageBoxW(nullptr, text, L"Error!", MB_ICONEXCLAMATION | MB_OK | MB_SYSTEMMODAL);
}

void placeSplash(SplashWindow& splash, const AppState& app) {
    splash.width = 400;
    splash.height = 150;
    splash.colour = RGB(0, 0, 255) | 0x999999;
    int16_t x, y;
    centreAboveMiddle(0, 0, app.screenWidth, app.screenHeight, splash.width, splash.height, x, y);
    splash.x = x;
    splash.y = y;
}

// The screen's resolution, which the layout measures the grid with.
void measureScreenResolution(Session& s) {
    HDC screen = GetDC(nullptr);
    if (!screen) return;
    setMeasureResolution(s, static_cast<int16_t>(GetDeviceCaps(screen, LOGPIXELSX)),
                         static_cast<int16_t>(GetDeviceCaps(screen, LOGPIXELSY)));
    ReleaseDC(nullptr, screen);
}

void runMessageLoop(int& status, MSG& msg) {
    while ((status = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (status == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

bool startProgram(MainWindow& win, HINSTANCE instance, int showCommand) {
    Session& s = win.session;
    AppState& app = s.app;
    setTickSource(systemTick);
    handWindowsFeedback(win);
    win.instance = instance;

    beginSession(s, static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN)),
                 static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN)));
    applyScreenModeToWindow(win);

    placeSplash(win.splash, app);
    if (!createSplash(win.splash, instance, app.releaseNumber)) return false;
    moveSplash(win.splash, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
    showSplash(win.splash);

    if (!registerMainWindowClass(instance)) {
        startupFailureBox(L"Window Registration Failed!");
        return false;
    }
    constructTooltips(app.tooltips);
    startTooltips(app.tooltips, instance);

    HWND window = createMainWindow(win);
    if (!window) {
        startupFailureBox(L"Window Creation Failed!");
        return false;
    }
    EnableWindow(window, TRUE);
    setSplashOwner(win.splash, window);
    setCommandLabels(app);
    createCursors(win.cursors, instance);
    ShowWindow(window, SW_HIDE);

    measureFrame(app, window);
    repositionMainWindow(win);
    // The splash is already showing and nothing is drawn yet: what the load asks of the window is done below.
    openGame(s);
    measureFrame(app, window);

    app.controlsAllowed = 1;
    app.showAllowed = 1;
    repositionMainWindow(win);
    createCommandBar(win.bar, window, instance, app, showCommand);
    setCommandLabels(app);
    app.paintEnabled = 1;
    if (updateTitleClock(app)) setChronometerText(win.bar, app.clocks.fieldText);
    // The first layout, now that the frame and the screen are known: the shape, the size and the position.
    measureScreenResolution(s);
    app.layoutValid = 0;
    applyEffects(win, layOutIfNeeded(s));
    InvalidateRect(window, nullptr, FALSE);
    return true;
}

void endProgram(MainWindow& win) {
    if (win.window) DestroyWindow(win.window);
    destroyCommandBar(win.bar);
    destroySplash(win.splash);
    destroyTooltipWindows(win.session.app.tooltips);
    closeWaveOutput(win.wave);
}

int runProgram(HINSTANCE instance, int showCommand) {
    // The record lives as long as the program; the windows find it through their GWLP_USERDATA.
    std::unique_ptr<MainWindow> win = std::make_unique<MainWindow>();
    if (!startProgram(*win, instance, showCommand)) return 0;
    MSG msg = {};
    int status = 0;
    runMessageLoop(status, msg);
    endProgram(*win);
    return status == -1 ? 0 : static_cast<int>(msg.wParam);
}
