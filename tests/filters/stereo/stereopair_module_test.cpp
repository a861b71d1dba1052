// The module as a graph builder and a property frame meet it: registration,
// creation by CLSID, the filters' interfaces, persistence, the video colour
// rule at the input pin, and both property pages.
#include "StereoPairTestSupport.h"
#include "filter_interfaces.h"
#include "fmapper.h"
#include "ocidl.h"
#include "objidl.h"
#include "pin_interfaces.h"
#include "propertyhost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <vector>

namespace {

TEST(StereoPairModule, RegistersItsFiltersWithTheirPinsAndMerit)
{
    RegisteredStereoPair module;
    ASSERT_EQ(module.RegisterResult(), S_OK);
    struct Expected {
        const CLSID* clsid;
        const char16_t* name;
        std::size_t inputs;
    };
    const Expected expected[] = {
        {&CLSID_LevelCompress, u"Velk 2-Input Level Compressor", 2},
        {&CLSID_Interlace, InterlaceTraits::kFriendlyName, 1},
        {&CLSID_GreenShift, GreenShiftTraits::kFriendlyName, 1},
        {&CLSID_StereoDisplay, u"Velk Stereo Display", 2},
        {&CLSID_Quenza, u"Velk Quenza", 2},
    };
    std::vector<RegisteredFilter> filters;
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    ASSERT_EQ(filters.size(), std::size(expected));
    for (const RegisteredFilter& filter : filters) {
        const auto match = std::find_if(std::begin(expected), std::end(expected),
                                        [&](const Expected& e) { return *e.clsid == filter.clsid; });
        ASSERT_NE(match, std::end(expected));
        EXPECT_EQ(filter.friendlyName, match->name);
        EXPECT_EQ(filter.merit, 0x200000u);
        const std::size_t inputs = match->inputs;
        ASSERT_EQ(filter.pins.size(), inputs + 1);
        for (std::size_t i = 0; i < inputs; ++i) {
            EXPECT_EQ(filter.pins[i].name, u"Input");
            EXPECT_FALSE(filter.pins[i].output);
            EXPECT_EQ(filter.pins[i].connectsToPin, u"Output");
        }
        EXPECT_EQ(filter.pins[inputs].name, u"Output");
        EXPECT_TRUE(filter.pins[inputs].output);
        EXPECT_EQ(filter.pins[inputs].connectsToPin, u"Input");
        for (const RegisteredPin& pin : filter.pins) {
            ASSERT_EQ(pin.mediaTypes.size(), 1u);
            EXPECT_EQ(pin.mediaTypes[0].majorType, MEDIATYPE_Video);
            EXPECT_EQ(pin.mediaTypes[0].minorType, GUID_NULL);
        }
    }
    ASSERT_EQ(module.Unregister(), S_OK);
    ASSERT_EQ(EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, filters), S_OK);
    EXPECT_TRUE(filters.empty());
    EXPECT_FALSE(CreateByClsid<IUnknown>(CLSID_GreenShift, IID_IUnknown));
}

// Classes of other modules are not served.
TEST(StereoPairModule, ServesOnlyItsOwnClasses)
{
    RegisteredStereoPair module;
    const CLSID noise{0x6CD30BFD, 0x94C8, 0x450E, {0xB9, 0x60, 0x39, 0x5D, 0x42, 0x60, 0x20, 0xB4}};
    ComPtr<IClassFactory> foreign;
    EXPECT_EQ(module.GetClassObject(noise, IID_IClassFactory, foreign.OutVoid()), CLASS_E_CLASSNOTAVAILABLE);
    for (const CLSID* clsid : {&CLSID_LevelCompress, &CLSID_LevelCompressProp, &CLSID_GreenShift,
                               &CLSID_GreenShiftProp, &CLSID_Interlace, &CLSID_InterlaceProp, &CLSID_StereoDisplay,
                               &CLSID_StereoDisplayProp, &CLSID_Quenza, &CLSID_QuenzaProp}) {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(module.GetClassObject(*clsid, IID_IClassFactory, factory.OutVoid()), S_OK);
    }
}

