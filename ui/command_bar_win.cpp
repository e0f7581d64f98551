// The command bar on Windows: its child controls, their state and tooltips, the text fields and the selector drawing.
#include "ui/command_bar_win.h"

#include "base/wide_text_win.h"
#include "render/gdi_win.h"
#include "ui/tooltips.h"
#include "ui/tooltips_win.h"

namespace {

HWND createControl(const BarControl& c, HWND parent, HINSTANCE instance, HFONT font) {
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
    if (window && font) SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return window;
}

// The resolution the system's stock fonts were made at: the screen's when the session began.
int stockFontDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : kReferenceDpi;
}

/*
 * The bar's fonts at its resolution. Buttons take the system font, grown from
 * the resolution it was made at; the text fields the default GUI font of 8
 * points. Where the stock font already has the size (always at 96 dpi), it is
 * used itself, so nothing changes there.
 */
void makeBarFonts(CommandBarWindows& bar) {
    LOGFONTW system{};
    const int16_t dpi = bar.layout.dpi;
    if (GetObjectW(GetStockObject(SYSTEM_FONT), sizeof system, &system) == sizeof system) {
        const int stockDpi = stockFontDpi();
        if (dpi != stockDpi) bar.buttonFont = stockFontWithHeight(SYSTEM_FONT, MulDiv(system.lfHeight, dpi, stockDpi));
    }
    bar.fieldFont = guiFontAt(dpi);
}

HFONT controlFont(const CommandBarWindows& bar, const BarControl& c) {
    if (c.kind == KindStatic) return bar.fieldFont ? bar.fieldFont.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    return bar.buttonFont.get();
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

bool createCommandBar(CommandBarWindows& bar, HWND parent, HINSTANCE instance, const BarLayout& layout, TooltipSet& tooltips,
                      NumberSelector& selector) {
    if (bar.created || !parent) return false;
    if (!instance) instance = GetModuleHandleW(nullptr);

    bar.layout = layout;
    bar.controls = barControls(bar.layout);
    makeBarFonts(bar);
    bar.windows.assign(bar.controls.size(), nullptr);
    bar.enabledState.assign(bar.controls.size(), -1);
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        const BarControl& c = bar.controls[i];
        HWND window = createControl(c, parent, instance, controlFont(bar, c));
        bar.windows[i] = window;
        if (c.role == RoleCellField) bar.cellField = window;
        if (c.role == RoleChronoField) bar.chronoField = window;
        if (c.kind == KindButton) registerHotRect(tooltips, c);
    }
    bar.cellText.clear();
    bar.chronoText.clear();
    bar.memory = BarRefreshMemory();
    bar.created = true;

    if (!selector.computed) computeSelector(selector, bar.layout.selectorTop, bar.layout.dpi);
    return true;
}

void showCommandBar(CommandBarWindows& bar, int showCommand, bool chronoEnabled, int16_t gridCount) {
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        HWND window = bar.windows[i];
        if (!window) continue;
        switch (showBarAction(bar.controls[i].role, chronoEnabled, gridCount)) {
            case ShowBarApply: ShowWindow(window, showCommand); break;
            case ShowBarHide: ShowWindow(window, SW_HIDE); break;
            case ShowBarLeave: break;
        }
    }
}

void setCommandLabels(TooltipSet& tooltips, TooltipWindows& windows, ScreenMode mode, uint8_t language) {
    hideTooltip(tooltips, windows);
    clearTooltipTexts(tooltips);
    tooltips.selectorBase = kSelectorTooltipBase;
    for (const CommandLabel& l : labelsFor(mode, language)) {
        setTooltipText(tooltips, l.command, l.text);
    }
}

void forceCommandBarRefresh(CommandBarWindows& bar) {
    bar.forcePending = true;
}

void refreshCommandBarState(CommandBarWindows& bar, const BarStateInputs& inputs) {
    // Before the controls exist nothing is applied, so nothing must be remembered either.
    if (!bar.created) return;
    BarStateDecision d = decideBarState(inputs, bar.forcePending != 0, bar.memory);
    bar.forcePending = false;
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        HWND window = bar.windows[i];
        if (!window) continue;
        BarRole role = bar.controls[i].role;
        // Undo and Re-do are decided at every paint: a control is told only when its state changes.
        if (d.touchEnabled[role] && bar.enabledState[i] != (d.enabled[role] ? 1 : 0)) {
            EnableWindow(window, d.enabled[role] ? TRUE : FALSE);
            bar.enabledState[i] = d.enabled[role] ? 1 : 0;
        }
        if (d.touchShown[role]) ShowWindow(window, d.shown[role] ? SW_SHOW : SW_HIDE);
    }
}

bool setCellInfoText(CommandBarWindows& bar, TextRef text) {
    return writeFieldIfChanged(bar.cellField, bar.cellText, text);
}

bool setChronometerText(CommandBarWindows& bar, TextRef text) {
    return writeFieldIfChanged(bar.chronoField, bar.chronoText, text);
}

void drawNumberSelector(CommandBarWindows& bar, HDC dc, const NumberSelector& s, int16_t selectedDigit) {
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
     * The digits' font is made once and kept with the bar: it never changes,
     * and making a font at every paint was a good part of the paint's cost
     * under Wine. Its 16 x 5 cell is in 96-dpi pixels, scaled like the bar.
     */
    const int16_t dpi = bar.layout.dpi;
    OwnedFont& font = bar.selectorFont;
    if (!font) {
        std::wstring face = wideText("Arial");
        font = OwnedFont(CreateFontW(scaledPx(16, dpi), scaledPx(5, dpi), 0, 0, 600, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
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
        // The 16-pixel digit (at 96 dpi) is centred on the reference point.
        TextOutW(dc, s.inner[k].x, s.inner[k].y - scaledPx(8, dpi), text.c_str(), static_cast<int>(text.size()));
    }
    SetTextColor(dc, oldColour);
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

void destroyCommandBar(CommandBarWindows& bar) {
    for (HWND window : bar.windows) {
        if (window && IsWindow(window)) DestroyWindow(window);
    }
    bar = CommandBarWindows();
}

HWND commandBarControl(const CommandBarWindows& bar, int16_t command) {
    for (size_t i = 0; i < bar.controls.size(); ++i) {
        if (bar.controls[i].command == command) return bar.windows[i];
    }
    return nullptr;
}

HWND cellInfoField(const CommandBarWindows& bar) {
    return bar.cellField;
}

HWND chronometerField(const CommandBarWindows& bar) {
    return bar.chronoField;
}
