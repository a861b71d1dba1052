// 16 bytes of pixels handled as one value; the compiler maps it to the
// machine's vector registers where it has them. Shared by the pixel passes.
#pragma once

#include <cstdint>
#include <cstring>

namespace pixel_block {

using Block = std::uint8_t __attribute__((vector_size(16)));

inline Block Load(const std::uint8_t* p)
{
    Block b;
    std::memcpy(&b, p, sizeof b);
    return b;
}

inline void Store(std::uint8_t* p, Block b) { std::memcpy(p, &b, sizeof b); }

// Takes the bits of `mask` from `other`, the rest from `base`.
inline Block Blend(Block base, Block other, Block mask) { return base ^ ((base ^ other) & mask); }

} // namespace pixel_block
