#include "XWindowCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>
#include <mutex>

namespace ovgst {
namespace {

bool gFailed = false;  // written only by the handler below, while the check holds kCheckMutex

int rememberFailure(Display *, XErrorEvent *) {
  gFailed = true;
  return 0;
}

std::mutex kCheckMutex;

}  // namespace

bool haveXDisplay() {
  const char *name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display) return false;
  XCloseDisplay(display);
  return true;
}

bool isLiveXWindow(std::uintptr_t window) {
  if (window == 0) return false;
  const char *name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  Display *display = XOpenDisplay(nullptr);
  if (!display) return false;
  Status status = 0;
  const bool caught = withXErrorsCaught(display, [&] {
    XWindowAttributes attributes;
    status = XGetWindowAttributes(display, static_cast<Window>(window), &attributes);
  });
  XCloseDisplay(display);
  return status != 0 && caught;
}

// One lock for every user: the handler is the process's, and a second user
// restoring it out of order would leave Xlib's fatal default in place.
bool withXErrorsCaught(Display *display, const std::function<void()> &action) {
  std::lock_guard lock(kCheckMutex);
  gFailed = false;
  auto *previous = XSetErrorHandler(rememberFailure);
  action();
  XSync(display, False);
  XSetErrorHandler(previous);
  return !gFailed;
}

}  // namespace ovgst
