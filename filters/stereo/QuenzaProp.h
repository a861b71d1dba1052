// Property page of the Quenza filter. Offsets, sizes, window position and
// size, background colour and the four check boxes show at once and are
// undone on closing unless applied; video colour, output resolution and
// frame rate wait for Apply; the four buttons drive the video window.
#pragma once

#include "IQuenzaSettings.h"
#include "QuenzaSettings.h"
#include "SettingsPropertyPage.h"

class QuenzaProp final : public SettingsPropertyPage<IQuenzaSettings, IID_IQuenzaSettings> {
public:
    QuenzaProp(IUnknown* outer, HRESULT* phr);

protected:
    void ReadSettings(IQuenzaSettings* settings) override;
    // A frame rate the filter refuses leaves the page dirty with its copy.
    HRESULT ApplySettings(IQuenzaSettings* settings) override;
    void RestorePreviews(IQuenzaSettings* settings) override;
    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void FillControls(HWND dialog);
    void ReadControls(HWND dialog);
    void OnCommand(HWND dialog, int control, WORD notification);
    bool PreviewPairField(HWND dialog, int control);
    bool PreviewBackgroundField(HWND dialog, int control);
    bool PreviewCheckBox(HWND dialog, int control);
    bool RunButton(int control);

    QuenzaSettings m_copy;
};
