// The one fixed Windows-1252 to UTF-16 table: program texts are 1252 bytes, the Windows boundary speaks UTF-16.
#pragma once

#include <string>

#include "base/text.h"

/*
 * The table is fixed (not the system's code page), so French texts show the
 * same on every system. The five bytes that Windows-1252 leaves undefined
 * (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same value, as
 * Windows itself does, so every byte has a character and the way back is exact.
 */
char16_t cp1252ToUtf16(unsigned char byte);
std::u16string toUtf16(TextRef text);

/*
 * Back from UTF-16 (texts read from windows, in tests and tooltips). A character
 * with no 1252 byte becomes '?'; the result never holds a NUL, the text stops at one.
 */
unsigned char utf16ToCp1252(char16_t unit);
TextString fromUtf16(std::u16string_view text);
