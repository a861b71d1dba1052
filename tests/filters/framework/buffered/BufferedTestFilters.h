// Concrete filters on the buffering bases for tests: what they are asked to
// do is counted, and what they send is chosen by the test.
#pragma once

#include "BufferFilter.h"
#include "MultiInputFilter.h"

#include <atomic>

// Offers and accepts one fixed type: 4 × 1 RGB24.
CMediaType TestVideoType(REFGUID subtype = MEDIASUBTYPE_RGB24);

// What Fill does: nothing to send (waits 1 ms), or a 4-byte sample holding
// the number of the fill.
enum class FillMode { Nothing, Send };

struct StreamCounters {
    std::atomic<int> streamStarts{0};
    std::atomic<int> fills{0};
    std::atomic<int> filled{0};
    std::atomic<int> delivered{0};
    std::atomic<LONGLONG> lastElapsed{-1};
    std::atomic<FillMode> mode{FillMode::Nothing};
};

// Output side shared by both test filters.
class TestStreamSource {
public:
    StreamCounters counters;

protected:
    HRESULT CheckType(const CMediaType* type) const;
    HRESULT OfferType(int position, CMediaType* type) const;
    HRESULT SetBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) const;
    int FillSample(IMediaSample* sample);
    void Start() { ++counters.streamStarts; }
    void Done(REFERENCE_TIME elapsed)
    {
        counters.lastElapsed = elapsed;
        ++counters.delivered;
    }
};

class TestMultiInputFilter final : public MultiInputFilter, public TestStreamSource {
public:
    explicit TestMultiInputFilter(int inputs);
    ~TestMultiInputFilter() override;
    static TestMultiInputFilter* Create(int inputs);

    HRESULT ReceiveInput(int index, IMediaSample* sample) override;
    void InputEndOfStream(int index) override;
    HRESULT CheckInputType(int, const CMediaType* type) override { return CheckType(type); }
    HRESULT CheckOutputType(const CMediaType* type) override { return CheckType(type); }
    HRESULT GetOutputType(int position, CMediaType* type) override { return OfferType(position, type); }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        return SetBuffers(allocator, request);
    }
    void StreamStart() override { Start(); }
    int Fill(IMediaSample* sample) override { return FillSample(sample); }
    void Delivered(REFERENCE_TIME elapsed) override { Done(elapsed); }

    std::atomic<int> received[2]{};
    std::atomic<int> ended[2]{};
};

class TestBufferFilter final : public BufferFilter, public TestStreamSource {
public:
    TestBufferFilter();
    ~TestBufferFilter() override;
    static TestBufferFilter* Create();

    HRESULT ReceiveInput(IMediaSample*) override
    {
        ++received;
        return S_OK;
    }
    // The input takes RGB24 and RGB555; the output only RGB24.
    HRESULT CheckInputType(const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override { return CheckType(type); }
    HRESULT GetOutputType(int position, CMediaType* type) override { return OfferType(position, type); }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        return SetBuffers(allocator, request);
    }
    void StreamStart() override { Start(); }
    int Fill(IMediaSample* sample) override { return FillSample(sample); }
    void Delivered(REFERENCE_TIME elapsed) override { Done(elapsed); }
    HRESULT StartStreaming() override
    {
        ++startStreaming;
        return S_OK;
    }
    HRESULT StopStreaming() override
    {
        ++stopStreaming;
        return S_OK;
    }

    std::atomic<int> received{0};
    std::atomic<int> startStreaming{0};
    std::atomic<int> stopStreaming{0};
};
