#include <atomic>
#include <thread>

#include "EngineFixture.h"

namespace {

struct Received {
  std::string name;
  int width = 0, height = 0;
  std::thread::id thread;
  int calls = 0;
};

int recordCall(void *context, const char *name, int *args) {
  auto *received = static_cast<Received *>(context);
  received->name = name;
  received->width = args[0];
  received->height = args[1];
  received->thread = std::this_thread::get_id();
  ++received->calls;
  ovSenderGetStart();  // calling back into the engine must not deadlock
  return 42;
}

using UICallbackTest = EngineTest;

TEST_F(UICallbackTest, FiredOnThisThreadOrAnotherWithItsArguments) {
  Received received;
  EXPECT_EQ(ovSenderSimFireUICallback("ResizeForm", {1, 2}), 0);
  EXPECT_FALSE(ovSenderSimHasUICallback());
  ovSenderSetUICallbackFunction(recordCall, &received);
  ASSERT_TRUE(ovSenderSimHasUICallback());

  EXPECT_EQ(ovSenderSimFireUICallback("ResizeForm", {320, 240}), 42);
  EXPECT_EQ(received.thread, std::this_thread::get_id());
  EXPECT_EQ(received.name, "ResizeForm");
  EXPECT_EQ(received.width, 320);

  EXPECT_EQ(ovSenderSimFireUICallbackFromThread("ResizeForm", {640, 480}), 42);
  EXPECT_NE(received.thread, std::this_thread::get_id());
  EXPECT_EQ(received.height, 480);
  EXPECT_EQ(received.calls, 2);

  ovSenderShutdown();
  EXPECT_FALSE(ovSenderSimHasUICallback());
}

TEST_F(UICallbackTest, VideoLayoutAsksTheWindowToFitOnlyWhenSoConfigured) {
  Received received;
  ovSenderSetUICallbackFunction(recordCall, &received);
  ASSERT_TRUE(ovSenderInitialize(1));
  ovSenderSetVideoResolution(12);
  ovSenderComputeVideoWindow();
  EXPECT_EQ(received.calls, 0);
  ovSenderSetFitWindowToVideo(true);
  ovSenderComputeVideoWindow();
  EXPECT_EQ(received.calls, 1);
  EXPECT_EQ(received.width, 1280);
  EXPECT_EQ(received.height, 720);
}

// The volume worker reads levels while the GUI thread changes settings; run under TSan.
TEST_F(UICallbackTest, VolumeWorkerAndGuiThreadCanCallTogether) {
  ASSERT_TRUE(ovSenderInitialize(1));
  std::atomic<bool> stop{false};
  std::thread worker([&] {
    while (!stop) {
      ovSenderSetVolumeEvaluationTime(50);
      int left, right;
      ovSenderGetVolume(&left, &right);
    }
  });
  for (int i = 0; i < 500; ++i) {
    ovSenderSetStart(i % 2 == 0);
    ovSenderSetCaption(std::to_string(i).c_str());
    ovSenderWriteRegistry("Sender", "Count", "1");
  }
  stop = true;
  worker.join();
  EXPECT_GE(ovSenderSimCallCount("GetVolume"), 1u);
}

}  // namespace
