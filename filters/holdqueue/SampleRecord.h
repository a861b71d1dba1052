// A media sample kept by the Synchronizing Buffer until it is due: a copy of
// its data, its times and flags. The data buffer is kept between uses, so a
// record reused for frames of one size allocates once.
#pragma once

#include "sample_interfaces.h"

#include <cstddef>
#include <memory>

// The start and stop time of a sample, each present or not.
struct SampleTimes {
    bool hasStart = false;
    bool hasStop = false;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
};

SampleTimes ReadSampleTimes(IMediaSample* sample);

class SampleRecord {
public:
    // Takes the data, media times and flags of `sample` along with `times`;
    // false when the data does not fit in memory.
    bool Capture(IMediaSample* sample, const SampleTimes& times);
    // Writes the record into `out`, with its start and stop times unless
    // `withTimes` is false; false (and nothing written) when the data is
    // longer than `out` can hold.
    bool WriteTo(IMediaSample* out, bool withTimes) const;

    const SampleTimes& Times() const { return m_times; }
    std::size_t Length() const { return m_length; }

    // Use count, kept by the pool.
    int references = 0;

private:
    bool Reserve(std::size_t length);

    std::unique_ptr<BYTE[]> m_data;
    std::size_t m_capacity = 0;
    std::size_t m_length = 0;
    SampleTimes m_times;
    bool m_hasMediaTime = false;
    LONGLONG m_mediaStart = 0;
    LONGLONG m_mediaStop = 0;
    bool m_discontinuity = false;
    bool m_syncPoint = false;
    bool m_preroll = false;
};
