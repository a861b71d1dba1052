// The quad view's property page in the headless host: it shows the six
// settings, every change acts at once, and closing undoes what was not
// applied.
#include "QuadViewResources.h"
#include "QuadViewTestSupport.h"
#include "objbase.h"
#include "objidl.h"
#include "propertyhost.h"

#include <gtest/gtest.h>

namespace {

class QuadViewPage : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(module.RegisterResult(), S_OK);
        settings = CreateByClsid(CLSID_QuadView);
        ASSERT_TRUE(settings);
    }

    void Open()
    {
        ComPtr<IPropertyPage> page;
        CoCreateInstance(CLSID_QuadViewProp, nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.OutVoid());
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), settings.Get()), S_OK);
        this->page = page;
    }

    bool Enabled(int id) { return GetControlState(host.Dialog(), id)->enabled; }

    LONG Get(HRESULT (STDMETHODCALLTYPE IQuadView::*getter)(LONG*))
    {
        LONG value = -100;
        (settings.Get()->*getter)(&value);
        return value;
    }

    RegisteredQuadView module;
    ComPtr<IQuadView> settings;
    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(QuadViewPage, ShowsTheSettingsAndEnablesTheOffsetOnlyForTheOwnClock)
{
    settings->SetTimeOffset(12);
    Open();
    HWND dialog = host.Dialog();
    EXPECT_EQ(host.Title(), u"設定");
    EXPECT_EQ(GetDialogTemplate(dialog)->resourceId, 101);
    const auto timeBase = GetControlState(dialog, IDC_QV_TIMEBASE);
    EXPECT_EQ(timeBase->items, (std::vector<std::u16string>{u"入力0", u"入力1", u"入力2", u"入力3", u"独自生成"}));
    EXPECT_EQ(timeBase->selection, 0);
    const auto background = GetControlState(dialog, IDC_QV_BACKGROUND);
    EXPECT_EQ(background->items, (std::vector<std::u16string>{u"黒", u"赤", u"緑", u"青"}));
    EXPECT_EQ(background->selection, 3);
    EXPECT_EQ(GetControlState(dialog, IDC_QV_OFFSET)->text, u"12");
    EXPECT_EQ(GetControlState(dialog, IDC_QV_MAXFRAMERATE)->text, u"30");
    EXPECT_EQ(GetControlState(dialog, IDC_QV_ZEROTIMESTAMPS)->text, u"タイムスタンプゼロ");
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_QV_BORDERLINES), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_QV_ZEROTIMESTAMPS), BST_UNCHECKED);
    for (int id : {IDC_QV_ZEROTIMESTAMPS, IDC_QV_OFFSET_LABEL, IDC_QV_OFFSET}) EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_QV_TIMEBASE, 4));
    for (int id : {IDC_QV_ZEROTIMESTAMPS, IDC_QV_OFFSET_LABEL, IDC_QV_OFFSET}) EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(host.Close(), S_OK);
}

// A saved own-clock choice shows with the offset controls usable.
TEST_F(QuadViewPage, ALoadedOwnClockChoiceEnablesTheOffsetControls)
{
    auto source = CreateByClsid(CLSID_QuadView);
    source->SetTimeBase(4);
    ComPtr<IStream> stream;
    ASSERT_EQ(CreateMemoryStream(stream.Out()), S_OK);
    ASSERT_EQ(source.As<IPersistStream>(IID_IPersistStream)->Save(stream.Get(), TRUE), S_OK);
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    ASSERT_EQ(settings.As<IPersistStream>(IID_IPersistStream)->Load(stream.Get()), S_OK);
    Open();
    EXPECT_EQ(GetControlState(host.Dialog(), IDC_QV_TIMEBASE)->selection, 4);
    EXPECT_TRUE(Enabled(IDC_QV_OFFSET));
    EXPECT_EQ(host.Close(), S_OK);
}

TEST_F(QuadViewPage, ChangesActAtOnceAndAreUndoneUnlessApplied)
{
    Open();
    HWND dialog = host.Dialog();
    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_QV_TIMEBASE, 4));
    ASSERT_TRUE(UserSelectComboItem(dialog, IDC_QV_BACKGROUND, 1));
    ASSERT_TRUE(UserClickButton(dialog, IDC_QV_BORDERLINES));
    ASSERT_TRUE(UserClickButton(dialog, IDC_QV_ZEROTIMESTAMPS));
    ASSERT_TRUE(UserTypeText(dialog, IDC_QV_OFFSET, u"-20"));
    ASSERT_TRUE(UserTypeText(dialog, IDC_QV_MAXFRAMERATE, u"100"));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.StatusChanges().back(), PROPPAGESTATUS_DIRTY);
    EXPECT_EQ(Get(&IQuadView::GetTimeBase), 4);
    EXPECT_EQ(Get(&IQuadView::GetBackgroundColor), 1);
    EXPECT_EQ(Get(&IQuadView::GetTimeOffset), -20);
    EXPECT_EQ(Get(&IQuadView::GetMaxFrameRate), 62);
    BYTE border = 9, zero = 9;
    settings->GetBorderLines(&border);
    settings->GetZeroTimestamps(&zero);
    EXPECT_EQ(border, 0);
    EXPECT_EQ(zero, 1);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Get(&IQuadView::GetTimeBase), 0);
    EXPECT_EQ(Get(&IQuadView::GetBackgroundColor), 3);
    EXPECT_EQ(Get(&IQuadView::GetTimeOffset), 1);
    EXPECT_EQ(Get(&IQuadView::GetMaxFrameRate), 30);
    settings->GetBorderLines(&border);
    EXPECT_EQ(border, 1);

    Open();
    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_QV_BACKGROUND, 2));
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(Get(&IQuadView::GetBackgroundColor), 2);
}

} // namespace
