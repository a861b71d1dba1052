// A Japanese caption is drawn with real glyphs, not the boxes a missing
// font leaves: over a black clip, the strokes of 一, 二 and 三 show in the
// received picture as one, two and three bright bands.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "MediaFile.h"
#include "RealEngineFixture.h"
#include "VideoReceiver.h"
#include "ovSender.h"

namespace {

using namespace realengine;

// Runs of rows in the lower half that hold bright pixels: the strokes of a caption over black.
int brightBands(const Picture &picture) {
  int bands = 0;
  bool inBand = false;
  for (int y = picture.height / 2; y < picture.height; ++y) {
    int bright = 0;
    for (int x = 0; x < picture.width; ++x) bright += picture.luma[static_cast<std::size_t>(y * picture.width + x)] > 160;
    const bool ink = bright > picture.width / 20;
    if (ink && !inBand) ++bands;
    inBand = ink;
  }
  return bands;
}

// The last picture decoded within the time given.
std::optional<Picture> lastPicture(VideoReceiver &receiver, std::chrono::milliseconds settle) {
  std::optional<Picture> last;
  const auto end = std::chrono::steady_clock::now() + settle;
  while (std::chrono::steady_clock::now() < end)
    if (auto picture = receiver.next(100ms)) last = std::move(picture);
  return last;
}

TEST_F(RealEngine, AJapaneseCaptionIsDrawnWithItsOwnGlyphs) {
  if (!haveX264() || !elementExists("avdec_h264") || !elementExists("jpegenc"))
    GTEST_SKIP() << "x264enc, avdec_h264 or jpegenc is not installed";
  const std::string clip = std::string(std::getenv("OSTREL_HOME")) + "/black.avi";
  ASSERT_TRUE(makeFile("videotestsrc num-buffers=240 pattern=black ! video/x-raw,width=320,height=240,framerate=30/1"
                       " ! jpegenc ! avimux ! filesink location=" + clip));
  ovSenderSetVideoResolution(6);
  ovSenderSetVideoSenderMainMaxTransmissionRate(2000000);
  ovSenderSetCaptionOn(true);
  ovSenderSetCaption("");
  ovSenderSetStart(true);
  ASSERT_TRUE(ovSenderPlayVideoClip(clip.c_str()));
  VideoReceiver receiver(kGroup, kVideoPort);
  ASSERT_TRUE(lastPicture(receiver, 2500ms)) << "decoding starts at a key frame";
  struct Case {
    const char *caption;
    int bands;
  };
  for (const Case c : {Case{"", 0}, Case{"一一一一一一一一", 1}, Case{"二二二二二二二二", 2}, Case{"三三三三三三三三", 3}}) {
    ovSenderSetCaption(c.caption);
    const auto picture = lastPicture(receiver, 1000ms);
    ASSERT_TRUE(picture) << c.caption;
    EXPECT_EQ(brightBands(*picture), c.bands) << c.caption;
  }
  EXPECT_TRUE(ovSenderIsPlayVideoClip()) << "all of it over the black clip";
  ovSenderSetCaption("");
  ovSenderSetCaptionOn(false);
  EXPECT_TRUE(waitUntil([] { return !ovSenderIsPlayVideoClip(); }, 6s)) << "the 8 s clip ends before the next test";
}

}  // namespace
