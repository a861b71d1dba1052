// An input pin of a MultiInputFilter: passes every event to the filter with
// its index. Each pin has its own receive lock, so inputs deliver
// concurrently; the filter locks its own frame store.
#pragma once

#include "input_pin.h"

class MultiInputFilter;

class MultiInputPin final : public CBaseInputPin {
public:
    MultiInputPin(MultiInputFilter* filter, CCritSec* filterLock, int index, LPCWSTR name, HRESULT* phr);

    int Index() const { return m_index; }
    // The index as decimal text: FindPin finds the pin again by it.
    std::u16string Id() const override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT SetMediaType(const CMediaType* type) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;

    // Samples of other streams than the media stream are taken and dropped.
    STDMETHODIMP Receive(IMediaSample* sample) override;
    STDMETHODIMP EndOfStream() override;

private:
    MultiInputFilter* const m_owner;
    const int m_index;
    CCritSec m_receiveLock;
};
