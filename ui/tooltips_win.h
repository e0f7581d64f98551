// The tooltip pop-up: the "GDTTIP" window class, its window procedure, and showing and hiding the pop-up.
#pragma once

#include <windows.h>

#include "base/text.h"
#include "render/gdi_win.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"

constexpr COLORREF kTooltipFill = RGB(153, 153, 153);

/*
 * The pop-up's windows, made on first use (a disabled pop-up and its centred
 * text field) and kept until destroyed; the instance they are made in and the
 * font of the text field: the stock default GUI font at 96 dpi, and at any
 * other display scale a font of the same face made at that scale, owned here.
 */
struct TooltipWindows {
    HINSTANCE instance = nullptr;
    OwnedFont scaledFont;  // empty at 96 dpi
    int16_t fontDpi = kReferenceDpi;
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

// Width in pixels of a text in the pop-up's font (the default GUI font at the display scale).
int measureTooltipText(const TooltipWindows& windows, TextRef text);

/*
 * The display scale changed (or was first measured): the pop-up is hidden, its
 * sizes and offsets are scaled (scaleTooltips) and its font is the default GUI
 * font's LOGFONT with the height and width scaled by dpi / 96 (the stock font
 * itself at 96 dpi). The text field, if made, takes the new font at once.
 */
void setTooltipDpi(TooltipSet& set, TooltipWindows& windows, int16_t dpi);

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
