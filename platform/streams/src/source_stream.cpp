#include "source_stream.h"

#include "kernel.h"

CSourceStream::CSourceStream(const char* objectName, HRESULT* phr, CBaseFilter* filter, CCritSec* filterLock,
                             LPCWSTR pinName)
    : CBaseOutputPin(objectName, filter, filterLock, phr, pinName)
{
}

// A derived stream should have stopped by now; this only keeps the thread
// from outliving the pin.
CSourceStream::~CSourceStream() { EndWorker(); }

void CSourceStream::EndWorker()
{
    if (!ThreadExists()) return;
    Stop();
    Exit();
    Close();
}

HRESULT CSourceStream::Active()
{
    CAutoLock hold(m_lock);
    if (!IsConnected()) return S_OK;
    if (ThreadExists()) return S_OK;
    HRESULT hr = CBaseOutputPin::Active();
    if (FAILED(hr)) return hr;
    if (!Create()) return E_FAIL;
    hr = Init();
    if (FAILED(hr)) {
        Close();  // the worker has ended after its failed start
        return hr;
    }
    return Pause();
}

HRESULT CSourceStream::Inactive()
{
    CAutoLock hold(m_lock);
    if (!IsConnected()) return S_OK;
    // Decommit first: a worker waiting for a buffer wakes and sees the stop.
    const HRESULT hr = CBaseOutputPin::Inactive();
    EndWorker();
    return hr;
}

HRESULT CSourceStream::CheckMediaType(const CMediaType* type)
{
    for (int position = 0;; ++position) {
        CMediaType offered;
        if (GetMediaType(position, &offered) != S_OK) return E_FAIL;
        if (offered == *type) return S_OK;
    }
}

DWORD CSourceStream::ThreadProc()
{
    DWORD command = 0;
    do {
        command = GetRequest();
        if (command != CMD_INIT) Reply(static_cast<DWORD>(E_UNEXPECTED));
    } while (command != CMD_INIT);
    const HRESULT created = OnThreadCreate();
    if (FAILED(created)) {
        OnThreadDestroy();
        Reply(static_cast<DWORD>(created));
        return 1;
    }
    Reply(S_OK);
    do {
        command = GetRequest();
        switch (command) {
        case CMD_EXIT:
        case CMD_STOP:
            Reply(S_OK);
            break;
        case CMD_PAUSE:
        case CMD_RUN:
            Reply(S_OK);
            DoBufferProcessingLoop();
            break;
        default:
            Reply(static_cast<DWORD>(E_NOTIMPL));
            break;
        }
    } while (command != CMD_EXIT);
    OnThreadDestroy();
    return 0;
}

HRESULT CSourceStream::DoBufferProcessingLoop()
{
    OnThreadStartPlay();
    for (;;) {
        DWORD command = 0;
        while (!CheckRequest(&command)) {
            IMediaSample* sample = nullptr;
            if (FAILED(GetDeliveryBuffer(&sample, nullptr, nullptr, 0))) {
                Sleep(1);
                continue;
            }
            HRESULT hr = FillBuffer(sample);
            if (hr == S_OK) {
                hr = Deliver(sample);
                sample->Release();
                if (hr != S_OK) return S_OK;
                continue;
            }
            sample->Release();
            if (FAILED(hr)) m_filter->NotifyEvent(EC_ERRORABORT, hr, 0);
            DeliverEndOfStream();
            return hr;
        }
        if (command == CMD_STOP) return S_FALSE;
        Reply(command == CMD_RUN || command == CMD_PAUSE ? S_OK : static_cast<DWORD>(E_UNEXPECTED));
    }
}
