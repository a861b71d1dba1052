#include "FrameworkTestSupport.h"
#include "TestSettings.h"
#include "objidl.h"
#include "propertyhost.h"

#include <gtest/gtest.h>

namespace {

class PageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.Create(CLSID_FrameworkTestFilter, IID_ITestSettings, filter.PutVoid()), S_OK);
        filter->SetColour(1);
        filter->SetGain(10);
        filter->SetEnabled(1);
        filter->SetRate(30);
        ASSERT_EQ(module.Create(CLSID_FrameworkTestPage, IID_IPropertyPage, page.PutVoid()), S_OK);
    }

    LONG Gain()
    {
        LONG v = 0;
        filter->GetGain(&v);
        return v;
    }
    LONG Colour()
    {
        LONG v = 0;
        filter->GetColour(&v);
        return v;
    }
    LONG Rate()
    {
        LONG v = 0;
        filter->GetRate(&v);
        return v;
    }

    TestModule module;
    Ref<ITestSettings> filter;
    Ref<IPropertyPage> page;
    PropertyPageHost host;
};

} // namespace

TEST_F(PageTest, InitialisationFillsControlsFromTheFilterWithoutMarkingDirty)
{
    ASSERT_EQ(host.Open(page.Get(), filter.Get()), S_OK);
    EXPECT_EQ(host.Title(), u"テスト設定");
    const HWND dialog = host.Dialog();
    ASSERT_NE(dialog, nullptr);
    const auto combo = GetControlState(dialog, IDC_COLOUR);
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->items, (std::vector<std::u16string>{u"RGB555", u"RGB24", u"自動"}));
    EXPECT_EQ(combo->selection, 1);
    const auto gain = GetControlState(dialog, IDC_GAIN);
    EXPECT_EQ(gain->rangeMin, -100);
    EXPECT_EQ(gain->rangeMax, 100);
    EXPECT_EQ(gain->position, 10);
    EXPECT_EQ(GetControlState(dialog, IDC_ENABLED)->check, BST_CHECKED);
    EXPECT_EQ(GetControlState(dialog, IDC_RATE)->text, u"30");
    EXPECT_TRUE(host.StatusChanges().empty());
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_EQ(GetActiveTimers(dialog).size(), 1u);
    EXPECT_EQ(GetActiveTimers(dialog)[0], (std::pair<UINT_PTR, UINT>{kMonitorTimer, 50}));
    ASSERT_TRUE(FireTimer(dialog, kMonitorTimer));
    ASSERT_TRUE(FireTimer(dialog, kMonitorTimer));
    EXPECT_EQ(GetControlState(dialog, IDC_MONITOR)->text, u"2");
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(host.SiteReferences(), 0);
}

TEST_F(PageTest, ChangesMarkDirtyAndApplyWritesThem)
{
    ASSERT_EQ(host.Open(page.Get(), filter.Get()), S_OK);
    const HWND dialog = host.Dialog();
    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_COLOUR, 0));
    EXPECT_EQ(host.StatusChanges(), std::vector<DWORD>{PROPPAGESTATUS_DIRTY});
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    ASSERT_TRUE(UserTypeText(dialog, IDC_RATE, u"45"));
    EXPECT_FALSE(UserTypeText(dialog, IDC_RATE, u"4x")); // a number-only edit refuses letters
    ASSERT_TRUE(UserClickButton(dialog, IDC_ENABLED));
    EXPECT_EQ(host.StatusChanges().size(), 3u);
    // Nothing but previews reaches the filter before Apply.
    EXPECT_EQ(Colour(), 1);
    EXPECT_EQ(Rate(), 30);

    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(Colour(), 0);
    EXPECT_EQ(Rate(), 45);
    BYTE enabled = 1;
    filter->GetEnabled(&enabled);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Colour(), 0);
}

TEST_F(PageTest, PreviewIsWrittenAtOnceAndUndoneOnDisconnectUnlessApplied)
{
    ASSERT_EQ(host.Open(page.Get(), filter.Get()), S_OK);
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_GAIN, -40));
    EXPECT_EQ(Gain(), -40);
    EXPECT_EQ(host.StatusChanges(), std::vector<DWORD>{PROPPAGESTATUS_DIRTY});
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_GAIN, 500)); // held at the range's end
    EXPECT_EQ(Gain(), 100);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Gain(), 10);

    PropertyPageHost second;
    ASSERT_EQ(second.Open(page.Get(), filter.Get()), S_OK);
    ASSERT_TRUE(UserMoveTrackbar(second.Dialog(), IDC_GAIN, 25));
    ASSERT_EQ(second.Apply(), S_OK);
    EXPECT_EQ(second.Close(), S_OK);
    EXPECT_EQ(Gain(), 25);
}

TEST_F(PageTest, ConnectNeedsTheSettingsInterfaceAndDisconnectNeedsAConnection)
{
    Ref<IStream> notAFilter;
    ASSERT_EQ(CreateMemoryStream(notAFilter.Put()), S_OK);
    EXPECT_EQ(host.Open(page.Get(), notAFilter.Get()), E_NOINTERFACE);
    EXPECT_EQ(host.SiteReferences(), 0);
    EXPECT_EQ(page->SetObjects(0, nullptr), E_UNEXPECTED);
    EXPECT_EQ(page->Apply(), E_UNEXPECTED);

    IUnknown* object = filter.Get();
    ASSERT_EQ(page->SetObjects(1, &object), S_OK);
    EXPECT_EQ(page->SetObjects(0, nullptr), S_OK);
    EXPECT_EQ(page->SetObjects(0, nullptr), E_UNEXPECTED);
}
