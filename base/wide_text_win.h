// Program texts (Windows-1252) as the wide strings that every W call of the Windows half takes.
#pragma once

#include <windows.h>

#include <string>

#include "base/codepage.h"

// wchar_t is 16 bits on Windows, so the UTF-16 text is the wide text as it stands.
inline std::wstring wideText(TextRef text) {
    std::u16string u = toUtf16(text);
    return std::wstring(u.begin(), u.end());
}

inline TextString narrowText(const wchar_t* text) {
    if (!text) return TextString();
    std::u16string_view view(reinterpret_cast<const char16_t*>(text));
    return fromUtf16(view);
}

// The text of a window (caption, static field, button) read back as a program text.
inline TextString windowTextOf(HWND window) {
    int length = GetWindowTextLengthW(window);
    std::wstring buffer(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, buffer.data(), length + 1);
    return narrowText(buffer.c_str());
}

inline void setWindowText(HWND window, TextRef text) {
    SetWindowTextW(window, wideText(text).c_str());
}
