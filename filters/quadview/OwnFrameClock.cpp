#include "OwnFrameClock.h"

namespace {

constexpr LONGLONG kUnitsPerMs = 10'000;

} // namespace

OwnFrameTimes OwnFrameClock::Advance(LONG intervalMs, LONG offsetMs, bool zero)
{
    const bool first = m_elapsedMs == 0;
    if (first) {
        m_times.mediaStart = 1;
        m_times.mediaStop = 2;
    } else {
        ++m_times.mediaStart;
        ++m_times.mediaStop;
    }
    if (zero) {
        m_times.start = 0;
        m_times.stop = 0;
        m_elapsedMs += intervalMs;
        return m_times;
    }
    m_times.start = first ? 0 : (m_elapsedMs + 1) * kUnitsPerMs;
    m_elapsedMs += intervalMs;
    m_times.stop = (m_elapsedMs + offsetMs) * kUnitsPerMs;
    return m_times;
}
