#include "QuarterAverage.h"

#include "QuarterAverageSimd.h"

namespace {

struct FieldLayout {
    unsigned redShift, greenShift;
    std::uint16_t redMask, greenMask, blueMask;  // masks below their shift
};

constexpr FieldLayout kRgb565{11, 5, 0x1F, 0x3F, 0x1F};
constexpr FieldLayout kRgb555{10, 5, 0x1F, 0x1F, 0x1F};

std::uint16_t Word(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

unsigned Field(std::uint16_t word, unsigned shift, std::uint16_t mask) { return (word >> shift) & mask; }

unsigned FieldSum(const std::uint16_t (&words)[4], unsigned shift, std::uint16_t mask)
{
    return Field(words[0], shift, mask) + Field(words[1], shift, mask) + Field(words[2], shift, mask) +
           Field(words[3], shift, mask);
}

void AverageRgb24(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower, std::size_t outPixels)
{
    for (std::size_t x = 0; x < outPixels; ++x) {
        const std::size_t at = 6 * x;
        for (std::size_t c = 0; c < 3; ++c)
            out[3 * x + c] =
                static_cast<std::uint8_t>((upper[at + c] + upper[at + 3 + c] + lower[at + c] + lower[at + 3 + c]) >> 2);
    }
}

void AverageWords(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower, std::size_t outPixels,
                  const FieldLayout& layout)
{
    for (std::size_t x = 0; x < outPixels; ++x) {
        const std::size_t at = 4 * x;
        const std::uint16_t words[4] = {Word(upper + at), Word(upper + at + 2), Word(lower + at), Word(lower + at + 2)};
        const unsigned red = FieldSum(words, layout.redShift, layout.redMask) >> 2;
        const unsigned green = FieldSum(words, layout.greenShift, layout.greenMask) >> 2;
        const unsigned blue = FieldSum(words, 0, layout.blueMask) >> 2;
        const unsigned word = red << layout.redShift | green << layout.greenShift | blue;
        out[2 * x] = static_cast<std::uint8_t>(word);
        out[2 * x + 1] = static_cast<std::uint8_t>(word >> 8);
    }
}

} // namespace

void AverageRowPairReference(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                             std::size_t outPixels, QuadPixelFormat format)
{
    switch (format) {
    case QuadPixelFormat::Rgb24: AverageRgb24(out, upper, lower, outPixels); break;
    case QuadPixelFormat::Rgb565: AverageWords(out, upper, lower, outPixels, kRgb565); break;
    case QuadPixelFormat::Rgb555: AverageWords(out, upper, lower, outPixels, kRgb555); break;
    }
}

const std::vector<AverageKernel>& AvailableAverageKernels()
{
    static const std::vector<AverageKernel> kernels = [] {
        std::vector<AverageKernel> available{AverageKernel::Reference};
#if defined(OSTREL_QUAD_X86)
        __builtin_cpu_init();
        if (__builtin_cpu_supports("ssse3")) available.push_back(AverageKernel::Ssse3);
        if (__builtin_cpu_supports("avx2")) available.push_back(AverageKernel::Avx2);
        if (__builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vl") &&
            __builtin_cpu_supports("avx512vbmi"))
            available.push_back(AverageKernel::Avx512);
#endif
        return available;
    }();
    return kernels;
}

void AverageRowPairWith(AverageKernel kernel, std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                        std::size_t outPixels, QuadPixelFormat format)
{
    std::size_t done = 0;
#if defined(OSTREL_QUAD_X86)
    if (format == QuadPixelFormat::Rgb24 && kernel == AverageKernel::Avx512)
        done = AverageRgb24Avx512(out, upper, lower, outPixels);
    else if (format == QuadPixelFormat::Rgb24 && kernel == AverageKernel::Avx2)
        done = AverageRgb24Avx2(out, upper, lower, outPixels);
    else if (format == QuadPixelFormat::Rgb24 && kernel == AverageKernel::Ssse3)
        done = AverageRgb24Ssse3(out, upper, lower, outPixels);
    else if (format != QuadPixelFormat::Rgb24 && (kernel == AverageKernel::Avx2 || kernel == AverageKernel::Avx512))
        done = AverageWordsAvx2(out, upper, lower, outPixels, format == QuadPixelFormat::Rgb565);
#else
    (void)kernel;
#endif
    const unsigned bytesPerPixel = BytesPerPixel(format);
    AverageRowPairReference(out + done * bytesPerPixel, upper + 2 * done * bytesPerPixel,
                            lower + 2 * done * bytesPerPixel, outPixels - done, format);
}

void AverageRowPair(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower, std::size_t outPixels,
                    QuadPixelFormat format)
{
    static const AverageKernel fastest = AvailableAverageKernels().back();
    AverageRowPairWith(fastest, out, upper, lower, outPixels, format);
}
