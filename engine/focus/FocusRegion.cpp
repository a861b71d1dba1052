#include "FocusRegion.h"

#include <algorithm>
#include <cmath>

namespace ovfocus {
namespace {

int placed(double fraction, int size, int picture) {
  if (!std::isfinite(fraction)) fraction = 0.5;
  const int wanted = static_cast<int>(std::lround(std::clamp(fraction, 0.0, 1.0) * picture - size / 2.0));
  return std::clamp(wanted, 0, picture - size) & ~1;
}

}  // namespace

Rect regionAround(double fx, double fy, int width, int height, int pictureWidth, int pictureHeight) {
  Rect rect;
  rect.width = std::clamp(width, std::min(2, pictureWidth), std::max(pictureWidth, 0));
  rect.height = std::clamp(height, std::min(2, pictureHeight), std::max(pictureHeight, 0));
  rect.x = placed(fx, rect.width, pictureWidth);
  rect.y = placed(fy, rect.height, pictureHeight);
  return rect;
}

}  // namespace ovfocus
