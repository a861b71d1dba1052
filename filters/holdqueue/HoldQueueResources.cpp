#include "HoldQueueResources.h"

namespace {

const DialogControl kHoldQueueControls[] = {
    {IDC_HQ_MAXSAMPLES_LABEL, ControlKind::Static, u"最大バッファサンプル数", 7, 9, 124, 8, SS_LEFT},
    {IDC_HQ_MAXSAMPLES, ControlKind::Edit, nullptr, 134, 7, 50, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_HQ_OFFSET_LABEL, ControlKind::Static, u"絶対時刻のオフセット", 7, 25, 124, 8, SS_LEFT},
    {IDC_HQ_OFFSET, ControlKind::Edit, nullptr, 134, 23, 50, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_HQ_OFFSET_UNIT, ControlKind::Static, u"(ms)", 188, 25, 20, 8, SS_LEFT},
    {IDC_HQ_DISCARD_LABEL, ControlKind::Static, u"古いサンプルを切捨てる時間間隔", 7, 41, 124, 8, SS_LEFT},
    {IDC_HQ_DISCARD, ControlKind::Edit, nullptr, 134, 39, 50, 12, ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP},
    {IDC_HQ_DISCARD_UNIT, ControlKind::Static, u"(ms)", 188, 41, 20, 8, SS_LEFT},
    {IDC_HQ_DISABLETIMESTAMPS, ControlKind::CheckBox, u"送出するメディアのタイムスタンプを無効にする。", 7, 57, 210, 10,
     BS_AUTOCHECKBOX | WS_TABSTOP},
    {IDC_HQ_MONITOR_GROUP, ControlKind::GroupBox, u"モニタ", 7, 72, 214, 74, 0},
    {IDC_HQ_COUNT_LABEL, ControlKind::Static, u"バッファサンプル数", 14, 86, 96, 8, SS_LEFT},
    {IDC_HQ_COUNT, ControlKind::Static, nullptr, 112, 86, 50, 8, SS_RIGHT},
    {IDC_HQ_FILLLEVEL, ControlKind::Static, nullptr, 164, 86, 28, 8, SS_RIGHT},
    {IDC_HQ_ABSOLUTE_LABEL, ControlKind::Static, u"絶対時刻", 14, 100, 96, 8, SS_LEFT},
    {IDC_HQ_ABSOLUTE, ControlKind::Static, nullptr, 112, 100, 80, 8, SS_RIGHT},
    {IDC_HQ_ABSOLUTE_UNIT, ControlKind::Static, u"(ms)", 196, 100, 20, 8, SS_LEFT},
    {IDC_HQ_OFFSETABSOLUTE_LABEL, ControlKind::Static, u"オフセット絶対時刻", 14, 114, 96, 8, SS_LEFT},
    {IDC_HQ_OFFSETABSOLUTE, ControlKind::Static, nullptr, 112, 114, 80, 8, SS_RIGHT},
    {IDC_HQ_OFFSETABSOLUTE_UNIT, ControlKind::Static, u"(ms)", 196, 114, 20, 8, SS_LEFT},
    {IDC_HQ_DISCARDED_LABEL, ControlKind::Static, u"切捨てられたサンプル数", 14, 128, 96, 8, SS_LEFT},
    {IDC_HQ_DISCARDED, ControlKind::Static, nullptr, 112, 128, 80, 8, SS_RIGHT},
};

} // namespace

const DialogTemplate kHoldQueuePageDialog{IDD_HOLDQUEUE_PAGE, u"MS Shell Dlg", 8, 228, 152, WS_CHILD, kHoldQueueControls};
const StringResource kHoldQueuePageTitle{IDS_HOLDQUEUE_TITLE, u"バッファリング設定"};
