#include "StreamingCopy.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// Every length up to a few 64-byte steps at every destination alignment
// within a vector, plus a frame-sized one: the bytes arrive unchanged and
// nothing around the destination is written.
TEST(StreamingCopy, CopiesEveryLengthAtEveryAlignmentAndNothingElse)
{
    std::vector<std::size_t> lengths;
    for (std::size_t n = 0; n <= 200; ++n) lengths.push_back(n);
    lengths.push_back(1920 * 1080 * 3 + 5);
    for (std::size_t length : lengths) {
        for (std::size_t shift = 0; shift < 16; ++shift) {
            std::vector<std::uint8_t> in(length + 3);
            for (std::size_t i = 0; i < in.size(); ++i) in[i] = static_cast<std::uint8_t>(i * 7 + length);
            std::vector<std::uint8_t> out(length + 32, 0xEE);
            CopyPastCaches(out.data() + shift, in.data() + 3, length);
            for (std::size_t i = 0; i < out.size(); ++i) {
                const bool inside = i >= shift && i < shift + length;
                const std::uint8_t expected = inside ? in[i - shift + 3] : 0xEE;
                ASSERT_EQ(out[i], expected) << "length " << length << " shift " << shift << " at " << i;
            }
        }
    }
}

} // namespace
