// Where the main window sits: its frame measured, and its size and position asked for the current mode.
#include "app/placement_win.h"

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
