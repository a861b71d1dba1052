#include "rgb555pixels.h"

#include "CpuDispatch.h"

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

constexpr std::uint8_t Widen5(unsigned v) { return static_cast<std::uint8_t>((v << 3) | (v >> 2)); }

void WidenOne(std::uint8_t* out, const std::uint8_t* in)
{
    const unsigned v = unsigned{in[0]} | unsigned{in[1]} << 8;
    out[0] = Widen5(v & 31);
    out[1] = Widen5((v >> 5) & 31);
    out[2] = Widen5((v >> 10) & 31);
}

void NarrowOne(std::uint8_t* out, const std::uint8_t* in)
{
    const unsigned v = unsigned{in[0]} >> 3 | (unsigned{in[1]} >> 3) << 5 | (unsigned{in[2]} >> 3) << 10;
    out[0] = static_cast<std::uint8_t>(v);
    out[1] = static_cast<std::uint8_t>(v >> 8);
}

// Input pixels `step` apart (1, or 2 for the even ones).
void WidenPlain(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t step)
{
    for (std::size_t i = 0; i < count; ++i) WidenOne(out + 3 * i, in + 2 * step * i);
}

void NarrowPlain(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) NarrowOne(out + 2 * i, in + 3 * i);
}

#if defined(__x86_64__)
bool HasShuffles() { return ActiveInstructionSet() >= InstructionSet::Ssse3; }

// Four 0RGB lanes stored as 12 bytes; the 4 bytes after them are written
// too, with whatever the next store puts there.
__attribute__((target("ssse3"))) void StoreFourPixels(std::uint8_t* out, __m128i lanes)
{
    const __m128i pack = _mm_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_shuffle_epi8(lanes, pack));
}

// Five bits widened to eight in each 16-bit lane.
__m128i WidenFive(__m128i c) { return _mm_or_si128(_mm_slli_epi16(c, 3), _mm_srli_epi16(c, 2)); }

// Eight RGB555 values, widened in their 16-bit lanes, stored as 24 bytes
// and 4 more.
__attribute__((target("ssse3"))) void StoreEightPixels(std::uint8_t* out, __m128i v)
{
    const __m128i five = _mm_set1_epi16(31);
    const __m128i b = WidenFive(_mm_and_si128(v, five));
    const __m128i g = WidenFive(_mm_and_si128(_mm_srli_epi16(v, 5), five));
    const __m128i r = WidenFive(_mm_and_si128(_mm_srli_epi16(v, 10), five));
    const __m128i blueGreen = _mm_or_si128(b, _mm_slli_epi16(g, 8));
    StoreFourPixels(out, _mm_unpacklo_epi16(blueGreen, r));
    StoreFourPixels(out + 12, _mm_unpackhi_epi16(blueGreen, r));
}

// Eight pixels a step from a 16-byte load; the last store reaches 4 bytes
// past the step's 24, so the vector steps stop 2 pixels short of the end.
__attribute__((target("ssse3"))) void WidenSsse3(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 10 <= count; i += 8)
        StoreEightPixels(out + 3 * i, _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + 2 * i)));
    WidenPlain(out + 3 * i, in + 2 * i, count - i, 1);
}

// The low halves of the 32-bit lanes, sign-extended so that the signed pack
// keeps them as they are.
__m128i LowHalves(const std::uint8_t* at)
{
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    return _mm_srai_epi32(_mm_slli_epi32(v, 16), 16);
}

// Eight pixels a step from the even ones of sixteen: the loads reach pixel
// 2i + 15 (the input holds 2 × count − 1) and the store 4 bytes past pixel
// i + 7.
__attribute__((target("ssse3"))) void WidenEvenSsse3(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 10 <= count; i += 8)
        StoreEightPixels(out + 3 * i, _mm_packs_epi32(LowHalves(in + 4 * i), LowHalves(in + 4 * i + 16)));
    WidenPlain(out + 3 * i, in + 4 * i, count - i, 2);
}

// Four 24-bit pixels from the first 12 of 16 bytes, narrowed into the low
// halves of 32-bit lanes.
__attribute__((target("ssse3"))) __m128i NarrowFourPixels(const std::uint8_t* at)
{
    const __m128i spread = _mm_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    const __m128i x = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(at)), spread);
    const __m128i b = _mm_and_si128(_mm_srli_epi32(x, 3), _mm_set1_epi32(0x1F));
    const __m128i g = _mm_and_si128(_mm_srli_epi32(x, 6), _mm_set1_epi32(0x3E0));
    const __m128i r = _mm_and_si128(_mm_srli_epi32(x, 9), _mm_set1_epi32(0x7C00));
    return _mm_or_si128(b, _mm_or_si128(g, r));
}

// Eight pixels a step from two 16-byte loads 12 bytes apart, the second
// reaching 4 bytes past the step's 24.
__attribute__((target("ssse3"))) void NarrowSsse3(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    std::size_t i = 0;
    for (; i + 10 <= count; i += 8) {
        // Every lane is below 0x8000, so the signed pack keeps it.
        const __m128i packed = _mm_packs_epi32(NarrowFourPixels(in + 3 * i), NarrowFourPixels(in + 3 * i + 12));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), packed);
    }
    NarrowPlain(out + 2 * i, in + 3 * i, count - i);
}
#endif

} // namespace

void WidenRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
#if defined(__x86_64__)
    if (HasShuffles()) return WidenSsse3(out, in, count);
#endif
    WidenPlain(out, in, count, 1);
}

void WidenEvenRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
#if defined(__x86_64__)
    if (HasShuffles()) return WidenEvenSsse3(out, in, count);
#endif
    WidenPlain(out, in, count, 2);
}

void NarrowToRgb555(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
#if defined(__x86_64__)
    if (HasShuffles()) return NarrowSsse3(out, in, count);
#endif
    NarrowPlain(out, in, count);
}
