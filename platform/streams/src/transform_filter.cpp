#include "transform_filter.h"

#include <new>

HRESULT CopySampleProperties(IMediaSample* from, IMediaSample* to)
{
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const HRESULT timed = from->GetTime(&start, &stop);
    if (timed == S_OK)
        to->SetTime(&start, &stop);
    else if (timed == VFW_S_NO_STOP_TIME)
        to->SetTime(&start, nullptr);
    else
        to->SetTime(nullptr, nullptr);
    to->SetSyncPoint(from->IsSyncPoint() == S_OK);
    to->SetPreroll(from->IsPreroll() == S_OK);
    to->SetDiscontinuity(from->IsDiscontinuity() == S_OK);
    LONGLONG mediaStart = 0;
    LONGLONG mediaStop = 0;
    if (from->GetMediaTime(&mediaStart, &mediaStop) == S_OK)
        to->SetMediaTime(&mediaStart, &mediaStop);
    else
        to->SetMediaTime(nullptr, nullptr);
    AM_MEDIA_TYPE* type = nullptr;
    HRESULT hr = S_OK;
    if (from->GetMediaType(&type) == S_OK && type) {
        hr = to->SetMediaType(type);
        DeleteMediaType(type);
    }
    return hr;
}

// ---- input pin

CTransformInputPin::CTransformInputPin(const char* objectName, CTransformFilter* filter, HRESULT* phr,
                                       LPCWSTR pinName)
    : CBaseInputPin(objectName, filter, filter->FilterLock(), phr, pinName), m_transform(filter)
{
}

HRESULT CTransformInputPin::CheckMediaType(const CMediaType* type) { return m_transform->CheckInputType(type); }

HRESULT CTransformInputPin::SetMediaType(const CMediaType* type)
{
    const HRESULT hr = CBaseInputPin::SetMediaType(type);
    return FAILED(hr) ? hr : m_transform->SetMediaType(PINDIR_INPUT, type);
}

HRESULT CTransformInputPin::CheckConnect(IPin* pin)
{
    const HRESULT hr = m_transform->CheckConnect(PINDIR_INPUT, pin);
    return FAILED(hr) ? hr : CBaseInputPin::CheckConnect(pin);
}

HRESULT CTransformInputPin::CompleteConnect(IPin* receivePin)
{
    const HRESULT hr = CBaseInputPin::CompleteConnect(receivePin);
    return FAILED(hr) ? hr : m_transform->CompleteConnect(PINDIR_INPUT, receivePin);
}

HRESULT CTransformInputPin::BreakConnect()
{
    m_transform->BreakConnect(PINDIR_INPUT);
    return CBaseInputPin::BreakConnect();
}

STDMETHODIMP CTransformInputPin::Receive(IMediaSample* sample)
{
    CAutoLock receiving(m_transform->ReceiveLock());
    const HRESULT hr = CBaseInputPin::Receive(sample);
    return hr == S_OK ? m_transform->Receive(sample) : hr;
}

STDMETHODIMP CTransformInputPin::EndOfStream()
{
    CAutoLock receiving(m_transform->ReceiveLock());
    const HRESULT hr = CheckStreaming();
    return hr == S_OK ? m_transform->EndOfStream() : hr;
}

// Flushes take the filter lock only: a Receive blocked downstream holds the
// receive lock until the flush reaches it.
STDMETHODIMP CTransformInputPin::BeginFlush()
{
    CAutoLock hold(m_lock);
    if (!IsConnected() || !m_transform->OutputPin() || !m_transform->OutputPin()->IsConnected())
        return VFW_E_NOT_CONNECTED;
    const HRESULT hr = CBaseInputPin::BeginFlush();
    return FAILED(hr) ? hr : m_transform->BeginFlush();
}

STDMETHODIMP CTransformInputPin::EndFlush()
{
    CAutoLock hold(m_lock);
    if (!IsConnected() || !m_transform->OutputPin() || !m_transform->OutputPin()->IsConnected())
        return VFW_E_NOT_CONNECTED;
    const HRESULT hr = m_transform->EndFlush();
    return FAILED(hr) ? hr : CBaseInputPin::EndFlush();
}

STDMETHODIMP CTransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    CBasePin::NewSegment(start, stop, rate);
    return m_transform->NewSegment(start, stop, rate);
}

// ---- output pin

CTransformOutputPin::CTransformOutputPin(const char* objectName, CTransformFilter* filter, HRESULT* phr,
                                         LPCWSTR pinName)
    : CBaseOutputPin(objectName, filter, filter->FilterLock(), phr, pinName), m_transform(filter)
{
}

