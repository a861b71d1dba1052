// Settings interface of the Ghost filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IGhostFilter{0xBD4C41F9, 0xD409, 0x461A, {0x99, 0xC0, 0x2D, 0x77, 0xAA, 0xF3, 0x0A, 0x4D}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IGhostFilter : IUnknown {
    // Strength 0 .. 100 (a set value is held to that range); 0 switches the ghost off.
    STDMETHOD(GetStrength)(LONG* strength) PURE;
    STDMETHOD(SetStrength)(LONG strength) PURE;
    // Offset in pixels along the frame buffer: above 0 the ghost lies at higher addresses.
    STDMETHOD(GetOffset)(LONG* offset) PURE;
    STDMETHOD(SetOffset)(LONG offset) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
