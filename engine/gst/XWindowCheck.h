// Whether a window id names a live window on the X display, asked without
// letting Xlib's default error handler end the process on a bad id.
#pragma once

#include <cstdint>

namespace ovgst {

bool haveXDisplay();
bool isLiveXWindow(std::uintptr_t window);

}  // namespace ovgst
