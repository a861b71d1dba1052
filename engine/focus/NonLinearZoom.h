// The non-linear zoom: inside a mask around the focus the picture is
// magnified, most at the centre and not at all at the mask's edge, so the
// zoomed part joins the untouched rest without a seam. Pixels outside the
// mask are left as they are.
//
// The mapping depends only on the mask, so it is worked out once per mask
// and reused wherever the focus moves; applying it is a table lookup per
// pixel inside the mask. Works on one 8-bit plane; a 4:2:0 picture takes a
// map for the luma and one at half size for both chroma planes.
#pragma once

#include <cstdint>
#include <vector>

namespace ovfocus {

enum class ZoomMask { Rectangle = 0, Ellipse = 1 };

// How much the centre of the mask is magnified.
inline constexpr double kCentreMagnification = 2.0;

class NonLinearZoomMap {
 public:
  NonLinearZoomMap() = default;
  // A mask of width x height pixels (each at least 1).
  NonLinearZoomMap(ZoomMask mask, int width, int height, double magnification = kCentreMagnification);

  int width() const { return width_; }
  int height() const { return height_; }
  ZoomMask mask() const { return mask_; }
  bool empty() const { return offsets_.empty(); }

  // For the pixel dx, dy from the mask's top-left corner: where to read,
  // relative to the centre, or kUnchanged outside the mask.
  struct Offset {
    std::int16_t dx;
    std::int16_t dy;
  };
  static constexpr std::int16_t kUnchanged = INT16_MIN;
  const Offset &at(int dx, int dy) const { return offsets_[static_cast<std::size_t>(dy) * width_ + dx]; }

 private:
  ZoomMask mask_ = ZoomMask::Ellipse;
  int width_ = 0;
  int height_ = 0;
  std::vector<Offset> offsets_;
};

// Warps the plane in place around centreX, centreY (a pixel inside the
// plane). scratch is reused from call to call: it only grows.
void applyNonLinearZoom(std::uint8_t *plane, int width, int height, int stride, int centreX, int centreY,
                        const NonLinearZoomMap &map, std::vector<std::uint8_t> &scratch);

}  // namespace ovfocus
