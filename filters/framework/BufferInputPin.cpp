#include "BufferInputPin.h"

#include "BufferFilter.h"

BufferInputPin::BufferInputPin(BufferFilter* filter, CCritSec* filterLock, HRESULT* phr)
    : CBaseInputPin("Buffer Input Pin", filter, filterLock, phr, u"In"), m_owner(filter)
{
}

HRESULT BufferInputPin::CheckMediaType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    HRESULT hr = m_owner->CheckInputType(type);
    if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    BufferStream* output = m_owner->Output();
    if (output && output->IsConnected()) {
        hr = m_owner->CheckOutputType(type);
        if (hr != S_OK) return FAILED(hr) ? hr : VFW_E_TYPE_NOT_ACCEPTED;
    }
    return S_OK;
}

HRESULT BufferInputPin::SetMediaType(const CMediaType* type)
{
    const HRESULT hr = CBaseInputPin::SetMediaType(type);
    return FAILED(hr) ? hr : m_owner->InputTypeSet(type);
}

HRESULT BufferInputPin::CompleteConnect(IPin* receivePin)
{
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    if (SUCCEEDED(hr)) m_owner->InputConnected();
    return hr;
}

HRESULT BufferInputPin::BreakConnect()
{
    m_owner->InputDisconnected();
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP BufferInputPin::Receive(IMediaSample* sample)
{
    CAutoLock receiving(m_owner->ReceiveLock());
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    // Control samples carry no media for the filter to keep.
    if (SampleProps().dwStreamId != AM_STREAM_MEDIA) return S_OK;
    return m_owner->ReceiveInput(sample);
}

STDMETHODIMP BufferInputPin::EndOfStream()
{
    CAutoLock receiving(m_owner->ReceiveLock());
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    BufferStream* output = m_owner->Output();
    return output ? output->DeliverEndOfStream() : VFW_E_NOT_CONNECTED;
}

// Flushes take no receive lock: a Receive blocked downstream holds it until
// the flush reaches it.
STDMETHODIMP BufferInputPin::BeginFlush()
{
    const HRESULT hr = CBaseInputPin::BeginFlush();
    if (FAILED(hr)) return hr;
    m_owner->InputFlushing();
    BufferStream* output = m_owner->Output();
    return output ? output->DeliverBeginFlush() : VFW_E_NOT_CONNECTED;
}

STDMETHODIMP BufferInputPin::EndFlush()
{
    BufferStream* output = m_owner->Output();
    const HRESULT hr = output ? output->DeliverEndFlush() : VFW_E_NOT_CONNECTED;
    if (FAILED(hr)) return hr;
    return CBaseInputPin::EndFlush();
}

STDMETHODIMP BufferInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    CBasePin::NewSegment(start, stop, rate);
    BufferStream* output = m_owner->Output();
    return output ? output->DeliverNewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}
