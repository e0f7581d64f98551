// The tooltip pop-up: the "GDTTIP" window class, its window procedure, and showing and hiding the pop-up.
#pragma once

#include <windows.h>

#include "base/text.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"

constexpr COLORREF kTooltipFill = RGB(153, 153, 153);

/*
 * The pop-up's windows, made on first use (a disabled pop-up and its centred
 * text field) and kept until destroyed; the instance they are made in and the
 * font of the text field.
 */
struct TooltipWindows {
    HINSTANCE instance = nullptr;
    HFONT font = nullptr;
    HWND popup = nullptr;
    HWND label = nullptr;
    bool created = false;  // both windows exist
};
// A tool window (no task bar button) that is never activated.
constexpr DWORD kTooltipExStyle = WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;

/*
 * Registers the pop-up's class (redraw on resize, arrow cursor, light grey
 * stock brush). A class already registered by this process is taken as it is;
 * false on any other failure (start-up then tells it and ends).
 */
bool registerTooltipClass(const TooltipSet& set, TooltipWindows& windows, HINSTANCE instance);
// The start-up step: the class registered and the offset from the pointer set to 25 right, 0 down; false as above.
bool startTooltips(TooltipSet& set, TooltipWindows& windows, HINSTANCE instance);
LRESULT CALLBACK tooltipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Width in pixels of a text in the pop-up's font (the default GUI font).
int measureTooltipText(const TooltipWindows& windows, TextRef text);

// Shows currentId's text at a screen point plus the offset (nothing without a text for it).
void showTooltip(TooltipSet& set, TooltipWindows& windows, POINT screen);
void hideTooltip(TooltipSet& set, TooltipWindows& windows);
// For every WM_SETCURSOR of the main window: the mouse at a client point of that window (over the bar's selector).
void trackTooltip(TooltipSet& set, TooltipWindows& windows, const NumberSelector& selector, HWND mainWindow,
                  POINT client);

// The pop-up and its text field (null before the first show).
HWND tooltipPopup(const TooltipWindows& windows);
HWND tooltipLabel(const TooltipWindows& windows);
// Destroys the pop-up windows (the set shows nothing then); the next show makes them again.
void destroyTooltipWindows(TooltipWindows& windows, TooltipSet& set);
