#include "EvenPixelRow.h"

#include "CpuDispatch.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

// Row kernels: `count` output pixels from input pixels 0, 2, 4, …, where
// the input holds `available` whole pixels (at least 2 × count − 1).
using RowKernel = void (*)(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available,
                           bool stream);

void EvenPixelsReference24(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) std::memcpy(out + 3 * i, in + 6 * i, 3);
}

void EvenPixelsReference16(std::uint8_t* out, const std::uint8_t* in, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i) std::memcpy(out + 2 * i, in + 4 * i, 2);
}

void EvenPixelsPortable24(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t, bool)
{
    EvenPixelsReference24(out, in, count);
}

void EvenPixelsPortable16(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t, bool)
{
    EvenPixelsReference16(out, in, count);
}

#if defined(__x86_64__)
// Output pixels per vector step and the input pixels a step may read.
constexpr std::size_t kStep = 16;
constexpr std::size_t kStepInput = 2 * kStep;

// RGB24: output byte j of a step is input byte 6 (j / 3) + j % 3. Output
// block k (bytes 16k to 16k + 15) draws on 31 input bytes from that of its
// first byte, so two 16-byte loads and two shuffles make each block.
constexpr std::size_t SourceByte(std::size_t j) { return 6 * (j / 3) + j % 3; }
constexpr std::size_t BlockBase(std::size_t block) { return SourceByte(16 * block); }

// The shuffle mask taking block `block`'s bytes from its load `load` (0 at
// the block's base, 1 sixteen bytes on); -1 gives 0.
constexpr std::array<char, 16> BlockMask(std::size_t block, std::size_t load)
{
    std::array<char, 16> mask{};
    for (std::size_t j = 0; j < 16; ++j) {
        const std::size_t at = SourceByte(16 * block + j) - BlockBase(block) - 16 * load;
        mask[j] = at < 16 ? static_cast<char>(at) : char{-1};
    }
    return mask;
}

template <std::size_t Block, std::size_t Load>
__attribute__((target("ssse3"))) __m128i Mask()
{
    static constexpr std::array<char, 16> mask = BlockMask(Block, Load);
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data()));
}

__attribute__((target("ssse3"))) __m128i Gather(const std::uint8_t* at, __m128i first, __m128i second)
{
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16));
    return _mm_or_si128(_mm_shuffle_epi8(a, first), _mm_shuffle_epi8(b, second));
}

// Whole output blocks go to 16-byte aligned addresses: a cached store then
// never splits a line, and a streaming one needs it. The pixels before
// the first aligned one (at most 15, since 3 and 16 share no factor) come
// from the reference.
__attribute__((target("ssse3"))) void EvenPixelsSsse324(std::uint8_t* out, const std::uint8_t* in, std::size_t count,
                                                         std::size_t available, bool stream)
{
    std::size_t i = 0;
    while (i < count && reinterpret_cast<std::uintptr_t>(out + 3 * i) % 16 != 0) ++i;
    if (i + kStep > count || 2 * i + kStepInput > available) {
        EvenPixelsReference24(out, in, count);
        return;
    }
    EvenPixelsReference24(out, in, i);
    const __m128i m00 = Mask<0, 0>(), m01 = Mask<0, 1>();
    const __m128i m10 = Mask<1, 0>(), m11 = Mask<1, 1>();
    const __m128i m20 = Mask<2, 0>(), m21 = Mask<2, 1>();
    for (; i + kStep <= count && 2 * i + kStepInput <= available; i += kStep) {
        const std::uint8_t* from = in + 6 * i;
        auto* to = reinterpret_cast<__m128i*>(out + 3 * i);
        const __m128i first = Gather(from + BlockBase(0), m00, m01);
        const __m128i second = Gather(from + BlockBase(1), m10, m11);
        const __m128i third = Gather(from + BlockBase(2), m20, m21);
        if (stream) {
            _mm_stream_si128(to, first);
            _mm_stream_si128(to + 1, second);
            _mm_stream_si128(to + 2, third);
        } else {
            _mm_store_si128(to, first);
            _mm_store_si128(to + 1, second);
            _mm_store_si128(to + 2, third);
        }
    }
    EvenPixelsReference24(out + 3 * i, in + 6 * i, count - i);
}

// RGB555: the low half of each 32-bit pair, sign-extended so the signed
// pack keeps it unchanged; 16 input pixels make 8. Streams only where the
// output can be aligned, which takes an even address.
void EvenPixelsSse16(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available, bool stream)
{
    std::size_t i = 0;
    const bool even = reinterpret_cast<std::uintptr_t>(out) % 2 == 0;
    while (even && i < count && reinterpret_cast<std::uintptr_t>(out + 2 * i) % 16 != 0) ++i;
    EvenPixelsReference16(out, in, std::min(i, count));
    stream = stream && even;
    for (; i + 8 <= count && 2 * (i + 8) <= available; i += 8) {
        const std::uint8_t* from = in + 4 * i;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
        const __m128i lowA = _mm_srai_epi32(_mm_slli_epi32(a, 16), 16);
        const __m128i lowB = _mm_srai_epi32(_mm_slli_epi32(b, 16), 16);
        const __m128i packed = _mm_packs_epi32(lowA, lowB);
        auto* to = reinterpret_cast<__m128i*>(out + 2 * i);
        if (stream)
            _mm_stream_si128(to, packed);
        else
            _mm_storeu_si128(to, packed);
    }
    if (i < count) EvenPixelsReference16(out + 2 * i, in + 4 * i, count - i);
}
#endif

RowKernel KernelFor(unsigned bytesPerPixel)
{
    const bool wide = bytesPerPixel == 3;
#if defined(__x86_64__)
    // The 16-bit kernel needs only SSE2, part of every x86-64.
    if (!wide) return EvenPixelsSse16;
    if (ActiveInstructionSet() >= InstructionSet::Ssse3) return EvenPixelsSsse324;
#endif
    return wide ? EvenPixelsPortable24 : EvenPixelsPortable16;
}

} // namespace

void CopyEvenPixels(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available,
                    unsigned bytesPerPixel, bool stream)
{
    if (bytesPerPixel != 2 && bytesPerPixel != 3) return;
    KernelFor(bytesPerPixel)(out, in, count, available, stream);
}

void FinishStreamingStores(bool streamed)
{
#if defined(__x86_64__)
    // Streaming stores are weakly ordered: the frame must be complete for
    // whichever thread reads it after the caller's lock.
    if (streamed) _mm_sfence();
#else
    (void)streamed;
#endif
}
