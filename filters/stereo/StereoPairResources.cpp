#include "StereoPairResources.h"

namespace {

const DialogControl kVideoColourControls[] = {
    {IDC_VIDEOCOLOUR_LABEL, ControlKind::Static, u"ビデオカラー", 7, 9, 50, 8, SS_LEFT},
    {IDC_VIDEOCOLOUR, ControlKind::ComboBox, nullptr, 60, 7, 70, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
};

constexpr const WCHAR* kDialogFont = u"MS Shell Dlg";

} // namespace

const DialogTemplate kGreenShiftPageDialog{IDD_GREENSHIFT_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kGreenShiftPageTitle{IDS_GREENSHIFT_TITLE, u"Ｇｒｅｅｎピクセルの右シフト"};
const DialogTemplate kInterlacePageDialog{IDD_INTERLACE_PAGE, kDialogFont, 8, 150, 30, WS_CHILD, kVideoColourControls};
const StringResource kInterlacePageTitle{IDS_INTERLACE_TITLE, u"インターレース化"};
