// Run-time choice of the instruction set for pixel kernels that have faster
// versions for newer x86-64 processors. The modules are built for baseline
// x86-64 (or any other target); a kernel asks which set to use and falls
// back to its portable version where a faster one is missing. Tests force
// each set in turn so that every version is checked on the machine at hand.
#pragma once

#include <vector>

// Ordered: a machine that runs one set runs every set before it too.
enum class InstructionSet : int {
    Portable = 0,  // plain C++ (and the compiler's baseline vectors)
    Ssse3 = 1,     // 16-byte byte shuffles (pshufb)
    Avx2 = 2,      // 32-byte vectors and shuffles
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
