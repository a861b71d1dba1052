// An output pin with a worker thread of its own that produces the samples.
//
// Command protocol of the worker: it first waits for CMD_INIT (answering
// anything else with E_UNEXPECTED); then CMD_PAUSE and CMD_RUN are answered
// S_OK and enter DoBufferProcessingLoop, CMD_STOP is answered S_OK,
// CMD_EXIT is answered S_OK and ends the thread, other commands get
// E_NOTIMPL. The pin starts the worker (init, pause) when the filter becomes
// active and the pin is connected, and ends it (stop, exit, join) when the
// filter stops. The worker runs FillBuffer without any framework lock held;
// it must not take the filter lock, which a stopping caller holds while it
// waits for the worker.
#pragma once

#include "command_thread.h"
#include "output_pin.h"

class CSourceStream : public CBaseOutputPin, protected CCommandThread {
public:
    enum Command : DWORD { CMD_INIT = 0, CMD_PAUSE = 1, CMD_RUN = 2, CMD_STOP = 3, CMD_EXIT = 4 };

    CSourceStream(const char* objectName, HRESULT* phr, CBaseFilter* filter, CCritSec* filterLock, LPCWSTR pinName);
    ~CSourceStream() override;

    HRESULT Active() override;
    HRESULT Inactive() override;
    // Accepts exactly the types GetMediaType offers.
    HRESULT CheckMediaType(const CMediaType* type) override;

    HRESULT Init() { return static_cast<HRESULT>(CallWorker(CMD_INIT)); }
    HRESULT Exit() { return static_cast<HRESULT>(CallWorker(CMD_EXIT)); }
    HRESULT Run() { return static_cast<HRESULT>(CallWorker(CMD_RUN)); }
    // The pin's own Run(start), which the filter calls, stays reachable
    // beside the worker's Run().
    using CBaseOutputPin::Run;
    HRESULT Pause() { return static_cast<HRESULT>(CallWorker(CMD_PAUSE)); }
    HRESULT Stop() { return static_cast<HRESULT>(CallWorker(CMD_STOP)); }
    using CCommandThread::ThreadExists;

protected:
    // Fills one buffer: S_OK delivers it, S_FALSE ends the stream (end of
    // stream goes downstream), an error also aborts the graph.
    virtual HRESULT FillBuffer(IMediaSample* sample) = 0;
    virtual HRESULT OnThreadCreate() { return S_OK; }
    virtual HRESULT OnThreadDestroy() { return S_OK; }
    virtual HRESULT OnThreadStartPlay() { return S_OK; }
    // Runs until CMD_STOP (left pending for ThreadProc to answer), a refused
    // delivery or the end of the stream. A buffer that cannot be had is
    // retried every millisecond.
    virtual HRESULT DoBufferProcessingLoop();

    DWORD ThreadProc() override;
    using CCommandThread::CheckRequest;
    using CCommandThread::GetRequest;
    using CCommandThread::Reply;

private:
    void EndWorker();
};
