#include "kernel.h"

#include <chrono>
#include <condition_variable>
#include <future>
#include <map>
#include <memory>
#include <thread>
#include <vector>

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {

// Every waitable object signals through one process-wide condition variable,
// which keeps multi-object waits simple and race-free. Never destroyed: a
// detached thread may still signal its handle while the process exits.
struct WaitState {
    std::mutex mutex;
    std::condition_variable changed;
};

WaitState& Waits()
{
    static WaitState* const state = new WaitState;
    return *state;
}

struct KernelObject {
    enum class Kind { Event, Thread } kind;
    bool manualReset = true;
    bool signalled = false;
    DWORD exitCode = STILL_ACTIVE;
};

std::mutex g_tableMutex;
std::map<std::uintptr_t, std::shared_ptr<KernelObject>> g_handles;
std::uintptr_t g_nextHandle = 0x1000;

HANDLE Insert(std::shared_ptr<KernelObject> object)
{
    std::lock_guard lock(g_tableMutex);
    const std::uintptr_t value = g_nextHandle;
    g_nextHandle += 4;
    g_handles.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

std::shared_ptr<KernelObject> Lookup(HANDLE handle)
{
    std::lock_guard lock(g_tableMutex);
    const auto it = g_handles.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == g_handles.end() ? nullptr : it->second;
}

// Caller holds Waits().mutex.
bool ReadyAndConsume(const std::vector<std::shared_ptr<KernelObject>>& objects, bool waitAll, DWORD& index)
{
    if (waitAll) {
        for (const auto& o : objects)
            if (!o->signalled) return false;
        for (const auto& o : objects)
            if (!o->manualReset) o->signalled = false;
        index = 0;
        return true;
    }
    for (std::size_t i = 0; i < objects.size(); ++i) {
        if (objects[i]->signalled) {
            if (!objects[i]->manualReset) objects[i]->signalled = false;
            index = static_cast<DWORD>(i);
            return true;
        }
    }
    return false;
}

std::chrono::steady_clock::time_point StartOfProcess()
{
    static const auto start = std::chrono::steady_clock::now();
    return start;
}

} // namespace

void InitializeCriticalSection(CRITICAL_SECTION*) {}
void DeleteCriticalSection(CRITICAL_SECTION*) {}
void EnterCriticalSection(CRITICAL_SECTION* section) { section->mutex.lock(); }
BOOL TryEnterCriticalSection(CRITICAL_SECTION* section) { return section->mutex.try_lock() ? TRUE : FALSE; }
void LeaveCriticalSection(CRITICAL_SECTION* section) { section->mutex.unlock(); }

HANDLE CreateEventW(void*, BOOL manualReset, BOOL initialState, LPCWSTR)
{
    auto event = std::make_shared<KernelObject>();
    event->kind = KernelObject::Kind::Event;
    event->manualReset = manualReset != FALSE;
    event->signalled = initialState != FALSE;
    return Insert(std::move(event));
}

static BOOL SetSignalled(HANDLE handle, bool signalled)
{
    const auto object = Lookup(handle);
    if (!object || object->kind != KernelObject::Kind::Event) return FALSE;
    {
        std::lock_guard lock(Waits().mutex);
        object->signalled = signalled;
    }
    if (signalled) Waits().changed.notify_all();
    return TRUE;
}

BOOL SetEvent(HANDLE event) { return SetSignalled(event, true); }
BOOL ResetEvent(HANDLE event) { return SetSignalled(event, false); }

BOOL CloseHandle(HANDLE handle)
{
    std::lock_guard lock(g_tableMutex);
    return g_handles.erase(reinterpret_cast<std::uintptr_t>(handle)) == 1 ? TRUE : FALSE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    return WaitForMultipleObjects(1, &handle, TRUE, milliseconds);
}

DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds)
{
    if (count == 0 || count > MAXIMUM_WAIT_OBJECTS || !handles) return WAIT_FAILED;
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (DWORD i = 0; i < count; ++i) {
        auto object = Lookup(handles[i]);
        if (!object) return WAIT_FAILED;
        objects.push_back(std::move(object));
    }
    std::unique_lock lock(Waits().mutex);
    DWORD index = 0;
    const auto ready = [&] { return ReadyAndConsume(objects, waitAll != FALSE, index); };
    if (milliseconds == INFINITE) {
        Waits().changed.wait(lock, ready);
    } else if (!Waits().changed.wait_for(lock, std::chrono::milliseconds(milliseconds), ready)) {
        return WAIT_TIMEOUT;
    }
    return WAIT_OBJECT_0 + index;
}

HANDLE CreateThread(void*, std::size_t, LPTHREAD_START_ROUTINE start, LPVOID parameter, DWORD, DWORD* threadId)
{
    if (!start) return nullptr;
    auto object = std::make_shared<KernelObject>();
    object->kind = KernelObject::Kind::Thread;
    HANDLE handle = Insert(object);
    auto idPromise = std::make_shared<std::promise<DWORD>>();
    std::future<DWORD> id = idPromise->get_future();
    try {
        std::thread([object, start, parameter, idPromise] {
            idPromise->set_value(GetCurrentThreadId());
            const DWORD code = start(parameter);
            {
                std::lock_guard lock(Waits().mutex);
                object->exitCode = code;
                object->signalled = true;
            }
            Waits().changed.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        CloseHandle(handle);
        return nullptr;
    }
    const DWORD started = id.get();
    if (threadId) *threadId = started;
    return handle;
}

BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode)
{
    const auto object = Lookup(thread);
    if (!object || object->kind != KernelObject::Kind::Thread || !exitCode) return FALSE;
    std::lock_guard lock(Waits().mutex);
    *exitCode = object->exitCode;
    return TRUE;
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(::syscall(SYS_gettid)); }

void Sleep(DWORD milliseconds)
{
    if (milliseconds == 0)
        std::this_thread::yield();
    else
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

DWORD GetTickCount()
{
    const auto elapsed = std::chrono::steady_clock::now() - StartOfProcess();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

BOOL QueryPerformanceCounter(LARGE_INTEGER* count)
{
    if (!count) return FALSE;
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    count->QuadPart = static_cast<LONGLONG>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
    return TRUE;
}

BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency)
{
    if (!frequency) return FALSE;
    frequency->QuadPart = 1'000'000'000;
    return TRUE;
}

void GetSystemTimeAsFileTime(FILETIME* time)
{
    constexpr ULONGLONG kUnixEpochIn1601 = 116'444'736'000'000'000ull;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    const ULONGLONG value =
        kUnixEpochIn1601 + static_cast<ULONGLONG>(ts.tv_sec) * 10'000'000ull + static_cast<ULONGLONG>(ts.tv_nsec) / 100;
    time->dwLowDateTime = static_cast<DWORD>(value);
    time->dwHighDateTime = static_cast<DWORD>(value >> 32);
}

WallClockTime GetWallClockTime()
{
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return {static_cast<LONGLONG>(ts.tv_sec), static_cast<WORD>(ts.tv_nsec / 1'000'000)};
}

BOOL GetVersionExW(OSVERSIONINFOW* info)
{
    if (!info || info->dwOSVersionInfoSize != sizeof(OSVERSIONINFOW)) return FALSE;
    info->dwMajorVersion = 10;
    info->dwMinorVersion = 0;
    info->dwBuildNumber = 0;
    info->dwPlatformId = VER_PLATFORM_WIN32_NT;
    info->szCSDVersion[0] = 0;
    return TRUE;
}
