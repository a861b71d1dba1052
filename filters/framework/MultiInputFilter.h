// A filter with several inputs, whose latest frames the concrete filter
// keeps, and one BufferStream output that composes frames on its own thread.
// The concrete filter appends its input pins in its constructor and
// implements the operations below; pins reach it with their index.
//
// Pin ids: an input's id is its index as decimal text, the output's "Out".
// FindPin takes "Out" or any text read as a decimal number (text that is no
// number reads as 0).
#pragma once

#include "BufferStream.h"
#include "MultiInputPin.h"
#include "base_filter.h"

#include <memory>
#include <vector>

class MultiInputFilter : public CBaseFilter, public BufferStreamSource {
public:
    MultiInputFilter(const char* objectName, IUnknown* outer, REFCLSID clsid);

    int GetPinCount() override;
    // Inputs by index, then the output stream (made on its first request).
    CBasePin* GetPin(int index) override;
    STDMETHODIMP FindPin(LPCWSTR id, IPin** pin) override;

    int InputCount() const;
    MultiInputPin* Input(int index) const;
    BufferStream* Output();

    // Input events (upstream threads). ReceiveInput runs under that input's
    // receive lock.
    virtual HRESULT ReceiveInput(int index, IMediaSample* sample) = 0;
    // After the pin's streaming check; nothing is sent downstream.
    virtual void InputEndOfStream(int) {}
    virtual HRESULT CheckInputType(int index, const CMediaType* type) = 0;
    // A failure refuses the type, so the connection fails cleanly.
    virtual HRESULT InputTypeSet(int, const CMediaType*) { return S_OK; }
    virtual void InputConnected(int) {}
    virtual void InputDisconnected(int) {}

protected:
    // A concrete filter's destructor calls this first: the stream's thread
    // must not fill from parts that are already gone.
    void EndStreamThread();
    // Appends an input pin named `name`; its index is its position.
    HRESULT AddInputPin(LPCWSTR name);

    CCritSec m_filterLock;

private:
    mutable CCritSec m_pinsLock;
    std::vector<std::unique_ptr<MultiInputPin>> m_inputs;
    // Declared last so it goes first: its thread, should one still run, ends
    // while the inputs still exist.
    std::unique_ptr<BufferStream> m_output;
};
