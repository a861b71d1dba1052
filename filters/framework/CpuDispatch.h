// Run-time choices of pixel kernels that depend on the machine: the
// instruction set, for kernels with faster versions for newer x86-64
// processors, and whether large outputs are stored past the caches. The
// modules are built for baseline x86-64 (or any other target); a kernel asks
// which set to use and falls back to its portable version where a faster one
// is missing. Tests force each choice in turn so that every version is
// checked on the machine at hand.
#pragma once

#include <cstddef>
#include <vector>

// Ordered: a machine that runs one set runs every set before it too.
enum class InstructionSet : int {
    Portable = 0,  // plain C++ (and the compiler's baseline vectors)
    Ssse3 = 1,     // 16-byte byte shuffles (pshufb)
    Avx2 = 2,      // 32-byte vectors and shuffles
    Avx512 = 3,    // 64-byte vectors with byte permutes and masked loads and stores (BW, VL, VBMI)
};

// The best set this machine and its operating system run, found once.
InstructionSet DetectedInstructionSet();

// The set kernels use: the detected one unless a test has forced another.
InstructionSet ActiveInstructionSet();

// Every set this machine runs, from Portable up to the detected one.
std::vector<InstructionSet> SupportedInstructionSets();

const char* InstructionSetName(InstructionSet set);

// Makes kernels use `set` (never more than the detected one, so forcing
// cannot execute instructions the machine lacks) until it goes out of
// scope. For tests and benchmarks; process-wide, not per thread.
class ForcedInstructionSet {
public:
    explicit ForcedInstructionSet(InstructionSet set);
    ~ForcedInstructionSet();
    ForcedInstructionSet(const ForcedInstructionSet&) = delete;
    ForcedInstructionSet& operator=(const ForcedInstructionSet&) = delete;

private:
    int m_previous;
};

// Bytes of the last-level cache, found once (0 when the system does not say).
std::size_t LastLevelCacheBytes();

// Whether a kernel whose buffers span `bytes` in all should write its output
// with streaming stores, past the caches: beyond half the last-level cache
// (which other cores share) the output would be evicted before the next
// filter reads it anyway, and a cached store first reads every line it
// overwrites. Never when the cache size is unknown.
bool StreamsPastCaches(std::size_t bytes);

// Makes StreamsPastCaches answer `stream` until it goes out of scope; for
// tests and benchmarks, process-wide.
class ForcedStreaming {
public:
    explicit ForcedStreaming(bool stream);
    ~ForcedStreaming();
    ForcedStreaming(const ForcedStreaming&) = delete;
    ForcedStreaming& operator=(const ForcedStreaming&) = delete;

private:
    int m_previous;
};