template <class Traits>
class StereoFilterTest : public ::testing::Test {
protected:
    using Settings = typename Traits::Settings;

    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        settings = CreateByClsid<Settings>(Traits::kClsid, Traits::kIid);
        ASSERT_TRUE(settings);
    }

    ComPtr<IPin> Pin(const char16_t* id)
    {
        auto filter = settings.template As<IBaseFilter>(IID_IBaseFilter);
        ComPtr<IPin> pin;
        filter->FindPin(id, pin.Out());
        return pin;
    }

    RegisteredStereoPair module;
    ComPtr<Settings> settings;
};

using StereoFilters = ::testing::Types<GreenShiftTraits, InterlaceTraits>;
TYPED_TEST_SUITE(StereoFilterTest, StereoFilters);

TYPED_TEST(StereoFilterTest, CreatedByClsidWithItsInterfacesAndPage)
{
    EXPECT_EQ(VideoColourOf<TypeParam>(this->settings.Get()), 2);
    auto persist = this->settings.template As<IPersistStream>(IID_IPersistStream);
    auto pages = this->settings.template As<ISpecifyPropertyPages>(IID_ISpecifyPropertyPages);
    auto filter = this->settings.template As<IBaseFilter>(IID_IBaseFilter);
    ASSERT_TRUE(persist && pages && filter);
    CLSID clsid{};
    ASSERT_EQ(filter->GetClassID(&clsid), S_OK);
    EXPECT_EQ(clsid, TypeParam::kClsid);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 1u);
    EXPECT_EQ(list.pElems[0], TypeParam::kPageClsid);
    CoTaskMemFree(list.pElems);
    EXPECT_TRUE(this->Pin(u"Input"));
    EXPECT_TRUE(this->Pin(u"Output"));
}

TYPED_TEST(StereoFilterTest, VideoColourSelectsTheAcceptedInputTypes)
{
    auto input = this->Pin(u"Input");
    ASSERT_TRUE(input);
    const CMediaType rgb555 = Rgb555Type(4, 2), rgb24 = Rgb24Type(4, 2);
    const CMediaType others[] = {VideoType(MEDIASUBTYPE_RGB565, 16, 4, 2), VideoType(MEDIASUBTYPE_RGB32, 32, 4, 2),
                                 VideoType(MEDIASUBTYPE_YUY2, 16, 4, 2), VideoType(MEDIASUBTYPE_UYVY, 16, 4, 2)};
    struct Case {
        LONG colour;
        bool rgb555, rgb24;
    };
    for (const Case c : {Case{0, true, false}, Case{1, false, true}, Case{2, true, true}, Case{9, true, true}}) {
        ASSERT_EQ(this->settings->SetVideoColour(c.colour), S_OK);
        EXPECT_EQ(input->QueryAccept(&rgb555), c.rgb555 ? S_OK : S_FALSE) << c.colour;
        EXPECT_EQ(input->QueryAccept(&rgb24), c.rgb24 ? S_OK : S_FALSE) << c.colour;
        for (const CMediaType& other : others) EXPECT_EQ(input->QueryAccept(&other), S_FALSE) << c.colour;
    }
}

