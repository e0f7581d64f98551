// The main window: its class, creation, placement, window procedure, after-message work and the program's life.
#pragma once

#include <windows.h>

#include "app/app_state.h"
#include "app/commands.h"

constexpr const wchar_t* kMainClassName = L"DemoORNEL";
constexpr UINT_PTR kChronoTimer = 1;
constexpr UINT kChronoPeriodMs = 200;
// Caption, system menu and minimise box: no sizing border, no maximise box.
constexpr DWORD kMainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

bool registerMainWindowClass(HINSTANCE instance);
// Creates the main window (hidden) with the caption appState.windowTitle; null on failure.
HWND createMainWindow(HINSTANCE instance);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// frameX, frameY: where the client area starts inside the window rectangle.
void measureFrame(AppState& app, HWND window);
// Moves and sizes the main window for the current mode; shows it only once showing is allowed.
void repositionMainWindow(AppState& app);
// The work after each handled message of the main window.
void afterMainMessage(AppState& app, HWND window);

/*
 * The window part of a change of screen mode: the working surface back to its
 * start (cyan background, zoom 1) and the drawing colours installed again.
 */
void applyScreenModeToWindow(AppState& app);
// What a command asks of the window once it has returned.
void applyCommandEffects(AppState& app, const CommandEffects& effects);

/*
 * The whole life of the program: start-up, the message loop, and the value
 * the entry point returns (the quit message's code, or 0 after a start-up
 * failure that was reported in a message box).
 */
int runProgram(HINSTANCE instance, int showCommand);
/*
 * The two halves around the message loop, for tests that drive the real
 * window with their own loop: start-up (false after a reported failure), and
 * the clean-up after the loop (the main window destroyed if it still exists).
 */
bool startProgram(HINSTANCE instance, int showCommand);
void endProgram();
