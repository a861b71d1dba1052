#include "QuadViewProp.h"

#include "QuadViewResources.h"

#include <cstdio>
#include <cstdlib>

namespace {

constexpr LONG kOwnClockChoice = 4;

void FillComboBox(HWND dialog, int id, std::initializer_list<const WCHAR*> items, LONG selected)
{
    SendDlgItemMessageW(dialog, id, CB_RESETCONTENT, 0, 0);
    for (const WCHAR* item : items) SendDlgItemMessageW(dialog, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

void SetNumber(HWND dialog, int id, LONG value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(value));
    SetDlgItemTextA(dialog, id, text);
}

LONG NumberText(HWND dialog, int id)
{
    char text[32] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    return static_cast<LONG>(std::atoi(text));
}

BYTE Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED ? 1 : 0; }

LONG Selection(HWND dialog, int id)
{
    return static_cast<LONG>(SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0));
}

} // namespace

QuadViewProp::QuadViewProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("QuadView page", outer, kQuadViewPageDialog, kQuadViewPageTitle)
{
}

void QuadViewProp::ReadSettings(IQuadView* settings)
{
    settings->GetTimeBase(&m_values.timeBase);
    settings->GetZeroTimestamps(&m_values.zeroTimestamps);
    settings->GetTimeOffset(&m_values.timeOffset);
    settings->GetBackgroundColor(&m_values.background);
    settings->GetMaxFrameRate(&m_values.maxFrameRate);
    settings->GetBorderLines(&m_values.borderLines);
}

// The filter already holds every change: they become the page's own.
HRESULT QuadViewProp::ApplySettings(IQuadView* settings)
{
    ReadSettings(settings);
    return S_OK;
}

void QuadViewProp::RestorePreviews(IQuadView* settings)
{
    settings->SetTimeBase(m_values.timeBase);
    settings->SetZeroTimestamps(m_values.zeroTimestamps);
    settings->SetTimeOffset(m_values.timeOffset);
    settings->SetBackgroundColor(m_values.background);
    settings->SetMaxFrameRate(m_values.maxFrameRate);
    settings->SetBorderLines(m_values.borderLines);
}

INT_PTR QuadViewProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillControls(dialog);
        return TRUE;
    case WM_COMMAND:
        if (IQuadView* settings = SettingsInterface();
            settings && ApplyControl(dialog, settings, LOWORD(wParam), HIWORD(wParam)))
            SetDirty();
        return TRUE;
    default: return FALSE;
    }
}

void QuadViewProp::FillControls(HWND dialog)
{
    FillComboBox(dialog, IDC_QV_TIMEBASE, {u"入力0", u"入力1", u"入力2", u"入力3", u"独自生成"}, m_values.timeBase);
    FillComboBox(dialog, IDC_QV_BACKGROUND, {u"黒", u"赤", u"緑", u"青"}, m_values.background);
    CheckDlgButton(dialog, IDC_QV_ZEROTIMESTAMPS, m_values.zeroTimestamps ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(dialog, IDC_QV_BORDERLINES, m_values.borderLines ? BST_CHECKED : BST_UNCHECKED);
    SetNumber(dialog, IDC_QV_OFFSET, m_values.timeOffset);
    SetNumber(dialog, IDC_QV_MAXFRAMERATE, m_values.maxFrameRate);
    EnableOwnClockControls(dialog);
}

// Zero time stamps and the offset only mean something for the own clock.
void QuadViewProp::EnableOwnClockControls(HWND dialog)
{
    const BOOL ownClock = Selection(dialog, IDC_QV_TIMEBASE) == kOwnClockChoice;
    for (int id : {IDC_QV_ZEROTIMESTAMPS, IDC_QV_OFFSET_LABEL, IDC_QV_OFFSET}) EnableWindow(GetDlgItem(dialog, id), ownClock);
}

bool QuadViewProp::ApplyControl(HWND dialog, IQuadView* settings, int control, WORD notification)
{
    if (notification == CBN_SELCHANGE && control == IDC_QV_TIMEBASE) {
        settings->SetTimeBase(Selection(dialog, IDC_QV_TIMEBASE));
        EnableOwnClockControls(dialog);
    } else if (notification == CBN_SELCHANGE && control == IDC_QV_BACKGROUND) {
        settings->SetBackgroundColor(Selection(dialog, IDC_QV_BACKGROUND));
    } else if (notification == BN_CLICKED && control == IDC_QV_ZEROTIMESTAMPS) {
        settings->SetZeroTimestamps(Checked(dialog, IDC_QV_ZEROTIMESTAMPS));
    } else if (notification == BN_CLICKED && control == IDC_QV_BORDERLINES) {
        settings->SetBorderLines(Checked(dialog, IDC_QV_BORDERLINES));
    } else if (notification == EN_CHANGE && control == IDC_QV_OFFSET) {
        settings->SetTimeOffset(NumberText(dialog, IDC_QV_OFFSET));
    } else if (notification == EN_CHANGE && control == IDC_QV_MAXFRAMERATE) {
        settings->SetMaxFrameRate(NumberText(dialog, IDC_QV_MAXFRAMERATE));
    } else {
        return false;
    }
    return true;
}
