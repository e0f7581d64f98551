// Tests of the command bar's controls and the tooltip pop-up on a plain parent window (Windows build, under Wine).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "app/app_state.h"
#include "base/wide_text_win.h"
#include "render/gdi_win.h"
#include "app/bar_win.h"
#include "ui/command_bar_win.h"
#include "ui/tooltips_win.h"

namespace {

const wchar_t* const kParentClass = L"OrnelBarTestParent";

void drainMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) DispatchMessageW(&msg);
    }
}

TextString classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return narrowText(name);
}

RECT clientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

class CommandBarWindowTest : public ::testing::Test {
protected:
    HWND parent = nullptr;
    Session session;
    AppState& appState = session.app;
    TooltipWindows tipWindows;
    CommandBarWindows bar;

    static void SetUpTestSuite() {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof(wc);
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
        wc.lpszClassName = kParentClass;
        RegisterClassExW(&wc);
    }

    void SetUp() override {
        constructTooltips(session.tooltips);
        startTooltips(session.tooltips, tipWindows, GetModuleHandleW(nullptr));
        session.selector = NumberSelector();
        parent = CreateWindowExW(0, kParentClass, L"bar", WS_OVERLAPPEDWINDOW, 10, 10, 900, 700, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(parent, nullptr);
        appState.controlsAllowed = 1;
        appState.clocks.enabled = 1;
        appState.view.screenMode = ScreenMode::Play;
        appState.game.gridCount = 5;
    }

    void TearDown() override {
        destroyCommandBar(bar);
        destroyTooltipWindows(tipWindows, session.tooltips);
        constructTooltips(session.tooltips);
        if (parent) DestroyWindow(parent);
        drainMessages();
    }

    void createShown() {
        appState.showAllowed = 1;
        ShowWindow(parent, SW_SHOWNOACTIVATE);
        ASSERT_TRUE(createGameBar(bar, parent, GetModuleHandleW(nullptr), session, SW_SHOW));
    }
};

TEST_F(CommandBarWindowTest, ControlsExistWithIdsRectanglesAndCaptionsHiddenUntilShown) {
    appState.controlsAllowed = 0;
    EXPECT_FALSE(createGameBar(bar, parent, GetModuleHandleW(nullptr), session, SW_SHOW)) << "no control before they are allowed";
    appState.controlsAllowed = 1;
    ASSERT_TRUE(createGameBar(bar, parent, GetModuleHandleW(nullptr), session, SW_SHOW));
    EXPECT_FALSE(createGameBar(bar, parent, GetModuleHandleW(nullptr), session, SW_SHOW)) << "created once";

    std::vector<BarControl> expected = barControls(computeBarLayout(true, true, kReferenceDpi));
    ASSERT_EQ(bar.windows.size(), expected.size());
    int statics = 0;
    for (size_t i = 0; i < expected.size(); ++i) {
        const BarControl& c = expected[i];
        HWND w = bar.windows[i];
        ASSERT_NE(w, nullptr) << c.command;
        EXPECT_EQ(GetParent(w), parent);
        EXPECT_EQ(GetDlgCtrlID(w), c.command);
        EXPECT_TRUE(classOf(w).equals(c.kind == KindStatic ? "static" : "button")) << classOf(w).s;
        EXPECT_EQ(windowTextOf(w).s, std::string(c.caption));
        LONG style = GetWindowLongW(w, GWL_STYLE);
        EXPECT_TRUE(style & WS_BORDER);
        EXPECT_FALSE(IsWindowVisible(w)) << "not shown while showing is not allowed";
        RECT r = clientRectOf(w);
        EXPECT_EQ(r.left, c.x);
        EXPECT_EQ(r.top, c.y);
        EXPECT_EQ(r.right - r.left, c.width);
        EXPECT_EQ(r.bottom - r.top, c.height);
        if (c.kind == KindStatic) {
            ++statics;
            EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageW(w, WM_GETFONT, 0, 0)), GetStockObject(DEFAULT_GUI_FONT));
        }
    }
    EXPECT_EQ(statics, 2);
    EXPECT_EQ(windowTextOf(commandBarControl(bar, CmdLanguage)).s, "FR/EN");
    EXPECT_EQ(windowTextOf(commandBarControl(bar, CmdGrid1)).s, "Gr1");
    // Every button is a hot rectangle under its command; the text fields are not.
    EXPECT_EQ(hotRectAt(session.tooltips, 31, 21), CmdLanguage);
    EXPECT_EQ(hotRectAt(session.tooltips, 79, 39), CmdLanguage);
    EXPECT_EQ(hotRectAt(session.tooltips, 40, 500), CmdReturnToGrid);
    EXPECT_EQ(hotRectAt(session.tooltips, 50, 235), 0);
    EXPECT_EQ(session.selector.centre.y, 320);
}

