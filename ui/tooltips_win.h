// The tooltip pop-up: the "GDTTIP" window class, its window procedure, and showing and hiding the pop-up.
#pragma once

#include <windows.h>

#include "base/text.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"

constexpr COLORREF kTooltipFill = RGB(153, 153, 153);
// A tool window (no task bar button) that is never activated.
constexpr DWORD kTooltipExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

/*
 * Registers the pop-up's class (redraw on resize, arrow cursor, light grey
 * stock brush). A class already registered by this process is taken as it is;
 * false on any other failure (start-up then tells it and ends).
 */
bool registerTooltipClass(TooltipSet& set, HINSTANCE instance);
// The start-up step: the class registered and the offset from the pointer set to 25 right, 0 down; false as above.
bool startTooltips(TooltipSet& set, HINSTANCE instance);
LRESULT CALLBACK tooltipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Width in pixels of a text in the pop-up's font (the default GUI font).
int measureTooltipText(const TooltipSet& set, TextRef text);

// Shows currentId's text at a screen point plus the offset (nothing without a text for it).
void showTooltip(TooltipSet& set, POINT screen);
void hideTooltip(TooltipSet& set);
// For every WM_SETCURSOR of the main window: the mouse at a client point of that window (over the bar's selector).
void trackTooltip(TooltipSet& set, const NumberSelector& selector, HWND mainWindow, POINT client);

// The pop-up and its text field (null before the first show).
HWND tooltipPopup(const TooltipSet& set);
HWND tooltipLabel(const TooltipSet& set);
// Destroys the pop-up windows; the next show makes them again.
void destroyTooltipWindows(TooltipSet& set);
