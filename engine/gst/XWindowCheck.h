// Whether a window id names a live window on the X display, asked without
// letting Xlib's default error handler end the process on a bad id.
#pragma once

#include <cstdint>
#include <functional>

struct _XDisplay;  // Xlib's Display

namespace ovgst {

bool haveXDisplay();
bool isLiveXWindow(std::uintptr_t window);
// From now on an X error on any Xlib connection of the process (the preview
// sink's among them) is written to stderr instead of ending the process, as
// Xlib's default handler does: a preview window that goes away while a
// picture is drawn into it must not take the console down. Idempotent.
void keepXErrorsFromEndingTheProcess();
// Runs the requests of the action on the display with X errors caught
// instead of ending the process; false when the server reported one.
bool withXErrorsCaught(_XDisplay *display, const std::function<void()> &action);

}  // namespace ovgst
