// Numbers typed into the edit boxes of the stereo filters' pages.
#pragma once

#include "dialog.h"

// Any text taken as a floating-point number and cut to an integer; values
// no 32-bit integer can hold are pinned to its range.
LONG EditTextAsTruncatedNumber(HWND dialog, int id);
// The C library's decimal conversion: leading digits, 0 for anything else.
LONG EditTextAsInteger(HWND dialog, int id);
// Writes `value` with "%d".
void SetEditInteger(HWND dialog, int id, LONG value);
