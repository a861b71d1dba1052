#include "GhostRowsAvx512.h"

#if defined(__x86_64__)

#include <immintrin.h>

#define OSTREL_AVX512 __attribute__((target("avx512f,avx512bw,avx512vl,avx512vbmi")))

namespace {

// A strip: up to 64 consecutive groups of a row (192 bytes, three vectors),
// taken down a block of rows before the next strip is started.
constexpr std::size_t kStripGroups = 64;
// Rows are taken in blocks of about this many bytes, so a row written by one
// strip is still in the first-level cache when the next strip reads it.
constexpr std::size_t kBlockBytes = 16384;
constexpr __mmask64 kEvenBytes = 0x5555555555555555ull;
// (The unmasked permute leaves GCC 12 warning about its undefined filler.)
constexpr __mmask64 kAllBytes = ~__mmask64{0};

// Vectors are named rather than kept in arrays: the compiler keeps named
// members in registers across the row loop, arrays it may spill.
struct StripMask {
    __mmask64 m0, m1, m2;
};

// The bytes of vector `start` / 64 that lie inside a strip of `bytes`.
inline __mmask64 BytesFrom(std::size_t start, std::size_t bytes)
{
    const std::size_t inside = bytes > start ? (bytes - start < 64 ? bytes - start : 64) : 0;
    return inside == 64 ? ~__mmask64{0} : (__mmask64{1} << inside) - 1;
}

inline StripMask MaskFor(std::size_t groups)
{
    return {BytesFrom(0, 3 * groups), BytesFrom(64, 3 * groups), BytesFrom(128, 3 * groups)};
}

// The byte permutes of a strip. The first bytes of groups 0-31 and 32-63
// go to 16-bit lanes (odd bytes zeroed); the adds come back from the low
// bytes of those lanes, group g's to bytes 3g, 3g + 1 and 3g + 2.
struct StripPermutes {
    __m512i heads0, heads1, spread0, spread1, spread2;
};

OSTREL_AVX512 StripPermutes MakePermutes()
{
    alignas(64) std::uint8_t index[5][64];
    for (int b = 0; b < 64; ++b) {
        const int lane = b / 2;
        index[0][b] = static_cast<std::uint8_t>(3 * lane);       // bytes 0-93 of vectors 0 and 1
        index[1][b] = static_cast<std::uint8_t>(32 + 3 * lane);  // bytes 96-189: vectors 1 and 2
        const int g0 = b / 3, g1 = (64 + b) / 3, g2 = (128 + b) / 3;
        index[2][b] = static_cast<std::uint8_t>(2 * g0);
        index[3][b] = static_cast<std::uint8_t>(g1 < 32 ? 2 * g1 : 64 + 2 * (g1 - 32));
        index[4][b] = static_cast<std::uint8_t>(2 * (g2 - 32));
    }
    return {_mm512_load_si512(index[0]), _mm512_load_si512(index[1]), _mm512_load_si512(index[2]),
            _mm512_load_si512(index[3]), _mm512_load_si512(index[4])};
}

struct StripRow {
    __m512i v0, v1, v2;
};

OSTREL_AVX512 inline StripRow Load(const std::uint8_t* row, const StripMask& mask)
{
    return {_mm512_maskz_loadu_epi8(mask.m0, row), _mm512_maskz_loadu_epi8(mask.m1, row + 64),
            _mm512_maskz_loadu_epi8(mask.m2, row + 128)};
}

struct Heads {
    __m512i h0, h1;
};

OSTREL_AVX512 inline Heads HeadsOf(const StripRow& r, const StripPermutes& p)
{
    return {_mm512_maskz_permutex2var_epi8(kEvenBytes, r.v0, p.heads0, r.v1),
            _mm512_maskz_permutex2var_epi8(kEvenBytes, r.v1, p.heads1, r.v2)};
}

struct Ghosting {
    StripPermutes permutes;
    __m512i multiplier, full;
};

// One row of a strip, read as `in`: each group gains the add of the first
// byte `above` (the row before, already ghosted) holds; returns this row's
// first bytes.
OSTREL_AVX512 inline Heads AddRow(std::uint8_t* row, const StripRow& in, const StripMask& mask, const Heads& above,
                                  const Ghosting& g)
{
    const Heads own = HeadsOf(in, g.permutes);
    const __m512i add0 = _mm512_mulhi_epu16(above.h0, g.multiplier);
    const __m512i add1 = _mm512_mulhi_epu16(above.h1, g.multiplier);
    const __m512i spread0 = _mm512_maskz_permutexvar_epi8(kAllBytes, g.permutes.spread0, add0);
    const __m512i spread1 = _mm512_permutex2var_epi8(add0, g.permutes.spread1, add1);
    const __m512i spread2 = _mm512_maskz_permutexvar_epi8(kAllBytes, g.permutes.spread2, add1);
    _mm512_mask_storeu_epi8(row, mask.m0, _mm512_adds_epu8(in.v0, spread0));
    _mm512_mask_storeu_epi8(row + 64, mask.m1, _mm512_adds_epu8(in.v1, spread1));
    _mm512_mask_storeu_epi8(row + 128, mask.m2, _mm512_adds_epu8(in.v2, spread2));
    // The same sums for the first bytes alone, in their lanes: the next row
    // need not wait for the stores.
    return {_mm512_min_epu16(_mm512_add_epi16(own.h0, add0), g.full),
            _mm512_min_epu16(_mm512_add_epi16(own.h1, add1), g.full)};
}

} // namespace

OSTREL_AVX512 void AddGhostRowsAvx512(std::uint8_t* firstRow, std::ptrdiff_t stride, std::size_t rows,
                                      std::size_t rowGroups, std::uint16_t multiplier)
{
    const Ghosting ghosting{MakePermutes(), _mm512_set1_epi16(static_cast<short>(multiplier)), _mm512_set1_epi16(255)};
    const std::size_t strips = (rowGroups + kStripGroups - 1) / kStripGroups;
    // One strip runs down every row at once: its rows follow each other in memory.
    const std::size_t blockRows =
        strips == 1 ? rows : (kBlockBytes / (3 * rowGroups) > 0 ? kBlockBytes / (3 * rowGroups) : 1);
    const auto rowAt = [&](std::size_t r) { return firstRow + static_cast<std::ptrdiff_t>(r) * stride; };
    for (std::size_t first = 0; first < rows; first += blockRows) {
        const std::size_t end = first + blockRows < rows ? first + blockRows : rows;
        for (std::size_t s = 0; s < strips; ++s) {
            const std::size_t column = s * kStripGroups;
            const std::size_t groups = rowGroups - column < kStripGroups ? rowGroups - column : kStripGroups;
            const StripMask mask = MaskFor(groups);
            // The row above the block is final: its own strip finished it.
            Heads above = HeadsOf(Load(rowAt(first) - stride + 3 * column, mask), ghosting.permutes);
            // Each row is read before the one above it is written: the
            // masked stores span the start of the next row, and a load
            // behind such a store would wait until the store has gone out.
            StripRow in = Load(rowAt(first) + 3 * column, mask);
            for (std::size_t r = first; r < end; ++r) {
                const StripRow current = in;
                if (r + 1 < end) in = Load(rowAt(r + 1) + 3 * column, mask);
                above = AddRow(rowAt(r) + 3 * column, current, mask, above, ghosting);
            }
        }
    }
}

#else

void AddGhostRowsAvx512(std::uint8_t*, std::ptrdiff_t, std::size_t, std::size_t, std::uint16_t) {}

#endif
