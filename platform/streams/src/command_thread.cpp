#include "command_thread.h"

#include <system_error>

CCommandThread::~CCommandThread()
{
    // A derived destructor must have closed the thread: ThreadProc is gone now.
    if (m_thread.joinable()) m_thread.detach();
}

bool CCommandThread::Create()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    if (m_thread.joinable()) return false;
    m_requestPending = false;
    m_replyPending = false;
    try {
        m_thread = std::thread([this] { ThreadProc(); });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

DWORD CCommandThread::CallWorker(DWORD command)
{
    std::lock_guard<std::mutex> caller(m_callers);
    std::unique_lock<std::mutex> hold(m_mutex);
    m_request = command;
    m_requestPending = true;
    m_replyPending = false;
    m_changed.notify_all();
    m_changed.wait(hold, [this] { return m_replyPending; });
    m_replyPending = false;
    return m_reply;
}

void CCommandThread::Close()
{
    std::thread finishing;
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        finishing = std::move(m_thread);
    }
    if (finishing.joinable()) finishing.join();
}

bool CCommandThread::ThreadExists() const
{
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_thread.joinable();
}

DWORD CCommandThread::GetRequest()
{
    std::unique_lock<std::mutex> hold(m_mutex);
    m_changed.wait(hold, [this] { return m_requestPending; });
    m_requestPending = false;
    return m_request;
}

// Only looks: a command seen here stays pending until Reply or GetRequest,
// so a loop can leave on a command and let its caller answer it.
bool CCommandThread::CheckRequest(DWORD* command)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    if (!m_requestPending) return false;
    if (command) *command = m_request;
    return true;
}

void CCommandThread::Reply(DWORD result)
{
    std::lock_guard<std::mutex> hold(m_mutex);
    m_reply = result;
    m_requestPending = false;
    m_replyPending = true;
    m_changed.notify_all();
}
