// Settings interface of the quad view filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IQuadView{0x1C87FB02, 0x800C, 0x4575, {0xBC, 0x69, 0xF8, 0x47, 0x5B, 0x23, 0xC2, 0xDB}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IQuadView : IUnknown {
    // 0 … 3: the times of that input's samples; 4: the filter's own clock.
    STDMETHOD(GetTimeBase)(LONG* choice) PURE;
    STDMETHOD(SetTimeBase)(LONG choice) PURE;
    // Own clock only: every start and stop time 0.
    STDMETHOD(GetZeroTimestamps)(BYTE* zero) PURE;
    STDMETHOD(SetZeroTimestamps)(BYTE zero) PURE;
    // Own clock only: milliseconds added to every stop time.
    STDMETHOD(GetTimeOffset)(LONG* offsetMs) PURE;
    STDMETHOD(SetTimeOffset)(LONG offsetMs) PURE;
    // 0 black, 1 red, 2 green, 3 blue.
    STDMETHOD(GetBackgroundColor)(LONG* colour) PURE;
    STDMETHOD(SetBackgroundColor)(LONG colour) PURE;
    // Output frames per second at most, 1 … 60 (other values are clamped);
    // reads back as 1000 / the interval in whole milliseconds.
    STDMETHOD(GetMaxFrameRate)(LONG* rate) PURE;
    STDMETHOD(SetMaxFrameRate)(LONG rate) PURE;
    // The cyan cross between the quarters.
    STDMETHOD(GetBorderLines)(BYTE* show) PURE;
    STDMETHOD(SetBorderLines)(BYTE show) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
