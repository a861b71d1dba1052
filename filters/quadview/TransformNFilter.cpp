#include "TransformNFilter.h"

#include "command_thread.h"
#include "kernel.h"
#include "media_type.h"

#include <algorithm>
#include <new>

namespace {

constexpr LONG kSlowestRate = 1;
constexpr LONG kFastestRate = 60;
constexpr DWORD kStoppedWaitMs = 50;

enum WorkerCommand : DWORD { kWorkerStart = 1, kWorkerStop, kWorkerExit };

std::vector<std::string> InputObjectNames(int count)
{
    std::vector<std::string> names;
    for (int k = 0; k < count; ++k) names.push_back("Transform(N) input pin " + std::to_string(k));
    return names;
}

std::vector<std::u16string> InputNames(int count)
{
    std::vector<std::u16string> names;
    for (int k = 0; k < count; ++k) {
        const std::string digits = std::to_string(k);
        names.push_back(u"Input " + std::u16string(digits.begin(), digits.end()));
    }
    return names;
}

bool IsYesOrNo(HRESULT hr) { return hr == S_OK || hr == S_FALSE; }

} // namespace

bool SameVideoSubtypeAndSize(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    const VIDEOINFOHEADER* left = VideoInfoOf(a);
    const VIDEOINFOHEADER* right = VideoInfoOf(b);
    return a.subtype == b.subtype && left && right && left->bmiHeader.biWidth == right->bmiHeader.biWidth &&
           left->bmiHeader.biHeight == right->bmiHeader.biHeight;
}

// Serves start (run passes until the next command), stop (let go of the
// parked samples) and exit.
class CTransformNFilter::Worker final : public CCommandThread {
public:
    explicit Worker(CTransformNFilter* filter) : m_filter(filter) {}
    ~Worker() override { Close(); }

    void Start() { CallWorker(kWorkerStart); }
    void End()
    {
        if (!ThreadExists()) return;
        CallWorker(kWorkerStop);
        CallWorker(kWorkerExit);
        Close();
    }

protected:
    DWORD ThreadProc() override
    {
        for (;;) {
            switch (GetRequest()) {
            case kWorkerStart:
                Reply(S_OK);
                while (!CheckRequest(nullptr)) m_filter->Pass();
                break;
            case kWorkerStop:
                m_filter->ReleaseSamples();
                Reply(S_OK);
                break;
            case kWorkerExit:
                m_filter->ReleaseSamples();
                Reply(S_OK);
                return 0;
            default: Reply(static_cast<DWORD>(E_NOTIMPL)); break;
            }
        }
    }

private:
    CTransformNFilter* const m_filter;
};

CTransformNFilter::CTransformNFilter(const char* objectName, IUnknown* outer, REFCLSID clsid, int inputCount)
    : CBaseFilter(objectName, outer, &m_filterLock, clsid),
      m_inputCount(std::max(inputCount, 1)),
      m_inputObjectNames(InputObjectNames(m_inputCount)),
      m_inputNames(InputNames(m_inputCount)),
      m_slots(static_cast<std::size_t>(m_inputCount), nullptr),
      m_endOfStream(static_cast<std::size_t>(m_inputCount), false),
      m_worker(std::make_unique<Worker>(this))
{
    if (m_worker->Create()) m_worker->Start();
}

CTransformNFilter::~CTransformNFilter() { EndWorker(); }

void CTransformNFilter::EndWorker() { m_worker->End(); }

bool CTransformNFilter::WorkerRunning() const { return m_worker->ThreadExists(); }

// ---- pins

bool CTransformNFilter::MakePins()
{
    std::vector<std::unique_ptr<CTransformNInputPin>> inputs;
    HRESULT hr = S_OK;
    for (int k = 0; k < m_inputCount; ++k) {
        const auto at = static_cast<std::size_t>(k);
        std::unique_ptr<CTransformNInputPin> pin(new (std::nothrow) CTransformNInputPin(
            m_inputObjectNames[at].c_str(), this, k, m_inputNames[at].c_str(), &hr));
        if (!pin || FAILED(hr)) return false;
        inputs.push_back(std::move(pin));
    }
    std::unique_ptr<CTransformNOutputPin> output(new (std::nothrow) CTransformNOutputPin(this, &hr));
    if (!output || FAILED(hr)) return false;
    m_inputs = std::move(inputs);
    m_output = std::move(output);
    m_pinsMade.store(true, std::memory_order_release);
    IncrementPinVersion();
    return true;
}

