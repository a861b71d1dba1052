// The module as a graph builder and a property frame meet it: registration,
// creation by CLSID, the filters' interfaces, persistence and input types.
#include "FxBankTestSupport.h"
#include "filter_interfaces.h"
#include "fmapper.h"
#include "objidl.h"
#include "ocidl.h"
#include "pin_interfaces.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

namespace {

TEST(FxBankModule, RegistersItsFiltersWithTheirPinsAndMerit)
{
    RegisteredFxBank module;
    ASSERT_EQ(module.RegisterResult(), S_OK);
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    const std::map<std::u16string, std::vector<std::u16string>> expected{
        {NoiseTraits::kFriendlyName, {u"Input", u"Output"}},
        {GhostTraits::kFriendlyName, {u"Input", u"Output"}},
        {ScrollTraits::kFriendlyName, {u"Input", u"Output"}},
        {SubliminalTraits::kFriendlyName, {u"Input", u"Output", u"SubInput"}},
        {u"Velk Frame Rate Controller", {u"Input", u"Output"}},
    };
    std::map<std::u16string, std::vector<std::u16string>> found;
    for (const RegisteredFilter& filter : filters) {
        EXPECT_EQ(filter.merit, 0x200000u);
        for (const RegisteredPin& pin : filter.pins) {
            found[filter.friendlyName].push_back(pin.name);
            EXPECT_EQ(pin.connectsToPin, pin.output ? u"Input" : u"Output");
            EXPECT_EQ(pin.output, pin.name == u"Output");
            ASSERT_EQ(pin.mediaTypes.size(), 1u);
            EXPECT_EQ(pin.mediaTypes[0].majorType, MEDIATYPE_Video);
            EXPECT_EQ(pin.mediaTypes[0].minorType, GUID_NULL);
        }
    }
    EXPECT_EQ(found, expected);
    ASSERT_EQ(module.Unregister(), S_OK);
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
    EXPECT_FALSE(CreateByClsid<IUnknown>(CLSID_Ghost, IID_IUnknown));
}

TEST(FxBankModule, ServesOnlyItsOwnClasses)
{
    RegisteredFxBank module;
    const CLSID greenShift{0x44BA63D7, 0xA24A, 0x4CAB, {0xA9, 0x68, 0xE3, 0x14, 0x51, 0x52, 0xF2, 0x65}};
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(module.GetClassObject(greenShift, IID_IClassFactory, factory.OutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    for (const CLSID* clsid : {&CLSID_Noise, &CLSID_NoiseProp, &CLSID_Ghost, &CLSID_GhostProp, &CLSID_Scroll,
                               &CLSID_ScrollProp, &CLSID_Subliminal, &CLSID_SubliminalProp})
        EXPECT_EQ(module.GetClassObject(*clsid, IID_IClassFactory, factory.OutVoid()), S_OK);
}

template <class Traits>
class EffectFilterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        settings = CreateByClsid<typename Traits::Settings>(Traits::kClsid, Traits::kIid);
        ASSERT_TRUE(settings);
    }

    RegisteredFxBank module;
    ComPtr<typename Traits::Settings> settings;
};

using EffectFilters = ::testing::Types<GhostTraits, NoiseTraits, ScrollTraits, SubliminalTraits>;
TYPED_TEST_SUITE(EffectFilterTest, EffectFilters);

TYPED_TEST(EffectFilterTest, CreatedByClsidWithItsInterfacesAndPage)
{
    EXPECT_EQ(TypeParam::Get(this->settings.Get()), TypeParam::kDefaults);
    auto pages = this->settings.template As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    auto filter = this->settings.template As<IBaseFilter>(IID_IBaseFilter);
    ASSERT_TRUE(pages && filter && this->settings.template As<IPersistStream>(IID_IPersistStream));
    CLSID clsid{};
    ASSERT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, TypeParam::kClsid);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_EQ(list.pElems[0], TypeParam::kPageClsid);
    CoTaskMemFree(list.pElems);
}

TYPED_TEST(EffectFilterTest, TakesOnlyRgb24Video)
{
    auto filter = this->settings.template As<IBaseFilter>(IID_IBaseFilter);
    ComPtr<IPin> input;
    ASSERT_EQ(filter->FindPin(TypeParam::kClsid == CLSID_Subliminal ? u"In" : u"Input", input.Out()), S_OK);
    const CMediaType rgb24 = Rgb24Type(4, 2);
    EXPECT_EQ(input->QueryAccept(&rgb24), S_OK);
    CMediaType noFormat = rgb24;
    noFormat.formattype = GUID_NULL;
    for (const CMediaType& other : {Rgb555Type(4, 2), VideoType(MEDIASUBTYPE_RGB565, 16, 4, 2),
                                    VideoType(MEDIASUBTYPE_RGB32, 32, 4, 2), VideoType(MEDIASUBTYPE_YUY2, 16, 4, 2),
                                    noFormat})
        EXPECT_EQ(input->QueryAccept(&other), S_FALSE);
}

