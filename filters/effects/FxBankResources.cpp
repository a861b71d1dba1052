#include "FxBankResources.h"

// ---- Noise, Ghost, Scroll, Subliminal

namespace {

constexpr const WCHAR* kEffectPageFont = u"MS Shell Dlg";
constexpr DWORD kTrackbarStyle = TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP;

const DialogControl kNoiseControls[] = {
    {IDC_NOISE_TYPE_LABEL, ControlKind::Static, u"ノイズタイプ", 7, 9, 50, 8, SS_LEFT},
    {IDC_NOISE_TYPE, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_NOISE_STRENGTH_LABEL, ControlKind::Static, u"ノイズの強さ", 7, 27, 50, 8, SS_LEFT},
    {IDC_NOISE_STRENGTH, ControlKind::Trackbar, nullptr, 60, 24, 127, 14, kTrackbarStyle},
    {IDC_NOISE_STRENGTH_MIN, ControlKind::Static, u"Min.", 62, 40, 20, 8, SS_LEFT},
    {IDC_NOISE_STRENGTH_MAX, ControlKind::Static, u"Max.", 165, 40, 20, 8, SS_RIGHT},
};

const DialogControl kGhostControls[] = {
    {IDC_GHOST_STRENGTH_LABEL, ControlKind::Static, u"ゴーストの強さ", 7, 9, 60, 8, SS_LEFT},
    {IDC_GHOST_STRENGTH, ControlKind::Trackbar, nullptr, 70, 6, 131, 14, kTrackbarStyle},
    {IDC_GHOST_STRENGTH_MIN, ControlKind::Static, u"Min.", 72, 21, 20, 8, SS_LEFT},
    {IDC_GHOST_STRENGTH_MAX, ControlKind::Static, u"Max.", 180, 21, 20, 8, SS_RIGHT},
    {IDC_GHOST_OFFSET_LABEL, ControlKind::Static, u"ゴーストのオフセット", 7, 35, 60, 8, SS_LEFT},
    {IDC_GHOST_OFFSET, ControlKind::Trackbar, nullptr, 70, 32, 131, 14, kTrackbarStyle},
    {IDC_GHOST_OFFSET_MIN, ControlKind::Static, u"-Max.", 72, 47, 20, 8, SS_LEFT},
    {IDC_GHOST_OFFSET_ZERO, ControlKind::Static, u"0", 133, 47, 8, 8, SS_LEFT},
    {IDC_GHOST_OFFSET_MAX, ControlKind::Static, u"Max.", 180, 47, 20, 8, SS_RIGHT},
};

const DialogControl kScrollControls[] = {
    {IDC_SCROLL_DIRECTION_LABEL, ControlKind::Static, u"スクロール方向", 7, 9, 55, 8, SS_LEFT},
    {IDC_SCROLL_DIRECTION, ControlKind::ComboBox, nullptr, 65, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_SCROLL_SPEED_LABEL, ControlKind::Static, u"スクロール速度", 7, 29, 55, 8, SS_LEFT},
    {IDC_SCROLL_SPEED, ControlKind::Trackbar, nullptr, 65, 26, 127, 14, kTrackbarStyle},
    {IDC_SCROLL_SPEED_MIN, ControlKind::Static, u"- Max.", 67, 42, 22, 8, SS_LEFT},
    {IDC_SCROLL_SPEED_ZERO, ControlKind::Static, u"0", 126, 42, 8, 8, SS_LEFT},
    {IDC_SCROLL_SPEED_MAX, ControlKind::Static, u"Max.", 170, 42, 20, 8, SS_RIGHT},
    {IDC_SCROLL_RESET, ControlKind::PushButton, u"リセット", 142, 56, 50, 14, WS_TABSTOP},
};

const DialogControl kSubliminalControls[] = {
    {IDC_SUBLIMINAL_PERIOD_LABEL, ControlKind::Static, u"主映像のフレーム周期", 7, 9, 120, 8, SS_LEFT},
    {IDC_SUBLIMINAL_PERIOD, ControlKind::Edit, nullptr, 130, 7, 30, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_SUBLIMINAL_PERIOD_UNIT, ControlKind::Static, u"(fr)", 164, 9, 20, 8, SS_LEFT},
    {IDC_SUBLIMINAL_SUBCOUNT_LABEL, ControlKind::Static, u"周期内での副映像フレーム出力数", 7, 27, 120, 8, SS_LEFT},
    {IDC_SUBLIMINAL_SUBCOUNT, ControlKind::Edit, nullptr, 130, 25, 30, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_SUBLIMINAL_SUBCOUNT_UNIT, ControlKind::Static, u"(fr)", 164, 27, 20, 8, SS_LEFT},
};

} // namespace

const DialogTemplate kNoisePageDialog{IDD_NOISE_PAGE, kEffectPageFont, 8, 194, 52, WS_CHILD, kNoiseControls};
const StringResource kNoisePageTitle{IDS_NOISE_TITLE, u"擬似ノイズ"};
const DialogTemplate kGhostPageDialog{IDD_GHOST_PAGE, kEffectPageFont, 8, 208, 58, WS_CHILD, kGhostControls};
const StringResource kGhostPageTitle{IDS_GHOST_TITLE, u"擬似ゴースト"};
const DialogTemplate kScrollPageDialog{IDD_SCROLL_PAGE, kEffectPageFont, 8, 199, 75, WS_CHILD, kScrollControls};
const StringResource kScrollPageTitle{IDS_SCROLL_TITLE, u"スクロール"};
const DialogTemplate kSubliminalPageDialog{IDD_SUBLIMINAL_PAGE, kEffectPageFont, 8, 192, 44, WS_CHILD,
                                           kSubliminalControls};
const StringResource kSubliminalPageTitle{IDS_SUBLIMINAL_TITLE, u"サブリミナル"};

// ----

// ---- Frame Rate Controller

namespace {

const DialogControl kFrameControlControls[] = {
    {IDC_FRC_FRAMERATE_LABEL, ControlKind::Static, u"フレームレート", 7, 9, 56, 8, SS_LEFT},
    {IDC_FRC_FRAMERATE, ControlKind::Edit, nullptr, 66, 7, 36, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_FRC_FRAMERATE_UNIT, ControlKind::Static, u"(fr/sec)", 106, 9, 30, 8, SS_LEFT},
    {IDC_FRC_HOLDSAMPLES, ControlKind::CheckBox, u"入力されたメディアサンプルを保持", 7, 26, 130, 10,
     BS_AUTOCHECKBOX | WS_TABSTOP},
};

} // namespace

const DialogTemplate kFrameControlPageDialog{IDD_FRAMECONTROL_PAGE, u"MS Shell Dlg", 8, 138, 44, WS_CHILD,
                                             kFrameControlControls};
const StringResource kFrameControlPageTitle{IDS_FRAMECONTROL_TITLE, u"フレーム制御"};

// ----
