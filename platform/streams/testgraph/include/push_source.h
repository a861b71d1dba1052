// A source filter for tests: its output pin "Output" offers the given types
// and, once the filter is paused, delivers the given frames on its own
// thread with their times, flags and type changes, then end of stream.
#pragma once

#include "source_stream.h"

#include <atomic>
#include <optional>
#include <vector>

struct TestFrame {
    std::vector<BYTE> data;
    bool timed = false;
    bool stopValid = true;
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    bool syncPoint = false;
    bool preroll = false;
    bool discontinuity = false;
    std::optional<CMediaType> type;  // sent as a type change with this frame
};

struct PushSourceConfig {
    std::vector<CMediaType> types;  // offered in this order
    std::vector<TestFrame> frames;
    LONG buffers = 2;
    LONG bufferSize = 0;   // 0: the largest frame
    bool loop = false;     // start again after the last frame until stopped
    DWORD intervalMs = 0;  // pause between frames
    bool endOfStream = true;
};

class CPushSource : public CBaseFilter {
public:
    explicit CPushSource(PushSourceConfig config);
    ~CPushSource() override;
    // A new source with one reference.
    static CPushSource* Create(PushSourceConfig config);

    int GetPinCount() override { return 1; }
    CBasePin* GetPin(int index) override;
    CSourceStream* Stream();

    // Frames whose delivery downstream answered S_OK.
    std::size_t FramesDelivered() const { return m_delivered.load(); }
    // The last answer of the downstream pin to a delivery.
    HRESULT LastDeliveryResult() const { return m_lastDelivery.load(); }

private:
    class OutputStream;
    friend class OutputStream;

    CCritSec m_lock;
    const PushSourceConfig m_config;
    std::unique_ptr<OutputStream> m_stream;
    std::atomic<std::size_t> m_delivered{0};
    std::atomic<HRESULT> m_lastDelivery{S_OK};
};
