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

// A span of the length given centred on the centre, moved inside 0 … extent when it must be kept there.
int startOf(int centre, int length, int extent, bool keepInside) {
  const int start = centre - length / 2;
  return keepInside ? std::clamp(start, 0, std::max(extent - length, 0)) : start;
}

PixelRegion around(PixelPoint point, int width, int height, PictureSize picture, bool keepInside) {
  if (keepInside) {
    width = std::clamp(width, 1, std::max(picture.width, 1));
    height = std::clamp(height, 1, std::max(picture.height, 1));
  }
  return {startOf(point.x, width, picture.width, keepInside), startOf(point.y, height, picture.height, keepInside),
          width, height};
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
      geometry.region = around(geometry.point, source.width, source.height, picture, true);
      geometry.sub = pictureSizeOf(settings.partialZoomOutputVideoResolution);
      break;
    }
    case static_cast<int>(FocusMode::NonLinearZoom):
      geometry.mode = FocusMode::NonLinearZoom;
      geometry.region = around(geometry.point, std::clamp(settings.nonLinearZoomMaskWidth, kSmallestMask, kLargestMask),
                               std::clamp(settings.nonLinearZoomMaskHeight, kSmallestMask, kLargestMask), picture,
                               false);
      geometry.maskType = settings.nonLinearZoomMaskType;
      break;
    case static_cast<int>(FocusMode::ImageCompound):
      geometry.mode = FocusMode::ImageCompound;
      geometry.region = around(geometry.point, picture.width / 2, picture.height / 2, picture, true);
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
