// The focus information and status streams, sent from a thread of their
// own with plain UDP sockets: they carry the engine's state, not media, so
// they need no pipeline clock, keep their exact pace, and go on unchanged
// while the pipeline is rebuilt. The same thread samples the display
// pointer into the shared focus point. No call waits for the network or
// the display: the engine's worker and the console only hand over values
// and wake the thread.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

#include "DatagramSocket.h"
#include "EngineSettings.h"
#include "FocusDatagrams.h"
#include "PipelinePlan.h"
#include "PointerReader.h"
#include "TrafficCounter.h"

namespace ovgst {

class FocusStreams {
 public:
  using Clock = std::chrono::steady_clock;

  FocusStreams() = default;
  ~FocusStreams() { stop(); }
  FocusStreams(const FocusStreams &) = delete;
  FocusStreams &operator=(const FocusStreams &) = delete;

  // The preview window (0 for none) is the video window the pointer is read in.
  void start(std::uintptr_t previewWindow);
  void stop();
  // The plan that runs, or null while none does.
  void follow(const PipelinePlan *running);
  // Reads the pointer at once instead of at the next regular sample.
  void sampleSoon();
  // Sends the status at the next moment the status stream's maximum allows.
  void statusSoon();
  const TrafficCounter &pointerTraffic() const { return pointer_; }

 private:
  struct Sending {
    PipelinePlan plan;
    std::unique_ptr<DatagramSocket> socket;
    Clock::time_point nextPointer{};
    Clock::time_point nextStatus{};
  };

  void run();
  Clock::time_point round(Clock::time_point now);
  void samplePointer(const ovsim::EngineSettings &settings, Clock::time_point now);
  void followPlan(std::optional<PipelinePlan> plan, const ovsim::EngineSettings &settings, Clock::time_point now);
  void sendPointer(const ovsim::EngineSettings &settings);
  void sendStatus(const ovsim::EngineSettings &settings, bool started);
  int copies() const { return sending_->plan.copies; }

  std::uintptr_t window_ = 0;
  std::thread thread_;

  std::mutex mutex_;  // guards what the other threads hand over
  std::condition_variable wake_;
  bool stop_ = false;
  bool sampleRequested_ = false;
  bool statusRequested_ = false;
  std::optional<PipelinePlan> plan_;

  // The thread's own.
  std::optional<Sending> sending_;
  PointerReader reader_;
  Clock::time_point nextSample_{};
  std::uint32_t pointerSequence_ = 0;
  std::uint32_t statusSequence_ = 0;

  TrafficCounter pointer_;  // datagrams are its frames
};

}  // namespace ovgst
