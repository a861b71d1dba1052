// The focus and status datagrams as bytes, their pace, and the geometry they
// carry: pure functions, no network and no display.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "FocusDatagrams.h"
#include "FocusPacing.h"
#include "FocusGeometry.h"
#include "PointerReader.h"
#include "VirtualDisplay.h"

// After the engine's own headers: X11's macros (Status, None) clash with names in them.
#include <X11/Xlib.h>

namespace {

using namespace ovgst;
using Bytes = std::vector<std::uint8_t>;

PointerDatagram pointerWith(std::function<void(PointerDatagram &)> change) {
  PointerDatagram d;
  d.sequence = 0x01020304;
  d.microseconds = 0x0a0b0c0d0e0f1011ull;
  d.pictureWidth = 320;
  d.pictureHeight = 240;
  d.pointX = 160;
  d.pointY = 120;
  change(d);
  return d;
}

StatusDatagram statusWith(std::function<void(StatusDatagram &)> change) {
  StatusDatagram d;
  d.sequence = 7;
  d.microseconds = 1'700'000'000'000'000ull;
  d.started = d.videoOn = d.audioOn = true;
  d.mainWidth = 640;
  d.mainHeight = 480;
  d.packetSize = 1400;
  d.framesPerSecond = 30;
  d.videoPayloadType = 96;
  d.audioPayloadType = 97;
  d.videoCodec = "H264";
  d.audioCodec = "OPUS";
  change(d);
  return d;
}

TEST(FocusDatagrams, PointerDatagramsSurviveTheRoundTripInEveryMode) {
  const PointerDatagram cases[] = {
      pointerWith([](PointerDatagram &) {}),
      pointerWith([](PointerDatagram &d) {
        d.mode = 1;
        d.regionX = 0;
        d.regionY = 40;
        d.regionWidth = 160;
        d.regionHeight = 120;
      }),
      pointerWith([](PointerDatagram &d) {
        d.mode = 2;
        d.maskType = 1;
        d.pointX = 0;
        d.regionX = -50;
        d.regionY = -30;
        d.regionWidth = 720;
        d.regionHeight = 10;
        d.frameVisible = true;
      }),
      pointerWith([](PointerDatagram &d) {
        d.mode = 3;
        d.maskType = 2;
        d.blendingType = 1;
        d.pictureWidth = 1920;
        d.pictureHeight = 1080;
        d.pointX = 1919;
        d.pointY = 1079;
        d.regionX = 1440;
        d.regionY = 810;
        d.regionWidth = 480;
        d.regionHeight = 270;
      }),
  };
  for (const auto &original : cases) {
    const Bytes bytes = encode(original);
    ASSERT_EQ(bytes.size(), kPointerDatagramSize);
    const auto decoded = decodePointer(bytes);
    ASSERT_TRUE(decoded) << "mode " << original.mode;
    EXPECT_EQ(*decoded, original) << "mode " << original.mode;
    EXPECT_FALSE(decodeStatus(bytes)) << "a pointer datagram is no status";
  }
}

TEST(FocusDatagrams, TheHeaderIsBigEndianWithMagicVersionKindAndLength) {
  const Bytes pointer = encode(pointerWith([](PointerDatagram &) {}));
  const Bytes head(pointer.begin(), pointer.begin() + 20);
  EXPECT_EQ(head, (Bytes{'O', 'S', 'T', 'R', 1, 1, 0, 40, 1, 2, 3, 4, 0x0a, 0x0b, 0x0c, 0x0d, 0x0e, 0x0f, 0x10, 0x11}));
  EXPECT_EQ(pointer[24], 0x01) << "picture width 320 = 0x0140";
  EXPECT_EQ(pointer[25], 0x40);
  const Bytes status = encode(statusWith([](StatusDatagram &) {}));
  EXPECT_EQ(status[5], 2) << "status kind";
  EXPECT_EQ(status[7], 64) << "status length";
}

TEST(FocusDatagrams, StatusDatagramsSurviveTheRoundTrip) {
  const StatusDatagram cases[] = {
      statusWith([](StatusDatagram &) {}),
      statusWith([](StatusDatagram &d) {
        d.audioOn = false;
        d.audioCodec.clear();
        d.focusOn = d.frameVisible = true;
        d.mode = 3;
        d.copies = 4;
        d.subWidth = 1280;
        d.subHeight = 720;
        d.imageCompoundBaseCode = 6;
        d.imageCompoundAdditionalCode = 12;
        d.imageCompoundMaskType = 2;
        d.imageCompoundBlendingType = 1;
      }),
      statusWith([](StatusDatagram &d) {
        d.started = false;
        d.mode = 2;
        d.videoCodec = "VP8";
        d.nonLinearZoomOutputCode = 15;
        d.nonLinearZoomMaskType = 1;
        d.nonLinearZoomMaskWidth = 720;
        d.nonLinearZoomMaskHeight = 10;
        d.packetSize = 64;
      }),
  };
  for (const auto &original : cases) {
    const Bytes bytes = encode(original);
    ASSERT_EQ(bytes.size(), kStatusDatagramSize);
    const auto decoded = decodeStatus(bytes);
    ASSERT_TRUE(decoded) << "mode " << original.mode;
    EXPECT_EQ(*decoded, original) << "mode " << original.mode;
    EXPECT_FALSE(decodePointer(bytes));
  }
}

// Each case spoils one thing of a valid datagram.
struct Spoiled {
  const char *what;
  std::function<void(Bytes &)> spoil;
};

TEST(FocusDatagrams, DecodingRefusesWhatIsNotAValidDatagramOfItsVersion) {
  const Spoiled pointerCases[] = {
      {"another magic", [](Bytes &b) { b[0] = 'X'; }},
      {"version 2", [](Bytes &b) { b[4] = 2; }},
      {"version 0", [](Bytes &b) { b[4] = 0; }},
      {"cut short", [](Bytes &b) { b.resize(39); }},
      {"length beyond the datagram", [](Bytes &b) { b[7] = 41; }},
      {"length under the layout", [](Bytes &b) { b[7] = 39; }},
      {"mode 4", [](Bytes &b) { b[20] = 4; }},
      {"a mask without a mode that has one", [](Bytes &b) { b[22] = 0; }},
      {"a point right of the picture", [](Bytes &b) { b[28] = 0x01, b[29] = 0x40; }},
      {"a region without a mode", [](Bytes &b) { b[37] = 5; }},
      {"empty", [](Bytes &b) { b.clear(); }},
  };
  const Bytes pointer = encode(pointerWith([](PointerDatagram &) {}));
  for (const auto &c : pointerCases) {
    Bytes bytes = pointer;
    c.spoil(bytes);
    EXPECT_FALSE(decodePointer(bytes)) << c.what;
  }
  const Spoiled modeCases[] = {
      {"non-linear zoom mask 2", [](Bytes &b) { b[22] = 2; }},
      {"blending in non-linear zoom", [](Bytes &b) { b[23] = 0; }},
  };
  const Bytes zoom = encode(pointerWith([](PointerDatagram &d) { d.mode = 2, d.maskType = 0; }));
  ASSERT_TRUE(decodePointer(zoom));
  for (const auto &c : modeCases) {
    Bytes bytes = zoom;
    c.spoil(bytes);
    EXPECT_FALSE(decodePointer(bytes)) << c.what;
  }
  const Spoiled statusCases[] = {
      {"kind of a pointer", [](Bytes &b) { b[5] = 1; }},
      {"copies 0", [](Bytes &b) { b[22] = 0; }},
      {"copies 5", [](Bytes &b) { b[22] = 5; }},
      {"resolution code 16", [](Bytes &b) { b[60] = 16; }},
      {"mask width 9", [](Bytes &b) { b[56] = 0, b[57] = 9; }},
      {"mask height 721", [](Bytes &b) { b[58] = 0x02, b[59] = 0xd1; }},
      {"image compound mask 3", [](Bytes &b) { b[62] = 3; }},
      {"blending 2", [](Bytes &b) { b[63] = 2; }},
      {"a control character in a codec name", [](Bytes &b) { b[37] = '\n'; }},
      {"cut short", [](Bytes &b) { b.resize(63); }},
  };
  const Bytes status = encode(statusWith([](StatusDatagram &) {}));
  for (const auto &c : statusCases) {
    Bytes bytes = status;
    c.spoil(bytes);
    EXPECT_FALSE(decodeStatus(bytes)) << c.what;
  }
}

TEST(FocusDatagrams, FieldsAppendedByALaterRevisionAreSkipped) {
  Bytes bytes = encode(statusWith([](StatusDatagram &) {}));
  bytes.insert(bytes.end(), {9, 9, 9, 9});
  bytes[7] = 68;
  ASSERT_TRUE(decodeStatus(bytes));
  EXPECT_EQ(decodeStatus(bytes)->mainWidth, 640);
}

TEST(FocusDatagrams, ValuesBeyondAFieldArePinnedToIt) {
  const auto pinned = decodePointer(encode(pointerWith([](PointerDatagram &d) {
    d.mode = 2;
    d.maskType = 0;
    d.regionX = -40000;
    d.regionY = 40000;
    d.regionWidth = 70000;
  })));
  ASSERT_TRUE(pinned);
  EXPECT_EQ(pinned->regionX, -32768);
  EXPECT_EQ(pinned->regionY, 32767);
  EXPECT_EQ(pinned->regionWidth, 65535);
  const auto named = decodeStatus(encode(statusWith([](StatusDatagram &d) { d.videoCodec = "MP4V-ES-LONG"; })));
  ASSERT_TRUE(named);
  EXPECT_EQ(named->videoCodec, "MP4V-ES-");
}

TEST(FocusPacing, TheWireRateOfAllCopiesStaysAtTheMaximumUnderTheCeiling) {
  struct Case {
    int maximum;
    std::size_t payload;
    bool ipv6;
    int copies;
    double ceiling;
    double expected;
  } cases[] = {
      {102400, 40, false, 1, 60, 60},                 // the default maximum: the ceiling holds
      {20480, 40, false, 1, 60, 20480 / (68.0 * 8)},  // 37.6 a second
      {20480, 40, false, 2, 60, 20480 / (68.0 * 16)},
      {20480, 40, true, 1, 60, 20480 / (88.0 * 8)},
      {1024, 64, false, 4, 10, 1024 / (92.0 * 32)},  // under one a second: the maximum wins
      {0, 40, false, 1, 60, 0},
      {1073741824, 64, true, 4, 10, 10},
  };
  for (const auto &c : cases) {
    EXPECT_NEAR(datagramsPerSecond(c.maximum, c.payload, c.ipv6, c.copies, c.ceiling), c.expected, 1e-9)
        << c.maximum << " bit/s, " << c.copies << " copies";
  }
  EXPECT_EQ(periodOf(50), std::chrono::milliseconds(20));
  EXPECT_GE(periodOf(0), std::chrono::minutes(59)) << "nothing allowed sends nothing";
}

TEST(FocusRegion, EachModeHasItsRegionAroundThePoint) {
  ovsim::EngineSettings s;
  s.partialZoomSourceVideoResolution = 3;  // 160x120
  s.partialZoomOutputVideoResolution = 6;
  s.nonLinearZoomMaskWidth = 100;
  s.nonLinearZoomMaskHeight = 60;
  s.nonLinearZoomMaskType = 0;
  s.imageCompoundAdditionalVideoResolution = 12;
  s.imageCompoundMaskType = 2;
  s.imageCompoundBlendingType = 0;
  struct Case {
    const char *what;
    int mode;
    ovsim::FocusPoint point;
    ovsim::PixelPoint pixel;
    ovsim::PixelRegion region;
    int mask;
    int blending;
    int subWidth;
  } cases[] = {
      {"none", 0, {0.5, 0.5}, {160, 120}, {0, 0, 0, 0}, -1, -1, 0},
      {"partial zoom at the centre", 1, {0.5, 0.5}, {160, 120}, {80, 60, 160, 120}, -1, -1, 640},
      {"partial zoom kept inside at a corner", 1, {0.0, 1.0}, {0, 239}, {0, 120, 160, 120}, -1, -1, 640},
      {"non-linear zoom past the edge", 2, {0.0, 0.0}, {0, 0}, {-50, -30, 100, 60}, 0, -1, 0},
      {"image compound, half the picture", 3, {0.75, 0.25}, {240, 60}, {160, 0, 160, 120}, 2, 0, 1280},
  };
  for (const auto &c : cases) {
    s.focusDisplay = c.mode;
    const auto g = ovsim::focusGeometry(s, {320, 240}, c.point);
    EXPECT_EQ(static_cast<int>(g.mode), c.mode) << c.what;
    EXPECT_EQ(g.point, c.pixel) << c.what;
    EXPECT_EQ(g.region, c.region) << c.what;
    EXPECT_EQ(g.maskType, c.mask) << c.what;
    EXPECT_EQ(g.blendingType, c.blending) << c.what;
    EXPECT_EQ(g.sub ? g.sub->width : 0, c.subWidth) << c.what;
  }
  s.focusDisplay = 1;
  s.partialZoomSourceVideoResolution = 13;  // 1920x1080, larger than the picture
  EXPECT_EQ(ovsim::focusGeometry(s, {320, 240}, {0.5, 0.5}).region, (ovsim::PixelRegion{0, 0, 320, 240}));
}

TEST(PointerMapping, ThePointerLandsOnThePictureAsTheWindowShowsIt) {
  struct Case {
    const char *what;
    int x, y, areaWidth, areaHeight;
    ovsim::PictureSize picture;
    bool inside;
    double fx, fy;
  } cases[] = {
      {"same size, top left pixel", 0, 0, 320, 240, {320, 240}, true, 0.5 / 320, 0.5 / 240},
      {"twice the size", 319, 239, 640, 480, {320, 240}, true, 319.5 / 640, 239.5 / 480},
      {"bars left and right", 400, 100, 800, 200, {320, 240}, true, (400.5 - 266.6667) / 266.6667, 100.5 / 200},
      {"on the left bar", 100, 100, 800, 200, {320, 240}, false, 0, 0},
      {"below a wide picture", 10, 235, 320, 240, {1280, 720}, false, 0, 0},
      {"outside the window", -5, 10, 320, 240, {320, 240}, false, 0, 0},
      {"an empty window", 0, 0, 0, 0, {320, 240}, false, 0, 0},
  };
  for (const auto &c : cases) {
    const auto point = pointOnFittedPicture(c.x, c.y, c.areaWidth, c.areaHeight, c.picture);
    ASSERT_EQ(point.has_value(), c.inside) << c.what;
    if (!point) continue;
    EXPECT_NEAR(point->x, c.fx, 1e-3) << c.what;
    EXPECT_NEAR(point->y, c.fy, 1e-3) << c.what;
  }
}

// A display of the test's own: the screen, the window, a window that is
// gone, and a server that went away, none of which may end the process.
TEST(PointerReader, ReadsThePointerAndSurvivesWindowsAndServersThatAreGone) {
  std::optional<VirtualDisplay> xvfb(std::in_place);  // 800x600
  if (!xvfb->ok()) GTEST_SKIP() << "Xvfb is not installed";
  const std::string previous = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
  setenv("DISPLAY", xvfb->name().c_str(), 1);
  Display *display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr);
  const Window root = DefaultRootWindow(display);
  const Window window = XCreateSimpleWindow(display, root, 50, 50, 640, 240, 0, 0, 0);
  XMapWindow(display, window);
  XWarpPointer(display, 0, root, 0, 0, 0, 0, 400, 300);
  XSync(display, False);
  const ovsim::PictureSize picture{320, 240};
  PointerReader reader;

