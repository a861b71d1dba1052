// When the Frame Rate Controller sends its next frame. Frame k of a run is
// due at anchor + k × period (the period exact, not rounded to a unit), so
// neither rounding nor a late wake-up carries into later frames and the mean
// rate is the set one: frames that fell behind by a short stall go out at
// once until the line is caught up. A frame later than that (by more than
// a period and more than 100 ms, as when downstream held the stream) starts
// the line again from itself instead of a long burst.
#pragma once

#include "wintypes.h"

class FrameRateControllerPacer {
public:
    // The next delivered frame anchors a new line.
    void Reset() { m_anchored = false; }
    // A frame went out at `now` (100-ns units) at `rate` frames per second;
    // returns how long to wait before the next one, 0 to go on at once.
    REFERENCE_TIME Delivered(REFERENCE_TIME now, LONG rate);

private:
    REFERENCE_TIME DueTime(LONGLONG frame) const;

    bool m_anchored = false;
    REFERENCE_TIME m_anchor = 0;
    LONGLONG m_frame = 0;
    LONG m_rate = 0;
};
