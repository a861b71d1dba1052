// Settings interface of the Quenza display filter, used by its page. Pairs
// take and give two values; flags are a byte on get and a 32-bit value on
// set. The four window operations act on the graph's video window and do
// nothing without a graph or a window.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IQuenzaSettings{0x7FEC40F8, 0x17E1, 0x4E4B, {0xAE, 0xB4, 0xA7, 0xF3, 0x1D, 0xD9, 0x5C, 0x81}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IQuenzaSettings : IUnknown {
    // Non-zero: input 2 is the left picture and input 1 the right.
    STDMETHOD(GetSwap)(BYTE* swap) PURE;
    STDMETHOD(SetSwap)(LONG swap) PURE;
    // 0 RGB555 only, 1 RGB24 only, 2 (or anything else) either.
    STDMETHOD(GetVideoColour)(LONG* videoColour) PURE;
    STDMETHOD(SetVideoColour)(LONG videoColour) PURE;
    // From the frame's top-left corner.
    STDMETHOD(GetLeftOffset)(LONG* x, LONG* y) PURE;
    STDMETHOD(SetLeftOffset)(LONG x, LONG y) PURE;
    // x from the right end of the left picture, y from the top.
    STDMETHOD(GetRightOffset)(LONG* x, LONG* y) PURE;
    STDMETHOD(SetRightOffset)(LONG x, LONG y) PURE;
    STDMETHOD(GetLeftAtInputSize)(BYTE* atInputSize) PURE;
    STDMETHOD(SetLeftAtInputSize)(LONG atInputSize) PURE;
    STDMETHOD(GetLeftSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(SetLeftSize)(LONG width, LONG height) PURE;
    STDMETHOD(GetRightAtInputSize)(BYTE* atInputSize) PURE;
    STDMETHOD(SetRightAtInputSize)(LONG atInputSize) PURE;
    STDMETHOD(GetRightSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(SetRightSize)(LONG width, LONG height) PURE;
    // Index into the resolution table; any unknown index means 800 × 600.
    STDMETHOD(GetOutputResolution)(LONG* resolution) PURE;
    STDMETHOD(SetOutputResolution)(LONG resolution) PURE;
    // Output frames per second; E_INVALIDARG for 0 or less.
    STDMETHOD(GetFrameRate)(LONG* frameRate) PURE;
    STDMETHOD(SetFrameRate)(LONG frameRate) PURE;
    STDMETHOD(GetBackgroundColour)(BYTE* red, BYTE* green, BYTE* blue) PURE;
    // Components are held to 0 … 255.
    STDMETHOD(SetBackgroundColour)(LONG red, LONG green, LONG blue) PURE;
    STDMETHOD(FullScreen)() PURE;
    // Between a framed window and a frameless child.
    STDMETHOD(ToggleWindowFrame)() PURE;
    STDMETHOD(ApplyWindowPosition)() PURE;
    // The video's own size when window at output size is set and the graph
    // reports one, else the window size.
    STDMETHOD(ApplyWindowSize)() PURE;
    STDMETHOD(GetWindowPosition)(LONG* x, LONG* y) PURE;
    STDMETHOD(SetWindowPosition)(LONG x, LONG y) PURE;
    STDMETHOD(GetWindowAtOutputSize)(BYTE* atOutputSize) PURE;
    STDMETHOD(SetWindowAtOutputSize)(LONG atOutputSize) PURE;
    STDMETHOD(GetWindowSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(SetWindowSize)(LONG width, LONG height) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
