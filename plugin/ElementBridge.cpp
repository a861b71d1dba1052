#include "ElementBridge.h"

#include "RowFlip.h"
#include "ThreadHandOff.h"
#include "VideoCaps.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>

GST_DEBUG_CATEGORY_EXTERN(ostrel_debug);
#define GST_CAT_DEFAULT ostrel_debug

namespace {

constexpr GstClockTime kNsPerUnit = 100;  // sample times count 100 ns

std::string HexResult(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::size_t RowBytesOf(const CMediaType& type)
{
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    if (!video || video->bmiHeader.biWidth <= 0) return 0;
    return static_cast<std::size_t>(video->bmiHeader.biWidth) * (video->bmiHeader.biBitCount / 8u);
}

CMediaType TopDown(const CMediaType& type)
{
    CMediaType topDown = type;
    MakeTopDown(topDown);
    return topDown;
}

void StampSample(IMediaSample* sample, GstBuffer* buffer)
{
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    const GstClockTime duration = GST_BUFFER_DURATION(buffer);
    if (GST_CLOCK_TIME_IS_VALID(pts)) {
        REFERENCE_TIME start = static_cast<REFERENCE_TIME>(pts / kNsPerUnit);
        REFERENCE_TIME stop = GST_CLOCK_TIME_IS_VALID(duration)
                                  ? static_cast<REFERENCE_TIME>((pts + duration) / kNsPerUnit)
                                  : start;
        sample->SetTime(&start, GST_CLOCK_TIME_IS_VALID(duration) ? &stop : nullptr);
    }
    sample->SetDiscontinuity(GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DISCONT));
    sample->SetSyncPoint(!GST_BUFFER_FLAG_IS_SET(buffer, GST_BUFFER_FLAG_DELTA_UNIT));
}

// A time the filter left as it was keeps GStreamer's finer value.
void StampBuffer(GstBuffer* buffer, IMediaSample* sample)
{
    REFERENCE_TIME start = 0;
    REFERENCE_TIME stop = 0;
    const HRESULT timed = sample->GetTime(&start, &stop);
    if (FAILED(timed)) {
        GST_BUFFER_PTS(buffer) = GST_CLOCK_TIME_NONE;
        GST_BUFFER_DURATION(buffer) = GST_CLOCK_TIME_NONE;
        return;
    }
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(pts) || static_cast<REFERENCE_TIME>(pts / kNsPerUnit) != start)
        GST_BUFFER_PTS(buffer) = start < 0 ? 0 : static_cast<GstClockTime>(start) * kNsPerUnit;
    if (timed == S_OK && stop >= start) {
        const GstClockTime duration = static_cast<GstClockTime>(stop - start) * kNsPerUnit;
        const GstClockTime old = GST_BUFFER_DURATION(buffer);
        if (!GST_CLOCK_TIME_IS_VALID(old) || old / kNsPerUnit != duration / kNsPerUnit)
            GST_BUFFER_DURATION(buffer) = duration;
    } else {
        GST_BUFFER_DURATION(buffer) = GST_CLOCK_TIME_NONE;
    }
}

} // namespace

ElementBridge::ElementBridge(GstElement* element, const ElementDescription& description, const std::vector<GstPad*>& sinks,
                             GstPad* src)
    : m_element(element),
      m_spec(description),
      m_sinks(sinks),
      m_src(src),
      m_hosted(description),
      m_inputConnected(sinks.size(), false),
      m_inputRowBytes(sinks.size(), 0),
      m_inputTurned(sinks.size(), false),
      m_inputFrameDuration(sinks.size(), GST_CLOCK_TIME_NONE),
      m_inputScratch(sinks.size()),
      m_inputEnded(sinks.size(), false)
{
    gst_segment_init(&m_inputSegment, GST_FORMAT_TIME);
    if (!m_hosted.Filter()) return;
    m_feed = FeedFilter::Create(static_cast<int>(sinks.size()));
    m_collect = CollectFilter::Create(this, description.anyCaps);
    FindHostedPins();
}

ElementBridge::~ElementBridge()
{
    {
        std::unique_lock hold(m_config);
        StopFilters();
        DisconnectAll();
    }
    for (IPin* pin : m_filterInputs) pin->Release();
    if (m_filterOutput) m_filterOutput->Release();
    if (m_feed) m_feed->Release();
    if (m_collect) m_collect->Release();
}

