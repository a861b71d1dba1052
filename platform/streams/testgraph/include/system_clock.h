// A reference clock on the monotonic system clock, in 100-ns units. The
// graph hands it to its filters when it runs; nothing here needs advise
// notifications, so those slots answer E_NOTIMPL.
#pragma once

#include "comobject.h"
#include "filter_interfaces.h"

class CSystemClock : public CUnknown, public IReferenceClock {
public:
    CSystemClock();
    static HRESULT Create(IReferenceClock** clock);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetTime(REFERENCE_TIME* time) override;
    STDMETHODIMP AdviseTime(REFERENCE_TIME, REFERENCE_TIME, HEVENT, DWORD_PTR* cookie) override;
    STDMETHODIMP AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR* cookie) override;
    STDMETHODIMP Unadvise(DWORD_PTR) override { return E_NOTIMPL; }
};
