// Property page of the Scroll filter: the speed acts on the running video at
// once (closing without Apply restores it), the direction waits for Apply,
// and the reset button puts the picture back at once.
#pragma once

#include "IScrollSettings.h"
#include "SettingsPropertyPage.h"

class ScrollProp final : public SettingsPropertyPage<IScrollFilter, IID_IScrollFilter> {
public:
    ScrollProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IScrollFilter* settings) override;
    HRESULT ApplySettings(IScrollFilter* settings) override;
    void RestorePreviews(IScrollFilter* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);
    INT_PTR OnCommand(HWND dialog, int control, WORD notification);

    LONG m_direction = 0;
    LONG m_speed = 0;
};
