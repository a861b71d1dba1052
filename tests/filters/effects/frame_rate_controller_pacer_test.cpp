// The Frame Rate Controller's pacing: due times on one line from the first
// frame, shorter waits after late frames, a new line after a stall.
#include "FrameRateControllerPacer.h"

#include <gtest/gtest.h>

namespace {

constexpr REFERENCE_TIME kSecond = 10'000'000;
constexpr REFERENCE_TIME kStart = 17'000'000 * kSecond;

// Frames delivered exactly when due keep the mean rate exact, although a
// period of 1/30 s is no whole number of units.
TEST(FrameRateControllerPacer, FramesOnTimeKeepTheExactRate)
{
    for (const LONG rate : {1, 7, 15, 30, 60}) {
        FrameRateControllerPacer pacer;
        REFERENCE_TIME now = kStart;
        for (LONG frame = 0; frame < 3 * rate; ++frame) now += pacer.Delivered(now, rate);
        EXPECT_EQ(now, kStart + 3 * kSecond) << rate;
    }
}

TEST(FrameRateControllerPacer, LateFramesAreMadeUpAndLongStallsStartAgain)
{
    constexpr REFERENCE_TIME kPeriod = kSecond / 30;  // 333'333
    struct Step {
        REFERENCE_TIME deliveredAt;  // from kStart
        REFERENCE_TIME wait;
        LONG rate = 30;
    };
    const Step steps[] = {
        {0, kPeriod},                          // the first frame anchors the line
        {kPeriod, 2 * kSecond / 30 - kPeriod},  // on time: the rest of the period
        {2 * kSecond / 30 + 100'000, kSecond / 10 - (2 * kSecond / 30 + 100'000)},  // late by 10 ms
        {kSecond / 10 + 300'000, 4 * kSecond / 30 - (kSecond / 10 + 300'000)},       // late by 30 ms: a short wait
        {4 * kSecond / 30 + 500'000, 0},        // 50 ms behind: catch up at once
        {4 * kSecond / 30 + 500'100, 2 * kSecond / 10 - (4 * kSecond / 30 + 500'100)},  // back on the line
        {kSecond, kPeriod},                     // a long stall: a new line from here
        {kSecond + kPeriod, kPeriod},                           // on the new line
        {kSecond + kPeriod + 10, kSecond / 60, 60},            // another rate: a new line too
        {kSecond + kPeriod + 20, 0, 0},                         // no rate: no wait
    };
    FrameRateControllerPacer pacer;
    int index = 0;
    for (const Step& step : steps) {
        EXPECT_EQ(pacer.Delivered(kStart + step.deliveredAt, step.rate), step.wait) << index;
        ++index;
    }
}

TEST(FrameRateControllerPacer, ResetStartsANewLine)
{
    FrameRateControllerPacer pacer;
    pacer.Delivered(kStart, 30);
    pacer.Reset();
    EXPECT_EQ(pacer.Delivered(kStart + 5, 30), kSecond / 30);
}

} // namespace
