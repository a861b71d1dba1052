// Reports signed timing errors of a benchmark as its counters, in
// microseconds: median, 99th percentile, least and most, the 99th percentile
// of their size (early or late alike) and how many there were.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <vector>

inline void ReportLatencies(benchmark::State& state, std::vector<double> microseconds)
{
    if (microseconds.empty()) return;
    const auto percentile = [](std::vector<double> values, double fraction) {
        std::sort(values.begin(), values.end());
        const auto rank = static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(values.size())));
        return values[std::min(std::max<std::size_t>(rank, 1), values.size()) - 1];
    };
    const auto at = [&](double fraction) { return percentile(microseconds, fraction); };
    std::vector<double> sizes;
    for (const double value : microseconds) sizes.push_back(std::fabs(value));
    std::sort(microseconds.begin(), microseconds.end());
    state.counters["p99_abs_us"] = percentile(sizes, 0.99);
    state.counters["median_us"] = at(0.5);
    state.counters["p99_us"] = at(0.99);
    state.counters["max_us"] = microseconds.back();
    state.counters["min_us"] = microseconds.front();
    state.counters["samples"] = static_cast<double>(microseconds.size());
}
