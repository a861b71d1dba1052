#include "FocusCompose.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ovfocus {
namespace {

constexpr int kFull = 256;
// The blended border's width as a share of the region's shorter side.
constexpr double kBorderShare = 0.125;
constexpr std::uint8_t kOutlineColour[4] = {0, 230, 255, 0};  // amber, seen on light and dark pictures
constexpr int kOutlineWidth = 2;

// Distance of a pixel centre inside the mask from the mask's edge, in
// pixels; negative outside.
double insideDistance(CompoundMask mask, double x, double y, int width, int height) {
  const double halfW = width / 2.0, halfH = height / 2.0;
  const double u = x - halfW, v = y - halfH;
  const double toRectEdge = std::min(halfW - std::abs(u), halfH - std::abs(v));
  if (mask == CompoundMask::Rectangle) return toRectEdge;
  if (mask == CompoundMask::Ellipse) {
    const double r = std::sqrt((u * u) / (halfW * halfW) + (v * v) / (halfH * halfH));
    return (1.0 - r) * std::min(halfW, halfH);
  }
  // Checkerboard: square cells, the region showing in every other one.
  const double cell = std::max(1.0, std::min(width, height) / static_cast<double>(kCheckerCells));
  const int column = static_cast<int>(x / cell), line = static_cast<int>(y / cell);
  const double cx = x - column * cell, cy = y - line * cell;
  const double toCellEdge = std::min({cx, cell - cx, cy, cell - cy});
  const bool shows = (column + line) % 2 == 0;
  return std::min(shows ? toCellEdge : -toCellEdge, toRectEdge);
}

std::uint8_t mixed(std::uint8_t over, std::uint8_t under, unsigned weight) {
  return static_cast<std::uint8_t>((over * weight + under * (kFull - weight) + kFull / 2) / kFull);
}

void paint(const PictureView &picture, int x, int y) {
  if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) return;
  std::memcpy(picture.row(y) + static_cast<std::ptrdiff_t>(x) * 4, kOutlineColour, 4);
}

void drawRectangle(const PictureView &picture, const Rect &rect) {
  for (int t = 0; t < kOutlineWidth; ++t) {
    for (int x = rect.x; x < rect.x + rect.width; ++x) {
      paint(picture, x, rect.y + t);
      paint(picture, x, rect.y + rect.height - 1 - t);
    }
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
      paint(picture, rect.x + t, y);
      paint(picture, rect.x + rect.width - 1 - t, y);
    }
  }
}

// Per row the span where the ellipse's outline lies, both sides.
void drawEllipse(const PictureView &picture, const Rect &rect) {
  const double a = rect.width / 2.0, b = rect.height / 2.0;
  if (a < 1 || b < 1) return;
  const double cx = rect.x + a, cy = rect.y + b;
  auto halfSpan = [](double radius, double other, double d) {
    const double share = 1.0 - (d * d) / (other * other);
    return share > 0 ? radius * std::sqrt(share) : -1.0;
  };
  for (int y = rect.y; y < rect.y + rect.height; ++y) {
    const double d = y + 0.5 - cy;
    const double outer = halfSpan(a, b, d);
    const double inner = halfSpan(a - kOutlineWidth, b - kOutlineWidth, d);
    if (outer < 0) continue;
    const int from = static_cast<int>(std::floor(cx - outer)), to = static_cast<int>(std::ceil(cx + outer)) - 1;
    const int innerFrom = inner < 0 ? to + 1 : static_cast<int>(std::floor(cx - inner));
    const int innerTo = inner < 0 ? from - 1 : static_cast<int>(std::ceil(cx + inner)) - 1;
    for (int x = from; x <= std::min(innerFrom, to); ++x) paint(picture, x, y);
    for (int x = std::max(innerTo, from); x <= to; ++x) paint(picture, x, y);
  }
}

}  // namespace

RegionWeights::RegionWeights(int width, int height, CompoundMask mask, Blending blending)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), mask_(mask), blending_(blending) {
  weights_.resize(static_cast<std::size_t>(width_) * height_);
  const double border = std::max(1.0, kBorderShare * std::min(width_, height_));
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const double inside = insideDistance(mask, x + 0.5, y + 0.5, width_, height_);
      double share = inside > 0 ? 1.0 : 0.0;
      if (blending == Blending::BlendedBorder) share = std::clamp(inside / border, 0.0, 1.0);
      weights_[static_cast<std::size_t>(y) * width_ + x] = static_cast<std::uint16_t>(std::lround(share * kFull));
    }
  }
}

