// Video caps as a fuzz input makes them: mostly the two formats the filters
// take, sometimes others or any text; sizes small, near the largest the
// pads allow, or any value; any frame rate.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>
#include <gst/gst.h>

#include <cstddef>
#include <cstring>
#include <string>

namespace fuzzcaps {

inline constexpr const char* kFormats[] = {"BGR", "RGB15", "BGR", "RGB15", "RGB", "BGRx", "RGB16", "I420", "GRAY8", "v210"};

inline gint Dimension(FuzzedDataProvider& in, bool small)
{
    switch (in.ConsumeIntegralInRange(0, small ? 1 : 3)) {
    case 0: return in.ConsumeIntegralInRange<gint>(-4, 16);
    case 1: return in.ConsumeIntegralInRange<gint>(-8, 256);
    case 2: return in.ConsumeIntegralInRange<gint>(16000, 17000);
    default: return in.ConsumeIntegral<gint>();
    }
}

struct FuzzedCaps {
    std::string format;
    gint width = 0, height = 0, rateN = 30, rateD = 1;
};

inline FuzzedCaps Caps(FuzzedDataProvider& in, bool small)
{
    FuzzedCaps caps;
    caps.format = in.ConsumeIntegralInRange(0, 15) ? kFormats[in.ConsumeIntegralInRange<std::size_t>(0, 9)]
                                                   : in.ConsumeRandomLengthString(8);
    // The caps hold the text up to its first NUL.
    caps.format.resize(std::strlen(caps.format.c_str()));
    caps.width = Dimension(in, small);
    caps.height = Dimension(in, small);
    if (in.ConsumeBool()) {
        caps.rateN = in.ConsumeIntegral<gint>();
        caps.rateD = in.ConsumeIntegral<gint>();
    }
    return caps;
}

// Caps as a peer might send them; fields GStreamer refuses to hold are left out.
inline GstCaps* ToGst(const FuzzedCaps& fuzzed)
{
    GstCaps* caps = gst_caps_new_empty_simple("video/x-raw");
    GstStructure* s = gst_caps_get_structure(caps, 0);
    if (g_utf8_validate(fuzzed.format.c_str(), -1, nullptr))
        gst_structure_set(s, "format", G_TYPE_STRING, fuzzed.format.c_str(), nullptr);
    gst_structure_set(s, "width", G_TYPE_INT, fuzzed.width, "height", G_TYPE_INT, fuzzed.height, nullptr);
    // A fraction holds neither 0 nor G_MININT as denominator, nor G_MININT above it.
    if (fuzzed.rateD != 0 && fuzzed.rateD != G_MININT && fuzzed.rateN != G_MININT)
        gst_structure_set(s, "framerate", GST_TYPE_FRACTION, fuzzed.rateN, fuzzed.rateD, nullptr);
    return caps;
}

} // namespace fuzzcaps
