// Property page of the Stereo Display filter: video colour, frame rate and
// the swap check box, whose clicks show at once and are undone on closing
// unless applied.
#pragma once

#include "IStereoDisplaySettings.h"
#include "SettingsPropertyPage.h"

class StereoDisplayProp final : public SettingsPropertyPage<IStereoDisplaySettings, IID_IStereoDisplaySettings> {
public:
    StereoDisplayProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IStereoDisplaySettings* settings) override;
    // A frame rate the filter refuses leaves the page dirty with its copy.
    HRESULT ApplySettings(IStereoDisplaySettings* settings) override;
    void RestorePreviews(IStereoDisplaySettings* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);
    void OnCommand(HWND dialog, int control, WORD notification);
    LONG FrameRateText(HWND dialog) const;

    BYTE m_swap = 0;
    LONG m_videoColour = 2;
    LONG m_frameRate = 30;
};
