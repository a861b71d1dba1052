// The frames every plugin benchmark works on: 1920×1080 BGR, a fixed
// pattern, and a ring of eight so that each frame is cold in the cache when
// its turn comes, as a capture source's pooled buffers are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace bench_frames {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr std::size_t kRowBytes = kWidth * 3;
constexpr std::size_t kFrameBytes = kRowBytes * kHeight;
constexpr std::size_t kRingSize = 8;

// No two neighbouring bytes alike, so a misplaced pixel shows.
inline std::vector<std::uint8_t> Pattern()
{
    std::vector<std::uint8_t> data(kFrameBytes);
    for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<std::uint8_t>(i * 31 + 7);
    return data;
}

struct FrameRing {
    std::vector<std::vector<std::uint8_t>> frames{kRingSize, Pattern()};
    std::size_t next = 0;
    std::uint8_t* Next() { return frames[next++ % frames.size()].data(); }
};

} // namespace bench_frames
