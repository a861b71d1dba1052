// Frame Rate Controller: turns an RGB24 stream of any, even irregular, rate
// into exactly the set number of frames per second. The input only keeps
// the latest frame (a copy of its data, or the sample itself in hold mode);
// the output thread sends that frame again and again at the set rate with
// fresh, gap-free time stamps from 0. Frames that come faster are
// overwritten before they go out; slower ones are repeated.
#pragma once

#include "BufferFilter.h"
#include "FrameRateControllerPacer.h"
#include "IFrameRateControllerSettings.h"
#include "SettingsFilter.h"
#include "flSystemTime.h"

#include <condition_variable>
#include <mutex>
#include <vector>

class FrameRateController final : public SettingsFilter<BufferFilter, IFrameRateControl, IID_IFrameRateControl> {
public:
    static constexpr DWORD kSettingsSize = 5;
    static constexpr LONG kDefaultFrameRate = 30;

    FrameRateController(IUnknown* outer, HRESULT* phr);
    ~FrameRateController() override;

    STDMETHODIMP GetFrameRate(LONG* frameRate) override;
    STDMETHODIMP SetFrameRate(LONG frameRate) override;
    STDMETHODIMP GetHoldSamples(BYTE* hold) override;
    STDMETHODIMP SetHoldSamples(BYTE hold) override;

    // A stop cuts short the wait for the next frame's due time.
    STDMETHODIMP Stop() override;

    HRESULT ReceiveInput(IMediaSample* sample) override;
    HRESULT CheckInputType(const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override;
    HRESULT GetOutputType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void StreamStart() override;
    int Fill(IMediaSample* sample) override;
    void Delivered(REFERENCE_TIME elapsed) override;
    // A run keeps the hold mode it started with.
    HRESULT StartStreaming() override;
    HRESULT StopStreaming() override;

protected:
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    // Under the settings lock: the latest frame's bytes, or null before one came.
    const BYTE* LatestFrame(std::size_t& length) const;
    void StampFrame(IMediaSample* sample);
    void ReleaseHeldSample();
    // Of the input's connection type; 0 without one.
    LONGLONG ImageBytes();
    // Sleeps `units` unless a stop comes first.
    void WaitUnlessStopping(REFERENCE_TIME units);
    void SetStopping(bool stopping);

    mutable CCritSec m_settingsLock;
    LONG m_frameRate = kDefaultFrameRate;  // always 1 or more: durations divide by it
    bool m_holdSamples = false;            // the setting
    bool m_holding = false;                // the mode of the current run
    IMediaSample* m_held = nullptr;
    std::vector<BYTE> m_copy;
    bool m_haveCopy = false;
    REFERENCE_TIME m_nextStart = 0;

    // Stream thread only.
    FrameRateControllerPacer m_pacer;
    flSystemTime m_clock;

    std::mutex m_waitMutex;
    std::condition_variable m_wake;
    bool m_stopping = false;
};
