// Event stand-in: manual-reset (stays set until Reset) or auto-reset (one
// successful wait clears it).
#pragma once

#include "wintypes.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

constexpr DWORD INFINITE = 0xFFFFFFFFu;

class CKernelEvent {
public:
    explicit CKernelEvent(bool manualReset = false) : m_manualReset(manualReset) {}
    CKernelEvent(const CKernelEvent&) = delete;
    CKernelEvent& operator=(const CKernelEvent&) = delete;

    void Set()
    {
        {
            std::lock_guard<std::mutex> hold(m_mutex);
            m_signalled = true;
        }
        if (m_manualReset)
            m_changed.notify_all();
        else
            m_changed.notify_one();
    }

    void Reset()
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_signalled = false;
    }

    // True when the event was signalled within `timeoutMs` (INFINITE waits
    // for ever, 0 only polls).
    bool Wait(DWORD timeoutMs = INFINITE)
    {
        std::unique_lock<std::mutex> hold(m_mutex);
        auto signalled = [this] { return m_signalled; };
        if (timeoutMs == INFINITE)
            m_changed.wait(hold, signalled);
        else if (!m_changed.wait_for(hold, std::chrono::milliseconds(timeoutMs), signalled))
            return false;
        if (!m_manualReset) m_signalled = false;
        return true;
    }

    bool Check() { return Wait(0); }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_signalled = false;
    const bool m_manualReset;
};
