// Byte-shuffle versions of the RGB24 pair interleave of the interlace pass
// (out pixel 2j = left pixel j, 2j+1 = right pixel j), for x86-64 machines
// with SSSE3 or AVX2. Each does whole blocks of pairs from the start and
// returns how many pairs it did; the caller does the rest. `right` may lie
// in the output row ahead of the write position, as in the in-place pass:
// a block reads all its pixels before it writes, and writes only its own
// pairs.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
// Blocks of 8 pairs.
std::size_t InterleaveRgb24PairsSsse3(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out,
                                      std::size_t pairs);
// Blocks of 16 pairs.
std::size_t InterleaveRgb24PairsAvx2(const std::uint8_t* left, const std::uint8_t* right, std::uint8_t* out,
                                     std::size_t pairs);
#endif
