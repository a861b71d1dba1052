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
  std::lock_guard lock(kCheckMutex);
  gFailed = false;
  auto *previous = XSetErrorHandler(rememberFailure);
  XWindowAttributes attributes;
  const Status status = XGetWindowAttributes(display, static_cast<Window>(window), &attributes);
  XSync(display, False);
  XSetErrorHandler(previous);
  const bool live = status != 0 && !gFailed;
  XCloseDisplay(display);
  return live;
}

}  // namespace ovgst
