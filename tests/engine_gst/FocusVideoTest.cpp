// The focus pictures of the real engine, seen from the receiving side. The
// engine plays a still clip made here, so every received picture can be
// compared with the same picture rendered locally.
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "GroupReceiver.h"
#include "NonLinearZoom.h"
#include "RealEngineFixture.h"
#include "VideoReceiver.h"
#include "ovSender.h"
#include "ovSenderSim.h"

// After the engine's own headers: X11's macros (Status, None) clash with names in them.
#include "EngineOnVirtualDisplay.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using namespace realengine;

constexpr int kSubPort = 5006;
// The pattern's colour bars stand still; only a patch at the bottom right is noise.
constexpr const char *kStill = "videotestsrc pattern=smpte ! video/x-raw,format=I420,width=320,height=240";

// Runs a description to its end; with an appsink named out, keeps the last picture's luma.
std::optional<Picture> runToEnd(const std::string &description) {
  GstElement *pipeline = gst_parse_launch(description.c_str(), nullptr);
  if (!pipeline) return std::nullopt;
  GstElement *sink = gst_bin_get_by_name(GST_BIN(pipeline), "out");
  gst_element_set_state(pipeline, GST_STATE_PLAYING);
  Picture picture;
  bool done = false;
  if (sink) {
    if (GstSample *sample = gst_app_sink_try_pull_sample(GST_APP_SINK(sink), 10 * GST_SECOND)) {
      picture = pictureOf(sample);
      done = picture.width > 0;
      gst_sample_unref(sample);
    }
    gst_object_unref(sink);
  } else {
    GstBus *bus = gst_element_get_bus(pipeline);
    GstMessage *end = gst_bus_timed_pop_filtered(bus, 20 * GST_SECOND,
                                                 static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    done = end && GST_MESSAGE_TYPE(end) == GST_MESSAGE_EOS;
    if (end) gst_message_unref(end);
    gst_object_unref(bus);
  }
  gst_element_set_state(pipeline, GST_STATE_NULL);
  gst_object_unref(pipeline);
  if (!done) return std::nullopt;
  return picture;
}

// The still picture's luma, optionally cropped and scaled by the same elements the engine uses.
Picture still(const std::string &stages = "") {
  return runToEnd(std::string(kStill) + " ! " + stages + "appsink name=out sync=false").value_or(Picture{});
}

double psnr(const Picture &a, const Picture &b, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
  if (a.width != b.width || a.height != b.height || a.luma.empty()) return 0;
  if (x1 < 0) x1 = a.width;
  if (y1 < 0) y1 = a.height;
  double sum = 0;
  int count = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x, ++count) {
      const double d = a.luma[static_cast<std::size_t>(y * a.width + x)] - b.luma[static_cast<std::size_t>(y * b.width + x)];
      sum += d * d;
    }
  const double mse = sum / std::max(count, 1);
  return mse <= 1e-9 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

std::string crop(int left, int top, int width, int height) {
  return "videocrop left=" + std::to_string(left) + " top=" + std::to_string(top) +
         " right=" + std::to_string(320 - left - width) + " bottom=" + std::to_string(240 - top - height) +
         " ! videoscale ! video/x-raw,width=320,height=240 ! ";
}

// The newest decoded picture after the stream has settled for a moment. The
// first picture may take a while on a loaded machine or under a sanitizer (a
// rebuilt pipeline, the first key frame), so it is waited for apart, up to 8 s.
std::optional<Picture> settled(VideoReceiver &receiver, std::chrono::milliseconds wait) {
  std::optional<Picture> last;
  const auto start = std::chrono::steady_clock::now();
  while (!last && std::chrono::steady_clock::now() < start + 8s) last = receiver.next(100ms);
  const auto end = std::max(start + wait, std::chrono::steady_clock::now() + wait / 2);
  while (std::chrono::steady_clock::now() < end)
    if (auto picture = receiver.next(100ms)) last = std::move(picture);
  return last;
}

class FocusVideo : public RealEngine {
 protected:
  void SetUp() override {
    RealEngine::SetUp();
    if (!haveX264() || !elementExists("avdec_h264") || !elementExists("videocrop") || !elementExists("jpegenc"))
      GTEST_SKIP() << "x264enc, avdec_h264, videocrop or jpegenc is not installed";
    clip_ = std::string(std::getenv("OSTREL_HOME")) + "/still.avi";
    if (!std::filesystem::exists(clip_)) {
      ASSERT_TRUE(runToEnd(std::string(kStill) +
                           ",framerate=30/1 ! identity eos-after=600 ! jpegenc quality=100 ! avimux"
                           " ! filesink location=" +
                           clip_));  // 20 s of one picture
    }
    ovSenderSetFocusFrameVisible(false);
    ovSenderSetVideoSenderSubMaxTransmissionRate(1000000);
  }
  void TearDown() override {
    RealEngine::TearDown();
    ovSenderSetFocusDisplay(0);
    ovSenderSimSetFocusPoint(0.5, 0.5);
  }
  void sendStill() {
    ovSenderSetStart(true);
    ASSERT_TRUE(ovSenderPlayVideoClip(clip_.c_str()));
  }
  std::string clip_;
};

TEST_F(FocusVideo, PartialZoomSendsTheRegionAroundTheFocusScaledAndFollowsIt) {
  ovSenderSetFocusDisplay(1);
  ovSenderSetPartialZoomSourceVideoResolution(3);  // 160x120 of the 320x240 picture
  ovSenderSetPartialZoomOutputVideoResolution(4);  // sent at 320x240
  ovSenderSetVideoSenderSubMaxTransmissionRate(300000);
  ovSenderSimSetFocusPoint(0.3, 0.7);  // a region across the pattern's bands: 16,108
  VideoReceiver sub(kGroup, kSubPort);
  sendStill();
  auto picture = settled(sub, 2500ms);
  ASSERT_TRUE(picture) << "no sub picture";
  EXPECT_EQ(picture->width, 320);
  EXPECT_EQ(picture->height, 240);
  EXPECT_GT(psnr(*picture, still(crop(16, 108, 160, 120))), 30.0);
  EXPECT_LT(psnr(*picture, still(crop(80, 60, 160, 120))), 25.0) << "the centre's region is another picture";

  ovSenderSimSetFocusPoint(0.75, 0.25);  // 160,0: the crop moves while sending
  picture = settled(sub, 1000ms);
  ASSERT_TRUE(picture);
  EXPECT_GT(psnr(*picture, still(crop(160, 0, 160, 120))), 30.0);

  EXPECT_TRUE(waitUntil([] { return ovSenderGetVideoSenderSubTransmissionRate() > 0; }, 3s));
  EXPECT_LE(ovSenderGetVideoSenderSubTransmissionRate(), 300000 * 11 / 10);
  EXPECT_GT(ovSenderGetVideoSenderSubFrameRate(), 20);
  EXPECT_LE(ovSenderGetVideoSenderSubFrameRate(), 31) << "pictures, not packets";
  std::ifstream sdp(sessionDescriptionFile());
  std::stringstream text;
  text << sdp.rdbuf();
  EXPECT_NE(text.str().find("m=video 5006 RTP/AVP 96\r\na=rtpmap:96 H264/90000"), std::string::npos) << text.str();
}

TEST_F(FocusVideo, NonLinearZoomMagnifiesUnderTheMaskAndLeavesTheRestAlone) {
  ovSenderSetFocusDisplay(2);
  ovSenderSetNonLinearZoomOutputVideoResolution(4);  // 320x240, as captured
  ovSenderSetNonLinearZoomMaskType(1);
  ovSenderSetNonLinearZoomMaskSize(120, 100);
  ovSenderSimSetFocusPoint(0.5, 0.5);
  VideoReceiver main(kGroup, kVideoPort);
  sendStill();
  auto picture = settled(main, 2500ms);
  ASSERT_TRUE(picture);
  ASSERT_EQ(picture->width, 320);
  const Picture plain = still();
  Picture zoomed = plain;
  std::vector<std::uint8_t> scratch;
  ovfocus::applyNonLinearZoom(zoomed.luma.data(), 320, 240, 320, 160, 120,
                              ovfocus::NonLinearZoomMap(ovfocus::ZoomMask::Ellipse, 120, 100), scratch);
  // Rows below 160 are left out: the pattern has a patch of noise at the bottom right.
  EXPECT_GT(psnr(*picture, plain, 0, 0, 80, 160), 30.0) << "left of the mask";
  EXPECT_GT(psnr(*picture, plain, 240, 0, 320, 160), 30.0) << "right of the mask";
  const double asWarped = psnr(*picture, zoomed, 120, 90, 200, 150);
  EXPECT_GT(asWarped, 30.0) << "the centre as the warp makes it";
  EXPECT_GT(asWarped, psnr(*picture, plain, 120, 90, 200, 150) + 6.0) << "and not as it was";
}

// The preview shows the base's blocks outside the region and the outline around it.
void expectComposedPreview() {
  std::vector<std::uint8_t> pixels(320 * 240 * 4);
  int width = 0, height = 0;
  ASSERT_TRUE(waitUntil(
      [&] { return ovSenderCopyPreviewFrame(pixels.data(), static_cast<int>(pixels.size()), &width, &height) > 0; },
      3s));
  ASSERT_EQ(width, 320);
  auto at = [&](int x, int y) { return pixels.data() + (y * 320 + x) * 4; };
  int blockBreaks = 0, amber = 0;
  for (int y = 0; y < 240; y += 2)
    for (int x = 0; x < 320; x += 2) {
      const bool outside = y < 60 - 4 || y >= 180 + 4 || x < 80 - 4 || x >= 240 + 4;
      if (outside) blockBreaks += std::memcmp(at(x, y), at(x + 1, y + 1), 3) != 0;
    }
  for (int x = 0; x < 320; ++x) amber += at(x, 120)[0] == 0 && at(x, 120)[1] == 230 && at(x, 120)[2] == 255;
  EXPECT_EQ(blockBreaks, 0) << "the base (160x120) enlarged: 2x2 blocks outside the region";
  EXPECT_GE(amber, 2) << "the focus frame crosses the middle row";
}

TEST_F(FocusVideo, ImageCompoundSendsTheBaseAndTheRegionAtTheirSizesAndComposesThePreview) {
  ovSenderSetFocusDisplay(3);
  ovSenderSetImageCompoundBaseVideoResolution(3);        // 160x120
  ovSenderSetImageCompoundAdditionalVideoResolution(6);  // 640x480
  ovSenderSetImageCompoundMaskType(0);
  ovSenderSetFocusFrameVisible(true);
  VideoReceiver main(kGroup, kVideoPort);
  VideoReceiver sub(kGroup, kSubPort);
  ovSenderSetStart(true);
  const auto base = settled(main, 2000ms);
  const auto region = settled(sub, 500ms);
  ASSERT_TRUE(base);
  ASSERT_TRUE(region);
  EXPECT_EQ(base->width, 160);
  EXPECT_EQ(base->height, 120);
  EXPECT_EQ(region->width, 640);
  EXPECT_EQ(region->height, 480);
  expectComposedPreview();
}

// Whether the window shows the focus frame's colour on the region's top edge (80,60 .. 240,60).
bool frameInWindow(Display *display, Window window) {
  XImage *image = XGetImage(display, window, 0, 60, 320, 2, AllPlanes, ZPixmap);
  if (!image) return false;
  int amber = 0;
  for (int x = 90; x < 230; ++x) amber += (XGetPixel(image, x, 0) & 0xffffff) == 0xffe600;
  XDestroyImage(image);
  return amber > 100;
}

TEST_F(FocusVideo, TheFocusFrameIsDrawnInTheXWindowToo) {
  EngineOnVirtualDisplay screen;
  if (!screen.haveXvfb()) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(screen.ok());
  Display *display = screen.display();
  const Window window = screen.window();
  SetUp();
  ovSenderSetFocusDisplay(1);
  ovSenderSetPartialZoomSourceVideoResolution(3);  // 160x120 around the centre
  ovSenderSetFocusFrameVisible(true);
  EXPECT_TRUE(waitUntil([&] { return frameInWindow(display, window); }, 5s));
  ovSenderSetFocusFrameVisible(false);
  EXPECT_TRUE(waitUntil([&] { return !frameInWindow(display, window); }, 2s)) << "and goes when it is switched off";

}

// From the call to the first packet of the pipeline the new mode built:
// a sub picture appears, or the main picture comes from a new source.
TEST_F(FocusVideo, EveryModeSwitchTakesEffectWithinASecond) {
  ovSenderSetNonLinearZoomOutputVideoResolution(6);
  ovSenderSetImageCompoundBaseVideoResolution(3);
  ovSenderSetImageCompoundAdditionalVideoResolution(4);
  GroupReceiver main(kGroup, kVideoPort);
  GroupReceiver sub(kGroup, kSubPort);
  ovSenderSetStart(true);
  auto sent = main.collect(1500ms);
  ASSERT_FALSE(sent.empty());
  std::uint32_t ssrc = sent.back().ssrc;
  for (const int mode : {1, 2, 3, 0}) {
    main.drain();
    sub.drain();
    const auto set = std::chrono::steady_clock::now();
    ovSenderSetFocusDisplay(mode);
    std::optional<std::chrono::steady_clock::duration> took;
    while (!took && std::chrono::steady_clock::now() - set < 3s) {
      for (const auto &datagram : main.collect(50ms))
        if (!took && datagram.ssrc != ssrc) {
          took = datagram.at - set;
          ssrc = datagram.ssrc;
        }
    }
    ASSERT_TRUE(took) << "mode " << mode << " never came";
    EXPECT_LT(*took, 1s) << "mode " << mode << " took "
                         << std::chrono::duration_cast<std::chrono::milliseconds>(*took).count() << " ms";
    sub.drain();  // what the previous pipeline sent
    const bool subSent = !sub.collect(300ms).empty();
    EXPECT_EQ(subSent, mode == 1 || mode == 3) << "mode " << mode;
  }
}

}  // namespace
