#include "FocusPictures.h"

#include <gst/video/video.h>

#include <cmath>

#include "ProbeFence.h"

namespace ovgst {
namespace {

using ovfocus::NonLinearZoomMap;
using ovfocus::ZoomMask;

// Maps the picture in a probe for writing; the buffer the probe passes on may be a fresh copy.
class WritablePicture {
 public:
  WritablePicture(GstPad *pad, GstPadProbeInfo *info) {
    GstBuffer *buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    GstCaps *caps = gst_pad_get_current_caps(pad);
    GstVideoInfo video;
    const bool known = caps && gst_video_info_from_caps(&video, caps);
    if (caps) gst_caps_unref(caps);
    if (!buffer || !known) return;
    buffer = gst_buffer_make_writable(buffer);
    GST_PAD_PROBE_INFO_DATA(info) = buffer;
    mapped_ = gst_video_frame_map(&frame_, &video, buffer, GST_MAP_READWRITE);
  }
  ~WritablePicture() {
    if (mapped_) gst_video_frame_unmap(&frame_);
  }
  WritablePicture(const WritablePicture &) = delete;
  WritablePicture &operator=(const WritablePicture &) = delete;
  bool mapped() const { return mapped_; }
  GstVideoFrame &frame() { return frame_; }

 private:
  GstVideoFrame frame_{};
  bool mapped_ = false;
};

void warpPlane(GstVideoFrame &frame, int plane, int centreX, int centreY, const NonLinearZoomMap &map,
               std::vector<std::uint8_t> &scratch) {
  applyNonLinearZoom(static_cast<std::uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, plane)),
                     GST_VIDEO_FRAME_COMP_WIDTH(&frame, plane), GST_VIDEO_FRAME_COMP_HEIGHT(&frame, plane),
                     GST_VIDEO_FRAME_PLANE_STRIDE(&frame, plane), centreX, centreY, map, scratch);
}

void addProbe(GstElement *pipeline, const char *name, GstPadProbeCallback callback, gpointer self) {
  GstElement *element = gst_bin_get_by_name(GST_BIN(pipeline), name);
  if (!element) return;
  GstPad *pad = gst_element_get_static_pad(element, "src");
  gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, callback, self, nullptr);
  gst_object_unref(pad);
  gst_object_unref(element);
}

ovfocus::OutlineShape outlineOf(const FocusPlan &plan, const FocusLook &look) {
  const bool ellipse = (plan.mode == FocusMode::NonLinearZoom && look.zoomMask == 1) ||
                       (plan.mode == FocusMode::ImageCompound && look.compoundMask == 1);
  return ellipse ? ovfocus::OutlineShape::Ellipse : ovfocus::OutlineShape::Rectangle;
}

}  // namespace

FocusPictures::FocusPictures(const FocusPlan &plan, int captureWidth, int captureHeight)
    : plan_(plan), captureWidth_(captureWidth), captureHeight_(captureHeight) {}

FocusPictures::~FocusPictures() {
  std::scoped_lock lock(zoomMutex_, previewMutex_);
  if (crop_) gst_object_unref(crop_);
}

void FocusPictures::attach(GstElement *pipeline) {
  addProbe(pipeline, "nlzoom", onZoomPicture, this);
  addProbe(pipeline, "focusview", onPreviewPicture, this);
  crop_ = gst_bin_get_by_name(GST_BIN(pipeline), "fcrop");
  cropRect_ = ovfocus::regionAround(0.5, 0.5, plan_.regionWidth, plan_.regionHeight, captureWidth_, captureHeight_);
}

void FocusPictures::setLook(const FocusLook &look) {
  {
    std::lock_guard lock(lookMutex_);
    look_ = look;
  }
  moveCrop(look);
}

FocusLook FocusPictures::look() {
  std::lock_guard lock(lookMutex_);
  return look_;
}

