#include "system_clock.h"

#include <chrono>
#include <new>

CSystemClock::CSystemClock() : CUnknown("System clock", nullptr) {}

HRESULT CSystemClock::Create(IReferenceClock** clock)
{
    if (!clock) return E_POINTER;
    auto* created = new (std::nothrow) CSystemClock();
    *clock = created;
    if (!created) return E_OUTOFMEMORY;
    created->AddRef();
    return S_OK;
}

STDMETHODIMP CSystemClock::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IReferenceClock) return GetInterface(static_cast<IReferenceClock*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CSystemClock::GetTime(REFERENCE_TIME* time)
{
    if (!time) return E_POINTER;
    using Ticks = std::chrono::duration<REFERENCE_TIME, std::ratio<1, 10'000'000>>;
    *time = std::chrono::duration_cast<Ticks>(std::chrono::steady_clock::now().time_since_epoch()).count();
    return S_OK;
}

STDMETHODIMP CSystemClock::AdviseTime(REFERENCE_TIME, REFERENCE_TIME, HEVENT, DWORD_PTR* cookie)
{
    if (cookie) *cookie = 0;
    return E_NOTIMPL;
}

STDMETHODIMP CSystemClock::AdvisePeriodic(REFERENCE_TIME, REFERENCE_TIME, HSEMAPHORE, DWORD_PTR* cookie)
{
    if (cookie) *cookie = 0;
    return E_NOTIMPL;
}
