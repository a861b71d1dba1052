// Instruction sets the pixel passes choose between at run time, so the
// module still runs on any x86-64 (and elsewhere, on its portable paths).
#pragma once

#if defined(__x86_64__) || defined(__i386__)
#define OSTREL_X86 1
#include <immintrin.h>
#else
#define OSTREL_X86 0
#endif

inline bool CpuHasSsse3()
{
#if OSTREL_X86
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
#else
    return false;
#endif
}
