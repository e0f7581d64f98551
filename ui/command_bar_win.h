// The command bar's controls on Windows: creation, showing, labels, enabling, the two text fields and the selector.
#pragma once

#include <windows.h>

#include <vector>

#include "base/text.h"
#include "render/gdi_win.h"
#include "ui/command_bar.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

/*
 * The bar's child windows of the main window, in the order of barControls(),
 * with what the refresh and the two text fields remember between calls. The
 * main window's record owns it.
 */
struct CommandBarWindows {
    BarLayout layout;
    std::vector<BarControl> controls;
    std::vector<HWND> windows;  // windows[i] is controls[i] (null when its creation failed)
    std::vector<int8_t> enabledState;  // what controls[i] was last told: 1 enabled, 0 disabled, -1 not yet
    HWND cellField = nullptr;
    HWND chronoField = nullptr;
    TextString cellText;    // last text written into the cell-information field
    TextString chronoText;  // last text written into the chronometer field
    BarRefreshMemory memory;
    bool forcePending = false;
    bool created = false;
    OwnedFont selectorFont;  // the selector's digits: made on first use, it never changes
    OwnedFont buttonFont;    // the buttons' font at the bar's resolution; null: the system's own
    OwnedFont fieldFont;     // the text fields' font at the bar's resolution; null: the default GUI font
};

constexpr COLORREF kSelectorPen = RGB(153, 153, 153);
constexpr COLORREF kSelectedDigitInk = RGB(255, 0, 255);
constexpr COLORREF kDigitInk = RGB(0, 0, 0);

/*
 * Creates every control of the layout as a hidden, bordered child of parent
 * (only once), registers every button's rectangle with the tooltip set and
 * computes the selector if it has no geometry yet. False when nothing was
 * created (no parent, or the bar exists already).
 */
bool createCommandBar(CommandBarWindows& bar, HWND parent, HINSTANCE instance, const BarLayout& layout, TooltipSet& tooltips,
                      NumberSelector& selector);
// Shows or hides the bar's controls (SW_HIDE hides); the Rules-mode buttons are always hidden.
void showCommandBar(CommandBarWindows& bar, int showCommand, bool chronoEnabled, int16_t gridCount);
// Hides the tooltip and stores the labels of a screen mode and a language.
void setCommandLabels(TooltipSet& tooltips, TooltipWindows& windows, ScreenMode mode,
                      uint8_t language);
// The next refresh applies the full set of rules (after a scale change).
void forceCommandBarRefresh(CommandBarWindows& bar);
// Applies the enabling rules to the controls; nothing before the bar exists.
void refreshCommandBarState(CommandBarWindows& bar, const BarStateInputs& inputs);
// Writes the field only when the text differs from the one last written; true when written.
bool setCellInfoText(CommandBarWindows& bar, TextRef text);
bool setChronometerText(CommandBarWindows& bar, TextRef text);
// Draws the number selector with its six digits; the selected one in magenta.
void drawNumberSelector(CommandBarWindows& bar, HDC dc, const NumberSelector& selector, int16_t selectedDigit);
// Destroys the controls and forgets them (the tooltip rectangles stay).
void destroyCommandBar(CommandBarWindows& bar);

// The first control with this identifier (28 gives the cell-information field); null if none.
HWND commandBarControl(const CommandBarWindows& bar, int16_t command);
HWND cellInfoField(const CommandBarWindows& bar);
HWND chronometerField(const CommandBarWindows& bar);