TEST_F(CommandBarWindowTest, WithOneGridAndNoChronometerTheBarIsShorter) {
    appState.game.gridCount = 1;
    appState.clocks.enabled = 0;
    createShown();
    EXPECT_EQ(commandBarControl(bar, CmdGrid1), nullptr);
    EXPECT_EQ(chronometerField(bar), nullptr);
    EXPECT_FALSE(setChronometerText(bar, "00:01")) << "no field, nothing written";
    EXPECT_EQ(clientRectOf(commandBarControl(bar, CmdRules)).top, 80);
    EXPECT_EQ(session.selector.centre.y, 220);
}

TEST_F(CommandBarWindowTest, ShowRefreshAndTheRulesButtons) {
    appState.view.scale = 70;
    appState.game.undoHistory.moves.push_back(Move{MoveKind::Place, 3, 17});
    appState.game.undoHistory.cursor = 1;
    createShown();
    EXPECT_TRUE(IsWindowVisible(commandBarControl(bar, CmdLanguage)));
    EXPECT_TRUE(IsWindowVisible(chronometerField(bar)));
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdReturnToGrid)));
    EXPECT_FALSE(IsWindowEnabled(commandBarControl(bar, CmdBigger)));
    EXPECT_TRUE(IsWindowEnabled(commandBarControl(bar, CmdSmaller)));
    EXPECT_TRUE(IsWindowEnabled(commandBarControl(bar, CmdUndo)));
    EXPECT_FALSE(IsWindowEnabled(commandBarControl(bar, CmdRedo)));

    // Undo/Re-do follow the history on every refresh; "+" waits for a forced one.
    appState.game.undoHistory.cursor = 0;
    appState.view.scale = 60;
    refreshGameBar(bar, appState);
    EXPECT_FALSE(IsWindowEnabled(commandBarControl(bar, CmdUndo)));
    EXPECT_TRUE(IsWindowEnabled(commandBarControl(bar, CmdRedo)));
    EXPECT_FALSE(IsWindowEnabled(commandBarControl(bar, CmdBigger)));
    forceCommandBarRefresh(bar);
    refreshGameBar(bar, appState);
    EXPECT_TRUE(IsWindowEnabled(commandBarControl(bar, CmdBigger)));

    // Into the rules: the bar hides, "R" and ">" come up on page 1.
    setScreenMode(appState, ScreenMode::Rules);
    showGameBar(bar, appState, SW_HIDE);
    refreshGameBar(bar, appState);
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdLanguage)));
    EXPECT_TRUE(IsWindowVisible(commandBarControl(bar, CmdReturnToGrid)));
    EXPECT_TRUE(IsWindowVisible(commandBarControl(bar, CmdNextPage)));
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdPreviousPage)));
    EXPECT_FALSE(IsWindowEnabled(commandBarControl(bar, CmdUndo)));
    appState.view.rulesPage = 9;
    refreshGameBar(bar, appState);
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdNextPage)));
    EXPECT_TRUE(IsWindowVisible(commandBarControl(bar, CmdPreviousPage)));

    // And back.
    setScreenMode(appState, ScreenMode::Play);
    showGameBar(bar, appState, SW_SHOW);
    refreshGameBar(bar, appState);
    EXPECT_TRUE(IsWindowVisible(commandBarControl(bar, CmdLanguage)));
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdReturnToGrid)));
    EXPECT_FALSE(IsWindowVisible(commandBarControl(bar, CmdPreviousPage)));
}

TEST_F(CommandBarWindowTest, TextFieldsAreWrittenOnlyWhenTheirTextChanges) {
    createShown();
    EXPECT_TRUE(setCellInfoText(bar, "12 : 3"));
    EXPECT_FALSE(setCellInfoText(bar, "12 : 3"));
    EXPECT_EQ(windowTextOf(cellInfoField(bar)).s, "12 : 3");
    // A change the program did not make is not noticed: the field is not read back.
    SetWindowTextW(cellInfoField(bar), L"x");
    EXPECT_FALSE(setCellInfoText(bar, "12 : 3"));
    EXPECT_TRUE(setChronometerText(bar, "  0:00:05"));
    EXPECT_EQ(windowTextOf(chronometerField(bar)).s, "  0:00:05");
    EXPECT_EQ(windowTextOf(cellInfoField(bar)).s, "x");
}

