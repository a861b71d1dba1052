// What every real-engine test needs: the group it sends to, bounded waits,
// lookups by name and a fixture that starts each test from the same
// settings (test pattern, test tone, the first encoders, 320x240 at 1400-byte
// packets, one copy, TTL 1). Each test program runs inside its own network
// namespace (NetworkNamespaceMain.cpp).
#pragma once

#include <gst/gst.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ovSender.h"

namespace realengine {

using namespace std::chrono_literals;

constexpr const char *kGroup = "239.255.42.1";
constexpr const char *kGroup6 = "ff15::4201";
constexpr int kVideoPort = 5004;
constexpr int kAudioPort = 5008;

inline bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(20ms);
  }
  return condition();
}

inline int indexOf(int count, const char *(*nameOf)(int), const std::string &name) {
  for (int i = 0; i < count; ++i)
    if (name == nameOf(i)) return i;
  return -1;
}

inline std::vector<std::string> names(int count, const char *(*nameOf)(int)) {
  std::vector<std::string> list;
  for (int i = 0; i < count; ++i) list.emplace_back(nameOf(i));
  return list;
}

inline bool elementExists(const char *name) {
  GstElementFactory *factory = gst_element_factory_find(name);
  if (factory) gst_object_unref(factory);
  return factory != nullptr;
}

struct Error {
  int identity = 0;
  int kind = 0;
  std::string text;
};

inline Error currentError() {
  Error error;
  char text[OVSENDER_ERROR_TEXT_SIZE] = {};
  ovSenderGetErrorMessage(&error.identity, &error.kind, text);
  error.text = text;
  return error;
}

// Where the engine publishes what it sends, beside its registry store.
inline std::filesystem::path sessionDescriptionFile() {
  const char *home = std::getenv("OSTREL_HOME");
  return std::filesystem::path(home ? home : ".") / "session.sdp";
}

class RealEngine : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ASSERT_TRUE(ovSenderInitialize(0));
    gst_init(nullptr, nullptr);
  }
  static void TearDownTestSuite() { ovSenderShutdown(); }

  void SetUp() override {
    ovSenderSetStart(false);
    // The worker takes the stop on its next round; until then the session
    // description of the last test's pipeline would still be there to read.
    ASSERT_TRUE(waitUntil([] { return !std::filesystem::exists(sessionDescriptionFile()); }, 3s));
    ovSenderSetAddress(kGroup);
    ovSenderSetVideoSource(indexOf(ovSenderGetNumVideoSources(), ovSenderGetVideoSourceFriendlyName, "Test pattern"));
    ovSenderSetAudioSource(indexOf(ovSenderGetNumAudioSources(), ovSenderGetAudioSourceFriendlyName, "Test tone"));
    ovSenderSetVideoEncoder(0);
    ovSenderSetAudioEncoder(0);
    ovSenderSetDirectVideoModeOn(false);
    ovSenderSetDVInterleavedModeOn(false);
    ovSenderSetTransmissionCount(1);
    ovSenderSetVideoResolution(4);
    ovSenderSetPacketSize(1400);
    ovSenderSetTimeToLive(1);
    ASSERT_TRUE(waitUntil(ovSenderGetValid, 3s)) << currentError().text;
  }
  void TearDown() override { ovSenderSetStart(false); }

  static bool haveX264() {
    return indexOf(ovSenderGetNumVideoEncoder(), ovSenderGetVideoEncoderFriendlyName, "H.264 (x264)") >= 0;
  }
};

}  // namespace realengine
