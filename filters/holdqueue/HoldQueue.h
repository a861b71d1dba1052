// Synchronizing Buffer: holds incoming samples in a bounded queue and sends
// each one when the shared wall clock, less a set offset, reaches its start
// time. Producers that stamp absolute times on that clock come out aligned,
// whatever delays they met on the way. Samples too old on arrival are
// dropped, and so is the oldest one when the queue is full; both count as
// discarded. Stream events pass straight through.
#pragma once

#include "BufferFilter.h"
#include "HoldQueueRules.h"
#include "IHoldQueueSettings.h"
#include "SampleQueue.h"
#include "SampleRecordPool.h"
#include "SettingsFilter.h"
#include "flSystemTime.h"

#include <condition_variable>
#include <mutex>

class HoldQueue final : public SettingsFilter<BufferFilter, IHoldQueueSettings, IID_IHoldQueueSettings> {
public:
    // Three 4-byte integers and a 1-byte flag, as stored files hold them.
    static constexpr DWORD kSettingsSize = 13;
    static constexpr LONG kDefaultMaxBufferSamples = 60;
    static constexpr LONG kDefaultDiscardInterval = 2000;
    // Buffer size for types whose samples have no fixed size.
    static constexpr LONG kVariableSampleBufferBytes = 0x200000;

    HoldQueue(IUnknown* outer, HRESULT* phr);
    ~HoldQueue() override;

    STDMETHODIMP GetAbsoluteTime(LONGLONG* time) override;
    STDMETHODIMP GetOffsetAbsoluteTime(LONGLONG* time) override;
    STDMETHODIMP GetBufferSampleCount(LONG* count) override;
    STDMETHODIMP GetDiscardedSampleCount(LONG* count) override;
    STDMETHODIMP GetMaxBufferSamples(LONG* count) override;
    STDMETHODIMP SetMaxBufferSamples(LONG count) override;
    STDMETHODIMP GetAbsoluteTimeOffset(LONG* milliseconds) override;
    STDMETHODIMP SetAbsoluteTimeOffset(LONG milliseconds) override;
    STDMETHODIMP GetDiscardInterval(LONG* milliseconds) override;
    STDMETHODIMP SetDiscardInterval(LONG milliseconds) override;
    STDMETHODIMP GetDisableTimeStamps(BYTE* disable) override;
    STDMETHODIMP SetDisableTimeStamps(BYTE disable) override;

    HRESULT ReceiveInput(IMediaSample* sample) override;
    HRESULT CheckInputType(const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override;
    HRESULT GetOutputType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void StreamStart() override {}
    int Fill(IMediaSample* sample) override;
    // A new run starts with an empty queue and no discards.
    HRESULT StartStreaming() override;
    // Samples from before a flush must not follow it downstream.
    void InputFlushing() override { EmptyQueue(); }

protected:
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    struct Settings {
        LONG maxBufferSamples = kDefaultMaxBufferSamples;
        LONG offset = 0;
        LONG discardInterval = kDefaultDiscardInterval;
        bool disableTimeStamps = true;
    };

    Settings CurrentSettings() const;
    LONGLONG Now();
    LONGLONG OffsetNow(const Settings& settings);
    // Under the queue lock: drops the oldest records until one more fits.
    void MakeRoom(LONG capacity);
    // The head record when it is due, taken out of the queue; otherwise null
    // with how long to wait before looking again and the arrivals seen.
    SampleRecord* TakeDueHead(LONGLONG offsetNow, LONGLONG& wait, unsigned& arrivals);
    // Waits `units`, or less when a sample arrives after `seen` arrivals.
    void WaitForArrival(LONGLONG units, unsigned seen);
    void SignalArrival();
    void CountDiscarded();
    void EmptyQueue();

    mutable CCritSec m_settingsLock;
    Settings m_settings;

    SampleRecordPool m_pool;
    mutable CCritSec m_queueLock;
    SampleQueue m_queue;
    LONG m_discarded = 0;
    flSystemTime m_clock;

    // Arrivals wake a waiting fill, so a sample due sooner than the next
    // look at the queue is not held back to it.
    std::mutex m_arrivalMutex;
    std::condition_variable m_arrival;
    unsigned m_arrivals = 0;
};
