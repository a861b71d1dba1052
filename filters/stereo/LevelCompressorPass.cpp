#include "LevelCompressorPass.h"

#include "CpuFeatures.h"

#include <algorithm>
#include <cstring>

namespace {

// Row kernels: `count` output pixels from input pixels 0, 2, 4, …, where
// the input holds `available` whole pixels (at least 2 × count − 1).
using RowKernel = void (*)(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available);

void EvenPixelsReference24(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t)
{
    for (std::size_t i = 0; i < count; ++i) std::memcpy(out + 3 * i, in + 6 * i, 3);
}

void EvenPixelsReference16(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t)
{
    for (std::size_t i = 0; i < count; ++i) std::memcpy(out + 2 * i, in + 4 * i, 2);
}

#if OSTREL_X86
// 16 input pixels (48 bytes, three blocks) give 8 output pixels (24 bytes):
// each output block gathers its bytes from two input blocks.
__attribute__((target("ssse3"))) void EvenPixelsSse24(std::uint8_t* out, const std::uint8_t* in, std::size_t count,
                                                       std::size_t available)
{
    const __m128i fromA0 = _mm_setr_epi8(0, 1, 2, 6, 7, 8, 12, 13, 14, -1, -1, -1, -1, -1, -1, -1);
    const __m128i fromB0 = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, 2, 3, 4, 8, 9, 10, 14);
    const __m128i fromB1 = _mm_setr_epi8(15, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
    const __m128i fromC1 = _mm_setr_epi8(-1, 0, 4, 5, 6, 10, 11, 12, -1, -1, -1, -1, -1, -1, -1, -1);
    std::size_t i = 0;
    for (; i + 8 <= count && 2 * (i + 8) <= available; i += 8) {
        const std::uint8_t* from = in + 6 * i;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 32));
        const __m128i first = _mm_or_si128(_mm_shuffle_epi8(a, fromA0), _mm_shuffle_epi8(b, fromB0));
        const __m128i second = _mm_or_si128(_mm_shuffle_epi8(b, fromB1), _mm_shuffle_epi8(c, fromC1));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 3 * i), first);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out + 3 * i + 16), second);
    }
    EvenPixelsReference24(out + 3 * i, in + 6 * i, count - i, 0);
}

// 16 input pixels (two blocks) give 8: the low half of each 32-bit pair,
// sign-extended so the signed pack keeps it unchanged.
void EvenPixelsSse16(std::uint8_t* out, const std::uint8_t* in, std::size_t count, std::size_t available)
{
    std::size_t i = 0;
    for (; i + 8 <= count && 2 * (i + 8) <= available; i += 8) {
        const std::uint8_t* from = in + 4 * i;
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + 16));
        const __m128i lowA = _mm_srai_epi32(_mm_slli_epi32(a, 16), 16);
        const __m128i lowB = _mm_srai_epi32(_mm_slli_epi32(b, 16), 16);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * i), _mm_packs_epi32(lowA, lowB));
    }
    EvenPixelsReference16(out + 2 * i, in + 4 * i, count - i, 0);
}
#endif

RowKernel KernelFor(unsigned bytesPerPixel, CompressPath path)
{
    const bool wide = bytesPerPixel == 3;
#if OSTREL_X86
    if (path != CompressPath::Reference && (path == CompressPath::Sse || CpuHasSsse3()))
        return wide ? EvenPixelsSse24 : EvenPixelsSse16;
#else
    (void)path;
#endif
    return wide ? EvenPixelsReference24 : EvenPixelsReference16;
}

} // namespace

bool CompressPathAvailable(CompressPath path)
{
#if OSTREL_X86
    return path != CompressPath::Sse || CpuHasSsse3();
#else
    return path != CompressPath::Sse;
#endif
}

void CompressIntoHalf(std::uint8_t* frame, std::size_t frameBytes, const std::uint8_t* picture,
                      std::size_t pictureBytes, std::size_t width, unsigned bytesPerPixel, FrameHalf half,
                      CompressPath path)
{
    if ((bytesPerPixel != 2 && bytesPerPixel != 3) || width < 2 || !CompressPathAvailable(path)) return;
    const RowKernel kernel = KernelFor(bytesPerPixel, path);
    const std::size_t rowBytes = width * bytesPerPixel;
    const std::size_t halfWidth = width / 2;
    const std::size_t offset = half == FrameHalf::Right ? halfWidth * bytesPerPixel : 0;
    for (std::size_t row = 0; row * rowBytes < pictureBytes && row * rowBytes + offset < frameBytes; ++row) {
        const std::size_t available = std::min(width, (pictureBytes - row * rowBytes) / bytesPerPixel);
        const std::size_t room = (frameBytes - row * rowBytes - offset) / bytesPerPixel;
        const std::size_t count = std::min({halfWidth, (available + 1) / 2, room});
        kernel(frame + row * rowBytes + offset, picture + row * rowBytes, count, available);
    }
}
