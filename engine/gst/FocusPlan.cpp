#include "FocusPlan.h"

#include <algorithm>
#include <cmath>

#include "VideoResolution.h"

namespace ovgst {
namespace {

std::string rawCaps(int width, int height) {
  return "video/x-raw,format=I420,width=" + std::to_string(width) + ",height=" + std::to_string(height) +
         ",pixel-aspect-ratio=1/1";
}

}  // namespace

// Image compound: the base is the whole picture made small; the additional
// picture is the region around the focus, half the captured picture's width
// and height, sent at the additional resolution. A receiver lays it over the
// enlarged base where the region lies.
FocusPlan focusPlanFor(const ovsim::EngineSettings &s, int captureWidth, int captureHeight) {
  FocusPlan plan;
  plan.mainWidth = captureWidth;
  plan.mainHeight = captureHeight;
  if (s.focusDisplay < 1 || s.focusDisplay > 3) return plan;
  plan.mode = static_cast<FocusMode>(s.focusDisplay);
  if (plan.mode == FocusMode::PartialZoom) {
    const auto source = ovsim::pictureSizeOf(s.partialZoomSourceVideoResolution);
    const auto output = ovsim::pictureSizeOf(s.partialZoomOutputVideoResolution);
    plan.regionWidth = std::min(source.width, captureWidth);
    plan.regionHeight = std::min(source.height, captureHeight);
    plan.subWidth = output.width;
    plan.subHeight = output.height;
  } else if (plan.mode == FocusMode::NonLinearZoom) {
    const auto output = ovsim::pictureSizeOf(s.nonLinearZoomOutputVideoResolution);
    plan.mainWidth = output.width;
    plan.mainHeight = output.height;
  } else {
    const auto base = ovsim::pictureSizeOf(s.imageCompoundBaseVideoResolution);
    const auto additional = ovsim::pictureSizeOf(s.imageCompoundAdditionalVideoResolution);
    plan.mainWidth = base.width;
    plan.mainHeight = base.height;
    plan.regionWidth = std::max(captureWidth / 2, 2) & ~1;
    plan.regionHeight = std::max(captureHeight / 2, 2) & ~1;
    plan.subWidth = additional.width;
    plan.subHeight = additional.height;
  }
  return plan;
}

FocusLook focusLookFor(const ovsim::EngineSettings &s, ovsim::FocusPoint point) {
  FocusLook look;
  look.point = point;
  look.frameVisible = s.focusFrameVisible;
  look.zoomMask = s.nonLinearZoomMaskType == 0 ? 0 : 1;
  look.zoomMaskWidth = std::clamp(s.nonLinearZoomMaskWidth, 10, 720);
  look.zoomMaskHeight = std::clamp(s.nonLinearZoomMaskHeight, 10, 720);
  look.compoundMask = std::clamp(s.imageCompoundMaskType, 0, 2);
  look.blending = s.imageCompoundBlendingType == 0 ? 0 : 1;
  return look;
}

ovfocus::Rect focusRegionIn(const FocusPlan &plan, const FocusLook &look, int captureWidth, int captureHeight,
                            int pictureWidth, int pictureHeight) {
  if (plan.mode == FocusMode::NonLinearZoom) {
    // The mask in the sent picture's pixels, centred on the focus even where it reaches past the edge.
    const int cx = static_cast<int>(std::lround(look.point.x * pictureWidth));
    const int cy = static_cast<int>(std::lround(look.point.y * pictureHeight));
    return {cx - look.zoomMaskWidth / 2, cy - look.zoomMaskHeight / 2, look.zoomMaskWidth, look.zoomMaskHeight};
  }
  const auto captured = ovfocus::regionAround(look.point.x, look.point.y, plan.regionWidth, plan.regionHeight,
                                              captureWidth, captureHeight);
  if (pictureWidth == captureWidth && pictureHeight == captureHeight) return captured;
  const double sx = static_cast<double>(pictureWidth) / std::max(captureWidth, 1);
  const double sy = static_cast<double>(pictureHeight) / std::max(captureHeight, 1);
  return {static_cast<int>(captured.x * sx), static_cast<int>(captured.y * sy),
          static_cast<int>(std::lround(captured.width * sx)), static_cast<int>(std::lround(captured.height * sy))};
}

std::string focusMainStage(const FocusPlan &plan) {
  if (plan.mode != FocusMode::NonLinearZoom) return "";
  return " ! videoscale ! " + rawCaps(plan.mainWidth, plan.mainHeight) + " ! identity name=nlzoom";
}

std::string focusMainEncoderInput(const FocusPlan &plan) {
  if (plan.mode != FocusMode::ImageCompound) return "";
  return "videoscale ! " + rawCaps(plan.mainWidth, plan.mainHeight) + " ! ";
}

std::string focusPreviewStage(const FocusPlan &plan) {
  if (plan.mode == FocusMode::None) return "";
  return " ! identity name=focusview";
}

// The crop starts at the centre; the engine moves it with the focus while playing.
std::string focusSubInput(const FocusPlan &plan, int captureWidth, int captureHeight) {
  const auto rect = ovfocus::regionAround(0.5, 0.5, plan.regionWidth, plan.regionHeight, captureWidth, captureHeight);
  return "videocrop name=fcrop left=" + std::to_string(rect.x) + " top=" + std::to_string(rect.y) +
         " right=" + std::to_string(captureWidth - rect.x - rect.width) +
         " bottom=" + std::to_string(captureHeight - rect.y - rect.height) + " ! videoscale ! " +
         rawCaps(plan.subWidth, plan.subHeight) + " ! ";
}

}  // namespace ovgst
