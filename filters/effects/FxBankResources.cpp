#include "FxBankResources.h"

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