  auto point = reader.read(0, 0, picture);
  ASSERT_TRUE(point) << "the whole screen";
  EXPECT_NEAR(point->x, 400.5 / 800, 1e-9);
  EXPECT_NEAR(point->y, 300.5 / 600, 1e-9);
  EXPECT_FALSE(reader.read(1, 0, picture)) << "no video window";
  EXPECT_FALSE(reader.read(1, 0x7fffff01, picture)) << "a window id the server does not know";

  XWarpPointer(display, 0, window, 0, 0, 0, 0, 320, 120);
  XSync(display, False);
  point = reader.read(1, window, picture);
  ASSERT_TRUE(point) << "the video window, the picture centred in it";
  EXPECT_NEAR(point->x, (320.5 - 160) / 320, 1e-9);
  EXPECT_NEAR(point->y, 120.5 / 240, 1e-9);
  XWarpPointer(display, 0, window, 0, 0, 0, 0, 100, 120);
  XSync(display, False);
  EXPECT_FALSE(reader.read(1, window, picture)) << "beside the picture";

  XDestroyWindow(display, window);
  XSync(display, False);
  EXPECT_FALSE(reader.read(1, window, picture)) << "a window that is gone";
  EXPECT_TRUE(reader.read(0, 0, picture)) << "and the connection still works";

  XCloseDisplay(display);
  xvfb.reset();
  EXPECT_FALSE(reader.read(0, 0, picture)) << "the server went away";
  EXPECT_FALSE(reader.read(0, 0, picture)) << "and stays away";
  if (previous.empty())
    unsetenv("DISPLAY");
  else
    setenv("DISPLAY", previous.c_str(), 1);
}

}  // namespace
