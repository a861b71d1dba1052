#include "InterlacePass.h"

#include <cstring>

namespace {

// Output pairs are written from a copy of the row, so reads never meet
// writes and each format can use its widest safe moves.
void InterleaveRgb24(const std::uint8_t* __restrict left, const std::uint8_t* __restrict right,
                     std::uint8_t* __restrict out, std::size_t pairs)
{
    if (pairs == 0) return;
    // Each pair is one 8-byte store of which 6 bytes count; the next pair
    // overwrites the other 2, so the last pair is written exactly.
    for (std::size_t j = 0; j + 1 < pairs; ++j) {
        std::uint32_t l, r;
        std::memcpy(&l, left + 3 * j, 4);
        std::memcpy(&r, right + 3 * j, 4);
        const std::uint64_t pair = (l & 0xFFFFFFu) | (static_cast<std::uint64_t>(r) << 24);
        std::memcpy(out + 6 * j, &pair, 8);
    }
    const std::size_t last = pairs - 1;
    std::memcpy(out + 6 * last, left + 3 * last, 3);
    std::memcpy(out + 6 * last + 3, right + 3 * last, 3);
}

using Words = std::uint16_t __attribute__((vector_size(16)));

void InterleaveRgb555(const std::uint8_t* __restrict left, const std::uint8_t* __restrict right,
                      std::uint8_t* __restrict out, std::size_t pairs)
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
    for (; j < pairs; ++j) {
        std::memcpy(out + 4 * j, left + 2 * j, 2);
        std::memcpy(out + 4 * j + 2, right + 2 * j, 2);
    }
}

void InterleaveAnySize(const std::uint8_t* __restrict left, const std::uint8_t* __restrict right,
                       std::uint8_t* __restrict out, std::size_t pairs, unsigned bytesPerPixel)
{
    for (std::size_t j = 0; j < pairs; ++j) {
        std::memcpy(out + 2 * j * bytesPerPixel, left + j * bytesPerPixel, bytesPerPixel);
        std::memcpy(out + (2 * j + 1) * bytesPerPixel, right + j * bytesPerPixel, bytesPerPixel);
    }
}

} // namespace

std::size_t InterlaceScratchBytes(std::size_t width, unsigned bytesPerPixel)
{
    return (width / 2) * 2 * bytesPerPixel;
}

void InterleaveRow(std::uint8_t* row, std::size_t width, unsigned bytesPerPixel, std::uint8_t* scratch)
{
    const std::size_t pairs = width / 2;
    if (pairs == 0 || bytesPerPixel == 0) return;
    const std::size_t half = pairs * bytesPerPixel;
    std::memcpy(scratch, row, 2 * half);
    switch (bytesPerPixel) {
    case 3: InterleaveRgb24(scratch, scratch + half, row, pairs); break;
    case 2: InterleaveRgb555(scratch, scratch + half, row, pairs); break;
    default: InterleaveAnySize(scratch, scratch + half, row, pairs, bytesPerPixel); break;
    }
}

void InterleaveRows(std::uint8_t* data, std::size_t length, std::size_t width, unsigned bytesPerPixel,
                    std::uint8_t* scratch)
{
    const std::size_t rowBytes = width * bytesPerPixel;
    if (rowBytes == 0 || width < 2) return;
    for (std::size_t offset = 0; rowBytes <= length - offset; offset += rowBytes)
        InterleaveRow(data + offset, width, bytesPerPixel, scratch);
}
