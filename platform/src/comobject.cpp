#include "comobject.h"

namespace {

// Internal linkage: one counter per binary, never shared with another one.
std::atomic<LONG> g_objectsActive{0};

} // namespace

CBaseObject::CBaseObject(const char* name) : m_name(name) { g_objectsActive.fetch_add(1); }

CBaseObject::~CBaseObject() { g_objectsActive.fetch_sub(1); }

LONG CBaseObject::ObjectsActive() { return g_objectsActive.load(); }

CUnknown::CUnknown(const char* name, IUnknown* outer)
    : CBaseObject(name), m_inner(this), m_owner(outer ? outer : &m_inner)
{
}

CUnknown::~CUnknown() = default;

STDMETHODIMP CUnknown::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown) return GetInterface(&m_inner, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CUnknown::NonDelegatingAddRef() { return static_cast<ULONG>(m_ref.fetch_add(1) + 1); }

STDMETHODIMP_(ULONG) CUnknown::NonDelegatingRelease()
{
    const LONG left = m_ref.fetch_sub(1) - 1;
    if (left == 0) {
        // Guard against a release from inside the destructor deleting twice.
        m_ref.store(1);
        delete this;
        return 0;
    }
    return static_cast<ULONG>(left > 0 ? left : 0);
}

HRESULT GetInterface(IUnknown* unknown, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = unknown;
    unknown->AddRef();
    return S_OK;
}

LONG InterlockedIncrement(volatile LONG* value)
{
    return std::atomic_ref<LONG>(const_cast<LONG&>(*value)).fetch_add(1) + 1;
}

LONG InterlockedDecrement(volatile LONG* value)
{
    return std::atomic_ref<LONG>(const_cast<LONG&>(*value)).fetch_sub(1) - 1;
}
