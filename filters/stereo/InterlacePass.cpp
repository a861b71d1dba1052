#include "InterlacePass.h"

#include "CpuDispatch.h"
#include "InterlaceRgb24Shuffle.h"

#include <cstring>

namespace {

// The left half of the row is copied aside first, because the output
// overwrites it at twice the speed it is read. The right half is read in
// place: its pixel h+j is read for pair j and overwritten by pair (h+j)/2,
// never earlier since j < h. Pairs go in increasing order, in blocks that
// load all their pixels before they store and write only their own pairs,
// so no block reads a pixel an earlier block has overwritten.

// The right pixel goes by memmove: in the last pair it is its own target.
void InterleavePair(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out, std::size_t j,
                    unsigned bytesPerPixel)
{
    std::memcpy(out + 2 * j * bytesPerPixel, left + j * bytesPerPixel, bytesPerPixel);
    std::memmove(out + (2 * j + 1) * bytesPerPixel, right + j * bytesPerPixel, bytesPerPixel);
}

void InterleaveRgb24Scalar(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out, std::size_t pairs)
{
    if (pairs == 0) return;
    // Each pair is one 8-byte store of which 6 bytes count; the next pair
    // overwrites the other 2 (never an unread right pixel: that would need
    // 2j+2 >= h+j+1, only the last pair), so the last pair is written exactly.
    for (std::size_t j = 0; j + 1 < pairs; ++j) {
        std::uint32_t l, r;
        std::memcpy(&l, left + 3 * j, 4);
        std::memcpy(&r, right + 3 * j, 4);
        const std::uint64_t pair = (l & 0xFFFFFFu) | (static_cast<std::uint64_t>(r) << 24);
        std::memcpy(out + 6 * j, &pair, 8);
    }
    InterleavePair(left, right, out, pairs - 1, 3);
}

void InterleaveRgb24(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out, std::size_t pairs,
                     InstructionSet set)
{
    std::size_t done = 0;
#if defined(__x86_64__)
    if (set >= InstructionSet::Avx2) done = InterleaveRgb24PairsAvx2(left, right, out, pairs);
    if (set >= InstructionSet::Ssse3)
        done += InterleaveRgb24PairsSsse3(left + 3 * done, right + 3 * done, out + 6 * done, pairs - done);
#else
    (void)set;
#endif
    InterleaveRgb24Scalar(left + 3 * done, right + 3 * done, out + 6 * done, pairs - done);
}

using Words = std::uint16_t __attribute__((vector_size(16)));

void InterleaveRgb555(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out, std::size_t pairs)
{
    std::size_t j = 0;
    // Eight pairs at a time: two vectors of eight pixels become two vectors
    // of alternating pixels.
    for (; j + 8 <= pairs; j += 8) {
        Words l, r;
        std::memcpy(&l, left + 2 * j, sizeof l);
        std::memcpy(&r, right + 2 * j, sizeof r);
        const Words low = __builtin_shufflevector(l, r, 0, 8, 1, 9, 2, 10, 3, 11);
        const Words high = __builtin_shufflevector(l, r, 4, 12, 5, 13, 6, 14, 7, 15);
        std::memcpy(out + 4 * j, &low, sizeof low);
        std::memcpy(out + 4 * j + 16, &high, sizeof high);
    }
    for (; j < pairs; ++j) InterleavePair(left, right, out, j, 2);
}

void InterleaveAnySize(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out, std::size_t pairs,
                       unsigned bytesPerPixel)
{
    for (std::size_t j = 0; j < pairs; ++j) InterleavePair(left, right, out, j, bytesPerPixel);
}

void InterleaveRowWith(std::uint8_t* row, std::size_t width, unsigned bytesPerPixel, std::uint8_t* scratch,
                       InstructionSet set)
{
    const std::size_t pairs = width / 2;
    if (pairs == 0 || bytesPerPixel == 0) return;
    const std::size_t half = pairs * bytesPerPixel;
    std::memcpy(scratch, row, half);
    const std::uint8_t* right = row + half;
    switch (bytesPerPixel) {
    case 3: InterleaveRgb24(scratch, right, row, pairs, set); break;
    case 2: InterleaveRgb555(scratch, right, row, pairs); break;
    default: InterleaveAnySize(scratch, right, row, pairs, bytesPerPixel); break;
    }
}

} // namespace

std::size_t InterlaceScratchBytes(std::size_t width, unsigned bytesPerPixel)
{
    return (width / 2) * bytesPerPixel;
}

void InterleaveRow(std::uint8_t* row, std::size_t width, unsigned bytesPerPixel, std::uint8_t* scratch)
{
    InterleaveRowWith(row, width, bytesPerPixel, scratch, ActiveInstructionSet());
}

void InterleaveRows(std::uint8_t* data, std::size_t length, std::size_t width, unsigned bytesPerPixel,
                    std::uint8_t* scratch)
{
    const std::size_t rowBytes = width * bytesPerPixel;
    if (rowBytes == 0 || width < 2) return;
    const InstructionSet set = ActiveInstructionSet();
    for (std::size_t offset = 0; rowBytes <= length - offset; offset += rowBytes)
        InterleaveRowWith(data + offset, width, bytesPerPixel, scratch, set);
}
