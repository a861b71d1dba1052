// Property page of the quad view. Every change goes to the filter at once;
// Apply takes the filter's values as the page's own, and closing the page
// writes its own values back, so changes never applied are undone.
#pragma once

#include "IQuadView.h"
#include "SettingsPropertyPage.h"

class QuadViewProp final : public SettingsPropertyPage<IQuadView, IID_IQuadView> {
public:
    QuadViewProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IQuadView* settings) override;
    HRESULT ApplySettings(IQuadView* settings) override;
    void RestorePreviews(IQuadView* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Values {
        LONG timeBase = 0;
        BYTE zeroTimestamps = 0;
        LONG timeOffset = 1;
        LONG background = 3;
        LONG maxFrameRate = 30;
        BYTE borderLines = 1;
    };

    void FillControls(HWND dialog);
    void EnableOwnClockControls(HWND dialog);
    // True when the control's change was passed to the filter.
    bool ApplyControl(HWND dialog, IQuadView* settings, int control, WORD notification);

    Values m_values;
};
