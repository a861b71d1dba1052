// A worker thread driven by commands: the caller posts one command and waits
// for the worker's reply, so state changes happen in step with the worker.
#pragma once

#include "wintypes.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class CCommandThread {
public:
    CCommandThread() = default;
    CCommandThread(const CCommandThread&) = delete;
    CCommandThread& operator=(const CCommandThread&) = delete;
    virtual ~CCommandThread();

    // Starts ThreadProc; false when a thread already runs or cannot start.
    bool Create();
    // Posts `command` and waits for the reply. Callers are served one at a time.
    DWORD CallWorker(DWORD command);
    // Waits for the thread to finish; the thread must have been told to exit.
    void Close();
    bool ThreadExists() const;

protected:
    virtual DWORD ThreadProc() = 0;

    // Worker side: wait for the next command (taking it), look at a pending
    // one without taking it, and answer the pending command.
    DWORD GetRequest();
    bool CheckRequest(DWORD* command);
    void Reply(DWORD result);

private:
    std::mutex m_callers;  // one CallWorker at a time
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_requestPending = false;
    bool m_replyPending = false;
    DWORD m_request = 0;
    DWORD m_reply = 0;
    std::thread m_thread;
};
