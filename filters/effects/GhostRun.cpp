#include "GhostRun.h"

#include "CpuDispatch.h"
#include "GhostRowsAvx512.h"

#include <algorithm>
#include <cstddef>

#if defined(__x86_64__)
#include <tmmintrin.h>
#define OSTREL_GHOST_SSSE3 1
#endif

namespace {

inline std::uint8_t AddHeld(std::uint8_t byte, unsigned add)
{
    const unsigned sum = byte + add;
    return static_cast<std::uint8_t>(sum > 255 ? 255 : sum);
}

// Reads before writing: with destination == source the group adds its own original byte.
inline void AddGroup(std::uint8_t* destination, const std::uint8_t* source, const GhostTable& table)
{
    const unsigned add = table.add[source[0]];
    destination[0] = AddHeld(destination[0], add);
    destination[1] = AddHeld(destination[1], add);
    destination[2] = AddHeld(destination[2], add);
}

void AddGroupsUpwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                      const GhostTable& table)
{
    for (std::size_t i = 0; i < groups; ++i) AddGroup(destination + 3 * i, source + 3 * i, table);
}

void AddGroupsDownwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                        const GhostTable& table)
{
    for (std::size_t i = groups; i-- > 0;) AddGroup(destination + 3 * i, source + 3 * i, table);
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

// A unit of groups handled at once: its sources must not lie among the
// destinations of the same unit, so runs whose source and destination are
// closer (but not the same) go group by group.
constexpr std::size_t kUnitGroups = 16;  // 48 bytes, three 16-byte blocks

bool UnitsFit(const std::uint8_t* destination, const std::uint8_t* source, const GhostTable& table)
{
    const std::size_t distance = static_cast<std::size_t>(destination > source ? destination - source
                                                                                : source - destination);
    return table.exactMultiplier && (distance == 0 || distance >= 3 * kUnitGroups);
}

#if OSTREL_GHOST_SSSE3

bool HasSsse3() { return ActiveInstructionSet() >= InstructionSet::Ssse3; }

// 16 groups at a time. Each output block takes its heads (first bytes) from
// a 16-byte window that starts on a group: the heads sit at 0, 3, ... 15 of
// every window, are spread into 16-bit lanes, multiplied, and the results
// spread back over the three bytes of their groups.
struct GhostUnitSsse3 {
    __m128i heads, spread0, spread1, spread2, multiplier;

    __attribute__((target("ssse3"))) __m128i Adds(__m128i window, __m128i spread) const
    {
        return _mm_shuffle_epi8(_mm_mulhi_epu16(_mm_shuffle_epi8(window, heads), multiplier), spread);
    }

    // All windows are read before any block is written: with source ==
    // destination block 0 ends on the head of the next window.
    __attribute__((target("ssse3"))) void Add(std::uint8_t* destination, const std::uint8_t* source) const
    {
        Add(destination, _mm_loadu_si128(reinterpret_cast<const __m128i*>(source)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 15)),
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 30)));
    }

    __attribute__((target("ssse3"))) void Add(std::uint8_t* destination, __m128i w0, __m128i w1, __m128i w2) const
    {
        __m128i* out = reinterpret_cast<__m128i*>(destination);
        _mm_storeu_si128(out, _mm_adds_epu8(_mm_loadu_si128(out), Adds(w0, spread0)));
        _mm_storeu_si128(out + 1, _mm_adds_epu8(_mm_loadu_si128(out + 1), Adds(w1, spread1)));
        _mm_storeu_si128(out + 2, _mm_adds_epu8(_mm_loadu_si128(out + 2), Adds(w2, spread2)));
    }
};

__attribute__((target("ssse3"))) GhostUnitSsse3 MakeUnit(const GhostTable& table)
{
    // Output byte j of block k takes lane (j + 16k - window start) / 3 of its window.
    return {_mm_setr_epi8(0, -1, 3, -1, 6, -1, 9, -1, 12, -1, 15, -1, -1, -1, -1, -1),
            _mm_setr_epi8(0, 0, 0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10),
            _mm_setr_epi8(0, 0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10, 10),
            _mm_setr_epi8(0, 2, 2, 2, 4, 4, 4, 6, 6, 6, 8, 8, 8, 10, 10, 10),
            _mm_set1_epi16(static_cast<short>(table.multiplier))};
}

// The windows of units whose sources this run wrote a few units before.
// Those bytes went out as whole 16-byte blocks on the destination's grid; a
// window read across two of them would wait until both reached the cache,
// while reading the same blocks and joining them in registers lets the
// stores be forwarded. Window k starts `Within` + 15k bytes into a block of
// the grid (taken mod 16), the same for the whole run.
template <int Within>
struct GhostWindowsSsse3 {
    static constexpr int kWithin[3] = {Within, (Within + 15) % 16, (Within + 30) % 16};
    std::ptrdiff_t blockOffset[3];  // where window k's first block starts, from the unit's destination

    explicit GhostWindowsSsse3(std::ptrdiff_t shift)
    {
        for (int k = 0; k < 3; ++k) blockOffset[k] = shift + 15 * k - kWithin[k];
    }

    // The blocks of all three windows lie inside the run's destination.
    bool Cover(std::ptrdiff_t unitOffset, std::ptrdiff_t runBytes) const
    {
        return unitOffset + blockOffset[0] >= 0 && unitOffset + blockOffset[2] + 32 <= runBytes;
    }

