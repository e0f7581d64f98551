// The program's start-up sequence, its message loop and what it gives back at the end.
#include "app/main_window_win.h"

#include "app/commands.h"
#include "app/layout.h"
#include "app/paint_win.h"
#include "app/play_input.h"
#include "app/play_input_win.h"
#include "app/splash_win.h"
#include "base/stopwatch.h"
#include "base/wide_text_win.h"
#include "content/clocks.h"
#include "content/collection.h"
#include "render/grid_drawing.h"
#include "ui/command_bar_win.h"
#include "ui/feedback.h"
#include "ui/feedback_win.h"
#include "ui/settings.h"
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

void startSplash(AppState& app, HINSTANCE instance) {
    SplashWindow& splash = splashWindow;
    splash.width = 400;
    splash.height = 150;
    splash.colour = RGB(0, 0, 255) | 0x999999;
    int16_t x, y;
    centreAboveMiddle(0, 0, app.screenWidth, app.screenHeight, splash.width, splash.height, x, y);
    splash.x = x;
    splash.y = y;
}

// Step 6: the play state as a fresh start has it.
void resetPlayState(AppState& app) {
    resetWindowLayout(windowLayout);
    resetPlayInput(playInput);
    app.scrollHintPending = 1;
    app.currentCell = 1;
    applyScale(app, app.scale);
    app.firstPaintPending = 1;
    installPalette();
    setScreenMode(app, ScreenStart);
    applyScreenModeToWindow(app);
}

void runMessageLoop(int& status, MSG& msg) {
    while ((status = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
        if (status == -1) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

bool startProgram(HINSTANCE instance, int showCommand) {
    AppState& app = appState;
    setTickSource(systemTick);
    installWindowsFeedback();
    app.instance = instance;
    app.positioningDepth = 0;

    // The placeholder grid: it sets up the collection and leaves slot 0 with a shape of its own.
    loadBuiltInGrid(0, "X");
    app.windowTitle = windowTitleText();
    app.screenWidth = static_cast<int16_t>(GetSystemMetrics(SM_CXSCREEN));
    app.screenHeight = static_cast<int16_t>(GetSystemMetrics(SM_CYSCREEN));

    startSplash(app, instance);
    if (!createSplash(splashWindow, instance, app.releaseNumber)) return false;

    app.settingsPath = settingsPathFor(app.windowTitle);
    resetPlayState(app);
    loadGridCodeList();
    app.selectedDigit = 1;
    // A missing, unreadable or damaged file is no error: the start values stay where it says nothing sane.
    loadSettings(app);
    // A position from the file that would put the window off this screen is brought back onto it.
    keepWindowOnScreen(app, windowLayout);

    moveSplash(splashWindow, static_cast<int16_t>(app.windowLeft + 180), static_cast<int16_t>(app.windowTop + 180));
    showSplash(splashWindow);

    if (!registerMainWindowClass(instance)) {
        startupFailureBox(L"Window Registration Failed!");
        return false;
    }
    constructTooltips(tooltipSet);
    startTooltips(tooltipSet, instance);

    HWND window = createMainWindow(instance);
    if (window) {
        EnableWindow(window, TRUE);
        app.mainWindow = window;
        setSplashOwner(splashWindow, window);
        setCommandLabels(app);
        createCursors(instance);
        ShowWindow(window, SW_HIDE);
    }
    if (!window) {
        startupFailureBox(L"Window Creation Failed!");
        return false;
    }

    measureFrame(app, window);
    repositionMainWindow(app);
    CommandEffects effects;
    loadGridNumber(app, app.gridNumber, false, effects);
    applyScale(app, app.scale);

    // No layout exists yet: the window gets no shape until the first paint computes one.
    app.layoutValid = 1;
    measureFrame(app, window);

    app.controlsAllowed = 1;
    app.showAllowed = 1;
    repositionMainWindow(app);
    createCommandBar(app, showCommand);
    setCommandLabels(app);
    app.paintEnabled = 1;
    if (updateTitleClock(app)) setChronometerText(chronoFieldText);
    InvalidateRect(window, nullptr, FALSE);
    return true;
}

void endProgram() {
    if (appState.mainWindow) DestroyWindow(static_cast<HWND>(appState.mainWindow));
    destroyCommandBar();
    destroySplash(splashWindow);
    destroyTooltipWindows(tooltipSet);
    closeWaveOutput();
}

int runProgram(HINSTANCE instance, int showCommand) {
    if (!startProgram(instance, showCommand)) return 0;
    MSG msg = {};
    int status = 0;
    runMessageLoop(status, msg);
    endProgram();
    return status == -1 ? 0 : static_cast<int>(msg.wParam);
}
