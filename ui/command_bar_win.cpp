// The command bar on Windows: its child controls, their state and tooltips, the text fields and the selector drawing.
#include "ui/command_bar_win.h"

#include "base/wide_text_win.h"
#include "render/gdi_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

CommandBarWindows commandBar;

namespace {

HWND createControl(const BarControl& c, HWND parent, HINSTANCE instance) {
    DWORD style = WS_CHILD;
    if (c.border) style |= WS_BORDER;
    const wchar_t* className = L"button";
    if (c.kind == KindStatic) {
        className = L"static";
    } else {
        style |= BS_PUSHBUTTON;
    }
    std::wstring caption = wideText(c.caption);
    HWND window = CreateWindowExW(0, className, caption.c_str(), style, c.x, c.y, c.width, c.height, parent,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.command)), instance, nullptr);
    // Buttons keep the system's font; the text fields get the default GUI font.
    if (window && c.kind == KindStatic) {
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return window;
}

// The hot rectangle of a button: its pixels, first and last row and column included.
void registerHotRect(TooltipSet& tooltips, const BarControl& c) {
    addHotRect(tooltips, c.command, c.x, static_cast<int16_t>(c.x + c.width - 1), c.y,
               static_cast<int16_t>(c.y + c.height - 1));
}

bool writeFieldIfChanged(HWND field, TextString& last, TextRef text) {
    if (!field) return false;
    if (last.s == text.v) return false;
    last.assign(text);
    setWindowText(field, last);
    return true;
}

}  // namespace

bool createCommandBar(HWND parent, HINSTANCE instance, const BarLayout& layout, TooltipSet& tooltips,
                      NumberSelector& selector) {
    if (commandBar.created || !parent) return false;
    if (!instance) instance = GetModuleHandleW(nullptr);

    commandBar.layout = layout;
    commandBar.controls = barControls(commandBar.layout);
    commandBar.windows.assign(commandBar.controls.size(), nullptr);
    commandBar.enabledState.assign(commandBar.controls.size(), -1);
    for (size_t i = 0; i < commandBar.controls.size(); ++i) {
        const BarControl& c = commandBar.controls[i];
        HWND window = createControl(c, parent, instance);
        commandBar.windows[i] = window;
        if (c.role == RoleCellField) commandBar.cellField = window;
        if (c.role == RoleChronoField) commandBar.chronoField = window;
        if (c.kind == KindButton) registerHotRect(tooltips, c);
    }
    commandBar.cellText.clear();
    commandBar.chronoText.clear();
    commandBar.memory = BarRefreshMemory();
    commandBar.created = 1;

    if (!selector.computed) computeSelector(selector, commandBar.layout.selectorTop);
    return true;
}

void showCommandBar(int showCommand, bool chronoEnabled, int16_t gridCount) {
    for (size_t i = 0; i < commandBar.controls.size(); ++i) {
        HWND window = commandBar.windows[i];
        if (!window) continue;
        switch (showBarAction(commandBar.controls[i].role, chronoEnabled, gridCount)) {
            case ShowBarApply: ShowWindow(window, showCommand); break;
            case ShowBarHide: ShowWindow(window, SW_HIDE); break;
            case ShowBarLeave: break;
        }
    }
}

void setCommandLabels(TooltipSet& tooltips, int16_t mode, uint8_t language) {
    hideTooltip(tooltips);
    clearTooltipTexts(tooltips);
    tooltips.selectorBase = kSelectorTooltipBase;
    for (const CommandLabel& l : labelsFor(mode, language)) {
        setTooltipText(tooltips, l.command, l.text);
    }
}

void forceCommandBarRefresh() {
    commandBar.forcePending = 1;
}

void refreshCommandBarState(const BarStateInputs& inputs) {
    // Before the controls exist nothing is applied, so nothing must be remembered either.
    if (!commandBar.created) return;
    BarStateDecision d = decideBarState(inputs, commandBar.forcePending != 0, commandBar.memory);
    commandBar.forcePending = 0;
    for (size_t i = 0; i < commandBar.controls.size(); ++i) {
        HWND window = commandBar.windows[i];
        if (!window) continue;
        BarRole role = commandBar.controls[i].role;
        // Undo and Re-do are decided at every paint: a control is told only when its state changes.
        if (d.touchEnabled[role] && commandBar.enabledState[i] != (d.enabled[role] ? 1 : 0)) {
            EnableWindow(window, d.enabled[role] ? TRUE : FALSE);
            commandBar.enabledState[i] = d.enabled[role] ? 1 : 0;
        }
        if (d.touchShown[role]) ShowWindow(window, d.shown[role] ? SW_SHOW : SW_HIDE);
    }
}

bool setCellInfoText(TextRef text) {
    return writeFieldIfChanged(commandBar.cellField, commandBar.cellText, text);
}

bool setChronometerText(TextRef text) {
    return writeFieldIfChanged(commandBar.chronoField, commandBar.chronoText, text);
}

void drawNumberSelector(HDC dc, const NumberSelector& s, int16_t selectedDigit) {
    if (!dc || !s.computed) return;
    {
        OwnedPen pen = makeSolidPen(2, kSelectorPen);
        GdiSelection penSelection(dc, pen.get());
        // The system's own brush: selected, never deleted.
        GdiSelection brushSelection(dc, GetSysColorBrush(COLOR_BTNFACE));
        for (int k = 0; k < 6; ++k) {
            POINT points[4];
            for (int i = 0; i < 4; ++i) points[i] = POINT{s.outline[k][i].x, s.outline[k][i].y};
            Polygon(dc, points, 4);
        }
    }
    /*
     * The digits' font is made once and kept for the life of the process: it
     * never changes, and making a font at every paint was a good part of the
     * paint's cost under Wine.
     */
    static OwnedFont font;
    if (!font) {
        std::wstring face = wideText("Arial");
        font = OwnedFont(CreateFontW(16, 5, 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str()));
    }
    GdiSelection fontSelection(dc, font.get());
    int oldMode = SetBkMode(dc, TRANSPARENT);
    UINT oldAlign = SetTextAlign(dc, TA_CENTER | TA_TOP);
    COLORREF oldColour = GetTextColor(dc);
    for (int k = 0; k < 6; ++k) {
        int16_t digit = selectorDigit(k);
        SetTextColor(dc, digit == selectedDigit ? kSelectedDigitInk : kDigitInk);
        std::wstring text = wideText(numberText(digit));
        // The 16-pixel digit is centred on the reference point.
        TextOutW(dc, s.inner[k].x, s.inner[k].y - 8, text.c_str(), static_cast<int>(text.size()));
    }
    SetTextColor(dc, oldColour);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

void destroyCommandBar() {
    for (HWND window : commandBar.windows) {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
    commandBar = CommandBarWindows();
}

HWND commandBarControl(int16_t command) {
    for (size_t i = 0; i < commandBar.controls.size(); ++i) {
        if (commandBar.controls[i].command == command) return commandBar.windows[i];
    }
    return nullptr;
}

HWND cellInfoField() {
    return commandBar.cellField;
}

HWND chronometerField() {
    return commandBar.chronoField;
}
