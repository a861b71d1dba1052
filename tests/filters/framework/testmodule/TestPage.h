// Property page of the framework's test filter: a combo box (applied), a
// trackbar (preview), a check box and an edit (applied), and a timer-driven
// monitor.
#pragma once

#include "SettingsPropertyPage.h"
#include "TestSettings.h"

class TestPage final : public SettingsPropertyPage<ITestSettings, IID_ITestSettings> {
public:
    TestPage(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(ITestSettings* settings) override;
    HRESULT ApplySettings(ITestSettings* settings) override;
    void RestorePreviews(ITestSettings* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void InitialiseControls(HWND dialog);
    void OnCommand(HWND dialog, int id, WORD code);

    LONG m_colour = 0;
    LONG m_gain = 0;
    BYTE m_enabled = 0;
    LONG m_rate = 0;
    LONG m_ticks = 0;
};
