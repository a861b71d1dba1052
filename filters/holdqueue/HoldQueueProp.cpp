#include "HoldQueueProp.h"

#include "HoldQueueResources.h"
#include "HoldQueueRules.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>

namespace {

void SetNumber(HWND dialog, int id, long long value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%lld", value);
    SetDlgItemTextA(dialog, id, text);
}

LONG EditNumber(HWND dialog, int id)
{
    char text[64] = {};
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    return std::atoi(text);
}

} // namespace

HoldQueueProp::HoldQueueProp(IUnknown* outer, HRESULT*)
    : SettingsPropertyPage("Synchronizing Buffer page", outer, kHoldQueuePageDialog, kHoldQueuePageTitle)
{
}

void HoldQueueProp::ReadSettings(IHoldQueueSettings* settings)
{
    settings->GetMaxBufferSamples(&m_maxBufferSamples);
    settings->GetAbsoluteTimeOffset(&m_offset);
    settings->GetDiscardInterval(&m_discardInterval);
    settings->GetDisableTimeStamps(&m_disableTimeStamps);
}

HRESULT HoldQueueProp::ApplySettings(IHoldQueueSettings* settings)
{
    HRESULT hr = settings->SetMaxBufferSamples(m_maxBufferSamples);
    const HRESULT results[] = {settings->SetAbsoluteTimeOffset(m_offset), settings->SetDiscardInterval(m_discardInterval),
                               settings->SetDisableTimeStamps(m_disableTimeStamps)};
    for (const HRESULT result : results)
        if (SUCCEEDED(hr)) hr = result;
    return hr;
}

INT_PTR HoldQueueProp::OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillControls(dialog);
        RefreshMonitor(dialog);
        SetTimer(dialog, kMonitorTimer, kMonitorIntervalMs, nullptr);
        return TRUE;
    case WM_DESTROY:
        KillTimer(dialog, kMonitorTimer);
        return TRUE;
    case WM_TIMER:
        if (wParam == kMonitorTimer) RefreshMonitor(dialog);
        return TRUE;
    case WM_COMMAND:
        OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    default: return FALSE;
    }
}

void HoldQueueProp::FillControls(HWND dialog)
{
    SetNumber(dialog, IDC_HQ_MAXSAMPLES, m_maxBufferSamples);
    SetNumber(dialog, IDC_HQ_OFFSET, m_offset);
    SetNumber(dialog, IDC_HQ_DISCARD, m_discardInterval);
    CheckDlgButton(dialog, IDC_HQ_DISABLETIMESTAMPS, m_disableTimeStamps ? BST_CHECKED : BST_UNCHECKED);
}

void HoldQueueProp::OnCommand(HWND dialog, int control, WORD notification)
{
    LONG* edited = control == IDC_HQ_MAXSAMPLES ? &m_maxBufferSamples
                   : control == IDC_HQ_OFFSET   ? &m_offset
                   : control == IDC_HQ_DISCARD  ? &m_discardInterval
                                                : nullptr;
    if (edited && notification == EN_CHANGE) {
        *edited = EditNumber(dialog, control);
        SetDirty();
    } else if (control == IDC_HQ_DISABLETIMESTAMPS && notification == BN_CLICKED) {
        m_disableTimeStamps = IsDlgButtonChecked(dialog, IDC_HQ_DISABLETIMESTAMPS) == BST_CHECKED ? 1 : 0;
        SetDirty();
    }
}

// The fill level is measured against the filter's capacity in force, which
// is the applied maximum, not the page's unapplied copy.
void HoldQueueProp::RefreshMonitor(HWND dialog)
{
    IHoldQueueSettings* settings = SettingsInterface();
    if (!settings) return;
    LONG count = 0, maximum = 0, discarded = 0;
    LONGLONG absolute = 0, offsetAbsolute = 0;
    settings->GetBufferSampleCount(&count);
    settings->GetMaxBufferSamples(&maximum);
    settings->GetDiscardedSampleCount(&discarded);
    settings->GetAbsoluteTime(&absolute);
    settings->GetOffsetAbsoluteTime(&offsetAbsolute);
    SetNumber(dialog, IDC_HQ_COUNT, count);
    SetDlgItemTextA(dialog, IDC_HQ_FILLLEVEL, FillLevelText(count, maximum).c_str());
    SetNumber(dialog, IDC_HQ_ABSOLUTE, absolute / kUnitsPerMillisecond);
    SetNumber(dialog, IDC_HQ_OFFSETABSOLUTE, offsetAbsolute / kUnitsPerMillisecond);
    SetNumber(dialog, IDC_HQ_DISCARDED, discarded);
}
