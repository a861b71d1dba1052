#include "FocusGeometry.h"

#include "FocusRegion.h"

#include <algorithm>
#include <cmath>

namespace ovsim {
namespace {

constexpr int kSmallestMask = 10;
constexpr int kLargestMask = 720;

int pixelOf(double fraction, int extent) {
  if (extent <= 0) return 0;
  return std::clamp(static_cast<int>(std::floor(fraction * extent)), 0, extent - 1);
}

int startOf(int centre, int length) { return centre - length / 2; }

// A region that may reach past the edges (the non-linear zoom's mask).
PixelRegion around(PixelPoint point, int width, int height) {
  return {startOf(point.x, width), startOf(point.y, height), width, height};
}

// A region kept inside the picture, placed by the same rule as the region the
// pictures are cut from, so that what the receivers are told matches what they get.
PixelRegion inside(FocusPoint point, int width, int height, PictureSize picture) {
  const ovfocus::Rect rect = ovfocus::regionAround(point.x, point.y, width, height, picture.width, picture.height);
  return {rect.x, rect.y, rect.width, rect.height};
}

}  // namespace

FocusGeometry focusGeometry(const EngineSettings &settings, PictureSize picture, FocusPoint point) {
  FocusGeometry geometry;
  geometry.picture = picture;
  geometry.point = {pixelOf(point.x, picture.width), pixelOf(point.y, picture.height)};
  switch (settings.focusDisplay) {
    case static_cast<int>(FocusMode::PartialZoom): {
      geometry.mode = FocusMode::PartialZoom;
      const auto source = pictureSizeOf(settings.partialZoomSourceVideoResolution);
      geometry.region = inside(point, source.width, source.height, picture);
      geometry.sub = pictureSizeOf(settings.partialZoomOutputVideoResolution);
      break;
    }
    case static_cast<int>(FocusMode::NonLinearZoom):
      geometry.mode = FocusMode::NonLinearZoom;
      geometry.region = around(geometry.point, std::clamp(settings.nonLinearZoomMaskWidth, kSmallestMask, kLargestMask),
                               std::clamp(settings.nonLinearZoomMaskHeight, kSmallestMask, kLargestMask));
      geometry.maskType = settings.nonLinearZoomMaskType;
      break;
    case static_cast<int>(FocusMode::ImageCompound):
      geometry.mode = FocusMode::ImageCompound;
      geometry.region = inside(point, picture.width / 2, picture.height / 2, picture);
      geometry.maskType = settings.imageCompoundMaskType;
      geometry.blendingType = settings.imageCompoundBlendingType;
      geometry.sub = pictureSizeOf(settings.imageCompoundAdditionalVideoResolution);
      break;
    default:
      break;
  }
  return geometry;
}

}  // namespace ovsim
