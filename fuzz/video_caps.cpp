// Caps and media types converted both ways, as the plugin's elements do on
// negotiation: any caps (widths, heights and rates of any value, any format
// or none) become a media type only when a filter can take it, and that
// type goes back to the same caps; any VIDEOINFOHEADER becomes caps of a
// frame with pixels, or none.
// The platform types first: GLib defines TRUE and FALSE as macros.
#include "VideoCaps.h"
#include "media_guids.h"
#include "FuzzCheck.h"
#include "FuzzedCaps.h"

#include <cstdint>
#include <string>

using namespace fuzzcaps;

namespace {

// What a type accepted from caps must say about them, and that it goes back
// to caps that describe the same frames.
void CheckAccepted(const FuzzedCaps& fuzzed, const CMediaType& type)
{
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    FUZZ_CHECK(video);
    const BITMAPINFOHEADER& bmi = video->bmiHeader;
    FUZZ_CHECK(fuzzed.width > 0 && fuzzed.height > 0);
    FUZZ_CHECK(bmi.biWidth == fuzzed.width && bmi.biHeight == fuzzed.height);
    FUZZ_CHECK(bmi.biBitCount == (fuzzed.format == "BGR" ? 24 : 16));
    const std::uint64_t frameBytes = std::uint64_t(bmi.biWidth) * std::uint64_t(bmi.biHeight) * (bmi.biBitCount / 8);
    FUZZ_CHECK(bmi.biSizeImage == frameBytes && type.lSampleSize == frameBytes);
    FUZZ_CHECK(video->AvgTimePerFrame >= 0);

    GstCaps* back = CapsFromMediaType(type);
    FUZZ_CHECK(back);
    CMediaType again;
    std::string why;
    FUZZ_CHECK(MediaTypeFromCaps(back, again, why));
    const VIDEOINFOHEADER* second = VideoInfoOf(again);
    FUZZ_CHECK(again.subtype == type.subtype && second->bmiHeader.biWidth == bmi.biWidth &&
               second->bmiHeader.biHeight == bmi.biHeight && second->bmiHeader.biSizeImage == bmi.biSizeImage);
    gst_caps_unref(back);
}

void CheckConversions(FuzzedDataProvider& in)
{
    const FuzzedCaps fuzzed = Caps(in, false);
    GstCaps* caps = ToGst(fuzzed);
    CMediaType type;
    std::string why;
    if (gst_caps_is_fixed(caps) && MediaTypeFromCaps(caps, type, why)) CheckAccepted(fuzzed, type);
    gst_caps_unref(caps);

    // A type the filters hand out, with any header.
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = in.ConsumeIntegral<REFERENCE_TIME>();
    info.bmiHeader.biWidth = in.ConsumeIntegral<LONG>();
    info.bmiHeader.biHeight = in.ConsumeIntegral<LONG>();
    info.bmiHeader.biBitCount = in.ConsumeIntegral<WORD>();
    CMediaType header;
    header.majortype = MEDIATYPE_Video;
    header.subtype = in.ConsumeBool() ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB555;
    header.formattype = FORMAT_VideoInfo;
    header.SetFormat(&info, in.ConsumeBool() ? sizeof info : in.ConsumeIntegralInRange<ULONG>(0, sizeof info));
    if (GstCaps* out = CapsFromMediaType(header)) {
        const GstStructure* s = gst_caps_get_structure(out, 0);
        gint width = 0, height = 0;
        FUZZ_CHECK(gst_structure_get_int(s, "width", &width) && gst_structure_get_int(s, "height", &height));
        FUZZ_CHECK(width > 0 && height > 0);
        gst_caps_unref(out);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    gst_init(nullptr, nullptr);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    CheckConversions(in);
    return 0;
}
