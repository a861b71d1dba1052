// Quenza display filter: lays a left and a right picture out on one output
// frame of a display resolution chosen from a fixed list, each at its own
// place, at its input size or scaled to a set size, over a background
// colour. The inputs may differ in size but share the bit depth. It can also
// move, size, frame and full-screen the graph's video window.
#pragma once

#include "IQuenzaSettings.h"
#include "MultiInputFilter.h"
#include "OutputFrameClock.h"
#include "QuenzaPass.h"
#include "QuenzaSettings.h"
#include "SettingsFilter.h"
#include "video_window.h"

#include <atomic>
#include <vector>

class Quenza final : public SettingsFilter<MultiInputFilter, IQuenzaSettings, IID_IQuenzaSettings> {
public:
    Quenza(IUnknown* outer, HRESULT* phr);
    ~Quenza() override;

    STDMETHODIMP GetSwap(BYTE* swap) override;
    STDMETHODIMP SetSwap(LONG swap) override;
    STDMETHODIMP GetVideoColour(LONG* videoColour) override;
    STDMETHODIMP SetVideoColour(LONG videoColour) override;
    STDMETHODIMP GetLeftOffset(LONG* x, LONG* y) override;
    STDMETHODIMP SetLeftOffset(LONG x, LONG y) override;
    STDMETHODIMP GetRightOffset(LONG* x, LONG* y) override;
    STDMETHODIMP SetRightOffset(LONG x, LONG y) override;
    STDMETHODIMP GetLeftAtInputSize(BYTE* atInputSize) override;
    STDMETHODIMP SetLeftAtInputSize(LONG atInputSize) override;
    STDMETHODIMP GetLeftSize(LONG* width, LONG* height) override;
    STDMETHODIMP SetLeftSize(LONG width, LONG height) override;
    STDMETHODIMP GetRightAtInputSize(BYTE* atInputSize) override;
    STDMETHODIMP SetRightAtInputSize(LONG atInputSize) override;
    STDMETHODIMP GetRightSize(LONG* width, LONG* height) override;
    STDMETHODIMP SetRightSize(LONG width, LONG height) override;
    STDMETHODIMP GetOutputResolution(LONG* resolution) override;
    STDMETHODIMP SetOutputResolution(LONG resolution) override;
    STDMETHODIMP GetFrameRate(LONG* frameRate) override;
    STDMETHODIMP SetFrameRate(LONG frameRate) override;
    STDMETHODIMP GetBackgroundColour(BYTE* red, BYTE* green, BYTE* blue) override;
    STDMETHODIMP SetBackgroundColour(LONG red, LONG green, LONG blue) override;
    STDMETHODIMP FullScreen() override;
    STDMETHODIMP ToggleWindowFrame() override;
    STDMETHODIMP ApplyWindowPosition() override;
    STDMETHODIMP ApplyWindowSize() override;
    STDMETHODIMP GetWindowPosition(LONG* x, LONG* y) override;
    STDMETHODIMP SetWindowPosition(LONG x, LONG y) override;
    STDMETHODIMP GetWindowAtOutputSize(BYTE* atOutputSize) override;
    STDMETHODIMP SetWindowAtOutputSize(LONG atOutputSize) override;
    STDMETHODIMP GetWindowSize(LONG* width, LONG* height) override;
    STDMETHODIMP SetWindowSize(LONG width, LONG height) override;

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
    struct InputStore {
        CCritSec lock;
        std::vector<BYTE> frame;
        int width = 0;
        int height = 0;
    };

    QuenzaSettings Settings();
    HRESULT GetPair(LongPair QuenzaSettings::*pair, LONG* first, LONG* second);
    HRESULT SetPair(LongPair QuenzaSettings::*pair, LONG first, LONG second);
    HRESULT GetFlag(bool QuenzaSettings::*flag, BYTE* value);
    HRESULT SetFlag(bool QuenzaSettings::*flag, LONG value);
    // Runs `operation` on the graph's video window, if there is one.
    template <typename Operation>
    HRESULT WithVideoWindow(Operation operation);

    // Composes into `out` when a new frame arrived; 0 when there is none.
    std::size_t ComposeNewFrame(BYTE* out, std::size_t capacity, LONG& frameRate);
    void Compose(const QuenzaFrame& frame, const QuenzaSettings& settings, bool backgroundChanged);

    CCritSec m_settingsLock;
    QuenzaSettings m_settings;
    bool m_backgroundChanged = true;

    // Sizes change only with both store locks held (input 1's first).
    InputStore m_inputs[2];
    unsigned m_bytesPerPixel = 0;
    std::atomic<bool> m_newFrame{false};
    std::atomic<int> m_outputWidth{0};
    std::atomic<int> m_outputHeight{0};

    // Stream thread only.
    std::vector<BYTE> m_background;
    std::vector<std::size_t> m_columnMap;
    OutputFrameClock m_clock;
};
