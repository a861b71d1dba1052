#include "PageEditText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

LONG EditTextAsTruncatedNumber(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    const double value = std::atof(text);
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<LONG>(value);
}

// Read with strtoll rather than atoi, so a number past
// the 32-bit range is pinned instead of wrapping.
LONG EditTextAsInteger(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return -2147483647 - 1;
    return static_cast<LONG>(value);
}

void SetEditInteger(HWND dialog, int id, LONG value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    SetDlgItemTextA(dialog, id, text);
}
