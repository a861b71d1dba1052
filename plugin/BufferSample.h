// Media samples whose memory is a GstBuffer, so frames cross between the
// two frameworks without a copy: a buffer from a GStreamer pad is handed to
// a filter's input as a sample, and a filter's output buffers are GstBuffers
// from a pool, pushed on as they are.
#pragma once

#include "comobject.h"
#include "media_sample.h"

#include <gst/gst.h>

#include <atomic>
#include <mutex>
#include <vector>

class BufferSample;

// Gets a sample back when its last reference goes.
class BufferSampleOwner {
public:
    virtual void SampleReturned(BufferSample* sample) = 0;

protected:
    ~BufferSampleOwner() = default;
};

class BufferSample final : public CMediaSample {
public:
    // Without an owner the sample deletes itself when its last reference goes.
    explicit BufferSample(BufferSampleOwner* owner = nullptr);
    ~BufferSample() override;

    // Maps `buffer` (the sample takes over the caller's reference). False,
    // with the buffer released, when it cannot be mapped.
    bool Attach(GstBuffer* buffer, GstMapFlags flags);
    // Unmaps and hands the buffer to the caller, cut to the actual length;
    // the sample is left without memory.
    GstBuffer* TakeBuffer();
    bool HasBuffer() const { return m_buffer != nullptr; }

    // An input sample handed to an in-place filter: the filter passes it on
    // into the collect pin, which marks it so the chain pushes it on itself.
    void AwaitReturn() { m_awaitingReturn = true; m_returned = false; }
    bool ReturnIfAwaited()
    {
        if (!m_awaitingReturn) return false;
        m_returned = true;
        return true;
    }
    bool Returned() const { return m_returned; }

protected:
    void Recycle() override;

private:
    void Detach();

    BufferSampleOwner* const m_owner;
    std::atomic<bool> m_awaitingReturn{false};
    std::atomic<bool> m_returned{false};
    GstBuffer* m_buffer = nullptr;
    GstMapInfo m_map{};
};

// The allocator a filter's output gets from the bridge: its samples carry
// buffers of a GstBufferPool, which GStreamer returns to the pool once the
// pushed buffer is done with downstream.
class BufferPoolAllocator final : public CUnknown, public IMemAllocator, private BufferSampleOwner {
public:
    BufferPoolAllocator();
    ~BufferPoolAllocator() override;
    static HRESULT Create(BufferPoolAllocator** allocator);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Commit() override;
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** buffer, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
    STDMETHODIMP ReleaseBuffer(IMediaSample* buffer) override;

private:
    void SampleReturned(BufferSample* sample) override;
    void DropPool();

    std::mutex m_mutex;
    ALLOCATOR_PROPERTIES m_props{};
    GstBufferPool* m_pool = nullptr;
    bool m_committed = false;
    // Sample objects kept for reuse; their buffers went back to the pool.
    std::vector<BufferSample*> m_spare;
};
