// Control helpers the effect pages share: trackbars set up and read, the
// trackbar a WM_HSCROLL comes from, and edit texts read as integers.
#pragma once

#include "dialog.h"

#include <cstdlib>

inline void SetUpTrackbar(HWND dialog, int id, LONG minimum, LONG maximum, LONG position)
{
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMIN, FALSE, minimum);
    SendDlgItemMessageW(dialog, id, TBM_SETRANGEMAX, FALSE, maximum);
    SendDlgItemMessageW(dialog, id, TBM_SETPOS, TRUE, position);
}

inline LONG TrackbarPosition(HWND dialog, int id)
{
    return static_cast<LONG>(SendDlgItemMessageW(dialog, id, TBM_GETPOS, 0, 0));
}

// The id of the control a WM_HSCROLL names in its lParam; 0 for none.
inline int ScrollSourceId(LPARAM lParam)
{
    HWND control = reinterpret_cast<HWND>(lParam);
    return control ? GetDlgCtrlID(control) : 0;
}

// The leading decimal number of an edit's text, 0 for none; values no
// 32-bit integer holds are pinned to its range.
inline LONG EditInteger(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    const long long value = std::strtoll(text, nullptr, 10);
    if (value > 2147483647LL) return 2147483647;
    if (value < -2147483648LL) return -2147483647 - 1;
    return static_cast<LONG>(value);
}
