// Kernel services: critical sections, events, threads, waits, sleeping and
// the clocks, with the Win32 names and results the filters expect.
#pragma once

#include "wintypes.h"

#include <mutex>

// A recursive lock, as a Win32 critical section is.
struct CRITICAL_SECTION {
    std::recursive_mutex mutex;
};
void InitializeCriticalSection(CRITICAL_SECTION* section);
void DeleteCriticalSection(CRITICAL_SECTION* section);
void EnterCriticalSection(CRITICAL_SECTION* section);
BOOL TryEnterCriticalSection(CRITICAL_SECTION* section);
void LeaveCriticalSection(CRITICAL_SECTION* section);

// Holds a critical section for the lifetime of the scope.
class ScopedCriticalSection {
public:
    explicit ScopedCriticalSection(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    ~ScopedCriticalSection() { LeaveCriticalSection(&m_section); }
    ScopedCriticalSection(const ScopedCriticalSection&) = delete;
    ScopedCriticalSection& operator=(const ScopedCriticalSection&) = delete;

private:
    CRITICAL_SECTION& m_section;
};

// A wait time that never runs out.
constexpr DWORD INFINITE = 0xFFFFFFFFu;
constexpr DWORD WAIT_OBJECT_0 = 0x00000000u;
constexpr DWORD WAIT_TIMEOUT = 0x00000102u;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFFu;
constexpr DWORD STILL_ACTIVE = 0x00000103u;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// Handles name kernel objects held in a process-wide table; a handle that was
// never issued or is already closed fails cleanly instead of crashing.
HANDLE CreateEventW(void* attributes, BOOL manualReset, BOOL initialState, LPCWSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);
BOOL CloseHandle(HANDLE handle);
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);
DWORD WaitForMultipleObjects(DWORD count, const HANDLE* handles, BOOL waitAll, DWORD milliseconds);

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID parameter);
// The handle becomes signalled when the routine returns.
HANDLE CreateThread(void* attributes, std::size_t stackSize, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, DWORD* threadId);
BOOL GetExitCodeThread(HANDLE thread, DWORD* exitCode);
DWORD GetCurrentThreadId();

void Sleep(DWORD milliseconds);
// Milliseconds since an arbitrary start, wrapping every 49.7 days.
DWORD GetTickCount();
BOOL QueryPerformanceCounter(LARGE_INTEGER* count);
BOOL QueryPerformanceFrequency(LARGE_INTEGER* frequency);
// Wall clock in 100-ns units since 1601-01-01 UTC.
void GetSystemTimeAsFileTime(FILETIME* time);

// Wall clock split as seconds and milliseconds since 1970-01-01 UTC.
struct WallClockTime {
    LONGLONG seconds;
    WORD milliseconds;
};
WallClockTime GetWallClockTime();

constexpr DWORD VER_PLATFORM_WIN32_NT = 2;
struct OSVERSIONINFOW {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    WCHAR szCSDVersion[128];
};
// Reports the NT platform; fails when the size field is not set.
BOOL GetVersionExW(OSVERSIONINFOW* info);
