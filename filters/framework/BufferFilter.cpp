#include "BufferFilter.h"

BufferFilter::BufferFilter(const char* objectName, IUnknown* outer, REFCLSID clsid)
    : CBaseFilter(objectName, outer, &m_filterLock, clsid)
{
}

// The stream's thread calls back into the filter: end it first.
BufferFilter::~BufferFilter()
{
    m_output.reset();
    m_input.reset();
}

// Both pins or neither: without an output the input is dropped again.
bool BufferFilter::MakePins()
{
    if (m_pinsMade.load(std::memory_order_acquire)) return true;
    CAutoLock hold(&m_filterLock);
    if (m_input) return true;
    HRESULT hr = S_OK;
    auto input = std::make_unique<BufferInputPin>(this, &m_filterLock, &hr);
    if (FAILED(hr)) return false;
    auto output = std::make_unique<BufferStream>(this, &m_filterLock, this, &hr);
    if (FAILED(hr)) return false;
    m_input = std::move(input);
    m_output = std::move(output);
    m_pinsMade.store(true, std::memory_order_release);
    IncrementPinVersion();
    return true;
}

CBasePin* BufferFilter::GetPin(int index)
{
    if (!MakePins()) return nullptr;
    if (index == 0) return m_input.get();
    if (index == 1) return m_output.get();
    return nullptr;
}

BufferInputPin* BufferFilter::Input() { return MakePins() ? m_input.get() : nullptr; }

BufferStream* BufferFilter::Output() { return MakePins() ? m_output.get() : nullptr; }

bool BufferFilter::BothConnected() { return MakePins() && m_input->IsConnected() && m_output->IsConnected(); }

STDMETHODIMP BufferFilter::Stop()
{
    CAutoLock hold(&m_filterLock);
    if (IsStopped()) return S_OK;
    m_endOfStreamDelivered = false;
    if (!BothConnected()) {
        m_state = State_Stopped;
        return S_OK;
    }
    // Decommitting the input releases an upstream thread waiting for a
    // buffer; the receive lock then waits for the sample in hand.
    m_input->Inactive();
    CAutoLock receiving(&m_receiveLock);
    m_output->Inactive();
    const HRESULT hr = StopStreaming();
    m_state = State_Stopped;
    return hr;
}

STDMETHODIMP BufferFilter::Pause()
{
    CAutoLock hold(&m_filterLock);
    if (!MakePins()) return E_OUTOFMEMORY;
    if (!m_input->IsConnected()) {
        // Nothing will ever arrive: tell downstream once.
        if (m_output->IsConnected() && !m_endOfStreamDelivered) {
            m_output->DeliverEndOfStream();
            m_endOfStreamDelivered = true;
        }
        m_state = State_Paused;
        return S_OK;
    }
    if (!m_output->IsConnected()) {
        m_state = State_Paused;
        return S_OK;
    }
    if (IsStopped()) {
        CAutoLock receiving(&m_receiveLock);
        const HRESULT hr = StartStreaming();
        if (FAILED(hr)) return hr;
    }
    return CBaseFilter::Pause();
}
