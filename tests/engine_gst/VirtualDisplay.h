// An Xvfb display of the test's own, so the preview into an X window can be
// tried where no display is set. Ended with the object.
#pragma once

#include <sys/types.h>

#include <string>

class VirtualDisplay {
 public:
  VirtualDisplay();  // ok() false when Xvfb is missing or does not come up within 10 s
  ~VirtualDisplay();
  VirtualDisplay(const VirtualDisplay &) = delete;
  VirtualDisplay &operator=(const VirtualDisplay &) = delete;

  bool ok() const { return !name_.empty(); }
  const std::string &name() const { return name_; }  // ":N", for DISPLAY

 private:
  pid_t pid_ = -1;
  std::string name_;
};
