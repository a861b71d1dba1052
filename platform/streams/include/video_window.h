// The graph's window and video interfaces, for filters that place the video
// window. Both derive from IDispatch; "long" arguments are 32-bit.
#pragma once

#include "dispatch.h"

using OAHWND = LONG_PTR;
using REFTIME = double;
constexpr LONG OATRUE = -1;
constexpr LONG OAFALSE = 0;

inline constexpr IID IID_IVideoWindow{0x56A868B4, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IBasicVideo{0x56A868B5, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IVideoWindow : IDispatch {
    STDMETHOD(put_Caption)(BSTR caption) PURE;
    STDMETHOD(get_Caption)(BSTR* caption) PURE;
    STDMETHOD(put_WindowStyle)(LONG style) PURE;
    STDMETHOD(get_WindowStyle)(LONG* style) PURE;
    STDMETHOD(put_WindowStyleEx)(LONG style) PURE;
    STDMETHOD(get_WindowStyleEx)(LONG* style) PURE;
    STDMETHOD(put_AutoShow)(LONG autoShow) PURE;
    STDMETHOD(get_AutoShow)(LONG* autoShow) PURE;
    STDMETHOD(put_WindowState)(LONG state) PURE;
    STDMETHOD(get_WindowState)(LONG* state) PURE;
    STDMETHOD(put_BackgroundPalette)(LONG realize) PURE;
    STDMETHOD(get_BackgroundPalette)(LONG* realize) PURE;
    STDMETHOD(put_Visible)(LONG visible) PURE;
    STDMETHOD(get_Visible)(LONG* visible) PURE;
    STDMETHOD(put_Left)(LONG left) PURE;
    STDMETHOD(get_Left)(LONG* left) PURE;
    STDMETHOD(put_Width)(LONG width) PURE;
    STDMETHOD(get_Width)(LONG* width) PURE;
    STDMETHOD(put_Top)(LONG top) PURE;
    STDMETHOD(get_Top)(LONG* top) PURE;
    STDMETHOD(put_Height)(LONG height) PURE;
    STDMETHOD(get_Height)(LONG* height) PURE;
    STDMETHOD(put_Owner)(OAHWND owner) PURE;
    STDMETHOD(get_Owner)(OAHWND* owner) PURE;
    STDMETHOD(put_MessageDrain)(OAHWND drain) PURE;
    STDMETHOD(get_MessageDrain)(OAHWND* drain) PURE;
    STDMETHOD(get_BorderColor)(LONG* color) PURE;
    STDMETHOD(put_BorderColor)(LONG color) PURE;
    STDMETHOD(get_FullScreenMode)(LONG* fullScreen) PURE;
    STDMETHOD(put_FullScreenMode)(LONG fullScreen) PURE;
    STDMETHOD(SetWindowForeground)(LONG focus) PURE;
    STDMETHOD(NotifyOwnerMessage)(OAHWND hwnd, LONG message, LONG_PTR wParam, LONG_PTR lParam) PURE;
    STDMETHOD(SetWindowPosition)(LONG left, LONG top, LONG width, LONG height) PURE;
    STDMETHOD(GetWindowPosition)(LONG* left, LONG* top, LONG* width, LONG* height) PURE;
    STDMETHOD(GetMinIdealImageSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(GetMaxIdealImageSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(GetRestorePosition)(LONG* left, LONG* top, LONG* width, LONG* height) PURE;
    STDMETHOD(HideCursor)(LONG hide) PURE;
    STDMETHOD(IsCursorHidden)(LONG* hidden) PURE;
};

struct IBasicVideo : IDispatch {
    STDMETHOD(get_AvgTimePerFrame)(REFTIME* time) PURE;
    STDMETHOD(get_BitRate)(LONG* rate) PURE;
    STDMETHOD(get_BitErrorRate)(LONG* rate) PURE;
    STDMETHOD(get_VideoWidth)(LONG* width) PURE;
    STDMETHOD(get_VideoHeight)(LONG* height) PURE;
    STDMETHOD(put_SourceLeft)(LONG left) PURE;
    STDMETHOD(get_SourceLeft)(LONG* left) PURE;
    STDMETHOD(put_SourceWidth)(LONG width) PURE;
    STDMETHOD(get_SourceWidth)(LONG* width) PURE;
    STDMETHOD(put_SourceTop)(LONG top) PURE;
    STDMETHOD(get_SourceTop)(LONG* top) PURE;
    STDMETHOD(put_SourceHeight)(LONG height) PURE;
    STDMETHOD(get_SourceHeight)(LONG* height) PURE;
    STDMETHOD(put_DestinationLeft)(LONG left) PURE;
    STDMETHOD(get_DestinationLeft)(LONG* left) PURE;
    STDMETHOD(put_DestinationWidth)(LONG width) PURE;
    STDMETHOD(get_DestinationWidth)(LONG* width) PURE;
    STDMETHOD(put_DestinationTop)(LONG top) PURE;
    STDMETHOD(get_DestinationTop)(LONG* top) PURE;
    STDMETHOD(put_DestinationHeight)(LONG height) PURE;
    STDMETHOD(get_DestinationHeight)(LONG* height) PURE;
    STDMETHOD(SetSourcePosition)(LONG left, LONG top, LONG width, LONG height) PURE;
    STDMETHOD(GetSourcePosition)(LONG* left, LONG* top, LONG* width, LONG* height) PURE;
    STDMETHOD(SetDefaultSourcePosition)() PURE;
    STDMETHOD(SetDestinationPosition)(LONG left, LONG top, LONG width, LONG height) PURE;
    STDMETHOD(GetDestinationPosition)(LONG* left, LONG* top, LONG* width, LONG* height) PURE;
    STDMETHOD(SetDefaultDestinationPosition)() PURE;
    STDMETHOD(GetVideoSize)(LONG* width, LONG* height) PURE;
    STDMETHOD(GetVideoPaletteEntries)(LONG startIndex, LONG entries, LONG* retrieved, LONG* palette) PURE;
    STDMETHOD(GetCurrentImage)(LONG* bufferSize, LONG* image) PURE;
    STDMETHOD(IsUsingDefaultSource)() PURE;
    STDMETHOD(IsUsingDefaultDestination)() PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

