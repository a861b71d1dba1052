// One running GStreamer pipeline built from a plan: counts what its UDP
// sinks send, meters the sent audio, draws the preview into the panel and
// changes the caption while playing. Owned and driven by the engine's
// worker thread only; the counters and the meter are read from any thread.
#pragma once

#include <gst/gst.h>

#include <array>
#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "EngineState.h"
#include "FocusPictures.h"
#include "LevelMeter.h"
#include "PipelinePlan.h"
#include "PreviewFrames.h"
#include "TrafficCounter.h"

namespace ovgst {

enum class Stream { Video = 0, Audio = 1, VideoSub = 2 };

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

  GstElement *pipeline_;
  std::array<TrafficCounter, 3> traffic_;
  std::unique_ptr<FocusPictures> focus_;
  std::array<std::atomic<bool>, 2> ended_{};
  std::string caption_;
  bool captionOn_ = false;
  bool captionSet_ = false;
};

}  // namespace ovgst
