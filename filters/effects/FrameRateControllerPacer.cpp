#include "FrameRateControllerPacer.h"

namespace {

constexpr LONGLONG kUnitsPerSecond = 10'000'000;
// The most a stall is made up for by sending at once.
constexpr LONGLONG kLongestCatchUp = kUnitsPerSecond / 10;

} // namespace

REFERENCE_TIME FrameRateControllerPacer::DueTime(LONGLONG frame) const
{
    // Whole seconds and the rest apart, so long runs cannot overflow.
    const LONGLONG seconds = frame / m_rate;
    const LONGLONG rest = frame % m_rate;
    return m_anchor + seconds * kUnitsPerSecond + rest * kUnitsPerSecond / m_rate;
}

REFERENCE_TIME FrameRateControllerPacer::Delivered(REFERENCE_TIME now, LONG rate)
{
    if (rate < 1) {
        m_anchored = false;
        return 0;
    }
    if (m_anchored && rate == m_rate) {
        ++m_frame;
        const REFERENCE_TIME lateness = now - DueTime(m_frame);
        if (lateness > kUnitsPerSecond / rate && lateness > kLongestCatchUp) m_anchored = false;
    }
    if (!m_anchored || rate != m_rate) {
        m_anchored = true;
        m_anchor = now;
        m_frame = 0;
        m_rate = rate;
    }
    const REFERENCE_TIME wait = DueTime(m_frame + 1) - now;
    return wait > 0 ? wait : 0;
}
