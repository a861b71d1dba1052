#include "kernel.h"

#include <gtest/gtest.h>

#include <atomic>

TEST(Kernel, EventsFollowTheirResetMode)
{
    HANDLE autoReset = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE manual = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), WAIT_TIMEOUT);
    SetEvent(autoReset);
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), WAIT_TIMEOUT); // one wait consumed it
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);

    HANDLE both[] = {autoReset, manual};
    EXPECT_EQ(WaitForMultipleObjects(2, both, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 10), WAIT_TIMEOUT);
    SetEvent(autoReset);
    EXPECT_EQ(WaitForMultipleObjects(2, both, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), WAIT_TIMEOUT);
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    EXPECT_TRUE(CloseHandle(autoReset));
    EXPECT_FALSE(CloseHandle(autoReset));
    EXPECT_EQ(WaitForSingleObject(autoReset, 0), WAIT_FAILED);
    EXPECT_FALSE(SetEvent(autoReset));
    CloseHandle(manual);
}

TEST(Kernel, ThreadSignalsItsHandleWithTheExitCode)
{
    static std::atomic<int> ran{0};
    HANDLE go = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    DWORD id = 0;
    HANDLE thread = CreateThread(
        nullptr, 0,
        [](LPVOID event) -> DWORD {
            WaitForSingleObject(static_cast<HANDLE>(event), INFINITE);
            ran.store(1);
            return 42;
        },
        go, 0, &id);
    ASSERT_NE(thread, nullptr);
    EXPECT_NE(id, 0u);
    EXPECT_NE(id, GetCurrentThreadId());
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(thread, 20), WAIT_TIMEOUT);
    SetEvent(go);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    ASSERT_TRUE(GetExitCodeThread(thread, &code));
    EXPECT_EQ(code, 42u);
    EXPECT_EQ(ran.load(), 1);
    CloseHandle(thread);
    CloseHandle(go);
}

TEST(Kernel, CriticalSectionIsRecursiveAndClocksAdvance)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    {
        ScopedCriticalSection outer(section);
        ScopedCriticalSection inner(section);
        EXPECT_TRUE(TryEnterCriticalSection(&section));
        LeaveCriticalSection(&section);
    }
    DeleteCriticalSection(&section);

    LARGE_INTEGER frequency{}, first{}, second{};
    ASSERT_TRUE(QueryPerformanceFrequency(&frequency));
    EXPECT_GT(frequency.QuadPart, 0);
    QueryPerformanceCounter(&first);
    const DWORD tick = GetTickCount();
    Sleep(15);
    QueryPerformanceCounter(&second);
    EXPECT_GE((second.QuadPart - first.QuadPart) * 1000 / frequency.QuadPart, 14);
    EXPECT_GE(GetTickCount() - tick, 14u);

    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const ULONGLONG since1601 = (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    const WallClockTime wall = GetWallClockTime();
    EXPECT_NEAR(static_cast<double>(since1601 / 10'000'000 - 11'644'473'600ull), static_cast<double>(wall.seconds), 2.0);
    EXPECT_LT(wall.milliseconds, 1000);
}
