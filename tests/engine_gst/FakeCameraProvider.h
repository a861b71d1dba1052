// Cameras without hardware: a GStreamer device provider registered in the
// test process that reports V4L2 cameras at device paths the test chooses,
// so the engine's device monitor lists them like plugged-in cameras.
#pragma once

#include <string>
#include <vector>

struct FakeCamera {
  std::string name;
  std::string path;
};

// Replaces the cameras reported from now on; registers the provider on first use.
void setFakeCameras(const std::vector<FakeCamera> &cameras);
