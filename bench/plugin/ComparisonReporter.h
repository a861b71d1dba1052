// Prints the usual console report and, at the end, one line for each of our
// filters set beside FFmpeg's: the CPU time per frame of a memcpy, our
// kernel, our element and FFmpeg's filter, and FFmpeg's time over ours.
// Repeated runs count by their median.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Benchmarks by name without the time suffixes: "BM_Element/Interlace".
struct Comparison {
    std::string title;
    std::string ourKernel;
    std::string ourElement;
    std::string theirs;
};

class ComparisonReporter : public benchmark::ConsoleReporter {
public:
    // `flipName` is the row flip the element adds where row order matters.
    ComparisonReporter(std::string memcpyName, std::string flipName, std::vector<Comparison> comparisons);

    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

private:
    // Microseconds of CPU per frame, or a negative value when not run.
    double CpuTime(const std::string& name) const;

    std::string m_memcpyName;
    std::string m_flipName;
    std::vector<Comparison> m_comparisons;
    std::map<std::string, double> m_cpuTimes;
    std::map<std::string, bool> m_fromMedian;
};
