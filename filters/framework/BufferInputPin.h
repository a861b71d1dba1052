// The one input "In" of a BufferFilter. Samples go to the filter under the
// filter's receive lock; end of stream, flushes and new segments go straight
// on to the output, not queued behind the samples the filter keeps.
#pragma once

#include "input_pin.h"

class BufferFilter;

class BufferInputPin final : public CBaseInputPin {
public:
    BufferInputPin(BufferFilter* filter, CCritSec* filterLock, HRESULT* phr);

    // The filter's check, and the output's check when the output is connected.
    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;
    STDMETHODIMP BeginFlush() override;
    STDMETHODIMP EndFlush() override;
    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;

private:
    BufferFilter* const m_owner;
};
