// Scroll: lets the picture scroll endlessly, horizontally or vertically, like
// a ticker. Every frame is rotated cyclically by a position that moves with
// the filter's clock, so the speed is the same at any frame rate.
#pragma once

#include "IScrollSettings.h"
#include "Rgb24InPlaceFilter.h"
#include "ScrollPass.h"
#include "flSystemTime.h"

#include <vector>

class Scroll final : public Rgb24InPlaceFilter<IScrollFilter, IID_IScrollFilter> {
public:
    static constexpr DWORD kSettingsSize = 8;
    static constexpr LONG kHorizontal = kScrollHorizontal;
    static constexpr LONG kVertical = kScrollVertical;
    static constexpr LONG kDefaultDirection = kVertical;
    static constexpr LONG kDefaultSpeed = 0;

    Scroll(IUnknown* outer, HRESULT* phr);

    STDMETHODIMP GetDirection(LONG* direction) override;
    STDMETHODIMP SetDirection(LONG direction) override;
    STDMETHODIMP GetSpeed(LONG* speed) override;
    STDMETHODIMP SetSpeed(LONG speed) override;
    STDMETHODIMP ResetPosition() override;

    // Entering pause forgets the last frame's time, so the time spent stopped
    // or paused never moves the picture.
    STDMETHODIMP Pause() override;

protected:
    // Replaces the scratch for the new frame size.
    HRESULT OnInputLayout(const VideoFrameLayout& layout) override;
    void TransformFrame(BYTE* data, std::size_t length) override;
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    ScrollFrame FrameFor(std::size_t length) const;

    LONG m_direction = kDefaultDirection;
    LONG m_speed = kDefaultSpeed;
    ScrollMotion m_motion;
    std::vector<BYTE> m_scratch;
    flSystemTime m_clock;
};
