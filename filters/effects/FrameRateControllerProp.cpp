#include "FrameRateControllerProp.h"

#include "FxBankResources.h"

#include <cstdio>
#include <cstdlib>

FrameRateControllerProp::FrameRateControllerProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Frame Rate Controller page", outer, kFrameControlPageDialog, kFrameControlPageTitle)
{
}

void FrameRateControllerProp::ReadSettings(IFrameRateControl* settings)
{
    settings->GetFrameRate(&m_frameRate);
    settings->GetHoldSamples(&m_holdSamples);
}

HRESULT FrameRateControllerProp::ApplySettings(IFrameRateControl* settings)
{
    const HRESULT rate = settings->SetFrameRate(m_frameRate);
    const HRESULT hold = settings->SetHoldSamples(m_holdSamples);
    if (FAILED(rate)) SetDirty();
    return FAILED(rate) ? rate : hold;
}

INT_PTR FrameRateControllerProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
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

void FrameRateControllerProp::FillControls(HWND dialog)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(m_frameRate));
    SetDlgItemTextA(dialog, IDC_FRC_FRAMERATE, text);
    CheckDlgButton(dialog, IDC_FRC_HOLDSAMPLES, m_holdSamples ? BST_CHECKED : BST_UNCHECKED);
}

void FrameRateControllerProp::OnCommand(HWND dialog, int control, WORD notification)
{
    if (control == IDC_FRC_FRAMERATE && notification == EN_CHANGE) {
        char text[64] = {};
        GetDlgItemTextA(dialog, IDC_FRC_FRAMERATE, text, static_cast<int>(sizeof text));
        m_frameRate = std::atoi(text);
        SetDirty();
    } else if (control == IDC_FRC_HOLDSAMPLES && notification == BN_CLICKED) {
        m_holdSamples = IsDlgButtonChecked(dialog, IDC_FRC_HOLDSAMPLES) == BST_CHECKED ? 1 : 0;
        SetDirty();
    }
}
