// Audio levels of the sent audio: the RMS of each channel over the last
// evaluation time, in hundredths of a decibel below full scale.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <mutex>
#include <utility>

namespace ovgst {

class LevelMeter {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kSilence = -3000;

  // Interleaved 16-bit stereo samples, as they go to the encoder.
  void addStereo(const std::int16_t *samples, std::size_t frames, Clock::time_point now);
  // Levels over blocks that arrived within the last evaluationMs (at least the newest block).
  std::pair<int, int> levels(int evaluationMs, Clock::time_point now);
  void clear();

 private:
  struct Block {
    Clock::time_point at;
    double squaresLeft;
    double squaresRight;
    std::size_t frames;
  };
  static constexpr std::size_t kMaxBlocks = 2000;  // 20 s of 10 ms blocks
  std::mutex mutex_;
  std::deque<Block> blocks_;
};

// 100 * 20 log10(rms), clamped to -3000 ... 0.
int hundredthsOfDecibel(double meanSquare);

}  // namespace ovgst