CBasePin* CTransformNFilter::GetPin(int index)
{
    CAutoLock hold(&m_filterLock);
    if (!m_pinsMade.load(std::memory_order_acquire) && !MakePins()) return nullptr;
    if (index >= 0 && index < m_inputCount) return m_inputs[static_cast<std::size_t>(index)].get();
    if (index == m_inputCount) return m_output.get();
    return nullptr;
}

CTransformNInputPin* CTransformNFilter::InputPin(int index) const
{
    if (!m_pinsMade.load(std::memory_order_acquire) || index < 0 || index >= m_inputCount) return nullptr;
    return m_inputs[static_cast<std::size_t>(index)].get();
}

CTransformNOutputPin* CTransformNFilter::OutputPin() const
{
    return m_pinsMade.load(std::memory_order_acquire) ? m_output.get() : nullptr;
}

const CMediaType* CTransformNFilter::FirstConnectedInputType(int except) const
{
    for (int k = 0; k < m_inputCount; ++k) {
        const CTransformNInputPin* pin = InputPin(k);
        if (k != except && pin && pin->IsConnected()) return &pin->CurrentMediaType();
    }
    return nullptr;
}

bool CTransformNFilter::AnyInputConnected() const { return FirstConnectedInputType() != nullptr; }

bool CTransformNFilter::OutputConnected() const
{
    const CTransformNOutputPin* output = OutputPin();
    return output && output->IsConnected();
}

// ---- state

STDMETHODIMP CTransformNFilter::Pause()
{
    CAutoLock hold(&m_filterLock);
    if (!AnyInputConnected()) {
        // Nothing will ever arrive: tell downstream once.
        if (OutputConnected() && !m_endOfStreamDeliveredUnconnected) {
            m_output->DeliverEndOfStream();
            m_endOfStreamDeliveredUnconnected = true;
        }
        m_state = State_Paused;
        return S_OK;
    }
    if (!OutputConnected()) {
        m_state = State_Paused;
        return S_OK;
    }
    if (IsStopped()) {
        {
            CAutoLock slots(&m_slotLock);
            std::fill(m_endOfStream.begin(), m_endOfStream.end(), false);
            m_endOfStreamDue = false;
        }
        const HRESULT hr = StartStreaming();
        if (FAILED(hr)) return hr;
    }
    return CBaseFilter::Pause();
}

// Decommitting first frees a worker waiting for a buffer; the worker lock
// then waits for the pass in hand, so after a stop the worker touches
// neither the allocator nor the downstream pin.
STDMETHODIMP CTransformNFilter::Stop()
{
    CAutoLock hold(&m_filterLock);
    if (IsStopped()) return S_OK;
    m_endOfStreamDeliveredUnconnected = false;
    if (!AnyInputConnected() || !OutputConnected()) {
        CAutoLock pass(&m_workerLock);
        m_state = State_Stopped;
        return S_OK;
    }
    const HRESULT hr = CBaseFilter::Stop();
    {
        CAutoLock pass(&m_workerLock);
        ReleaseSamples();
    }
    const HRESULT stopped = StopStreaming();
    return FAILED(hr) ? hr : stopped;
}

// ---- time settings

void CTransformNFilter::SetMaxFrameRate(LONG rate)
{
    const LONG clamped = std::clamp(rate, kSlowestRate, kFastestRate);
    CAutoLock hold(&m_frameworkLock);
    m_intervalMs = 1000 / clamped;
}

LONG CTransformNFilter::MaxFrameRate() const { return 1000 / FrameIntervalMs(); }

LONG CTransformNFilter::FrameIntervalMs() const
{
    CAutoLock hold(&m_frameworkLock);
    return m_intervalMs;
}

bool CTransformNFilter::SetTimeBaseInput(int index)
{
    if (index < -1 || index >= m_inputCount) return false;
    CAutoLock hold(&m_frameworkLock);
    m_timeBaseInput = index;
    return true;
}

