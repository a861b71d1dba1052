// Video resolution and how the picture is laid out in the panel.
#include "ApiSupport.h"

using namespace ovsim;

extern "C" {

int ovSenderGetVideoResolution(void) { return loggedGet("GetVideoResolution", &EngineSettings::videoResolution); }
void ovSenderSetVideoResolution(int code) { loggedSet("SetVideoResolution", &EngineSettings::videoResolution, code); }
int ovSenderGetVideoWindowPolicy(void) { return loggedGet("GetVideoWindowPolicy", &EngineSettings::videoWindowPolicy); }
void ovSenderSetVideoWindowPolicy(int policy) { loggedSet("SetVideoWindowPolicy", &EngineSettings::videoWindowPolicy, policy); }
bool ovSenderGetKeepVideoAspect(void) { return loggedGet("GetKeepVideoAspect", &EngineSettings::keepVideoAspect); }
void ovSenderSetKeepVideoAspect(bool on) { loggedSet("SetKeepVideoAspect", &EngineSettings::keepVideoAspect, on); }
bool ovSenderGetFitWindowToVideo(void) { return loggedGet("GetFitWindowToVideo", &EngineSettings::fitWindowToVideo); }
void ovSenderSetFitWindowToVideo(bool on) { loggedSet("SetFitWindowToVideo", &EngineSettings::fitWindowToVideo, on); }

}  // extern "C"
