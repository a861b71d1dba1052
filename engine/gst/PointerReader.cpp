#include "PointerReader.h"

#include <X11/Xlib.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>
#include <set>

#include "XWindowCheck.h"

namespace ovgst {
namespace {

constexpr auto kRetryInterval = std::chrono::seconds(1);

// Xlib's default reaction to a lost server connection is to end the process.
// For our own connections the handler returns instead (the per-display exit
// handler below then marks the connection lost); every other connection is
// handed to whatever handler was there before, so it behaves as it did.
std::mutex gOwnDisplaysMutex;
std::set<Display *> gOwnDisplays;
std::set<Display *> gLostDisplays;
XIOErrorHandler gPreviousIOHandler = nullptr;

int onIOError(Display *display) {
  {
    std::lock_guard lock(gOwnDisplaysMutex);
    if (gOwnDisplays.count(display)) return 0;
  }
  return gPreviousIOHandler ? gPreviousIOHandler(display) : 0;
}

void onLostConnection(Display *display, void *) {
  std::lock_guard lock(gOwnDisplaysMutex);
  gLostDisplays.insert(display);
}

bool lost(Display *display) {
  std::lock_guard lock(gOwnDisplaysMutex);
  return gLostDisplays.count(display) != 0;
}

void adopt(Display *display) {
  static std::once_flag installed;
  std::call_once(installed, [] { gPreviousIOHandler = XSetIOErrorHandler(onIOError); });
  std::lock_guard lock(gOwnDisplaysMutex);
  gOwnDisplays.insert(display);
  XSetIOErrorExitHandler(display, onLostConnection, nullptr);
}

void release(Display *display) {
  std::lock_guard lock(gOwnDisplaysMutex);
  gOwnDisplays.erase(display);
  gLostDisplays.erase(display);
}

// A server that went away between two samples is seen on the socket, before
// a request meets it: Xlib's handling of a connection lost in the middle of
// a request is the backstop, not the rule.
bool serverGone(Display *display) {
  char byte = 0;
  const ssize_t peeked = recv(ConnectionNumber(display), &byte, 1, MSG_PEEK | MSG_DONTWAIT);
  return peeked == 0 || (peeked < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR);
}

}  // namespace

std::optional<ovsim::FocusPoint> pointOnFittedPicture(int x, int y, int areaWidth, int areaHeight,
                                                      ovsim::PictureSize picture) {
  if (areaWidth <= 0 || areaHeight <= 0 || picture.width <= 0 || picture.height <= 0) return std::nullopt;
  const double scale = std::min(static_cast<double>(areaWidth) / picture.width,
                                static_cast<double>(areaHeight) / picture.height);
  const double shownWidth = picture.width * scale;
  const double shownHeight = picture.height * scale;
  const double fx = (x + 0.5 - (areaWidth - shownWidth) / 2) / shownWidth;
  const double fy = (y + 0.5 - (areaHeight - shownHeight) / 2) / shownHeight;
  if (fx < 0 || fx > 1 || fy < 0 || fy > 1) return std::nullopt;
  return ovsim::FocusPoint{fx, fy};
}

PointerReader::~PointerReader() { disconnect(); }

bool PointerReader::connected() {
  if (display_ && (lost(display_) || serverGone(display_))) disconnect();
  if (display_) return true;
  const auto now = std::chrono::steady_clock::now();
  if (now < nextAttempt_) return false;
  nextAttempt_ = now + kRetryInterval;
  const char *name = std::getenv("DISPLAY");
  if (!name || !*name) return false;
  display_ = XOpenDisplay(nullptr);
  if (display_) adopt(display_);
  return display_ != nullptr;
}

void PointerReader::disconnect() {
  if (!display_) return;
  XCloseDisplay(display_);  // safe on a lost connection: our handlers return
  release(display_);
  display_ = nullptr;
}

std::optional<ovsim::FocusPoint> PointerReader::read(int coordinate, std::uintptr_t window,
                                                      ovsim::PictureSize picture) {
  if (coordinate == 1 && window == 0) return std::nullopt;
  if (!connected()) return std::nullopt;
  const Window target = coordinate == 1 ? static_cast<Window>(window) : DefaultRootWindow(display_);
  XWindowAttributes attributes{};
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, x = 0, y = 0;
  unsigned int buttons = 0;
  Bool sameScreen = False;
  Status known = 0;
  const bool clean = withXErrorsCaught(display_, [&] {
    known = XGetWindowAttributes(display_, target, &attributes);
    if (known) sameScreen = XQueryPointer(display_, target, &root, &child, &rootX, &rootY, &x, &y, &buttons);
  });
  if (!clean || !known || !sameScreen || lost(display_)) return std::nullopt;
  if (coordinate != 1) {
    if (attributes.width <= 0 || attributes.height <= 0) return std::nullopt;
    return ovsim::FocusPoint{(x + 0.5) / attributes.width, (y + 0.5) / attributes.height};
  }
  return pointOnFittedPicture(x, y, attributes.width, attributes.height, picture);
}

}  // namespace ovgst
