// The volume indicator's worker thread on its own.
#include "VolumeIndicatorTimer.h"

#include <QElapsedTimer>
#include <atomic>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

TEST(VolumeIndicatorTimer, TerminateCutsTheSleepShortAndNoCallbackFollowsTheWait) {
  std::atomic<int> calls{0};
  TVolumeIndicatorTimer worker([&calls](TVolumeIndicatorTimer&) { ++calls; });
  worker.interval = 60000;
  worker.Start();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  QElapsedTimer clock;
  clock.start();
  worker.Terminate();
  worker.WaitFor();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_TRUE(worker.Terminated());
  EXPECT_EQ(calls, 0);
}
