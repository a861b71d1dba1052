// An in-place video filter of this module whose one setting is the video
// colour: it accepts inputs by the video colour rule, keeps the frame layout
// of the input type and changes each sample under its settings lock, so a
// setting never changes in the middle of a frame. Settings is the filter's
// private interface, with GetVideoColour and SetVideoColour.
#pragma once

#include "SampleLength.h"
#include "SettingsFilter.h"
#include "VideoColour.h"
#include "transinplace_filter.h"

#include <cstddef>

template <class Settings, const IID& SettingsIid>
class VideoColourInPlaceFilter : public SettingsFilter<CTransInPlaceFilter, Settings, SettingsIid> {
    using Base = SettingsFilter<CTransInPlaceFilter, Settings, SettingsIid>;

public:
    static constexpr DWORD kSettingsSize = 4;

    VideoColourInPlaceFilter(const FilterClassInfo& info, const char* objectName, IUnknown* outer)
        : Base(info, objectName, outer, *info.clsid)
    {
    }

    STDMETHODIMP GetVideoColour(LONG* videoColour) override
    {
        if (!videoColour) return E_POINTER;
        CAutoLock lock(&m_settingsLock);
        *videoColour = m_videoColour;
        return S_OK;
    }

    // Takes effect at the next connection.
    STDMETHODIMP SetVideoColour(LONG videoColour) override
    {
        CAutoLock lock(&m_settingsLock);
        m_videoColour = videoColour;
        this->SetDirty(true);
        return S_OK;
    }

    HRESULT CheckInputType(const CMediaType* type) override
    {
        LONG videoColour;
        {
            CAutoLock lock(&m_settingsLock);
            videoColour = m_videoColour;
        }
        return CheckVideoColourType(videoColour, type);
    }

    HRESULT SetMediaType(PIN_DIRECTION direction, const CMediaType* type) override
    {
        if (direction != PINDIR_INPUT) return S_OK;
        VideoFrameLayout layout;
        if (!type || !GetVideoFrameLayout(*type, layout)) return VFW_E_TYPE_NOT_ACCEPTED;
        CAutoLock lock(&m_settingsLock);
        return TakeInputLayout(layout);
    }

    HRESULT Transform(IMediaSample* sample) override
    {
        CAutoLock lock(&m_settingsLock);
        FollowTypeChange();
        BYTE* data = nullptr;
        if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
        // A length the sample cannot hold never sends the pass past its buffer.
        TransformFrame(data, UsableDataLength(sample));
        return S_OK;
    }

protected:
    // Both run under the settings lock. OnInputLayout sees every input type
    // set and may refuse it; TransformFrame changes one sample's bytes.
    virtual HRESULT OnInputLayout(const VideoFrameLayout&) { return S_OK; }
    virtual void TransformFrame(BYTE* data, std::size_t length) = 0;

    // The layout of the input frames, read under the settings lock. Its pixel
    // size is 0 until a type is set or after one was refused: samples then
    // pass unchanged.
    const VideoFrameLayout& InputLayout() const { return m_inputLayout; }

    void WriteSettings(SettingsWriter& writer) override
    {
        CAutoLock lock(&m_settingsLock);
        writer.Int32(m_videoColour);
    }

    void ReadSettings(SettingsReader& reader) override
    {
        CAutoLock lock(&m_settingsLock);
        m_videoColour = reader.Int32();
    }

    CCritSec m_settingsLock;

private:
    HRESULT TakeInputLayout(const VideoFrameLayout& layout)
    {
        const HRESULT hr = OnInputLayout(layout);
        m_inputLayout = SUCCEEDED(hr) ? layout : VideoFrameLayout{};
        return hr;
    }

    // A type change upstream announces with a sample (the input pin has
    // checked it) describes that frame and the ones after it; one the filter
    // cannot follow leaves the frames unchanged.
    void FollowTypeChange()
    {
        const AM_SAMPLE2_PROPERTIES& props = this->m_input->SampleProps();
        VideoFrameLayout layout;
        if ((props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && props.pMediaType &&
            GetVideoFrameLayout(*props.pMediaType, layout))
            TakeInputLayout(layout);
    }

    LONG m_videoColour = kDefaultVideoColour;
    VideoFrameLayout m_inputLayout;
};
