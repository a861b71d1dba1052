// A filter with one input and one output whose state changes follow the
// transform filters: a pause with the input unconnected sends end of stream
// downstream once; with both pins connected a pause from stopped starts
// streaming (under the receive lock) and a stop decommits the input, waits
// for the sample in hand and ends streaming; otherwise only the state moves.
#pragma once

#include "base_filter.h"
#include "input_pin.h"
#include "output_pin.h"

class CPinPairFilter : public CBaseFilter {
public:
    using CBaseFilter::CBaseFilter;

    STDMETHODIMP Stop() override;
    STDMETHODIMP Pause() override;

    // Pause from stopped (under the receive lock) and stop, both pins connected.
    virtual HRESULT StartStreaming() { return S_OK; }
    virtual HRESULT StopStreaming() { return S_OK; }

protected:
    // The pins as they stand; null before they exist.
    virtual CBaseInputPin* PairInput() = 0;
    virtual CBaseOutputPin* PairOutput() = 0;
    virtual CCritSec* PairReceiveLock() = 0;

private:
    bool BothConnected();

    bool m_endOfStreamDelivered = false;
};
