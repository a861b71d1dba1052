#include "PreviewFrames.h"

#include <climits>
#include <cstring>

namespace ovgst {

void PreviewFrames::store(const std::uint8_t *rows, int width, int height, int stride) {
  const auto rowBytes = static_cast<std::size_t>(width) * 4;
  std::lock_guard lock(mutex_);
  pixels_.resize(rowBytes * static_cast<std::size_t>(height));
  for (int y = 0; y < height; ++y)
    std::memcpy(pixels_.data() + rowBytes * static_cast<std::size_t>(y), rows + static_cast<std::ptrdiff_t>(stride) * y,
                rowBytes);
  width_ = width;
  height_ = height;
  serial_ = serial_ == INT_MAX ? 1 : serial_ + 1;
}

int PreviewFrames::copy(void *pixels, int capacity, int *width, int *height) {
  std::lock_guard lock(mutex_);
  if (width) *width = width_;
  if (height) *height = height_;
  if (serial_ == 0 || pixels_.empty()) return 0;
  if (pixels && capacity >= 0 && pixels_.size() <= static_cast<std::size_t>(capacity))
    std::memcpy(pixels, pixels_.data(), pixels_.size());
  return serial_;
}

void PreviewFrames::clear() {
  std::lock_guard lock(mutex_);
  pixels_.clear();
  width_ = height_ = 0;
  // The serial keeps counting: a console that saw frame n must never mistake a later picture for it.
}

}  // namespace ovgst
