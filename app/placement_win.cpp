// Where the main window sits: its frame measured, and its size and position asked for the current mode.
#include "app/placement_win.h"

#include <cstring>

#include "app/main_window_win.h"

POINT measureFrame(HWND window) {
    RECT outer;
    if (!GetWindowRect(window, &outer)) return POINT{0, 0};
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    return POINT{origin.x - outer.left, origin.y - outer.top};
}

void repositionMainWindow(MainWindow& win) {
    const AppState& app = win.session.app;
    HWND window = win.window;
    if (!window) return;
    ++win.positioningDepth;
    int16_t width, height;
    modeWindowSize(app, width, height);
    const bool show = app.showAllowed != 0;
    const WindowGeometry& at = app.geometry;
    const RECT asked = {at.windowLeft, at.windowTop, at.windowLeft + width, at.windowTop + height};
    RECT now = {0, 0, 0, 0};
    GetWindowRect(window, &now);
    const PlacementRequest& last = win.placement;
    const bool answered = (IsWindowVisible(window) != FALSE) == show &&
                          (EqualRect(&now, &asked) || (last.made && last.shown == (show ? 1 : 0) &&
                                                       EqualRect(&last.asked, &asked) && EqualRect(&last.got, &now)));
    if (!answered) {
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
        SetWindowPos(window, nullptr, at.windowLeft, at.windowTop, width, height, flags);
        win.placement.made = true;
        win.placement.asked = asked;
        win.placement.shown = show ? 1 : 0;
        GetWindowRect(window, &win.placement.got);
    }
    --win.positioningDepth;
}

namespace {

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list) {
    MONITORINFO info = {};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(monitor, &info)) {
        const RECT& r = info.rcWork;
        reinterpret_cast<std::vector<ShapeRect>*>(list)->push_back(
            ShapeRect{static_cast<int16_t>(r.left), static_cast<int16_t>(r.top), static_cast<int16_t>(r.right),
                      static_cast<int16_t>(r.bottom)});
    }
    return TRUE;
}

}  // namespace

std::vector<ShapeRect> monitorWorkAreas() {
    std::vector<ShapeRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

int16_t windowResolution(HWND window) {
    /*
     * GetDpiForWindow came with Windows 10 (1607); the player's system may be
     * older, so it is looked up. It answers for a program that declares itself
     * aware of each monitor's resolution, as ours does.
     */
    using DpiForWindow = UINT(WINAPI*)(HWND);
    HMODULE user = GetModuleHandleW(L"user32.dll");
    FARPROC found = user ? GetProcAddress(user, "GetDpiForWindow") : nullptr;
    if (found && window) {
        DpiForWindow dpiForWindow;
        static_assert(sizeof dpiForWindow == sizeof found, "a function pointer holds the looked-up address");
        std::memcpy(&dpiForWindow, &found, sizeof found);
        const UINT dpi = dpiForWindow(window);
        if (dpi > 0 && dpi < 32768) return static_cast<int16_t>(dpi);
    }
    HDC screen = GetDC(nullptr);
    if (!screen) return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<int16_t>(dpi > 0 && dpi < 32768 ? dpi : 0);
}
