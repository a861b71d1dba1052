// The four property pages through the headless page host: what they show,
// which changes act at once and which wait for Apply, and what closing
// without Apply undoes.
#include "FxBankTestSupport.h"
#include "propertyhost.h"

#include <gtest/gtest.h>

namespace {

class EffectPage : public ::testing::Test {
protected:
    template <class Traits>
    ComPtr<typename Traits::Settings> Create()
    {
        return CreateByClsid<typename Traits::Settings>(Traits::kClsid, Traits::kIid);
    }

    void Open(REFCLSID pageClsid, IUnknown* filter)
    {
        page = CreateByClsid<IPropertyPage>(pageClsid, IID_IPropertyPage);
        ASSERT_TRUE(page);
        ASSERT_EQ(host.Open(page.Get(), filter), S_OK);
    }

    std::u16string Text(int id) { return GetControlState(host.Dialog(), id)->text; }
    LONG Position(int id) { return GetControlState(host.Dialog(), id)->position; }

    RegisteredFxBank module;
    ComPtr<IPropertyPage> page;
    PropertyPageHost host;
};

TEST_F(EffectPage, GhostTrackbarsActAtOnceAndCloseRestores)
{
    auto ghost = Create<GhostTraits>();
    ghost->SetOffset(-30);
    Open(CLSID_GhostProp, ghost.Get());
    EXPECT_EQ(host.Title(), u"擬似ゴースト");
    EXPECT_EQ(GetDialogTemplate(host.Dialog())->resourceId, 103);
    EXPECT_EQ(Text(IDC_GHOST_STRENGTH_LABEL), u"ゴーストの強さ");
    EXPECT_EQ(Text(IDC_GHOST_OFFSET_LABEL), u"ゴーストのオフセット");
    EXPECT_EQ(Text(IDC_GHOST_OFFSET_MIN), u"-Max.");
    EXPECT_EQ(Position(IDC_GHOST_STRENGTH), 50);
    EXPECT_EQ(Position(IDC_GHOST_OFFSET), -30);
    EXPECT_EQ(GetControlState(host.Dialog(), IDC_GHOST_OFFSET)->rangeMin, -100);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_GHOST_STRENGTH, 80));
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_GHOST_OFFSET, 12));
    EXPECT_EQ(GhostTraits::Get(ghost.Get()), SettingPair(80, 12));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.StatusChanges().back(), PROPPAGESTATUS_DIRTY);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(GhostTraits::Get(ghost.Get()), SettingPair(50, -30));

    Open(CLSID_GhostProp, ghost.Get());
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_GHOST_OFFSET, -100));
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(GhostTraits::Get(ghost.Get()), SettingPair(50, -100));
}

TEST_F(EffectPage, NoiseTypeAndStrengthActAtOnceAndCloseRestores)
{
    auto noise = Create<NoiseTraits>();
    Open(CLSID_NoiseProp, noise.Get());
    EXPECT_EQ(host.Title(), u"擬似ノイズ");
    EXPECT_EQ(GetDialogTemplate(host.Dialog())->resourceId, 102);
    const auto combo = GetControlState(host.Dialog(), IDC_NOISE_TYPE);
    EXPECT_EQ(combo->items, (std::vector<std::u16string>{u"タイプ1", u"タイプ2"}));
    EXPECT_EQ(combo->selection, 0);
    EXPECT_EQ(Text(IDC_NOISE_STRENGTH_LABEL), u"ノイズの強さ");
    EXPECT_EQ(Position(IDC_NOISE_STRENGTH), 50);

    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_NOISE_TYPE, 1));
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_NOISE_STRENGTH, 3));
    EXPECT_EQ(NoiseTraits::Get(noise.Get()), SettingPair(1, 3));
    EXPECT_EQ(host.IsPageDirty(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(NoiseTraits::Get(noise.Get()), SettingPair(0, 50));

    Open(CLSID_NoiseProp, noise.Get());
    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_NOISE_TYPE, 1));
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(NoiseTraits::Get(noise.Get()), SettingPair(1, 50));
}

