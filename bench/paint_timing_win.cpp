// Paint timing: start-up, clicks, highlights, undo, scrolling and a grid switch, each against one client-sized copy.
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
#include "app/paint_win.h"
#include "app/splash_win.h"
#include "render/gdi_win.h"
#include "render/grid_drawing.h"
#include "ui/command_bar.h"
#include "ui/command_bar_win.h"
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

// The window shown and painted whole, the command bar's controls too (no window of the thread waits for a paint).
bool painted(const MainWindow& win) {
    HWND w = win.window;
    const Session& s = win.session;
    return w && !win.firstPaintPending && frameIsCurrent(win) && !win.splash.visible && IsWindowVisible(w) &&
           !s.app.redrawPending && !GetUpdateRect(w, nullptr, FALSE) &&
           !(HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT);
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

constexpr int kScrollRuns = 40;
constexpr int kSwitchRuns = 15;

LPARAM clientPoint(int x, int y);

// One click of the left button at a client point, as the mouse sends it.
void click(HWND w, POINT p) {
    SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(p.x, p.y));
    SendMessageW(w, WM_LBUTTONUP, 0, clientPoint(p.x, p.y));
}

// The pointer comes to a client point, as it does before a click (the cursor is then the one of the point).
void pointAt(HWND w, POINT p) {
    SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    SendMessageW(w, WM_MOUSEMOVE, 0, clientPoint(p.x, p.y));
}

/*
 * The time from an action to its picture on the window: the action, then the
 * paints it left for WM_PAINT (the window's or a control's), if any, as the
 * message loop would run them once the queue is empty, and the flush.
 */
template <class Action>
double timed(MainWindow& win, Action action) {
    const double t = nowMs();
    action();
    if (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT)
        RedrawWindow(win.window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    const double elapsed = nowMs() - t;
    pump();
    return elapsed;
}

double median(std::vector<double> values);

/*
 * A message's handling ends with its picture on the window (the after-message
 * step shows what changed), unless it left the picture to a WM_PAINT: the
 * time of the message alone is then its latency. Negative when a paint was
 * left.
 */
template <class Message>
double messageToFrame(Message message) {
    const double t = nowMs();
    message();
    GdiFlush();
    const double elapsed = nowMs() - t;
    const bool left = (HIWORD(GetQueueStatus(QS_PAINT)) & QS_PAINT) != 0;
    pump();
    return left ? -1.0 : elapsed;
}

// A click's release to its frame on the window, the latency a player sees: the press was handled while the button was down.
double releaseToFrame(MainWindow& win, POINT p) {
    SendMessageW(win.window, WM_LBUTTONDOWN, MK_LBUTTON, clientPoint(p.x, p.y));
    return messageToFrame([&] { SendMessageW(win.window, WM_LBUTTONUP, 0, clientPoint(p.x, p.y)); });
}

/*
 * The moment the cell field is given its text: the main window writes it at
 * the end of the message, once the message's picture is on the window, so a
 * key that moves the cell cursor has shown its frame by then.
 */
double fieldWrittenAt = 0.0;
WNDPROC fieldProcedure = nullptr;

LRESULT CALLBACK stampedFieldProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && fieldWrittenAt == 0.0) fieldWrittenAt = nowMs();
    return CallWindowProcW(fieldProcedure, window, message, wParam, lParam);
}

// A key's press to its frame on the window (to the cell field's new text, if it has one); its release follows, untimed.
double keyToFrame(MainWindow& win, int virtualKey) {
    fieldWrittenAt = 0.0;
    const double t = nowMs();
    const double ms = messageToFrame([&] { SendMessageW(win.window, WM_KEYDOWN, virtualKey, 1); });
    SendMessageW(win.window, WM_KEYUP, virtualKey, static_cast<LPARAM>(0xC0000001u));
    pump();
    if (ms < 0 || fieldWrittenAt == 0.0) return ms;
    return fieldWrittenAt - t;
}

// Grid 1 then grid 5, kSwitchRuns times: the median time of the switch to grid 5 (load, layout and paint).
double switchToGrid5(MainWindow& win) {
    std::vector<double> times;
    for (int run = 0; run < kSwitchRuns; ++run) {
        SendMessageW(win.window, WM_COMMAND, CmdGrid1, 0);
        pumpUntilPainted(win, 10000);
        times.push_back(timed(win, [&] { SendMessageW(win.window, WM_COMMAND, CmdGrid5, 0); }));
        pumpUntilPainted(win, 10000);
    }
    return median(times);
}

