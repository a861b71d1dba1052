#include "TrafficCounter.h"

#include <cmath>

namespace ovgst {

ovsim::SenderRates RateWindow::update(const TrafficCounter &counter, Clock::time_point now) {
  const std::uint64_t bytes = counter.bytes.load(std::memory_order_relaxed);
  const std::uint64_t frames = counter.frames.load(std::memory_order_relaxed);
  const double seconds = std::chrono::duration<double>(now - since_).count();
  ovsim::SenderRates rates;
  if (seconds > 0) {
    rates.bitsPerSecond = static_cast<int>(std::lround(static_cast<double>(bytes - bytes_) * 8 / seconds));
    rates.framesPerSecond = static_cast<int>(std::lround(static_cast<double>(frames - frames_) / seconds));
  }
  since_ = now;
  bytes_ = bytes;
  frames_ = frames;
  return rates;
}

void RateWindow::restart(Clock::time_point now) {
  since_ = now;
  bytes_ = frames_ = 0;
}

}  // namespace ovgst