void enlargeFromBase(const PictureView &picture, int baseWidth, int baseHeight, std::vector<std::uint8_t> &scratch) {
  if (picture.width <= 0 || picture.height <= 0) return;
  baseWidth = std::clamp(baseWidth, 1, picture.width);
  baseHeight = std::clamp(baseHeight, 1, picture.height);
  const auto rowBytes = static_cast<std::size_t>(picture.width) * 4;
  scratch.resize(rowBytes + static_cast<std::size_t>(picture.width) * sizeof(int));
  int *columns = reinterpret_cast<int *>(scratch.data() + rowBytes);
  // The column each output pixel shows: the middle of its base pixel.
  for (int x = 0; x < picture.width; ++x) {
    const int base = static_cast<int>(static_cast<long>(x) * baseWidth / picture.width);
    columns[x] = static_cast<int>((2L * base + 1) * picture.width / (2L * baseWidth));
  }
  // Each base row covers a band of output rows and reads from the band's middle
  // row, so no band reads a row another band has already written.
  for (int base = 0; base < baseHeight; ++base) {
    const int first = static_cast<int>((static_cast<long>(base) * picture.height + baseHeight - 1) / baseHeight);
    const int end = static_cast<int>((static_cast<long>(base + 1) * picture.height + baseHeight - 1) / baseHeight);
    if (first >= end) continue;
    const int middle = static_cast<int>((2L * base + 1) * picture.height / (2L * baseHeight));
    const auto *source = reinterpret_cast<const std::uint32_t *>(picture.row(std::clamp(middle, first, end - 1)));
    auto *line = reinterpret_cast<std::uint32_t *>(scratch.data());
    for (int x = 0; x < picture.width; ++x) line[x] = source[columns[x]];
    for (int y = first; y < end; ++y) std::memcpy(picture.row(y), line, rowBytes);
  }
}

void laySubPicture(const PictureView &picture, int x, int y, const PictureView &region, const RegionWeights &weights) {
  const int width = std::min({weights.width(), region.width, picture.width - x});
  const int height = std::min({weights.height(), region.height, picture.height - y});
  for (int row = std::max(0, -y); row < height; ++row) {
    std::uint8_t *under = picture.row(y + row) + static_cast<std::ptrdiff_t>(x) * 4;
    const std::uint8_t *over = region.row(row);
    for (int column = std::max(0, -x); column < width; ++column) {
      const unsigned weight = weights.at(column, row);
      if (weight == 0) continue;
      std::uint8_t *to = under + column * 4;
      const std::uint8_t *from = over + column * 4;
      if (weight == kFull) {
        std::memcpy(to, from, 4);
        continue;
      }
      for (int channel = 0; channel < 3; ++channel) to[channel] = mixed(from[channel], to[channel], weight);
    }
  }
}

void composeFocus(const PictureView &picture, const Rect &rect, int baseWidth, int baseHeight,
                  const RegionWeights &weights, ComposeScratch &scratch) {
  if (picture.width <= 0 || picture.height <= 0) return;
  const int width = std::clamp(rect.width, 0, picture.width), height = std::clamp(rect.height, 0, picture.height);
  const Rect r{std::clamp(rect.x, 0, picture.width - width), std::clamp(rect.y, 0, picture.height - height), width,
               height};
  // The region keeps its own pixels: copied aside before the base replaces them.
  scratch.region.resize(static_cast<std::size_t>(r.width) * 4 * r.height);
  const PictureView region{scratch.region.data(), r.width, r.height, r.width * 4};
  for (int y = 0; y < r.height; ++y)
    std::memcpy(region.row(y), picture.row(r.y + y) + static_cast<std::ptrdiff_t>(r.x) * 4,
                static_cast<std::size_t>(r.width) * 4);
  enlargeFromBase(picture, baseWidth, baseHeight, scratch.line);
  laySubPicture(picture, r.x, r.y, region, weights);
}

void drawOutline(const PictureView &picture, const Rect &rect, OutlineShape shape) {
  if (rect.width <= 0 || rect.height <= 0) return;
  if (shape == OutlineShape::Rectangle)
    drawRectangle(picture, rect);
  else
    drawEllipse(picture, rect);
}

}  // namespace ovfocus