// Inputs in the filter's own order, and its one output.
bool ElementBridge::FindHostedPins()
{
    IEnumPins* pins = nullptr;
    if (FAILED(m_hosted.Filter()->EnumPins(&pins)) || !pins) return false;
    IPin* pin = nullptr;
    while (pins->Next(1, &pin, nullptr) == S_OK) {
        PIN_DIRECTION direction = PINDIR_INPUT;
        pin->QueryDirection(&direction);
        if (direction == PINDIR_INPUT && m_filterInputs.size() < m_sinks.size())
            m_filterInputs.push_back(pin);
        else if (direction == PINDIR_OUTPUT && !m_filterOutput)
            m_filterOutput = pin;
        else
            pin->Release();
    }
    pins->Release();
    return m_filterInputs.size() == m_sinks.size() && m_filterOutput;
}

// ---- settings

bool ElementBridge::GetSetting(const SettingDescription& setting, gint& value) const
{
    IUnknown* settings = m_hosted.Settings();
    return settings && SUCCEEDED(setting.get(settings, &value));
}

bool ElementBridge::SetSetting(const SettingDescription& setting, gint value)
{
    IUnknown* settings = m_hosted.Settings();
    return settings && SUCCEEDED(setting.set(settings, value));
}

LONG ElementBridge::VideoColour() const
{
    for (int i = 0; i < m_spec.settingCount; ++i) {
        gint value = 2;
        if (std::strcmp(m_spec.settings[i].name, "video-colour") == 0 && GetSetting(m_spec.settings[i], value))
            return value;
    }
    return 2;
}

// Media the filter does not look into travels as a plain byte stream.
void ElementBridge::StreamTypeFor(CMediaType& type)
{
    type = CMediaType();
    type.majortype = MEDIATYPE_Stream;
    type.subtype = MEDIASUBTYPE_NULL;
    type.formattype = FORMAT_None;
    // Buffers of such media vary in size.
    type.bFixedSizeSamples = FALSE;
    type.lSampleSize = 0;
}

GstCaps* ElementBridge::InputCaps() const
{
    if (m_spec.anyCaps) return gst_caps_new_any();
    if (m_spec.hasVideoColour) return CapsForVideoColour(VideoColour());
    return gst_caps_from_string(m_spec.inputCaps ? m_spec.inputCaps : OSTREL_VIDEO_CAPS);
}

// ---- connections

void ElementBridge::Disconnect(IPin* pin)
{
    IPin* peer = nullptr;
    if (pin->ConnectedTo(&peer) == S_OK) {
        peer->Disconnect();
        peer->Release();
    }
    pin->Disconnect();
}

void ElementBridge::DisconnectAll()
{
    for (IPin* input : m_filterInputs) Disconnect(input);
    if (m_filterOutput) Disconnect(m_filterOutput);
    std::fill(m_inputConnected.begin(), m_inputConnected.end(), false);
    m_outputConnected = false;
}

// Downstream first, as a graph stops and starts its filters.
void ElementBridge::StopFilters()
{
    if (!m_feed) return;
    m_collect->Stop();
    m_hosted.Filter()->Stop();
    m_feed->Stop();
}

void ElementBridge::StartFilters()
{
    if (!m_active) return;
    for (IBaseFilter* filter : {static_cast<IBaseFilter*>(m_collect), m_hosted.Filter(),
                                static_cast<IBaseFilter*>(m_feed)}) {
        filter->Pause();
        filter->Run(0);
    }
}

std::string ElementBridge::RefusalReason(HRESULT hr) const
{
    if (hr != VFW_E_TYPE_NOT_ACCEPTED && hr != VFW_E_NO_ACCEPTABLE_TYPES && hr != VFW_E_INVALIDMEDIATYPE)
        return "the connection failed with " + HexResult(hr);
    std::string why = "the filter does not accept this type";
    if (m_spec.hasVideoColour) {
        const LONG colour = VideoColour();
        why += colour == 0 ? " (its video-colour setting 0 takes RGB15 only)"
               : colour == 1 ? " (its video-colour setting 1 takes BGR only)"
                             : "";
    }
    if (m_sinks.size() > 1) why += "; all inputs must have the same format, width and height";
    return why;
}

