// The generic filter: pins by index, the Stop/Pause/Run state machine, the
// reference clock, graph membership and the object's identity.
//
// A filter never holds a reference on its graph (the graph holds the filter);
// the event sink is looked up when joining and kept as a plain pointer.
#pragma once

#include "comobject.h"
#include "filter_interfaces.h"
#include "kernel_critsec.h"
#include "vfw_errors.h"

#include <atomic>
#include <string>

class CBasePin;

class CBaseFilter : public CUnknown, public IBaseFilter, public IAMovieSetup {
public:
    // `lock` is the filter lock, owned by the derived filter; pins share it.
    CBaseFilter(const char* objectName, IUnknown* outer, CCritSec* lock, REFCLSID clsid);
    ~CBaseFilter() override;

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetClassID(CLSID* clsid) override;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;
    STDMETHODIMP Run(REFERENCE_TIME start) override;
    STDMETHODIMP GetState(DWORD timeoutMs, FILTER_STATE* state) override;
    STDMETHODIMP SetSyncSource(IReferenceClock* clock) override;
    STDMETHODIMP GetSyncSource(IReferenceClock** clock) override;

    STDMETHODIMP EnumPins(IEnumPins** pins) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;
    STDMETHODIMP QueryFilterInfo(FILTER_INFO* info) override;
    STDMETHODIMP JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
    STDMETHODIMP QueryVendorInfo(LPWSTR* vendorInfo) override;

    // Registration through the filter mapper is the module's business.
    STDMETHODIMP Register() override { return E_NOTIMPL; }
    STDMETHODIMP Unregister() override { return E_NOTIMPL; }

    // Pins by index, 0 .. GetPinCount()-1; null outside that range.
    virtual int GetPinCount() = 0;
    virtual CBasePin* GetPin(int index) = 0;
    // Changes whenever pins come or go, so enumerators notice.
    LONG GetPinVersion() const { return m_pinVersion.load(); }
    void IncrementPinVersion() { m_pinVersion.fetch_add(1); }

    FILTER_STATE State() const { return m_state.load(); }
    bool IsStopped() const { return State() == State_Stopped; }
    bool IsActive() const { return State() != State_Stopped; }
    // Clock time minus the run start; VFW_E_NO_CLOCK without a clock.
    HRESULT StreamTime(REFERENCE_TIME& time);
    REFERENCE_TIME RunStartTime() const { return m_runStart; }
    // Sends an event to the graph's sink, when the graph has one.
    HRESULT NotifyEvent(LONG code, LONG_PTR param1, LONG_PTR param2);
    // The graph this filter belongs to; not referenced for the caller.
    IFilterGraph* Graph() const { return m_graph; }
    const std::u16string& FilterName() const { return m_name; }
    CCritSec* FilterLock() const { return m_lock; }

protected:
    std::atomic<FILTER_STATE> m_state{State_Stopped};
    CCritSec* const m_lock;
    const CLSID m_clsid;
    REFERENCE_TIME m_runStart = 0;

private:
    IReferenceClock* m_clock = nullptr;
    IFilterGraph* m_graph = nullptr;
    std::atomic<IMediaEventSink*> m_sink{nullptr};  // read on streaming threads
    std::u16string m_name;
    std::atomic<LONG> m_pinVersion{1};
};
