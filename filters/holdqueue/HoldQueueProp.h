// Property page of the Synchronizing Buffer: the four settings, applied on
// Apply, and a monitor of the queue and the clock refreshed every 50 ms.
#pragma once

#include "IHoldQueueSettings.h"
#include "SettingsPropertyPage.h"

class HoldQueueProp final : public SettingsPropertyPage<IHoldQueueSettings, IID_IHoldQueueSettings> {
public:
    static constexpr UINT_PTR kMonitorTimer = 1;
    static constexpr UINT kMonitorIntervalMs = 50;

    HoldQueueProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IHoldQueueSettings* settings) override;
    HRESULT ApplySettings(IHoldQueueSettings* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);
    void OnCommand(HWND dialog, int control, WORD notification);
    void RefreshMonitor(HWND dialog);

    LONG m_maxBufferSamples = 60;
    LONG m_offset = 0;
    LONG m_discardInterval = 2000;
    BYTE m_disableTimeStamps = 1;
};
