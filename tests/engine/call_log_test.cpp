#include "EngineFixture.h"

namespace {

using CallLogTest = EngineTest;

TEST_F(CallLogTest, CallsAreLoggedWithTheirArgumentsInOrder) {
  ovSenderInitialize(12345);
  ovSenderSetStart(true);
  ovSenderWriteRegistry("Sender", "Language", "ja");
  char buffer[256];
  ovSenderReadRegistry("Sender", "Language", "en", buffer, sizeof buffer);
  ovSenderSetNonLinearZoomMaskSize(320, -2);
  ovSenderSetCaption("two\nlines \\ end");
  ovSenderSetAddress(nullptr);
  int left, right;
  ovSenderGetVolume(&left, &right);
  ovSenderSetUICallbackFunction(nullptr, nullptr);
  EXPECT_EQ(ovSenderSimCallLog(), (std::vector<std::string>{
                                      "Initialize(12345)",
                                      "SetStart(1)",
                                      "WriteRegistry(Sender, Language, ja)",
                                      "ReadRegistry(Sender, Language, en, 256)",
                                      "SetNonLinearZoomMaskSize(320, -2)",
                                      "SetCaption(two\\nlines \\\\ end)",
                                      "SetAddress((null))",
                                      "GetVolume()",
                                      "SetUICallbackFunction(null, null)",
                                  }));
  EXPECT_EQ(ovSenderSimCallCount("SetStart"), 1u);
  EXPECT_EQ(ovSenderSimCallCount("Set"), 0u);
  ovSenderSimClearCallLog();
  ovSenderSimSetQuitRequest(true);  // test controls are not engine calls
  EXPECT_TRUE(ovSenderSimCallLog().empty());
}

TEST_F(CallLogTest, EnvironmentLogFileGetsEveryCallAppendedAtOnce) {
  const auto path = home() / "calls.log";
  writeFile("calls.log", "earlier run\n");
  ::setenv("OVSENDER_SIM_LOG", path.c_str(), 1);
  ovSenderSimReset();
  ovSenderSetStart(false);
  EXPECT_EQ(fileLines(path), (std::vector<std::string>{"earlier run", "SetStart(0)"}));  // no close needed
  ovSenderSetTimeToLive(5);
  EXPECT_EQ(fileLines(path).back(), "SetTimeToLive(5)");
  ::unsetenv("OVSENDER_SIM_LOG");
  ovSenderSimReset();
  ovSenderSetTimeToLive(6);
  EXPECT_EQ(fileLines(path).size(), 3u);
}

}  // namespace
