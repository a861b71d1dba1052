// The real engine seen from the receiving side, inside the test's own
// network namespace (NetworkNamespaceMain.cpp).
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <future>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "GroupReceiver.h"
#include "MediaFile.h"
#include "RealEngineFixture.h"
#include "VideoReceiver.h"
#include "ovSenderSim.h"

// After the engine's own headers: X11's macros (Status, None) clash with names in them.
#include "EngineOnVirtualDisplay.h"
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "ovSender.h"

namespace {

using namespace realengine;

// A console polls the engine several times a second for as long as it runs;
// the call log only serves the simulation's tests.
TEST_F(RealEngine, KeepsNoCallLogInMemory) {
  for (int i = 0; i < 100; ++i) ovSenderGetValid();
  EXPECT_TRUE(ovSenderSimCallLog().empty());
}

TEST_F(RealEngine, OffersTheTestSourcesAndOnlyEncodersThatExist) {
  const auto video = names(ovSenderGetNumVideoSources(), ovSenderGetVideoSourceFriendlyName);
  const auto audio = names(ovSenderGetNumAudioSources(), ovSenderGetAudioSourceFriendlyName);
  EXPECT_NE(std::find(video.begin(), video.end(), "Test pattern"), video.end());
  EXPECT_NE(std::find(audio.begin(), audio.end(), "Test tone"), audio.end());
  EXPECT_NE(std::find(audio.begin(), audio.end(), "Silence"), audio.end());
  const char *display = std::getenv("DISPLAY");
  if (!display || !*display) {
    EXPECT_EQ(std::find(video.begin(), video.end(), "Screen"), video.end());
  }
  EXPECT_EQ(ovSenderGetNumVideoSourcePropertyPages(), 0);

  const std::map<std::string, std::pair<const char *, int>> known = {{"H.264 (x264)", {"x264enc", 0}},
                                                                     {"H.264 (OpenH264)", {"openh264enc", 1}},
                                                                     {"VP8", {"vp8enc", 1}},
                                                                     {"VP9", {"vp9enc", 2}},
                                                                     {"Opus", {"opusenc", 0}}};
  struct EncoderList {
    int count;
    const char *(*nameOf)(int);
    int (*priorityOf)(int);
  };
  for (const auto [count, nameOf, priorityOf] :
       {EncoderList{ovSenderGetNumVideoEncoder(), ovSenderGetVideoEncoderFriendlyName, ovSenderGetVideoEncoderPriority},
        EncoderList{ovSenderGetNumAudioEncoder(), ovSenderGetAudioEncoderFriendlyName,
                    ovSenderGetAudioEncoderPriority}}) {
    int previous = 0;
    for (int i = 0; i < count; ++i) {
      const auto entry = known.find(nameOf(i));
      ASSERT_NE(entry, known.end()) << nameOf(i);
      EXPECT_TRUE(elementExists(entry->second.first)) << nameOf(i);
      EXPECT_EQ(priorityOf(i), entry->second.second) << nameOf(i);
      EXPECT_GE(priorityOf(i), previous) << "best first";
      previous = priorityOf(i);
    }
  }
}

struct SendCase {
  const char *what;
  const char *group;
  const char *encoder;
  int resolution;
  int packetSize;
  int ttl;
  int copies;
  int videoCap;
  int audioCap;
};

struct StreamSeen {
  std::vector<Datagram> datagrams;
  double bitsPerSecond = 0;
};

StreamSeen receive(const std::string &group, int port, std::chrono::milliseconds duration) {
  GroupReceiver receiver(group, port);
  StreamSeen seen;
  if (!receiver.ok()) return seen;
  seen.datagrams = receiver.collect(duration);
  std::size_t bytes = 0;
  for (const auto &d : seen.datagrams) bytes += d.size;
  seen.bitsPerSecond = static_cast<double>(bytes) * 8 / std::chrono::duration<double>(duration).count();
  return seen;
}

// Share of the (SSRC, sequence) pairs that arrived exactly `copies` times.
double shareWithCopies(const std::vector<Datagram> &datagrams, int copies) {
  std::map<std::pair<std::uint32_t, std::uint16_t>, int> times;
  for (const auto &d : datagrams) ++times[{d.ssrc, d.sequence}];
  if (times.empty()) return 0;
  const auto exact =
      std::count_if(times.begin(), times.end(), [&](const auto &entry) { return entry.second == copies; });
  return static_cast<double>(exact) / static_cast<double>(times.size());
}

void expectStream(const SendCase &c, const StreamSeen &seen, int cap, int reported, const char *stream) {
  SCOPED_TRACE(std::string(c.what) + ", " + stream);
  ASSERT_FALSE(seen.datagrams.empty());
  for (const auto &d : seen.datagrams) {
    ASSERT_LE(d.size, static_cast<std::size_t>(c.packetSize));
    ASSERT_EQ(d.ttl, c.ttl);
  }
  EXPECT_GE(shareWithCopies(seen.datagrams, c.copies), 0.95);
  EXPECT_NEAR(seen.bitsPerSecond, cap, cap * 0.15) << "the stream uses its cap and holds it";
  EXPECT_NEAR(reported, seen.bitsPerSecond, seen.bitsPerSecond * 0.15) << "engine's own rate against the wire";
}

bool haveIPv6Route() {
  GroupReceiver probe(kGroup6, kAudioPort);
  return probe.ok() && std::system("ip -6 route show table local | grep -q ff15::/16") == 0;
}

TEST_F(RealEngine, SendsToTheGroupAsConfigured) {
  const SendCase cases[] = {
      {"640x480 1 Mbit/s", kGroup, "H.264 (x264)", 6, 1200, 3, 1, 1000000, 64000},
      {"320x240 two copies, small packets", kGroup, "H.264 (x264)", 4, 600, 1, 2, 600000, 128000},
      {"IPv6, hop limit 5", kGroup6, "H.264 (x264)", 4, 1000, 5, 1, 500000, 64000},
      {"VP8 640x480 1 Mbit/s", kGroup, "VP8", 6, 1200, 2, 1, 1000000, 64000},
  };
  for (const auto &c : cases) {
    const int encoder = indexOf(ovSenderGetNumVideoEncoder(), ovSenderGetVideoEncoderFriendlyName, c.encoder);
    if (encoder < 0) {
      std::printf("Skipping %s: no %s encoder here\n", c.what, c.encoder);
      continue;
    }
    ovSenderSetVideoEncoder(encoder);
    if (c.group == std::string(kGroup6) && !haveIPv6Route()) {
      std::printf("Skipping %s: the namespace has no IPv6 multicast route\n", c.what);
      continue;
    }
    ovSenderSetAddress(c.group);
    ovSenderSetVideoResolution(c.resolution);
    ovSenderSetPacketSize(c.packetSize);
    ovSenderSetTimeToLive(c.ttl);
    ovSenderSetTransmissionCount(c.copies);
    ovSenderSetVideoSenderMainMaxTransmissionRate(c.videoCap);
    ovSenderSetAudioSenderMaxTransmissionRate(c.audioCap);
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() > 0; }, 5s)) << c.what;
    std::this_thread::sleep_for(1s);  // past the first key frame and the encoder's start
    auto audio = std::async(std::launch::async, [&] { return receive(c.group, kAudioPort, 2s); });
    const StreamSeen video = receive(c.group, kVideoPort, 2s);
    const StreamSeen sound = audio.get();
    expectStream(c, video, c.videoCap, ovSenderGetVideoSenderMainTransmissionRate(), "video");
    expectStream(c, sound, c.audioCap, ovSenderGetAudioSenderTransmissionRate(), "audio");
    EXPECT_NEAR(ovSenderGetVideoSenderMainFrameRate(), 30, 5) << c.what;
    EXPECT_NEAR(ovSenderGetAudioSenderFrameRate(), 50, 5) << c.what << ": 20 ms Opus packets";
    ovSenderSetStart(false);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() == 0; }, 3s));
  }
}