void ElementBridge::NegotiationError(int input, GstCaps* caps, const std::string& why)
{
    gchar* text = gst_caps_to_string(caps);
    GST_ELEMENT_ERROR(m_element, CORE, NEGOTIATION,
                      ("%s refused the video on %s: %s", m_spec.friendlyName, GST_PAD_NAME(m_sinks[input]),
                       why.c_str()),
                      ("caps %s", text));
    g_free(text);
}

bool ElementBridge::Negotiate(int input, GstCaps* caps)
{
    if (!m_feed) {
        GST_ELEMENT_ERROR(m_element, LIBRARY, INIT, ("%s", m_hosted.Error().c_str()), (nullptr));
        return false;
    }
    CMediaType type;
    std::string why;
    if (!MediaTypeFromCaps(caps, type, why)) {
        if (!m_spec.anyCaps) {
            NegotiationError(input, caps, why);
            return false;
        }
        StreamTypeFor(type);
    }
    std::unique_lock hold(m_config);
    const std::size_t k = static_cast<std::size_t>(input);
    FeedPin* feed = m_feed->Pin(input);
    if (m_inputConnected[k] && (feed->CurrentMediaType() == type || feed->CurrentMediaType() == TopDown(type)))
        return true;
    StopFilters();
    Disconnect(feed);
    m_inputConnected[k] = false;
    const bool carriesOutputType = m_spec.inPlace && IsMainInput(input);
    if (m_outputConnected && (carriesOutputType || !std::count(m_inputConnected.begin(), m_inputConnected.end(), true))) {
        Disconnect(m_filterOutput);
        m_outputConnected = false;
    }
    HRESULT hr = ConnectInput(input, type);
    if (FAILED(hr)) {
        StartFilters();
        NegotiationError(input, caps, RefusalReason(hr));
        return false;
    }
    m_inputConnected[k] = true;
    m_inputRowBytes[k] = RowBytesOf(type);
    m_inputTurned[k] = TurnsRows(feed->CurrentMediaType());
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    m_inputFrameDuration[k] = video && video->AvgTimePerFrame > 0 ? video->AvgTimePerFrame * kNsPerUnit : GST_CLOCK_TIME_NONE;
    GstClockTime longest = 0;
    for (GstClockTime d : m_inputFrameDuration)
        if (GST_CLOCK_TIME_IS_VALID(d)) longest = std::max(longest, d);
    m_longestFrame = longest;
    // An in-place filter's output takes the main input's type, so only that
    // input connects it.
    const bool connected = m_outputConnected || (m_spec.inPlace && !IsMainInput(input)) || ConnectOutput(caps);
    StartFilters();
    return connected;
}

// A filter that takes top-down frames gets GStreamer's rows as they are;
// should it refuse them (or any other filter), the frames go bottom-up.
HRESULT ElementBridge::ConnectInput(int input, const CMediaType& bottomUp)
{
    FeedPin* feed = m_feed->Pin(input);
    IPin* filterInput = m_filterInputs[static_cast<std::size_t>(input)];
    if (m_spec.takesTopDown && bottomUp.VideoInfo()) {
        const CMediaType topDown = TopDown(bottomUp);
        feed->OfferType(topDown);
        if (SUCCEEDED(feed->Connect(filterInput, &topDown))) return S_OK;
        Disconnect(feed);
    }
    feed->OfferType(bottomUp);
    return feed->Connect(filterInput, &bottomUp);
}

bool ElementBridge::TurnsRows(const CMediaType& type) const
{
    const VIDEOINFOHEADER* video = VideoInfoOf(type);
    return m_spec.rowOrderMatters && video && video->bmiHeader.biHeight > 0;
}

