// What the focus display mode asks of the pipeline. The part that shapes
// the pipeline (which pictures, at which sizes) belongs to its plan and a
// change rebuilds it; the look (where the focus is, the masks, the frame)
// changes on the running pipeline.
#pragma once

#include <string>

#include "EngineSettings.h"
#include "FocusGeometry.h"
#include "FocusPoint.h"
#include "FocusRegion.h"

namespace ovgst {

using ovsim::FocusMode;

struct FocusPlan {
  FocusMode mode = FocusMode::None;
  int mainWidth = 0;  // the sent main picture; the captured one unless the mode says otherwise
  int mainHeight = 0;
  int regionWidth = 0;  // the region cut from the captured picture for the sub picture
  int regionHeight = 0;
  int subWidth = 0;  // the sent sub picture
  int subHeight = 0;
  int subBitsPerSecond = 0;  // encoder target, per copy

  bool sendsSub() const { return mode == FocusMode::PartialZoom || mode == FocusMode::ImageCompound; }
  bool operator==(const FocusPlan &) const = default;
};

// For a captured picture of captureWidth x captureHeight.
FocusPlan focusPlanFor(const ovsim::EngineSettings &settings, int captureWidth, int captureHeight);

struct FocusLook {
  ovsim::FocusPoint point;
  bool frameVisible = true;
  int zoomMask = 1;  // 0 rectangle, 1 ellipse
  int zoomMaskWidth = 100;
  int zoomMaskHeight = 100;
  int compoundMask = 1;  // 0 rectangle, 1 ellipse, 2 checkerboard
  int blending = 1;      // 0 simple, 1 blended border

  bool operator==(const FocusLook &) const = default;
};

FocusLook focusLookFor(const ovsim::EngineSettings &settings, ovsim::FocusPoint point);

// The region around the focus in a picture of the given size, for a plan
// whose region was worked out for captureWidth x captureHeight.
ovfocus::Rect focusRegionIn(const FocusPlan &plan, const FocusLook &look, int captureWidth, int captureHeight,
                            int pictureWidth, int pictureHeight);

// Launch fragments. After the caption, before the picture is shared out:
// empty, or the scaling and warp stage of the non-linear zoom.
std::string focusMainStage(const FocusPlan &plan);
// In front of the main encoder: empty, or the base picture's scaling.
std::string focusMainEncoderInput(const FocusPlan &plan);
// On the preview's BGRx pictures, where the focus is drawn: empty in mode 0.
std::string focusPreviewStage(const FocusPlan &plan);
// From the shared picture to the sub encoder's input: crop and scale.
std::string focusSubInput(const FocusPlan &plan, int captureWidth, int captureHeight);

}  // namespace ovgst