// What a receiver decoded in the time given: how many pictures, and the last one.
struct Decoded {
  int frames = 0;
  Picture last;
};

Decoded decodeVideo(std::chrono::milliseconds duration) {
  VideoReceiver receiver(kGroup, kVideoPort);
  Decoded decoded;
  const auto end = std::chrono::steady_clock::now() + duration;
  while (std::chrono::steady_clock::now() < end) {
    if (auto picture = receiver.next(100ms)) {
      decoded.last = std::move(*picture);
      ++decoded.frames;
    }
  }
  return decoded;
}

TEST_F(RealEngine, ReceiversDecodeThePictureAtTheChosenSizeAndFindTheSession) {
  if (!haveX264() || !elementExists("avdec_h264")) GTEST_SKIP() << "x264enc or avdec_h264 is not installed";
  ovSenderSetVideoResolution(6);
  ovSenderSetStart(true);
  const Decoded decoded = decodeVideo(3s);
  EXPECT_GE(decoded.frames, 30) << "of about 90 in 3 s (the receiver waits for a key frame)";
  EXPECT_EQ(decoded.last.width, 640);
  EXPECT_EQ(decoded.last.height, 480);

  std::ifstream sdp(sessionDescriptionFile());
  std::stringstream text;
  text << sdp.rdbuf();
  EXPECT_NE(text.str().find("c=IN IP4 239.255.42.1/1"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("m=video 5004 RTP/AVP 96\r\na=rtpmap:96 H264/90000"), std::string::npos) << text.str();
  EXPECT_NE(text.str().find("m=audio 5008 RTP/AVP 97\r\na=rtpmap:97 OPUS/48000/2"), std::string::npos) << text.str();
  ovSenderSetStart(false);
  EXPECT_TRUE(waitUntil(
      [] { return !std::filesystem::exists(sessionDescriptionFile()); }, 3s));
}

TEST_F(RealEngine, ACaptionShowsInTheReceivedPictureAndCanBeChangedWhileSending) {
  if (!haveX264() || !elementExists("avdec_h264")) GTEST_SKIP() << "x264enc or avdec_h264 is not installed";
  ovSenderSetVideoResolution(6);
  ovSenderSetCaption("");
  ovSenderSetCaptionOn(true);
  ovSenderSetStart(true);
  const double before = whiteShareWhereCaptionsGo(decodeVideo(1500ms).last);
  std::string blocks;
  for (int i = 0; i < 60; ++i) blocks += "\u2588";  // full blocks: solid white across the picture
  ovSenderSetCaption(blocks.c_str());
  const double after = whiteShareWhereCaptionsGo(decodeVideo(1500ms).last);
  ovSenderSetCaptionOn(false);
  const double off = whiteShareWhereCaptionsGo(decodeVideo(1500ms).last);
  ovSenderSetCaption("");
  EXPECT_GT(after, before + 0.2);
  EXPECT_LT(off, after - 0.2);
}

TEST_F(RealEngine, HandsPicturesToAConsoleWithoutAnXWindow) {
  ovSenderSetVideoResolution(4);
  std::vector<std::uint8_t> pixels(320 * 240 * 4);
  int width = 0, height = 0, first = 0;
  ASSERT_TRUE(waitUntil(
      [&] {
        return (first = ovSenderCopyPreviewFrame(pixels.data(), static_cast<int>(pixels.size()), &width, &height)) >
                   0 &&
               width == 320;
      },
      3s));
  EXPECT_EQ(height, 240);
  EXPECT_NE(std::count(pixels.begin(), pixels.end(), 0), static_cast<long>(pixels.size())) << "a picture, not black";
  EXPECT_TRUE(waitUntil([&] { return ovSenderCopyPreviewFrame(nullptr, 0, &width, &height) > first; }, 1s))
      << "new pictures keep coming";
  EXPECT_GT(ovSenderCopyPreviewFrame(pixels.data(), 16, &width, &height), 0) << "too small a buffer is left alone";
}

// The brightest channel value in a window's middle row, read back from the X server.
int brightestInMiddleRow(Display *display, Window window) {
  XImage *image = XGetImage(display, window, 0, 120, 320, 1, AllPlanes, ZPixmap);
  if (!image) return -1;
  int brightest = 0;
  for (int x = 0; x < 320; ++x) {
    const unsigned long pixel = XGetPixel(image, x, 0);
    brightest = std::max({brightest, static_cast<int>(pixel & 0xff), static_cast<int>((pixel >> 8) & 0xff),
                          static_cast<int>((pixel >> 16) & 0xff)});
  }
  XDestroyImage(image);
  return brightest;
}

TEST_F(RealEngine, DrawsIntoALiveXWindowAndRefusesABadOne) {
  EngineOnVirtualDisplay screen;
  if (!screen.haveXvfb()) GTEST_SKIP() << "Xvfb is not installed";
  ASSERT_TRUE(screen.ok());
  Display *display = screen.display();
  const Window window = screen.window();
  SetUp();
  EXPECT_TRUE(waitUntil([&] { return brightestInMiddleRow(display, window) > 150; }, 5s))
      << "colour bars in the window";
  int width = 0, height = 0;
  EXPECT_EQ(ovSenderCopyPreviewFrame(nullptr, 0, &width, &height), 0) << "drawn by the engine, nothing handed over";
  // Xlib's default handler would end the whole process on the sink's next picture.
  screen.destroyWindow();
  std::this_thread::sleep_for(1s);
  EXPECT_TRUE(ovSenderIsInitialized()) << "a preview window that went away while drawn into";

  ovSenderShutdown();
  ASSERT_TRUE(ovSenderInitialize(0x7fffff01)) << "a window id the server does not know";
  SetUp();
  EXPECT_TRUE(waitUntil([&] { return ovSenderCopyPreviewFrame(nullptr, 0, &width, &height) > 0; }, 3s))
      << "the pictures are handed over instead";

}

TEST_F(RealEngine, DetectsAnotherSenderButNeverItself) {
  const std::string other = "239.255.42.9";
  ovSenderAddMulticastDetector(other.c_str());
  ovSenderAddMulticastDetector(kGroup);
  ovSenderSetStart(true);
  std::this_thread::sleep_for(300ms);  // the groups are joined on the engine's next rounds
  const bool seenOther = waitUntil(
      [&] {
        sendForeignRtp(other, kVideoPort, 0x12345678);
        return ovSenderWasDetectedMulticast(other.c_str());
      },
      3s);
  EXPECT_TRUE(seenOther);
  ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() > 0; }, 5s));
  std::this_thread::sleep_for(1s);
  EXPECT_FALSE(ovSenderWasDetectedMulticast(kGroup)) << "our own packets count as another sender";
  ovSenderRemoveMulticastDetector(other.c_str());
  ovSenderRemoveMulticastDetector(kGroup);
  EXPECT_TRUE(waitUntil([&] { return !ovSenderWasDetectedMulticast(other.c_str()); }, 2s));
}

