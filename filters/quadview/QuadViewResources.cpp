#include "QuadViewResources.h"

namespace {

const DialogControl kQuadViewControls[] = {
    {IDC_STATIC, ControlKind::GroupBox, u"タイムスタンプ", 7, 7, 169, 78, 0},
    {IDC_QV_TIMEBASE, ControlKind::ComboBox, nullptr, 15, 20, 80, 70, CBS_DROPDOWN | WS_TABSTOP},
    {IDC_QV_ZEROTIMESTAMPS, ControlKind::CheckBox, u"タイムスタンプゼロ", 15, 38, 90, 10,
     BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
    {IDC_QV_OFFSET_LABEL, ControlKind::Static, u"オフセット", 15, 56, 50, 8, SS_LEFT},
    {IDC_QV_OFFSET, ControlKind::Edit, nullptr, 70, 54, 40, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_QV_MAXFRAMERATE_LABEL, ControlKind::Static, u"最大フレームレート", 7, 95, 70, 8, SS_LEFT},
    {IDC_QV_MAXFRAMERATE, ControlKind::Edit, nullptr, 80, 93, 30, 12, ES_RIGHT | ES_NUMBER | WS_TABSTOP},
    {IDC_STATIC, ControlKind::Static, u"(fr/sec)", 114, 95, 40, 8, SS_LEFT},
    {IDC_STATIC, ControlKind::Static, u"背景色", 7, 115, 50, 8, SS_LEFT},
    {IDC_QV_BACKGROUND, ControlKind::ComboBox, nullptr, 80, 113, 60, 70, CBS_DROPDOWN | WS_TABSTOP},
    {IDC_QV_BORDERLINES, ControlKind::CheckBox, u"境界線の表示", 7, 135, 90, 10,
     BS_AUTOCHECKBOX | BS_LEFTTEXT | WS_TABSTOP},
};

} // namespace

const DialogTemplate kQuadViewPageDialog{IDD_QUADVIEW_PAGE, u"MS Shell Dlg", 8, 183, 158, WS_CHILD, kQuadViewControls};
const StringResource kQuadViewPageTitle{IDS_QUADVIEW_TITLE, u"設定"};
