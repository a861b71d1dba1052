// Settings interface of the Green Shift filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IGreenShiftSettings{
    0x39159AAD, 0xC659, 0x46CA, {0x80, 0x6D, 0xFF, 0x1A, 0xBA, 0x62, 0xCA, 0xEB}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IGreenShiftSettings : IUnknown {
    // 0 RGB555 only, 1 RGB24 only, 2 (or anything else) either.
    STDMETHOD(GetVideoColour)(LONG* videoColour) PURE;
    STDMETHOD(SetVideoColour)(LONG videoColour) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
