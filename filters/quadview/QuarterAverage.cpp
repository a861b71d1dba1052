#include "QuarterAverage.h"

#include "QuarterAverageSimd.h"

#include "CpuDispatch.h"

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

namespace {

// The output pixels the vector form of `set` wrote, from the row's start.
std::size_t AverageVectorised(InstructionSet set, std::uint8_t* out, const std::uint8_t* upper,
                              const std::uint8_t* lower, std::size_t outPixels, QuadPixelFormat format)
{
#if defined(OSTREL_QUAD_X86)
    if (format == QuadPixelFormat::Rgb24) {
        if (set >= InstructionSet::Avx512) return AverageRgb24Avx512(out, upper, lower, outPixels);
        if (set >= InstructionSet::Avx2) return AverageRgb24Avx2(out, upper, lower, outPixels);
        if (set >= InstructionSet::Ssse3) return AverageRgb24Ssse3(out, upper, lower, outPixels);
        return 0;
    }
    if (set >= InstructionSet::Avx2)
        return AverageWordsAvx2(out, upper, lower, outPixels, format == QuadPixelFormat::Rgb565);
#else
    (void)set, (void)out, (void)upper, (void)lower, (void)outPixels, (void)format;
#endif
    return 0;
}

} // namespace

void AverageRowPair(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower, std::size_t outPixels,
                    QuadPixelFormat format)
{
    const std::size_t done = AverageVectorised(ActiveInstructionSet(), out, upper, lower, outPixels, format);
    const unsigned bytesPerPixel = BytesPerPixel(format);
    AverageRowPairReference(out + done * bytesPerPixel, upper + 2 * done * bytesPerPixel,
                            lower + 2 * done * bytesPerPixel, outPixels - done, format);
}
