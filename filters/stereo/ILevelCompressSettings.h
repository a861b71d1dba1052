// Settings interface of the two-input Level Compressor, used by its page.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_ILevelCompressSettings{
    0xAD369913, 0xFA7B, 0x4C18, {0x8E, 0xA2, 0xA7, 0xC9, 0x34, 0xA1, 0x1C, 0x04}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct ILevelCompressSettings : IUnknown {
    // Non-zero: input 1 goes to the right half and input 2 to the left.
    STDMETHOD(GetSwap)(BYTE* swap) PURE;
    STDMETHOD(SetSwap)(LONG swap) PURE;
    // 0 RGB555 only, 1 RGB24 only, 2 (or anything else) either.
    STDMETHOD(GetVideoColour)(LONG* videoColour) PURE;
    STDMETHOD(SetVideoColour)(LONG videoColour) PURE;
    // Output frames per second; E_INVALIDARG for 0 or less.
    STDMETHOD(GetFrameRate)(LONG* frameRate) PURE;
    STDMETHOD(SetFrameRate)(LONG frameRate) PURE;
    // 0 squeezes through device bitmaps, 1 by dropping columns in memory;
    // E_INVALIDARG for any other value.
    STDMETHOD(GetCompressionMode)(LONG* mode) PURE;
    STDMETHOD(SetCompressionMode)(LONG mode) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
