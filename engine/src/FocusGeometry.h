// Where the focus lies in the sent picture, in pixels, and the region each
// focus mode works on. One rule for everything that needs it: the focus
// streams that tell the receivers, and the pictures that show the focus.
#pragma once

#include <optional>

#include "EngineSettings.h"
#include "FocusPoint.h"
#include "VideoResolution.h"

namespace ovsim {

enum class FocusMode { None = 0, PartialZoom = 1, NonLinearZoom = 2, ImageCompound = 3 };

// A mode that uses no mask or no blending says so with this value.
inline constexpr int kNoFocusType = -1;

struct PixelPoint {
  int x = 0;
  int y = 0;
  bool operator==(const PixelPoint &) const = default;
};

// x and y may be negative for a region that reaches past the picture's edge.
struct PixelRegion {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  bool operator==(const PixelRegion &) const = default;
};

struct FocusGeometry {
  FocusMode mode = FocusMode::None;
  PictureSize picture{0, 0};    // the main picture the point and region refer to
  PixelPoint point;             // inside the picture
  PixelRegion region;           // empty without a mode
  int maskType = kNoFocusType;  // non-linear zoom and image compound
  int blendingType = kNoFocusType;  // image compound only
  std::optional<PictureSize> sub;   // the second picture of partial zoom and image compound
};

// The geometry of the settings' focus mode for a point on a main picture of the size given.
//  - partial zoom: the partial zoom source size around the point, kept inside the picture;
//    the sub picture has the partial zoom output size;
//  - non-linear zoom: the mask (its width and height) centred on the point; it may reach past the edges;
//  - image compound: half the base picture's width and height around the point, kept inside it;
//    the sub picture, that region in high resolution, has the additional size.
FocusGeometry focusGeometry(const EngineSettings &settings, PictureSize picture, FocusPoint point);

}  // namespace ovsim
