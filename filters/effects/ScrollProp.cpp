#include "ScrollProp.h"

#include "EffectPageControls.h"
#include "FxBankResources.h"

ScrollProp::ScrollProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Scroll page", outer, kScrollPageDialog, kScrollPageTitle)
{
}

void ScrollProp::ReadSettings(IScrollFilter* settings)
{
    settings->GetDirection(&m_direction);
    settings->GetSpeed(&m_speed);
}

// The previewed speed becomes the page's own.
HRESULT ScrollProp::ApplySettings(IScrollFilter* settings)
{
    const HRESULT hr = settings->SetDirection(m_direction);
    settings->GetSpeed(&m_speed);
    return hr;
}

void ScrollProp::RestorePreviews(IScrollFilter* settings) { settings->SetSpeed(m_speed); }

void ScrollProp::FillControls(HWND dialog)
{
    SendDlgItemMessageW(dialog, IDC_SCROLL_DIRECTION, CB_RESETCONTENT, 0, 0);
    for (const WCHAR* name : {u"水平方向", u"垂直方向"})
        SendDlgItemMessageW(dialog, IDC_SCROLL_DIRECTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendDlgItemMessageW(dialog, IDC_SCROLL_DIRECTION, CB_SETCURSEL, static_cast<WPARAM>(m_direction), 0);
    SetUpTrackbar(dialog, IDC_SCROLL_SPEED, -100, 100, m_speed);
}

INT_PTR ScrollProp::OnCommand(HWND dialog, int control, WORD notification)
{
    if (control == IDC_SCROLL_DIRECTION && notification == CBN_SELCHANGE) {
        const LRESULT selection = SendDlgItemMessageW(dialog, IDC_SCROLL_DIRECTION, CB_GETCURSEL, 0, 0);
        if (selection != CB_ERR) m_direction = static_cast<LONG>(selection);
        SetDirty();
        return TRUE;
    }
    if (control == IDC_SCROLL_RESET && notification == BN_CLICKED) {
        if (IScrollFilter* settings = SettingsInterface()) settings->ResetPosition();
        return TRUE;
    }
    return FALSE;
}

INT_PTR ScrollProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: FillControls(dialog); return TRUE;
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL: {
        IScrollFilter* settings = SettingsInterface();
        if (!settings || ScrollSourceId(lParam) != IDC_SCROLL_SPEED) return FALSE;
        settings->SetSpeed(TrackbarPosition(dialog, IDC_SCROLL_SPEED));
        SetDirty();
        return TRUE;
    }
    default: return FALSE;
    }
}
