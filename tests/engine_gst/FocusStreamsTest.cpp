// The focus information and status streams of the real engine, seen from
// the receiving side inside the test's own network namespace.
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <future>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "FocusDatagrams.h"
#include "GroupReceiver.h"
#include "RealEngineFixture.h"

// After the engine's own headers: X11's macros (Status, None) clash with names in them.
#include "EngineOnVirtualDisplay.h"
#include <X11/Xlib.h>

#include "ovSender.h"
#include "ovSenderSim.h"

namespace {

using namespace realengine;
using ovgst::PointerDatagram;
using ovgst::StatusDatagram;

constexpr int kPointerPort = 5010;
constexpr int kStatusPort = 5012;
constexpr int kIPv4Headers = 28;
constexpr int kIPv6Headers = 48;

std::vector<PointerDatagram> pointersIn(const std::vector<Datagram> &received) {
  std::vector<PointerDatagram> decoded;
  for (const auto &datagram : received) {
    auto pointer = ovgst::decodePointer(datagram.bytes);
    EXPECT_TRUE(pointer) << "a datagram of " << datagram.size << " bytes that does not decode";
    if (pointer) decoded.push_back(*pointer);
  }
  return decoded;
}

std::vector<StatusDatagram> statusesIn(const std::vector<Datagram> &received) {
  std::vector<StatusDatagram> decoded;
  for (const auto &datagram : received)
    if (auto status = ovgst::decodeStatus(datagram.bytes)) decoded.push_back(*status);
  return decoded;
}

// Reads in short slices until a datagram passes the test or the time is up; how long it took.
template <typename Decode, typename Test>
std::optional<std::chrono::milliseconds> timeUntil(GroupReceiver &receiver, Decode decode, Test test,
                                                   std::chrono::milliseconds limit) {
  const auto start = std::chrono::steady_clock::now();
  while (std::chrono::steady_clock::now() - start < limit) {
    for (const auto &datagram : receiver.collect(50ms)) {
      auto decoded = decode(datagram.bytes);
      if (decoded && test(*decoded))
        return std::chrono::duration_cast<std::chrono::milliseconds>(datagram.at - start);
    }
  }
  return std::nullopt;
}

bool haveIPv6Route() {
  GroupReceiver probe(kGroup6, kStatusPort);
  return probe.ok() && std::system("ip -6 route show table local | grep -q ff15::/16") == 0;
}

class FocusEngine : public RealEngine {
 protected:
  void SetUp() override {
    RealEngine::SetUp();
    ovSenderSetFocusTransmissionOn(true);
    ovSenderSetFocusDisplay(0);
    ovSenderSetFocusCoordinate(1);
    ovSenderSetPointerSenderMaxTransmissionRate(100 * 1024);
    ovSenderSetStatusSenderMaxTransmissionRate(100 * 1024);
  }
  void TearDown() override {
    RealEngine::TearDown();
    ovSenderSimReleaseFocusPoint();
  }
};

struct PaceCase {
  const char *what;
  const char *group;
  int maximum;
  int copies;
  int ttl;
  int packetSize;
  double perSecond;  // datagrams a second of one copy
};

TEST_F(FocusEngine, PointerDatagramsCarryThePointKeepToTheirRateAndStopWithFocusTransmission) {
  const PaceCase cases[] = {
      {"the ceiling under the default maximum", kGroup, 100 * 1024, 1, 1, 1400, 60},
      {"a low maximum", kGroup, 20 * 1024, 1, 3, 64, 20480 / ((40.0 + kIPv4Headers) * 8)},
      {"two copies", kGroup, 20 * 1024, 2, 1, 1400, 20480 / ((40.0 + kIPv4Headers) * 16)},
      {"IPv6", kGroup6, 20 * 1024, 1, 5, 1400, 20480 / ((40.0 + kIPv6Headers) * 8)},
  };
  ovSenderSimSetFocusPoint(0.25, 0.75);  // pixel 80, 180 of 320x240
  ovSenderSetFocusDisplay(1);
  ovSenderSetPartialZoomSourceVideoResolution(3);  // 160x120 around the point, kept inside
  for (const auto &c : cases) {
    if (c.group == std::string(kGroup6) && !haveIPv6Route()) {
      std::printf("Skipping %s: the namespace has no IPv6 multicast route\n", c.what);
      continue;
    }
    ovSenderSetAddress(c.group);
    ovSenderSetTransmissionCount(c.copies);
    ovSenderSetTimeToLive(c.ttl);
    ovSenderSetPacketSize(c.packetSize);
    ovSenderSetPointerSenderMaxTransmissionRate(c.maximum);
    ovSenderSetFocusTransmissionOn(true);
    GroupReceiver receiver(c.group, kPointerPort);
    GroupReceiver status(c.group, kStatusPort);
    ASSERT_TRUE(receiver.ok() && status.ok()) << c.what;
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetPointerSenderFrameRate() > 0; }, 5s)) << c.what;
    std::this_thread::sleep_for(1200ms);  // a whole measuring second at the steady pace
    receiver.drain();
    const auto seconds = 3.0;
    const auto received = receiver.collect(3s);
    const auto pointers = pointersIn(received);
    std::set<std::uint32_t> sequences;
    std::size_t bytes = 0;
    for (const auto &datagram : received) {
      bytes += datagram.size;
      EXPECT_LE(datagram.size, static_cast<std::size_t>(c.packetSize)) << c.what;
      EXPECT_EQ(datagram.ttl, c.ttl) << c.what;
    }
    for (const auto &p : pointers) {
      sequences.insert(p.sequence);
      EXPECT_EQ(std::pair(p.pointX, p.pointY), std::pair(80, 180)) << c.what;
      EXPECT_EQ(std::pair(p.pictureWidth, p.pictureHeight), std::pair(320, 240)) << c.what;
      EXPECT_EQ(p.mode, 1) << c.what;
      EXPECT_EQ(std::vector({p.regionX, p.regionY, p.regionWidth, p.regionHeight}), std::vector({0, 120, 160, 120}))
          << c.what;
    }
    const double rate = sequences.size() / seconds;
    EXPECT_NEAR(rate, c.perSecond, c.perSecond * 0.15) << c.what;
    EXPECT_NEAR(static_cast<double>(received.size()), static_cast<double>(sequences.size() * c.copies), 2) << c.what;
    const int headers = c.group == std::string(kGroup6) ? kIPv6Headers : kIPv4Headers;
    const double wireBits = (bytes + received.size() * headers) * 8 / seconds;
    EXPECT_LE(wireBits, c.maximum * 1.03) << c.what << ": the maximum holds on the wire";
    EXPECT_NEAR(ovSenderGetPointerSenderFrameRate(), c.perSecond, c.perSecond * 0.15 + 1) << c.what;
    EXPECT_NEAR(ovSenderGetPointerSenderTransmissionRate(), bytes * 8 / seconds, bytes * 8 / seconds * 0.15)
        << c.what << ": the monitor counts what was sent";
    std::printf("%s: %.1f datagrams/s (expected %.1f), %.0f bit/s on the wire of %d\n", c.what, rate, c.perSecond,
                wireBits, c.maximum);

    ovSenderSetFocusTransmissionOn(false);
    std::this_thread::sleep_for(300ms);
    receiver.drain();
    status.drain();
    auto statusLater = std::async(std::launch::async, [&] { return statusesIn(status.collect(1500ms)); });
    EXPECT_TRUE(receiver.collect(1s).empty()) << c.what << ": focus transmission is off";
    const auto statuses = statusLater.get();
    ASSERT_FALSE(statuses.empty()) << c.what << ": the status goes on";
    EXPECT_FALSE(statuses.back().focusOn) << c.what;
    EXPECT_TRUE(waitUntil([] { return ovSenderGetPointerSenderFrameRate() == 0; }, 3s)) << c.what;
    ovSenderSetStart(false);
  }
}

