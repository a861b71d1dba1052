// An in-place video filter with a private settings interface: it keeps the
// frame layout of the input type and changes each sample under its settings
// lock, so a setting never changes in the middle of a frame. A concrete
// filter says which input types it takes and what it does to a frame's
// bytes; Settings is its private interface with SettingsIid its identifier.
#pragma once

#include "SampleLength.h"
#include "SettingsFilter.h"
#include "VideoColour.h"
#include "transinplace_filter.h"

#include <cstddef>

template <class Settings, const IID& SettingsIid>
class InPlaceSettingsFilter : public SettingsFilter<CTransInPlaceFilter, Settings, SettingsIid> {
    using Base = SettingsFilter<CTransInPlaceFilter, Settings, SettingsIid>;

public:
    InPlaceSettingsFilter(const FilterClassInfo& info, const char* objectName, IUnknown* outer)
        : Base(info, objectName, outer, *info.clsid)
    {
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

    // The bodies of a settings getter and setter: both under the settings
    // lock; a set marks the filter dirty for saving.
    HRESULT GetSetting(LONG* out, const LONG& field)
    {
        if (!out) return E_POINTER;
        CAutoLock lock(&m_settingsLock);
        *out = field;
        return S_OK;
    }

    HRESULT SetSetting(LONG& field, LONG value)
    {
        CAutoLock lock(&m_settingsLock);
        field = value;
        this->SetDirty(true);
        return S_OK;
    }

    // The layout of the input frames, read under the settings lock. Its pixel
    // size is 0 until a type is set or after one was refused.
    const VideoFrameLayout& InputLayout() const { return m_inputLayout; }

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

    VideoFrameLayout m_inputLayout;
};
