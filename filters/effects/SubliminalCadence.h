// Which main frames the Subliminal filter replaces, and the limits of its
// two settings: a period of at least one frame and between one and a
// period's worth of sub frames in it.
#pragma once

#include <algorithm>
#include <cstdint>

inline std::int32_t LimitSubliminalPeriod(std::int32_t period) { return std::max<std::int32_t>(period, 1); }

inline std::int32_t LimitSubliminalSubCount(std::int32_t subCount, std::int32_t period)
{
    return std::clamp<std::int32_t>(subCount, 1, LimitSubliminalPeriod(period));
}

// Frames 0, step, 2 step, ... after a pause, step = period / sub count; the
// settings are taken within their limits, so the step is never 0.
inline bool IsSubliminalFrame(std::uint32_t frame, std::int32_t period, std::int32_t subCount)
{
    const std::int32_t limitedPeriod = LimitSubliminalPeriod(period);
    const auto step = static_cast<std::uint32_t>(limitedPeriod / LimitSubliminalSubCount(subCount, limitedPeriod));
    return frame % step == 0;
}
