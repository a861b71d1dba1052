#include "QuenzaProp.h"

#include "PageEditText.h"
#include "StereoPairResources.h"
#include "VideoColour.h"

#include <algorithm>

namespace {

using PairGetter = HRESULT (IQuenzaSettings::*)(LONG*, LONG*);
using PairSetter = HRESULT (IQuenzaSettings::*)(LONG, LONG);
using FlagGetter = HRESULT (IQuenzaSettings::*)(BYTE*);
using FlagSetter = HRESULT (IQuenzaSettings::*)(LONG);

// An edit pair previewed as one setting.
struct PairField {
    int firstId;
    int secondId;
    LongPair QuenzaSettings::*pair;
    PairGetter get;
    PairSetter set;
};

const PairField kPairFields[] = {
    {IDC_QZ_LEFT_X, IDC_QZ_LEFT_Y, &QuenzaSettings::leftOffset, &IQuenzaSettings::GetLeftOffset,
     &IQuenzaSettings::SetLeftOffset},
    {IDC_QZ_LEFT_W, IDC_QZ_LEFT_H, &QuenzaSettings::leftSize, &IQuenzaSettings::GetLeftSize,
     &IQuenzaSettings::SetLeftSize},
    {IDC_QZ_RIGHT_X, IDC_QZ_RIGHT_Y, &QuenzaSettings::rightOffset, &IQuenzaSettings::GetRightOffset,
     &IQuenzaSettings::SetRightOffset},
    {IDC_QZ_RIGHT_W, IDC_QZ_RIGHT_H, &QuenzaSettings::rightSize, &IQuenzaSettings::GetRightSize,
     &IQuenzaSettings::SetRightSize},
    {IDC_QZ_WINDOW_X, IDC_QZ_WINDOW_Y, &QuenzaSettings::windowPosition, &IQuenzaSettings::GetWindowPosition,
     &IQuenzaSettings::SetWindowPosition},
    {IDC_QZ_WINDOW_W, IDC_QZ_WINDOW_H, &QuenzaSettings::windowSize, &IQuenzaSettings::GetWindowSize,
     &IQuenzaSettings::SetWindowSize},
};

// A check box previewed at once; a checked one disables its size pair.
struct FlagField {
    int id;
    bool QuenzaSettings::*flag;
    FlagGetter get;
    FlagSetter set;
    int sizeFirstId;  // 0: no pair
    int sizeSecondId;
};

const FlagField kFlagFields[] = {
    {IDC_QZ_SWAP, &QuenzaSettings::swap, &IQuenzaSettings::GetSwap, &IQuenzaSettings::SetSwap, 0, 0},
    {IDC_QZ_LEFT_AT_INPUT_SIZE, &QuenzaSettings::leftAtInputSize, &IQuenzaSettings::GetLeftAtInputSize,
     &IQuenzaSettings::SetLeftAtInputSize, IDC_QZ_LEFT_W, IDC_QZ_LEFT_H},
    {IDC_QZ_RIGHT_AT_INPUT_SIZE, &QuenzaSettings::rightAtInputSize, &IQuenzaSettings::GetRightAtInputSize,
     &IQuenzaSettings::SetRightAtInputSize, IDC_QZ_RIGHT_W, IDC_QZ_RIGHT_H},
    {IDC_QZ_WINDOW_AT_OUTPUT_SIZE, &QuenzaSettings::windowAtOutputSize, &IQuenzaSettings::GetWindowAtOutputSize,
     &IQuenzaSettings::SetWindowAtOutputSize, IDC_QZ_WINDOW_W, IDC_QZ_WINDOW_H},
};

constexpr int kBackgroundIds[3] = {IDC_QZ_BACKGROUND_R, IDC_QZ_BACKGROUND_G, IDC_QZ_BACKGROUND_B};

bool Checked(HWND dialog, int id) { return IsDlgButtonChecked(dialog, id) == BST_CHECKED; }

void EnableSizePair(HWND dialog, const FlagField& field, bool checked)
{
    if (!field.sizeFirstId) return;
    EnableWindow(GetDlgItem(dialog, field.sizeFirstId), checked ? FALSE : TRUE);
    EnableWindow(GetDlgItem(dialog, field.sizeSecondId), checked ? FALSE : TRUE);
}

LONG ComboSelection(HWND dialog, int id, LONG fallback)
{
    const LRESULT selection = SendDlgItemMessageW(dialog, id, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? fallback : static_cast<LONG>(selection);
}

} // namespace

QuenzaProp::QuenzaProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Quenza page", outer, kQuenzaPageDialog, kQuenzaPageTitle)
{
}

void QuenzaProp::ReadSettings(IQuenzaSettings* settings)
{
    for (const FlagField& field : kFlagFields) {
        BYTE flag = 0;
        (settings->*field.get)(&flag);
        m_copy.*field.flag = flag != 0;
    }
    for (const PairField& field : kPairFields) {
        LongPair& pair = m_copy.*field.pair;
        (settings->*field.get)(&pair.first, &pair.second);
    }
    settings->GetVideoColour(&m_copy.videoColour);
    settings->GetOutputResolution(&m_copy.resolution);
    settings->GetFrameRate(&m_copy.frameRate);
    settings->GetBackgroundColour(&m_copy.red, &m_copy.green, &m_copy.blue);
}

INT_PTR QuenzaProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillControls(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default: return FALSE;
    }
}

