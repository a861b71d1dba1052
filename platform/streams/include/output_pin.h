// An output pin that delivers through the downstream IMemInputPin:
// allocator negotiation on connection, commit on pause, decommit on stop.
#pragma once

#include "base_pin.h"
#include "sample_interfaces.h"

class CBaseOutputPin : public CBasePin {
public:
    CBaseOutputPin(const char* objectName, CBaseFilter* filter, CCritSec* lock, HRESULT* phr, LPCWSTR pinName);
    ~CBaseOutputPin() override;

    // Sets the buffer count and size on `allocator` (through SetProperties)
    // starting from the downstream pin's requirements in `request`.
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // Takes the downstream pin's allocator, or one of our own when that
    // fails, and tells the downstream pin which one it is.
    virtual HRESULT DecideAllocator(IMemInputPin* pin, IMemAllocator** allocator);
    virtual HRESULT InitAllocator(IMemAllocator** allocator);

    HRESULT CheckConnect(IPin* pin) override;
    HRESULT CompleteConnect(IPin* receivePin) override;
    HRESULT BreakConnect() override;
    HRESULT Active() override;
    HRESULT Inactive() override;

    HRESULT GetDeliveryBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags);
    // Stream events to the connected pin; VFW_E_NOT_CONNECTED without one.
    virtual HRESULT Deliver(IMediaSample* sample);
    virtual HRESULT DeliverEndOfStream();
    virtual HRESULT DeliverBeginFlush();
    virtual HRESULT DeliverEndFlush();
    virtual HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

    // Not referenced for the caller.
    IMemAllocator* PeekAllocator() const { return m_allocator; }
    IMemInputPin* PeekInputPin() const { return m_inputPin; }

private:
    HRESULT TryAllocator(IMemInputPin* pin, IMemAllocator* allocator);

    IMemAllocator* m_allocator = nullptr;
    IMemInputPin* m_inputPin = nullptr;
};
