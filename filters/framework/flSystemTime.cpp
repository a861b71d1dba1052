#include "flSystemTime.h"

#include "kernel.h"

#include <mutex>

namespace {

constexpr double kUnitsPerSecond = 10'000'000.0;

LONGLONG SystemWallClock()
{
    const WallClockTime now = GetWallClockTime();
    return now.seconds * 10'000'000LL + static_cast<LONGLONG>(now.milliseconds) * 10'000LL;
}

LONGLONG SystemCounterFrequency()
{
    LARGE_INTEGER frequency{};
    return QueryPerformanceFrequency(&frequency) ? frequency.QuadPart : 0;
}

LONGLONG SystemCounter()
{
    LARGE_INTEGER count{};
    QueryPerformanceCounter(&count);
    return count.QuadPart;
}

constexpr flClockSources kSystemSources{SystemWallClock, SystemCounterFrequency, SystemCounter, GetTickCount};

// The time line every flSystemTime of the process shares.
struct TimeLine {
    std::mutex lock;
    const flClockSources* sources = &kSystemSources;
    double frequency = 0;  // 0 until anchored
    bool useTickCount = false;
    LONGLONG base = 0;

    // The counter in 100-ns units; the tick count when there is no counter.
    double CounterUnits() const
    {
        const double count = useTickCount ? static_cast<double>(sources->tickCount())
                                          : static_cast<double>(sources->counter());
        // Scaled before dividing: whole units stay whole.
        return count * kUnitsPerSecond / frequency;
    }

    void AnchorOnWallClock() { base = sources->wallClock() - static_cast<LONGLONG>(CounterUnits()); }

    void AnchorOnce()
    {
        if (frequency != 0) return;
        const LONGLONG counts = sources->counterFrequency();
        useTickCount = counts <= 0;
        frequency = useTickCount ? 1000.0 : static_cast<double>(counts);
        AnchorOnWallClock();
    }

    LONGLONG Now() const { return base + static_cast<LONGLONG>(CounterUnits()); }
};

TimeLine& SharedTimeLine()
{
    static TimeLine line;
    return line;
}

} // namespace

flSystemTime::flSystemTime()
{
    {
        TimeLine& line = SharedTimeLine();
        std::lock_guard<std::mutex> hold(line.lock);
        line.AnchorOnce();
    }
    Update();
}

void flSystemTime::Update()
{
    TimeLine& line = SharedTimeLine();
    std::lock_guard<std::mutex> hold(line.lock);
    line.AnchorOnce();
    const LONGLONG held = Read();
    LONGLONG now = line.Now();
    if (now < held) {
        line.AnchorOnWallClock();
        now = line.Now();
    }
    if (now >= held) Store(now);
}

void flSystemTime::UseSources(const flClockSources* sources)
{
    TimeLine& line = SharedTimeLine();
    std::lock_guard<std::mutex> hold(line.lock);
    line.sources = sources ? sources : &kSystemSources;
    line.frequency = 0;
    line.base = 0;
}

const flClockSources& flSystemTime::SystemSources() { return kSystemSources; }
