#include "SubliminalCadence.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The replaced frames among the first `count`, as a row of x and dots.
std::string Cadence(std::int32_t period, std::int32_t subCount, std::uint32_t count = 12)
{
    std::string shown;
    for (std::uint32_t frame = 0; frame < count; ++frame)
        shown += IsSubliminalFrame(frame, period, subCount) ? 'x' : '.';
    return shown;
}

TEST(SubliminalCadence, SubFramesAreSpreadEvenlyOverThePeriod)
{
    struct Case {
        std::int32_t period, subCount;
        const char* shown;
    };
    const Case cases[] = {
        {5, 1, "x....x....x."},   {6, 3, "x.x.x.x.x.x."},  {10, 4, "x.x.x.x.x.x."},
        {4, 4, "xxxxxxxxxxxx"},   {1, 1, "xxxxxxxxxxxx"},
        // Out of range, as a stored state may hold: never a division by 0.
        {0, 0, "xxxxxxxxxxxx"},   {-3, 7, "xxxxxxxxxxxx"}, {4, 9, "xxxxxxxxxxxx"}, {6, -2, "x.....x....."},
    };
    for (const Case& c : cases) EXPECT_EQ(Cadence(c.period, c.subCount), c.shown) << c.period << "/" << c.subCount;
    EXPECT_EQ(Cadence(30, 1, 61), "x" + std::string(29, '.') + "x" + std::string(29, '.') + "x");
}

TEST(SubliminalCadence, SettingsAreHeldToTheirLimits)
{
    EXPECT_EQ(LimitSubliminalPeriod(0), 1);
    EXPECT_EQ(LimitSubliminalPeriod(-2147483647 - 1), 1);
    EXPECT_EQ(LimitSubliminalPeriod(30), 30);
    EXPECT_EQ(LimitSubliminalSubCount(0, 30), 1);
    EXPECT_EQ(LimitSubliminalSubCount(31, 30), 30);
    EXPECT_EQ(LimitSubliminalSubCount(3, 0), 1);
    EXPECT_EQ(LimitSubliminalSubCount(3, 30), 3);
}

} // namespace