bool ElementBridge::ConnectOutput(GstCaps* inputCaps)
{
    const HRESULT hr = m_filterOutput->Connect(m_collect->Input(), nullptr);
    if (FAILED(hr)) {
        GST_ELEMENT_ERROR(m_element, CORE, NEGOTIATION,
                          ("%s offers no output video the element can pass on (%s)", m_spec.friendlyName,
                           HexResult(hr).c_str()),
                          (nullptr));
        return false;
    }
    m_outputConnected = true;
    const CMediaType& type = m_collect->Input()->CurrentMediaType();
    m_outputRowBytes = RowBytesOf(type);
    m_outputTurned = TurnsRows(type);
    GstCaps* caps = PassesStreamThrough() ? gst_caps_ref(inputCaps) : CapsFromMediaType(type);
    if (!caps) {
        // Buffers without caps would fail further down with a vaguer reason.
        GST_ELEMENT_ERROR(m_element, CORE, NEGOTIATION,
                          ("%s sends video no caps can describe", m_spec.friendlyName), (nullptr));
        return false;
    }
    if (!PassesStreamThrough() && !m_streamStarted) {
        // The inputs' streams end in this element; the composed one is new.
        gchar* id = g_strdup_printf("%s-%08x", GST_ELEMENT_NAME(m_element), g_random_int());
        GstEvent* start = gst_event_new_stream_start(id);
        gst_event_set_group_id(start, gst_util_group_id_next());
        gst_pad_push_event(m_src, start);
        g_free(id);
        m_streamStarted = true;
    }
    gst_pad_push_event(m_src, gst_event_new_caps(caps));
    gst_caps_unref(caps);
    if (!PassesStreamThrough()) m_segmentDue = true;
    return true;
}

bool ElementBridge::InputConnected(int input) const
{
    std::shared_lock hold(m_config);
    return m_inputConnected[static_cast<std::size_t>(input)];
}

// ---- buffers

// Connecting an input sets the filter's frame size anew, which may clear
// the frames its other inputs already gave, so no input delivers before
// every linked input is connected, as in a graph built before it runs.
bool ElementBridge::WaitForLinkedInputs(int input)
{
    for (;;) {
        {
            std::shared_lock hold(m_config);
            if (!m_active || GST_PAD_IS_FLUSHING(m_sinks[static_cast<std::size_t>(input)])) return false;
            bool ready = true;
            for (std::size_t i = 0; i < m_sinks.size(); ++i)
                ready = ready && (m_inputConnected[i] || !gst_pad_is_linked(m_sinks[i]));
            if (ready) return true;
        }
        g_usleep(2000);
    }
}

GstFlowReturn ElementBridge::Chain(int input, GstBuffer* buffer)
{
    TakingOver(buffer);
    if (m_sinks.size() > 1 && !WaitForLinkedInputs(input)) {
        gst_buffer_unref(buffer);
        return GST_FLOW_FLUSHING;
    }
    std::shared_lock hold(m_config);
    const std::size_t k = static_cast<std::size_t>(input);
    if (!m_feed || !m_inputConnected[k]) {
        gst_buffer_unref(buffer);
        return GST_FLOW_NOT_NEGOTIATED;
    }
    // In-place filters write into the buffer, and turning rows writes too.
    const bool writes = (m_spec.inPlace && IsMainInput(input)) || m_inputTurned[k];
    if (writes) buffer = gst_buffer_make_writable(buffer);
    // The sample holds the only reference while the filter has it, so the
    // buffer stays writable.
    auto* sample = new BufferSample();
    sample->AddRef();
    StampSample(sample, buffer);
    if (m_spec.wallClockTimes) StampOnWallClock(sample, buffer);
    if (!sample->Attach(buffer, writes ? GST_MAP_READWRITE : GST_MAP_READ)) {
        sample->Release();
        GST_ELEMENT_ERROR(m_element, RESOURCE, READ, ("cannot map an input buffer"), (nullptr));
        return GST_FLOW_ERROR;
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const std::size_t length = static_cast<std::size_t>(sample->GetSize());
    if (m_inputTurned[k]) FlipRows(data, length, m_inputRowBytes[k], m_inputScratch[k]);

    sample->AwaitReturn();
    const HRESULT hr = m_feed->Pin(input)->Deliver(sample);
    {
        std::lock_guard ended(m_endMutex);
        ++m_inputsDelivered;
    }
    GST_LOG_OBJECT(m_element, "input %d: %zu bytes delivered, 0x%08X", input, length, static_cast<unsigned>(hr));

    GstFlowReturn flow = GST_FLOW_OK;
    if (sample->Returned()) {
        if (m_outputTurned)
            FlipRows(data, static_cast<std::size_t>(sample->GetActualDataLength()), m_outputRowBytes,
                     m_outputScratch);
        GstBuffer* out = sample->TakeBuffer();
        StampBuffer(out, sample);
        flow = Push(out);
    }
    sample->Release();
    if (FAILED(hr) && flow == GST_FLOW_OK) {
        if (GST_PAD_IS_FLUSHING(m_sinks[k])) return GST_FLOW_FLUSHING;
        GST_ELEMENT_ERROR(m_element, STREAM, FAILED,
                          ("%s refused a frame (%s)", m_spec.friendlyName, HexResult(hr).c_str()), (nullptr));
        return GST_FLOW_ERROR;
    }
    return flow;
}

HRESULT ElementBridge::Collect(IMediaSample* sample)
{
    auto* ours = dynamic_cast<BufferSample*>(sample);
    if (ours && ours->ReturnIfAwaited()) return S_OK;
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    const LONG actual = sample->GetActualDataLength();
    GST_LOG_OBJECT(m_element, "output: %ld bytes", static_cast<long>(actual));
    if (!data || actual <= 0) return S_OK;
    GstBuffer* buffer = nullptr;
    if (m_outputTurned) FlipRows(data, static_cast<std::size_t>(actual), m_outputRowBytes, m_outputScratch);
    if (ours && ours->HasBuffer()) {
        buffer = ours->TakeBuffer();
    } else {
        // Not one of our buffers: copied, and the sender's memory turned back.
        buffer = gst_buffer_new_allocate(nullptr, static_cast<gsize>(actual), nullptr);
        gst_buffer_fill(buffer, 0, data, static_cast<gsize>(actual));
        if (m_outputTurned)
            FlipRows(data, static_cast<std::size_t>(actual), m_outputRowBytes, m_outputScratch);
    }
    StampBuffer(buffer, sample);
    if (m_spec.wallClockTimes) TakeOffWallClock(buffer);
    if (sample->IsDiscontinuity() == S_OK) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DISCONT);
    return Push(buffer) == GST_FLOW_OK ? S_OK : S_FALSE;
}

