#include "CpuDispatch.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <string>

namespace {

constexpr int kNotForced = -1;

std::atomic<int> g_forced{kNotForced};
std::atomic<int> g_forcedStreaming{kNotForced};

InstructionSet Detect()
{
#if defined(__x86_64__)
    // These checks include the operating system's saving of the wide
    // registers, not only the processor's flags.
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
        __builtin_cpu_supports("avx512vbmi"))
        return InstructionSet::Avx512;
    if (__builtin_cpu_supports("avx2")) return InstructionSet::Avx2;
    if (__builtin_cpu_supports("ssse3")) return InstructionSet::Ssse3;
#endif
    return InstructionSet::Portable;
}

// The kernel's description of the first processor's caches: the C
// library's own answer is wrong on some virtual machines.
std::size_t ReadLastLevelCacheBytes()
{
    std::size_t largest = 0;
    for (int index = 0;; ++index) {
        std::ifstream size("/sys/devices/system/cpu/cpu0/cache/index" + std::to_string(index) + "/size");
        std::size_t value = 0;
        std::string unit;
        if (!(size >> value)) break;
        size >> unit;
        if (unit == "K") value <<= 10;
        else if (unit == "M") value <<= 20;
        largest = std::max(largest, value);
    }
    return largest;
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
    case InstructionSet::Avx512: return "Avx512";
    }
    return "Unknown";
}

ForcedInstructionSet::ForcedInstructionSet(InstructionSet set)
{
    const int allowed = std::min(static_cast<int>(set), static_cast<int>(DetectedInstructionSet()));
    m_previous = g_forced.exchange(allowed, std::memory_order_relaxed);
}

ForcedInstructionSet::~ForcedInstructionSet() { g_forced.store(m_previous, std::memory_order_relaxed); }

std::size_t LastLevelCacheBytes()
{
    static const std::size_t bytes = ReadLastLevelCacheBytes();
    return bytes;
}

bool StreamsPastCaches(std::size_t bytes)
{
    const int forced = g_forcedStreaming.load(std::memory_order_relaxed);
    if (forced != kNotForced) return forced != 0;
    const std::size_t cache = LastLevelCacheBytes();
    return cache != 0 && bytes > cache / 2;
}

ForcedStreaming::ForcedStreaming(bool stream)
    : m_previous(g_forcedStreaming.exchange(stream ? 1 : 0, std::memory_order_relaxed))
{
}

ForcedStreaming::~ForcedStreaming() { g_forcedStreaming.store(m_previous, std::memory_order_relaxed); }
