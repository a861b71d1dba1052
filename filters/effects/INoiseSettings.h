// Settings interface of the Noise filter, used by its property page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_INoiseFilter{0x0A8FA5C9, 0x19E8, 0x465D, {0x8A, 0x2C, 0x43, 0x28, 0xC0, 0x81, 0xB8, 0xA7}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct INoiseFilter : IUnknown {
    // 0 neighbour copy, 1 darkening, anything else no noise.
    STDMETHOD(GetNoiseType)(LONG* noiseType) PURE;
    STDMETHOD(SetNoiseType)(LONG noiseType) PURE;
    // Strength 0 .. 100 (a set value is held to that range); 0 switches the noise off.
    STDMETHOD(GetStrength)(LONG* strength) PURE;
    STDMETHOD(SetStrength)(LONG strength) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
