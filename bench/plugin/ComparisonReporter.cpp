#include "ComparisonReporter.h"

#include <cstdio>
#include <ostream>
#include <utility>

namespace {

std::string NameOf(const benchmark::BenchmarkReporter::Run& run)
{
    const benchmark::BenchmarkName& name = run.run_name;
    return name.args.empty() ? name.function_name : name.function_name + "/" + name.args;
}

std::string Microseconds(double time)
{
    if (time < 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.0f", time);
    return text;
}

std::string Ratio(double theirs, double ours)
{
    if (theirs < 0 || ours <= 0) return "-";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", theirs / ours);
    return text;
}

std::string Column(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text + " " : text + std::string(width - text.size(), ' ');
}

} // namespace

ComparisonReporter::ComparisonReporter(std::string memcpyName, std::string flipName,
                                       std::vector<Comparison> comparisons)
    : benchmark::ConsoleReporter(OO_None), m_memcpyName(std::move(memcpyName)), m_flipName(std::move(flipName)),
      m_comparisons(std::move(comparisons))
{
}

// A median replaces a single run's time and is never replaced by one.
void ComparisonReporter::ReportRuns(const std::vector<Run>& runs)
{
    benchmark::ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred || run.time_unit != benchmark::kMicrosecond) continue;
        const std::string name = NameOf(run);
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (run.run_type == Run::RT_Aggregate && !median) continue;
        if (!median && m_fromMedian[name]) continue;
        m_cpuTimes[name] = run.GetAdjustedCPUTime();
        m_fromMedian[name] = median;
    }
}

double ComparisonReporter::CpuTime(const std::string& name) const
{
    const auto found = m_cpuTimes.find(name);
    return found == m_cpuTimes.end() ? -1.0 : found->second;
}

void ComparisonReporter::Finalize()
{
    std::ostream& out = GetOutputStream();
    const std::size_t first = 44, other = 11;
    out << "\nCPU µs per frame (median where repeated)\n"
        << Column("", first) << Column("memcpy", other) << Column("kernel", other) << Column("element", other)
        << Column("FFmpeg", other) << Column("FF/kernel", other) << "FF/element\n";
    const double copy = CpuTime(m_memcpyName);
    for (const Comparison& c : m_comparisons) {
        const double kernel = CpuTime(c.ourKernel), element = CpuTime(c.ourElement), theirs = CpuTime(c.theirs);
        out << Column(c.title, first) << Column(Microseconds(copy), other) << Column(Microseconds(kernel), other)
            << Column(Microseconds(element), other) << Column(Microseconds(theirs), other)
            << Column(Ratio(theirs, kernel), other) << Ratio(theirs, element) << "\n";
    }
    out << "One row flip: " << Microseconds(CpuTime(m_flipName)) << " µs\n";
    benchmark::ConsoleReporter::Finalize();
}
