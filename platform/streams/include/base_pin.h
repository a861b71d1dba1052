// What input and output pins share: connection with type agreement, the
// connection type, pin information and the streaming hooks.
//
// Pins are parts of their filter: their references are the filter's, so a
// pin lives as long as its filter and a caller holding a pin keeps the
// filter alive.
#pragma once

#include "base_filter.h"
#include "media_type.h"

#include <string>

class CBasePin : public CUnknown, public IPin {
public:
    CBasePin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* phr, LPCWSTR pinName,
             PIN_DIRECTION direction);
    ~CBasePin() override;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return NonDelegatingQueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return NonDelegatingAddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return NonDelegatingRelease(); }
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) NonDelegatingAddRef() override;
    STDMETHODIMP_(ULONG) NonDelegatingRelease() override;

    STDMETHODIMP Connect(IPin* receivePin, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP ReceiveConnection(IPin* connector, const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP Disconnect() override;
    STDMETHODIMP ConnectedTo(IPin** pin) override;
    STDMETHODIMP ConnectionMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP QueryPinInfo(PIN_INFO* info) override;
    STDMETHODIMP QueryDirection(PIN_DIRECTION* direction) override;
    STDMETHODIMP QueryId(LPWSTR* id) override;
    STDMETHODIMP QueryAccept(const AM_MEDIA_TYPE* type) override;
    STDMETHODIMP EnumMediaTypes(IEnumMediaTypes** types) override;
    STDMETHODIMP QueryInternalConnections(IPin** pins, ULONG* count) override;
    // Output pins receive no stream events; input pins override these.
    STDMETHODIMP EndOfStream() override { return E_UNEXPECTED; }
    STDMETHODIMP BeginFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP EndFlush() override { return E_UNEXPECTED; }
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

    // S_OK when this pin can carry `type`.
    virtual HRESULT CheckMediaType(const CMediaType* type) = 0;
    // Records the agreed type; derived pins pass it on to their filter.
    virtual HRESULT SetMediaType(const CMediaType* type);
    // The types this pin offers, by position: S_OK, VFW_S_NO_MORE_ITEMS
    // past the end, E_INVALIDARG for a negative position.
    virtual HRESULT GetMediaType(int position, CMediaType* type);
    virtual HRESULT CheckConnect(IPin* pin);
    virtual HRESULT CompleteConnect(IPin* receivePin);
    virtual HRESULT BreakConnect();
    // Filter state changes, for connected pins only.
    virtual HRESULT Active() { return S_OK; }
    virtual HRESULT Inactive() { return S_OK; }
    virtual HRESULT Run(REFERENCE_TIME) { return S_OK; }
    // The text QueryId hands out and FindPin compares; the name by default.
    virtual std::u16string Id() const { return m_name; }

    bool IsConnected() const { return m_connected != nullptr; }
    // The peer, not referenced for the caller.
    IPin* GetConnected() const { return m_connected; }
    const CMediaType& CurrentMediaType() const { return m_mt; }
    const std::u16string& Name() const { return m_name; }
    PIN_DIRECTION Direction() const { return m_direction; }
    CBaseFilter* Filter() const { return m_filter; }
    // The filter lock this pin shares; type enumeration runs under it.
    CCritSec* PinLock() const { return m_lock; }
    bool IsStopped() const { return m_filter->IsStopped(); }
    REFERENCE_TIME SegmentStart() const { return m_segmentStart; }
    REFERENCE_TIME SegmentStop() const { return m_segmentStop; }
    double SegmentRate() const { return m_segmentRate; }

protected:
    CBaseFilter* const m_filter;
    CCritSec* const m_lock;
    CMediaType m_mt;

private:
    HRESULT AgreeMediaType(IPin* receivePin, const CMediaType& pattern);
    HRESULT TryMediaTypes(IPin* receivePin, const CMediaType& pattern, IEnumMediaTypes* types);
    HRESULT AttemptConnection(IPin* receivePin, const CMediaType& type);
    void DropConnection();

    const std::u16string m_name;
    const PIN_DIRECTION m_direction;
    IPin* m_connected = nullptr;
    REFERENCE_TIME m_segmentStart = 0;
    REFERENCE_TIME m_segmentStop = 0x7FFFFFFFFFFFFFFFLL;
    double m_segmentRate = 1.0;
};

// Both IPin and a second IUnknown-derived interface need one final overrider.
#define DECLARE_PIN_IUNKNOWN                                                                                 \
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return NonDelegatingQueryInterface(riid, ppv); } \
    STDMETHODIMP_(ULONG) AddRef() override { return NonDelegatingAddRef(); }                                 \
    STDMETHODIMP_(ULONG) Release() override { return NonDelegatingRelease(); }
