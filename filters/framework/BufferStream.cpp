#include "BufferStream.h"

#include "kernel.h"

#include <sys/prctl.h>

BufferStream::BufferStream(CBaseFilter* filter, CCritSec* filterLock, BufferStreamSource* source, HRESULT* phr)
    : CSourceStream("Buffer Streamm", phr, filter, filterLock, u"Out"), m_source(source)
{
}

// The thread calls back into the filter: end it while the filter is whole.
BufferStream::~BufferStream() { EndThread(); }

void BufferStream::EndThread()
{
    if (!ThreadExists()) return;
    Stop();
    Exit();
    Close();
}

HRESULT BufferStream::CheckMediaType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    CAutoLock hold(m_lock);
    return m_source->CheckOutputType(type);
}

HRESULT BufferStream::GetMediaType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    CAutoLock hold(m_lock);
    return m_source->GetOutputType(position, type);
}

HRESULT BufferStream::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    return m_source->DecideBufferSize(allocator, request);
}

HRESULT BufferStream::OnThreadCreate()
{
    // 1 ns instead of the default 50 us of slack; failing only costs precision.
    ::prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    return S_OK;
}

HRESULT BufferStream::FillBuffer(IMediaSample* sample) { return m_source->Fill(sample) == 0 ? S_OK : S_FALSE; }

HRESULT BufferStream::DoBufferProcessingLoop()
{
    m_source->StreamStart();
    for (;;) {
        DWORD command = 0;
        if (CheckRequest(&command)) {
            if (command == CMD_STOP) return S_FALSE;
            Reply(command == CMD_RUN || command == CMD_PAUSE ? S_OK : static_cast<DWORD>(E_UNEXPECTED));
            continue;
        }
        IMediaSample* sample = nullptr;
        if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0)) || !sample) {
            Sleep(1);
            continue;
        }
        bool refused = false;
        DeliverOne(sample, refused);
        if (refused) return S_OK;
    }
}

void BufferStream::DeliverOne(IMediaSample* sample, bool& refused)
{
    m_clock.Update();
    const LONGLONG t0 = m_clock.Read();
    if (m_source->Fill(sample) != 0) {
        sample->Release();
        return;
    }
    const HRESULT hr = Deliver(sample);
    sample->Release();
    if (hr != S_OK) {
        refused = true;
        return;
    }
    m_clock.Update();
    m_source->Delivered(m_clock.Read() - t0);
}