TEST_F(RealEngine, LevelsFollowTheSentAudio) {
  struct Case {
    const char *source;
    int expected;  // hundredths of a dB: a sine at 0.3 of full scale has an RMS of -13.47 dB
    int tolerance;
  };
  ovSenderSetVolumeEvaluationTime(500);
  for (const Case c : {Case{"Test tone", -1347, 100}, Case{"Silence", -3000, 0}}) {
    ovSenderSetAudioSource(indexOf(ovSenderGetNumAudioSources(), ovSenderGetAudioSourceFriendlyName, c.source));
    std::this_thread::sleep_for(1200ms);  // the new source fills a whole evaluation time
    int left = 0, right = 0;
    ovSenderGetVolume(&left, &right);
    EXPECT_NEAR(left, c.expected, c.tolerance) << c.source;
    EXPECT_NEAR(right, c.expected, c.tolerance) << c.source;
  }
}

TEST_F(RealEngine, ReportsWhatCannotWorkAndStaysUsable) {
  struct Case {
    const char *what;
    std::function<void()> change;
    int kind;
  };
  const Case cases[] = {
      {"unicast address", [] { ovSenderSetAddress("10.1.2.3"); }, OVSENDER_ERROR_UNEXPECTED},
      {"direct video of a raw source", [] { ovSenderSetDirectVideoModeOn(true); }, OVSENDER_ERROR_WRONG_MEDIATYPE},
      {"no such encoder", [] { ovSenderSetVideoEncoder(99); }, OVSENDER_ERROR_WRONG_ENCODER},
      {"packet too small for RTP", [] { ovSenderSetPacketSize(20); }, OVSENDER_ERROR_UNEXPECTED},
  };
  for (const auto &c : cases) {
    SetUp();
    c.change();
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return !ovSenderGetValid(); }, 3s)) << c.what;
    const Error error = currentError();
    EXPECT_EQ(error.kind, c.kind) << c.what;
    EXPECT_FALSE(error.text.empty()) << c.what;
    EXPECT_EQ(ovSenderGetVideoSenderMainTransmissionRate(), 0) << c.what;
  }
  SetUp();  // back to settings that work: the engine recovers
  EXPECT_TRUE(waitUntil(ovSenderGetValid, 3s));

  EXPECT_FALSE(ovSenderIsValidDVInterleavedMode());
  ovSenderSetDVInterleavedModeOn(true);
  EXPECT_TRUE(ovSenderGetValid()) << "an impossible DV mode is ignored";
}