struct ModeSwitch {
  const char *what;
  int mode;
  std::function<void()> set;
  std::function<bool(const StatusDatagram &)> reported;
  std::function<bool(const PointerDatagram &)> pointed;
};

TEST_F(FocusEngine, TheStatusReportsEveryModeSwitchWithinASecond) {
  ovSenderSimSetFocusPoint(0.5, 0.5);
  ovSenderSetStart(true);
  GroupReceiver status(kGroup, kStatusPort);
  GroupReceiver pointer(kGroup, kPointerPort);
  const auto first = timeUntil(status, ovgst::decodeStatus, [](const StatusDatagram &) { return true; }, 3s);
  ASSERT_TRUE(first) << "a status while sending";
  const auto statuses = statusesIn(status.collect(300ms));
  ASSERT_FALSE(statuses.empty());
  const StatusDatagram &now = statuses.back();
  EXPECT_TRUE(now.started && now.videoOn && now.audioOn && now.focusOn);
  EXPECT_EQ(std::pair(now.mainWidth, now.mainHeight), std::pair(320, 240));
  EXPECT_EQ(now.packetSize, 1400);
  EXPECT_EQ(now.copies, 1);
  EXPECT_EQ(now.framesPerSecond, 30);
  EXPECT_FALSE(now.videoCodec.empty());
  EXPECT_EQ(now.audioCodec, "OPUS");
  EXPECT_EQ(now.subWidth, 0) << "no second picture without a mode";

  const ModeSwitch switches[] = {
      {"partial zoom", 1,
       [] {
         ovSenderSetPartialZoomSourceVideoResolution(0);  // 128x96
         ovSenderSetPartialZoomOutputVideoResolution(6);
       },
       [](const StatusDatagram &s) { return s.subWidth == 640 && s.subHeight == 480 && s.partialZoomSourceCode == 0; },
       [](const PointerDatagram &p) { return p.regionWidth == 128 && p.regionX == 96 && p.maskType == 0xff; }},
      {"non-linear zoom", 2,
       [] {
         ovSenderSetNonLinearZoomMaskType(0);
         ovSenderSetNonLinearZoomMaskSize(200, 80);
       },
       [](const StatusDatagram &s) {
         return s.subWidth == 0 && s.nonLinearZoomMaskType == 0 && s.nonLinearZoomMaskWidth == 200 &&
                s.nonLinearZoomMaskHeight == 80;
       },
       [](const PointerDatagram &p) { return p.maskType == 0 && p.regionWidth == 200 && p.regionHeight == 80; }},
      {"image compound", 3,
       [] {
         ovSenderSetImageCompoundAdditionalVideoResolution(12);
         ovSenderSetImageCompoundMaskType(2);
         ovSenderSetImageCompoundBlendingType(0);
       },
       [](const StatusDatagram &s) {
         return s.subWidth == 1280 && s.subHeight == 720 && s.imageCompoundMaskType == 2 &&
                s.imageCompoundBlendingType == 0 && s.imageCompoundAdditionalCode == 12;
       },
       [](const PointerDatagram &p) { return p.maskType == 2 && p.blendingType == 0 && p.regionWidth == 160; }},
      {"back to none", 0, [] {}, [](const StatusDatagram &s) { return s.subWidth == 0; },
       [](const PointerDatagram &p) { return p.regionWidth == 0 && p.maskType == 0xff; }},
  };
  for (const auto &s : switches) {
    s.set();
    ovSenderSetFocusDisplay(s.mode);
    ovSenderSendStatus();
    auto pointed = std::async(std::launch::async, [&] {
      return timeUntil(pointer, ovgst::decodePointer,
                       [&](const PointerDatagram &p) { return p.mode == s.mode && s.pointed(p); }, 2s);
    });
    const auto reported = timeUntil(
        status, ovgst::decodeStatus, [&](const StatusDatagram &d) { return d.mode == s.mode && s.reported(d); }, 2s);
    ASSERT_TRUE(reported) << s.what;
    EXPECT_LT(reported->count(), 1000) << s.what;
    std::printf("%s reported after %lld ms\n", s.what, static_cast<long long>(reported->count()));
    const auto onPointer = pointed.get();
    ASSERT_TRUE(onPointer) << s.what << ": the focus datagrams carry the mode's region";
    EXPECT_LT(onPointer->count(), 1000) << s.what;
  }
}

