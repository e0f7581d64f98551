// The start-up window shown while the main window is built and first painted.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/screen.h"

/*
 * The splash window's record; its window procedure finds it through
 * GWLP_USERDATA (the record must outlive the window, or destroy it first).
 */
struct SplashWindow {
    int16_t x = 0;
    int16_t y = 0;
    int16_t width = 100;
    int16_t height = 100;
    COLORREF colour = RGB(255, 255, 255);
    HWND window = nullptr;
    HWND owner = nullptr;
    bool created = false;
    bool visible = false;
    bool ownerKnown = false;
    bool positionChanged = false;
    int16_t release = 0;  // the release number it names
    int16_t dpi = kReferenceDpi;  // the display scale its size and fonts are at
};

constexpr const wchar_t* kSplashClassName = L"DEMFEN";

// Registers the class and creates the hidden window (filled with the record's colour).
// False when the class could not be registered or the window not created.
bool createSplash(SplashWindow& splash, HINSTANCE instance, int16_t releaseNumber);
void moveSplash(SplashWindow& splash, int16_t x, int16_t y);
// Where the splash of a load stands: 180 pixels at 96 dpi, scaled, right of and below the window's corner.
int16_t splashCorner(int16_t windowCorner, int16_t dpi);
void showSplash(SplashWindow& splash);
// Hides the window and puts it back in the middle of its owner, ready to be shown again.
void hideSplash(SplashWindow& splash);
void setSplashOwner(SplashWindow& splash, HWND owner);
void destroySplash(SplashWindow& splash);
