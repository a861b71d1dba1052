#include "MultiInputPin.h"

#include "MultiInputFilter.h"

#include <string>

MultiInputPin::MultiInputPin(MultiInputFilter* filter, CCritSec* filterLock, int index, LPCWSTR name, HRESULT* phr)
    : CBaseInputPin("Multi Input Pin", filter, filterLock, phr, name), m_owner(filter), m_index(index)
{
}

std::u16string MultiInputPin::Id() const
{
    const std::string digits = std::to_string(m_index);
    return std::u16string(digits.begin(), digits.end());
}

HRESULT MultiInputPin::CheckMediaType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    return m_owner->CheckInputType(m_index, type);
}

HRESULT MultiInputPin::SetMediaType(const CMediaType* type)
{
    const HRESULT hr = CBaseInputPin::SetMediaType(type);
    if (FAILED(hr)) return hr;
    return m_owner->InputTypeSet(m_index, type);
}

HRESULT MultiInputPin::CompleteConnect(IPin* receivePin)
{
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    if (SUCCEEDED(hr)) m_owner->InputConnected(m_index);
    return hr;
}

HRESULT MultiInputPin::BreakConnect()
{
    m_owner->InputDisconnected(m_index);
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP MultiInputPin::Receive(IMediaSample* sample)
{
    CAutoLock receiving(&m_receiveLock);
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    if (SampleProps().dwStreamId != AM_STREAM_MEDIA) return S_OK;
    return m_owner->ReceiveInput(m_index, sample);
}

STDMETHODIMP MultiInputPin::EndOfStream()
{
    CAutoLock receiving(&m_receiveLock);
    const HRESULT hr = CBaseInputPin::EndOfStream();
    if (hr != S_OK) return hr;
    m_owner->InputEndOfStream(m_index);
    return S_OK;
}
