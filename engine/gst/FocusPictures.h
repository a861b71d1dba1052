// The focus pictures of a running pipeline: warps the main picture in the
// non-linear zoom, composes and outlines the preview's pictures and moves
// the region's crop with the focus. The worker thread sets the look; the
// streaming threads read it once per picture.
#pragma once

#include <gst/gst.h>
#include <gst/video/video.h>

#include <mutex>
#include <vector>

#include "FocusCompose.h"
#include "FocusPlan.h"
#include "NonLinearZoom.h"

namespace ovgst {

class FocusPictures {
 public:
  FocusPictures(const FocusPlan &plan, int captureWidth, int captureHeight);
  ~FocusPictures();
  FocusPictures(const FocusPictures &) = delete;
  FocusPictures &operator=(const FocusPictures &) = delete;

  // Before the pipeline plays: finds the named stages of the launch description.
  void attach(GstElement *pipeline);
  // Worker thread only.
  void setLook(const FocusLook &look);

 private:
  static GstPadProbeReturn onZoomPicture(GstPad *pad, GstPadProbeInfo *info, gpointer self);
  static GstPadProbeReturn onPreviewPicture(GstPad *pad, GstPadProbeInfo *info, gpointer self);
  FocusLook look();
  void zoom(GstVideoFrame &frame, const FocusLook &look);
  void showInPreview(GstVideoFrame &frame, const FocusLook &look);
  void moveCrop(const FocusLook &look);

  const FocusPlan plan_;
  const int captureWidth_;
  const int captureHeight_;

  std::mutex lookMutex_;
  FocusLook look_;

  // Each probe's own, under its lock: taken once per picture, and by the
  // destructor, so that freeing follows the last use on a streaming thread.
  std::mutex zoomMutex_;
  ovfocus::NonLinearZoomMap lumaMap_;
  ovfocus::NonLinearZoomMap chromaMap_;
  std::vector<std::uint8_t> zoomScratch_;
  std::mutex previewMutex_;
  ovfocus::RegionWeights weights_;
  ovfocus::ComposeScratch composeScratch_;

  // The worker's.
  GstElement *crop_ = nullptr;
  ovfocus::Rect cropRect_;
};

}  // namespace ovgst