HRESULT CTransformOutputPin::CheckMediaType(const CMediaType* type)
{
    CTransformInputPin* input = m_transform->InputPin();
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    return m_transform->CheckTransform(&input->CurrentMediaType(), type);
}

HRESULT CTransformOutputPin::SetMediaType(const CMediaType* type)
{
    const HRESULT hr = CBaseOutputPin::SetMediaType(type);
    return FAILED(hr) ? hr : m_transform->SetMediaType(PINDIR_OUTPUT, type);
}

HRESULT CTransformOutputPin::GetMediaType(int position, CMediaType* type)
{
    CTransformInputPin* input = m_transform->InputPin();
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    return m_transform->GetMediaType(position, type);
}

HRESULT CTransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    return m_transform->DecideBufferSize(allocator, request);
}

HRESULT CTransformOutputPin::CheckConnect(IPin* pin)
{
    CTransformInputPin* input = m_transform->InputPin();
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    const HRESULT hr = m_transform->CheckConnect(PINDIR_OUTPUT, pin);
    return FAILED(hr) ? hr : CBaseOutputPin::CheckConnect(pin);
}

HRESULT CTransformOutputPin::CompleteConnect(IPin* receivePin)
{
    const HRESULT hr = CBaseOutputPin::CompleteConnect(receivePin);
    return FAILED(hr) ? hr : m_transform->CompleteConnect(PINDIR_OUTPUT, receivePin);
}

HRESULT CTransformOutputPin::BreakConnect()
{
    m_transform->BreakConnect(PINDIR_OUTPUT);
    return CBaseOutputPin::BreakConnect();
}

// ---- filter

CTransformFilter::CTransformFilter(const char* objectName, IUnknown* outer, REFCLSID clsid)
    : CPinPairFilter(objectName, outer, &m_csFilter, clsid)
{
}

CTransformFilter::~CTransformFilter() = default;

CTransformInputPin* CTransformFilter::CreateInputPin(HRESULT* phr)
{
    return new (std::nothrow) CTransformInputPin("Transform input pin", this, phr, u"Input");
}

CTransformOutputPin* CTransformFilter::CreateOutputPin(HRESULT* phr)
{
    return new (std::nothrow) CTransformOutputPin("Transform output pin", this, phr, u"Output");
}

CBasePin* CTransformFilter::GetPin(int index)
{
    CAutoLock hold(&m_csFilter);
    if (!m_input) {
        HRESULT hr = S_OK;
        std::unique_ptr<CTransformInputPin> input(CreateInputPin(&hr));
        if (!input || FAILED(hr)) return nullptr;
        std::unique_ptr<CTransformOutputPin> output(CreateOutputPin(&hr));
        if (!output || FAILED(hr)) return nullptr;
        m_input = std::move(input);
        m_output = std::move(output);
        IncrementPinVersion();
    }
    if (index == 0) return m_input.get();
    if (index == 1) return m_output.get();
    return nullptr;
}

HRESULT CTransformFilter::Transform(IMediaSample*, IMediaSample*) { return E_UNEXPECTED; }

HRESULT CTransformFilter::InitializeOutputSample(IMediaSample* input, IMediaSample** output)
{
    IMediaSample* sample = nullptr;
    HRESULT hr = m_output->GetDeliveryBuffer(&sample, nullptr, nullptr, 0);
    if (FAILED(hr)) return hr;
    hr = CopySampleProperties(input, sample);
    if (FAILED(hr)) {
        sample->Release();
        return hr;
    }
    *output = sample;
    return S_OK;
}

HRESULT CTransformFilter::Receive(IMediaSample* sample)
{
    // Control samples are not ours to change.
    if (m_input->SampleProps().dwStreamId != AM_STREAM_MEDIA) return m_output->Deliver(sample);
    IMediaSample* output = nullptr;
    HRESULT hr = InitializeOutputSample(sample, &output);
    if (FAILED(hr)) return hr;
    hr = Transform(sample, output);
    if (hr == S_OK)
        hr = m_output->Deliver(output);
    else if (hr == S_FALSE)
        hr = S_OK;
    output->Release();
    return hr;
}

HRESULT CTransformFilter::EndOfStream() { return m_output->DeliverEndOfStream(); }
HRESULT CTransformFilter::BeginFlush() { return m_output->DeliverBeginFlush(); }
HRESULT CTransformFilter::EndFlush() { return m_output->DeliverEndFlush(); }
HRESULT CTransformFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    return m_output->DeliverNewSegment(start, stop, rate);
}
