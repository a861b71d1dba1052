#include "OutputFrameClock.h"

#include "kernel.h"

namespace {

constexpr LONGLONG kUnitsPerSecond = 10'000'000;

} // namespace

void OutputFrameClock::Wait()
{
    m_clock.Update();
    const LONGLONG before = m_clock.Read();
    Sleep(1);
    m_clock.Update();
    m_streamTime += m_clock.Read() - before;
}

void OutputFrameClock::Stamp(IMediaSample* sample, std::size_t length, LONG frameRate)
{
    sample->SetActualDataLength(static_cast<LONG>(length));
    sample->SetPreroll(FALSE);
    sample->SetDiscontinuity(FALSE);
    sample->SetSyncPoint(FALSE);
    REFERENCE_TIME start = m_streamTime;
    REFERENCE_TIME stop = start + kUnitsPerSecond / (frameRate > 0 ? frameRate : 1);
    sample->SetTime(&start, &stop);
    m_streamTime = stop;
    sample->SetMediaTime(nullptr, nullptr);
}
