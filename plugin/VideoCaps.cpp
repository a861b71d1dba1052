#include "VideoCaps.h"

#include <gst/video/video.h>

#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

constexpr LONGLONG kUnitsPerSecond = 10'000'000;

} // namespace

bool MediaTypeFromCaps(const GstCaps* caps, CMediaType& type, std::string& why)
{
    GstVideoInfo info;
    if (!gst_video_info_from_caps(&info, caps)) {
        why = "the caps describe no raw video frame";
        return false;
    }
    const GstVideoFormat format = GST_VIDEO_INFO_FORMAT(&info);
    if (format != GST_VIDEO_FORMAT_BGR && format != GST_VIDEO_FORMAT_RGB15) {
        why = std::string("format ") + gst_video_format_to_string(format) + " is neither BGR nor RGB15";
        return false;
    }
    const WORD bits = format == GST_VIDEO_FORMAT_BGR ? 24 : 16;
    const LONG width = GST_VIDEO_INFO_WIDTH(&info);
    const LONG height = GST_VIDEO_INFO_HEIGHT(&info);
    // GStreamer reads negative sizes from caps as they are.
    if (width <= 0 || height <= 0) {
        why = "a frame of " + std::to_string(width) + " x " + std::to_string(height) + " pixels has no pixels";
        return false;
    }
    // Sample sizes are 32-bit signed in the filters.
    const std::int64_t rowBytes = std::int64_t{width} * (bits / 8);
    if (rowBytes * height > std::numeric_limits<LONG>::max()) {
        why = "a frame of " + std::to_string(width) + " x " + std::to_string(height) + " pixels is too large";
        return false;
    }
    // The filters read a frame as rows of exactly width × pixel size bytes.
    if (GST_VIDEO_INFO_PLANE_STRIDE(&info, 0) != rowBytes) {
        why = "rows of " + std::to_string(width) + " pixels are padded to a multiple of 4 bytes; "
              "the filters take only widths whose rows need no padding";
        return false;
    }
    VIDEOINFOHEADER header{};
    if (GST_VIDEO_INFO_FPS_N(&info) > 0)
        header.AvgTimePerFrame = kUnitsPerSecond * GST_VIDEO_INFO_FPS_D(&info) / GST_VIDEO_INFO_FPS_N(&info);
    header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    header.bmiHeader.biWidth = width;
    header.bmiHeader.biHeight = height;
    header.bmiHeader.biPlanes = 1;
    header.bmiHeader.biBitCount = bits;
    header.bmiHeader.biCompression = BI_RGB;
    header.bmiHeader.biSizeImage = static_cast<DWORD>(GST_VIDEO_INFO_SIZE(&info));
    type = CMediaType();
    type.majortype = MEDIATYPE_Video;
    type.subtype = bits == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB555;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = header.bmiHeader.biSizeImage;
    if (!type.SetFormat(&header, sizeof header)) {
        why = "out of memory";
        return false;
    }
    return true;
}

void MakeTopDown(CMediaType& type)
{
    VIDEOINFOHEADER* video = type.VideoInfo();
    if (video && video->bmiHeader.biHeight > 0) video->bmiHeader.biHeight = -video->bmiHeader.biHeight;
}

GstCaps* CapsFromMediaType(const CMediaType& type)
{
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    if (type.majortype != MEDIATYPE_Video || !video) return nullptr;
    const char* format = type.subtype == MEDIASUBTYPE_RGB24    ? "BGR"
                         : type.subtype == MEDIASUBTYPE_RGB555 ? "RGB15"
                                                               : nullptr;
    if (!format) return nullptr;
    gint fpsN = 0;
    gint fpsD = 1;
    // Frame times in 100 ns round 30 fps to 333333: the nearest simple
    // fraction gives back 30/1.
    if (video->AvgTimePerFrame > 0)
        gst_util_double_to_fraction(static_cast<double>(kUnitsPerSecond) / video->AvgTimePerFrame, &fpsN, &fpsD);
    // A top-down frame (negative height) has as many rows as a bottom-up one;
    // the most negative height has more rows than caps can state.
    const LONG width = video->bmiHeader.biWidth;
    const std::int64_t rows = std::abs(std::int64_t{video->bmiHeader.biHeight});
    if (width <= 0 || rows == 0 || rows > G_MAXINT) return nullptr;
    return gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, format, "width", G_TYPE_INT,
                               static_cast<gint>(width), "height", G_TYPE_INT, static_cast<gint>(rows), "framerate",
                               GST_TYPE_FRACTION, fpsN, fpsD, nullptr);
}

GstCaps* CapsForVideoColour(LONG videoColour)
{
    GstCaps* caps = gst_caps_from_string(OSTREL_VIDEO_CAPS);
    if (videoColour != 0 && videoColour != 1) return caps;
    caps = gst_caps_make_writable(caps);
    gst_caps_set_simple(caps, "format", G_TYPE_STRING, videoColour == 0 ? "RGB15" : "BGR", nullptr);
    return caps;
}
