// A camera listed when the engine started whose device is gone, or that
// does not capture, makes the engine invalid with a capture error that says
// what is wrong, and the engine works again with another source.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "FakeCameraProvider.h"
#include "RealEngineFixture.h"
#include "ovSender.h"

namespace {

using namespace realengine;

TEST_F(RealEngine, ACameraThatIsGoneOrDoesNotCaptureIsACaptureErrorThatSaysSo) {
  const std::filesystem::path folder = std::getenv("OSTREL_HOME");
  const std::string unplugged = (folder / "video7").string(), broken = (folder / "video8").string();
  std::ofstream(unplugged) << "";
  std::ofstream(broken) << "not a camera";
  setFakeCameras({{"Desk camera", unplugged}, {"Broken camera", broken}});
  ovSenderShutdown();
  ASSERT_TRUE(ovSenderInitialize(0));  // the device monitor lists the cameras now
  std::filesystem::remove(unplugged);  // and the first is unplugged

  struct Case {
    const char *camera;
    int identity;  // 0: any
    const char *says;
  };
  for (const Case c : {Case{"Desk camera", 52, "The camera \"Desk camera\" is no longer connected ("},
                       Case{"Broken camera", 0, "Sending stopped: "}}) {
    SCOPED_TRACE(c.camera);
    SetUp();
    const int index = indexOf(ovSenderGetNumVideoSources(), ovSenderGetVideoSourceFriendlyName, c.camera);
    ASSERT_GE(index, 0) << "the camera is listed";
    ovSenderSetVideoSource(index);
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return !ovSenderGetValid(); }, 5s));
    const Error error = currentError();
    EXPECT_EQ(error.kind, OVSENDER_ERROR_WRONG_CAPTURE) << error.text;
    if (c.identity) {
      EXPECT_EQ(error.identity, c.identity);
    }
    EXPECT_EQ(error.text.rfind(c.says, 0), 0u) << error.text;
  }
  SetUp();  // the test pattern again
  EXPECT_TRUE(waitUntil(ovSenderGetValid, 3s)) << currentError().text;

  setFakeCameras({});
  ovSenderShutdown();
  ASSERT_TRUE(ovSenderInitialize(0));
}

}  // namespace