std::string sessionText() {
  std::ifstream sdp(sessionDescriptionFile());
  std::stringstream text;
  text << sdp.rdbuf();
  return text.str();
}

TEST_F(FocusEngine, TheSessionDescriptionListsTheFocusStreamWhileItIsSent) {
  ovSenderSetStart(true);
  const std::string focus = "m=application 5010 udp vnd.ostrel.focus\r\n";
  const std::string status = "m=application 5012 udp vnd.ostrel.status\r\n";
  ASSERT_TRUE(waitUntil([&] { return sessionText().find(focus) != std::string::npos; }, 3s)) << sessionText();
  EXPECT_NE(sessionText().find(status), std::string::npos) << sessionText();
  ovSenderSetFocusTransmissionOn(false);
  EXPECT_TRUE(waitUntil([&] { return sessionText().find(focus) == std::string::npos; }, 3s)) << sessionText();
  EXPECT_NE(sessionText().find(status), std::string::npos) << sessionText();
  EXPECT_NE(sessionText().find("m=video 5004"), std::string::npos) << "the media streams stay";
}

// The point the pointer makes in a 320x240 picture, from fractions of an area.
std::pair<int, int> pixelOf(double x, double width, double y, double height) {
  return {static_cast<int>(std::floor((x + 0.5) / width * 320)), static_cast<int>(std::floor((y + 0.5) / height * 240))};
}

