// The start-up window: a coloured, border-only, topmost pop-up naming the program and its release.
#include "app/splash_win.h"

#include <algorithm>

#include "app/app_state.h"
#include "base/text.h"
#include "base/wide_text_win.h"
#include "render/gdi_win.h"

namespace {

const char* const kSplashAddress = "ornel.example.org";

void centredLine(HDC dc, int x, int y, TextRef text) {
    std::wstring wide = wideText(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void paintSplash(HWND window, const SplashWindow& splash) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    {
        OwnedBrush brush = makeSolidBrush(splash.colour);
        FillRect(dc, &client, brush.get());
    }
    // 40 x 20 on a 96-dpi screen; the lines stand at a fifth and half of the height, which is scaled too.
    OwnedFont font(CreateFontW(scaledPx(40, splash.dpi), scaledPx(20, splash.dpi), 0, 0, 600, TRUE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_ROMAN, L"Times New Roman"));
    {
        GdiSelection selected(dc, font.get());
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        TextString name;
        name.assign2("ORNEL ", numberText(splash.release));
        int centreX = splash.width / 2;
        centredLine(dc, centreX, splash.height / 5, name);
        centredLine(dc, centreX, splash.height / 2, kSplashAddress);
    }
    EndPaint(window, &ps);
}

void fillWithColour(HWND window, HDC dc, COLORREF colour) {
    RECT client;
    GetClientRect(window, &client);
    OwnedBrush brush = makeSolidBrush(colour);
    FillRect(dc, &client, brush.get());
}

LRESULT CALLBACK splashProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const CREATESTRUCTW* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    SplashWindow* liveSplash = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (liveSplash) {
            paintSplash(window, *liveSplash);
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // Before the first paint the window shows its colour.
        if (liveSplash) {
            fillWithColour(window, reinterpret_cast<HDC>(wParam), liveSplash->colour);
            return 1;
        }
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        if (liveSplash && liveSplash->window == window) {
            liveSplash->window = nullptr;
            liveSplash->created = 0;
            liveSplash->visible = 0;
        }
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_COMMAND:
        return 0;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool createSplash(SplashWindow& splash, HINSTANCE instance, int16_t releaseNumber) {
    splash.release = releaseNumber;

    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof(wc);
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = splashProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the system arrow
    // No class brush: the window fills its background with the colour of its record.
    wc.hbrBackground = nullptr;
    wc.lpszClassName = kSplashClassName;
    // A class left registered by an earlier splash of this process is as good as a new one.
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

    splash.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kSplashClassName, L"",
                                    WS_POPUP | WS_BORDER | WS_DISABLED, splash.x, splash.y, splash.width,
                                    splash.height, nullptr, nullptr, instance, &splash);
    splash.created = splash.window != nullptr;
    splash.visible = false;
    return splash.created != 0;
}

int16_t splashCorner(int16_t windowCorner, int16_t dpi) {
    return static_cast<int16_t>(std::clamp(windowCorner + scaledPx(180, dpi), -32768, 32767));
}

void moveSplash(SplashWindow& splash, int16_t x, int16_t y) {
    splash.x = x;
    splash.y = y;
    splash.positionChanged = true;
    if (splash.window)
        SetWindowPos(splash.window, HWND_TOPMOST, x, y, splash.width, splash.height, SWP_NOACTIVATE);
}

void showSplash(SplashWindow& splash) {
    if (!splash.window) return;
    ShowWindow(splash.window, SW_SHOWNOACTIVATE);
    UpdateWindow(splash.window);
    splash.visible = true;
}

void hideSplash(SplashWindow& splash) {
    if (!splash.window) return;
    ShowWindow(splash.window, SW_HIDE);
    splash.visible = false;
    if (splash.ownerKnown && splash.owner) {
        RECT r;
        if (GetWindowRect(splash.owner, &r)) {
            int16_t x, y;
            centreAboveMiddle(static_cast<int16_t>(r.left), static_cast<int16_t>(r.top),
                              static_cast<int16_t>(r.right - r.left), static_cast<int16_t>(r.bottom - r.top),
                              splash.width, splash.height, x, y);
            moveSplash(splash, x, y);
        }
    }
}

void setSplashOwner(SplashWindow& splash, HWND owner) {
    splash.owner = owner;
    splash.ownerKnown = owner != nullptr;
}

void destroySplash(SplashWindow& splash) {
    if (splash.window) DestroyWindow(splash.window);
    splash.window = nullptr;
    splash.created = false;
    splash.visible = false;
}
