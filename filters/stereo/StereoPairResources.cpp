#include "StereoPairResources.h"

namespace {

const DialogControl kVideoColourControls[] = {
    {IDC_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
};

const DialogControl kStereoDisplayControls[] = {
    {IDC_SD_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_SD_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_SD_FRAMERATE_LABEL, ControlKind::Static, u"フレームレート", 7, 27, 50, 8, SS_LEFT},
    {IDC_SD_FRAMERATE, ControlKind::Edit, nullptr, 60, 25, 40, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_SD_FRAMERATE_UNIT, ControlKind::Static, u"(fr/sec)", 104, 27, 40, 8, SS_LEFT},
    {IDC_SD_SWAP, ControlKind::CheckBox, u"左右ビデオの反転", 7, 43, 100, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
};

constexpr const WCHAR* kDialogFont = u"MS Shell Dlg";

} // namespace

const DialogTemplate kGreenShiftPageDialog{IDD_GREENSHIFT_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kGreenShiftPageTitle{IDS_GREENSHIFT_TITLE, u"Ｇｒｅｅｎピクセルの右シフト"};
const DialogTemplate kInterlacePageDialog{IDD_INTERLACE_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kInterlacePageTitle{IDS_INTERLACE_TITLE, u"インターレース化"};
const DialogTemplate kStereoDisplayPageDialog{IDD_STEREODISPLAY_PAGE, kDialogFont, 8, 150, 60, WS_CHILD,
                                             kStereoDisplayControls};
const StringResource kStereoDisplayPageTitle{IDS_STEREODISPLAY_TITLE, u"ステレオディスプレイ対応化"};
