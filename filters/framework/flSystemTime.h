// The clock of the buffering filters. flAbsoluteTime holds one time in
// 100-ns units; flSystemTime reads the wall clock (100-ns units since
// 1970-01-01 UTC) through one process-wide time line: anchored once on the
// wall clock and advanced by the high-resolution counter, so readings are
// smooth and comparable between objects, and re-anchored only when the
// counter would take an object's reading backwards.
#pragma once

#include "wintypes.h"

#include <atomic>

class flAbsoluteTime {
public:
    flAbsoluteTime() = default;
    flAbsoluteTime(const flAbsoluteTime& other) : m_time(other.Read()) {}
    flAbsoluteTime& operator=(const flAbsoluteTime& other)
    {
        m_time.store(other.Read(), std::memory_order_relaxed);
        return *this;
    }
    virtual ~flAbsoluteTime() = default;

    virtual void Update() {}
    LONGLONG Read() const { return m_time.load(std::memory_order_relaxed); }

protected:
    void Store(LONGLONG time) { m_time.store(time, std::memory_order_relaxed); }

private:
    std::atomic<LONGLONG> m_time{0};
};

// Where flSystemTime takes its readings; replaceable for tests.
struct flClockSources {
    LONGLONG (*wallClock)();         // 100-ns units since 1970-01-01 UTC
    LONGLONG (*counterFrequency)();  // counts per second; 0 when there is no counter
    LONGLONG (*counter)();
    DWORD (*tickCount)();            // milliseconds, used when there is no counter
};

class flSystemTime : public flAbsoluteTime {
public:
    flSystemTime();

    // Moves the reading forward along the shared time line. A reading that
    // would go backwards re-anchors the line on the wall clock; when the wall
    // clock has been set back behind this object's reading, the held value is
    // kept until the clock catches up, rather than waiting for it.
    void Update() override;

    // Replaces the sources and forgets the anchor: the next construction
    // anchors the time line again. Null restores the system sources.
    static void UseSources(const flClockSources* sources);
    static const flClockSources& SystemSources();
};
