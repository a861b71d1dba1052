#include "HoldQueue.h"

#include "BufferRequest.h"
#include "HoldQueueClsids.h"
#include "kernel.h"

#include <algorithm>
#include <chrono>

namespace {

const FilterClassInfo kHoldQueueInfo{&CLSID_HoldQueue, &CLSID_HoldQueueProp, HoldQueue::kSettingsSize};

// The longest a fill waits before it looks at the queue again.
constexpr LONGLONG kPollUnits = kUnitsPerMillisecond;

bool IsAcceptedType(const CMediaType& type)
{
    if (type.majortype == MEDIATYPE_Audio || type.majortype == MEDIATYPE_Stream) return true;
    return type.majortype == MEDIATYPE_Video && type.subtype == MEDIASUBTYPE_RGB24 &&
           type.formattype == FORMAT_VideoInfo && VideoInfoOf(type) != nullptr;
}

} // namespace

HoldQueue::HoldQueue(IUnknown* outer, HRESULT* phr)
    : SettingsFilter(kHoldQueueInfo, "Synchronizing Buffer", outer, CLSID_HoldQueue)
{
    if (phr) *phr = S_OK;
}

HoldQueue::~HoldQueue()
{
    EndStreamThread();
    EmptyQueue();
}

// ---- settings and monitor

HoldQueue::Settings HoldQueue::CurrentSettings() const
{
    CAutoLock hold(&m_settingsLock);
    return m_settings;
}

// One clock for all threads: each reading moves it forward along the
// shared time line, so no reader ever sees it go back.
LONGLONG HoldQueue::Now()
{
    m_clock.Update();
    return m_clock.Read();
}

LONGLONG HoldQueue::OffsetNow(const Settings& settings)
{
    return Now() - static_cast<LONGLONG>(settings.offset) * kUnitsPerMillisecond;
}

STDMETHODIMP HoldQueue::GetAbsoluteTime(LONGLONG* time)
{
    if (!time) return E_POINTER;
    *time = Now();
    return S_OK;
}

STDMETHODIMP HoldQueue::GetOffsetAbsoluteTime(LONGLONG* time)
{
    if (!time) return E_POINTER;
    *time = OffsetNow(CurrentSettings());
    return S_OK;
}

STDMETHODIMP HoldQueue::GetBufferSampleCount(LONG* count)
{
    if (!count) return E_POINTER;
    CAutoLock hold(&m_queueLock);
    *count = static_cast<LONG>(m_queue.Count());
    return S_OK;
}

STDMETHODIMP HoldQueue::GetDiscardedSampleCount(LONG* count)
{
    if (!count) return E_POINTER;
    CAutoLock hold(&m_queueLock);
    *count = m_discarded;
    return S_OK;
}

STDMETHODIMP HoldQueue::GetMaxBufferSamples(LONG* count)
{
    if (!count) return E_POINTER;
    *count = CurrentSettings().maxBufferSamples;
    return S_OK;
}

// Kept as given, so it persists as given; the queue holds at least one.
STDMETHODIMP HoldQueue::SetMaxBufferSamples(LONG count)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.maxBufferSamples = count;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP HoldQueue::GetAbsoluteTimeOffset(LONG* milliseconds)
{
    if (!milliseconds) return E_POINTER;
    *milliseconds = CurrentSettings().offset;
    return S_OK;
}

STDMETHODIMP HoldQueue::SetAbsoluteTimeOffset(LONG milliseconds)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.offset = milliseconds;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP HoldQueue::GetDiscardInterval(LONG* milliseconds)
{
    if (!milliseconds) return E_POINTER;
    *milliseconds = CurrentSettings().discardInterval;
    return S_OK;
}

STDMETHODIMP HoldQueue::SetDiscardInterval(LONG milliseconds)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.discardInterval = milliseconds;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP HoldQueue::GetDisableTimeStamps(BYTE* disable)
{
    if (!disable) return E_POINTER;
    *disable = CurrentSettings().disableTimeStamps ? 1 : 0;
    return S_OK;
}

STDMETHODIMP HoldQueue::SetDisableTimeStamps(BYTE disable)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.disableTimeStamps = disable != 0;
    SetDirty(true);
    return S_OK;
}

void HoldQueue::WriteSettings(SettingsWriter& writer)
{
    const Settings settings = CurrentSettings();
    writer.Int32(settings.maxBufferSamples);
    writer.Int32(settings.offset);
    writer.Int32(settings.discardInterval);
    writer.Byte(settings.disableTimeStamps ? 1 : 0);
}

void HoldQueue::ReadSettings(SettingsReader& reader)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.maxBufferSamples = reader.Int32();
    m_settings.offset = reader.Int32();
    m_settings.discardInterval = reader.Int32();
    m_settings.disableTimeStamps = reader.Byte() != 0;
}

// ---- queue

void HoldQueue::CountDiscarded()
{
    CAutoLock hold(&m_queueLock);
    ++m_discarded;
}

