// Settings interface of the Interlace filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IInterlaceSettings{
    0xF7FBC8A0, 0xECD3, 0x4028, {0x8E, 0xC9, 0x7A, 0x6E, 0x12, 0x79, 0x38, 0x73}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IInterlaceSettings : IUnknown {
    // 0 RGB555 only, 1 RGB24 only, 2 (or anything else) either.
    STDMETHOD(GetVideoColour)(LONG* videoColour) PURE;
    STDMETHOD(SetVideoColour)(LONG videoColour) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