TEST_F(CommandBarWindowTest, FrenchTooltipOfUndoReadBackAsUtf16) {
    createShown();
    appState.view.language = 0;
    setGameLabels(session, tipWindows);
    // "<" (Undo) is at (40, 250), 15 x 20.
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{45, 255});
    ASSERT_EQ(session.tooltips.visible, 1);
    EXPECT_EQ(session.tooltips.shownId, CmdUndo);
    HWND label = tooltipLabel(tipWindows);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(GetDlgCtrlID(label), 1);
    wchar_t text[64] = {};
    GetWindowTextW(label, text, 64);
    EXPECT_EQ(std::wstring(text), std::wstring(L"  D\u00E9faire (Ctrl+Z)  "));
    EXPECT_EQ(windowTextOf(label).s, "  D\xE9" "faire (Ctrl+Z)  ");
    EXPECT_TRUE(IsWindowVisible(tooltipPopup(tipWindows)));
    // A tool window that is never activated: no task bar button, and the focus stays where it was.
    const LONG_PTR exStyle = GetWindowLongPtrW(tooltipPopup(tipWindows), GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE), WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);
    EXPECT_NE(GetActiveWindow(), tooltipPopup(tipWindows));
    EXPECT_NE(GetForegroundWindow(), tooltipPopup(tipWindows));

    // Placed at the pointer plus (25, 0), sized from the text.
    POINT screen = {45, 255};
    ClientToScreen(parent, &screen);
    RECT popupRect;
    GetWindowRect(tooltipPopup(tipWindows), &popupRect);
    EXPECT_EQ(popupRect.left, screen.x + 25);
    EXPECT_EQ(popupRect.top, screen.y);
    EXPECT_EQ(popupRect.bottom - popupRect.top, 20);
    int measured = measureTooltipText(tipWindows, "  D\xE9" "faire (Ctrl+Z)  ");
    EXPECT_GT(measured, 10);
    EXPECT_EQ(popupRect.right - popupRect.left, measured - 10 + 2);
    RECT labelRect = clientRectOf(label);
    EXPECT_EQ(labelRect.left, 1);
    EXPECT_EQ(labelRect.top, 1);
    EXPECT_EQ(labelRect.bottom - labelRect.top, 18);

    // The language changes: the pop-up goes, and comes back in English on the next move.
    appState.view.language = 1;
    setGameLabels(session, tipWindows);
    EXPECT_FALSE(IsWindowVisible(tooltipPopup(tipWindows)));
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{46, 256});
    EXPECT_EQ(windowTextOf(label).s, "  Undo (Ctrl+Z)  ");

    // Leaving the button hides it; the selector's digit 4 shows command 17's label.
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{200, 200});
    EXPECT_FALSE(IsWindowVisible(tooltipPopup(tipWindows)));
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{40, 328});
    EXPECT_EQ(session.tooltips.shownId, 17);
    EXPECT_EQ(windowTextOf(label).s, "  Select number 4 (4)  ");
}

TEST_F(CommandBarWindowTest, PopupClosedByTheSystemIsMadeAgain) {
    createShown();
    setGameLabels(session, tipWindows);
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{50, 185});
    HWND first = tooltipPopup(tipWindows);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(SendMessageW(first, WM_LBUTTONDOWN, 0, 0), 0);
    SendMessageW(first, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(first));
    hideTooltip(session.tooltips, tipWindows);
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{51, 186});
    ASSERT_TRUE(IsWindow(tooltipPopup(tipWindows)));
    EXPECT_TRUE(IsWindowVisible(tooltipPopup(tipWindows)));
    EXPECT_EQ(windowTextOf(tooltipLabel(tipWindows)).s, "  R\xE8gle du jeu (F1)  ");
}

bool anyPixelNear(HDC dc, int x, int y, int radius, COLORREF colour) {
    for (int dy = -radius; dy <= radius; ++dy) {
        for (int dx = -radius; dx <= radius; ++dx) {
            if (GetPixel(dc, x + dx, y + dy) == colour) return true;
        }
    }
    return false;
}

