#include "XWindowCheck.h"

#include <X11/Xlib.h>

#include <atomic>
#include <cstdio>
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

// A window that went away fails every picture drawn after it, 30 a second:
// the first few errors are told, then only every thousandth.
int reportAndGoOn(Display *display, XErrorEvent *error) {
  static std::atomic<unsigned> seen{0};
  const unsigned count = ++seen;
  if (count > 3 && count % 1000 != 0) return 0;
  char text[256] = {};
  XGetErrorText(display, error->error_code, text, sizeof text);
  std::fprintf(stderr, "ovSender: X error on request %d.%d: %s (ignored)\n", error->request_code, error->minor_code,
               text);
  return 0;
}

}  // namespace

void keepXErrorsFromEndingTheProcess() {
  std::lock_guard lock(kCheckMutex);
  XSetErrorHandler(reportAndGoOn);
}

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
