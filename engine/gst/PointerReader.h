// Reads the display's pointer as a point of the sent picture. Used on one
// thread only; it keeps its own connection to the X display, opened when
// first needed and opened again (at most once a second) after the server
// went away, which never ends the process.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

#include "FocusPoint.h"
#include "VideoResolution.h"

struct _XDisplay;

namespace ovgst {

// Where a picture drawn with its aspect kept, centred, sits in an area;
// the point at x, y of the area as fractions of that picture, or nothing
// when it lies outside it.
std::optional<ovsim::FocusPoint> pointOnFittedPicture(int x, int y, int areaWidth, int areaHeight,
                                                      ovsim::PictureSize picture);

class PointerReader {
 public:
  PointerReader() = default;
  ~PointerReader();
  PointerReader(const PointerReader &) = delete;
  PointerReader &operator=(const PointerReader &) = delete;

  // Coordinate 0: the whole screen stands for the picture. Coordinate 1:
  // the picture as the preview window shows it (a window of 0 reads nothing).
  // Nothing without a display, with a window that is gone, or with the
  // pointer outside the picture.
  std::optional<ovsim::FocusPoint> read(int coordinate, std::uintptr_t window, ovsim::PictureSize picture);

 private:
  bool connected();
  void disconnect();

  _XDisplay *display_ = nullptr;
  std::chrono::steady_clock::time_point nextAttempt_{};
};

}  // namespace ovgst
