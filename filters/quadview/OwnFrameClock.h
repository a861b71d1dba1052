// The frame clock a multi-input filter stamps its output with when no input
// gives the times: it advances by the frame interval per output, starts at 0
// when the filter is made and is never reset, so times keep increasing over
// stop and restart.
#pragma once

#include "wintypes.h"

struct OwnFrameTimes {
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    LONGLONG mediaStart = 1;
    LONGLONG mediaStop = 2;
};

class OwnFrameClock {
public:
    // The times of the next output. A frame starts 1 ms after the previous
    // one stopped; `offsetMs` lengthens only the stop time. With `zero` set
    // start and stop are 0, while the clock and the media times still run.
    OwnFrameTimes Advance(LONG intervalMs, LONG offsetMs, bool zero);

private:
    // Milliseconds; 64 bits, so the count cannot wrap in any running time.
    LONGLONG m_elapsedMs = 0;
    OwnFrameTimes m_times;
};