void HoldQueue::EmptyQueue()
{
    CAutoLock hold(&m_queueLock);
    while (SampleRecord* record = m_queue.RemoveHead()) m_pool.Return(record);
}

// A lowered capacity takes effect at the next arrival: the queue never
// stays above it.
void HoldQueue::MakeRoom(LONG capacity)
{
    while (m_queue.Count() >= static_cast<std::size_t>(capacity)) {
        m_pool.Return(m_queue.RemoveHead());
        ++m_discarded;
    }
}

// A sample that cannot be kept (too old, or no memory for it) counts as
// discarded; the stream goes on either way.
HRESULT HoldQueue::ReceiveInput(IMediaSample* sample)
{
    const Settings settings = CurrentSettings();
    const SampleTimes times = ReadSampleTimes(sample);
    const LONGLONG discardUnits = static_cast<LONGLONG>(settings.discardInterval) * kUnitsPerMillisecond;
    if (times.hasStart && IsTooOld(OffsetNow(settings), times.start, discardUnits)) {
        CountDiscarded();
        return S_OK;
    }
    SampleRecord* record = m_pool.Take();
    if (!record || !record->Capture(sample, times)) {
        m_pool.Return(record);
        CountDiscarded();
        return S_OK;
    }
    {
        CAutoLock hold(&m_queueLock);
        MakeRoom(EffectiveMaximum(settings.maxBufferSamples));
        if (!m_queue.Append(record)) {
            m_pool.Return(record);
            ++m_discarded;
        }
    }
    SignalArrival();
    return S_OK;
}

void HoldQueue::SignalArrival()
{
    {
        std::lock_guard<std::mutex> hold(m_arrivalMutex);
        ++m_arrivals;
    }
    m_arrival.notify_one();
}

// Waits with the precision of the system timer, not of whole milliseconds:
// a release is due at a time, not at the next millisecond after it.
void HoldQueue::WaitForArrival(LONGLONG units, unsigned seen)
{
    std::unique_lock<std::mutex> hold(m_arrivalMutex);
    m_arrival.wait_for(hold, std::chrono::nanoseconds(units * 100), [&] { return m_arrivals != seen; });
}

SampleRecord* HoldQueue::TakeDueHead(LONGLONG offsetNow, LONGLONG& wait, unsigned& arrivals)
{
    {
        std::lock_guard<std::mutex> hold(m_arrivalMutex);
        arrivals = m_arrivals;
    }
    CAutoLock hold(&m_queueLock);
    const SampleRecord* head = m_queue.Head();
    if (!head) {
        wait = kPollUnits;
        return nullptr;
    }
    const SampleTimes& times = head->Times();
    if (times.hasStart && !IsDue(offsetNow, times.start)) {
        wait = std::min(kPollUnits, SaturatingDifference(times.start, offsetNow));
        return nullptr;
    }
    return m_queue.RemoveHead();
}

// A record longer than the output buffer cannot go out whole; it is dropped
// and counted rather than cut, so downstream never gets a damaged sample.
int HoldQueue::Fill(IMediaSample* sample)
{
    const Settings settings = CurrentSettings();
    LONGLONG wait = 0;
    unsigned arrivals = 0;
    SampleRecord* record = TakeDueHead(OffsetNow(settings), wait, arrivals);
    if (!record) {
        WaitForArrival(wait, arrivals);
        return 1;
    }
    const bool written = record->WriteTo(sample, !settings.disableTimeStamps);
    m_pool.Return(record);
    if (!written) {
        CountDiscarded();
        return 1;
    }
    Sleep(0);
    return 0;
}

HRESULT HoldQueue::StartStreaming()
{
    EmptyQueue();
    CAutoLock hold(&m_queueLock);
    m_discarded = 0;
    return S_OK;
}

// ---- types

HRESULT HoldQueue::CheckInputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    return IsAcceptedType(*type) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

// The output carries exactly the input's type: same major type, subtype and
// format block.
HRESULT HoldQueue::CheckOutputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    const CMediaType* passed = PassedThroughType();
    if (!passed) return E_INVALIDARG;
    if (!IsAcceptedType(*type)) return VFW_E_TYPE_NOT_ACCEPTED;
    return IsEqualMediaType(*type, *passed) ? S_OK : E_INVALIDARG;
}

HRESULT HoldQueue::GetOutputType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    if (position < 0) return E_INVALIDARG;
    BufferInputPin* input = Input();
    if (position > 0 || !input || !input->IsConnected()) return VFW_S_NO_MORE_ITEMS;
    *type = input->CurrentMediaType();
    return S_OK;
}

HRESULT HoldQueue::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (!allocator || !request) return E_POINTER;
    BufferInputPin* input = Input();
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    const CMediaType& type = input->CurrentMediaType();
    const bool fixedSize = type.bFixedSizeSamples && type.lSampleSize > 0 &&
                           type.lSampleSize <= static_cast<ULONG>(kLargestSampleBytes);
    const LONG size = fixedSize ? static_cast<LONG>(type.lSampleSize) : kVariableSampleBufferBytes;
    return RequestOneBuffer(allocator, request, size);
}