TYPED_TEST(StereoFilterTest, SettingsSurviveASaveAndLoad)
{
    ASSERT_EQ(this->settings->SetVideoColour(0), S_OK);
    auto persist = this->settings.template As<IPersistStream>(IID_IPersistStream);
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ULARGE_INTEGER size{};
    ASSERT_EQ(persist->GetSizeMax(&size), S_OK);
    EXPECT_EQ(size.QuadPart, 28u);

    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(persist->Save(stream.Get(), TRUE), S_OK);
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    BYTE bytes[32] = {};
    ULONG got = 0;
    stream->Read(bytes, sizeof bytes, &got);
    ASSERT_EQ(got, 28u);
    EXPECT_EQ(std::memcmp(bytes, u"00000000001 ", 24), 0);
    EXPECT_EQ(bytes[24] | bytes[25] | bytes[26] | bytes[27], 0);

    auto loaded = CreateByClsid<typename TypeParam::Settings>(TypeParam::kClsid, TypeParam::kIid);
    ASSERT_EQ(VideoColourOf<TypeParam>(loaded.Get()), 2);
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(loaded.template As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    EXPECT_EQ(VideoColourOf<TypeParam>(loaded.Get()), 0);
}

// The page shows the filter's setting, changes it only on Apply, and tells
// its site when the user made it dirty.
TYPED_TEST(StereoFilterTest, PageEditsTheVideoColourThroughTheHeadlessHost)
{
    ASSERT_EQ(this->settings->SetVideoColour(1), S_OK);
    auto page = CreateByClsid<IPropertyPage>(TypeParam::kPageClsid, IID_IPropertyPage);
    ASSERT_TRUE(page);
    PropertyPageHost host;
    ASSERT_EQ(host.Open(page.Get(), this->settings.Get()), S_OK);
    EXPECT_EQ(host.Title(), TypeParam::kPageTitle);
    ASSERT_EQ(GetDialogTemplate(host.Dialog())->resourceId, TypeParam::kDialogId);
    EXPECT_EQ(GetControlState(host.Dialog(), IDC_VIDEOCOLOUR_LABEL)->text, u"ビデオカラー");
    const auto combo = GetControlState(host.Dialog(), IDC_VIDEOCOLOUR);
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->items, (std::vector<std::u16string>{u"RGB555", u"RGB24", u"自動"}));
    EXPECT_EQ(combo->selection, 1);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_VIDEOCOLOUR, 0));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    ASSERT_FALSE(host.StatusChanges().empty());
    EXPECT_EQ(host.StatusChanges().back(), PROPPAGESTATUS_DIRTY);
    EXPECT_EQ(VideoColourOf<TypeParam>(this->settings.Get()), 1);

    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(VideoColourOf<TypeParam>(this->settings.Get()), 0);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
}

TYPED_TEST(StereoFilterTest, PageShowsAnyOtherValueAsAutomatic)
{
    ASSERT_EQ(this->settings->SetVideoColour(7), S_OK);
    auto page = CreateByClsid<IPropertyPage>(TypeParam::kPageClsid, IID_IPropertyPage);
    PropertyPageHost host;
    ASSERT_EQ(host.Open(page.Get(), this->settings.Get()), S_OK);
    EXPECT_EQ(GetControlState(host.Dialog(), IDC_VIDEOCOLOUR)->selection, 2);
    // Closing without a change writes nothing back.
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(VideoColourOf<TypeParam>(this->settings.Get()), 7);
}

TEST(StereoPairPages, RefuseAnObjectWithoutTheirSettingsInterface)
{
    RegisteredStereoPair module;
    auto greenShift = CreateByClsid<IUnknown>(CLSID_GreenShift, IID_IUnknown);
    auto interlace = CreateByClsid<IUnknown>(CLSID_Interlace, IID_IUnknown);
    auto interlacePage = CreateByClsid<IPropertyPage>(CLSID_InterlaceProp, IID_IPropertyPage);
    auto greenShiftPage = CreateByClsid<IPropertyPage>(CLSID_GreenShiftProp, IID_IPropertyPage);
    ASSERT_TRUE(greenShift && interlace && interlacePage && greenShiftPage);
    IUnknown* object = greenShift.Get();
    EXPECT_EQ(interlacePage->SetObjects(1, &object), E_NOINTERFACE);
    object = interlace.Get();
    EXPECT_EQ(greenShiftPage->SetObjects(1, &object), E_NOINTERFACE);
    // Nothing connected, so there is nothing to let go.
    EXPECT_EQ(greenShiftPage->SetObjects(0, nullptr), E_UNEXPECTED);
}

} // namespace