int CTransformNFilter::TimeBaseInput() const
{
    CAutoLock hold(&m_frameworkLock);
    return m_timeBaseInput;
}

void CTransformNFilter::SetZeroTimestamps(bool zero)
{
    CAutoLock hold(&m_frameworkLock);
    m_zeroTimestamps = zero;
}

bool CTransformNFilter::ZeroTimestamps() const
{
    CAutoLock hold(&m_frameworkLock);
    return m_zeroTimestamps;
}

void CTransformNFilter::SetTimeOffset(LONG offsetMs)
{
    CAutoLock hold(&m_frameworkLock);
    m_timeOffsetMs = offsetMs;
}

LONG CTransformNFilter::TimeOffset() const
{
    CAutoLock hold(&m_frameworkLock);
    return m_timeOffsetMs;
}

// ---- input events

HRESULT CTransformNFilter::InputConnected(int index)
{
    const CMediaType& type = m_inputs[static_cast<std::size_t>(index)]->CurrentMediaType();
    const CMediaType* other = FirstConnectedInputType(index);
    if (other && !SameVideoSubtypeAndSize(type, *other)) return E_FAIL;
    // The output carries another picture now: let the graph agree a new type.
    if (OutputConnected() && !SameVideoSubtypeAndSize(type, m_output->CurrentMediaType()) && Graph())
        Graph()->Reconnect(m_output.get());
    return S_OK;
}

void CTransformNFilter::ParkSample(int index, IMediaSample* sample)
{
    CAutoLock hold(&m_slotLock);
    IMediaSample*& slot = m_slots[static_cast<std::size_t>(index)];
    if (slot) return;
    sample->AddRef();
    slot = sample;
}

// The worker sends it once the parked samples are out, so it never
// overtakes a frame.
void CTransformNFilter::InputEndOfStream(int index)
{
    CAutoLock hold(&m_slotLock);
    m_endOfStream[static_cast<std::size_t>(index)] = true;
    for (int k = 0; k < m_inputCount; ++k) {
        const CTransformNInputPin* pin = InputPin(k);
        if (pin && pin->IsConnected() && !m_endOfStream[static_cast<std::size_t>(k)]) return;
    }
    m_endOfStreamDue = true;
}

HRESULT CTransformNFilter::InputBeginFlush(int index)
{
    IMediaSample* flushed = nullptr;
    {
        CAutoLock hold(&m_slotLock);
        std::swap(flushed, m_slots[static_cast<std::size_t>(index)]);
    }
    if (flushed) flushed->Release();
    return m_output->DeliverBeginFlush();
}

HRESULT CTransformNFilter::InputEndFlush(int index)
{
    {
        CAutoLock hold(&m_slotLock);
        m_endOfStream[static_cast<std::size_t>(index)] = false;
        m_endOfStreamDue = false;
    }
    return m_output->DeliverEndFlush();
}

HRESULT CTransformNFilter::InputNewSegment(int index, REFERENCE_TIME start, REFERENCE_TIME stop, double rate)
{
    if (index != TimeBaseInput() || !OutputConnected()) return S_OK;
    return m_output->DeliverNewSegment(start, stop, rate);
}

// ---- worker

void CTransformNFilter::Pass()
{
    bool stopped;
    {
        CAutoLock pass(&m_workerLock);
        stopped = IsStopped() || !OutputConnected();
        if (stopped)
            ReleaseSamples();
        else
            OutputIfDue();
    }
    if (stopped) Sleep(kStoppedWaitMs);
    Sleep(1);
}

void CTransformNFilter::OutputIfDue()
{
    if (!AnySampleParked()) {
        DeliverEndOfStreamWhenDue();
        return;
    }
    const DWORD now = GetTickCount();
    if (m_lastOutputTick != 0 && now - m_lastOutputTick < static_cast<DWORD>(FrameIntervalMs())) return;
    // Taken out of their slots, so samples arriving meanwhile wait for the next output.
    std::vector<IMediaSample*> samples = TakeSamples();
    ProduceOutput(samples);
    for (IMediaSample* sample : samples)
        if (sample) sample->Release();
    m_lastOutputTick = now != 0 ? now : 1;  // 0 means no output yet
}

