// A filter with one buffering input "In" and a BufferStream output "Out":
// the concrete filter keeps what arrives and hands it out from Fill when it
// is due. State changes follow the transform filters: with an unconnected
// input a pause sends end of stream once; with both pins connected a pause
// from stopped starts streaming first and a stop ends it.
#pragma once

#include "BufferInputPin.h"
#include "BufferStream.h"
#include "pin_pair_filter.h"

#include <atomic>
#include <memory>

class BufferFilter : public CPinPairFilter, public BufferStreamSource {
public:
    BufferFilter(const char* objectName, IUnknown* outer, REFCLSID clsid);

    int GetPinCount() override { return 2; }
    // Index 0 the input, 1 the output; both are made on the first request.
    CBasePin* GetPin(int index) override;
    STDMETHODIMP Pause() override;

    BufferInputPin* Input();
    BufferStream* Output();
    // The type the output must carry: the input's connection type, or, while
    // only the output is connected (the input connecting again), the
    // output's own. Null when neither pin is connected.
    const CMediaType* PassedThroughType();
    CCritSec* ReceiveLock() { return &m_receiveLock; }

    // Under the receive lock, on the upstream thread; media-stream samples only.
    virtual HRESULT ReceiveInput(IMediaSample* sample) = 0;
    virtual HRESULT CheckInputType(const CMediaType* type) = 0;
    // A failure refuses the type, so the connection fails cleanly.
    virtual HRESULT InputTypeSet(const CMediaType*) { return S_OK; }
    virtual void InputConnected() {}
    virtual void InputDisconnected() {}
    // The input begins a flush: what the filter keeps is no longer wanted.
    virtual void InputFlushing() {}

protected:
    // A concrete filter's destructor calls this first: the stream's thread
    // must not fill from parts that are already gone.
    void EndStreamThread()
    {
        if (m_pinsMade.load(std::memory_order_acquire)) m_output->EndThread();
    }

    CBaseInputPin* PairInput() override;
    CBaseOutputPin* PairOutput() override;
    CCritSec* PairReceiveLock() override { return &m_receiveLock; }

    CCritSec m_filterLock;
    CCritSec m_receiveLock;

private:
    bool MakePins();

    // The output is declared last so it goes first: its thread, should one
    // still run, ends while the input still exists.
    std::unique_ptr<BufferInputPin> m_input;
    std::unique_ptr<BufferStream> m_output;
    // Set once both pins exist: from then on the pins are reached without
    // the filter lock, which a stop holds while it takes the receive lock.
    std::atomic<bool> m_pinsMade{false};
};
