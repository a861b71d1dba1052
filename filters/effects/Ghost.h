// Ghost: brightens every pixel by a fraction of the pixel a set number of
// pixels away in the frame buffer, so a faint displaced copy lies over the
// picture and a bright edge leaves a decaying trail.
#pragma once

#include "IGhostSettings.h"
#include "Rgb24InPlaceFilter.h"

class Ghost final : public Rgb24InPlaceFilter<IGhostFilter, IID_IGhostFilter> {
public:
    static constexpr DWORD kSettingsSize = 8;
    static constexpr LONG kDefaultStrength = 50;
    static constexpr LONG kDefaultOffset = 50;

    Ghost(IUnknown* outer, HRESULT* phr);

    STDMETHODIMP GetStrength(LONG* strength) override;
    STDMETHODIMP SetStrength(LONG strength) override;
    STDMETHODIMP GetOffset(LONG* offset) override;
    STDMETHODIMP SetOffset(LONG offset) override;

protected:
    void TransformFrame(BYTE* data, std::size_t length) override;
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    LONG m_strength = kDefaultStrength;
    LONG m_offset = kDefaultOffset;
};
