// What differs between the two engines behind the one C interface: the
// simulated engine (settings kept, activity made up, faults injectable) and
// the GStreamer engine that captures, encodes and sends for real. The
// exported functions keep the settings, the registry and settings files in
// common code and ask the back-end only for what a real engine must do.
//
// Every function is called without the engine lock held; a back-end takes
// it itself through withEngine.
#pragma once

#include <utility>

#include "EngineState.h"
#include "ovSender.h"

namespace ovsim {

enum class Sender { VideoMain = 0, VideoSub = 1, Audio = 2, Pointer = 3 };
enum class ClipKind { Video, Sound };

class Backend {
 public:
  virtual ~Backend() = default;
  // Marks the engine initialised on success.
  virtual bool initialize(ovSenderWindowHandle panel) = 0;
  // Called after the common state is marked shut down.
  virtual void shutdown() = 0;
  virtual SenderRates rates(Sender sender) = 0;
  // Left and right in hundredths of a decibel, -3000 to 0.
  virtual std::pair<int, int> volume() = 0;
  virtual bool play(ClipKind kind, const char *path) = 0;
  virtual bool playing(ClipKind kind) = 0;
  // Whether traffic of another sender was seen on a watched address.
  virtual bool detected(const std::string &address) = 0;
  virtual bool dvInterleavedPossible() = 0;
  // Called by the console's focus timer: read the pointer and move the focus.
  virtual void computeFocusRegion() {}
  // Called by the console's status timer.
  virtual void sendStatus() {}
  // See ovSenderCopyPreviewFrame.
  virtual int copyPreviewFrame(void *pixels, int capacity, int *width, int *height) = 0;
};

// The back-end of this process, chosen once at the first call from
// OVSENDER_ENGINE: "simulated" picks the simulation, anything else the real engine.
Backend &backend();
// Whether OVSENDER_ENGINE picks the simulation; read without choosing a back-end.
bool simulatedEngineChosen();

Backend &simulatedBackend();
Backend &gstreamerBackend();

}  // namespace ovsim
