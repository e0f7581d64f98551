// The tooltip pop-up on Windows: class registration, window procedure, creation, measuring, show and hide.
#include "ui/tooltips_win.h"

#include "base/wide_text_win.h"
#include "render/gdi_win.h"
#include "ui/command_bar.h"

namespace {

HFONT stockTooltipFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT tooltipFont(const TooltipWindows& windows) {
    return windows.scaledFont ? windows.scaledFont.get() : stockTooltipFont();
}

// The stock font at the scale; an empty holder where the stock font is that size (at 96 dpi) or on failure.
OwnedFont scaledTooltipFont(int16_t dpi) {
    return guiFontAt(dpi);
}

void paintTooltip(HWND window) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    OwnedBrush fill = makeSolidBrush(kTooltipFill);
    if (dc && fill) FillRect(dc, &client, fill.get());
    EndPaint(window, &ps);
}

/*
 * The pop-up is made on first use: a disabled pop-up without owner or title
 * (so it never takes the focus or a click from the main window), a tool
 * window that is never activated (so the task bar gives it no button of its
 * own, and showing it leaves the main window active), and inside it
 * a centred, bordered static field in the default GUI font at the display scale. A pop-up that was
 * destroyed meanwhile (a close request) is made again.
 */
bool ensurePopup(TooltipSet& set, TooltipWindows& windows) {
    if (windows.created && IsWindow(windows.popup)) return true;
    windows.created = false;
    set.visible = false;
    HINSTANCE instance = windows.instance;
    if (!instance) instance = GetModuleHandleW(nullptr);
    std::wstring className = wideText(set.className);
    HWND popup = CreateWindowExW(kTooltipExStyle, className.c_str(), L"", WS_POPUP | WS_DISABLED, 0, 0, 1, 1,
                                 nullptr, nullptr, instance, nullptr);
    if (!popup) return false;
    /*
     * One line, centred both ways: the field is narrower than the padded text
     * (by the blanks around it), and a wrapping field would break the label at
     * a blank and hide its last word below the field.
     */
    const DWORD labelStyle = WS_CHILD | WS_BORDER | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX;
    HWND label = CreateWindowExW(0, L"static", L"", labelStyle, set.labelX, set.labelY, 1,
                                 set.labelHeight, popup,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(set.labelControlId)), instance, nullptr);
    if (!label) {
        DestroyWindow(popup);
        return false;
    }
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(tooltipFont(windows)), FALSE);
    windows.popup = popup;
    windows.label = label;
    windows.created = true;
    return true;
}

}  // namespace

LRESULT CALLBACK tooltipWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_PAINT:
            paintTooltip(window);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_CREATE:
        case WM_DESTROY:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_CHAR:
        case WM_COMMAND:
        case WM_LBUTTONDOWN:
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerTooltipClass(const TooltipSet& set, TooltipWindows& windows, HINSTANCE instance) {
    windows.instance = instance;
    std::wstring className = wideText(set.className);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = tooltipWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(LTGRAY_BRUSH));
    wc.lpszClassName = className.c_str();
    return RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool startTooltips(TooltipSet& set, TooltipWindows& windows, HINSTANCE instance) {
    setStartupTooltipOffset(set);
    return registerTooltipClass(set, windows, instance);
}

int measureTooltipText(const TooltipWindows& windows, TextRef text) {
    std::wstring wide = wideText(text);
    HDC dc = GetDC(nullptr);
    if (!dc) return 0;
    SIZE size = {0, 0};
    {
        GdiSelection font(dc, tooltipFont(windows));
        GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    }
    ReleaseDC(nullptr, dc);
    return size.cx;
}

void setTooltipDpi(TooltipSet& set, TooltipWindows& windows, int16_t dpi) {
    hideTooltip(set, windows);
    scaleTooltips(set, dpi);
    if (set.dpi == windows.fontDpi) return;
    OwnedFont font = scaledTooltipFont(set.dpi);
    windows.fontDpi = set.dpi;
    // The field lets go of the old font before its holder deletes it.
    if (windows.label && IsWindow(windows.label))
        SendMessageW(windows.label, WM_SETFONT, reinterpret_cast<WPARAM>(font ? font.get() : stockTooltipFont()),
                     FALSE);
    windows.scaledFont = std::move(font);
}

void showTooltip(TooltipSet& set, TooltipWindows& windows, POINT screen) {
    TextString text;
    if (!prepareShow(set, screen.x, screen.y, text)) return;
    sizeForText(set, measureTooltipText(windows, text));
    if (!ensurePopup(set, windows)) return;
    HWND popup = windows.popup;
    HWND label = windows.label;
    setWindowText(label, text);
    // Shown without activation: the main window keeps the focus and its caption.
    SetWindowPos(popup, HWND_TOP, set.x, set.y, set.width, set.height, SWP_NOACTIVATE);
    SetWindowPos(label, nullptr, set.labelX, set.labelY, set.labelWidth, set.labelHeight,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    ShowWindow(popup, SW_SHOWNOACTIVATE);
    markShown(set);
}

void hideTooltip(TooltipSet& set, TooltipWindows& windows) {
    if (takeHide(set) && IsWindow(windows.popup)) ShowWindow(windows.popup, SW_HIDE);
}

void trackTooltip(TooltipSet& set, TooltipWindows& windows, const NumberSelector& selector, HWND mainWindow,
                  POINT client) {
    TrackDecision d = trackDecision(set, client.x, client.y, hitTestSelector(selector, client.x, client.y));
    if (d.hide && IsWindow(windows.popup)) ShowWindow(windows.popup, SW_HIDE);
    if (d.show) {
        POINT screen = client;
        ClientToScreen(mainWindow, &screen);
        showTooltip(set, windows, screen);
    }
}

HWND tooltipPopup(const TooltipWindows& windows) {
    return windows.popup;
}

HWND tooltipLabel(const TooltipWindows& windows) {
    return windows.label;
}

void destroyTooltipWindows(TooltipWindows& windows, TooltipSet& set) {
    if (windows.popup && IsWindow(windows.popup)) DestroyWindow(windows.popup);
    windows.popup = nullptr;
    windows.label = nullptr;
    windows.created = false;
    set.visible = false;
}
