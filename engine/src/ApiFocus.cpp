// Focus display settings.
#include "ApiSupport.h"

using namespace ovsim;
using S = EngineSettings;

extern "C" {

int ovSenderGetFocusDisplay(void) { return loggedGet("GetFocusDisplay", &S::focusDisplay); }
void ovSenderSetFocusDisplay(int mode) { loggedSet("SetFocusDisplay", &S::focusDisplay, mode); }
bool ovSenderGetFocusFrameVisible(void) { return loggedGet("GetFocusFrameVisible", &S::focusFrameVisible); }
void ovSenderSetFocusFrameVisible(bool on) { loggedSet("SetFocusFrameVisible", &S::focusFrameVisible, on); }
int ovSenderGetFocusCoordinate(void) { return loggedGet("GetFocusCoordinate", &S::focusCoordinate); }
void ovSenderSetFocusCoordinate(int coordinate) { loggedSet("SetFocusCoordinate", &S::focusCoordinate, coordinate); }

int ovSenderGetPartialZoomOutputVideoResolution(void) {
  return loggedGet("GetPartialZoomOutputVideoResolution", &S::partialZoomOutputVideoResolution);
}
void ovSenderSetPartialZoomOutputVideoResolution(int code) {
  loggedSet("SetPartialZoomOutputVideoResolution", &S::partialZoomOutputVideoResolution, code);
}
int ovSenderGetPartialZoomSourceVideoResolution(void) {
  return loggedGet("GetPartialZoomSourceVideoResolution", &S::partialZoomSourceVideoResolution);
}
void ovSenderSetPartialZoomSourceVideoResolution(int code) {
  loggedSet("SetPartialZoomSourceVideoResolution", &S::partialZoomSourceVideoResolution, code);
}
int ovSenderGetNonLinearZoomOutputVideoResolution(void) {
  return loggedGet("GetNonLinearZoomOutputVideoResolution", &S::nonLinearZoomOutputVideoResolution);
}
void ovSenderSetNonLinearZoomOutputVideoResolution(int code) {
  loggedSet("SetNonLinearZoomOutputVideoResolution", &S::nonLinearZoomOutputVideoResolution, code);
}
int ovSenderGetNonLinearZoomMaskType(void) { return loggedGet("GetNonLinearZoomMaskType", &S::nonLinearZoomMaskType); }
void ovSenderSetNonLinearZoomMaskType(int type) { loggedSet("SetNonLinearZoomMaskType", &S::nonLinearZoomMaskType, type); }

void ovSenderGetNonLinearZoomMaskSize(int *width, int *height) {
  logCall("GetNonLinearZoomMaskSize");
  const auto size = withEngine([](EngineState &state) {
    return std::pair{state.settings.nonLinearZoomMaskWidth, state.settings.nonLinearZoomMaskHeight};
  });
  if (width) *width = size.first;
  if (height) *height = size.second;
}

void ovSenderSetNonLinearZoomMaskSize(int width, int height) {
  logCall("SetNonLinearZoomMaskSize", width, height);
  withEngine([&](EngineState &state) {
    state.settings.nonLinearZoomMaskWidth = width;
    state.settings.nonLinearZoomMaskHeight = height;
  });
}

int ovSenderGetImageCompoundBaseVideoResolution(void) {
  return loggedGet("GetImageCompoundBaseVideoResolution", &S::imageCompoundBaseVideoResolution);
}
void ovSenderSetImageCompoundBaseVideoResolution(int code) {
  loggedSet("SetImageCompoundBaseVideoResolution", &S::imageCompoundBaseVideoResolution, code);
}
int ovSenderGetImageCompoundAdditionalVideoResolution(void) {
  return loggedGet("GetImageCompoundAdditionalVideoResolution", &S::imageCompoundAdditionalVideoResolution);
}
void ovSenderSetImageCompoundAdditionalVideoResolution(int code) {
  loggedSet("SetImageCompoundAdditionalVideoResolution", &S::imageCompoundAdditionalVideoResolution, code);
}
int ovSenderGetImageCompoundMaskType(void) { return loggedGet("GetImageCompoundMaskType", &S::imageCompoundMaskType); }
void ovSenderSetImageCompoundMaskType(int type) { loggedSet("SetImageCompoundMaskType", &S::imageCompoundMaskType, type); }
int ovSenderGetImageCompoundBlendingType(void) {
  return loggedGet("GetImageCompoundBlendingType", &S::imageCompoundBlendingType);
}
void ovSenderSetImageCompoundBlendingType(int type) {
  loggedSet("SetImageCompoundBlendingType", &S::imageCompoundBlendingType, type);
}

}  // extern "C"