void QuenzaProp::FillControls(HWND dialog)
{
    FillVideoColourComboBox(dialog, IDC_QZ_VIDEOCOLOUR, m_copy.videoColour);
    SendDlgItemMessageW(dialog, IDC_QZ_RESOLUTION, CB_RESETCONTENT, 0, 0);
    for (const OutputResolution& resolution : kOutputResolutions)
        SendDlgItemMessageW(dialog, IDC_QZ_RESOLUTION, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(resolution.text));
    const LONG resolution = &OutputResolutionAt(m_copy.resolution) - kOutputResolutions;
    SendDlgItemMessageW(dialog, IDC_QZ_RESOLUTION, CB_SETCURSEL, static_cast<WPARAM>(resolution), 0);
    SetEditInteger(dialog, IDC_QZ_FRAMERATE, m_copy.frameRate);
    const BYTE colour[3] = {m_copy.red, m_copy.green, m_copy.blue};
    for (int c = 0; c < 3; ++c) SetEditInteger(dialog, kBackgroundIds[c], colour[c]);
    for (const PairField& field : kPairFields) {
        SetEditInteger(dialog, field.firstId, (m_copy.*field.pair).first);
        SetEditInteger(dialog, field.secondId, (m_copy.*field.pair).second);
    }
    for (const FlagField& field : kFlagFields) {
        CheckDlgButton(dialog, field.id, m_copy.*field.flag ? BST_CHECKED : BST_UNCHECKED);
        EnableSizePair(dialog, field, m_copy.*field.flag);
    }
}

void QuenzaProp::OnCommand(HWND dialog, int control, WORD notification)
{
    if (notification == EN_CHANGE) {
        if (control == IDC_QZ_FRAMERATE) {
            m_copy.frameRate = EditTextAsTruncatedNumber(dialog, control);
            SetDirty();
        } else if (PreviewPairField(dialog, control) || PreviewBackgroundField(dialog, control)) {
            SetDirty();
        }
    } else if (notification == CBN_SELCHANGE) {
        if (control == IDC_QZ_VIDEOCOLOUR) {
            m_copy.videoColour = ComboSelection(dialog, control, m_copy.videoColour);
            SetDirty();
        } else if (control == IDC_QZ_RESOLUTION) {
            m_copy.resolution = ComboSelection(dialog, control, m_copy.resolution);
            SetDirty();
        }
    } else if (notification == BN_CLICKED) {
        if (PreviewCheckBox(dialog, control)) SetDirty();
        else RunButton(control);
    }
}

