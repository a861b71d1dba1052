#include "recording_sink.h"

#include <chrono>

class CRecordingSink::Pin final : public CBaseInputPin {
public:
    Pin(CRecordingSink* sink, HRESULT* phr)
        : CBaseInputPin("Recording sink input", sink, &sink->m_lock, phr, u"Input"), m_sink(sink)
    {
    }

    HRESULT CheckMediaType(const CMediaType* type) override
    {
        if (!m_sink->m_accepts) return S_OK;
        return m_sink->m_accepts(*type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }

    HRESULT GetMediaType(int position, CMediaType* type) override
    {
        if (position < 0) return E_INVALIDARG;
        if (static_cast<std::size_t>(position) >= m_sink->m_offered.size()) return VFW_S_NO_MORE_ITEMS;
        *type = m_sink->m_offered[static_cast<std::size_t>(position)];
        return S_OK;
    }

    STDMETHODIMP GetAllocatorRequirements(ALLOCATOR_PROPERTIES* props) override
    {
        if (!props) return E_POINTER;
        std::lock_guard<std::mutex> hold(m_sink->m_recordMutex);
        if (!m_sink->m_requirements) return E_NOTIMPL;
        *props = *m_sink->m_requirements;
        return S_OK;
    }

    STDMETHODIMP Receive(IMediaSample* sample) override
    {
        const HRESULT hr = CBaseInputPin::Receive(sample);
        return hr == S_OK ? m_sink->Record(sample, SampleProps()) : hr;
    }

    STDMETHODIMP EndOfStream() override
    {
        const HRESULT hr = CBaseInputPin::EndOfStream();
        if (hr == S_OK) Count(m_sink->m_endOfStream);
        return hr;
    }

    STDMETHODIMP BeginFlush() override
    {
        const HRESULT hr = CBaseInputPin::BeginFlush();
        Count(m_sink->m_beginFlush);
        return hr;
    }

    STDMETHODIMP EndFlush() override
    {
        const HRESULT hr = CBaseInputPin::EndFlush();
        Count(m_sink->m_endFlush);
        return hr;
    }

    STDMETHODIMP NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override
    {
        CBaseInputPin::NewSegment(start, stop, rate);
        {
            std::lock_guard<std::mutex> hold(m_sink->m_recordMutex);
            m_sink->m_segments.push_back({start, stop, rate});
        }
        m_sink->m_recorded.notify_all();
        return S_OK;
    }

private:
    void Count(int& counter)
    {
        {
            std::lock_guard<std::mutex> hold(m_sink->m_recordMutex);
            ++counter;
        }
        m_sink->m_recorded.notify_all();
    }

    CRecordingSink* const m_sink;
};

CRecordingSink::CRecordingSink(TypeCheck accepts, std::vector<CMediaType> offered)
    : CBaseFilter("Recording sink", nullptr, &m_lock, GUID_NULL),
      m_accepts(std::move(accepts)),
      m_offered(std::move(offered))
{
}

CRecordingSink::~CRecordingSink() = default;

CRecordingSink* CRecordingSink::Create(TypeCheck accepts, std::vector<CMediaType> offered)
{
    auto* sink = new CRecordingSink(std::move(accepts), std::move(offered));
    sink->AddRef();
    return sink;
}

CBasePin* CRecordingSink::GetPin(int index) { return index == 0 ? Input() : nullptr; }

CBaseInputPin* CRecordingSink::Input()
{
    CAutoLock hold(&m_lock);
    if (!m_pin) {
        HRESULT hr = S_OK;
        m_pin = std::make_unique<Pin>(this, &hr);
    }
    return m_pin.get();
}

void CRecordingSink::AnswerAfter(std::size_t count, HRESULT result)
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    m_answerAfter = count;
    m_lateAnswer = result;
}

void CRecordingSink::SetAllocatorRequirements(const ALLOCATOR_PROPERTIES& props)
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    m_requirements = props;
}

HRESULT CRecordingSink::Record(IMediaSample* sample, const AM_SAMPLE2_PROPERTIES& props)
{
    ReceivedSample got;
    got.arrived = std::chrono::steady_clock::now();
    BYTE* data = nullptr;
    if (SUCCEEDED(sample->GetPointer(&data)) && data && props.lActual > 0)
        got.data.assign(data, data + props.lActual);
    got.timed = (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) != 0;
    got.stopValid = (props.dwSampleFlags & AM_SAMPLE_STOPVALID) != 0;
    got.start = props.tStart;
    got.stop = props.tStop;
    got.syncPoint = (props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT) != 0;
    got.preroll = (props.dwSampleFlags & AM_SAMPLE_PREROLL) != 0;
    got.discontinuity = (props.dwSampleFlags & AM_SAMPLE_DATADISCONTINUITY) != 0;
    got.streamId = props.dwStreamId;
    if ((props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && props.pMediaType) got.type = CMediaType(*props.pMediaType);
    {
        std::lock_guard<std::mutex> hold(m_recordMutex);
        if (m_samples.size() >= m_answerAfter) return m_lateAnswer;
        m_samples.push_back(std::move(got));
    }
    m_recorded.notify_all();
    return S_OK;
}

std::vector<ReceivedSample> CRecordingSink::Samples() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_samples;
}

std::size_t CRecordingSink::SampleCount() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_samples.size();
}

int CRecordingSink::EndOfStreamCount() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_endOfStream;
}

int CRecordingSink::BeginFlushCount() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_beginFlush;
}

int CRecordingSink::EndFlushCount() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_endFlush;
}

std::vector<SinkSegment> CRecordingSink::Segments() const
{
    std::lock_guard<std::mutex> hold(m_recordMutex);
    return m_segments;
}

std::optional<CMediaType> CRecordingSink::ConnectionType() const
{
    CAutoLock hold(&m_lock);
    if (!m_pin || !m_pin->IsConnected()) return std::nullopt;
    return m_pin->CurrentMediaType();
}

template <typename Ready>
bool CRecordingSink::WaitUntil(DWORD timeoutMs, Ready ready)
{
    std::unique_lock<std::mutex> hold(m_recordMutex);
    return m_recorded.wait_for(hold, std::chrono::milliseconds(timeoutMs), ready);
}

bool CRecordingSink::WaitForSamples(std::size_t count, DWORD timeoutMs)
{
    return WaitUntil(timeoutMs, [&] { return m_samples.size() >= count; });
}

bool CRecordingSink::WaitForEndOfStream(DWORD timeoutMs)
{
    return WaitUntil(timeoutMs, [&] { return m_endOfStream > 0; });
}
