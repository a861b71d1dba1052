// Property page of the Noise filter: the noise type and the strength act on
// the running video at once; closing without Apply restores the values of
// before.
#pragma once

#include "INoiseSettings.h"
#include "SettingsPropertyPage.h"

class NoiseProp final : public SettingsPropertyPage<INoiseFilter, IID_INoiseFilter> {
public:
    NoiseProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(INoiseFilter* settings) override;
    // The filter already holds the previewed values: they become the page's.
    HRESULT ApplySettings(INoiseFilter* settings) override;
    void RestorePreviews(INoiseFilter* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);

    LONG m_noiseType = 0;
    LONG m_strength = 0;
};
