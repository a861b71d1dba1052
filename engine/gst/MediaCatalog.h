// What this machine can capture and encode with GStreamer: the sources as
// pipeline fragments under the names the menus show, and the encoders whose
// elements exist, best first.
#pragma once

#include <string>
#include <vector>

#include "DeviceCatalog.h"

namespace ovgst {

// A fragment of a launch description producing raw media, its first element named vsrc or asrc.
struct MediaSource {
  std::string name;
  std::string launch;
  std::string devicePath;  // the device node of a camera, empty for other sources
};

struct VideoCodec {
  const char *name;
  const char *element;
  int priority;
  const char *payloader;
  const char *encodingName;  // as the RTP payload format and the session description call it
  // Encoder with its rate settings, for a target in bit/s.
  std::string (*launch)(int bitsPerSecond);
  // How much of the cap to aim at: headroom for framing and the encoder's own over- or undershoot.
  double shareOfCap;
};

struct AudioCodec {
  const char *name;
  const char *element;
  int priority;
  const char *payloader;
  const char *encodingName;
  int clockRate;
  int channels;
  std::string (*launch)(int bitsPerSecond);
};

struct MediaCatalog {
  std::vector<MediaSource> videoSources;
  std::vector<MediaSource> audioSources;
  std::vector<const VideoCodec *> videoCodecs;
  std::vector<const AudioCodec *> audioCodecs;
};

// Test sources always; "Screen" only with a display; cameras and microphones the device monitor finds.
MediaCatalog probeMediaCatalog(bool haveDisplay);

// The same as names and priorities for the common engine state.
ovsim::DeviceCatalog deviceCatalogOf(const MediaCatalog &catalog);

inline constexpr const char *kTestPatternName = "Test pattern";
inline constexpr const char *kScreenName = "Screen";
inline constexpr const char *kTestToneName = "Test tone";
inline constexpr const char *kSilenceName = "Silence";
// The test tone's amplitude: a sine at 0.3 of full scale reads -13.5 dB RMS.
inline constexpr double kTestToneVolume = 0.3;

}  // namespace ovgst