// The median time of one client-sized copy to the window.
double clientCopyMs(HWND w, const RECT& client) {
    std::vector<double> copyMs;
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
    return median(copyMs);
}

// The first scroll arrow shown; -1 if none.
int shownArrow(const MainWindow& win) {
    for (int k = 0; k < kArrowCount; ++k)
        if (win.session.layout.arrows[k].shown) return k;
    return -1;
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

constexpr int kStartRuns = 7;
const wchar_t* const kStartOnly = L"--start-up-only";

// The program started and pumped to its first complete paint; the milliseconds it took, negative on failure.
double startUp(MainWindow& win) {
    const double startAt = nowMs();
    if (startProgram(win, GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE) != StartupFailure::None) return -1.0;
    // Boxes are answered Yes or Ok without asking, and the tones stay silent.
    win.session.feedback = Feedback();
    if (!pumpUntilPainted(win, 10000)) return -2.0;
    return nowMs() - startAt;
}

/*
 * Start-up timed in fresh processes of this program, one after the other, as
 * a player starts the game on a running system: each child starts the game,
 * reports its time in hundredths of a millisecond as its exit code and ends.
 * The first start of a Wine session also waits for Wine's own services, which
 * compete for the processor; the median of several starts leaves that out.
 */
std::vector<double> startUpsInChildren() {
    std::vector<double> times;
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    for (int run = 0; run < kStartRuns; ++run) {
        std::wstring command = L"\"" + std::wstring(self) + L"\" " + kStartOnly;
        STARTUPINFOW startup = {};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION child = {};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child))
            break;
        WaitForSingleObject(child.hProcess, 30000);
        DWORD code = 0;
        GetExitCodeProcess(child.hProcess, &code);
        CloseHandle(child.hThread);
        CloseHandle(child.hProcess);
        if (code > 0 && code < 10000000) times.push_back(code / 100.0);
    }
    return times;
}

}  // namespace

