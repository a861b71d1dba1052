// Filters, clocks, the graph as filters see it, and the graph's event sink.
#pragma once

#include "objidl.h"
#include "pin_interfaces.h"

struct IFilterGraph;
struct IReferenceClock;

enum FILTER_STATE { State_Stopped = 0, State_Paused = 1, State_Running = 2 };

constexpr int MAX_FILTER_NAME = 128;

struct FILTER_INFO {
    WCHAR achName[MAX_FILTER_NAME];
    IFilterGraph* pGraph;  // AddRef'd for the caller
};
static_assert(sizeof(FILTER_INFO) == 264);

using HEVENT = UINT_PTR;
using HSEMAPHORE = UINT_PTR;
using DWORD_PTR = UINT_PTR;

// Event codes a filter sends to the graph's IMediaEventSink.
constexpr LONG EC_COMPLETE = 0x01;
constexpr LONG EC_USERABORT = 0x02;
constexpr LONG EC_ERRORABORT = 0x03;
constexpr LONG EC_REPAINT = 0x05;
constexpr LONG EC_STREAM_ERROR_STOPPED = 0x06;
constexpr LONG EC_VIDEO_SIZE_CHANGED = 0x0A;
constexpr LONG EC_QUALITY_CHANGE = 0x0B;

inline constexpr IID IID_IMediaFilter{0x56A86899, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IBaseFilter{0x56A86895, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IReferenceClock{0x56A86897, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IEnumFilters{0x56A86893, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IFilterGraph{0x56A8689F, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IGraphBuilder{0x56A868A9, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
// Only ever asked for: a graph need not offer it.
inline constexpr IID IID_IFilterGraph2{0x36B73882, 0xC2C8, 0x11CF, {0x8B, 0x46, 0x00, 0x80, 0x5F, 0x6C, 0xEF, 0x60}};
inline constexpr IID IID_IMediaEventSink{0x56A868A2, 0x0AD4, 0x11CE, {0xB0, 0x3A, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};
inline constexpr IID IID_IAMovieSetup{0xA3D8CEC0, 0x7E5A, 0x11CF, {0xBB, 0xC5, 0x00, 0x80, 0x5F, 0x6C, 0xEF, 0x20}};
inline constexpr CLSID CLSID_FilterGraph{0xE436EBB3, 0x524F, 0x11CE, {0x9F, 0x53, 0x00, 0x20, 0xAF, 0x0B, 0xA7, 0x70}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IReferenceClock : IUnknown {
    STDMETHOD(GetTime)(REFERENCE_TIME* time) PURE;
    STDMETHOD(AdviseTime)(REFERENCE_TIME baseTime, REFERENCE_TIME streamTime, HEVENT event,
                          DWORD_PTR* cookie) PURE;
    STDMETHOD(AdvisePeriodic)(REFERENCE_TIME startTime, REFERENCE_TIME periodTime, HSEMAPHORE semaphore,
                              DWORD_PTR* cookie) PURE;
    STDMETHOD(Unadvise)(DWORD_PTR cookie) PURE;
};

struct IMediaFilter : IPersist {
    STDMETHOD(Stop)() PURE;
    STDMETHOD(Pause)() PURE;
    STDMETHOD(Run)(REFERENCE_TIME start) PURE;
    STDMETHOD(GetState)(DWORD timeoutMs, FILTER_STATE* state) PURE;
    STDMETHOD(SetSyncSource)(IReferenceClock* clock) PURE;
    STDMETHOD(GetSyncSource)(IReferenceClock** clock) PURE;
};

struct IBaseFilter : IMediaFilter {
    STDMETHOD(EnumPins)(IEnumPins** pins) PURE;
    STDMETHOD(FindPin)(LPCWSTR id, IPin** pin) PURE;
    STDMETHOD(QueryFilterInfo)(FILTER_INFO* info) PURE;
    STDMETHOD(JoinFilterGraph)(IFilterGraph* graph, LPCWSTR name) PURE;
    STDMETHOD(QueryVendorInfo)(LPWSTR* vendorInfo) PURE;
};

struct IEnumFilters : IUnknown {
    STDMETHOD(Next)(ULONG count, IBaseFilter** filters, ULONG* fetched) PURE;
    STDMETHOD(Skip)(ULONG count) PURE;
    STDMETHOD(Reset)() PURE;
    STDMETHOD(Clone)(IEnumFilters** copy) PURE;
};

struct IFilterGraph : IUnknown {
    STDMETHOD(AddFilter)(IBaseFilter* filter, LPCWSTR name) PURE;
    STDMETHOD(RemoveFilter)(IBaseFilter* filter) PURE;
    STDMETHOD(EnumFilters)(IEnumFilters** filters) PURE;
    STDMETHOD(FindFilterByName)(LPCWSTR name, IBaseFilter** filter) PURE;
    STDMETHOD(ConnectDirect)(IPin* output, IPin* input, const AM_MEDIA_TYPE* type) PURE;
    STDMETHOD(Reconnect)(IPin* pin) PURE;
    STDMETHOD(Disconnect)(IPin* pin) PURE;
    STDMETHOD(SetDefaultSyncSource)() PURE;
};

struct IMediaEventSink : IUnknown {
    STDMETHOD(Notify)(LONG eventCode, LONG_PTR param1, LONG_PTR param2) PURE;
};

struct IAMovieSetup : IUnknown {
    STDMETHOD(Register)() PURE;
    STDMETHOD(Unregister)() PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