void ElementBridge::PushSegmentIfDue()
{
    if (!m_segmentDue.exchange(false)) return;
    // The filter stamps its output on its own stream time from 0.
    GstSegment segment;
    gst_segment_init(&segment, GST_FORMAT_TIME);
    gst_pad_push_event(m_src, gst_event_new_segment(&segment));
}

GstFlowReturn ElementBridge::Push(GstBuffer* buffer)
{
    {
        std::lock_guard hold(m_endMutex);
        if (m_endPushed) {
            gst_buffer_unref(buffer);
            return GST_FLOW_EOS;
        }
    }
    PushSegmentIfDue();
    unsigned long inputsBefore;
    {
        std::lock_guard hold(m_endMutex);
        inputsBefore = m_inputsDelivered;
    }
    HandingOver(buffer);
    const GstFlowReturn flow = gst_pad_push(m_src, buffer);
    {
        std::lock_guard hold(m_endMutex);
        ++m_outputs;
        m_inputsBeforeLastOutput = inputsBefore;
    }
    m_outputSent.notify_all();
    return flow;
}

// The wall time the buffer is due at: its running time on the pipeline's
// clock, moved onto the wall clock by the two clocks' difference now.
void ElementBridge::StampOnWallClock(IMediaSample* sample, GstBuffer* buffer)
{
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(pts)) return;
    const LONGLONG wallNow = g_get_real_time() * 10;
    LONGLONG due = wallNow;
    GstClock* clock = gst_element_get_clock(m_element);
    const guint64 running = gst_segment_to_running_time(&m_inputSegment, GST_FORMAT_TIME, pts);
    if (clock && GST_CLOCK_TIME_IS_VALID(running)) {
        const GstClockTimeDiff ahead = GST_CLOCK_DIFF(gst_clock_get_time(clock),
                                                      gst_element_get_base_time(m_element) + running);
        due = wallNow + ahead / static_cast<GstClockTimeDiff>(kNsPerUnit);
    }
    if (clock) gst_object_unref(clock);
    GST_LOG_OBJECT(m_element, "due %lld, %lld units from now", static_cast<long long>(due),
                   static_cast<long long>(due - wallNow));
    m_wallMinusPts = due - static_cast<LONGLONG>(pts / kNsPerUnit);
    REFERENCE_TIME start = due;
    REFERENCE_TIME stop = start;
    if (GST_CLOCK_TIME_IS_VALID(GST_BUFFER_DURATION(buffer)))
        stop += static_cast<REFERENCE_TIME>(GST_BUFFER_DURATION(buffer) / kNsPerUnit);
    sample->SetTime(&start, &stop);
}

