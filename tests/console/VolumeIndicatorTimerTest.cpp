// The volume indicator's worker thread on its own.
#include "VolumeIndicatorTimer.h"

#include <QElapsedTimer>
#include <atomic>
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

TEST(VolumeIndicatorTimer, CallsBackEveryIntervalUnlessPaused) {
  std::atomic<int> calls{0};
  TVolumeIndicatorTimer worker([&calls](TVolumeIndicatorTimer&) { ++calls; });
  worker.interval = 5;
  worker.Start();
  while (calls < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  worker.paused = true;
  std::this_thread::sleep_for(std::chrono::milliseconds(30));  // a call under way may still end
  const int paused = calls;
  std::this_thread::sleep_for(std::chrono::milliseconds(60));
  EXPECT_EQ(calls, paused);
  worker.paused = false;
  while (calls == paused) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  // The destructor terminates and waits.
}
