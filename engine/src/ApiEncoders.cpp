// Video and audio encoders.
#include "ApiSupport.h"

using namespace ovsim;

namespace {

using EncoderList = std::vector<Encoder> DeviceCatalog::*;

int encoderCount(EncoderList list) {
  return withEngine([&](EngineState &state) { return static_cast<int>((state.devices.*list).size()); });
}

const char *encoderName(EncoderList list, int index) {
  return returnedText(withEngine([&](EngineState &state) {
    const Encoder *encoder = elementAt(state.devices.*list, index);
    return encoder ? encoder->name : std::string();
  }));
}

// An index out of range reports the lowest priority, so such an entry is never recommended.
int encoderPriority(EncoderList list, int index) {
  return withEngine([&](EngineState &state) {
    const Encoder *encoder = elementAt(state.devices.*list, index);
    return encoder ? encoder->priority : 2;
  });
}

}  // namespace

extern "C" {

int ovSenderGetNumVideoEncoder(void) { logCall("GetNumVideoEncoder"); return encoderCount(&DeviceCatalog::videoEncoders); }
const char *ovSenderGetVideoEncoderFriendlyName(int index) {
  logCall("GetVideoEncoderFriendlyName", index);
  return encoderName(&DeviceCatalog::videoEncoders, index);
}
int ovSenderGetVideoEncoderPriority(int index) {
  logCall("GetVideoEncoderPriority", index);
  return encoderPriority(&DeviceCatalog::videoEncoders, index);
}
int ovSenderGetVideoEncoder(void) { return loggedGet("GetVideoEncoder", &EngineSettings::videoEncoder); }
void ovSenderSetVideoEncoder(int index) { loggedSet("SetVideoEncoder", &EngineSettings::videoEncoder, index); }

int ovSenderGetNumAudioEncoder(void) { logCall("GetNumAudioEncoder"); return encoderCount(&DeviceCatalog::audioEncoders); }
const char *ovSenderGetAudioEncoderFriendlyName(int index) {
  logCall("GetAudioEncoderFriendlyName", index);
  return encoderName(&DeviceCatalog::audioEncoders, index);
}
int ovSenderGetAudioEncoderPriority(int index) {
  logCall("GetAudioEncoderPriority", index);
  return encoderPriority(&DeviceCatalog::audioEncoders, index);
}
int ovSenderGetAudioEncoder(void) { return loggedGet("GetAudioEncoder", &EngineSettings::audioEncoder); }
void ovSenderSetAudioEncoder(int index) { loggedSet("SetAudioEncoder", &EngineSettings::audioEncoder, index); }

}  // extern "C"
