#include <gtest/gtest.h>

#include <cstdlib>

#include "ovSender.h"
// After the others: X11's macros (None, Bool) clash with names in them.
#include "EngineOnVirtualDisplay.h"

EngineOnVirtualDisplay::EngineOnVirtualDisplay(int x, int y) {
  if (!xvfb_.ok()) return;
  if (const char *previous = std::getenv("DISPLAY")) {
    hadDisplay_ = true;
    previousDisplay_ = previous;
  }
  setenv("DISPLAY", xvfb_.name().c_str(), 1);
  display_ = XOpenDisplay(nullptr);
  if (!display_) return;
  window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), x, y, 320, 240, 0, 0, 0);
  XMapWindow(display_, window_);
  XSync(display_, False);
  ovSenderShutdown();
  started_ = ovSenderInitialize(window_);
}

void EngineOnVirtualDisplay::destroyWindow() {
  if (!window_) return;
  XDestroyWindow(display_, window_);
  XSync(display_, False);
  window_ = 0;
}

EngineOnVirtualDisplay::~EngineOnVirtualDisplay() {
  if (!xvfb_.ok()) return;
  ovSenderShutdown();
  if (display_) {
    destroyWindow();
    XCloseDisplay(display_);
  }
  if (hadDisplay_)
    setenv("DISPLAY", previousDisplay_.c_str(), 1);
  else
    unsetenv("DISPLAY");
  EXPECT_TRUE(ovSenderInitialize(0)) << "the engine starts again without a window";
}
