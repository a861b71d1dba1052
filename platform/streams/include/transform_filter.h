// A filter with one input and one output that turns each input sample into
// an output sample on the upstream thread. Samples are taken under the
// receive lock; state changes take the filter lock and then the receive
// lock, so a stop waits for the sample in hand.
#pragma once

#include "pin_pair_filter.h"

#include <memory>

class CTransformFilter;

class CTransformInputPin : public CBaseInputPin {
public:
    CTransformInputPin(const char* objectName, CTransformFilter* filter, HRESULT* phr, LPCWSTR pinName);

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

protected:
    CTransformFilter* const m_transform;
};

class CTransformOutputPin : public CBaseOutputPin {
public:
    CTransformOutputPin(const char* objectName, CTransformFilter* filter, HRESULT* phr, LPCWSTR pinName);

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

protected:
    CTransformFilter* const m_transform;
};

class CTransformFilter : public CPinPairFilter {
public:
    CTransformFilter(const char* objectName, IUnknown* outer, REFCLSID clsid);
    ~CTransformFilter() override;

    int GetPinCount() override { return 2; }
    // Index 0 is the input, 1 the output; both are made on first request.
    CBasePin* GetPin(int index) override;

    // What a concrete filter provides.
    virtual HRESULT CheckInputType(const CMediaType* type) = 0;
    virtual HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) = 0;
    virtual HRESULT GetMediaType(int position, CMediaType* type) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // S_OK delivers the output sample, S_FALSE drops it quietly.
    virtual HRESULT Transform(IMediaSample* input, IMediaSample* output);

    // Optional hooks.
    virtual HRESULT SetMediaType(PIN_DIRECTION, const CMediaType*) { return S_OK; }
    virtual HRESULT CheckConnect(PIN_DIRECTION, IPin*) { return S_OK; }
    virtual HRESULT CompleteConnect(PIN_DIRECTION, IPin*) { return S_OK; }
    virtual HRESULT BreakConnect(PIN_DIRECTION) { return S_OK; }

    // Stream events from the input, passed downstream by default.
    virtual HRESULT Receive(IMediaSample* sample);
    virtual HRESULT EndOfStream();
    virtual HRESULT BeginFlush();
    virtual HRESULT EndFlush();
    virtual HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    CTransformInputPin* InputPin() { return m_input.get(); }
    CTransformOutputPin* OutputPin() { return m_output.get(); }
    CCritSec* ReceiveLock() { return &m_csReceive; }

protected:
    // Pin factories; override to use derived pins or other names.
    virtual CTransformInputPin* CreateInputPin(HRESULT* phr);
    virtual CTransformOutputPin* CreateOutputPin(HRESULT* phr);
    // An output buffer carrying the input sample's times, flags and type.
    HRESULT InitializeOutputSample(IMediaSample* input, IMediaSample** output);
    CBaseInputPin* PairInput() override { return m_input.get(); }
    CBaseOutputPin* PairOutput() override { return m_output.get(); }
    CCritSec* PairReceiveLock() override { return &m_csReceive; }

    CCritSec m_csFilter;
    CCritSec m_csReceive;
    std::unique_ptr<CTransformInputPin> m_input;
    std::unique_ptr<CTransformOutputPin> m_output;
};

// Copies times, flags, media times and a changed type of `from` onto `to`.
HRESULT CopySampleProperties(IMediaSample* from, IMediaSample* to);
