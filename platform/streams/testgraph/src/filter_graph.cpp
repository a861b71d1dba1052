#include "filter_graph.h"

#include "objbase.h"
#include "system_clock.h"

#include <algorithm>
#include <chrono>
#include <new>

namespace {

class CEnumFilters final : public IEnumFilters {
public:
    CEnumFilters(std::vector<IBaseFilter*> filters, std::size_t position)
        : m_filters(std::move(filters)), m_position(position)
    {
        for (IBaseFilter* f : m_filters) f->AddRef();
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IEnumFilters) return GetInterface(this, ppv);
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++m_refs); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG left = --m_refs;
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }
    STDMETHODIMP Next(ULONG count, IBaseFilter** filters, ULONG* fetched) override
    {
        if (!filters || (!fetched && count != 1)) return E_POINTER;
        ULONG got = 0;
        while (got < count && m_position < m_filters.size()) {
            filters[got] = m_filters[m_position++];
            filters[got++]->AddRef();
        }
        if (fetched) *fetched = got;
        return got == count ? S_OK : S_FALSE;
    }
    STDMETHODIMP Skip(ULONG count) override
    {
        m_position = std::min(m_filters.size(), m_position + count);
        return m_position < m_filters.size() ? S_OK : S_FALSE;
    }
    STDMETHODIMP Reset() override
    {
        m_position = 0;
        return S_OK;
    }
    STDMETHODIMP Clone(IEnumFilters** copy) override
    {
        if (!copy) return E_POINTER;
        *copy = new (std::nothrow) CEnumFilters(m_filters, m_position);
        return *copy ? S_OK : E_OUTOFMEMORY;
    }

private:
    ~CEnumFilters()
    {
        for (IBaseFilter* f : m_filters) f->Release();
    }
    std::vector<IBaseFilter*> m_filters;
    std::size_t m_position;
    std::atomic<LONG> m_refs{1};
};

// The filters that `filter`'s connected output pins lead to.
std::vector<IBaseFilter*> DownstreamOf(IBaseFilter* filter)
{
    std::vector<IBaseFilter*> result;
    IEnumPins* pins = nullptr;
    if (FAILED(filter->EnumPins(&pins)) || !pins) return result;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        IPin* peer = nullptr;
        if (SUCCEEDED(pin->QueryDirection(&direction)) && direction == PINDIR_OUTPUT &&
            pin->ConnectedTo(&peer) == S_OK) {
            PIN_INFO info{};
            if (SUCCEEDED(peer->QueryPinInfo(&info)) && info.pFilter) {
                result.push_back(info.pFilter);
                info.pFilter->Release();  // the graph holds it
            }
            peer->Release();
        }
        pin->Release();
    }
    pins->Release();
    return result;
}

} // namespace

CFilterGraph::CFilterGraph() : CUnknown("Filter graph", nullptr), m_videoWindow(GetOwner()) {}

CFilterGraph::~CFilterGraph()
{
    Stop();
    // Connected pins reference each other's filters: break every link first.
    DisconnectAll();
    for (Member& member : m_filters) {
        member.filter->JoinFilterGraph(nullptr, nullptr);
        member.filter->Release();
    }
    if (m_clock) m_clock->Release();
}

HRESULT CFilterGraph::Create(CFilterGraph** graph)
{
    if (!graph) return E_POINTER;
    *graph = new (std::nothrow) CFilterGraph();
    if (!*graph) return E_OUTOFMEMORY;
    (*graph)->AddRef();
    return S_OK;
}

