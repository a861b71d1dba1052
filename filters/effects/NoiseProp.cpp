#include "NoiseProp.h"

#include "EffectPageControls.h"
#include "FxBankResources.h"

NoiseProp::NoiseProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Noise page", outer, kNoisePageDialog, kNoisePageTitle)
{
}

void NoiseProp::ReadSettings(INoiseFilter* settings)
{
    settings->GetNoiseType(&m_noiseType);
    settings->GetStrength(&m_strength);
}

HRESULT NoiseProp::ApplySettings(INoiseFilter* settings)
{
    ReadSettings(settings);
    return S_OK;
}

void NoiseProp::RestorePreviews(INoiseFilter* settings)
{
    settings->SetNoiseType(m_noiseType);
    settings->SetStrength(m_strength);
}

void NoiseProp::FillControls(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_NOISE_TYPE, CB_RESETCONTENT, 0, 0);
    for (const WCHAR* name : {u"タイプ1", u"タイプ2"})
        SendDlgItemMessageW(dialog, IDC_NOISE_TYPE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageW(dialog, IDC_NOISE_TYPE, CB_SETCURSEL, static_cast<WPARAM>(m_noiseType), 0);
    SetUpTrackbar(dialog, IDC_NOISE_STRENGTH, 0, 100, m_strength);
}

INT_PTR NoiseProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    INoiseFilter* settings = SettingsInterface();
    switch (message) {
    case WM_INITDIALOG: FillControls(dialog); return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) != IDC_NOISE_TYPE || HIWORD(wParam) != CBN_SELCHANGE || !settings) return FALSE;
        if (const LRESULT choice = SendDlgItemMessageW(dialog, IDC_NOISE_TYPE, CB_GETCURSEL, 0, 0); choice != CB_ERR)
            settings->SetNoiseType(static_cast<LONG>(choice));
        SetDirty();
        return TRUE;
    case WM_HSCROLL:
        if (!settings) return FALSE;
        if (ScrollSourceId(lParam) == IDC_NOISE_STRENGTH)
            settings->SetStrength(TrackbarPosition(dialog, IDC_NOISE_STRENGTH));
        SetDirty();
        return TRUE;
    default: return FALSE;
    }
}
