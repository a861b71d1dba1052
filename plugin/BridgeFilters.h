// The two filters the bridge puts around a hosted filter: a feed filter
// whose output pins deliver GStreamer's buffers into the hosted filter's
// inputs, and a collect filter whose input pin takes what the hosted filter
// delivers and hands it back to GStreamer. They talk to the hosted filter
// only through its pins, as any graph neighbour would.
#pragma once

#include "BufferSample.h"
#include "base_filter.h"
#include "input_pin.h"
#include "output_pin.h"

#include <memory>
#include <vector>

class FeedPin final : public CBaseOutputPin {
public:
    FeedPin(CBaseFilter* filter, CCritSec* lock, LPCWSTR name);

    // The type the next connection offers (and the only one it takes).
    void OfferType(const CMediaType& type) { m_offered = type; }

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

private:
    CMediaType m_offered;
};

class FeedFilter final : public CBaseFilter {
public:
    explicit FeedFilter(int pins);
    static FeedFilter* Create(int pins);

    int GetPinCount() override { return static_cast<int>(m_pins.size()); }
    CBasePin* GetPin(int index) override;
    FeedPin* Pin(int index) { return m_pins[static_cast<std::size_t>(index)].get(); }

private:
    CCritSec m_lock;
    std::vector<std::unique_ptr<FeedPin>> m_pins;
};

// What the collect filter reports; calls come on the hosted filter's
// delivering thread.
class CollectTarget {
public:
    // S_OK to go on, S_FALSE or an error to make the sender stop.
    virtual HRESULT Collect(IMediaSample* sample) = 0;
    virtual void CollectEndOfStream() = 0;

protected:
    ~CollectTarget() = default;
};

class CollectFilter final : public CBaseFilter {
public:
    // `anyType`: the input takes every type (a filter that passes any
    // media); otherwise only the two video types.
    CollectFilter(CollectTarget* target, bool anyType);
    ~CollectFilter() override;
    static CollectFilter* Create(CollectTarget* target, bool anyType);

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override;
    CBaseInputPin* Input();

private:
    class Pin;

    CCritSec m_lock;
    CollectTarget* const m_target;
    const bool m_anyType;
    BufferPoolAllocator* m_allocator = nullptr;
    std::unique_ptr<Pin> m_pin;
};