TYPED_TEST(EffectFilterTest, SettingsSurviveASaveAndLoad)
{
    TypeParam::Set(this->settings.Get(), TypeParam::kOther);
    auto persist = this->settings.template As<IPersistStream>(IID_IPersistStream);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 32u);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE bytes[40] = {};
    ULONG got = 0;
    stream->Read(bytes, sizeof bytes, &got);
    ASSERT_EQ(got, 32u);
    const std::vector<BYTE> expected = SettingsStreamBytes(TypeParam::kOther.first, TypeParam::kOther.second);
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 32), expected);

    auto loaded = CreateByClsid<typename TypeParam::Settings>(TypeParam::kClsid, TypeParam::kIid);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.template As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    EXPECT_EQ(TypeParam::Get(loaded.Get()), TypeParam::kOther);
}

// A stream is taken as written, except where the filter could not work with
// a value: the Subliminal period and sub count come back within their limits.
TEST(FxBankSettings, LoadedValuesAreKeptUnlessTheyCannotWork)
{
    RegisteredFxBank module;
    const auto load = [](IUnknown* object, LONG first, LONG second) {
        ComPtr<IStream> stream;
        EXPECT_EQ(CreateMemoryStream(stream.Out()), S_OK);
        const std::vector<BYTE> bytes = SettingsStreamBytes(first, second);
        stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        LARGE_INTEGER start{};
        stream->Seek(start, STREAM_SEEK_SET, nullptr);
        ComPtr<IPersistStream> persist;
        object->QueryInterface(IID_IPersistStream, persist.OutVoid());
        return persist->Load(stream.Get());
    };
    auto ghost = CreateByClsid<IGhostFilter>(CLSID_Ghost, IID_IGhostFilter);
    ASSERT_EQ(load(ghost.Get(), 250, -7), S_OK);
    EXPECT_EQ(GhostTraits::Get(ghost.Get()), SettingPair(250, -7));
    auto noise = CreateByClsid<INoiseFilter>(CLSID_Noise, IID_INoiseFilter);
    ASSERT_EQ(load(noise.Get(), 5, -1), S_OK);
    EXPECT_EQ(NoiseTraits::Get(noise.Get()), SettingPair(5, -1));

    auto subliminal = CreateByClsid<ISubliminalFilter>(CLSID_Subliminal, IID_ISubliminalFilter);
    struct Case {
        SettingPair stored, loaded;
    };
    for (const Case& c : {Case{{0, 0}, {1, 1}}, Case{{-5, 3}, {1, 1}}, Case{{10, 20}, {10, 10}},
                          Case{{10, -2}, {10, 1}}, Case{{10, 4}, {10, 4}}}) {
        ASSERT_EQ(load(subliminal.Get(), c.stored.first, c.stored.second), S_OK);
        EXPECT_EQ(SubliminalTraits::Get(subliminal.Get()), c.loaded) << c.stored.first << "/" << c.stored.second;
    }
}

TEST(FxBankSettings, SettersHoldTheirValuesToTheirRanges)
{
    RegisteredFxBank module;
    auto ghost = CreateByClsid<IGhostFilter>(CLSID_Ghost, IID_IGhostFilter);
    auto noise = CreateByClsid<INoiseFilter>(CLSID_Noise, IID_INoiseFilter);
    auto scroll = CreateByClsid<IScrollFilter>(CLSID_Scroll, IID_IScrollFilter);
    struct Case {
        SettingPair set, got;
    };
    // Strengths are held to 0 .. 100; offsets, types, directions and speeds are stored as given.
    for (const Case& c : {Case{{-5, -12345}, {0, -12345}}, Case{{101, 77}, {100, 77}}, Case{{64, 0}, {64, 0}}}) {
        GhostTraits::Set(ghost.Get(), c.set);
        EXPECT_EQ(GhostTraits::Get(ghost.Get()), c.got);
        NoiseTraits::Set(noise.Get(), {c.set.second, c.set.first});
        EXPECT_EQ(NoiseTraits::Get(noise.Get()), SettingPair(c.got.second, c.got.first));
        ScrollTraits::Set(scroll.Get(), c.set);
        EXPECT_EQ(ScrollTraits::Get(scroll.Get()), c.set);
    }

    auto subliminal = CreateByClsid<ISubliminalFilter>(CLSID_Subliminal, IID_ISubliminalFilter);
    struct Step {
        bool period;
        LONG value;
        SettingPair after;
    };
    const Step steps[] = {
        {false, 50, {30, 30}},  // more sub frames than the period holds
        {true, 12, {12, 12}},   // a shorter period lowers the sub count
        {true, 0, {1, 1}},      {true, 40, {40, 1}}, {false, 0, {40, 1}}, {false, -3, {40, 1}},
        {false, 8, {40, 8}},    {true, -9, {1, 1}},
    };
    for (const Step& step : steps) {
        if (step.period)
            subliminal->SetPeriod(step.value);
        else
            subliminal->SetSubCount(step.value);
        EXPECT_EQ(SubliminalTraits::Get(subliminal.Get()), step.after)
            << (step.period ? "period " : "count ") << step.value;
    }
}

} // namespace
