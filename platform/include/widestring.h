// Conversions between the UTF-16 text of the Windows interfaces and the UTF-8
// text of files and the terminal. Malformed input is replaced by U+FFFD.
#pragma once

#include "wintypes.h"

#include <string>
#include <string_view>

std::string WideToUtf8(std::u16string_view text);
std::u16string Utf8ToWide(std::string_view text);
// Length of a null-terminated UTF-16 string; 0 for null.
std::size_t WideLength(LPCWSTR text);
// Copies at most `capacity`-1 characters and terminates the text.
void CopyWideName(WCHAR* target, std::size_t capacity, std::u16string_view name);
// A task-memory copy of `text`; null when memory runs out.
LPWSTR TaskMemWideString(std::u16string_view text);
