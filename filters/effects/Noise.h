// Noise: sprinkles disturbances over the picture, either pixels replaced by
// a neighbour or pixels darkened by a random factor, denser and deeper with
// the strength. Each filter draws from a generator of its own that runs on
// from frame to frame.
#pragma once

#include "INoiseSettings.h"
#include "NoisePass.h"
#include "Rgb24InPlaceFilter.h"

class Noise final : public Rgb24InPlaceFilter<INoiseFilter, IID_INoiseFilter> {
public:
    static constexpr DWORD kSettingsSize = 8;
    static constexpr LONG kDefaultNoiseType = kNoiseNeighbourCopy;
    static constexpr LONG kDefaultStrength = 50;

    Noise(IUnknown* outer, HRESULT* phr);

    STDMETHODIMP GetNoiseType(LONG* noiseType) override;
    STDMETHODIMP SetNoiseType(LONG noiseType) override;
    STDMETHODIMP GetStrength(LONG* strength) override;
    STDMETHODIMP SetStrength(LONG strength) override;

protected:
    void TransformFrame(BYTE* data, std::size_t length) override;
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    LONG m_noiseType = kDefaultNoiseType;
    LONG m_strength = kDefaultStrength;
    NoiseRandom m_random;  // drawn under the settings lock
};
