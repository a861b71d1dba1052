// Settings interface of the Frame Rate Controller, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IFrameRateControl{
    0xA6669617, 0x401B, 0x4F79, {0xA6, 0x11, 0xBE, 0x8D, 0x67, 0xDD, 0xB5, 0x72}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IFrameRateControl : IUnknown {
    // Output frames per second; E_INVALIDARG below 1, which would leave
    // frames without a duration.
    STDMETHOD(GetFrameRate)(LONG* frameRate) PURE;
    STDMETHOD(SetFrameRate)(LONG frameRate) PURE;
    // Non-zero: keep the latest input sample itself instead of a copy of its
    // data. A change takes effect when the filter next starts streaming.
    STDMETHOD(GetHoldSamples)(BYTE* hold) PURE;
    STDMETHOD(SetHoldSamples)(BYTE hold) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
