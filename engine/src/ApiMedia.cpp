// Captions, clips and sound files, audio levels.
#include "ApiSupport.h"
#include "Backend.h"

using namespace ovsim;

extern "C" {

const char *ovSenderGetCaption(void) { return loggedGetText("GetCaption", &EngineSettings::caption); }
void ovSenderSetCaption(const char *text) { loggedSetText("SetCaption", &EngineSettings::caption, text); }
bool ovSenderGetCaptionOn(void) { return loggedGet("GetCaptionOn", &EngineSettings::captionOn); }
void ovSenderSetCaptionOn(bool on) { loggedSet("SetCaptionOn", &EngineSettings::captionOn, on); }

bool ovSenderPlayVideoClip(const char *path) {
  logCall("PlayVideoClip", path);
  return backend().play(ClipKind::Video, path);
}
bool ovSenderIsPlayVideoClip(void) {
  logCall("IsPlayVideoClip");
  return backend().playing(ClipKind::Video);
}
bool ovSenderPlaySoundFile(const char *path) {
  logCall("PlaySoundFile", path);
  return backend().play(ClipKind::Sound, path);
}
bool ovSenderIsPlaySoundFile(void) {
  logCall("IsPlaySoundFile");
  return backend().playing(ClipKind::Sound);
}

int ovSenderCopyPreviewFrame(void *pixels, int capacity, int *width, int *height) {
  return backend().copyPreviewFrame(pixels, capacity, width, height);
}

void ovSenderSetVolumeEvaluationTime(int milliseconds) {
  logCall("SetVolumeEvaluationTime", milliseconds);
  withEngine([&](EngineState &state) { state.volumeEvaluationTime = milliseconds; });
}

void ovSenderGetVolume(int *left, int *right) {
  logCall("GetVolume");
  const auto levels = backend().volume();
  if (left) *left = levels.first;
  if (right) *right = levels.second;
}

}  // extern "C"
