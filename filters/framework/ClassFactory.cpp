#include "ClassFactory.h"

#include <atomic>

namespace {

// Internal linkage: each module counts only its own server locks.
std::atomic<LONG> s_locks{0};

} // namespace

CClassFactory::CClassFactory(const CFactoryTemplate& entry) : CUnknown("Class factory", nullptr), m_entry(entry) {}

STDMETHODIMP CClassFactory::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IClassFactory) return GetInterface(static_cast<IClassFactory*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    // An aggregated object can only hand its inner unknown to the outer one.
    if (outer && riid != IID_IUnknown) return E_NOINTERFACE;
    HRESULT hr = S_OK;
    CUnknown* object = m_entry.m_lpfnNew(outer, &hr);
    if (!object) return FAILED(hr) ? hr : E_OUTOFMEMORY;
    if (FAILED(hr)) {
        delete object;
        return hr;
    }
    object->NonDelegatingAddRef();
    hr = object->NonDelegatingQueryInterface(riid, ppv);
    object->NonDelegatingRelease();
    return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock)
{
    if (lock) {
        s_locks.fetch_add(1);
        return S_OK;
    }
    // An unlock without a lock is refused rather than driving the count negative.
    LONG current = s_locks.load();
    do {
        if (current <= 0) return E_UNEXPECTED;
    } while (!s_locks.compare_exchange_weak(current, current - 1));
    return S_OK;
}

bool CClassFactory::IsLocked() { return s_locks.load() > 0; }
