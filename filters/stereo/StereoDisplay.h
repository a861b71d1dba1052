// Stereo Display: combines a left and a right picture of equal size into one
// frame for a column-interleaved display (even pixels from the left, odd
// from the right), then moves green one pixel to the right as Green Shift
// does. Inputs "Input 1" and "Input 2" keep their latest frame; the output
// stream composes a frame whenever a new one arrived, stamped on its own
// stream time at the set frame rate.
#pragma once

#include "IStereoDisplaySettings.h"
#include "MultiInputFilter.h"
#include "OutputFrameClock.h"
#include "SettingsFilter.h"
#include "VideoColour.h"

#include <atomic>
#include <vector>

class StereoDisplay final
    : public SettingsFilter<MultiInputFilter, IStereoDisplaySettings, IID_IStereoDisplaySettings> {
public:
    static constexpr DWORD kSettingsSize = 9;
    static constexpr LONG kDefaultFrameRate = 30;

    StereoDisplay(IUnknown* outer, HRESULT* phr);
    ~StereoDisplay() override;

    STDMETHODIMP GetSwap(BYTE* swap) override;
    STDMETHODIMP SetSwap(LONG swap) override;
    STDMETHODIMP GetVideoColour(LONG* videoColour) override;
    STDMETHODIMP SetVideoColour(LONG videoColour) override;
    STDMETHODIMP GetFrameRate(LONG* frameRate) override;
    // A rate of 0 or less would leave frames without a duration: refused.
    STDMETHODIMP SetFrameRate(LONG frameRate) override;

    HRESULT ReceiveInput(int index, IMediaSample* sample) override;
    HRESULT CheckInputType(int index, const CMediaType* type) override;
    HRESULT InputTypeSet(int index, const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override;
    HRESULT GetOutputType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void StreamStart() override;
    int Fill(IMediaSample* sample) override;

protected:
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    struct FrameStore {
        CCritSec lock;
        std::vector<BYTE> frame;
    };

    // The connection type of input 1 when it is connected, else of input 2.
    const CMediaType* ConnectedInputType(int except = -1) const;
    FrameStore& StoreFor(int index);
    // Composes into `out` when a new frame arrived; false when there is none.
    bool ComposeNewFrame(BYTE* out, LONG capacity, std::size_t& length);

    CCritSec m_settingsLock;
    bool m_swap = false;
    LONG m_videoColour = kDefaultVideoColour;
    LONG m_frameRate = kDefaultFrameRate;  // always above 0: frame durations divide by it

    // Store sizes and the frame layout change only with both store locks held.
    // Both stores hold one frame of the input type, or nothing without one.
    FrameStore m_left;
    FrameStore m_right;
    VideoFrameLayout m_layout;
    std::atomic<bool> m_newFrame{false};

    OutputFrameClock m_clock;  // stream thread only
};
