// Settings interface of the Scroll filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IScrollFilter{0xE7C1D597, 0xF760, 0x483B, {0xAB, 0x69, 0x33, 0x57, 0xE3, 0xCA, 0xC8, 0x52}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IScrollFilter : IUnknown {
    // 0 horizontal, 1 vertical, anything else no scrolling.
    STDMETHOD(GetDirection)(LONG* direction) PURE;
    STDMETHOD(SetDirection)(LONG direction) PURE;
    // Pixels (or rows) per 30 ms; a positive speed moves the picture towards higher positions.
    STDMETHOD(GetSpeed)(LONG* speed) PURE;
    STDMETHOD(SetSpeed)(LONG speed) PURE;
    // The picture stands unshifted again.
    STDMETHOD(ResetPosition)() PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
