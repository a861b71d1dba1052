#include "BufferFilter.h"

BufferFilter::BufferFilter(const char* objectName, IUnknown* outer, REFCLSID clsid)
    : CPinPairFilter(objectName, outer, &m_filterLock, clsid)
{
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

const CMediaType* BufferFilter::PassedThroughType()
{
    if (!MakePins()) return nullptr;
    if (m_input->IsConnected()) return &m_input->CurrentMediaType();
    if (m_output->IsConnected()) return &m_output->CurrentMediaType();
    return nullptr;
}

CBaseInputPin* BufferFilter::PairInput() { return Input(); }

CBaseOutputPin* BufferFilter::PairOutput() { return Output(); }

// The pins are made before the first state change; without them the filter
// cannot run at all.
STDMETHODIMP BufferFilter::Pause()
{
    if (!MakePins()) return E_OUTOFMEMORY;
    return CPinPairFilter::Pause();
}
