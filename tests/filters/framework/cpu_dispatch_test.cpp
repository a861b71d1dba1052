#include "CpuDispatch.h"

#include <gtest/gtest.h>

namespace {

TEST(CpuDispatch, SupportedSetsRunFromPortableUpToTheDetectedOne)
{
    const std::vector<InstructionSet> sets = SupportedInstructionSets();
    ASSERT_FALSE(sets.empty());
    EXPECT_EQ(sets.front(), InstructionSet::Portable);
    EXPECT_EQ(sets.back(), DetectedInstructionSet());
    for (std::size_t i = 1; i < sets.size(); ++i) EXPECT_LT(sets[i - 1], sets[i]);
}

// Forcing never goes above what the machine runs, nests, and ends with its
// scope.
TEST(CpuDispatch, ForcingIsCappedAtTheDetectedSetAndUndoneOnLeavingScope)
{
    EXPECT_EQ(ActiveInstructionSet(), DetectedInstructionSet());
    {
        const ForcedInstructionSet portable(InstructionSet::Portable);
        EXPECT_EQ(ActiveInstructionSet(), InstructionSet::Portable);
        {
            const ForcedInstructionSet widest(InstructionSet::Avx512);
            EXPECT_EQ(ActiveInstructionSet(), DetectedInstructionSet());
        }
        EXPECT_EQ(ActiveInstructionSet(), InstructionSet::Portable);
    }
    EXPECT_EQ(ActiveInstructionSet(), DetectedInstructionSet());
}

// Streaming follows the cache size unless forced, and never without one.
TEST(CpuDispatch, StreamingIsForHalfTheLastLevelCacheAndBeyondUnlessForced)
{
    const std::size_t cache = LastLevelCacheBytes();
    EXPECT_FALSE(StreamsPastCaches(cache / 2));
    EXPECT_EQ(StreamsPastCaches(cache / 2 + 1), cache != 0);
    {
        const ForcedStreaming always(true);
        EXPECT_TRUE(StreamsPastCaches(0));
        const ForcedStreaming never(false);
        EXPECT_FALSE(StreamsPastCaches(std::size_t(-1)));
    }
    EXPECT_EQ(StreamsPastCaches(cache / 2 + 1), cache != 0);
}

} // namespace