TEST_F(FocusEngine, FollowsTheDisplayPointerInTheChosenCoordinates) {
  EngineOnVirtualDisplay screen(100, 100);  // on an 800x600 screen
  if (!screen.haveXvfb()) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(screen.ok());
  Display *display = screen.display();
  const Window root = screen.root();
  const Window window = screen.window();
  SetUp();
  ovSenderSimReleaseFocusPoint();
  ovSenderSetStart(true);
  GroupReceiver pointer(kGroup, kPointerPort);
  const auto at = [&](std::pair<int, int> pixel) {
    return timeUntil(pointer, ovgst::decodePointer,
                     [&](const PointerDatagram &p) { return std::pair(p.pointX, p.pointY) == pixel; }, 2s)
        .has_value();
  };

  ovSenderSetFocusCoordinate(0);
  XWarpPointer(display, 0, root, 0, 0, 0, 0, 200, 450);
  XSync(display, False);
  EXPECT_TRUE(at(pixelOf(200, 800, 450, 600))) << "the whole screen stands for the picture";
  XWarpPointer(display, 0, root, 0, 0, 0, 0, 799, 0);
  XSync(display, False);
  EXPECT_TRUE(at(pixelOf(799, 800, 0, 600))) << "and the point follows";

  ovSenderSetFocusCoordinate(1);
  XWarpPointer(display, 0, window, 0, 0, 0, 0, 160, 60);
  XSync(display, False);
  EXPECT_TRUE(at(pixelOf(160, 320, 60, 240))) << "the picture as the video window shows it";

  ovSenderSimSetFocusPoint(0.9, 0.1);
  XWarpPointer(display, 0, window, 0, 0, 0, 0, 10, 10);
  XSync(display, False);
  EXPECT_TRUE(at({288, 24})) << "a pinned point is not moved by the pointer";
  ovSenderSimSetFocusPoint(0.5, 0.5);
  ovSenderSimReleaseFocusPoint();
  ovSenderComputeFocusRegion();
  EXPECT_TRUE(at(pixelOf(10, 320, 10, 240))) << "released, the pointer leads again";

}

}  // namespace
