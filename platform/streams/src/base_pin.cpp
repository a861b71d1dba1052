#include "base_pin.h"

#include "enumerators.h"
#include "widestring.h"

CBasePin::CBasePin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT*, LPCWSTR pinName,
                   PIN_DIRECTION direction)
    : CUnknown(objectName, nullptr),
      m_filter(filter),
      m_lock(lock),
      m_name(pinName ? pinName : u""),
      m_direction(direction)
{
}

CBasePin::~CBasePin()
{
    // A filter destroyed while connected must not leak its peer.
    if (m_connected) m_connected->Release();
}

STDMETHODIMP CBasePin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IPin) return GetInterface(static_cast<IPin*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingAddRef() { return m_filter->AddRef(); }

STDMETHODIMP_(ULONG) CBasePin::NonDelegatingRelease() { return m_filter->Release(); }

STDMETHODIMP CBasePin::Connect(IPin* receivePin, const AM_MEDIA_TYPE* type)
{
    if (!receivePin) return E_POINTER;
    CAutoLock hold(m_lock);
    if (m_connected) return VFW_E_ALREADY_CONNECTED;
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    CMediaType pattern;
    pattern.majortype = GUID_NULL;
    if (type) pattern = *type;
    return AgreeMediaType(receivePin, pattern);
}

// A complete type is tried alone; otherwise this pin's own types are
// proposed first, then the receiver's, each filtered by the pattern.
HRESULT CBasePin::AgreeMediaType(IPin* receivePin, const CMediaType& pattern)
{
    if (!pattern.IsPartiallySpecified()) return AttemptConnection(receivePin, pattern);
    HRESULT last = VFW_E_NO_ACCEPTABLE_TYPES;
    for (IPin* proposer : {static_cast<IPin*>(this), receivePin}) {
        IEnumMediaTypes* types = nullptr;
        if (FAILED(proposer->EnumMediaTypes(&types)) || !types) continue;
        const HRESULT hr = TryMediaTypes(receivePin, pattern, types);
        types->Release();
        if (SUCCEEDED(hr)) return hr;
        if (hr != VFW_E_NO_ACCEPTABLE_TYPES) last = hr;
    }
    return last == VFW_E_NO_ACCEPTABLE_TYPES || last == VFW_E_TYPE_NOT_ACCEPTED ? VFW_E_NO_ACCEPTABLE_TYPES : last;
}

HRESULT CBasePin::TryMediaTypes(IPin* receivePin, const CMediaType& pattern, IEnumMediaTypes* types)
{
    HRESULT last = VFW_E_NO_ACCEPTABLE_TYPES;
    for (;;) {
        AM_MEDIA_TYPE* offered = nullptr;
        ULONG fetched = 0;
        if (types->Next(1, &offered, &fetched) != S_OK || fetched != 1 || !offered) break;
        CMediaType candidate(*offered);
        DeleteMediaType(offered);
        if (!pattern.MatchesPartial(candidate)) continue;
        const HRESULT hr = AttemptConnection(receivePin, candidate);
        if (SUCCEEDED(hr)) return hr;
        last = hr;
    }
    return last;
}

HRESULT CBasePin::AttemptConnection(IPin* receivePin, const CMediaType& type)
{
    HRESULT hr = CheckConnect(receivePin);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    if (CheckMediaType(&type) != S_OK) {
        BreakConnect();
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    m_connected = receivePin;
    m_connected->AddRef();
    hr = SetMediaType(&type);
    if (SUCCEEDED(hr)) {
        hr = receivePin->ReceiveConnection(this, &type);
        if (SUCCEEDED(hr)) {
            hr = CompleteConnect(receivePin);
            if (SUCCEEDED(hr)) return S_OK;
            receivePin->Disconnect();
        }
    }
    DropConnection();
    return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
}

STDMETHODIMP CBasePin::ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type)
{
    if (!connector || !type) return E_POINTER;
    CAutoLock hold(m_lock);
    if (m_connected) return VFW_E_ALREADY_CONNECTED;
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    HRESULT hr = CheckConnect(connector);
    if (FAILED(hr)) {
        BreakConnect();
        return hr;
    }
    const CMediaType offered(*type);
    if (CheckMediaType(&offered) != S_OK) {
        BreakConnect();
        return VFW_E_TYPE_NOT_ACCEPTED;
    }
    m_connected = connector;
    m_connected->AddRef();
    hr = SetMediaType(&offered);
    if (SUCCEEDED(hr)) hr = CompleteConnect(connector);
    if (SUCCEEDED(hr)) return S_OK;
    DropConnection();
    return hr;
}

void CBasePin::DropConnection()
{
    BreakConnect();
    if (m_connected) m_connected->Release();
    m_connected = nullptr;
    m_mt = CMediaType();
}

STDMETHODIMP CBasePin::Disconnect()
{
    CAutoLock hold(m_lock);
    if (!IsStopped()) return VFW_E_NOT_STOPPED;
    if (!m_connected) return S_FALSE;
    DropConnection();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectedTo(IPin** pin)
{
    if (!pin) return E_POINTER;
    CAutoLock hold(m_lock);
    *pin = m_connected;
    if (!m_connected) return VFW_E_NOT_CONNECTED;
    m_connected->AddRef();
    return S_OK;
}

STDMETHODIMP CBasePin::ConnectionMediaType(AM_MEDIA_TYPE* type)
{
    if (!type) return E_POINTER;
    CAutoLock hold(m_lock);
    if (!m_connected) {
        *type = AM_MEDIA_TYPE{};
        return VFW_E_NOT_CONNECTED;
    }
    return CopyMediaType(type, &m_mt);
}

STDMETHODIMP CBasePin::QueryPinInfo(PIN_INFO* info)
{
    if (!info) return E_POINTER;
    info->pFilter = m_filter;
    m_filter->AddRef();
    info->dir = m_direction;
    CopyWideName(info->achName, MAX_PIN_NAME, m_name);
    return S_OK;
}

STDMETHODIMP CBasePin::QueryDirection(PIN_DIRECTION* direction)
{
    if (!direction) return E_POINTER;
    *direction = m_direction;
    return S_OK;
}

STDMETHODIMP CBasePin::QueryId(LPWSTR* id)
{
    if (!id) return E_POINTER;
    *id = TaskMemWideString(Id());
    return *id ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CBasePin::QueryAccept(const AM_MEDIA_TYPE* type)
{
    if (!type) return E_POINTER;
    const CMediaType offered(*type);
    return CheckMediaType(&offered) == S_OK ? S_OK : S_FALSE;
}

STDMETHODIMP CBasePin::EnumMediaTypes(IEnumMediaTypes** types) { return CEnumMediaTypes::Create(this, types); }

STDMETHODIMP CBasePin::QueryInternalConnections(IPin**, ULONG*) { return E_NOTIMPL; }

STDMETHODIMP CBasePin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    m_segmentStart = start;
    m_segmentStop = stop;
    m_segmentRate = rate;
    return S_OK;
}

HRESULT CBasePin::SetMediaType(const CMediaType* type)
{
    m_mt = *type;
    return S_OK;
}

HRESULT CBasePin::GetMediaType(int position, CMediaType*)
{
    return position < 0 ? E_INVALIDARG : VFW_S_NO_MORE_ITEMS;
}

HRESULT CBasePin::CheckConnect(IPin* pin)
{
    PIN_DIRECTION theirs = PINDIR_INPUT;
    const HRESULT hr = pin->QueryDirection(&theirs);
    if (FAILED(hr)) return hr;
    return theirs == m_direction ? VFW_E_INVALID_DIRECTION : S_OK;
}

HRESULT CBasePin::CompleteConnect(IPin*) { return S_OK; }

HRESULT CBasePin::BreakConnect() { return S_OK; }
