// Property page of the Subliminal filter: period and sub count typed in,
// written on Apply.
#pragma once

#include "ISubliminalSettings.h"
#include "SettingsPropertyPage.h"

class SubliminalProp final : public SettingsPropertyPage<ISubliminalFilter, IID_ISubliminalFilter> {
public:
    SubliminalProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(ISubliminalFilter* settings) override;
    // The period first, so the sub count is held to the new period.
    HRESULT ApplySettings(ISubliminalFilter* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);

    LONG m_period = 0;
    LONG m_subCount = 0;
};
