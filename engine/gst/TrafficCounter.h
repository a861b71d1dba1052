// Bytes and packets handed to one stream's UDP sockets, counted on the
// streaming threads and read as rates by the engine's worker.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>

#include "EngineState.h"

namespace ovgst {

struct TrafficCounter {
  std::atomic<std::uint64_t> bytes{0};
  std::atomic<std::uint64_t> frames{0};  // video: packets ending a picture; audio: packets
};

// Turns running totals into rates over the time between two readings.
class RateWindow {
 public:
  using Clock = std::chrono::steady_clock;
  ovsim::SenderRates update(const TrafficCounter &counter, Clock::time_point now);
  void restart(Clock::time_point now);

 private:
  Clock::time_point since_{};
  std::uint64_t bytes_ = 0;
  std::uint64_t frames_ = 0;
};

}  // namespace ovgst
