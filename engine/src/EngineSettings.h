// Every value the console sets through an ovSenderSet... function, with the
// defaults of a freshly installed engine. Values are kept as given; whether
// they can work is ConfigCheck's business.
#pragma once

#include <string>

namespace ovsim {

constexpr int kKilobit = 1024;
constexpr int kMegabit = 1024 * 1024;

struct EngineSettings {
  bool start = false;
  bool videoTransmissionOn = true;
  bool audioTransmissionOn = true;
  bool focusTransmissionOn = true;

  int videoSource = 0;
  int audioSource = 0;
  int videoEncoder = 0;
  int audioEncoder = 0;
  bool directVideoModeOn = false;
  bool dvInterleavedModeOn = false;

  int videoResolution = 4;  // 320x240
  int videoWindowPolicy = 0;
  bool keepVideoAspect = true;
  bool fitWindowToVideo = false;

  int focusDisplay = 0;
  bool focusFrameVisible = true;
  int focusCoordinate = 1;
  int partialZoomOutputVideoResolution = 4;
  int partialZoomSourceVideoResolution = 3;
  int nonLinearZoomOutputVideoResolution = 4;
  int nonLinearZoomMaskType = 1;
  int nonLinearZoomMaskWidth = 100;
  int nonLinearZoomMaskHeight = 100;
  int imageCompoundBaseVideoResolution = 3;
  int imageCompoundAdditionalVideoResolution = 6;
  int imageCompoundMaskType = 1;
  int imageCompoundBlendingType = 1;

  std::string address = "239.255.77.1";
  int timeToLive = 1;  // stays on the local network until the operator widens it
  int packetSize = 1400;  // fits an Ethernet frame with IP and UDP headers
  int transmissionCount = 1;

  int videoSenderMainMaxTransmissionRate = 10 * kMegabit;
  int videoSenderSubMaxTransmissionRate = 1 * kMegabit;
  int audioSenderMaxTransmissionRate = 300 * kKilobit;
  int pointerSenderMaxTransmissionRate = 100 * kKilobit;
  int statusSenderMaxTransmissionRate = 100 * kKilobit;

  std::string caption;
  bool captionOn = false;

  bool operator==(const EngineSettings &) const = default;
};

}  // namespace ovsim
