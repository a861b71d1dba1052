// The 2 x 2 averaging with vector instructions, for x86-64 processors that
// have SSSE3, AVX2 or AVX-512 with byte permutes (chosen at run time): byte
// shuffles for RGB24, field masks for the 16-bit formats (AVX2 only, which
// AVX-512 machines take too). Each handles the pixels it can reach without
// reading or writing past the rows and returns how many output pixels it
// wrote; the caller finishes the rest.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(__x86_64__) || defined(__i386__)
#define OSTREL_QUAD_X86 1

std::size_t AverageRgb24Ssse3(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                              std::size_t outPixels);
std::size_t AverageRgb24Avx2(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                             std::size_t outPixels);
// Writes the whole row, its ends through masked loads and stores.
std::size_t AverageRgb24Avx512(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                               std::size_t outPixels);
// RGB565 (`rgb565` set) or RGB555 words.
std::size_t AverageWordsAvx2(std::uint8_t* out, const std::uint8_t* upper, const std::uint8_t* lower,
                             std::size_t outPixels, bool rgb565);
#endif
