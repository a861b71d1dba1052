// Each stream's cap seen from the receiving side: held over every second,
// key frames included, and followed within a few seconds when it changes
// while sending, on the same pipeline.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <future>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "GroupReceiver.h"
#include "RealEngineFixture.h"
#include "ovSender.h"

namespace {

using namespace realengine;
using Clock = std::chrono::steady_clock;

constexpr auto kWindow = 1s;
constexpr auto kStep = 100ms;

double bitsIn(const std::vector<Datagram> &datagrams, Clock::time_point from, Clock::time_point to) {
  std::size_t bytes = 0;
  for (const auto &d : datagrams)
    if (d.at >= from && d.at < to) bytes += d.size;
  return static_cast<double>(bytes) * 8;
}

// Bit rates of every one-second window, a tenth of a second apart, over what arrived.
std::vector<double> windowRates(const std::vector<Datagram> &datagrams) {
  std::vector<double> rates;
  if (datagrams.empty()) return rates;
  const auto first = datagrams.front().at, last = datagrams.back().at;
  for (auto from = first; from + kWindow <= last; from += kStep) rates.push_back(bitsIn(datagrams, from, from + kWindow));
  return rates;
}

double averageRate(const std::vector<Datagram> &datagrams) {
  if (datagrams.size() < 2) return 0;
  const double seconds = std::chrono::duration<double>(datagrams.back().at - datagrams.front().at).count();
  return bitsIn(datagrams, datagrams.front().at, datagrams.back().at) / seconds;
}

std::vector<Datagram> receive(int port, std::chrono::milliseconds duration) {
  GroupReceiver receiver(kGroup, port);
  return receiver.ok() ? receiver.collect(duration) : std::vector<Datagram>{};
}

std::set<std::uint32_t> ssrcsOf(const std::vector<Datagram> &datagrams) {
  std::set<std::uint32_t> ssrcs;
  for (const auto &d : datagrams) ssrcs.insert(d.ssrc);
  return ssrcs;
}

class EngineRates : public RealEngine {
 protected:
  // False, saying why, when the encoder is not installed.
  bool useEncoder(const char *name) {
    const int encoder = indexOf(ovSenderGetNumVideoEncoder(), ovSenderGetVideoEncoderFriendlyName, name);
    if (encoder < 0) std::printf("Skipping %s: not installed here\n", name);
    ovSenderSetVideoEncoder(std::max(encoder, 0));
    return encoder >= 0;
  }
};

TEST_F(EngineRates, EverySecondOnTheWireStaysNearTheCapKeyFramesIncluded) {
  struct Case {
    const char *encoder;
    int videoCap;
  };
  // Four seconds hold two key frames (one every two seconds).
  for (const Case c : {Case{"H.264 (x264)", 1000000}, Case{"H.264 (x264)", 500000}, Case{"VP8", 1000000},
                       Case{"VP8", 500000}}) {
    if (!useEncoder(c.encoder)) continue;
    SCOPED_TRACE(std::string(c.encoder) + " at " + std::to_string(c.videoCap));
    ovSenderSetVideoResolution(6);  // 640x480 at 30 fps
    ovSenderSetVideoSenderMainMaxTransmissionRate(c.videoCap);
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() > 0; }, 5s));
    std::this_thread::sleep_for(1s);  // past the encoder's start
    const auto video = receive(kVideoPort, 4s);
    const auto rates = windowRates(video);
    ASSERT_FALSE(rates.empty());
    const double busiest = *std::max_element(rates.begin(), rates.end());
    const double quietest = *std::min_element(rates.begin(), rates.end());
    std::printf("%s at %d bit/s: %.0f on average, seconds from %.0f to %.0f\n", c.encoder, c.videoCap,
                averageRate(video), quietest, busiest);
    EXPECT_NEAR(averageRate(video), c.videoCap, c.videoCap * 0.15);
    EXPECT_LE(busiest, c.videoCap * 1.15);
    EXPECT_GE(quietest, c.videoCap * 0.7);
    ovSenderSetStart(false);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() == 0; }, 3s));
  }
}

TEST_F(EngineRates, ACapChangedWhileSendingIsFollowedOnTheSamePipeline) {
  struct Case {
    const char *what;
    const char *encoder;
    int port;
    void (*setCap)(int);
    int from;
    int to;
  };
  const Case cases[] = {
      {"x264 down", "H.264 (x264)", kVideoPort, ovSenderSetVideoSenderMainMaxTransmissionRate, 1000000, 400000},
      {"x264 up", "H.264 (x264)", kVideoPort, ovSenderSetVideoSenderMainMaxTransmissionRate, 400000, 1200000},
      {"VP8 down", "VP8", kVideoPort, ovSenderSetVideoSenderMainMaxTransmissionRate, 1000000, 400000},
      {"Opus down", "H.264 (x264)", kAudioPort, ovSenderSetAudioSenderMaxTransmissionRate, 128000, 32000},
  };
  for (const auto &c : cases) {
    if (!useEncoder(c.encoder)) continue;
    SCOPED_TRACE(c.what);
    ovSenderSetVideoResolution(6);
    ovSenderSetVideoSenderMainMaxTransmissionRate(1000000);
    ovSenderSetAudioSenderMaxTransmissionRate(64000);
    c.setCap(c.from);
    ovSenderSetStart(true);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() > 0; }, 5s));
    std::this_thread::sleep_for(1s);
    auto pending = std::async(std::launch::async, [&] { return receive(c.port, 6s); });
    std::this_thread::sleep_for(2s);
    const auto changed = Clock::now();
    c.setCap(c.to);
    const auto datagrams = pending.get();
    ASSERT_FALSE(datagrams.empty());
    // The encoders aim 10 % under the cap and, on a loaded machine or under a
    // sanitizer, fall a little further short; never over it by more than 15 %.
    // Either band lies far from the other rate, so a change that was not
    // followed still fails.
    const auto near = [](double bits, int cap) { return bits >= cap * 0.75 && bits <= cap * 1.15; };
    const double before = bitsIn(datagrams, changed - 1500ms, changed - 500ms);
    const double after = bitsIn(datagrams, changed + 3s, changed + 4s);
    EXPECT_TRUE(near(before, c.from)) << "before the change: " << before << " bit/s for a cap of " << c.from;
    EXPECT_TRUE(near(after, c.to)) << "the fourth second after it: " << after << " bit/s for a cap of " << c.to;
    EXPECT_EQ(ssrcsOf(datagrams).size(), 1u) << "one stream throughout: the pipeline was not rebuilt";
    ovSenderSetStart(false);
    ASSERT_TRUE(waitUntil([] { return ovSenderGetVideoSenderMainTransmissionRate() == 0; }, 3s));
  }
}

}  // namespace
