#include "media_type.h"

#include <gtest/gtest.h>

#include <cstddef>

// A client compiled against the published records reads these offsets.
TEST(RecordLayout, MediaTypeFieldsSitAtPublishedOffsets)
{
    EXPECT_EQ(offsetof(AM_MEDIA_TYPE, subtype), 16u);
    EXPECT_EQ(offsetof(AM_MEDIA_TYPE, bFixedSizeSamples), 32u);
    EXPECT_EQ(offsetof(AM_MEDIA_TYPE, lSampleSize), 40u);
    EXPECT_EQ(offsetof(AM_MEDIA_TYPE, formattype), 44u);
    EXPECT_EQ(offsetof(AM_MEDIA_TYPE, pbFormat), 80u);
    EXPECT_EQ(sizeof(AM_MEDIA_TYPE), 88u);
}

TEST(RecordLayout, VideoAndAudioHeaders)
{
    EXPECT_EQ(sizeof(VIDEOINFOHEADER), 88u);
    EXPECT_EQ(offsetof(VIDEOINFOHEADER, bmiHeader), 48u);
    EXPECT_EQ(offsetof(BITMAPINFOHEADER, biBitCount), 14u);
    EXPECT_EQ(offsetof(BITMAPINFOHEADER, biSizeImage), 20u);
    EXPECT_EQ(sizeof(WAVEFORMATEX), 18u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, nAvgBytesPerSec), 8u);
    EXPECT_EQ(offsetof(WAVEFORMATEX, cbSize), 16u);
}

TEST(MediaGuids, PublishedTextForms)
{
    EXPECT_EQ(GuidToString(MEDIATYPE_Video), "{73646976-0000-0010-8000-00AA00389B71}");
    EXPECT_EQ(GuidToString(MEDIASUBTYPE_RGB24), "{E436EB7D-524F-11CE-9F53-0020AF0BA770}");
    EXPECT_EQ(GuidToString(MEDIASUBTYPE_YUY2), "{32595559-0000-0010-8000-00AA00389B71}");
    EXPECT_EQ(GuidToString(FORMAT_VideoInfo), "{05589F80-C356-11CE-BF01-00AA0055595A}");
    EXPECT_NE(MEDIASUBTYPE_RGB555, MEDIASUBTYPE_RGB565);
}

TEST(DibSize, RowsArePaddedToWholeWords)
{
    BITMAPINFOHEADER h{};
    h.biWidth = 5;
    h.biHeight = -3;
    h.biBitCount = 24;
    EXPECT_EQ(DibRowBytes(5, 24), 16);
    EXPECT_EQ(DibImageBytes(h), 48);
    h.biBitCount = 16;
    h.biHeight = 2;
    EXPECT_EQ(DibImageBytes(h), 24);
}

// A frame of 2^34 bytes once wrapped to 0 in 32 bits and got a buffer too
// small for it.
TEST(DibSize, LargeFramesNeverWrapToSmallSizes)
{
    BITMAPINFOHEADER h{};
    h.biWidth = 0x10000;
    h.biHeight = -0x10000;
    h.biBitCount = 32;
    EXPECT_EQ(DibImageBytes(h), 0x4'0000'0000);
    EXPECT_GT(DibImageBytes(h), kLargestSampleBytes);
    h.biWidth = 0x7FFFFFFF;
    h.biHeight = 0x7FFFFFFF;
    h.biBitCount = 0xFFFF;
    EXPECT_EQ(DibImageBytes(h), 0x7FFF'FFFF'FFFF'FFFF);
    h.biWidth = -640;
    EXPECT_EQ(DibRowBytes(h.biWidth, 24), 0);
    EXPECT_EQ(DibImageBytes(h), 0);
}
