#include "enumerators.h"

#include <new>

CEnumPins::CEnumPins(CBaseFilter* filter, int position, LONG version)
    : m_filter(filter), m_position(position), m_version(version)
{
    m_filter->AddRef();
}

CEnumPins::~CEnumPins() { m_filter->Release(); }

HRESULT CEnumPins::Create(CBaseFilter* filter, IEnumPins** enumerator)
{
    if (!enumerator) return E_POINTER;
    *enumerator = new (std::nothrow) CEnumPins(filter, 0, filter->GetPinVersion());
    return *enumerator ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CEnumPins::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IEnumPins) return GetInterface(this, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumPins::AddRef() { return static_cast<ULONG>(m_refs.fetch_add(1) + 1); }

STDMETHODIMP_(ULONG) CEnumPins::Release()
{
    const LONG left = m_refs.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

STDMETHODIMP CEnumPins::Next(ULONG count, IPin** pins, ULONG* fetched)
{
    if (!pins || (!fetched && count != 1)) return E_POINTER;
    if (fetched) *fetched = 0;
    if (m_version != m_filter->GetPinVersion()) return VFW_E_ENUM_OUT_OF_SYNC;
    ULONG got = 0;
    while (got < count) {
        CBasePin* pin = m_filter->GetPin(m_position);
        if (!pin) break;
        pin->AddRef();
        pins[got++] = pin;
        ++m_position;
    }
    if (fetched) *fetched = got;
    return got == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumPins::Skip(ULONG count)
{
    if (m_version != m_filter->GetPinVersion()) return VFW_E_ENUM_OUT_OF_SYNC;
    const int left = m_filter->GetPinCount() - m_position;
    if (count > static_cast<ULONG>(left < 0 ? 0 : left)) return S_FALSE;
    m_position += static_cast<int>(count);
    return S_OK;
}

STDMETHODIMP CEnumPins::Reset()
{
    m_version = m_filter->GetPinVersion();
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumPins::Clone(IEnumPins** copy)
{
    if (!copy) return E_POINTER;
    if (m_version != m_filter->GetPinVersion()) {
        *copy = nullptr;
        return VFW_E_ENUM_OUT_OF_SYNC;
    }
    *copy = new (std::nothrow) CEnumPins(m_filter, m_position, m_version);
    return *copy ? S_OK : E_OUTOFMEMORY;
}

CEnumMediaTypes::CEnumMediaTypes(CBasePin* pin, int position) : m_pin(pin), m_position(position)
{
    m_pin->AddRef();
}

CEnumMediaTypes::~CEnumMediaTypes() { m_pin->Release(); }

HRESULT CEnumMediaTypes::Create(CBasePin* pin, IEnumMediaTypes** enumerator)
{
    if (!enumerator) return E_POINTER;
    *enumerator = new (std::nothrow) CEnumMediaTypes(pin, 0);
    return *enumerator ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CEnumMediaTypes::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IEnumMediaTypes) return GetInterface(this, ppv);
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEnumMediaTypes::AddRef() { return static_cast<ULONG>(m_refs.fetch_add(1) + 1); }

STDMETHODIMP_(ULONG) CEnumMediaTypes::Release()
{
    const LONG left = m_refs.fetch_sub(1) - 1;
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
}

// Each type handed out is a task-memory record the caller frees with
// DeleteMediaType.
STDMETHODIMP CEnumMediaTypes::Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched)
{
    if (!types || (!fetched && count != 1)) return E_POINTER;
    if (fetched) *fetched = 0;
    CAutoLock hold(m_pin->PinLock());
    ULONG got = 0;
    while (got < count) {
        CMediaType type;
        if (m_pin->GetMediaType(m_position, &type) != S_OK) break;
        AM_MEDIA_TYPE* copy = CreateMediaType(&type);
        if (!copy) break;
        types[got++] = copy;
        ++m_position;
    }
    if (fetched) *fetched = got;
    return got == count ? S_OK : S_FALSE;
}

STDMETHODIMP CEnumMediaTypes::Skip(ULONG count)
{
    CAutoLock hold(m_pin->PinLock());
    for (ULONG i = 0; i < count; ++i) {
        CMediaType type;
        if (m_pin->GetMediaType(m_position, &type) != S_OK) return S_FALSE;
        ++m_position;
    }
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Reset()
{
    m_position = 0;
    return S_OK;
}

STDMETHODIMP CEnumMediaTypes::Clone(IEnumMediaTypes** copy)
{
    if (!copy) return E_POINTER;
    *copy = new (std::nothrow) CEnumMediaTypes(m_pin, m_position);
    return *copy ? S_OK : E_OUTOFMEMORY;
}
