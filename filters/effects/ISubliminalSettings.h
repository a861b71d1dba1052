// Settings interface of the Subliminal filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_ISubliminalFilter{
    0xEABC2012, 0xA581, 0x4A5E, {0xAF, 0x9B, 0x98, 0xD7, 0x09, 0xCD, 0xE1, 0x9C}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct ISubliminalFilter : IUnknown {
    // Main frames per cycle; a set value below 1 is stored as 1 and lowers the sub count to fit.
    STDMETHOD(GetPeriod)(LONG* period) PURE;
    STDMETHOD(SetPeriod)(LONG period) PURE;
    // Sub frames per cycle, held to 1 .. period.
    STDMETHOD(GetSubCount)(LONG* subCount) PURE;
    STDMETHOD(SetSubCount)(LONG subCount) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
