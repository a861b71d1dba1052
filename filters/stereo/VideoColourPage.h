// Property page of a filter whose one setting is the video colour: the
// "ビデオカラー" combo box, applied on Apply.
#pragma once

#include "SettingsPropertyPage.h"
#include "StereoPairResources.h"
#include "VideoColour.h"

template <class Settings, const IID& SettingsIid>
class VideoColourPage : public SettingsPropertyPage<Settings, SettingsIid> {
    using Base = SettingsPropertyPage<Settings, SettingsIid>;

public:
    using Base::Base;

protected:
    void ReadSettings(Settings* settings) override { settings->GetVideoColour(&m_videoColour); }

    HRESULT ApplySettings(Settings* settings) override
    {
        if (this->m_Dlg) {
            const LRESULT selection = SendDlgItemMessageW(this->m_Dlg, IDC_VIDEOCOLOUR, CB_GETCURSEL, 0, 0);
            if (selection != CB_ERR) m_videoColour = static_cast<LONG>(selection);
        }
        return settings->SetVideoColour(m_videoColour);
    }

    INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM) override
    {
        switch (message) {
        case WM_INITDIALOG:
            FillVideoColourComboBox(dialog, IDC_VIDEOCOLOUR, m_videoColour);
            return TRUE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDC_VIDEOCOLOUR && HIWORD(wParam) == CBN_SELCHANGE) {
                const LRESULT selection = SendDlgItemMessageW(dialog, IDC_VIDEOCOLOUR, CB_GETCURSEL, 0, 0);
                if (selection != CB_ERR) m_videoColour = static_cast<LONG>(selection);
                this->SetDirty();
            }
            return TRUE;
        default: return FALSE;
        }
    }

private:
    LONG m_videoColour = kDefaultVideoColour;
};
