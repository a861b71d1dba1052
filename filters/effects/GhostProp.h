// Property page of the Ghost filter: two trackbars whose moves act on the
// running video at once; closing without Apply restores the values of
// before.
#pragma once

#include "IGhostSettings.h"
#include "SettingsPropertyPage.h"

class GhostProp final : public SettingsPropertyPage<IGhostFilter, IID_IGhostFilter> {
public:
    GhostProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IGhostFilter* settings) override;
    // The filter already holds the previewed values: they become the page's.
    HRESULT ApplySettings(IGhostFilter* settings) override;
    void RestorePreviews(IGhostFilter* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LONG m_strength = 0;
    LONG m_offset = 0;
};
