#include "SubliminalProp.h"

#include "EffectPageControls.h"
#include "FxBankResources.h"

#include <cstdio>

SubliminalProp::SubliminalProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Subliminal page", outer, kSubliminalPageDialog, kSubliminalPageTitle)
{
}

void SubliminalProp::ReadSettings(ISubliminalFilter* settings)
{
    settings->GetPeriod(&m_period);
    settings->GetSubCount(&m_subCount);
}

HRESULT SubliminalProp::ApplySettings(ISubliminalFilter* settings)
{
    const HRESULT hr = settings->SetPeriod(m_period);
    const HRESULT count = settings->SetSubCount(m_subCount);
    return FAILED(hr) ? hr : count;
}

void SubliminalProp::FillControls(HWND dialog)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(m_period));
    SetDlgItemTextA(dialog, IDC_SUBLIMINAL_PERIOD, text);
    std::snprintf(text, sizeof text, "%d", static_cast<int>(m_subCount));
    SetDlgItemTextA(dialog, IDC_SUBLIMINAL_SUBCOUNT, text);
}

INT_PTR SubliminalProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: FillControls(dialog); return TRUE;
    case WM_COMMAND: {
        const int control = LOWORD(wParam);
        if (HIWORD(wParam) != EN_CHANGE || (control != IDC_SUBLIMINAL_PERIOD && control != IDC_SUBLIMINAL_SUBCOUNT))
            return FALSE;
        (control == IDC_SUBLIMINAL_PERIOD ? m_period : m_subCount) = EditInteger(dialog, control);
        SetDirty();
        return TRUE;
    }
    default: return FALSE;
    }
}
