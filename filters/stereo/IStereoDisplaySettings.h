// Settings interface of the Stereo Display filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IStereoDisplaySettings{
    0x9A86E4F2, 0xD29C, 0x4B25, {0xA8, 0xAD, 0x3E, 0xDD, 0xF1, 0xC3, 0x85, 0x59}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IStereoDisplaySettings : IUnknown {
    // Non-zero: input 1 is the right picture and input 2 the left.
    STDMETHOD(GetSwap)(BYTE* swap) PURE;
    STDMETHOD(SetSwap)(LONG swap) PURE;
    // 0 RGB555 only, 1 RGB24 only, 2 (or anything else) either.
    STDMETHOD(GetVideoColour)(LONG* videoColour) PURE;
    STDMETHOD(SetVideoColour)(LONG videoColour) PURE;
    // Output frames per second; E_INVALIDARG for 0 or less.
    STDMETHOD(GetFrameRate)(LONG* frameRate) PURE;
    STDMETHOD(SetFrameRate)(LONG frameRate) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
