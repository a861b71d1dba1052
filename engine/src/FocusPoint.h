// The point of attention, shared by whatever reads it (the display pointer,
// a test) and whatever uses it (the focus streams, the zoomed pictures).
// It is kept as fractions of the sent picture so that it survives a change
// of resolution; 0.5, 0.5 is the centre, where it rests when nothing sets it.
#pragma once

namespace ovsim {

struct FocusPoint {
  double x = 0.5;  // 0 the left edge, 1 the right
  double y = 0.5;  // 0 the top edge, 1 the bottom

  bool operator==(const FocusPoint &) const = default;
};

// Thread-safe: the GUI thread writes it, pipeline threads read it per frame.
FocusPoint focusPoint();
// Clamped into 0 … 1 on each axis; a NaN coordinate leaves that axis alone.
void setFocusPoint(FocusPoint point);

// Whether a test pinned the point: the pointer is then not read.
bool focusPointPinned();
void pinFocusPoint(FocusPoint point);
void releaseFocusPoint();

}  // namespace ovsim
