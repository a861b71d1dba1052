// flSystemTime with injected clocks: one time line for every object,
// readings that never go back, re-anchoring without waiting, and the tick
// count when there is no high-resolution counter.
#include "flSystemTime.h"
#include "kernel.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

constexpr LONGLONG kSecond = 10'000'000;
constexpr LONGLONG kHour = 3600 * kSecond;

struct FakeClocks {
    static inline std::atomic<LONGLONG> wall{0};
    static inline std::atomic<LONGLONG> frequency{0};
    static inline std::atomic<LONGLONG> counter{0};
    static inline std::atomic<DWORD> ticks{0};
    static inline std::atomic<int> wallReads{0};

    static LONGLONG Wall()
    {
        ++wallReads;
        return wall.load();
    }
    static LONGLONG Frequency() { return frequency.load(); }
    static LONGLONG Counter() { return counter.load(); }
    static DWORD Ticks() { return ticks.load(); }
};

constexpr flClockSources kFakeSources{FakeClocks::Wall, FakeClocks::Frequency, FakeClocks::Counter, FakeClocks::Ticks};

class SystemTimeTest : public ::testing::Test {
protected:
    // 2026-01-01, a counter of 1000 counts per second at 5000.
    void SetUp() override
    {
        FakeClocks::wall = 1'767'225'600LL * kSecond;
        FakeClocks::frequency = 1000;
        FakeClocks::counter = 5000;
        FakeClocks::ticks = 0;
        FakeClocks::wallReads = 0;
        flSystemTime::UseSources(&kFakeSources);
    }
    void TearDown() override { flSystemTime::UseSources(nullptr); }
};

TEST_F(SystemTimeTest, StartsOnTheWallClockAndRunsWithTheCounter)
{
    flSystemTime time;
    EXPECT_EQ(time.Read(), FakeClocks::wall.load());
    FakeClocks::counter += 1500;  // 1.5 s
    FakeClocks::wall += kHour;     // the wall clock is not read again
    time.Update();
    EXPECT_EQ(time.Read(), FakeClocks::wall.load() - kHour + 15 * kSecond / 10);
}

TEST_F(SystemTimeTest, EveryObjectSharesOneTimeLine)
{
    flSystemTime first;
    FakeClocks::counter += 250;
    FakeClocks::wall += 7 * kSecond;  // a later construction does not re-anchor
    flSystemTime second;
    first.Update();
    EXPECT_EQ(first.Read(), second.Read());
    FakeClocks::counter += 1;
    second.Update();
    EXPECT_EQ(second.Read() - first.Read(), kSecond / 1000);
}

// A counter that jumps back re-anchors on the wall clock; when the wall
// clock was set back as well, the reading holds instead of waiting for it.
TEST_F(SystemTimeTest, ReadingsNeverGoBackEvenWhenTheWallClockIsSetBack)
{
    flSystemTime time;
    FakeClocks::counter += 2000;
    time.Update();
    const LONGLONG before = time.Read();

    FakeClocks::counter = 10;
    FakeClocks::wall -= kHour;
    const int wallReads = FakeClocks::wallReads.load();
    time.Update();
    EXPECT_EQ(time.Read(), before);
    EXPECT_LE(FakeClocks::wallReads.load() - wallReads, 1);

    // Once the wall clock is past the held value, readings move again.
    FakeClocks::wall += 2 * kHour;
    FakeClocks::counter = 5;
    time.Update();
    EXPECT_EQ(time.Read(), FakeClocks::wall.load());
    FakeClocks::counter += 1000;
    time.Update();
    EXPECT_EQ(time.Read(), FakeClocks::wall.load() + kSecond);
}

TEST_F(SystemTimeTest, ReanchoringMovesEveryObjectToTheNewLine)
{
    flSystemTime first;
    flSystemTime second;
    FakeClocks::counter = 0;  // back: re-anchor on the wall clock, 30 s on
    FakeClocks::wall += 30 * kSecond;
    first.Update();
    second.Update();
    EXPECT_EQ(first.Read(), FakeClocks::wall.load());
    EXPECT_EQ(second.Read(), first.Read());
}

TEST_F(SystemTimeTest, WithoutACounterTheTickCountRunsTheClock)
{
    FakeClocks::frequency = 0;
    FakeClocks::ticks = 100;
    flSystemTime::UseSources(&kFakeSources);
    flSystemTime time;
    EXPECT_EQ(time.Read(), FakeClocks::wall.load());
    FakeClocks::ticks += 40;
    FakeClocks::counter += 99999;  // not used
    time.Update();
    EXPECT_EQ(time.Read(), FakeClocks::wall.load() + 40 * kSecond / 1000);
    // The tick count wraps after 49.7 days: re-anchored, not thrown back.
    FakeClocks::ticks = 3;
    FakeClocks::wall += kSecond;
    time.Update();
    EXPECT_EQ(time.Read(), FakeClocks::wall.load());
}

TEST(SystemTime, TheBaseClassHoldsZeroAndUpdatesNothing)
{
    flAbsoluteTime time;
    time.Update();
    EXPECT_EQ(time.Read(), 0);
}

// The system sources: close to the wall clock, never decreasing across
// threads that share the line.
TEST(SystemTime, SystemClockFollowsTheWallClockMonotonically)
{
    flSystemTime::UseSources(nullptr);
    const WallClockTime wall = GetWallClockTime();
    flSystemTime time;
    const LONGLONG expected = wall.seconds * kSecond + wall.milliseconds * 10'000LL;
    EXPECT_LT(std::llabs(time.Read() - expected), 5 * kSecond);

    std::vector<std::thread> threads;
    std::atomic<int> backwards{0};
    for (int t = 0; t < 3; ++t) {
        threads.emplace_back([&backwards] {
            flSystemTime own;
            LONGLONG last = own.Read();
            for (int i = 0; i < 2000; ++i) {
                own.Update();
                if (own.Read() < last) ++backwards;
                last = own.Read();
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(backwards.load(), 0);
}

} // namespace
