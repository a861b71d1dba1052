#include "CpuDispatch.h"

#include <algorithm>
#include <atomic>

namespace {

constexpr int kNotForced = -1;

std::atomic<int> g_forced{kNotForced};

InstructionSet Detect()
{
#if defined(__x86_64__)
    // These checks include the operating system's saving of the wide
    // registers, not only the processor's flags.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return InstructionSet::Avx2;
    if (__builtin_cpu_supports("ssse3")) return InstructionSet::Ssse3;
#endif
    return InstructionSet::Portable;
}

} // namespace

InstructionSet DetectedInstructionSet()
{
    static const InstructionSet detected = Detect();
    return detected;
}

InstructionSet ActiveInstructionSet()
{
    const int forced = g_forced.load(std::memory_order_relaxed);
    return forced == kNotForced ? DetectedInstructionSet() : static_cast<InstructionSet>(forced);
}

std::vector<InstructionSet> SupportedInstructionSets()
{
    std::vector<InstructionSet> sets;
    for (int set = 0; set <= static_cast<int>(DetectedInstructionSet()); ++set)
        sets.push_back(static_cast<InstructionSet>(set));
    return sets;
}

const char* InstructionSetName(InstructionSet set)
{
    switch (set) {
    case InstructionSet::Portable: return "Portable";
    case InstructionSet::Ssse3: return "Ssse3";
    case InstructionSet::Avx2: return "Avx2";
    }
    return "Unknown";
}

ForcedInstructionSet::ForcedInstructionSet(InstructionSet set)
{
    const int allowed = std::min(static_cast<int>(set), static_cast<int>(DetectedInstructionSet()));
    m_previous = g_forced.exchange(allowed, std::memory_order_relaxed);
}

ForcedInstructionSet::~ForcedInstructionSet() { g_forced.store(m_previous, std::memory_order_relaxed); }
