#include "GhostProp.h"

#include "EffectPageControls.h"
#include "FxBankResources.h"

GhostProp::GhostProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Ghost page", outer, kGhostPageDialog, kGhostPageTitle)
{
}

void GhostProp::ReadSettings(IGhostFilter* settings)
{
    settings->GetStrength(&m_strength);
    settings->GetOffset(&m_offset);
}

HRESULT GhostProp::ApplySettings(IGhostFilter* settings)
{
    ReadSettings(settings);
    return S_OK;
}

void GhostProp::RestorePreviews(IGhostFilter* settings)
{
    settings->SetStrength(m_strength);
    settings->SetOffset(m_offset);
}

INT_PTR GhostProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        SetUpTrackbar(dialog, IDC_GHOST_STRENGTH, 0, 100, m_strength);
        SetUpTrackbar(dialog, IDC_GHOST_OFFSET, -100, 100, m_offset);
        return TRUE;
    case WM_HSCROLL: {
        IGhostFilter* settings = SettingsInterface();
        const int source = ScrollSourceId(lParam);
        if (!settings || (source != IDC_GHOST_STRENGTH && source != IDC_GHOST_OFFSET)) return FALSE;
        if (source == IDC_GHOST_STRENGTH)
            settings->SetStrength(TrackbarPosition(dialog, IDC_GHOST_STRENGTH));
        else
            settings->SetOffset(TrackbarPosition(dialog, IDC_GHOST_OFFSET));
        SetDirty();
        return TRUE;
    }
    default: return FALSE;
    }
}