// The speed previews and is restored on closing; the direction waits for
// Apply; the reset button puts the picture back at once.
TEST_F(EffectPage, ScrollSpeedPreviewsAndDirectionWaitsForApply)
{
    auto scroll = Create<ScrollTraits>();
    Open(CLSID_ScrollProp, scroll.Get());
    EXPECT_EQ(host.Title(), u"スクロール");
    EXPECT_EQ(GetDialogTemplate(host.Dialog())->resourceId, 104);
    const auto combo = GetControlState(host.Dialog(), IDC_SCROLL_DIRECTION);
    EXPECT_EQ(combo->items, (std::vector<std::u16string>{u"水平方向", u"垂直方向"}));
    EXPECT_EQ(combo->selection, 1);
    EXPECT_EQ(Text(IDC_SCROLL_RESET), u"リセット");
    EXPECT_EQ(GetControlState(host.Dialog(), IDC_SCROLL_SPEED)->rangeMin, -100);

    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_SCROLL_DIRECTION, 0));
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_SCROLL_SPEED, -40));
    EXPECT_EQ(ScrollTraits::Get(scroll.Get()), SettingPair(1, -40));
    EXPECT_TRUE(UserClickButton(host.Dialog(), IDC_SCROLL_RESET));
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(ScrollTraits::Get(scroll.Get()), SettingPair(1, 0));

    Open(CLSID_ScrollProp, scroll.Get());
    ASSERT_TRUE(UserSelectComboItem(host.Dialog(), IDC_SCROLL_DIRECTION, 0));
    ASSERT_TRUE(UserMoveTrackbar(host.Dialog(), IDC_SCROLL_SPEED, 25));
    ASSERT_EQ(host.Apply(), S_OK);
    EXPECT_EQ(host.Close(), S_OK);
    EXPECT_EQ(ScrollTraits::Get(scroll.Get()), SettingPair(0, 25));
}

// Typed values wait for Apply, which sets the period first so the sub count
// is held to the new period.
TEST_F(EffectPage, SubliminalEditsWaitForApply)
{
    auto subliminal = Create<SubliminalTraits>();
    Open(CLSID_SubliminalProp, subliminal.Get());
    EXPECT_EQ(host.Title(), u"サブリミナル");
    EXPECT_EQ(GetDialogTemplate(host.Dialog())->resourceId, 106);
    EXPECT_EQ(Text(IDC_SUBLIMINAL_PERIOD_LABEL), u"主映像のフレーム周期");
    EXPECT_EQ(Text(IDC_SUBLIMINAL_SUBCOUNT_LABEL), u"周期内での副映像フレーム出力数");
    EXPECT_EQ(Text(IDC_SUBLIMINAL_PERIOD), u"30");
    EXPECT_EQ(Text(IDC_SUBLIMINAL_SUBCOUNT), u"1");
    EXPECT_EQ(host.IsPageDirty(), S_FALSE);

    struct Case {
        const char16_t* period;
        const char16_t* subCount;
        SettingPair applied;
    };
    for (const Case& c : {Case{u"10", u"4", {10, 4}}, Case{u"5", u"50", {5, 5}}, Case{u"abc", u"2", {1, 1}},
                          Case{u"99999999999", u"-3", {2147483647, 1}}}) {
        const SettingPair before = SubliminalTraits::Get(subliminal.Get());
        ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_SUBLIMINAL_PERIOD, c.period));
        ASSERT_TRUE(UserTypeText(host.Dialog(), IDC_SUBLIMINAL_SUBCOUNT, c.subCount));
        EXPECT_EQ(host.IsPageDirty(), S_OK);
        EXPECT_EQ(SubliminalTraits::Get(subliminal.Get()), before);
        ASSERT_EQ(host.Apply(), S_OK);
        EXPECT_EQ(SubliminalTraits::Get(subliminal.Get()), c.applied);
    }
    EXPECT_EQ(host.Close(), S_OK);
}

TEST_F(EffectPage, PagesRefuseAnObjectWithoutTheirSettingsInterface)
{
    auto ghost = CreateByClsid<IUnknown>(CLSID_Ghost, IID_IUnknown);
    auto noise = CreateByClsid<IUnknown>(CLSID_Noise, IID_IUnknown);
    struct Case {
        const CLSID* page;
        IUnknown* object;
    };
    for (const Case& c : {Case{&CLSID_GhostProp, noise.Get()}, Case{&CLSID_NoiseProp, ghost.Get()},
                          Case{&CLSID_ScrollProp, ghost.Get()}, Case{&CLSID_SubliminalProp, ghost.Get()}}) {
        auto candidate = CreateByClsid<IPropertyPage>(*c.page, IID_IPropertyPage);
        ASSERT_TRUE(candidate);
        IUnknown* object = c.object;
        EXPECT_EQ(candidate->SetObjects(1, &object), E_NOINTERFACE);
        EXPECT_EQ(candidate->SetObjects(0, nullptr), E_UNEXPECTED);
    }
}

} // namespace
