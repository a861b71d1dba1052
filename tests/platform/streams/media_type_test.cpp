#include "media_type.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Counts its references so a test can see what a copy or release did to pUnk.
struct CountedUnknown : IUnknown {
    ULONG refs = 1;
    STDMETHODIMP QueryInterface(REFIID, void** ppv) override
    {
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
};

CMediaType Rgb24Type(LONG width, LONG height)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biBitCount = 24;
    return type;
}

} // namespace

TEST(MediaTypeHelper, CopyOwnsItsFormatBlock)
{
    CMediaType original = Rgb24Type(640, 480);
    CMediaType copy = original;
    ASSERT_NE(copy.pbFormat, original.pbFormat);
    EXPECT_TRUE(copy == original);
    copy.VideoInfo()->bmiHeader.biWidth = 320;
    EXPECT_EQ(original.VideoInfo()->bmiHeader.biWidth, 640);
    EXPECT_FALSE(copy == original);
}

TEST(MediaTypeHelper, CreateAndDeleteBalanceTheUnknownReference)
{
    CountedUnknown unk;
    CMediaType type = Rgb24Type(2, 2);
    type.pUnk = &unk;
    unk.AddRef();
    AM_MEDIA_TYPE* handed = CreateMediaType(&type);
    ASSERT_NE(handed, nullptr);
    EXPECT_EQ(unk.refs, 3u);
    EXPECT_EQ(std::memcmp(handed->pbFormat, type.pbFormat, type.cbFormat), 0);
    DeleteMediaType(handed);
    EXPECT_EQ(unk.refs, 2u);
    FreeMediaType(type);
    EXPECT_EQ(unk.refs, 1u);
    EXPECT_EQ(type.pbFormat, nullptr);
    EXPECT_EQ(type.cbFormat, 0u);
}

TEST(MediaTypeHelper, VideoInfoNeedsAWholeHeader)
{
    CMediaType type = Rgb24Type(4, 4);
    EXPECT_NE(type.VideoInfo(), nullptr);
    type.AllocFormat(sizeof(VIDEOINFOHEADER) - 1);
    EXPECT_EQ(type.VideoInfo(), nullptr);
    type.AllocFormat(sizeof(VIDEOINFOHEADER));
    type.formattype = FORMAT_WaveFormatEx;
    EXPECT_EQ(type.VideoInfo(), nullptr);
}

TEST(MediaTypeHelper, VideoGeometryComparesWidthHeightAndBitCount)
{
    const CMediaType base = Rgb24Type(4, 2);
    CMediaType other = Rgb24Type(4, 2);
    other.VideoInfo()->bmiHeader.biSizeImage = 99;
    EXPECT_TRUE(SameVideoGeometry(base, other));
    EXPECT_FALSE(SameVideoGeometry(base, Rgb24Type(5, 2)));
    EXPECT_FALSE(SameVideoGeometry(base, Rgb24Type(4, -2)));
    other.VideoInfo()->bmiHeader.biBitCount = 32;
    EXPECT_FALSE(SameVideoGeometry(base, other));
    other.formattype = FORMAT_WaveFormatEx;
    EXPECT_FALSE(SameVideoGeometry(other, other));
}

TEST(MediaTypeHelper, PartialMatchIgnoresWhatIsUnnamed)
{
    CMediaType pattern;
    pattern.majortype = MEDIATYPE_Video;
    EXPECT_TRUE(pattern.IsPartiallySpecified());
    EXPECT_TRUE(pattern.MatchesPartial(Rgb24Type(8, 8)));
    pattern.subtype = MEDIASUBTYPE_RGB555;
    EXPECT_FALSE(pattern.MatchesPartial(Rgb24Type(8, 8)));
    CMediaType audio;
    audio.majortype = MEDIATYPE_Audio;
    EXPECT_FALSE(CMediaType(Rgb24Type(8, 8)).MatchesPartial(audio));
}

TEST(MediaTypeHelper, SelfAssignmentKeepsTheBlock)
{
    CMediaType type = Rgb24Type(16, 9);
    CMediaType& alias = type;
    type = alias;
    ASSERT_NE(type.VideoInfo(), nullptr);
    EXPECT_EQ(type.VideoInfo()->bmiHeader.biWidth, 16);
}
