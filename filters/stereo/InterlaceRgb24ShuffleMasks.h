// The pshufb masks of the RGB24 pair interleave, shared by its SSSE3 and
// AVX2 versions. Eight pairs (24 bytes from each side) make 48 output bytes,
// three 16-byte blocks. Each block takes its left bytes from a 16-byte load
// at kLeftLoad[k] and its right bytes from one at kRightLoad[k]; the loads
// at 0 and 8 cover the 24 bytes of a side exactly, so nothing is read past
// the pairs of the block.
//
// Included only by the instruction-set sources, each in its own anonymous
// namespace, so no inline code built with wider instructions is shared with
// the baseline build.
#pragma once

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::size_t kPairsPerBlock = 8;
constexpr std::size_t kLeftLoad[3] = {0, 8, 8};
constexpr std::size_t kRightLoad[3] = {0, 0, 8};

struct ShuffleMask {
    std::uint8_t bytes[16];
};

// 0x80 zeroes a byte: the other side's shuffle fills it.
constexpr ShuffleMask MaskFor(std::size_t block, bool rightSide)
{
    ShuffleMask mask{};
    const std::size_t load = rightSide ? kRightLoad[block] : kLeftLoad[block];
    for (std::size_t i = 0; i < 16; ++i) {
        const std::size_t outByte = 16 * block + i;
        const std::size_t pixel = outByte / 3;
        const bool fromRight = pixel % 2 == 1;
        const std::size_t sourceByte = 3 * (pixel / 2) + outByte % 3;
        mask.bytes[i] = fromRight == rightSide ? static_cast<std::uint8_t>(sourceByte - load) : 0x80;
    }
    return mask;
}

constexpr ShuffleMask kLeftMask[3] = {MaskFor(0, false), MaskFor(1, false), MaskFor(2, false)};
constexpr ShuffleMask kRightMask[3] = {MaskFor(0, true), MaskFor(1, true), MaskFor(2, true)};

} // namespace