// The filter's current pair with the typed component replaced.
bool QuenzaProp::PreviewPairField(HWND dialog, int control)
{
    for (const PairField& field : kPairFields) {
        if (control != field.firstId && control != field.secondId) continue;
        IQuenzaSettings* settings = SettingsInterface();
        if (!settings) return true;
        LongPair pair{};
        (settings->*field.get)(&pair.first, &pair.second);
        (control == field.firstId ? pair.first : pair.second) = EditTextAsInteger(dialog, control);
        (settings->*field.set)(pair.first, pair.second);
        return true;
    }
    return false;
}

bool QuenzaProp::PreviewBackgroundField(HWND dialog, int control)
{
    for (int c = 0; c < 3; ++c) {
        if (control != kBackgroundIds[c]) continue;
        IQuenzaSettings* settings = SettingsInterface();
        if (!settings) return true;
        BYTE colour[3] = {};
        settings->GetBackgroundColour(&colour[0], &colour[1], &colour[2]);
        LONG value[3] = {colour[0], colour[1], colour[2]};
        value[c] = EditTextAsInteger(dialog, control);
        settings->SetBackgroundColour(value[0], value[1], value[2]);
        return true;
    }
    return false;
}

bool QuenzaProp::PreviewCheckBox(HWND dialog, int control)
{
    for (const FlagField& field : kFlagFields) {
        if (control != field.id) continue;
        const bool checked = Checked(dialog, control);
        if (IQuenzaSettings* settings = SettingsInterface()) (settings->*field.set)(checked ? 1 : 0);
        EnableSizePair(dialog, field, checked);
        return true;
    }
    return false;
}

bool QuenzaProp::RunButton(int control)
{
    IQuenzaSettings* settings = SettingsInterface();
    if (!settings) return false;
    switch (control) {
    case IDC_QZ_APPLY_POSITION: settings->ApplyWindowPosition(); return true;
    case IDC_QZ_APPLY_SIZE: settings->ApplyWindowSize(); return true;
    case IDC_QZ_FULL_SCREEN: settings->FullScreen(); return true;
    case IDC_QZ_TOGGLE_FRAME: settings->ToggleWindowFrame(); return true;
    default: return false;
    }
}

void QuenzaProp::ReadControls(HWND dialog)
{
    m_copy.videoColour = ComboSelection(dialog, IDC_QZ_VIDEOCOLOUR, m_copy.videoColour);
    m_copy.resolution = ComboSelection(dialog, IDC_QZ_RESOLUTION, m_copy.resolution);
    m_copy.frameRate = EditTextAsTruncatedNumber(dialog, IDC_QZ_FRAMERATE);
    BYTE* colour[3] = {&m_copy.red, &m_copy.green, &m_copy.blue};
    for (int c = 0; c < 3; ++c)
        *colour[c] = static_cast<BYTE>(std::clamp<LONG>(EditTextAsInteger(dialog, kBackgroundIds[c]), 0, 255));
    for (const PairField& field : kPairFields)
        m_copy.*field.pair = {EditTextAsInteger(dialog, field.firstId), EditTextAsInteger(dialog, field.secondId)};
    for (const FlagField& field : kFlagFields) m_copy.*field.flag = Checked(dialog, field.id);
}

HRESULT QuenzaProp::ApplySettings(IQuenzaSettings* settings)
{
    if (m_Dlg) ReadControls(m_Dlg);
    HRESULT hr = settings->SetVideoColour(m_copy.videoColour);
    const HRESULT resolution = settings->SetOutputResolution(m_copy.resolution);
    const HRESULT rate = settings->SetFrameRate(m_copy.frameRate);
    if (SUCCEEDED(hr)) hr = resolution;
    if (SUCCEEDED(hr)) hr = rate;
    if (FAILED(rate)) SetDirty();
    return hr;
}

void QuenzaProp::RestorePreviews(IQuenzaSettings* settings)
{
    for (const PairField& field : kPairFields)
        (settings->*field.set)((m_copy.*field.pair).first, (m_copy.*field.pair).second);
    for (const FlagField& field : kFlagFields) (settings->*field.set)(m_copy.*field.flag ? 1 : 0);
    settings->SetBackgroundColour(m_copy.red, m_copy.green, m_copy.blue);
}
