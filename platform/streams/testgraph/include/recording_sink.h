// A sink filter for tests: its input pin "Input" records every sample it
// receives (data, times, flags, type changes), the end-of-stream, flush and
// segment events, and the connection type. It can be told to refuse types
// and to answer Receive with a chosen result after some samples.
#pragma once

#include "input_pin.h"

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

struct ReceivedSample {
    std::vector<BYTE> data;
    bool timed = false;
    bool stopValid = false;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    bool syncPoint = false;
    bool preroll = false;
    bool discontinuity = false;
    DWORD streamId = AM_STREAM_MEDIA;
    std::optional<CMediaType> type;
    // When Receive was called, on the monotonic clock: for timing tests.
    std::chrono::steady_clock::time_point arrived;
};

struct SinkSegment {
    REFERENCE_TIME start;
    REFERENCE_TIME stop;
    double rate;
};

class CRecordingSink : public CBaseFilter {
public:
    using TypeCheck = std::function<bool(const CMediaType&)>;

    // `accepts` decides the input types (all when empty); `offered` are the
    // types the input proposes itself.
    explicit CRecordingSink(TypeCheck accepts = {}, std::vector<CMediaType> offered = {});
    ~CRecordingSink() override;
    static CRecordingSink* Create(TypeCheck accepts = {}, std::vector<CMediaType> offered = {});

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override;
    CBaseInputPin* Input();

    // Samples after the first `count` are answered with `result` and not
    // recorded (S_FALSE asks upstream to stop sending).
    void AnswerAfter(std::size_t count, HRESULT result);
    void SetAllocatorRequirements(const ALLOCATOR_PROPERTIES& props);

    std::vector<ReceivedSample> Samples() const;
    std::size_t SampleCount() const;
    int EndOfStreamCount() const;
    int BeginFlushCount() const;
    int EndFlushCount() const;
    std::vector<SinkSegment> Segments() const;
    std::optional<CMediaType> ConnectionType() const;

    bool WaitForSamples(std::size_t count, DWORD timeoutMs);
    bool WaitForEndOfStream(DWORD timeoutMs);

private:
    class Pin;
    friend class Pin;

    HRESULT Record(IMediaSample* sample, const AM_SAMPLE2_PROPERTIES& props);
    template <typename Ready>
    bool WaitUntil(DWORD timeoutMs, Ready ready);

    mutable CCritSec m_lock;
    const TypeCheck m_accepts;
    const std::vector<CMediaType> m_offered;
    std::unique_ptr<Pin> m_pin;

    mutable std::mutex m_recordMutex;
    std::condition_variable m_recorded;
    std::vector<ReceivedSample> m_samples;
    std::size_t m_answerAfter = static_cast<std::size_t>(-1);
    HRESULT m_lateAnswer = S_OK;
    int m_endOfStream = 0;
    int m_beginFlush = 0;
    int m_endFlush = 0;
    std::vector<SinkSegment> m_segments;
    std::optional<ALLOCATOR_PROPERTIES> m_requirements;
};
