#include "NonLinearZoom.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ovfocus {
namespace {

// Distance from the centre in units of the mask's half size: 1 on its edge.
double maskRadius(ZoomMask mask, double u, double v) {
  if (mask == ZoomMask::Rectangle) return std::max(std::abs(u), std::abs(v));
  return std::sqrt(u * u + v * v);
}

}  // namespace

// A destination at radius r reads from radius r * (k + (1 - k) * r), with k
// the inverse of the magnification: the slope is k at the centre and the
// read point meets the destination at r = 1, so the warp is continuous there.
// The read point lies between the centre and the destination, hence inside
// both the mask and any picture that holds those two.
NonLinearZoomMap::NonLinearZoomMap(ZoomMask mask, int width, int height, double magnification)
    : mask_(mask), width_(std::max(width, 1)), height_(std::max(height, 1)) {
  const double k = 1.0 / std::max(magnification, 1.0);
  const double halfW = width_ / 2.0, halfH = height_ / 2.0;
  offsets_.resize(static_cast<std::size_t>(width_) * height_);
  for (int dy = 0; dy < height_; ++dy) {
    for (int dx = 0; dx < width_; ++dx) {
      const double x = dx - width_ / 2, y = dy - height_ / 2;  // relative to the centre pixel
      const double r = maskRadius(mask, (x + 0.5 * (x > 0) - 0.5 * (x < 0)) / halfW,
                                  (y + 0.5 * (y > 0) - 0.5 * (y < 0)) / halfH);
      Offset &offset = offsets_[static_cast<std::size_t>(dy) * width_ + dx];
      if (r >= 1.0) {
        offset = {kUnchanged, kUnchanged};
        continue;
      }
      const double scale = k + (1.0 - k) * r;
      offset = {static_cast<std::int16_t>(std::lround(x * scale)), static_cast<std::int16_t>(std::lround(y * scale))};
    }
  }
}

void applyNonLinearZoom(std::uint8_t *plane, int width, int height, int stride, int centreX, int centreY,
                        const NonLinearZoomMap &map, std::vector<std::uint8_t> &scratch) {
  if (map.empty() || width <= 0 || height <= 0) return;
  centreX = std::clamp(centreX, 0, width - 1);
  centreY = std::clamp(centreY, 0, height - 1);
  const int left = centreX - map.width() / 2, top = centreY - map.height() / 2;
  const int x0 = std::max(left, 0), y0 = std::max(top, 0);
  const int x1 = std::min(left + map.width(), width), y1 = std::min(top + map.height(), height);
  if (x0 >= x1 || y0 >= y1) return;
  // Every read lies inside this box, so a copy of it is all the source there is.
  const int boxWidth = x1 - x0;
  scratch.resize(static_cast<std::size_t>(boxWidth) * (y1 - y0));
  for (int y = y0; y < y1; ++y)
    std::memcpy(scratch.data() + static_cast<std::size_t>(y - y0) * boxWidth,
                plane + static_cast<std::ptrdiff_t>(y) * stride + x0, static_cast<std::size_t>(boxWidth));
  const std::uint8_t *origin = scratch.data() + static_cast<std::ptrdiff_t>(centreY - y0) * boxWidth + (centreX - x0);
  for (int y = y0; y < y1; ++y) {
    std::uint8_t *row = plane + static_cast<std::ptrdiff_t>(y) * stride;
    const NonLinearZoomMap::Offset *offsets = &map.at(x0 - left, y - top);
    for (int x = x0; x < x1; ++x, ++offsets) {
      if (offsets->dx == NonLinearZoomMap::kUnchanged) continue;
      row[x] = origin[static_cast<std::ptrdiff_t>(offsets->dy) * boxWidth + offsets->dx];
    }
  }
}

}  // namespace ovfocus