void ElementBridge::TakeOffWallClock(GstBuffer* buffer)
{
    const GstClockTime pts = GST_BUFFER_PTS(buffer);
    if (!GST_CLOCK_TIME_IS_VALID(pts)) return;
    const LONGLONG units = static_cast<LONGLONG>(pts / kNsPerUnit) - m_wallMinusPts.load();
    GST_BUFFER_PTS(buffer) = units < 0 ? 0 : static_cast<GstClockTime>(units) * kNsPerUnit;
}

// ---- events

void ElementBridge::CollectEndOfStream()
{
    if (m_spec.queuesSamples) WaitForQuietOutput();
    {
        std::lock_guard hold(m_endMutex);
        m_filterEnded = true;
    }
    m_outputSent.notify_all();
    PushEndOfStreamOnce();
}

void ElementBridge::PushEndOfStreamOnce()
{
    {
        std::lock_guard hold(m_endMutex);
        if (m_endPushed) return;
        m_endPushed = true;
    }
    PushSegmentIfDue();
    gst_pad_push_event(m_src, gst_event_new_eos());
}

// Filters that compose on their own thread send no end of stream: once
// every input has ended, the element waits until the filter has sent what it
// still holds (its output stays quiet for a few frame times), then ends.
void ElementBridge::WaitForFilterToDrain() { WaitForQuietOutput(true); }

void ElementBridge::WaitForQuietOutput(bool untilFilterEnds)
{
    // Read without the configuration lock: a filter thread calls this with
    // the filter's locks held, which a negotiation takes after that lock.
    const GstClockTime frame = m_longestFrame.load();
    const auto quiet = std::chrono::milliseconds(40) + std::chrono::nanoseconds(2 * frame);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    std::unique_lock hold(m_endMutex);
    // First an output sent after the last input arrived (a composing filter
    // on a busy machine may take a while), then a quiet spell.
    const auto done = [&] { return (untilFilterEnds && m_filterEnded) || m_endPushed; };
    m_outputSent.wait_until(hold, deadline, [&] { return done() || m_inputsBeforeLastOutput == m_inputsDelivered; });
    for (;;) {
        const unsigned long before = m_outputs;
        const bool changed = m_outputSent.wait_for(hold, quiet, [&] { return done() || m_outputs != before; });
        if (done() || !changed || std::chrono::steady_clock::now() > deadline) return;
    }
}

void ElementBridge::EndOfStream(int input)
{
    {
        std::shared_lock hold(m_config);
        if (m_feed && m_inputConnected[static_cast<std::size_t>(input)])
            m_feed->Pin(input)->DeliverEndOfStream();
    }
    bool all;
    {
        std::lock_guard hold(m_endMutex);
        m_inputEnded[static_cast<std::size_t>(input)] = true;
        all = std::all_of(m_inputEnded.begin(), m_inputEnded.end(), [](bool ended) { return ended; });
    }
    if (!all) return;
    bool negotiated;
    {
        std::shared_lock hold(m_config);
        negotiated = m_outputConnected;
    }
    if (negotiated) WaitForFilterToDrain();
    PushEndOfStreamOnce();
}

void ElementBridge::ResetStreamState()
{
    std::lock_guard hold(m_endMutex);
    std::fill(m_inputEnded.begin(), m_inputEnded.end(), false);
    m_endPushed = false;
    m_filterEnded = false;
}

