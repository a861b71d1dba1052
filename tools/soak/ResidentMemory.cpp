#include "ResidentMemory.h"

#include <algorithm>
#include <cstdio>

#include <unistd.h>

namespace {

double Median(std::vector<double> values)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

} // namespace

double ResidentMb()
{
    long pages = 0, resident = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return double(resident) * double(::sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

MemoryTrend TrendOf(const std::vector<double>& samplesMb)
{
    MemoryTrend trend;
    if (samplesMb.empty()) return trend;
    trend.peakMb = *std::max_element(samplesMb.begin(), samplesMb.end());
    const std::size_t third = std::max<std::size_t>(1, samplesMb.size() / 3);
    const std::vector<double> first(samplesMb.begin(), samplesMb.begin() + long(third));
    const std::vector<double> last(samplesMb.end() - long(third), samplesMb.end());
    trend.growthMb = Median(last) - Median(first);
    return trend;
}
