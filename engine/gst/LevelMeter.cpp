#include "LevelMeter.h"

#include <algorithm>
#include <cmath>

namespace ovgst {

int hundredthsOfDecibel(double meanSquare) {
  if (meanSquare <= 0) return LevelMeter::kSilence;
  const double value = 100.0 * 10.0 * std::log10(meanSquare);
  return std::clamp(static_cast<int>(std::lround(value)), LevelMeter::kSilence, 0);
}

void LevelMeter::addStereo(const std::int16_t *samples, std::size_t frames, Clock::time_point now) {
  Block block{now, 0, 0, frames};
  for (std::size_t i = 0; i < frames; ++i) {
    const double left = samples[2 * i] / 32768.0;
    const double right = samples[2 * i + 1] / 32768.0;
    block.squaresLeft += left * left;
    block.squaresRight += right * right;
  }
  std::lock_guard lock(mutex_);
  blocks_.push_back(block);
  if (blocks_.size() > kMaxBlocks) blocks_.pop_front();
}

std::pair<int, int> LevelMeter::levels(int evaluationMs, Clock::time_point now) {
  const auto from = now - std::chrono::milliseconds(std::max(evaluationMs, 0));
  std::lock_guard lock(mutex_);
  double left = 0, right = 0;
  std::size_t frames = 0;
  for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
    if (frames > 0 && block->at < from) break;
    left += block->squaresLeft;
    right += block->squaresRight;
    frames += block->frames;
  }
  if (frames == 0) return {kSilence, kSilence};
  return {hundredthsOfDecibel(left / frames), hundredthsOfDecibel(right / frames)};
}

void LevelMeter::clear() {
  std::lock_guard lock(mutex_);
  blocks_.clear();
}

}  // namespace ovgst