int main() {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    ticksPerMs = static_cast<double>(frequency.QuadPart) / 1000.0;
    useScratchFolder();
    const bool startOnly = std::wstring(GetCommandLineW()).find(kStartOnly) != std::wstring::npos;

    std::unique_ptr<MainWindow> game = std::make_unique<MainWindow>();
    MainWindow& win = *game;
    const double startupMs = startUp(win);
    if (startOnly) {
        endProgram(win);
        return startupMs > 0 ? static_cast<int>(startupMs * 100.0 + 0.5) : 0;
    }
    if (startupMs == -1.0) {
        std::printf("start-up failed\n");
        return 1;
    }
    if (startupMs < 0) {
        std::printf("no complete first paint\n");
        return 1;
    }

    HWND w = win.window;
    const AppState& appState = win.session.app;
    const double switchMs = switchToGrid5(win);
    for (int i = 0; i < 3; ++i) SendMessageW(w, WM_COMMAND, CmdBigger, 0);
    pumpUntilPainted(win, 10000);
    if (appState.game.gridNumber != 5 || appState.view.scale != 70) {
        std::printf("grid 5 at scale 70 not reached (grid %d, scale %d)\n", appState.game.gridNumber, appState.view.scale);
        return 1;
    }
    RECT client;
    GetClientRect(w, &client);
    const double copy = clientCopyMs(w, client);

    // An empty cell well inside the window, a digit it takes and a digit a touching cell already holds.
    const Grid& g = appState.game.grids[0];
    int16_t cell = 0, fits = 0, refused = 0;
    POINT target = {0, 0};
    for (int16_t i = 1; i <= g.cellCount && cell == 0; ++i) {
        const ShapePoint p = clientPointOfGrid(win.session.layout, cellCentre(g, i));
        if (p.x < 150 || p.y < 50 || p.x > client.right - 50 || p.y > client.bottom - 50 || cellValue(g, i) != 0)
            continue;
        int16_t held = 0;
        for (int16_t peer : g.peerTable[i].peers)
            if (peer > 0 && cellValue(g, peer) > 0) held = cellValue(g, peer);
        if (held == 0 || g.cells[i].solution < 1) continue;
        cell = i;
        fits = g.cells[i].solution;
        refused = held;
        target = POINT{p.x, p.y};
    }
    // A corner point well inside the window, for the highlights.
    POINT corner = {0, 0};
    for (int16_t k = 1; k <= g.cornerPoints.count() && corner.x == 0; ++k) {
        PixelPoint lattice;
        if (!markHexagonPoint(g, k, lattice)) continue;
        const ShapePoint p = clientPointOfGrid(win.session.layout, lattice);
        if (p.x > 200 && p.y > 80 && p.x < client.right - 80 && p.y < client.bottom - 80) corner = POINT{p.x, p.y};
    }
    // A second empty cell, apart from the first: its digit is the move that stays to undo all along.
    int16_t anchor = 0;
    POINT anchorPoint = {0, 0};
    for (int16_t i = 1; i <= g.cellCount && anchor == 0; ++i) {
        const ShapePoint p = clientPointOfGrid(win.session.layout, cellCentre(g, i));
        if (i == cell || p.x < 150 || p.y < 50 || p.x > client.right - 50 || p.y > client.bottom - 50 ||
            cellValue(g, i) != 0 || g.cells[i].solution < 1)
            continue;
        bool touches = false;
        for (int16_t peer : g.peerTable[i].peers) touches |= peer == cell;
        if (touches) continue;
        anchor = i;
        anchorPoint = POINT{p.x, p.y};
    }
    if (cell == 0 || corner.x == 0 || anchor == 0) {
        std::printf("no cell or corner to click\n");
        return 1;
    }

    std::vector<double> placeMs, undoMs, refusedMs, highlightMs, scrollMs;
    long madeByAClick = 0;
    const int32_t passesBefore = win.paint.backgroundPasses;
    /*
     * A game under way: a move to undo and none to re-do, before and after
     * each timed click, as for most clicks of a game (the first move of a game
     * also turns the undo button on): the move is a digit in a second cell.
     * Each run puts the first cell back as it found it with a re-do and an
     * erasing click, both untimed (an erasure and the placing it takes back
     * leave the history together).
     */
    const auto select = [&](int digit) {
        SendMessageW(w, WM_COMMAND, CmdErase + digit, 0);
        pumpUntilPainted(win, 1000);
    };
    select(g.cells[anchor].solution);
    click(w, anchorPoint);
    pumpUntilPainted(win, 1000);
    for (int run = 0; run < kRuns; ++run) {
        select(fits);
        pointAt(w, target);
        const long made = gdiCreatedObjects();
        placeMs.push_back(timed(win, [&] { click(w, target); }));
        madeByAClick = std::max(madeByAClick, gdiCreatedObjects() - made);
        undoMs.push_back(timed(win, [&] { SendMessageW(w, WM_COMMAND, CmdUndo, 0); }));
        SendMessageW(w, WM_COMMAND, CmdRedo, 0);
        select(0);
        click(w, target);
        select(refused);
        pointAt(w, target);
        refusedMs.push_back(timed(win, [&] { click(w, target); }));
        pointAt(w, corner);
        highlightMs.push_back(timed(win, [&] { click(w, corner); }));
    }
    const int32_t clickBackgrounds = win.paint.backgroundPasses - passesBefore;
    // The same click timed from its release to its frame.
    std::vector<double> releaseMs;
    int leftToPaint = 0;
    for (int run = 0; run < kRuns; ++run) {
        select(fits);
        pointAt(w, target);
        const double ms = releaseToFrame(win, target);
        if (ms < 0) ++leftToPaint;
        else releaseMs.push_back(ms);
        select(0);
        click(w, target);
    }
    /*
     * The keyboard: the cell cursor moved to a neighbour and back, and the
     * digit placed with Space into the cursor's cell (the same cell as the
     * clicks), then taken back with Delete, untimed.
     */
    std::vector<double> cursorMs, keyPlaceMs;
    int keysLeftToPaint = 0;
    fieldProcedure = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
        win.bar.cellField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(stampedFieldProcedure)));
    SendMessageW(w, WM_KEYDOWN, VK_LEFT, 1);  // the cursor shows on the cell last clicked
    SendMessageW(w, WM_KEYUP, VK_LEFT, static_cast<LPARAM>(0xC0000001u));
    pumpUntilPainted(win, 1000);
    for (int run = 0; run < kRuns; ++run) {
        const double ms = keyToFrame(win, run % 2 ? VK_LEFT : VK_RIGHT);
        if (ms < 0) ++keysLeftToPaint;
        else cursorMs.push_back(ms);
    }
    if (win.session.app.game.cursorCell != cell) std::printf("the cursor is not back on the clicked cell\n");
    SetWindowLongPtrW(win.bar.cellField, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProcedure));
    // What a move's new text in the bar's cell field costs, after the frame (a diagnostic).
    std::vector<double> fieldMs;
    for (int run = 0; run < kRuns; ++run) {
        const TextString text(run % 2 ? "L1 C2" : "L1 C3");
        fieldMs.push_back(timed(win, [&] { setCellInfoText(win.bar, text); }));
    }
    for (int run = 0; run < kRuns; ++run) {
        select(fits);
        const double ms = keyToFrame(win, VK_SPACE);
        if (ms < 0) ++keysLeftToPaint;
        else keyPlaceMs.push_back(ms);
        keyToFrame(win, VK_DELETE);
    }
    /*
     * A scroll lays the grid out again and repaints everything. Where the grid
     * fits the window no arrow is shown: the same repaint is timed without the
     * click (every bitmap discarded, the whole client area invalidated).
     */
    bool arrowsShown = shownArrow(win) >= 0;
    for (int run = 0; run < kScrollRuns; ++run) {
        const int k = shownArrow(win);
        if (k < 0) {
            scrollMs.push_back(timed(win, [&] {
                discardBackground(win.session.background);
                InvalidateRect(w, nullptr, FALSE);
            }));
            continue;
        }
        const ScrollArrow& a = win.session.layout.arrows[k];
        const POINT p = {(a.left + a.right) / 2, (a.top + a.bottom) / 2};
        scrollMs.push_back(timed(win, [&] { click(w, p); }));
    }

    const auto ratio = [&](double ms) { return copy > 0 ? ms / copy : 0.0; };
    std::printf("%d-bit build; client area %ldx%ld, grid 5 (2330-1) at scale 70; medians of %d runs (scroll %zu)\n",
                static_cast<int>(8 * sizeof(void*)), client.right, client.bottom, kRuns, scrollMs.size());
    std::printf("client-sized BitBlt: %.3f ms\n", copy);
    std::printf("click on an empty cell:  %7.3f ms = %6.2f BitBlt (goal <= 2)\n", median(placeMs),
                ratio(median(placeMs)));
    std::printf("  its release to its frame:  %7.3f ms = %6.2f BitBlt (%d of %d left to WM_PAINT)\n",
                median(releaseMs), ratio(median(releaseMs)), leftToPaint, kRuns);
    std::printf("cursor moved by a key:   %7.3f ms = %6.2f BitBlt (goal <= 2)\n", median(cursorMs),
                ratio(median(cursorMs)));
    std::printf("  then the cell field's text:%7.3f ms = %6.2f BitBlt\n", median(fieldMs), ratio(median(fieldMs)));
    std::printf("digit placed by Space:   %7.3f ms = %6.2f BitBlt (goal <= 2; %d key presses of %d left to WM_PAINT)\n",
                median(keyPlaceMs), ratio(median(keyPlaceMs)), keysLeftToPaint, 2 * kRuns);
    std::printf("click that is refused:   %7.3f ms = %6.2f BitBlt\n", median(refusedMs), ratio(median(refusedMs)));
    std::printf("highlight:               %7.3f ms = %6.2f BitBlt\n", median(highlightMs),
                ratio(median(highlightMs)));
    std::printf("undo:                    %7.3f ms = %6.2f BitBlt\n", median(undoMs), ratio(median(undoMs)));
    std::printf("%s %7.3f ms = %6.2f BitBlt (goal <= 20)\n",
                arrowsShown ? "scroll by one arrow:    " : "full repaint (no arrow):", median(scrollMs),
                ratio(median(scrollMs)));
    std::printf("grid 1 to grid 5:        %7.3f ms = %6.2f BitBlt\n", switchMs, ratio(switchMs));
    std::printf("GDI objects made by the paint of a click: %ld (goal <= 2); background redrawn by clicks: %d\n",
                madeByAClick, clickBackgrounds);

    endProgram(win);
    pump();
    DeleteFileW(L"ORNEL 162.TXT");
    // The children start once this game is gone, as the only game on the screen.
    const std::vector<double> starts = startUpsInChildren();
    std::printf("start-up to the first complete paint: %.1f ms, median of %zu starts (goal < 120):", median(starts),
                starts.size());
    for (double ms : starts) std::printf(" %.1f", ms);
    std::printf("\n  the first start of this Wine session (this run's own): %.1f ms\n", startupMs);
    return 0;
}