STDMETHODIMP CFilterGraph::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IFilterGraph) return GetInterface(static_cast<IFilterGraph*>(this), ppv);
    if (riid == IID_IMediaEventSink) return GetInterface(static_cast<IMediaEventSink*>(this), ppv);
    if (riid == IID_IVideoWindow) return GetInterface(static_cast<IVideoWindow*>(&m_videoWindow), ppv);
    if (riid == IID_IBasicVideo) return GetInterface(static_cast<IBasicVideo*>(&m_videoWindow), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

bool CFilterGraph::NameTaken(const std::u16string& name) const
{
    return std::any_of(m_filters.begin(), m_filters.end(), [&](const Member& m) { return m.name == name; });
}

std::u16string CFilterGraph::UniqueName(LPCWSTR name) const
{
    const std::u16string base = name && *name ? std::u16string(name) : std::u16string(u"Filter");
    if (!NameTaken(base)) return base;
    for (int n = 1;; ++n) {
        std::u16string candidate = base + u" ";
        for (char c : std::to_string(n)) candidate += static_cast<char16_t>(c);
        if (!NameTaken(candidate)) return candidate;
    }
}

STDMETHODIMP CFilterGraph::AddFilter(IBaseFilter* filter, LPCWSTR name)
{
    if (!filter) return E_POINTER;
    std::lock_guard<std::mutex> hold(m_mutex);
    for (const Member& m : m_filters)
        if (m.filter == filter) return E_INVALIDARG;
    const std::u16string unique = UniqueName(name);
    const HRESULT hr = filter->JoinFilterGraph(this, unique.c_str());
    if (FAILED(hr)) return hr;
    filter->AddRef();
    m_filters.push_back({filter, unique});
    const bool renamed = name && *name && unique != name;
    return renamed ? VFW_S_DUPLICATE_NAME : S_OK;
}

void CFilterGraph::DisconnectPinsOf(IBaseFilter* filter)
{
    IEnumPins* pins = nullptr;
    if (FAILED(filter->EnumPins(&pins)) || !pins) return;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        IPin* peer = nullptr;
        if (pin->ConnectedTo(&peer) == S_OK) {
            peer->Disconnect();
            peer->Release();
        }
        pin->Disconnect();
        pin->Release();
    }
    pins->Release();
}

STDMETHODIMP CFilterGraph::RemoveFilter(IBaseFilter* filter)
{
    if (!filter) return E_POINTER;
    std::lock_guard<std::mutex> hold(m_mutex);
    auto found = std::find_if(m_filters.begin(), m_filters.end(), [&](const Member& m) { return m.filter == filter; });
    if (found == m_filters.end()) return VFW_E_NOT_FOUND;
    DisconnectPinsOf(filter);
    filter->JoinFilterGraph(nullptr, nullptr);
    m_filters.erase(found);
    filter->Release();
    return S_OK;
}

STDMETHODIMP CFilterGraph::EnumFilters(IEnumFilters** filters)
{
    if (!filters) return E_POINTER;
    std::lock_guard<std::mutex> hold(m_mutex);
    std::vector<IBaseFilter*> list;
    for (const Member& m : m_filters) list.push_back(m.filter);
    *filters = new (std::nothrow) CEnumFilters(std::move(list), 0);
    return *filters ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CFilterGraph::FindFilterByName(LPCWSTR name, IBaseFilter** filter)
{
    if (!filter) return E_POINTER;
    *filter = nullptr;
    if (!name) return E_POINTER;
    std::lock_guard<std::mutex> hold(m_mutex);
    for (const Member& m : m_filters) {
        if (m.name == name) {
            m.filter->AddRef();
            *filter = m.filter;
            return S_OK;
        }
    }
    return VFW_E_NOT_FOUND;
}

STDMETHODIMP CFilterGraph::ConnectDirect(IPin* output, IPin* input, const AM_MEDIA_TYPE* type)
{
    if (!output || !input) return E_POINTER;
    if (State() != State_Stopped) return VFW_E_NOT_STOPPED;
    return output->Connect(input, type);
}

STDMETHODIMP CFilterGraph::Disconnect(IPin* pin)
{
    if (!pin) return E_POINTER;
    return pin->Disconnect();
}

STDMETHODIMP CFilterGraph::SetDefaultSyncSource()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    if (!m_clock) {
        const HRESULT hr = CSystemClock::Create(&m_clock);
        if (FAILED(hr)) return hr;
    }
    for (const Member& m : m_filters) m.filter->SetSyncSource(m_clock);
    return S_OK;
}

STDMETHODIMP CFilterGraph::Notify(LONG code, LONG_PTR param1, LONG_PTR param2)
{
    {
        std::lock_guard<std::mutex> hold(m_eventMutex);
        m_events.push_back({code, param1, param2});
    }
    m_eventArrived.notify_all();
    return S_OK;
}

