// Transmission switches.
#include "ApiSupport.h"

using namespace ovsim;

extern "C" {

bool ovSenderGetStart(void) { return loggedGet("GetStart", &EngineSettings::start); }
void ovSenderSetStart(bool on) { loggedSet("SetStart", &EngineSettings::start, on); }
bool ovSenderGetVideoTransmissionOn(void) { return loggedGet("GetVideoTransmissionOn", &EngineSettings::videoTransmissionOn); }
void ovSenderSetVideoTransmissionOn(bool on) { loggedSet("SetVideoTransmissionOn", &EngineSettings::videoTransmissionOn, on); }
bool ovSenderGetAudioTransmissionOn(void) { return loggedGet("GetAudioTransmissionOn", &EngineSettings::audioTransmissionOn); }
void ovSenderSetAudioTransmissionOn(bool on) { loggedSet("SetAudioTransmissionOn", &EngineSettings::audioTransmissionOn, on); }
bool ovSenderGetFocusTransmissionOn(void) { return loggedGet("GetFocusTransmissionOn", &EngineSettings::focusTransmissionOn); }
void ovSenderSetFocusTransmissionOn(bool on) { loggedSet("SetFocusTransmissionOn", &EngineSettings::focusTransmissionOn, on); }

}  // extern "C"
