// An input pin with the memory transport: allocator offer and notice,
// Receive with the streaming checks, flushing and end of stream.
#pragma once

#include "base_pin.h"
#include "sample_interfaces.h"

#include <atomic>

class CBaseInputPin : public CBasePin, public IMemInputPin {
public:
    CBaseInputPin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* phr, LPCWSTR pinName);
    ~CBaseInputPin() override;

    DECLARE_PIN_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override;
    STDMETHODIMP NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override;
    // Checks the state and reads the sample's properties; a derived pin
    // calls this first and processes the sample only on S_OK.
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP ReceiveMultiple(IMediaSample** samples, LONG count, LONG* processed) override;
    STDMETHODIMP ReceiveCanBlock() override;

    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;

    HRESULT BreakConnect() override;
    HRESULT Inactive() override;

    // S_OK while samples may flow; S_FALSE while flushing; an error when
    // unconnected, stopped or after a run-time error.
    virtual HRESULT CheckStreaming();

    // Properties of the sample in Receive (valid until Receive returns).
    const AM_SAMPLE2_PROPERTIES& SampleProps() const { return m_props; }
    bool IsFlushing() const { return m_flushing.load(); }
    bool IsReadOnly() const { return m_readOnly; }
    // The allocator agreed with upstream; not referenced for the caller.
    IMemAllocator* PeekAllocator() const { return m_allocator; }

protected:
    std::atomic<bool> m_flushing{false};
    std::atomic<bool> m_runTimeError{false};

private:
    HRESULT ReadSampleProperties(IMediaSample* sample);

    IMemAllocator* m_allocator = nullptr;
    bool m_readOnly = false;
    AM_SAMPLE2_PROPERTIES m_props{};
    CMediaType m_sampleType;  // backs m_props.pMediaType for samples without IMediaSample2
};
