// One running GStreamer pipeline built from a plan: counts what its UDP
// sinks send, meters the sent audio, draws the preview into the panel and
// changes the caption while playing. Owned and driven by the engine's
// worker thread only; the counters and the meter are read from any thread.
#pragma once

#include <gst/gst.h>

#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "EngineState.h"
#include "FocusPictures.h"
#include "LevelMeter.h"
#include "LiveRates.h"
#include "PipelinePlan.h"
#include "PreviewFrames.h"
#include "RatePacer.h"
#include "TrafficCounter.h"

namespace ovgst {

enum class Stream { Video = 0, Audio = 1, VideoSub = 2 };

// How far above its cap a stream may burst: enough for a key frame within
// x264's rate window to leave without waiting, little enough that every
// second on the wire stays near the cap.
inline constexpr std::chrono::milliseconds kVideoPacerDepth{150};
inline constexpr std::chrono::milliseconds kAudioPacerDepth{60};

class SendPipeline {
 public:
  // Null with the error when the description does not build or will not start.
  // The meter and the frame store must outlive the pipeline.
  static std::unique_ptr<SendPipeline> start(const PipelinePlan &plan, Ssrcs ssrcs, LevelMeter &meter,
                                             PreviewFrames &frames, ovsim::EngineError &error);
  ~SendPipeline();
  SendPipeline(const SendPipeline &) = delete;
  SendPipeline &operator=(const SendPipeline &) = delete;

  void setCaption(const std::string &text, bool on);
  // New encoder targets and caps on the running pipeline; false when an
  // encoder cannot take its target while running, and the pipeline must be rebuilt.
  bool setRates(const LiveRates &rates);
  // Where the focus is and how its pictures look; takes effect with the next picture.
  void setFocus(const FocusLook &look);
  // Waits up to timeoutMs for a bus message; an error or end of stream ends the pipeline's usefulness.
  std::optional<ovsim::EngineError> poll(int timeoutMs);
  const TrafficCounter &traffic(Stream stream) const { return traffic_[static_cast<int>(stream)]; }
  // Whether a clip or sound file playing in place of the source reached its end.
  bool ended(Stream stream) const { return ended_[static_cast<int>(stream)].load(); }

 private:
  explicit SendPipeline(GstElement *pipeline) : pipeline_(pipeline) {}
  void countSinks(const char *prefix, int copies, Stream stream);
  void meterAudio(LevelMeter &meter);
  void handOverFrames(PreviewFrames &frames);
  void watchForEnd(const char *source, Stream stream);
  void pace(const char *element, int bitsPerSecond, Stream stream);

  GstElement *pipeline_;
  std::array<TrafficCounter, 3> traffic_;
  std::unique_ptr<FocusPictures> focus_;
  std::array<std::atomic<bool>, 2> ended_{};
  std::array<RatePacer, 3> pacers_{RatePacer(kVideoPacerDepth), RatePacer(kAudioPacerDepth),
                                    RatePacer(kVideoPacerDepth)};
  std::string caption_;
  bool captionOn_ = false;
  bool captionSet_ = false;
};

}  // namespace ovgst