HRESULT CFilterGraph::AddFilterByClsid(REFCLSID clsid, LPCWSTR name, IBaseFilter** filter)
{
    if (filter) *filter = nullptr;
    IBaseFilter* created = nullptr;
    HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&created));
    if (FAILED(hr)) return hr;
    hr = AddFilter(created, name);
    if (SUCCEEDED(hr) && filter)
        *filter = created;
    else
        created->Release();
    return hr;
}

HRESULT CFilterGraph::ConnectPins(IBaseFilter* from, LPCWSTR outputId, IBaseFilter* to, LPCWSTR inputId,
                                  const AM_MEDIA_TYPE* type)
{
    if (!from || !to) return E_POINTER;
    IPin* output = nullptr;
    IPin* input = nullptr;
    HRESULT hr = from->FindPin(outputId, &output);
    if (SUCCEEDED(hr)) hr = to->FindPin(inputId, &input);
    if (SUCCEEDED(hr)) hr = ConnectDirect(output, input, type);
    if (output) output->Release();
    if (input) input->Release();
    return hr;
}

void CFilterGraph::DisconnectAll()
{
    std::vector<IBaseFilter*> filters;
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        for (const Member& m : m_filters) filters.push_back(m.filter);
    }
    for (IBaseFilter* f : filters) DisconnectPinsOf(f);
}

std::vector<IBaseFilter*> CFilterGraph::DownstreamFirst() const
{
    std::vector<IBaseFilter*> pending;
    for (const Member& m : m_filters) pending.push_back(m.filter);
    std::vector<IBaseFilter*> ordered;
    while (!pending.empty()) {
        auto ready = std::find_if(pending.begin(), pending.end(), [&](IBaseFilter* f) {
            for (IBaseFilter* next : DownstreamOf(f))
                if (std::find(ordered.begin(), ordered.end(), next) == ordered.end() &&
                    std::find(pending.begin(), pending.end(), next) != pending.end())
                    return false;
            return true;
        });
        if (ready == pending.end()) ready = pending.begin();  // a cycle: take any
        ordered.push_back(*ready);
        pending.erase(ready);
    }
    return ordered;
}

HRESULT CFilterGraph::Pause()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    for (IBaseFilter* f : DownstreamFirst()) {
        const HRESULT hr = f->Pause();
        if (FAILED(hr)) return hr;
    }
    m_state = State_Paused;
    return S_OK;
}

HRESULT CFilterGraph::Run()
{
    const HRESULT clocked = SetDefaultSyncSource();
    if (FAILED(clocked)) return clocked;
    std::lock_guard<std::mutex> hold(m_mutex);
    const std::vector<IBaseFilter*> order = DownstreamFirst();
    if (m_state == State_Stopped) {
        for (IBaseFilter* f : order) {
            const HRESULT hr = f->Pause();
            if (FAILED(hr)) return hr;
        }
    }
    REFERENCE_TIME now = 0;
    m_clock->GetTime(&now);
    for (IBaseFilter* f : order) {
        const HRESULT hr = f->Run(now);
        if (FAILED(hr)) return hr;
    }
    m_state = State_Running;
    return S_OK;
}

HRESULT CFilterGraph::Stop()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    HRESULT result = S_OK;
    for (IBaseFilter* f : DownstreamFirst()) {
        const HRESULT hr = f->Stop();
        if (FAILED(hr) && SUCCEEDED(result)) result = hr;
    }
    m_state = State_Stopped;
    return result;
}

FILTER_STATE CFilterGraph::State() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_state;
}

std::vector<GraphEvent> CFilterGraph::Events() const
{
    std::lock_guard<std::mutex> hold(m_eventMutex);
    return m_events;
}

bool CFilterGraph::WaitForEvent(LONG code, DWORD timeoutMs)
{
    std::unique_lock<std::mutex> hold(m_eventMutex);
    return m_eventArrived.wait_for(hold, std::chrono::milliseconds(timeoutMs), [&] {
        return std::any_of(m_events.begin(), m_events.end(), [&](const GraphEvent& e) { return e.code == code; });
    });
}
