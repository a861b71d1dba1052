#include "GhostRun.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <tmmintrin.h>
#define OSTREL_GHOST_SSSE3 1
#endif

namespace {

inline std::uint8_t AddHeld(std::uint8_t byte, unsigned add)
{
    const unsigned sum = byte + add;
    return static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
}

void AddGhostRunBytewise(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                         const GhostTable& table)
{
    for (std::size_t i = 0; i < groups; ++i) {
        // Read before writing: with destination == source the group adds its own original byte.
        const unsigned add = table.add[source[3 * i]];
        std::uint8_t* d = destination + 3 * i;
        d[0] = AddHeld(d[0], add);
        d[1] = AddHeld(d[1], add);
        d[2] = AddHeld(d[2], add);
    }
}

// The multiplier range that reproduces every entry: b × m must lie in
// [t × 65536, (t + 1) × 65536) for each byte b with entry t.
void FindMultiplier(GhostTable& table)
{
    std::uint32_t low = 0, high = 65535;
    for (std::uint32_t b = 1; b < 256; ++b) {
        const std::uint32_t t = table.add[b];
        low = std::max(low, (t * 65536 + b - 1) / b);
        high = std::min(high, ((t + 1) * 65536 - 1) / b);
    }
    table.exactMultiplier = table.add[0] == 0 && low <= high;
    table.multiplier = static_cast<std::uint16_t>(table.exactMultiplier ? low : 0);
}

#if OSTREL_GHOST_SSSE3

constexpr std::size_t kUnitGroups = 16;  // 48 bytes, three blocks

// What the heads of one window add, spread over the bytes of one output block.
__attribute__((target("ssse3"))) inline __m128i WindowAdds(__m128i window, __m128i heads, __m128i multiplier,
                                                            __m128i spread)
{
    return _mm_shuffle_epi8(_mm_mulhi_epu16(_mm_shuffle_epi8(window, heads), multiplier), spread);
}

// 16 groups at a time. Each output block takes its heads (first bytes) from
// a 16-byte window that starts on a group: the heads sit at 0, 3, ... 15 of
// every window, are spread into 16-bit lanes, multiplied, and the results
// spread back over the three bytes of their groups.
__attribute__((target("ssse3"))) void AddGhostRunSsse3(std::uint8_t* destination, const std::uint8_t* source,
                                                       std::size_t groups, const GhostTable& table)
{
    const __m128i heads = _mm_setr_epi8(0, -1, 3, -1, 6, -1, 9, -1, 12, -1, 15, -1, -1, -1, -1, -1);
    // Output byte j of block k takes lane (j + 16k - window start) / 3 of its window.
    const __m128i spread0 = _mm_setr_epi8(0, 0, 0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10);
    const __m128i spread1 = _mm_setr_epi8(0, 0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10, 10);
    const __m128i spread2 = _mm_setr_epi8(0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10, 10, 10);
    const __m128i multiplier = _mm_set1_epi16(static_cast<short>(table.multiplier));
    std::size_t done = 0;
    for (; done + kUnitGroups <= groups; done += kUnitGroups) {
        const std::uint8_t* s = source + 3 * done;
        std::uint8_t* d = destination + 3 * done;
        // All windows are read before any block is written: with source ==
        // destination block 0 ends on the head of the next window.
        const __m128i w0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s));
        const __m128i w1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 15));
        const __m128i w2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + 30));
        __m128i* out = reinterpret_cast<__m128i*>(d);
        _mm_storeu_si128(out, _mm_adds_epu8(_mm_loadu_si128(out), WindowAdds(w0, heads, multiplier, spread0)));
        _mm_storeu_si128(out + 1, _mm_adds_epu8(_mm_loadu_si128(out + 1), WindowAdds(w1, heads, multiplier, spread1)));
        _mm_storeu_si128(out + 2, _mm_adds_epu8(_mm_loadu_si128(out + 2), WindowAdds(w2, heads, multiplier, spread2)));
    }
    AddGhostRunBytewise(destination + 3 * done, source + 3 * done, groups - done, table);
}

bool HasSsse3()
{
    static const bool has = __builtin_cpu_supports("ssse3");
    return has;
}

#endif

} // namespace

GhostTable::GhostTable(std::int32_t strength)
{
    const float factor = static_cast<float>(std::clamp<std::int32_t>(strength, 0, 100) * 0.002);
    for (int b = 0; b < 256; ++b) add[b] = static_cast<std::uint8_t>(static_cast<int>(static_cast<float>(b) * factor));
    FindMultiplier(*this);
}

void AddGhostRun(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups, const GhostTable& table)
{
#if OSTREL_GHOST_SSSE3
    if (table.exactMultiplier && HasSsse3()) {
        AddGhostRunSsse3(destination, source, groups, table);
        return;
    }
#endif
    AddGhostRunBytewise(destination, source, groups, table);
}
