// The local view of the image compound: the base picture enlarged to the
// preview's size with the high-resolution region laid over it under a mask,
// and the outline of the focus region. All on 32-bit BGRx pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "FocusRegion.h"

namespace ovfocus {

enum class CompoundMask { Rectangle = 0, Ellipse = 1, Checkerboard = 2 };
enum class Blending { Simple = 0, BlendedBorder = 1 };

// Rows of BGRx pixels, stride bytes apart.
struct PictureView {
  std::uint8_t *pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;

  std::uint8_t *row(int y) const { return pixels + static_cast<std::ptrdiff_t>(y) * stride; }
};

// How much of the region shows at each of its pixels, 0 (base) to 256
// (region); worked out once per region size, mask and blending.
class RegionWeights {
 public:
  RegionWeights() = default;
  RegionWeights(int width, int height, CompoundMask mask, Blending blending);

  int width() const { return width_; }
  int height() const { return height_; }
  bool matches(int width, int height, CompoundMask mask, Blending blending) const {
    return width == width_ && height == height_ && mask == mask_ && blending == blending_;
  }
  std::uint16_t at(int x, int y) const { return weights_[static_cast<std::size_t>(y) * width_ + x]; }

 private:
  int width_ = 0;
  int height_ = 0;
  CompoundMask mask_ = CompoundMask::Rectangle;
  Blending blending_ = Blending::Simple;
  std::vector<std::uint16_t> weights_;
};

// Cells across the region's shorter side in the checkerboard mask.
inline constexpr int kCheckerCells = 4;

// Replaces the picture by itself brought down to baseWidth x baseHeight and
// enlarged again (nearest pixel both ways): what a receiver shows of the base.
void enlargeFromBase(const PictureView &picture, int baseWidth, int baseHeight, std::vector<std::uint8_t> &scratch);

// Lays region (of weights' size) over the picture at x, y under the weights.
void laySubPicture(const PictureView &picture, int x, int y, const PictureView &region, const RegionWeights &weights);

// Buffers composeFocus reuses from frame to frame; they only grow.
struct ComposeScratch {
  std::vector<std::uint8_t> region;
  std::vector<std::uint8_t> line;
};

// The whole local composition: the picture keeps its own pixels inside
// rect (moved inside the picture), shown under the mask, and the base
// quality elsewhere. weights must be of rect's size.
void composeFocus(const PictureView &picture, const Rect &rect, int baseWidth, int baseHeight,
                  const RegionWeights &weights, ComposeScratch &scratch);

enum class OutlineShape { Rectangle, Ellipse };

// A two-pixel line along the inside of rect, clipped to the picture.
void drawOutline(const PictureView &picture, const Rect &rect, OutlineShape shape);

}  // namespace ovfocus
