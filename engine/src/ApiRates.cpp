// Maximum and current transmission rates.
#include "ApiSupport.h"
#include "Backend.h"

using namespace ovsim;
using S = EngineSettings;

namespace {

SenderRates currentRates(Sender sender) { return backend().rates(sender); }

int currentBits(const char *name, Sender sender) {
  logCall(name);
  return currentRates(sender).bitsPerSecond;
}

int currentFrames(const char *name, Sender sender) {
  logCall(name);
  return currentRates(sender).framesPerSecond;
}

}  // namespace

extern "C" {

int ovSenderGetVideoSenderMainMaxTransmissionRate(void) {
  return loggedGet("GetVideoSenderMainMaxTransmissionRate", &S::videoSenderMainMaxTransmissionRate);
}
void ovSenderSetVideoSenderMainMaxTransmissionRate(int bps) {
  loggedSet("SetVideoSenderMainMaxTransmissionRate", &S::videoSenderMainMaxTransmissionRate, bps);
}
int ovSenderGetVideoSenderSubMaxTransmissionRate(void) {
  return loggedGet("GetVideoSenderSubMaxTransmissionRate", &S::videoSenderSubMaxTransmissionRate);
}
void ovSenderSetVideoSenderSubMaxTransmissionRate(int bps) {
  loggedSet("SetVideoSenderSubMaxTransmissionRate", &S::videoSenderSubMaxTransmissionRate, bps);
}
int ovSenderGetAudioSenderMaxTransmissionRate(void) {
  return loggedGet("GetAudioSenderMaxTransmissionRate", &S::audioSenderMaxTransmissionRate);
}
void ovSenderSetAudioSenderMaxTransmissionRate(int bps) {
  loggedSet("SetAudioSenderMaxTransmissionRate", &S::audioSenderMaxTransmissionRate, bps);
}
int ovSenderGetPointerSenderMaxTransmissionRate(void) {
  return loggedGet("GetPointerSenderMaxTransmissionRate", &S::pointerSenderMaxTransmissionRate);
}
void ovSenderSetPointerSenderMaxTransmissionRate(int bps) {
  loggedSet("SetPointerSenderMaxTransmissionRate", &S::pointerSenderMaxTransmissionRate, bps);
}
int ovSenderGetStatusSenderMaxTransmissionRate(void) {
  return loggedGet("GetStatusSenderMaxTransmissionRate", &S::statusSenderMaxTransmissionRate);
}
void ovSenderSetStatusSenderMaxTransmissionRate(int bps) {
  loggedSet("SetStatusSenderMaxTransmissionRate", &S::statusSenderMaxTransmissionRate, bps);
}

int ovSenderGetVideoSenderMainTransmissionRate(void) {
  return currentBits("GetVideoSenderMainTransmissionRate", Sender::VideoMain);
}
int ovSenderGetVideoSenderSubTransmissionRate(void) {
  return currentBits("GetVideoSenderSubTransmissionRate", Sender::VideoSub);
}
int ovSenderGetAudioSenderTransmissionRate(void) { return currentBits("GetAudioSenderTransmissionRate", Sender::Audio); }
int ovSenderGetPointerSenderTransmissionRate(void) {
  return currentBits("GetPointerSenderTransmissionRate", Sender::Pointer);
}
int ovSenderGetVideoSenderMainFrameRate(void) { return currentFrames("GetVideoSenderMainFrameRate", Sender::VideoMain); }
int ovSenderGetVideoSenderSubFrameRate(void) { return currentFrames("GetVideoSenderSubFrameRate", Sender::VideoSub); }
int ovSenderGetAudioSenderFrameRate(void) { return currentFrames("GetAudioSenderFrameRate", Sender::Audio); }
int ovSenderGetPointerSenderFrameRate(void) { return currentFrames("GetPointerSenderFrameRate", Sender::Pointer); }

}  // extern "C"
