// Settings interface of the Synchronizing Buffer, used by its property page:
// the monitor values first, then the four settings.
#pragma once

#include "unknwn.h"

inline constexpr IID IID_IHoldQueueSettings{
    0xB4E12DF9, 0xB38D, 0x4F6B, {0x81, 0xED, 0x77, 0x83, 0x7A, 0x86, 0xE9, 0x9D}};

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wnon-virtual-dtor"
#endif

struct IHoldQueueSettings : IUnknown {
    // The filter's clock now, and the clock less the offset; 100-ns units.
    STDMETHOD(GetAbsoluteTime)(LONGLONG* time) PURE;
    STDMETHOD(GetOffsetAbsoluteTime)(LONGLONG* time) PURE;
    STDMETHOD(GetBufferSampleCount)(LONG* count) PURE;
    STDMETHOD(GetDiscardedSampleCount)(LONG* count) PURE;
    // Queue capacity; 0 or less holds one sample.
    STDMETHOD(GetMaxBufferSamples)(LONG* count) PURE;
    STDMETHOD(SetMaxBufferSamples)(LONG count) PURE;
    // Milliseconds taken off the clock before it is compared with time stamps.
    STDMETHOD(GetAbsoluteTimeOffset)(LONG* milliseconds) PURE;
    STDMETHOD(SetAbsoluteTimeOffset)(LONG milliseconds) PURE;
    // Milliseconds of age beyond which an arriving sample is dropped.
    STDMETHOD(GetDiscardInterval)(LONG* milliseconds) PURE;
    STDMETHOD(SetDiscardInterval)(LONG milliseconds) PURE;
    // Non-zero: released samples carry no start and stop times.
    STDMETHOD(GetDisableTimeStamps)(BYTE* disable) PURE;
    STDMETHOD(SetDisableTimeStamps)(BYTE disable) PURE;
};

#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
