// Property page of a two-input filter whose settings are swap, video colour
// and frame rate: the swap check box shows at once and is undone on closing
// unless applied; colour and rate are written on Apply.
#pragma once

#include "PageEditText.h"
#include "SettingsPropertyPage.h"
#include "VideoColour.h"

struct SwapColourRateControls {
    int videoColour;
    int frameRate;
    int swap;
};

template <class Settings, const IID& SettingsIid>
class SwapColourRatePage : public SettingsPropertyPage<Settings, SettingsIid> {
    using Base = SettingsPropertyPage<Settings, SettingsIid>;

public:
    SwapColourRatePage(const char* name, IUnknown* outer, const DialogTemplate& dialog, const StringResource& title,
                       SwapColourRateControls controls)
        : Base(name, outer, dialog, title), m_controls(controls)
    {
    }

protected:
    void ReadSettings(Settings* settings) override
    {
        settings->GetSwap(&m_swap);
        settings->GetVideoColour(&m_videoColour);
        settings->GetFrameRate(&m_frameRate);
    }

    // A frame rate the filter refuses leaves the page dirty with its copy.
    HRESULT ApplySettings(Settings* settings) override
    {
        if (this->m_Dlg) m_swap = IsDlgButtonChecked(this->m_Dlg, m_controls.swap) == BST_CHECKED ? 1 : 0;
        HRESULT hr = settings->SetVideoColour(m_videoColour);
        const HRESULT rate = settings->SetFrameRate(m_frameRate);
        if (SUCCEEDED(hr)) hr = rate;
        if (FAILED(rate)) this->SetDirty();
        return hr;
    }

    void RestorePreviews(Settings* settings) override { settings->SetSwap(m_swap); }

    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) override
    {
        switch (message) {
        case WM_INITDIALOG:
            FillVideoColourComboBox(dialog, m_controls.videoColour, m_videoColour);
            SetEditInteger(dialog, m_controls.frameRate, m_frameRate);
            CheckDlgButton(dialog, m_controls.swap, m_swap ? BST_CHECKED : BST_UNCHECKED);
            return TRUE;
        case WM_COMMAND:
            OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        default: return FALSE;
        }
    }

private:
    void OnCommand(HWND dialog, int control, WORD notification)
    {
        if (control == m_controls.videoColour && notification == CBN_SELCHANGE) {
            const LRESULT selection = SendDlgItemMessageW(dialog, control, CB_GETCURSEL, 0, 0);
            if (selection != CB_ERR) m_videoColour = static_cast<LONG>(selection);
            this->SetDirty();
        } else if (control == m_controls.frameRate && notification == EN_CHANGE) {
            m_frameRate = EditTextAsTruncatedNumber(dialog, control);
            this->SetDirty();
        } else if (control == m_controls.swap && notification == BN_CLICKED) {
            if (Settings* settings = this->SettingsInterface())
                settings->SetSwap(IsDlgButtonChecked(dialog, control) == BST_CHECKED ? 1 : 0);
            this->SetDirty();
        }
    }

    const SwapColourRateControls m_controls;
    BYTE m_swap = 0;
    LONG m_videoColour = kDefaultVideoColour;
    LONG m_frameRate = 30;
};
