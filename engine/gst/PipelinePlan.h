// What the running pipeline must be, derived from the settings: two plans
// that compare equal need no rebuild. The caption is left out because it
// changes on the running pipeline.
#pragma once

#include <cstdint>
#include <string>
#include <variant>

#include "EngineState.h"
#include "FocusPlan.h"
#include "MediaCatalog.h"

namespace ovgst {

// One port per stream, two apart so that RTCP could take the odd ones.
inline constexpr int kVideoMainPort = 5004;
inline constexpr int kVideoSubPort = 5006;
inline constexpr int kAudioPort = 5008;
inline constexpr int kPointerPort = 5010;
inline constexpr int kStatusPort = 5012;
inline constexpr int kVideoPayloadType = 96;
inline constexpr int kAudioPayloadType = 97;
inline constexpr int kFramesPerSecond = 30;

struct PipelinePlan {
  std::string videoSource;
  std::string audioSource;
  const VideoCodec *videoCodec = nullptr;
  const AudioCodec *audioCodec = nullptr;
  int width = 0;
  int height = 0;
  int videoBitsPerSecond = 0;  // encoder targets, per copy
  int audioBitsPerSecond = 0;
  int videoCapPerCopy = 0;  // what each stream's pacer holds it to, per copy
  int audioCapPerCopy = 0;
  int subCapPerCopy = 0;  // with a focus mode that sends the sub picture
  std::string address;
  int timeToLive = 1;
  int packetSize = 1400;
  int copies = 1;
  bool sending = false;
  bool sendVideo = false;
  bool sendAudio = false;
  std::uintptr_t previewWindow = 0;  // a checked live X window, or 0
  bool playingVideoClip = false;     // the video source is a clip that ends
  bool playingSoundFile = false;
  FocusPlan focus;  // width and height above are the captured picture's

  bool operator==(const PipelinePlan &) const = default;
};

// Files playing in place of the sources; empty when none.
struct PlayingFiles {
  std::string videoClip;
  std::string soundFile;
};

// The plan for valid settings, or the error that keeps them from running.
std::variant<PipelinePlan, ovsim::EngineError> planFor(const ovsim::EngineState &state, const MediaCatalog &catalog,
                                                       std::uintptr_t previewWindow, const PlayingFiles &files);

struct Ssrcs {
  std::uint32_t video = 0;
  std::uint32_t audio = 0;
  std::uint32_t sub = 0;
};

// The whole pipeline as a launch description. Named elements the engine
// reaches later: caption, ameter (raw sent audio), vsrc/asrc, venc/aenc,
// vpace/apace/vsubpace (where each stream's pacer holds its packets),
// vsink<i>/asink<i> (one UDP sink per copy), preview (an X sink) or frames
// (BGRx pictures for the console); with a focus mode also nlzoom (the warp
// stage), focusview (the preview's BGRx pictures), fcrop (the region's crop),
// vencsub and vsubsink<i> (the sub picture's encoder and UDP sinks).
std::string launchDescription(const PipelinePlan &plan, Ssrcs ssrcs);

}  // namespace ovgst
