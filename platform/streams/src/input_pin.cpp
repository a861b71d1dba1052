#include "input_pin.h"

#include "allocator.h"

CBaseInputPin::CBaseInputPin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* phr,
                             LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, phr, pinName, PINDIR_INPUT)
{
}

CBaseInputPin::~CBaseInputPin()
{
    if (m_allocator) m_allocator->Release();
}

STDMETHODIMP CBaseInputPin::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMemInputPin) return GetInterface(static_cast<IMemInputPin*>(this), ppv);
    return CBasePin::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBaseInputPin::GetAllocator(IMemAllocator** allocator)
{
    if (!allocator) return E_POINTER;
    CAutoLock hold(m_lock);
    if (!m_allocator) {
        const HRESULT hr = CMemAllocator::Create(&m_allocator);
        if (FAILED(hr)) {
            *allocator = nullptr;
            return hr;
        }
    }
    m_allocator->AddRef();
    *allocator = m_allocator;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly)
{
    if (!allocator) return E_POINTER;
    CAutoLock hold(m_lock);
    allocator->AddRef();
    if (m_allocator) m_allocator->Release();
    m_allocator = allocator;
    m_readOnly = readOnly != FALSE;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES*) { return E_NOTIMPL; }

HRESULT CBaseInputPin::CheckStreaming()
{
    if (!IsConnected()) return VFW_E_NOT_CONNECTED;
    if (IsStopped()) return VFW_E_WRONG_STATE;
    if (m_flushing) return S_FALSE;
    if (m_runTimeError) return VFW_E_RUNTIME_ERROR;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::Receive(IMediaSample* sample)
{
    if (!sample) return E_POINTER;
    HRESULT hr = CheckStreaming();
    if (hr != S_OK) return hr;
    hr = ReadSampleProperties(sample);
    if (FAILED(hr)) return hr;
    if ((m_props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && m_props.pMediaType) {
        const CMediaType changed(*m_props.pMediaType);
        if (CheckMediaType(&changed) != S_OK) {
            // Upstream switched to a type we cannot take: end this stream,
            // then refuse everything until a flush or stop.
            EndOfStream();
            m_filter->NotifyEvent(EC_ERRORABORT, VFW_E_TYPE_NOT_ACCEPTED, 0);
            m_runTimeError = true;
            return VFW_E_INVALIDMEDIATYPE;
        }
    }
    return S_OK;
}

// Samples without IMediaSample2 are described through IMediaSample alone.
HRESULT CBaseInputPin::ReadSampleProperties(IMediaSample* sample)
{
    IMediaSample2* sample2 = nullptr;
    if (SUCCEEDED(sample->QueryInterface(IID_IMediaSample2, reinterpret_cast<void**>(&sample2))) && sample2) {
        const HRESULT hr = sample2->GetProperties(sizeof m_props, reinterpret_cast<BYTE*>(&m_props));
        sample2->Release();
        return hr;
    }
    m_props = AM_SAMPLE2_PROPERTIES{};
    m_props.cbData = sizeof m_props;
    m_props.dwStreamId = AM_STREAM_MEDIA;
    const HRESULT timed = sample->GetTime(&m_props.tStart, &m_props.tStop);
    if (SUCCEEDED(timed)) {
        m_props.dwSampleFlags |= AM_SAMPLE_TIMEVALID;
        if (timed == S_OK) m_props.dwSampleFlags |= AM_SAMPLE_STOPVALID;
    }
    if (sample->IsSyncPoint() == S_OK) m_props.dwSampleFlags |= AM_SAMPLE_SPLICEPOINT;
    if (sample->IsPreroll() == S_OK) m_props.dwSampleFlags |= AM_SAMPLE_PREROLL;
    if (sample->IsDiscontinuity() == S_OK) m_props.dwSampleFlags |= AM_SAMPLE_DATADISCONTINUITY;
    AM_MEDIA_TYPE* type = nullptr;
    if (sample->GetMediaType(&type) == S_OK && type) {
        m_sampleType = *type;
        DeleteMediaType(type);
        m_props.pMediaType = &m_sampleType;
        m_props.dwSampleFlags |= AM_SAMPLE_TYPECHANGED;
    }
    m_props.lActual = sample->GetActualDataLength();
    m_props.cbBuffer = sample->GetSize();
    sample->GetPointer(&m_props.pbBuffer);
    return S_OK;
}

STDMETHODIMP CBaseInputPin::ReceiveMultiple(IMediaSample** samples, LONG count, LONG* processed)
{
    if (!samples || !processed) return E_POINTER;
    *processed = 0;
    HRESULT hr = S_OK;
    while (*processed < count) {
        hr = Receive(samples[*processed]);
        if (hr != S_OK) break;
        ++*processed;
    }
    return hr;
}

STDMETHODIMP CBaseInputPin::ReceiveCanBlock() { return S_OK; }

STDMETHODIMP CBaseInputPin::EndOfStream() { return CheckStreaming(); }

STDMETHODIMP CBaseInputPin::BeginFlush()
{
    CAutoLock hold(m_lock);
    m_flushing = true;
    return S_OK;
}

STDMETHODIMP CBaseInputPin::EndFlush()
{
    CAutoLock hold(m_lock);
    m_flushing = false;
    m_runTimeError = false;
    return S_OK;
}

HRESULT CBaseInputPin::BreakConnect()
{
    if (m_allocator) {
        m_allocator->Decommit();
        m_allocator->Release();
        m_allocator = nullptr;
    }
    m_readOnly = false;
    return CBasePin::BreakConnect();
}

// Decommitting wakes an upstream thread that waits in GetBuffer.
HRESULT CBaseInputPin::Inactive()
{
    m_runTimeError = false;
    m_flushing = false;
    return m_allocator ? m_allocator->Decommit() : S_OK;
}
