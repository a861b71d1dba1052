#include "FocusPoint.h"

#include <algorithm>
#include <cmath>
#include <mutex>

namespace ovsim {

namespace {

std::mutex guard;
FocusPoint current;
bool pinned = false;

double clampedOr(double value, double previous) {
  return std::isnan(value) ? previous : std::clamp(value, 0.0, 1.0);
}

}  // namespace

FocusPoint focusPoint() {
  std::lock_guard lock(guard);
  return current;
}

void setFocusPoint(FocusPoint point) {
  std::lock_guard lock(guard);
  current = {clampedOr(point.x, current.x), clampedOr(point.y, current.y)};
}

bool focusPointPinned() {
  std::lock_guard lock(guard);
  return pinned;
}

void pinFocusPoint(FocusPoint point) {
  setFocusPoint(point);
  std::lock_guard lock(guard);
  pinned = true;
}

void releaseFocusPoint() {
  std::lock_guard lock(guard);
  pinned = false;
}

}  // namespace ovsim
