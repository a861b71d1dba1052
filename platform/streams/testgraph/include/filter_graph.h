// An in-process filter graph for tests and tools: filters are added by
// object or by CLSID, pins connected directly, the graph paused, run and
// stopped as a whole (downstream filters first), and the events filters send
// collected. It answers IVideoWindow and IBasicVideo through a recording
// stand-in, as a graph with a video renderer would. It never offers
// IFilterGraph2.
#pragma once

#include "base_filter.h"
#include "video_window_standin.h"

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

struct GraphEvent {
    LONG code;
    LONG_PTR param1;
    LONG_PTR param2;
};

class CFilterGraph : public CUnknown, public IFilterGraph, public IMediaEventSink {
public:
    CFilterGraph();
    ~CFilterGraph() override;
    // A new graph with one reference.
    static HRESULT Create(CFilterGraph** graph);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP AddFilter(IBaseFilter* filter, LPCWSTR name) override;
    STDMETHODIMP RemoveFilter(IBaseFilter* filter) override;
    STDMETHODIMP EnumFilters(IEnumFilters** filters) override;
    STDMETHODIMP FindFilterByName(LPCWSTR name, IBaseFilter** filter) override;
    STDMETHODIMP ConnectDirect(IPin* output, IPin* input, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Reconnect(IPin*) override { return E_NOTIMPL; }
    STDMETHODIMP Disconnect(IPin* pin) override;
    STDMETHODIMP SetDefaultSyncSource() override;

    STDMETHODIMP Notify(LONG code, LONG_PTR param1, LONG_PTR param2) override;

    // Creates the class through CoCreateInstance and adds it.
    HRESULT AddFilterByClsid(REFCLSID clsid, LPCWSTR name, IBaseFilter** filter);
    // Connects pin `outputId` of `from` to pin `inputId` of `to`.
    HRESULT ConnectPins(IBaseFilter* from, LPCWSTR outputId, IBaseFilter* to, LPCWSTR inputId,
                        const AM_MEDIA_TYPE* type = nullptr);
    // Disconnects both ends of every connection.
    void DisconnectAll();

    HRESULT Pause();
    HRESULT Run();
    HRESULT Stop();
    FILTER_STATE State() const;

    std::vector<GraphEvent> Events() const;
    // True when an event with `code` arrived (now or within `timeoutMs`).
    bool WaitForEvent(LONG code, DWORD timeoutMs);
    CVideoWindowStandIn& VideoWindow() { return m_videoWindow; }

private:
    // Filters ordered so that each comes before the filters upstream of it.
    std::vector<IBaseFilter*> DownstreamFirst() const;
    bool NameTaken(const std::u16string& name) const;
    std::u16string UniqueName(LPCWSTR name) const;
    void DisconnectPinsOf(IBaseFilter* filter);

    struct Member {
        IBaseFilter* filter;
        std::u16string name;
    };
    mutable std::mutex m_mutex;
    std::vector<Member> m_filters;
    FILTER_STATE m_state = State_Stopped;
    IReferenceClock* m_clock = nullptr;
    // Events have a lock of their own: streaming threads send them while a
    // state change holds m_mutex and waits for those threads.
    mutable std::mutex m_eventMutex;
    std::vector<GraphEvent> m_events;
    std::condition_variable m_eventArrived;
    CVideoWindowStandIn m_videoWindow;
};
