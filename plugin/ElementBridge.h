// Everything an element does with its hosted filter: pins connected by the
// negotiated caps, buffers in and out as samples, stream events passed as
// pin calls, and the filter's states following the element's.
//
// Threads: the sink pads' streaming threads deliver into the filter; what
// the filter sends comes back on the thread that delivers it (the same one
// for in-place filters, the filter's own output thread for the others) and
// is pushed on the source pad there. Reconnecting takes the configuration
// lock exclusively; deliveries hold it shared.
#pragma once

#include "BridgeFilters.h"
#include "ElementTable.h"
#include "HostedFilter.h"

#include <gst/gst.h>

#include <atomic>
#include <condition_variable>
#include <shared_mutex>
#include <string>
#include <vector>

class ElementBridge final : private CollectTarget {
public:
    ElementBridge(GstElement* element, const ElementDescription& description, const std::vector<GstPad*>& sinks, GstPad* src);
    ~ElementBridge();
    ElementBridge(const ElementBridge&) = delete;
    ElementBridge& operator=(const ElementBridge&) = delete;

    const HostedFilter& Hosted() const { return m_hosted; }
    HostedFilter& Hosted() { return m_hosted; }

    GstFlowReturn Chain(int input, GstBuffer* buffer);
    gboolean SinkEvent(int input, GstPad* pad, GstObject* parent, GstEvent* event);
    gboolean SinkQuery(int input, GstPad* pad, GstObject* parent, GstQuery* query);
    gboolean SrcQuery(GstPad* pad, GstObject* parent, GstQuery* query);

    // READY → PAUSED and PAUSED → READY (after the pads are deactivated).
    void Activate();
    void Deactivate();

    // A setting of the settings interface; false when the filter refused it.
    bool GetSetting(const SettingDescription& setting, gint& value) const;
    bool SetSetting(const SettingDescription& setting, gint value);
    LONG VideoColour() const;
    // What the inputs take now (the video colour setting narrows it).
    GstCaps* InputCaps() const;

private:
    HRESULT Collect(IMediaSample* sample) override;
    void CollectEndOfStream() override;

    bool FindHostedPins();
    bool Negotiate(int input, GstCaps* caps);
    HRESULT ConnectInput(int input, const CMediaType& bottomUp);
    bool TurnsRows(const CMediaType& type) const;
    bool ConnectOutput(GstCaps* inputCaps);
    void StopFilters();
    void StartFilters();
    void DisconnectAll();
    void Disconnect(IPin* pin);
    void NegotiationError(int input, GstCaps* caps, const std::string& why);
    std::string RefusalReason(HRESULT hr) const;

    bool InputConnected(int input) const;
    bool WaitForLinkedInputs(int input);
    bool PassesStreamThrough() const { return m_spec.inPlace || m_spec.anyCaps; }
    // The input whose stream the element passes on; the others of an
    // in-place filter only feed it.
    static bool IsMainInput(int input) { return input == 0; }
    static void StreamTypeFor(CMediaType& type);
    void StampOnWallClock(IMediaSample* sample, GstBuffer* buffer);
    void TakeOffWallClock(GstBuffer* buffer);
    void WaitForQuietOutput(bool untilFilterEnds = false);
    GstFlowReturn Push(GstBuffer* buffer);
    void PushSegmentIfDue();
    void EndOfStream(int input);
    void WaitForFilterToDrain();
    void PushEndOfStreamOnce();
    void ResetStreamState();

    GstElement* const m_element;
    const ElementDescription& m_spec;
    const std::vector<GstPad*> m_sinks;
    GstPad* const m_src;

    HostedFilter m_hosted;
    FeedFilter* m_feed = nullptr;
    CollectFilter* m_collect = nullptr;
    std::vector<IPin*> m_filterInputs;
    IPin* m_filterOutput = nullptr;

    mutable std::shared_mutex m_config;
    bool m_active = false;
    std::vector<bool> m_inputConnected;
    std::vector<std::size_t> m_inputRowBytes;
    std::vector<bool> m_inputTurned;  // rows turned bottom-up on the way in
    std::vector<GstClockTime> m_inputFrameDuration;
    std::atomic<GstClockTime> m_longestFrame{0};  // of m_inputFrameDuration, for the end-of-stream wait
    bool m_outputConnected = false;
    std::size_t m_outputRowBytes = 0;
    bool m_outputTurned = false;  // rows turned back top-down on the way out
    bool m_streamStarted = false;

    // One scratch row per input (their threads run at once) and one for the output.
    std::vector<std::vector<std::uint8_t>> m_inputScratch;
    std::vector<std::uint8_t> m_outputScratch;

    std::atomic<bool> m_segmentDue{false};
    GstSegment m_inputSegment{};  // of the first input, for running times
    std::atomic<LONGLONG> m_wallMinusPts{0};
    std::mutex m_endMutex;
    std::condition_variable m_outputSent;
    std::vector<bool> m_inputEnded;
    unsigned long m_outputs = 0;
    unsigned long m_inputsDelivered = 0;
    unsigned long m_inputsBeforeLastOutput = 0;  // inputs delivered when the last output went
    bool m_endPushed = false;
    bool m_filterEnded = false;
};
