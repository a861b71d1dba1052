#include "TransformNPins.h"

#include "TransformNFilter.h"

CTransformNInputPin::CTransformNInputPin(const char* objectName, CTransformNFilter* filter, int index, LPCWSTR name,
                                         HRESULT* phr)
    : CBaseInputPin(objectName, filter, filter->FilterLock(), phr, name), m_owner(filter), m_index(index)
{
}

std::u16string CTransformNInputPin::Id() const
{
    const std::string digits = std::to_string(m_index);
    return u"In" + std::u16string(digits.begin(), digits.end());
}

HRESULT CTransformNInputPin::CheckMediaType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    return m_owner->CheckInputType(m_index, type);
}

HRESULT CTransformNInputPin::CompleteConnect(IPin* receivePin)
{
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    return FAILED(hr) ? hr : m_owner->InputConnected(m_index);
}

// Control samples carry nothing to show: taken and dropped.
STDMETHODIMP CTransformNInputPin::Receive(IMediaSample* sample)
{
    const HRESULT hr = CBaseInputPin::Receive(sample);
    if (hr != S_OK) return hr;
    if (SampleProps().dwStreamId == AM_STREAM_MEDIA) m_owner->ParkSample(m_index, sample);
    return S_OK;
}

STDMETHODIMP CTransformNInputPin::EndOfStream()
{
    const HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    m_owner->InputEndOfStream(m_index);
    return S_OK;
}

bool CTransformNInputPin::BothEndsConnected() const
{
    const CTransformNOutputPin* output = m_owner->OutputPin();
    return IsConnected() && output && output->IsConnected();
}

STDMETHODIMP CTransformNInputPin::BeginFlush()
{
    CAutoLock hold(m_lock);
    if (!BothEndsConnected()) return VFW_E_NOT_CONNECTED;
    const HRESULT hr = CBaseInputPin::BeginFlush();
    return FAILED(hr) ? hr : m_owner->InputBeginFlush(m_index);
}

STDMETHODIMP CTransformNInputPin::EndFlush()
{
    CAutoLock hold(m_lock);
    if (!BothEndsConnected()) return VFW_E_NOT_CONNECTED;
    const HRESULT hr = m_owner->InputEndFlush(m_index);
    return FAILED(hr) ? hr : CBaseInputPin::EndFlush();
}

STDMETHODIMP CTransformNInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    CBasePin::NewSegment(start, stop, rate);
    return m_owner->InputNewSegment(m_index, start, stop, rate);
}

CTransformNOutputPin::CTransformNOutputPin(CTransformNFilter* filter, HRESULT* phr)
    : CBaseOutputPin("Transform(N) output pin", filter, filter->FilterLock(), phr, u"Output"), m_owner(filter)
{
}

HRESULT CTransformNOutputPin::CheckMediaType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    return m_owner->CheckOutputType(type);
}

HRESULT CTransformNOutputPin::GetMediaType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    return m_owner->GetOutputType(position, type);
}

HRESULT CTransformNOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (!allocator || !request) return E_POINTER;
    return m_owner->DecideBufferSize(allocator, request);
}
