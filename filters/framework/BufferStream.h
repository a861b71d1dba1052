// The output pin "Out" of the buffering filters. Its own thread repeatedly
// takes an empty buffer, asks the filter to fill it, delivers it and tells
// the filter how long the delivery took; the filter decides what to send and
// when. The thread holds no framework lock while it fills or delivers, so
// inputs keep receiving while a sample travels downstream.
#pragma once

#include "flSystemTime.h"
#include "source_stream.h"

// What the stream asks of its filter.
class BufferStreamSource {
public:
    // Type checks and enumeration run under the filter lock.
    virtual HRESULT CheckOutputType(const CMediaType* type) = 0;
    virtual HRESULT GetOutputType(int position, CMediaType* type) = 0;
    virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) = 0;
    // The processing loop starts (stream thread).
    virtual void StreamStart() = 0;
    // 0 when `sample` was filled and is to be sent; non-zero when there is
    // nothing to send now (the filter waits inside, so the loop never spins).
    virtual int Fill(IMediaSample* sample) = 0;
    // A filled sample was delivered; `elapsed` in 100-ns units. Most filters
    // do not care.
    virtual void Delivered(REFERENCE_TIME /*elapsed*/) {}

protected:
    ~BufferStreamSource() = default;
};

class BufferStream final : public CSourceStream {
public:
    BufferStream(CBaseFilter* filter, CCritSec* filterLock, BufferStreamSource* source, HRESULT* phr);
    ~BufferStream() override;

    HRESULT CheckMediaType(const CMediaType* type) override;
    HRESULT GetMediaType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;

    // Ends the thread if it runs; a filter calls this before its own parts go.
    void EndThread();
    // The connection type, for a filter that records the agreed buffer size in it.
    CMediaType& OutputType() { return m_mt; }

protected:
    // The thread waits for due times: it asks the system not to let its
    // timers run late to batch wake-ups.
    HRESULT OnThreadCreate() override;
    HRESULT FillBuffer(IMediaSample* sample) override;
    // Ends on a stop command (left for the thread procedure to answer) or on a
    // delivery that is not S_OK; no end of stream is sent either way.
    HRESULT DoBufferProcessingLoop() override;

private:
    void DeliverOne(IMediaSample* sample, bool& refused);

    BufferStreamSource* const m_source;
    flSystemTime m_clock;
};
