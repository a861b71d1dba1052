// Private settings interface of the framework's test filter.
#pragma once

#include "unknwn.h"

inline constexpr CLSID CLSID_FrameworkTestFilter{
    0x5E0C8B1A, 0x44D2, 0x4F7B, {0x9A, 0x31, 0x6C, 0x2E, 0x80, 0x17, 0xB4, 0x5D}};
inline constexpr CLSID CLSID_FrameworkTestPage{
    0x5E0C8B1B, 0x44D2, 0x4F7B, {0x9A, 0x31, 0x6C, 0x2E, 0x80, 0x17, 0xB4, 0x5D}};
inline constexpr IID IID_ITestSettings{0x5E0C8B1C, 0x44D2, 0x4F7B, {0x9A, 0x31, 0x6C, 0x2E, 0x80, 0x17, 0xB4, 0x5D}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct ITestSettings : IUnknown {
    // Video colour (applied through the page's combo box).
    STDMETHOD(GetColour)(LONG* value) PURE;
    STDMETHOD(SetColour)(LONG value) PURE;
    // Written at once while the trackbar moves (a preview setting).
    STDMETHOD(GetGain)(LONG* value) PURE;
    STDMETHOD(SetGain)(LONG value) PURE;
    STDMETHOD(GetEnabled)(BYTE* value) PURE;
    STDMETHOD(SetEnabled)(BYTE value) PURE;
    STDMETHOD(GetRate)(LONG* value) PURE;
    STDMETHOD(SetRate)(LONG value) PURE;
    // How often the module's initialisation routine ran with the loading flag.
    STDMETHOD(GetLoadNotices)(LONG* count) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

// Persisted order and widths: colour 4, gain 4, enabled 1, rate 4.
constexpr DWORD kTestSettingsSize = 13;

// Dialog controls of the test page.
constexpr int kTestDialogId = 101;
constexpr int kTestTitleId = 102;
constexpr int IDC_COLOUR = 1002;
constexpr int IDC_GAIN = 1003;
constexpr int IDC_ENABLED = 1004;
constexpr int IDC_RATE = 1005;
constexpr int IDC_MONITOR = 1006;
constexpr UINT_PTR kMonitorTimer = 1;
