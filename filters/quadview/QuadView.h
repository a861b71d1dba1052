// The quad view: four video inputs shown side by side, each shrunk to half
// width and half height, in the quarters of one output frame of their size,
// optionally with a cyan cross between them. The quarter of an input that
// brings nothing keeps its last picture and turns to the background colour
// after 15 outputs without a sample.
#pragma once

#include "IQuadView.h"
#include "QuadComposition.h"
#include "SettingsFilter.h"
#include "TransformNFilter.h"

#include <array>
#include <vector>

class QuadView final : public SettingsFilter<CTransformNFilter, IQuadView, IID_IQuadView> {
public:
    static constexpr int kInputs = 4;
    static constexpr DWORD kSettingsSize = 18;
    static constexpr LONG kOwnClockChoice = 4;
    static constexpr LONG kDefaultBackground = 3;  // blue

    QuadView(IUnknown* outer, HRESULT* phr);
    ~QuadView() override;

    STDMETHODIMP GetTimeBase(LONG* choice) override;
    STDMETHODIMP SetTimeBase(LONG choice) override;
    STDMETHODIMP GetZeroTimestamps(BYTE* zero) override;
    STDMETHODIMP SetZeroTimestamps(BYTE zero) override;
    STDMETHODIMP GetTimeOffset(LONG* offsetMs) override;
    STDMETHODIMP SetTimeOffset(LONG offsetMs) override;
    STDMETHODIMP GetBackgroundColor(LONG* colour) override;
    STDMETHODIMP SetBackgroundColor(LONG colour) override;
    STDMETHODIMP GetMaxFrameRate(LONG* rate) override;
    STDMETHODIMP SetMaxFrameRate(LONG rate) override;
    STDMETHODIMP GetBorderLines(BYTE* show) override;
    STDMETHODIMP SetBorderLines(BYTE show) override;

    HRESULT CheckInputType(int index, const CMediaType* type) override;
    HRESULT CheckOutputType(const CMediaType* type) override;
    HRESULT GetOutputType(int position, CMediaType* type) override;
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Compose(IMediaSample* const* inputs, IMediaSample* output) override;

protected:
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    static constexpr int kMissingOutputsBeforeBackground = 14;

    // Settings lock held.
    void ApplyTimeBase(LONG choice);
    void RefillBackground();
    const BYTE* DrawableFrame(IMediaSample* sample) const;
    void ShowMissingInput(BYTE* frame, int quarter, bool freshBuffer);

    CCritSec m_settingsLock;
    LONG m_timeBaseChoice = 0;
    LONG m_background = kDefaultBackground;
    bool m_borderLines = true;
    std::array<int, kInputs> m_missing{};

    // From the output type at buffer negotiation; the background is one row.
    bool m_hasGeometry = false;
    QuadGeometry m_geometry;
    std::vector<BYTE> m_backgroundRow;
    // Buffers not yet drawn into: their quarters start as background.
    LONG m_freshBuffers = 0;
};
