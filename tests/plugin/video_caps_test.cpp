// Caps and media types both ways: the rows of a top-down frame count as
// positive, frames caps cannot state give no caps, and caps of frames no
// sample can hold give no type.
#include "VideoCaps.h"
#include "media_guids.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct HeaderCase {
    const char* name;
    LONG width;
    LONG height;
    int capsHeight;  // 0: no caps
};

CMediaType Rgb24(LONG width, LONG height)
{
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = 333333;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biBitCount = 24;
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    type.SetFormat(&info, sizeof info);
    return type;
}

TEST(CapsFromMediaType, StatesRowsAsPositiveAndRefusesFramesWithoutPixels)
{
    const HeaderCase cases[] = {
        {"bottom-up", 320, 240, 240},      {"top-down", 320, -240, 240},
        {"tallest top-down", 8, -INT_MAX, INT_MAX}, {"most negative height", 8, INT_MIN, 0},
        {"no rows", 320, 0, 0},             {"no width", 0, 240, 0},
        {"negative width", -320, 240, 0},
    };
    for (const HeaderCase& c : cases) {
        GstCaps* caps = CapsFromMediaType(Rgb24(c.width, c.height));
        if (c.capsHeight == 0) {
            EXPECT_EQ(caps, nullptr) << c.name;
            if (caps) gst_caps_unref(caps);
            continue;
        }
        ASSERT_NE(caps, nullptr) << c.name;
        const GstStructure* s = gst_caps_get_structure(caps, 0);
        int width = 0, height = 0;
        EXPECT_TRUE(gst_structure_get_int(s, "width", &width) && gst_structure_get_int(s, "height", &height));
        EXPECT_EQ(width, c.width) << c.name;
        EXPECT_EQ(height, c.capsHeight) << c.name;
        gst_caps_unref(caps);
    }
}

} // namespace

namespace {

struct CapsCase {
    const char* name;
    const char* format;
    int width;
    int height;
    const char* reason;  // null: accepted
};

// GStreamer reads sizes from caps as they are, negative ones too.
TEST(MediaTypeFromCaps, TakesOnlyFramesWithPixelsThatFitASample)
{
    const CapsCase cases[] = {
        {"RGB24", "BGR", 320, 240, nullptr},
        {"RGB555", "RGB15", 8, 4, nullptr},
        {"negative sizes", "RGB15", -8, -4, "no pixels"},
        {"no width", "BGR", 0, 240, "no pixels"},
        {"no rows", "BGR", 320, 0, "no pixels"},
        {"larger than a sample", "RGB15", 32768, 32768, "too large"},
        {"padded rows", "BGR", 5, 4, "padded"},
    };
    for (const CapsCase& c : cases) {
        GstCaps* caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, c.format, "width", G_TYPE_INT,
                                            c.width, "height", G_TYPE_INT, c.height, "framerate", GST_TYPE_FRACTION,
                                            30, 1, nullptr);
        CMediaType type;
        std::string why;
        const bool accepted = MediaTypeFromCaps(caps, type, why);
        gst_caps_unref(caps);
        EXPECT_EQ(accepted, c.reason == nullptr) << c.name << ": " << why;
        if (c.reason) {
            EXPECT_NE(why.find(c.reason), std::string::npos) << c.name << ": " << why;
            continue;
        }
        const VIDEOINFOHEADER* video = VideoInfoOf(type);
        ASSERT_NE(video, nullptr) << c.name;
        EXPECT_EQ(video->bmiHeader.biWidth, c.width) << c.name;
        EXPECT_EQ(video->bmiHeader.biHeight, c.height) << c.name;
        EXPECT_EQ(video->bmiHeader.biSizeImage, DWORD(c.width * c.height * video->bmiHeader.biBitCount / 8)) << c.name;
    }
}

} // namespace
