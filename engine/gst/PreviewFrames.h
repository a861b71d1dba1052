// The newest preview picture for a console that paints it itself: written
// by a streaming thread, copied out by the console's GUI thread.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace ovgst {

class PreviewFrames {
 public:
  // Rows of 32-bit pixels, stride bytes apart.
  void store(const std::uint8_t *rows, int width, int height, int stride);
  // See ovSenderCopyPreviewFrame.
  int copy(void *pixels, int capacity, int *width, int *height);
  void clear();

 private:
  std::mutex mutex_;
  std::vector<std::uint8_t> pixels_;
  int width_ = 0;
  int height_ = 0;
  int serial_ = 0;
};

}  // namespace ovgst
