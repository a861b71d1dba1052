// Resident memory of this process, and how to tell growth from noise: the
// median of the first third of the samples taken after warm-up against the
// median of the last third, so one busy moment at either end does not count.
#pragma once

#include <vector>

// Memory may move by the allocator's own slack, not more.
inline constexpr double kAllowedGrowthMb = 8.0;

double ResidentMb();

struct MemoryTrend {
    double growthMb = 0;
    double peakMb = 0;
};

MemoryTrend TrendOf(const std::vector<double>& samplesMb);
