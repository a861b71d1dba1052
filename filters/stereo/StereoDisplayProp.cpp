#include "StereoDisplayProp.h"

#include "StereoPairResources.h"
#include "VideoColour.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

StereoDisplayProp::StereoDisplayProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Stereo Display page", outer, kStereoDisplayPageDialog, kStereoDisplayPageTitle)
{
}

void StereoDisplayProp::ReadSettings(IStereoDisplaySettings* settings)
{
    settings->GetSwap(&m_swap);
    settings->GetVideoColour(&m_videoColour);
    settings->GetFrameRate(&m_frameRate);
}

HRESULT StereoDisplayProp::ApplySettings(IStereoDisplaySettings* settings)
{
    if (m_Dlg) m_swap = IsDlgButtonChecked(m_Dlg, IDC_SD_SWAP) == BST_CHECKED ? 1 : 0;
    HRESULT hr = settings->SetVideoColour(m_videoColour);
    const HRESULT rate = settings->SetFrameRate(m_frameRate);
    if (SUCCEEDED(hr)) hr = rate;
    if (FAILED(rate)) SetDirty();
    return hr;
}

void StereoDisplayProp::RestorePreviews(IStereoDisplaySettings* settings) { settings->SetSwap(m_swap); }

INT_PTR StereoDisplayProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillControls(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default: return FALSE;
    }
}

void StereoDisplayProp::FillControls(HWND dialog)
{
    FillVideoColourComboBox(dialog, IDC_SD_VIDEOCOLOUR, m_videoColour);
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(m_frameRate));
    SetDlgItemTextA(dialog, IDC_SD_FRAMERATE, text);
    CheckDlgButton(dialog, IDC_SD_SWAP, m_swap ? BST_CHECKED : BST_UNCHECKED);
}

void StereoDisplayProp::OnCommand(HWND dialog, int control, WORD notification)
{
    if (control == IDC_SD_VIDEOCOLOUR && notification == CBN_SELCHANGE) {
        const LRESULT selection = SendDlgItemMessageW(dialog, IDC_SD_VIDEOCOLOUR, CB_GETCURSEL, 0, 0);
        if (selection != CB_ERR) m_videoColour = static_cast<LONG>(selection);
        SetDirty();
    } else if (control == IDC_SD_FRAMERATE && notification == EN_CHANGE) {
        m_frameRate = FrameRateText(dialog);
        SetDirty();
    } else if (control == IDC_SD_SWAP && notification == BN_CLICKED) {
        if (IStereoDisplaySettings* settings = SettingsInterface())
            settings->SetSwap(IsDlgButtonChecked(dialog, IDC_SD_SWAP) == BST_CHECKED ? 1 : 0);
        SetDirty();
    }
}

// Any text is taken as a number and cut to an integer; values no 32-bit
// integer can hold are pinned to its range.
LONG StereoDisplayProp::FrameRateText(HWND dialog) const
{
    char text[64] = {};
    GetDlgItemTextA(dialog, IDC_SD_FRAMERATE, text, static_cast<int>(sizeof text));
    const double value = std::atof(text);
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return 2147483647;
    if (value <= -2147483648.0) return -2147483647 - 1;
    return static_cast<LONG>(value);
}
