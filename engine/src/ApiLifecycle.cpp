// Life cycle, validity, errors and the UI callback.
#include "ApiSupport.h"
#include "Backend.h"
#include "ConfigCheck.h"
#include "TextCopy.h"
#include "UICallbackCall.h"
#include "VideoResolution.h"

using namespace ovsim;

extern "C" {

bool ovSenderInitialize(ovSenderWindowHandle panel) {
  logCall("Initialize", panel);
  return backend().initialize(panel);
}

bool ovSenderIsInitialized(void) {
  logCall("IsInitialized");
  return withEngine([](EngineState &state) { return state.initialized; });
}

// Stops everything and forgets the callback, whose context dies with the console's window.
void ovSenderShutdown(void) {
  logCall("Shutdown");
  withEngine([](EngineState &state) {
    state.initialized = false;
    state.settings.start = false;
    state.callback = {};
    state.clips.videoUntil = state.clips.soundUntil = {};
  });
  backend().shutdown();
}

bool ovSenderGetValid(void) {
  logCall("GetValid");
  return withEngine([](EngineState &state) { return !configurationError(state); });
}

bool ovSenderCheckQuit(void) {
  logCall("CheckQuit");
  return withEngine([](EngineState &state) { return state.injected.quitRequest; });
}

// The simulation sends no status packets and tracks no pointer, so these only log.
void ovSenderSendStatus(void) {
  logCall("SendStatus");
  backend().sendStatus();
}

void ovSenderComputeFocusRegion(void) {
  logCall("ComputeFocusRegion");
  backend().computeFocusRegion();
}

// With FitWindowToVideo on, the window is asked to take the size of the picture.
void ovSenderComputeVideoWindow(void) {
  logCall("ComputeVideoWindow");
  const auto size = withEngine([](EngineState &state) -> std::optional<PictureSize> {
    if (!state.initialized || !state.settings.fitWindowToVideo) return std::nullopt;
    const bool own = state.settings.directVideoModeOn;
    return pictureSizeOf(own ? kSourceResolutionCode : state.settings.videoResolution);
  });
  if (!size) return;
  int args[2] = {size->width, size->height};
  callUICallback("ResizeForm", args);
}

void ovSenderSetUICallbackFunction(ovSenderUICallbackFunction callback, void *context) {
  logCall("SetUICallbackFunction", Presence{reinterpret_cast<const void *>(callback), "callback"},
          Presence{context, "context"});
  withEngine([&](EngineState &state) { state.callback = {callback, context}; });
}

void ovSenderGetErrorMessage(int *identity, int *kind, char *text) {
  logCall("GetErrorMessage");
  const EngineError error = withEngine([](EngineState &state) { return configurationError(state).value_or(EngineError{}); });
  if (identity) *identity = error.identity;
  if (kind) *kind = error.kind;
  copyTextToBuffer(error.text, text, OVSENDER_ERROR_TEXT_SIZE);
}

}  // extern "C"
