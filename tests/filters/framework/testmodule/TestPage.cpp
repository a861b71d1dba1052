#include "TestPage.h"

#include "VideoColour.h"

#include <cstdlib>

namespace {

const DialogControl kControls[] = {
    {1001, ControlKind::Static, u"ビデオカラー", 7, 7, 60, 8, SS_LEFT},
    {IDC_COLOUR, ControlKind::ComboBox, nullptr, 70, 5, 60, 60, CBS_DROPDOWNLIST | WS_TABSTOP},
    {IDC_GAIN, ControlKind::Trackbar, nullptr, 7, 22, 120, 15, TBS_AUTOTICKS | WS_TABSTOP},
    {IDC_ENABLED, ControlKind::CheckBox, u"有効", 7, 40, 60, 10, BS_AUTOCHECKBOX | WS_TABSTOP},
    {IDC_RATE, ControlKind::Edit, nullptr, 70, 40, 40, 12, ES_NUMBER | ES_RIGHT | WS_TABSTOP},
    {IDC_MONITOR, ControlKind::Static, nullptr, 7, 56, 60, 8, SS_RIGHT},
};

const DialogTemplate kDialog{kTestDialogId, u"MS Shell Dlg", 8, 140, 70, 0, kControls};
const StringResource kTitle{kTestTitleId, u"テスト設定"};

} // namespace

TestPage::TestPage(IUnknown* outer, HRESULT*) : SettingsPropertyPage("Framework test page", outer, kDialog, kTitle) {}

void TestPage::ReadSettings(ITestSettings* settings)
{
    settings->GetColour(&m_colour);
    settings->GetGain(&m_gain);
    settings->GetEnabled(&m_enabled);
    settings->GetRate(&m_rate);
}

HRESULT TestPage::ApplySettings(ITestSettings* settings)
{
    m_gain = static_cast<LONG>(SendDlgItemMessageW(m_Dlg, IDC_GAIN, TBM_GETPOS, 0, 0));
    m_enabled = IsDlgButtonChecked(m_Dlg, IDC_ENABLED) == BST_CHECKED;
    settings->SetColour(m_colour);
    settings->SetGain(m_gain);
    settings->SetEnabled(m_enabled);
    settings->SetRate(m_rate);
    return S_OK;
}

void TestPage::RestorePreviews(ITestSettings* settings) { settings->SetGain(m_gain); }

void TestPage::InitialiseControls(HWND dialog)
{
    FillVideoColourComboBox(dialog, IDC_COLOUR, m_colour);
    SendDlgItemMessageW(dialog, IDC_GAIN, TBM_SETRANGE, TRUE, MAKELPARAM(static_cast<WORD>(-100), 100));
    SendDlgItemMessageW(dialog, IDC_GAIN, TBM_SETPOS, TRUE, m_gain);
    CheckDlgButton(dialog, IDC_ENABLED, m_enabled ? BST_CHECKED : BST_UNCHECKED);
    SetDlgItemInt(dialog, IDC_RATE, static_cast<UINT>(m_rate), TRUE);
    SetTimer(dialog, kMonitorTimer, 50, nullptr);
}

void TestPage::OnCommand(HWND dialog, int id, WORD code)
{
    if (id == IDC_COLOUR && code == CBN_SELCHANGE) {
        m_colour = static_cast<LONG>(SendDlgItemMessageW(dialog, IDC_COLOUR, CB_GETCURSEL, 0, 0));
        SetDirty();
    } else if (id == IDC_ENABLED && code == BN_CLICKED) {
        SetDirty();
    } else if (id == IDC_RATE && code == EN_CHANGE) {
        char text[32];
        GetDlgItemTextA(dialog, IDC_RATE, text, sizeof text);
        m_rate = std::atoi(text);
        SetDirty();
    }
}

INT_PTR TestPage::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: InitialiseControls(dialog); return TRUE;
    case WM_COMMAND: OnCommand(dialog, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL:
        if (reinterpret_cast<HWND>(lParam) == GetDlgItem(dialog, IDC_GAIN) && SettingsInterface()) {
            SettingsInterface()->SetGain(static_cast<LONG>(SendDlgItemMessageW(dialog, IDC_GAIN, TBM_GETPOS, 0, 0)));
            SetDirty();
        }
        return TRUE;
    case WM_TIMER:
        if (wParam == kMonitorTimer) SetDlgItemInt(dialog, IDC_MONITOR, static_cast<UINT>(++m_ticks), FALSE);
        return TRUE;
    case WM_DESTROY: KillTimer(dialog, kMonitorTimer); return TRUE;
    default: return FALSE;
    }
}
