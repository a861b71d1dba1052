#include "Noise.h"

#include "FxBankClsids.h"

#include <algorithm>

namespace {

const FilterClassInfo kNoiseInfo{&CLSID_Noise, &CLSID_NoiseProp, Noise::kSettingsSize};

} // namespace

Noise::Noise(IUnknown* outer, HRESULT*) : Rgb24InPlaceFilter(kNoiseInfo, "Noise", outer) {}

STDMETHODIMP Noise::GetNoiseType(LONG* noiseType) { return GetSetting(noiseType, m_noiseType); }

STDMETHODIMP Noise::SetNoiseType(LONG noiseType) { return SetSetting(m_noiseType, noiseType); }

STDMETHODIMP Noise::GetStrength(LONG* strength) { return GetSetting(strength, m_strength); }

STDMETHODIMP Noise::SetStrength(LONG strength) { return SetSetting(m_strength, std::clamp<LONG>(strength, 0, 100)); }

// The noise is drawn in memory order whichever way the rows run: a
// top-down frame gets another random pattern than its bottom-up twin, but
// nothing of its picture is moved or turned (a copied neighbour is beside
// the pixel, or in the row next to it, in either order). Following a
// top-down frame's rows from the bottom up instead would take the pass
// backwards through memory a row at a time, which costs it three times as
// much on a frame that is not in the cache.
void Noise::TransformFrame(BYTE* data, std::size_t length)
{
    AddNoise(data, length, m_noiseType, m_strength, m_random);
}

void Noise::WriteSettings(SettingsWriter& writer)
{
    CAutoLock lock(&m_settingsLock);
    writer.Int32(m_noiseType);
    writer.Int32(m_strength);
}

// Stored values come back as they were saved; the pass holds the strength to its range.
void Noise::ReadSettings(SettingsReader& reader)
{
    CAutoLock lock(&m_settingsLock);
    m_noiseType = reader.Int32();
    m_strength = reader.Int32();
}
