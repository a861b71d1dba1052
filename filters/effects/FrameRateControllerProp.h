// Property page of the Frame Rate Controller: the frame rate and the hold
// check box, both written only on Apply.
#pragma once

#include "IFrameRateControllerSettings.h"
#include "SettingsPropertyPage.h"

class FrameRateControllerProp final : public SettingsPropertyPage<IFrameRateControl, IID_IFrameRateControl> {
public:
    FrameRateControllerProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IFrameRateControl* settings) override;
    // A rate the filter refuses leaves the page dirty with its copy.
    HRESULT ApplySettings(IFrameRateControl* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);
    void OnCommand(HWND dialog, int control, WORD notification);

    LONG m_frameRate = 30;
    BYTE m_holdSamples = 0;
};
