// Capture sources, their property pages, and the direct modes.
#include "ApiSupport.h"
#include "Backend.h"

using namespace ovsim;

namespace {

using SourceList = std::vector<Source> DeviceCatalog::*;
using Selection = int EngineSettings::*;

struct SourceKind {
  bool video;
  SourceList list;
  Selection selected;
};

constexpr SourceKind kVideo{true, &DeviceCatalog::videoSources, &EngineSettings::videoSource};
constexpr SourceKind kAudio{false, &DeviceCatalog::audioSources, &EngineSettings::audioSource};

int sourceCount(const SourceKind &kind) {
  return withEngine([&](EngineState &state) { return static_cast<int>((state.devices.*kind.list).size()); });
}

const char *sourceName(const SourceKind &kind, int index) {
  return returnedText(withEngine([&](EngineState &state) {
    const Source *source = elementAt(state.devices.*kind.list, index);
    return source ? source->name : std::string();
  }));
}

// The pages of the selected source; none when the selection is out of range.
const std::vector<std::string> &selectedPages(const EngineState &state, const SourceKind &kind) {
  static const std::vector<std::string> kNoPages;
  const Source *source = elementAt(state.devices.*kind.list, state.settings.*kind.selected);
  return source ? source->propertyPages : kNoPages;
}

int pageCount(const SourceKind &kind) {
  return withEngine([&](EngineState &state) { return static_cast<int>(selectedPages(state, kind).size()); });
}

const char *pageName(const SourceKind &kind, int index) {
  return returnedText(withEngine([&](EngineState &state) {
    const auto &pages = selectedPages(state, kind);
    const std::string *name = elementAt(pages, index);
    return name ? *name : std::string();
  }));
}

// The simulated device has no settings window to open; the request is recorded for tests.
void showPage(const SourceKind &kind, ovSenderWindowHandle owner, int index) {
  withEngine([&](EngineState &state) {
    const auto &pages = selectedPages(state, kind);
    const std::string *name = elementAt(pages, index);
    state.shownPages.push_back({kind.video, state.settings.*kind.selected, index, name ? *name : "", owner});
  });
}

}  // namespace

extern "C" {

int ovSenderGetNumVideoSources(void) { logCall("GetNumVideoSources"); return sourceCount(kVideo); }
int ovSenderGetVideoSource(void) { return loggedGet("GetVideoSource", kVideo.selected); }
void ovSenderSetVideoSource(int index) { loggedSet("SetVideoSource", kVideo.selected, index); }
const char *ovSenderGetVideoSourceFriendlyName(int index) {
  logCall("GetVideoSourceFriendlyName", index);
  return sourceName(kVideo, index);
}
int ovSenderGetNumVideoSourcePropertyPages(void) { logCall("GetNumVideoSourcePropertyPages"); return pageCount(kVideo); }
const char *ovSenderGetVideoSourcePropertyPageName(int index) {
  logCall("GetVideoSourcePropertyPageName", index);
  return pageName(kVideo, index);
}
void ovSenderShowVideoSourcePropertyPage(ovSenderWindowHandle owner, int index) {
  logCall("ShowVideoSourcePropertyPage", owner, index);
  showPage(kVideo, owner, index);
}

int ovSenderGetNumAudioSources(void) { logCall("GetNumAudioSources"); return sourceCount(kAudio); }
int ovSenderGetAudioSource(void) { return loggedGet("GetAudioSource", kAudio.selected); }
void ovSenderSetAudioSource(int index) { loggedSet("SetAudioSource", kAudio.selected, index); }
const char *ovSenderGetAudioSourceFriendlyName(int index) {
  logCall("GetAudioSourceFriendlyName", index);
  return sourceName(kAudio, index);
}
int ovSenderGetNumAudioSourcePropertyPages(void) { logCall("GetNumAudioSourcePropertyPages"); return pageCount(kAudio); }
const char *ovSenderGetAudioSourcePropertyPageName(int index) {
  logCall("GetAudioSourcePropertyPageName", index);
  return pageName(kAudio, index);
}
void ovSenderShowAudioSourcePropertyPage(ovSenderWindowHandle owner, int index) {
  logCall("ShowAudioSourcePropertyPage", owner, index);
  showPage(kAudio, owner, index);
}

bool ovSenderGetDirectVideoModeOn(void) { return loggedGet("GetDirectVideoModeOn", &EngineSettings::directVideoModeOn); }
void ovSenderSetDirectVideoModeOn(bool on) { loggedSet("SetDirectVideoModeOn", &EngineSettings::directVideoModeOn, on); }
bool ovSenderGetDVInterleavedModeOn(void) { return loggedGet("GetDVInterleavedModeOn", &EngineSettings::dvInterleavedModeOn); }
void ovSenderSetDVInterleavedModeOn(bool on) { loggedSet("SetDVInterleavedModeOn", &EngineSettings::dvInterleavedModeOn, on); }
bool ovSenderIsValidDVInterleavedMode(void) {
  logCall("IsValidDVInterleavedMode");
  return backend().dvInterleavedPossible();
}

}  // extern "C"