// videocrop takes new edges while playing; the region keeps its size, so
// what follows it sees the same caps and nothing is rebuilt.
void FocusPictures::moveCrop(const FocusLook &look) {
  if (!crop_) return;
  const auto rect = ovfocus::regionAround(look.point.x, look.point.y, plan_.regionWidth, plan_.regionHeight,
                                          captureWidth_, captureHeight_);
  if (rect == cropRect_) return;
  cropRect_ = rect;
  g_object_set(crop_, "left", rect.x, "right", captureWidth_ - rect.x - rect.width, "top", rect.y, "bottom",
               captureHeight_ - rect.y - rect.height, nullptr);
}

GstPadProbeReturn FocusPictures::onZoomPicture(GstPad *pad, GstPadProbeInfo *info, gpointer self) {
  ProbeScope scope;
  auto &pictures = *static_cast<FocusPictures *>(self);
  const FocusLook look = pictures.look();
  WritablePicture picture(pad, info);
  if (picture.mapped()) pictures.zoom(picture.frame(), look);
  return GST_PAD_PROBE_OK;
}

GstPadProbeReturn FocusPictures::onPreviewPicture(GstPad *pad, GstPadProbeInfo *info, gpointer self) {
  ProbeScope scope;
  auto &pictures = *static_cast<FocusPictures *>(self);
  const FocusLook look = pictures.look();
  WritablePicture picture(pad, info);
  if (picture.mapped()) pictures.showInPreview(picture.frame(), look);
  return GST_PAD_PROBE_OK;
}

void FocusPictures::zoom(GstVideoFrame &frame, const FocusLook &look) {
  std::lock_guard lock(zoomMutex_);
  const auto mask = static_cast<ZoomMask>(look.zoomMask);
  if (lumaMap_.empty() || lumaMap_.mask() != mask || lumaMap_.width() != look.zoomMaskWidth ||
      lumaMap_.height() != look.zoomMaskHeight) {
    lumaMap_ = NonLinearZoomMap(mask, look.zoomMaskWidth, look.zoomMaskHeight);
    chromaMap_ = NonLinearZoomMap(mask, (look.zoomMaskWidth + 1) / 2, (look.zoomMaskHeight + 1) / 2);
  }
  const int width = GST_VIDEO_FRAME_WIDTH(&frame), height = GST_VIDEO_FRAME_HEIGHT(&frame);
  const int centreX = static_cast<int>(std::lround(look.point.x * width));
  const int centreY = static_cast<int>(std::lround(look.point.y * height));
  warpPlane(frame, 0, centreX, centreY, lumaMap_, zoomScratch_);
  for (int plane = 1; plane < static_cast<int>(GST_VIDEO_FRAME_N_PLANES(&frame)); ++plane)
    warpPlane(frame, plane, centreX / 2, centreY / 2, chromaMap_, zoomScratch_);
}

void FocusPictures::showInPreview(GstVideoFrame &frame, const FocusLook &look) {
  std::lock_guard lock(previewMutex_);
  const ovfocus::PictureView view{static_cast<std::uint8_t *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                                  GST_VIDEO_FRAME_WIDTH(&frame), GST_VIDEO_FRAME_HEIGHT(&frame),
                                  GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0)};
  const auto rect = focusRegionIn(plan_, look, captureWidth_, captureHeight_, view.width, view.height);
  if (plan_.mode == FocusMode::ImageCompound) {
    const auto mask = static_cast<ovfocus::CompoundMask>(look.compoundMask);
    const auto blending = static_cast<ovfocus::Blending>(look.blending);
    if (!weights_.matches(rect.width, rect.height, mask, blending))
      weights_ = ovfocus::RegionWeights(rect.width, rect.height, mask, blending);
    ovfocus::composeFocus(view, rect, plan_.mainWidth * view.width / std::max(captureWidth_, 1),
                          plan_.mainHeight * view.height / std::max(captureHeight_, 1), weights_, composeScratch_);
  }
  if (look.frameVisible) ovfocus::drawOutline(view, rect, outlineOf(plan_, look));
}

}  // namespace ovgst
