#include "Graph.h"

#include <QPainter>
#include <QPen>
#include <cmath>

namespace {
constexpr float kPixelLimit = 1 << 20;
}

int PixelOf(float coordinate) {
  if (std::isnan(coordinate)) return 0;
  if (coordinate > kPixelLimit) return static_cast<int>(kPixelLimit);
  if (coordinate < -kPixelLimit) return -static_cast<int>(kPixelLimit);
  return static_cast<int>(coordinate);
}

TGraph::TGraph() { Clear(); }

void TGraph::Point(int value) {
  points_[static_cast<size_t>(writePosition_)] = value;
  if (++writePosition_ == Capacity) writePosition_ = 0;
}

void TGraph::Clear() {
  writePosition_ = 0;
  points_.fill(Empty);
}

int TGraph::GetPoint(int age) const {
  // A negative age would index past the newest slot into stale values.
  if (age < 0 || age >= Capacity) return Empty;
  int index = writePosition_ - age - 1;
  if (index < 0) index += Capacity;
  return points_[static_cast<size_t>(index)];
}

void TGraph::Draw(QPainter* canvas, int width, int height, int step, int rangeMin, int rangeMax) const {
  canvas->setPen(QPen(Color, 0));
  // The range is subtracted in floating point: two far-apart int limits
  // would overflow an int subtraction.
  const float scale = static_cast<float>(height) / (static_cast<float>(rangeMin) - static_cast<float>(rangeMax));
  const float offset = -scale * static_cast<float>(rangeMax);
  const float dx = static_cast<float>(width) / static_cast<float>(step);
  float x = static_cast<float>(width);
  QPoint previous;
  for (int age = 0; x > 0; ++age) {
    const int value = GetPoint(age);
    if (value == Empty) break;
    const QPoint point(PixelOf(x), PixelOf(scale * static_cast<float>(value) + offset));
    if (age > 0) canvas->drawLine(previous, point);
    previous = point;
    x -= dx;
  }
}
