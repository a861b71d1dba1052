// Caps for the media types filters hand out: the rows of a top-down frame
// count as positive, and frames caps cannot state give no caps at all.
#include "VideoCaps.h"
#include "media_guids.h"

#include <gtest/gtest.h>

#include <climits>

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
