#include "SampleRecord.h"

#include "SampleLength.h"
#include "vfw_errors.h"

#include <cstring>
#include <new>

SampleTimes ReadSampleTimes(IMediaSample* sample)
{
    SampleTimes times;
    REFERENCE_TIME start = 0, stop = 0;
    const HRESULT hr = sample->GetTime(&start, &stop);
    if (hr == S_OK || hr == VFW_S_NO_STOP_TIME) {
        times.hasStart = true;
        times.start = start;
        times.hasStop = hr == S_OK;
        times.stop = times.hasStop ? stop : 0;
    }
    return times;
}

bool SampleRecord::Reserve(std::size_t length)
{
    if (length <= m_capacity) return true;
    m_data.reset();
    m_capacity = 0;
    m_data.reset(new (std::nothrow) BYTE[length]);
    if (!m_data) return false;
    m_capacity = length;
    return true;
}

bool SampleRecord::Capture(IMediaSample* sample, const SampleTimes& times)
{
    BYTE* data = nullptr;
    const std::size_t length = SUCCEEDED(sample->GetPointer(&data)) && data ? UsableDataLength(sample) : 0;
    if (!Reserve(length)) return false;
    if (length) std::memcpy(m_data.get(), data, length);
    m_length = length;
    m_times = times;
    m_hasMediaTime = sample->GetMediaTime(&m_mediaStart, &m_mediaStop) == S_OK;
    m_discontinuity = sample->IsDiscontinuity() == S_OK;
    m_syncPoint = sample->IsSyncPoint() == S_OK;
    m_preroll = sample->IsPreroll() == S_OK;
    return true;
}

bool SampleRecord::WriteTo(IMediaSample* out, bool withTimes) const
{
    BYTE* data = nullptr;
    if (FAILED(out->GetPointer(&data)) || (!data && m_length)) return false;
    if (m_length > static_cast<std::size_t>(std::max<LONG>(out->GetSize(), 0))) return false;
    if (m_length) std::memcpy(data, m_data.get(), m_length);
    out->SetActualDataLength(static_cast<LONG>(m_length));
    REFERENCE_TIME start = m_times.start, stop = m_times.stop;
    if (withTimes && m_times.hasStart)
        out->SetTime(&start, m_times.hasStop ? &stop : nullptr);
    else
        out->SetTime(nullptr, nullptr);
    LONGLONG mediaStart = m_mediaStart, mediaStop = m_mediaStop;
    if (m_hasMediaTime)
        out->SetMediaTime(&mediaStart, &mediaStop);
    else
        out->SetMediaTime(nullptr, nullptr);
    out->SetDiscontinuity(m_discontinuity ? TRUE : FALSE);
    out->SetSyncPoint(m_syncPoint ? TRUE : FALSE);
    out->SetPreroll(m_preroll ? TRUE : FALSE);
    return true;
}
