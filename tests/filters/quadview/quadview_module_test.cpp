// The module as a graph builder meets it: registration, creation by CLSID,
// pins, the settings and their saved form, and the media types.
#include "QuadViewTestSupport.h"
#include "fmapper.h"
#include "objbase.h"
#include "objidl.h"
#include "ocidl.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class QuadViewModule : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(module.RegisterResult(), S_OK); }
    RegisteredQuadView module;
};

TEST_F(QuadViewModule, RegistersTheFilterWithFourInputsAndServesOnlyItsClasses)
{
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), 1u);
    EXPECT_EQ(filters[0].clsid, CLSID_QuadView);
    EXPECT_EQ(filters[0].friendlyName, u"Velk QuadView");
    EXPECT_EQ(filters[0].merit, 0x200000u);
    const std::u16string names[] = {u"Input1", u"Input2", u"Input3", u"Input4", u"Output"};
    ASSERT_EQ(filters[0].pins.size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(filters[0].pins[i].name, names[i]);
        EXPECT_EQ(filters[0].pins[i].output, i == 4);
        EXPECT_EQ(filters[0].pins[i].connectsToPin, i == 4 ? u"Input" : u"Output");
    }
    const CLSID stereoDisplay{0x46DA993A, 0x2729, 0x4DC3, {0x94, 0x2D, 0x6A, 0x8B, 0x84, 0xED, 0x43, 0xE8}};
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(module.GetClassObject(stereoDisplay, IID_IClassFactory, factory.OutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(module.GetClassObject(CLSID_QuadViewProp, IID_IClassFactory, factory.OutVoid()), S_OK);
    ASSERT_EQ(module.Unregister(), S_OK);
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
}

TEST_F(QuadViewModule, PinsAreNamedByIndexAndFoundByTheirIds)
{
    QuadGraph quad;
    ASSERT_TRUE(quad.settings);
    struct Case {
        const char16_t* id;
        const char16_t* name;  // null: no such pin
    };
    for (const Case c : {Case{u"In0", u"Input 0"}, Case{u"In3", u"Input 3"}, Case{u"Out", u"Output"},
                         Case{u"In4", nullptr}, Case{u"0", nullptr}, Case{u"Input 0", nullptr}}) {
        ComPtr<IPin> pin;
        const HRESULT hr = quad.filter->FindPin(c.id, pin.Out());
        if (!c.name) {
            EXPECT_EQ(hr, VFW_E_NOT_FOUND) << std::string(c.id, c.id + std::char_traits<char16_t>::length(c.id));
            continue;
        }
        ASSERT_EQ(hr, S_OK);
        PIN_INFO info{};
        ASSERT_EQ(pin->QueryPinInfo(&info), S_OK);
        info.pFilter->Release();
        EXPECT_EQ(std::u16string(info.achName), c.name);
    }
    CAUUID pages{};
    ASSERT_EQ(quad.settings.As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages)->GetPages(&pages), S_OK);
    ASSERT_EQ(pages.cElems, 1u);
    EXPECT_EQ(pages.pElems[0], CLSID_QuadViewProp);
    CoTaskMemFree(pages.pElems);
}

TEST_F(QuadViewModule, MaxFrameRateIsClampedAndReadsBackFromTheInterval)
{
    QuadGraph quad;
    struct Case {
        LONG set, readBack;
    };
    LONG rate = 0;
    ASSERT_EQ(quad.settings->GetMaxFrameRate(&rate), S_OK);
    EXPECT_EQ(rate, 30);
    for (const Case c : {Case{0, 1}, Case{-5, 1}, Case{100, 62}, Case{60, 62}, Case{1, 1}, Case{7, 7}, Case{30, 30}}) {
        ASSERT_EQ(quad.settings->SetMaxFrameRate(c.set), S_OK);
        ASSERT_EQ(quad.settings->GetMaxFrameRate(&rate), S_OK);
        EXPECT_EQ(rate, c.readBack) << c.set;
    }
}

