// The settings two-input stereo filters share: swap left and right, video
// colour and frame rate, guarded by the settings lock and stored in that
// order (1 + 4 + 4 bytes). Base is the filter's SettingsFilter; the filter
// adds its own operations under the same lock.
#pragma once

#include "VideoColour.h"
#include "kernel_critsec.h"

template <class Base>
class SwapColourRateFilter : public Base {
public:
    static constexpr DWORD kSettingsSize = 9;
    static constexpr LONG kDefaultFrameRate = 30;

    using Base::Base;

    STDMETHODIMP GetSwap(BYTE* swap) override
    {
        if (!swap) return E_POINTER;
        CAutoLock hold(&m_settingsLock);
        *swap = m_swap ? 1 : 0;
        return S_OK;
    }

    STDMETHODIMP SetSwap(LONG swap) override
    {
        CAutoLock hold(&m_settingsLock);
        m_swap = swap != 0;
        this->SetDirty(true);
        return S_OK;
    }

    STDMETHODIMP GetVideoColour(LONG* videoColour) override
    {
        if (!videoColour) return E_POINTER;
        *videoColour = VideoColour();
        return S_OK;
    }

    // Takes effect at the next connection.
    STDMETHODIMP SetVideoColour(LONG videoColour) override
    {
        CAutoLock hold(&m_settingsLock);
        m_videoColour = videoColour;
        this->SetDirty(true);
        return S_OK;
    }

    STDMETHODIMP GetFrameRate(LONG* frameRate) override
    {
        if (!frameRate) return E_POINTER;
        *frameRate = FrameRate();
        return S_OK;
    }

    // A rate of 0 or less would leave frames without a duration: refused.
    STDMETHODIMP SetFrameRate(LONG frameRate) override
    {
        if (frameRate <= 0) return E_INVALIDARG;
        CAutoLock hold(&m_settingsLock);
        m_frameRate = frameRate;
        this->SetDirty(true);
        return S_OK;
    }

protected:
    bool Swap()
    {
        CAutoLock hold(&m_settingsLock);
        return m_swap;
    }

    LONG VideoColour()
    {
        CAutoLock hold(&m_settingsLock);
        return m_videoColour;
    }

    LONG FrameRate()
    {
        CAutoLock hold(&m_settingsLock);
        return m_frameRate;
    }

    void WriteSettings(SettingsWriter& writer) override
    {
        CAutoLock hold(&m_settingsLock);
        writer.Byte(m_swap ? 1 : 0);
        writer.Int32(m_videoColour);
        writer.Int32(m_frameRate);
    }

    // A stored rate of 0 or less is refused as SetFrameRate refuses it.
    void ReadSettings(SettingsReader& reader) override
    {
        CAutoLock hold(&m_settingsLock);
        m_swap = reader.Byte() != 0;
        m_videoColour = reader.Int32();
        const LONG frameRate = reader.Int32();
        if (frameRate > 0) m_frameRate = frameRate;
    }

    CCritSec m_settingsLock;

private:
    bool m_swap = false;
    LONG m_videoColour = kDefaultVideoColour;
    LONG m_frameRate = kDefaultFrameRate;  // always above 0: frame durations divide by it
};
