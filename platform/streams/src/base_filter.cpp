#include "base_filter.h"

#include "base_pin.h"
#include "enumerators.h"
#include "widestring.h"

CBaseFilter::CBaseFilter(const char* objectName, IUnknown* outer, CCritSec* lock, REFCLSID clsid)
    : CUnknown(objectName, outer), m_lock(lock), m_clsid(clsid)
{
}

CBaseFilter::~CBaseFilter()
{
    if (m_clock) m_clock->Release();
}

STDMETHODIMP CBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IBaseFilter) return GetInterface(static_cast<IBaseFilter*>(this), ppv);
    if (riid == IID_IMediaFilter) return GetInterface(static_cast<IMediaFilter*>(this), ppv);
    if (riid == IID_IPersist) return GetInterface(static_cast<IPersist*>(this), ppv);
    if (riid == IID_IAMovieSetup) return GetInterface(static_cast<IAMovieSetup*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseFilter::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = m_clsid;
    return S_OK;
}

// Every connected pin is told; the first failure is reported, but the filter
// still ends up stopped so it can be reconnected or destroyed.
STDMETHODIMP CBaseFilter::Stop()
{
    CAutoLock hold(m_lock);
    HRESULT result = S_OK;
    if (IsActive()) {
        for (int i = 0; i < GetPinCount(); ++i) {
            CBasePin* pin = GetPin(i);
            if (!pin || !pin->IsConnected()) continue;
            const HRESULT hr = pin->Inactive();
            if (FAILED(hr) && SUCCEEDED(result)) result = hr;
        }
    }
    m_state = State_Stopped;
    return result;
}

STDMETHODIMP CBaseFilter::Pause()
{
    CAutoLock hold(m_lock);
    if (IsStopped()) {
        for (int i = 0; i < GetPinCount(); ++i) {
            CBasePin* pin = GetPin(i);
            if (!pin || !pin->IsConnected()) continue;
            const HRESULT hr = pin->Active();
            if (FAILED(hr)) return hr;
        }
    }
    m_state = State_Paused;
    return S_OK;
}

STDMETHODIMP CBaseFilter::Run(REFERENCE_TIME start)
{
    CAutoLock hold(m_lock);
    m_runStart = start;
    if (IsStopped()) {
        const HRESULT hr = Pause();
        if (FAILED(hr)) return hr;
    }
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* pin = GetPin(i);
        if (!pin || !pin->IsConnected()) continue;
        const HRESULT hr = pin->Run(start);
        if (FAILED(hr)) return hr;
    }
    m_state = State_Running;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetState(DWORD, FILTER_STATE* state)
{
    if (!state) return E_POINTER;
    *state = State();
    return S_OK;
}

STDMETHODIMP CBaseFilter::SetSyncSource(IReferenceClock* clock)
{
    CAutoLock hold(m_lock);
    if (clock) clock->AddRef();
    if (m_clock) m_clock->Release();
    m_clock = clock;
    return S_OK;
}

STDMETHODIMP CBaseFilter::GetSyncSource(IReferenceClock** clock)
{
    if (!clock) return E_POINTER;
    CAutoLock hold(m_lock);
    *clock = m_clock;
    if (m_clock) m_clock->AddRef();
    return S_OK;
}

HRESULT CBaseFilter::StreamTime(REFERENCE_TIME& time)
{
    CAutoLock hold(m_lock);
    if (!m_clock) return VFW_E_NO_CLOCK;
    const HRESULT hr = m_clock->GetTime(&time);
    if (SUCCEEDED(hr)) time -= m_runStart;
    return hr;
}

STDMETHODIMP CBaseFilter::EnumPins(IEnumPins** pins)
{
    // Filters that make their pins on first request make them now, so the
    // enumerator does not see the pin set change under it.
    GetPin(0);
    return CEnumPins::Create(this, pins);
}

STDMETHODIMP CBaseFilter::FindPin(LPCWSTR id, IPin** pin)
{
    if (!pin) return E_POINTER;
    *pin = nullptr;
    if (!id) return E_POINTER;
    CAutoLock hold(m_lock);
    for (int i = 0; i < GetPinCount(); ++i) {
        CBasePin* candidate = GetPin(i);
        if (candidate && candidate->Id() == id) {
            candidate->AddRef();
            *pin = candidate;
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CBaseFilter::QueryFilterInfo(FILTER_INFO* info)
{
    if (!info) return E_POINTER;
    CAutoLock hold(m_lock);
    CopyWideName(info->achName, MAX_FILTER_NAME, m_name);
    info->pGraph = m_graph;
    if (m_graph) m_graph->AddRef();
    return S_OK;
}

STDMETHODIMP CBaseFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name)
{
    CAutoLock hold(m_lock);
    m_graph = graph;
    m_sink = nullptr;
    if (graph) {
        IMediaEventSink* sink = nullptr;
        if (SUCCEEDED(graph->QueryInterface(IID_IMediaEventSink, reinterpret_cast<void**>(&sink))) && sink) {
            m_sink = sink;
            sink->Release();  // the graph outlives its members: keep no reference
        }
    }
    m_name = name ? std::u16string(name) : std::u16string();
    return S_OK;
}

STDMETHODIMP CBaseFilter::QueryVendorInfo(LPWSTR* vendorInfo)
{
    if (!vendorInfo) return E_POINTER;
    *vendorInfo = nullptr;
    return E_NOTIMPL;
}

HRESULT CBaseFilter::NotifyEvent(LONG code, LONG_PTR param1, LONG_PTR param2)
{
    IMediaEventSink* sink = m_sink;
    if (!sink) return E_NOTIMPL;
    return sink->Notify(code, param1, param2);
}
