// A window of the test's own on an Xvfb display of its own, with the engine
// started on it as its preview window. Ended with the object: the engine is
// shut down, the window and the display go, DISPLAY is put back, and the
// engine starts again without a window, as the other tests expect it.
// Include it after the engine's headers: X11's macros clash with names there.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "VirtualDisplay.h"

class EngineOnVirtualDisplay {
 public:
  // The window at (x, y) of the 800x600 screen, 320x240.
  EngineOnVirtualDisplay(int x = 0, int y = 0);
  ~EngineOnVirtualDisplay();
  EngineOnVirtualDisplay(const EngineOnVirtualDisplay &) = delete;
  EngineOnVirtualDisplay &operator=(const EngineOnVirtualDisplay &) = delete;

  bool haveXvfb() const { return xvfb_.ok(); }
  // The display opened and the engine initialised on the window.
  bool ok() const { return started_; }

  Display *display() const { return display_; }
  Window root() const { return DefaultRootWindow(display_); }
  Window window() const { return window_; }
  // The window destroyed while the engine draws into it; nothing left to tidy.
  void destroyWindow();

 private:
  VirtualDisplay xvfb_;
  std::string previousDisplay_;
  bool hadDisplay_ = false;
  Display *display_ = nullptr;
  Window window_ = 0;
  bool started_ = false;
};