/*
 * At another display scale the pop-up's text field has a font of the default
 * GUI font's face made at that scale, owned by the tooltip windows: it is
 * wider by the scale, the pop-up is sized by the scaled numbers, and going
 * back to 96 dpi gives the stock font back and deletes the made one.
 */
TEST_F(CommandBarWindowTest, AtAnotherScaleThePopupHasAScaledFontItOwns) {
    createShown();
    appState.view.language = 1;
    setGameLabels(session, tipWindows);
    const TextString text("  Undo (Ctrl+Z)  ");
    const int at96 = measureTooltipText(tipWindows, text);
    const long before = gdiLiveObjects();
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{45, 255});
    ASSERT_TRUE(IsWindowVisible(tooltipPopup(tipWindows)));

    setTooltipDpi(session.tooltips, tipWindows, 144);
    EXPECT_FALSE(IsWindowVisible(tooltipPopup(tipWindows)));
    EXPECT_EQ(gdiLiveObjects(), before + 1);
    const int at144 = measureTooltipText(tipWindows, text);
    EXPECT_GT(at144, at96 * 13 / 10);
    EXPECT_LT(at144, at96 * 17 / 10);
    HWND label = tooltipLabel(tipWindows);
    HFONT stock = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_NE(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), stock);
    // Shown again at the pointer plus the scaled offset, the field inside it at its scaled height.
    trackTooltip(session.tooltips, tipWindows, session.selector, parent, POINT{46, 256});
    ASSERT_TRUE(IsWindowVisible(tooltipPopup(tipWindows)));
    POINT screen = {46, 256};
    ClientToScreen(parent, &screen);
    RECT popupRect;
    GetWindowRect(tooltipPopup(tipWindows), &popupRect);
    EXPECT_EQ(popupRect.left, screen.x + 38);
    EXPECT_EQ(popupRect.right - popupRect.left, at144 - 15 + 2 * 2);
    EXPECT_EQ(popupRect.bottom - popupRect.top, 27 + 2 * 2);
    EXPECT_EQ(clientRectOf(label).bottom - clientRectOf(label).top, 27);

    setTooltipDpi(session.tooltips, tipWindows, kReferenceDpi);
    EXPECT_EQ(gdiLiveObjects(), before);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label, WM_GETFONT, 0, 0)), stock);
    EXPECT_EQ(measureTooltipText(tipWindows, text), at96);
}

TEST_F(CommandBarWindowTest, SelectorDrawsGreyOutlinesAndOnlyTheSelectedDigitInMagenta) {
    NumberSelector selector;
    computeSelector(selector, 290, kReferenceDpi);
    // The digits' font is made by the first drawing and kept: count from after it.
    {
        HDC screen = GetDC(nullptr);
        MemoryDC warm(screen);
        ReleaseDC(nullptr, screen);
        drawNumberSelector(bar, warm.get(), selector, 1);
    }
    long before = gdiLiveObjects();
    {
        HDC screen = GetDC(nullptr);
        MemoryDC memory(screen);
        OwnedBitmap bitmap = makeCompatibleBitmap(screen, 120, 400);
        ReleaseDC(nullptr, screen);
        GdiSelection bitmapSelection(memory.get(), bitmap.get());
        HDC dc = memory.get();
        RECT all = {0, 0, 120, 400};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HGDIOBJ penBefore = GetCurrentObject(dc, OBJ_PEN);
        HGDIOBJ fontBefore = GetCurrentObject(dc, OBJ_FONT);

        drawNumberSelector(bar, dc, selector, 4);

        EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), penBefore) << "previous pen selected again";
        EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), fontBefore);
        // The spoke from the centre to the right is drawn in the grey pen.
        EXPECT_EQ(GetPixel(dc, 70, 320), kSelectorPen);
        // Inside a triangle, away from the digits: the button face.
        EXPECT_EQ(GetPixel(dc, 78, 316), GetSysColor(COLOR_BTNFACE));
        for (int k = 0; k < 6; ++k) {
            SelectorPoint p = selector.inner[k];
            bool magenta = anyPixelNear(dc, p.x, p.y, 5, kSelectedDigitInk);
            EXPECT_EQ(magenta, selectorDigit(k) == 4) << "digit " << selectorDigit(k);
            EXPECT_TRUE(magenta || anyPixelNear(dc, p.x, p.y, 5, kDigitInk)) << "digit " << selectorDigit(k);
        }
        // Outside the hexagon nothing is drawn.
        EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));
    }
    EXPECT_EQ(gdiLiveObjects(), before);
}

}  // namespace
