// The Synchronizing Buffer's decisions over times: age, due and fill level.
#include "HoldQueueRules.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr LONGLONG kSecond = 10'000'000;
constexpr LONGLONG kMax = std::numeric_limits<LONGLONG>::max();
constexpr LONGLONG kMin = std::numeric_limits<LONGLONG>::min();

TEST(HoldQueueRules, AgeAndDueCompareSigned)
{
    const LONGLONG now = 17'000'000 * kSecond;
    const LONGLONG discard = 2 * kSecond;
    struct Case {
        LONGLONG start;
        bool tooOld, due;
    };
    const Case cases[] = {
        {now - 3 * kSecond, true, true},
        {now - 2 * kSecond, false, true},  // exactly the interval is still kept
        {now - 1, false, true},
        {now, false, true},
        {now + 1, false, false},
        {now + 3 * kSecond, false, false},
        // Stamps from a producer that does not use the wall clock: far off
        // either way, with no wrap-around in the difference.
        {0, true, true},
        {kMin, true, true},
        {kMax, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsTooOld(now, c.start, discard), c.tooOld) << c.start;
        EXPECT_EQ(IsDue(now, c.start), c.due) << c.start;
    }
    EXPECT_FALSE(IsTooOld(kMin, kMax, discard));
    EXPECT_TRUE(IsTooOld(kMax, kMin, discard));
}

TEST(HoldQueueRules, FillLevelIsFullAtTheCapacityThatHoldsAtLeastOne)
{
    struct Case {
        LONG count, maximum;
        const char* text;
    };
    const Case cases[] = {
        {0, 60, "0%"}, {30, 60, "50%"}, {59, 60, "98%"}, {60, 60, "Full"}, {0, 0, "0%"},
        {1, 0, "Full"}, {1, -7, "Full"}, {3, 2, "150%"},
    };
    for (const Case& c : cases) EXPECT_EQ(FillLevelText(c.count, c.maximum), c.text) << c.count << "/" << c.maximum;
    EXPECT_EQ(EffectiveMaximum(-1), 1);
    EXPECT_EQ(EffectiveMaximum(0), 1);
    EXPECT_EQ(EffectiveMaximum(60), 60);
}

} // namespace
