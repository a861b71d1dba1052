#include "output_pin.h"

#include "allocator.h"

CBaseOutputPin::CBaseOutputPin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* phr,
                               LPCWSTR pinName)
    : CBasePin(objectName, filter, lock, phr, pinName, PINDIR_OUTPUT)
{
}

CBaseOutputPin::~CBaseOutputPin()
{
    if (m_allocator) m_allocator->Release();
    if (m_inputPin) m_inputPin->Release();
}

HRESULT CBaseOutputPin::CheckConnect(IPin* pin)
{
    HRESULT hr = CBasePin::CheckConnect(pin);
    if (FAILED(hr)) return hr;
    IMemInputPin* input = nullptr;
    hr = pin->QueryInterface(IID_IMemInputPin, reinterpret_cast<void**>(&input));
    if (FAILED(hr) || !input) return E_NOINTERFACE;
    if (m_inputPin) m_inputPin->Release();
    m_inputPin = input;
    return S_OK;
}

HRESULT CBaseOutputPin::CompleteConnect(IPin*)
{
    if (!m_inputPin) return VFW_E_NO_ALLOCATOR;
    return DecideAllocator(m_inputPin, &m_allocator);
}

HRESULT CBaseOutputPin::BreakConnect()
{
    if (m_allocator) {
        m_allocator->Decommit();
        m_allocator->Release();
        m_allocator = nullptr;
    }
    if (m_inputPin) {
        m_inputPin->Release();
        m_inputPin = nullptr;
    }
    return CBasePin::BreakConnect();
}

HRESULT CBaseOutputPin::DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator)
{
    if (*allocator) {
        (*allocator)->Release();
        *allocator = nullptr;
    }
    IMemAllocator* candidate = nullptr;
    if (SUCCEEDED(pin->GetAllocator(&candidate)) && candidate) {
        if (SUCCEEDED(TryAllocator(pin, candidate))) {
            *allocator = candidate;
            return S_OK;
        }
        candidate->Release();
        candidate = nullptr;
    }
    HRESULT hr = InitAllocator(&candidate);
    if (FAILED(hr)) return hr;
    hr = TryAllocator(pin, candidate);
    if (FAILED(hr)) {
        candidate->Release();
        return hr;
    }
    *allocator = candidate;
    return S_OK;
}

HRESULT CBaseOutputPin::TryAllocator(IMemInputPin* pin, IMemAllocator* allocator)
{
    ALLOCATOR_PROPERTIES request{};
    pin->GetAllocatorRequirements(&request);  // optional for the downstream pin
    if (request.cbAlign == 0) request.cbAlign = 1;
    const HRESULT hr = DecideBufferSize(allocator, &request);
    if (FAILED(hr)) return hr;
    return pin->NotifyAllocator(allocator, FALSE);
}

HRESULT CBaseOutputPin::InitAllocator(IMemAllocator** allocator) { return CMemAllocator::Create(allocator); }

HRESULT CBaseOutputPin::Active()
{
    if (!m_allocator) return VFW_E_NO_ALLOCATOR;
    return m_allocator->Commit();
}

HRESULT CBaseOutputPin::Inactive()
{
    if (!m_allocator) return VFW_E_NO_ALLOCATOR;
    return m_allocator->Decommit();
}

HRESULT CBaseOutputPin::GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                          DWORD flags)
{
    if (!sample) return E_POINTER;
    *sample = nullptr;
    if (!m_allocator) return VFW_E_NO_ALLOCATOR;
    return m_allocator->GetBuffer(sample, start, stop, flags);
}

HRESULT CBaseOutputPin::Deliver(IMediaSample* sample)
{
    if (!m_inputPin) return VFW_E_NOT_CONNECTED;
    return m_inputPin->Receive(sample);
}

HRESULT CBaseOutputPin::DeliverEndOfStream()
{
    IPin* peer = GetConnected();
    return peer ? peer->EndOfStream() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverBeginFlush()
{
    IPin* peer = GetConnected();
    return peer ? peer->BeginFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverEndFlush()
{
    IPin* peer = GetConnected();
    return peer ? peer->EndFlush() : VFW_E_NOT_CONNECTED;
}

HRESULT CBaseOutputPin::DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    IPin* peer = GetConnected();
    return peer ? peer->NewSegment(start, stop, rate) : VFW_E_NOT_CONNECTED;
}
