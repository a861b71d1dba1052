// The decisions of the Synchronizing Buffer as plain functions over times in
// 100-ns units: which arriving sample is too old to keep, which queued one is
// due, how full the queue is. "Offset now" is the filter clock less the offset.
#pragma once

#include "wintypes.h"

#include <limits>
#include <string>

constexpr LONGLONG kUnitsPerMillisecond = 10'000;

// a - b, held at the 64-bit range: stamps come from upstream and may be
// anything, and the comparison must stay signed (future stamps are negative ages).
constexpr LONGLONG SaturatingDifference(LONGLONG a, LONGLONG b)
{
    LONGLONG result = 0;
    if (!__builtin_sub_overflow(a, b, &result)) return result;
    return b < 0 ? std::numeric_limits<LONGLONG>::max() : std::numeric_limits<LONGLONG>::min();
}

// Older than the discard interval; a sample stamped in the future never is.
constexpr bool IsTooOld(LONGLONG offsetNow, LONGLONG start, LONGLONG discardUnits)
{
    return SaturatingDifference(offsetNow, start) > discardUnits;
}

constexpr bool IsDue(LONGLONG offsetNow, LONGLONG start) { return offsetNow >= start; }

// A capacity below one would leave no room for the sample that arrives.
constexpr LONG EffectiveMaximum(LONG maximum) { return maximum < 1 ? 1 : maximum; }

// "Full" at the capacity, otherwise the percentage ("%d%%") of it.
std::string FillLevelText(LONG count, LONG maximum);
