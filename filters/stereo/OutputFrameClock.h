// The stream time of a filter that composes output frames on its stream
// thread: each frame lasts 1 / frame rate and starts where the last ended;
// while the filter waits for input the time runs on with the wall clock, so
// the next frame's stamp shows the pause. Stream thread only.
#pragma once

#include "flSystemTime.h"
#include "sample_interfaces.h"

#include <cstddef>

class OutputFrameClock {
public:
    void Restart() { m_streamTime = 0; }
    // Sleeps 1 ms and adds the time that passed.
    void Wait();
    // Marks `sample` as an ordinary frame of `length` bytes lasting
    // 1 / `frameRate` (above 0), and advances the stream time past it.
    void Stamp(IMediaSample* sample, std::size_t length, LONG frameRate);

private:
    REFERENCE_TIME m_streamTime = 0;
    flSystemTime m_clock;
};
