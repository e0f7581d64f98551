// Paint timing: start-up to the first complete paint, one paint after a click, and one client-sized copy.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/commands.h"
#include "app/layout.h"
#include "app/main_window_win.h"
#include "app/paint_plan.h"
#include "app/splash_win.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/feedback.h"

namespace {

constexpr int kRuns = 300;

double ticksPerMs = 1.0;

double nowMs() {
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerMs;
}

void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool painted(const MainWindow& win) {
    HWND w = win.window;
    const Session& s = win.session;
    return w && !s.app.firstPaintPending && s.paintCache.frameValid && !win.splash.visible && IsWindowVisible(w) &&
           !s.app.redrawPending && !GetUpdateRect(w, nullptr, FALSE);
}

bool pumpUntilPainted(const MainWindow& win, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (!painted(win)) {
        pump();
        if (painted(win)) break;
        if (GetTickCount() - start > timeoutMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

LPARAM clientPoint(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// The settings file goes to a folder of its own, so the timing starts from the start values.
void useScratchFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"ornel-paint-bench";
    CreateDirectoryW(folder.c_str(), nullptr);
    SetCurrentDirectoryW(folder.c_str());
    DeleteFileW(L"ORNEL 162.TXT");
}

}  // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    useScratchFolder();

    std::unique_ptr<MainWindow> game = std::make_unique<MainWindow>();
    MainWindow& win = *game;
    const double startAt = nowMs();
    if (!startProgram(win, GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE)) {
        std::printf("start-up failed\n");
        return 1;
    }
    // Boxes are answered Yes or Ok without asking, and the tones stay silent.
    win.session.feedback = Feedback();
    if (!pumpUntilPainted(win, 10000)) {
        std::printf("no complete first paint\n");
        return 1;
    }
    const double startupMs = nowMs() - startAt;

    HWND w = win.window;
    const AppState& appState = win.session.app;
    SendMessageW(w, WM_COMMAND, CmdGrid5, 0);
    for (int i = 0; i < 3; ++i) SendMessageW(w, WM_COMMAND, CmdBigger, 0);
    pumpUntilPainted(win, 10000);
    if (appState.gridNumber != 5 || appState.scale != 70) {
        std::printf("grid 5 at scale 70 not reached (grid %d, scale %d)\n", appState.gridNumber, appState.scale);
        return 1;
    }

    // Right clicks on one visible cell toggle its notes: each is a click whose paint keeps the background.
    RECT client;
    GetClientRect(w, &client);
    const Grid& g = appState.grids[0];
    POINT target = {client.right / 2, client.bottom / 2};
    for (int16_t i = 1; i <= g.cellCount; ++i) {
        ShapePoint p = clientPointOfGrid(win.session.layout, cellCentre(g, i));
        if (p.x > 150 && p.y > 50 && p.x < client.right - 50 && p.y < client.bottom - 50 && g.cells[i].value == 0) {
            target = POINT{p.x, p.y};
            break;
        }
    }
    const int32_t passesBefore = win.session.paintCache.backgroundPasses;
    std::vector<double> paintMs;
    for (int run = 0; run < kRuns; ++run) {
        SendMessageW(w, WM_RBUTTONDOWN, MK_RBUTTON, clientPoint(target.x, target.y));
        SendMessageW(w, WM_RBUTTONUP, 0, clientPoint(target.x, target.y));
        const double t = nowMs();
        InvalidateRect(w, nullptr, FALSE);
        UpdateWindow(w);
        GdiFlush();
        paintMs.push_back(nowMs() - t);
        pump();
    }
    const int32_t backgroundRedraws = win.session.paintCache.backgroundPasses - passesBefore;

    std::vector<double> copyMs;
    {
        HDC windowDC = GetDC(w);
        MemoryDC memory(windowDC);
        OwnedBitmap bitmap = makeCompatibleBitmap(windowDC, client.right, client.bottom);
        GdiSelection selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, client.right, client.bottom, windowDC, 0, 0, SRCCOPY);
        for (int run = 0; run < kRuns; ++run) {
            const double t = nowMs();
            BitBlt(windowDC, 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
            GdiFlush();
            copyMs.push_back(nowMs() - t);
        }
        ReleaseDC(w, windowDC);
    }

    const double paint = median(paintMs);
    const double copy = median(copyMs);
    const double ratio = copy > 0 ? paint / copy : 0.0;
    std::printf("client area %ldx%ld, grid 5 (2330-1) at scale 70, %d runs each\n", client.right, client.bottom, kRuns);
    std::printf("start-up to the end of the first complete paint: %.1f ms (goal < 250)\n", startupMs);
    std::printf("paint after a click, median: %.3f ms (background redrawn %d times)\n", paint, backgroundRedraws);
    std::printf("client-sized BitBlt, median: %.3f ms\n", copy);
    std::printf("ratio paint / BitBlt: %.2f (goal <= 4)\n", ratio);

    endProgram(win);
    pump();
    DeleteFileW(L"ORNEL 162.TXT");
    return 0;
}