gboolean ElementBridge::SinkEvent(int input, GstPad* pad, GstObject* parent, GstEvent* event)
{
    const bool first = input == 0;
    FeedPin* feed = m_feed ? m_feed->Pin(input) : nullptr;
    switch (GST_EVENT_TYPE(event)) {
    case GST_EVENT_CAPS: {
        GstCaps* caps = nullptr;
        gst_event_parse_caps(event, &caps);
        const bool ok = Negotiate(input, caps);
        gst_event_unref(event);
        return ok;
    }
    case GST_EVENT_SEGMENT: {
        const GstSegment* segment = nullptr;
        gst_event_parse_segment(event, &segment);
        if (first) gst_segment_copy_into(segment, &m_inputSegment);
        if (feed && segment->format == GST_FORMAT_TIME) {
            std::shared_lock hold(m_config);
            const auto units = [](guint64 t) {
                return GST_CLOCK_TIME_IS_VALID(t) ? static_cast<REFERENCE_TIME>(t / kNsPerUnit)
                                                  : REFERENCE_TIME{0x7FFFFFFFFFFFFFFFLL};
            };
            if (m_inputConnected[static_cast<std::size_t>(input)])
                feed->DeliverNewSegment(units(segment->start), units(segment->stop), segment->rate);
        }
        if (PassesStreamThrough() && first) return gst_pad_push_event(m_src, event);
        gst_event_unref(event);
        return TRUE;
    }
    case GST_EVENT_EOS:
        EndOfStream(input);
        gst_event_unref(event);
        return TRUE;
    case GST_EVENT_FLUSH_START:
        // A flush comes from whichever thread seeks, not the input's own.
        if (feed && InputConnected(input)) feed->DeliverBeginFlush();
        if (first) return gst_pad_push_event(m_src, event);
        gst_event_unref(event);
        return TRUE;
    case GST_EVENT_FLUSH_STOP:
        if (feed && InputConnected(input)) feed->DeliverEndFlush();
        ResetStreamState();
        if (!PassesStreamThrough()) m_segmentDue = true;
        if (first) return gst_pad_push_event(m_src, event);
        gst_event_unref(event);
        return TRUE;
    case GST_EVENT_STREAM_START:
        if (PassesStreamThrough() && first) return gst_pad_push_event(m_src, event);
        gst_event_unref(event);
        return TRUE;
    default:
        if (first) return gst_pad_event_default(pad, parent, event);
        gst_event_unref(event);
        return TRUE;
    }
}

gboolean ElementBridge::SinkQuery(int input, GstPad* pad, GstObject* parent, GstQuery* query)
{
    switch (GST_QUERY_TYPE(query)) {
    case GST_QUERY_CAPS: {
        GstCaps* filter = nullptr;
        gst_query_parse_caps(query, &filter);
        GstCaps* caps = InputCaps();
        if (m_spec.inPlace) {
            // The frames pass through unchanged in type: downstream's say counts.
            GstCaps* downstream = gst_pad_peer_query_caps(m_src, nullptr);
            GstCaps* both = gst_caps_intersect(caps, downstream);
            gst_caps_unref(downstream);
            gst_caps_unref(caps);
            caps = both;
        }
        if (filter) {
            GstCaps* both = gst_caps_intersect_full(filter, caps, GST_CAPS_INTERSECT_FIRST);
            gst_caps_unref(caps);
            caps = both;
        }
        gst_query_set_caps_result(query, caps);
        gst_caps_unref(caps);
        return TRUE;
    }
    case GST_QUERY_ALLOCATION:
        // Only an in-place filter hands the upstream buffers on.
        return m_spec.inPlace && IsMainInput(input) ? gst_pad_query_default(pad, parent, query) : FALSE;
    default:
        return gst_pad_query_default(pad, parent, query);
    }
}

gboolean ElementBridge::SrcQuery(GstPad* pad, GstObject* parent, GstQuery* query)
{
    if (GST_QUERY_TYPE(query) != GST_QUERY_CAPS) return gst_pad_query_default(pad, parent, query);
    GstCaps* filter = nullptr;
    gst_query_parse_caps(query, &filter);
    GstCaps* caps = gst_pad_get_current_caps(pad);
    if (!caps) caps = m_spec.inPlace || m_spec.anyCaps ? InputCaps() : gst_caps_from_string(OSTREL_VIDEO_CAPS);
    if (filter) {
        GstCaps* both = gst_caps_intersect_full(filter, caps, GST_CAPS_INTERSECT_FIRST);
        gst_caps_unref(caps);
        caps = both;
    }
    gst_query_set_caps_result(query, caps);
    gst_caps_unref(caps);
    return TRUE;
}

// ---- states

void ElementBridge::Activate()
{
    std::unique_lock hold(m_config);
    m_active = true;
    m_streamStarted = false;
    ResetStreamState();
}

void ElementBridge::Deactivate()
{
    std::unique_lock hold(m_config);
    m_active = false;
    StopFilters();
    DisconnectAll();
    m_segmentDue = false;
}