TEST_F(RealEngine, PlaysClipsAndSoundFilesIntoTheSentStreamsThenReturnsToTheSources) {
  const std::string folder = std::getenv("OSTREL_HOME");
  const std::string clip = folder + "/clip.avi", sound = folder + "/sound.wav", text = folder + "/notes.txt";
  ASSERT_TRUE(
      makeFile("videotestsrc num-buffers=30 pattern=ball ! video/x-raw,width=320,height=240,framerate=30/1"
               " ! jpegenc ! avimux ! filesink location=" +
               clip));
  ASSERT_TRUE(
      makeFile("audiotestsrc num-buffers=100 samplesperbuffer=480 volume=1.0 ! audio/x-raw,rate=48000,channels=2"
               " ! wavenc ! filesink location=" +
               sound));  // 1 s of a full-scale sine: -3.01 dB RMS
  std::ofstream(text) << "not a clip\n";

  EXPECT_FALSE(ovSenderPlayVideoClip("/nonexistent/clip.avi"));
  EXPECT_FALSE(ovSenderPlayVideoClip(text.c_str()));
  EXPECT_FALSE(ovSenderPlaySoundFile(text.c_str()));
  EXPECT_FALSE(ovSenderPlaySoundFile(clip.c_str())) << "a clip without sound is no sound file";
  EXPECT_FALSE(ovSenderIsPlayVideoClip());

  ovSenderSetVolumeEvaluationTime(200);
  ovSenderSetStart(true);
  ASSERT_TRUE(ovSenderPlaySoundFile(sound.c_str()));
  EXPECT_TRUE(ovSenderIsPlaySoundFile());
  EXPECT_TRUE(waitUntil(
      [] {
        int left = 0, right = 0;
        ovSenderGetVolume(&left, &right);
        return std::abs(left + 301) <= 100;
      },
      3s))
      << "the sound file's level is sent";
  EXPECT_TRUE(waitUntil([] { return !ovSenderIsPlaySoundFile(); }, 4s));
  EXPECT_TRUE(waitUntil(
      [] {
        int left = 0, right = 0;
        ovSenderGetVolume(&left, &right);
        return std::abs(left + 1347) <= 100;
      },
      3s))
      << "back to the test tone";

  ASSERT_TRUE(ovSenderPlayVideoClip(clip.c_str()));
  EXPECT_TRUE(ovSenderIsPlayVideoClip());
  EXPECT_TRUE(waitUntil([] { return !ovSenderIsPlayVideoClip(); }, 5s)) << "a 1 s clip ends";
  EXPECT_TRUE(ovSenderGetValid()) << currentError().text;
  EXPECT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainFrameRate() > 20; }, 4s)) << "the source sends again";
}

}  // namespace
