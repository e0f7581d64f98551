// The pixels of a bitmap read back for tests, row by row from the top, as 0x00RRGGBB.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

// The format of 32-bit pixels, rows from the top.
inline BITMAPINFO topDownPixels(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    return info;
}

// dc: a device context compatible with the bitmap (the format the bits are converted from).
inline std::vector<uint32_t> bitmapPixels(HDC dc, HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = topDownPixels(width, height);
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
    GdiFlush();
    GetDIBits(dc, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    for (uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
}

// The pixels read by bitmapPixels written back through a DC whose bitmap is width x height.
inline void setBitmapPixels(HDC dc, int width, int height, const std::vector<uint32_t>& pixels) {
    BITMAPINFO info = topDownPixels(width, height);
    SetDIBitsToDevice(dc, 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
}
