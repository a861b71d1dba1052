// Two-input Level Compressor: squeezes two pictures of equal size to half
// width and puts them side by side in one frame of the original size, input
// 1 on the left and input 2 on the right unless swapped (the layout the
// Interlace filter takes). Mode 1 drops every other column in memory, mode 0
// scales through device bitmaps. Each input updates its half when a frame
// arrives; the output stream sends the composition whenever a new frame
// came, stamped on its own stream time at the set frame rate.
#pragma once

#include "ILevelCompressSettings.h"
#include "LevelCompressorBitmaps.h"
#include "MultiInputFilter.h"
#include "OutputFrameClock.h"
#include "SettingsFilter.h"
#include "SwapColourRateFilter.h"

#include <vector>

class LevelCompress final : public SwapColourRateFilter<
                                SettingsFilter<MultiInputFilter, ILevelCompressSettings, IID_ILevelCompressSettings>> {
public:
    static constexpr LONG kBitmapMode = 0;
    static constexpr LONG kMemoryMode = 1;

    LevelCompress(IUnknown* outer, HRESULT* phr);
    ~LevelCompress() override;

    STDMETHODIMP GetCompressionMode(LONG* mode) override;
    // Stopped with the output connected, the new mode's resources are made
    // at once; otherwise at the next type set.
    STDMETHODIMP SetCompressionMode(LONG mode) override;

    HRESULT ReceiveInput(int index, IMediaSample* sample) override;
    HRESULT CheckInputType(int index, const CMediaType* type) override;
    HRESULT InputTypeSet(int index, const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override;
    HRESULT GetOutputType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    void StreamStart() override;
    int Fill(IMediaSample* sample) override;

private:
    // Drops what the last type made and makes what `mode` needs for frames
    // of `type`; E_OUTOFMEMORY when they cannot be had.
    HRESULT Rebuild(LONG mode, const CMediaType& type);
    FrameHalf HalfFor(int index);
    // Composes into `out` when a new frame arrived; 0 when there is none.
    std::size_t ComposeNewFrame(BYTE* out, std::size_t capacity);

    LONG m_mode = kMemoryMode;  // under the settings lock; not stored

    // Under the frame lock: the geometry and the resources of the mode they
    // were made for, which may differ from m_mode until the next type set.
    CCritSec m_frameLock;
    LONG m_builtMode = kMemoryMode;
    VideoFrameLayout m_layout;
    std::size_t m_frameBytes = 0;
    std::vector<BYTE> m_composition;
    DeviceBitmapCompressor m_bitmaps;
    bool m_newFrame = false;

    OutputFrameClock m_clock;  // stream thread only
};