// Time base, zero flag, offset, background, rate and border lines in 18
// bytes after the version field; loading applies the rate through its
// clamp and choice 4 selects the own clock.
TEST_F(QuadViewModule, SettingsPersistInEighteenBytes)
{
    QuadGraph quad;
    auto persist = quad.settings.As<IPersistStream>(IID_IPersistStream);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    quad.settings->SetTimeBase(4);
    quad.settings->SetZeroTimestamps(1);
    quad.settings->SetTimeOffset(-3);
    quad.settings->SetBackgroundColor(1);
    quad.settings->SetMaxFrameRate(25);
    quad.settings->SetBorderLines(0);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 42u);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE bytes[48] = {};
    ULONG read = 0;
    stream->Read(bytes, sizeof bytes, &read);
    ASSERT_EQ(read, 42u);
    EXPECT_EQ(std::memcmp(bytes, u"00000000001 ", 24), 0);
    const BYTE expected[18] = {4, 0, 0, 0, 1, 0xFD, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 25, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(bytes + 24, expected, 18), 0);

    bytes[24 + 13] = 0;  // a stored rate of 0 loads as 1 frame per second
    auto loaded = CreateByClsid(CLSID_QuadView);
    ComPtr<IStream> edited;
    ASSERT_EQ(CreateMemoryStream(edited.Out()), S_OK);
    edited->Write(bytes, 42, nullptr);
    edited->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.As<IPersistStream>(IID_IPersistStream)->Load(edited.Get()), S_OK);
    LONG choice = 0, offset = 0, colour = 0, rate = 0;
    BYTE zero = 0, border = 1;
    loaded->GetTimeBase(&choice);
    loaded->GetZeroTimestamps(&zero);
    loaded->GetTimeOffset(&offset);
    loaded->GetBackgroundColor(&colour);
    loaded->GetMaxFrameRate(&rate);
    loaded->GetBorderLines(&border);
    EXPECT_EQ(choice, 4);
    EXPECT_EQ(zero, 1);
    EXPECT_EQ(offset, -3);
    EXPECT_EQ(colour, 1);
    EXPECT_EQ(rate, 1);
    EXPECT_EQ(border, 0);
}

TEST_F(QuadViewModule, InputsTakeOnlyWholeRgbVideoInfoTypes)
{
    QuadGraph quad;
    auto input = quad.Pin(u"In1");
    CMediaType malformed = Rgb24Type(16, 8);
    malformed.VideoInfo()->bmiHeader.biBitCount = 32;
    CMediaType videoInfo2 = Rgb24Type(16, 8);
    videoInfo2.formattype = FORMAT_VideoInfo2;
    struct Case {
        CMediaType type;
        bool accepted;
    };
    const Case cases[] = {
        {Rgb24Type(16, 8), true},
        {VideoType(MEDIASUBTYPE_RGB565, 16, 16, 8), true},
        {VideoType(MEDIASUBTYPE_RGB555, 16, 15, -7), true},
        {VideoType(MEDIASUBTYPE_RGB32, 32, 16, 8), false},
        {VideoType(MEDIASUBTYPE_YUY2, 16, 16, 8), false},
        {videoInfo2, false},
        {malformed, false},
        {Rgb24Type(0, 8), false},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(input->QueryAccept(&cases[i].type), cases[i].accepted ? S_OK : S_FALSE) << i;
}

// A second input must match the first in subtype, width and height.
TEST_F(QuadViewModule, AnInputThatDiffersFromAConnectedOneCannotConnect)
{
    QuadGraph quad;
    ASSERT_EQ(quad.AddSource(0, Rgb24Type(16, 8), {}), S_OK);
    struct Case {
        CMediaType type;
        HRESULT result;
    };
    const Case cases[] = {
        {Rgb24Type(8, 8), E_FAIL},
        {Rgb24Type(16, 4), E_FAIL},
        {VideoType(MEDIASUBTYPE_RGB555, 16, 16, 8), E_FAIL},
        {Rgb24Type(16, 8), S_OK},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(quad.AddSource(2, cases[i].type, {}), cases[i].result) << i;
}

// The output offers the first connected input's type, sized as a bitmap
// (rows padded to 4 bytes), and needs an input to offer anything.
TEST_F(QuadViewModule, OutputOffersTheFirstConnectedInputsType)
{
    QuadGraph quad;
    EXPECT_TRUE(FAILED(quad.ConnectOutput()));
    ASSERT_EQ(quad.AddSource(1, Rgb24Type(18, 8), {}), S_OK);
    ASSERT_EQ(quad.ConnectOutput(), S_OK);
    const auto type = quad.sink->ConnectionType();
    ASSERT_TRUE(type);
    EXPECT_EQ(type->subtype, MEDIASUBTYPE_RGB24);
    EXPECT_EQ(type->lSampleSize, 56u * 8u);
    EXPECT_EQ(type->VideoInfo()->bmiHeader.biWidth, 18);
    EXPECT_EQ(quad.Pin(u"Out")->QueryAccept(&*type), S_OK);
    const CMediaType other = Rgb24Type(16, 8);
    EXPECT_EQ(quad.Pin(u"Out")->QueryAccept(&other), S_FALSE);
}

} // namespace
