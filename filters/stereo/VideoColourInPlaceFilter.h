// An in-place video filter of this module whose one setting is the video
// colour: it accepts inputs by the video colour rule. Settings is the
// filter's private interface, with GetVideoColour and SetVideoColour.
#pragma once

#include "InPlaceSettingsFilter.h"
#include "VideoColour.h"

template <class Settings, const IID& SettingsIid>
class VideoColourInPlaceFilter : public InPlaceSettingsFilter<Settings, SettingsIid> {
    using Base = InPlaceSettingsFilter<Settings, SettingsIid>;

public:
    static constexpr DWORD kSettingsSize = 4;

    using Base::Base;

    STDMETHODIMP GetVideoColour(LONG* videoColour) override
    {
        if (!videoColour) return E_POINTER;
        CAutoLock lock(&this->m_settingsLock);
        *videoColour = m_videoColour;
        return S_OK;
    }

    // Takes effect at the next connection.
    STDMETHODIMP SetVideoColour(LONG videoColour) override
    {
        CAutoLock lock(&this->m_settingsLock);
        m_videoColour = videoColour;
        this->SetDirty(true);
        return S_OK;
    }

    HRESULT CheckInputType(const CMediaType* type) override
    {
        LONG videoColour;
        {
            CAutoLock lock(&this->m_settingsLock);
            videoColour = m_videoColour;
        }
        return CheckVideoColourType(videoColour, type);
    }

protected:
    void WriteSettings(SettingsWriter& writer) override
    {
        CAutoLock lock(&this->m_settingsLock);
        writer.Int32(m_videoColour);
    }

    void ReadSettings(SettingsReader& reader) override
    {
        CAutoLock lock(&this->m_settingsLock);
        m_videoColour = reader.Int32();
    }

private:
    LONG m_videoColour = kDefaultVideoColour;
};