HRESULT CTransformNFilter::ProduceOutput(std::vector<IMediaSample*>& samples)
{
    OwnFrameTimes own;
    int timeBase;
    {
        CAutoLock hold(&m_frameworkLock);
        own = m_ownClock.Advance(m_intervalMs, m_timeOffsetMs, m_zeroTimestamps);
        timeBase = m_timeBaseInput;
    }
    IMediaSample* base = timeBase >= 0 ? samples[static_cast<std::size_t>(timeBase)] : nullptr;
    REFERENCE_TIME start = own.start;
    REFERENCE_TIME stop = own.stop;
    if (base) {
        REFERENCE_TIME baseStart = 0, baseStop = 0;
        if (base->GetTime(&baseStart, &baseStop) == S_OK) {
            start = baseStart;
            stop = baseStop;
        }
    }
    DWORD flags = m_frameSkipped ? AM_GBF_PREVFRAMESKIPPED : 0;
    if (!base || base->IsSyncPoint() != S_OK) flags |= AM_GBF_NOTASYNCPOINT;
    IMediaSample* output = nullptr;
    HRESULT hr = m_output->GetDeliveryBuffer(&output, &start, &stop, flags);
    if (FAILED(hr)) return hr;
    hr = Compose(samples.data(), output);
    if (hr == S_OK) hr = StampOutput(output, base, own);
    if (hr == S_OK) {
        m_frameSkipped = false;
        hr = m_output->Deliver(output);
    } else if (hr == S_FALSE) {
        m_frameSkipped = true;
        if (!m_qualityChangeSent) {
            m_qualityChangeSent = true;
            NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
        }
        hr = S_OK;
    }
    output->Release();
    return hr;
}

HRESULT CTransformNFilter::StampOutput(IMediaSample* output, IMediaSample* timeBase, const OwnFrameTimes& own)
{
    if (!timeBase) {
        REFERENCE_TIME start = own.start, stop = own.stop;
        LONGLONG mediaStart = own.mediaStart, mediaStop = own.mediaStop;
        output->SetTime(&start, &stop);
        output->SetMediaTime(&mediaStart, &mediaStop);
        output->SetSyncPoint(TRUE);
        output->SetPreroll(FALSE);
        output->SetDiscontinuity(FALSE);
        return S_OK;
    }
    REFERENCE_TIME start = 0, stop = 0;
    if (timeBase->GetTime(&start, &stop) == S_OK) output->SetTime(&start, &stop);
    LONGLONG mediaStart = 0, mediaStop = 0;
    if (timeBase->GetMediaTime(&mediaStart, &mediaStop) == S_OK) output->SetMediaTime(&mediaStart, &mediaStop);
    const HRESULT sync = timeBase->IsSyncPoint();
    const HRESULT preroll = timeBase->IsPreroll();
    const HRESULT discontinuity = timeBase->IsDiscontinuity();
    if (!IsYesOrNo(sync) || !IsYesOrNo(preroll) || !IsYesOrNo(discontinuity)) return E_UNEXPECTED;
    output->SetSyncPoint(sync == S_OK);
    output->SetPreroll(preroll == S_OK);
    output->SetDiscontinuity(discontinuity == S_OK);
    return S_OK;
}

std::vector<IMediaSample*> CTransformNFilter::TakeSamples()
{
    std::vector<IMediaSample*> taken(m_slots.size(), nullptr);
    CAutoLock hold(&m_slotLock);
    taken.swap(m_slots);
    return taken;
}

bool CTransformNFilter::AnySampleParked()
{
    CAutoLock hold(&m_slotLock);
    return std::any_of(m_slots.begin(), m_slots.end(), [](IMediaSample* s) { return s != nullptr; });
}

void CTransformNFilter::ReleaseSamples()
{
    for (IMediaSample* sample : TakeSamples())
        if (sample) sample->Release();
}

void CTransformNFilter::DeliverEndOfStreamWhenDue()
{
    {
        CAutoLock hold(&m_slotLock);
        if (!m_endOfStreamDue) return;
        m_endOfStreamDue = false;
    }
    m_output->DeliverEndOfStream();
}
