// Captions, clips and sound files, audio levels.
#include "Activity.h"
#include "ApiSupport.h"

using namespace ovsim;

namespace {

using PlayEnd = Clock::time_point ClipPlayback::*;

// Playing again restarts the full duration.
bool play(const char *path, PlayEnd end) {
  if (!isReadableFile(path)) return false;
  const auto now = Clock::now();
  withEngine([&](EngineState &state) { state.clips.*end = now + state.clips.duration; });
  return true;
}

bool playing(PlayEnd end) {
  const auto now = Clock::now();
  return withEngine([&](EngineState &state) { return now < state.clips.*end; });
}

}  // namespace

extern "C" {

const char *ovSenderGetCaption(void) { return loggedGetText("GetCaption", &EngineSettings::caption); }
void ovSenderSetCaption(const char *text) { loggedSetText("SetCaption", &EngineSettings::caption, text); }
bool ovSenderGetCaptionOn(void) { return loggedGet("GetCaptionOn", &EngineSettings::captionOn); }
void ovSenderSetCaptionOn(bool on) { loggedSet("SetCaptionOn", &EngineSettings::captionOn, on); }

bool ovSenderPlayVideoClip(const char *path) {
  logCall("PlayVideoClip", path);
  return play(path, &ClipPlayback::videoUntil);
}
bool ovSenderIsPlayVideoClip(void) {
  logCall("IsPlayVideoClip");
  return playing(&ClipPlayback::videoUntil);
}
bool ovSenderPlaySoundFile(const char *path) {
  logCall("PlaySoundFile", path);
  return play(path, &ClipPlayback::soundUntil);
}
bool ovSenderIsPlaySoundFile(void) {
  logCall("IsPlaySoundFile");
  return playing(&ClipPlayback::soundUntil);
}

void ovSenderSetVolumeEvaluationTime(int milliseconds) {
  logCall("SetVolumeEvaluationTime", milliseconds);
  withEngine([&](EngineState &state) { state.volumeEvaluationTime = milliseconds; });
}

void ovSenderGetVolume(int *left, int *right) {
  logCall("GetVolume");
  const auto now = Clock::now();
  const auto levels = withEngine([&](EngineState &state) { return volumeLevels(state, now); });
  if (left) *left = levels.first;
  if (right) *right = levels.second;
}

}  // extern "C"