    // The shift is a template argument: the instruction takes it as an immediate.
    template <int K, int Shift = kWithin[K]>
    __attribute__((target("ssse3"))) __m128i Read(const std::uint8_t* destination) const
    {
        const auto* first = reinterpret_cast<const __m128i*>(destination + blockOffset[K]);
        return _mm_alignr_epi8(_mm_loadu_si128(first + 1), _mm_loadu_si128(first), Shift);
    }
};

// The units of a run in the order they are taken, upwards or downwards.
template <bool Upwards>
struct UnitOrder {
    std::size_t groups;
    std::ptrdiff_t Offset(std::size_t i) const
    {
        return static_cast<std::ptrdiff_t>(3 * (Upwards ? i * kUnitGroups : groups - (i + 1) * kUnitGroups));
    }
};

// `shift` is source - destination in bytes. The units whose windows lie in
// blocks this run wrote form one stretch of the order; the units before and
// after it read their sources directly.
template <int Within, bool Upwards>
__attribute__((target("ssse3"))) std::size_t AddUnits(std::uint8_t* destination, const std::uint8_t* source,
                                                      std::size_t groups, const GhostTable& table)
{
    const GhostUnitSsse3 unit = MakeUnit(table);
    const GhostWindowsSsse3<Within> windows(source - destination);
    const auto runBytes = static_cast<std::ptrdiff_t>(3 * groups);
    const UnitOrder<Upwards> order{groups};
    const std::size_t units = groups / kUnitGroups;
    const auto direct = [&](std::size_t i) { unit.Add(destination + order.Offset(i), source + order.Offset(i)); };
    std::size_t i = 0;
    if (source != destination) {
        for (; i < units && !windows.Cover(order.Offset(i), runBytes); ++i) direct(i);
        for (; i < units && windows.Cover(order.Offset(i), runBytes); ++i) {
            std::uint8_t* out = destination + order.Offset(i);
            unit.Add(out, windows.template Read<0>(out), windows.template Read<1>(out), windows.template Read<2>(out));
        }
    }
    for (; i < units; ++i) direct(i);
    return units * kUnitGroups;
}

using AddUnitsFunction = std::size_t (*)(std::uint8_t*, const std::uint8_t*, std::size_t, const GhostTable&);

template <bool Upwards, int... Within>
constexpr AddUnitsFunction kAddUnitsByWithin[] = {&AddUnits<Within, Upwards>...};

// The groups done, from the bottom upwards or from the top downwards.
template <bool Upwards>
std::size_t AddUnitsFor(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                        const GhostTable& table)
{
    constexpr const AddUnitsFunction* kByWithin =
        kAddUnitsByWithin<Upwards, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15>;
    const std::ptrdiff_t shift = source - destination;
    return kByWithin[((shift % 16) + 16) % 16](destination, source, groups, table);
}

#endif

// Runs whose source lies k groups from the destination, taken as rows of k
// groups with 64-byte vectors; the groups done. `stride` is the step from a
// row to the next in the order of the pass.
std::size_t AddRowsFor(std::uint8_t* firstRow, std::ptrdiff_t stride, std::size_t groups, const GhostTable& table)
{
#if defined(__x86_64__)
    if (!table.exactMultiplier || ActiveInstructionSet() < InstructionSet::Avx512) return 0;
    const std::size_t rowGroups = static_cast<std::size_t>(stride < 0 ? -stride : stride) / 3;
    const std::size_t rows = groups / rowGroups;
    AddGhostRowsAvx512(firstRow, stride, rows, rowGroups, table.multiplier);
    return rows * rowGroups;
#else
    (void)firstRow, (void)stride, (void)groups, (void)table;
    return 0;
#endif
}

} // namespace

GhostTable::GhostTable(std::int32_t strength)
{
    const float factor = static_cast<float>(std::clamp<std::int32_t>(strength, 0, 100) * 0.002);
    for (int b = 0; b < 256; ++b) add[b] = static_cast<std::uint8_t>(static_cast<int>(static_cast<float>(b) * factor));
    FindMultiplier(*this);
}

void AddGhostUpwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                     const GhostTable& table)
{
    std::size_t done = 0;
    // Row by row, the destination's rows following each other upwards.
    if (destination != source) done = AddRowsFor(destination, destination - source, groups, table);
#if OSTREL_GHOST_SSSE3
    if (done == 0 && UnitsFit(destination, source, table) && HasSsse3())
        done = AddUnitsFor<true>(destination, source, groups, table);
#endif
    AddGroupsUpwards(destination + 3 * done, source + 3 * done, groups - done, table);
}

void AddGhostDownwards(std::uint8_t* destination, const std::uint8_t* source, std::size_t groups,
                       const GhostTable& table)
{
    std::size_t left = groups;
    // Row by row from the top: the last row of the destination comes first.
    if (groups > 0 && destination != source) {
        const std::ptrdiff_t stride = destination - source;  // negative
        const auto rowBytes = static_cast<std::size_t>(-stride);
        if (3 * groups >= rowBytes) left -= AddRowsFor(destination + 3 * groups - rowBytes, stride, groups, table);
    }
#if OSTREL_GHOST_SSSE3
    if (left == groups && UnitsFit(destination, source, table) && HasSsse3())
        left -= AddUnitsFor<false>(destination, source, groups, table);
#endif
    AddGroupsDownwards(destination, source, left, table);
}
