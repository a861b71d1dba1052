#include "Noise.h"

#include "FxBankClsids.h"
#include "Rgb24Rows.h"

#include <algorithm>

namespace {

const FilterClassInfo kNoiseInfo{&CLSID_Noise, &CLSID_NoiseProp, Noise::kSettingsSize};

} // namespace

Noise::Noise(IUnknown* outer, HRESULT*) : Rgb24InPlaceFilter(kNoiseInfo, "Noise", outer) {}

STDMETHODIMP Noise::GetNoiseType(LONG* noiseType) { return GetSetting(noiseType, m_noiseType); }

STDMETHODIMP Noise::SetNoiseType(LONG noiseType) { return SetSetting(m_noiseType, noiseType); }

STDMETHODIMP Noise::GetStrength(LONG* strength) { return GetSetting(strength, m_strength); }

STDMETHODIMP Noise::SetStrength(LONG strength) { return SetSetting(m_strength, std::clamp<LONG>(strength, 0, 100)); }

// A top-down frame gets the noise of its bottom-up twin, row for row, so
// the picture is the same whichever way its rows run.
void Noise::TransformFrame(BYTE* data, std::size_t length)
{
    if (InputLayout().TopDown()) {
        const Rgb24Rows rows = Rgb24RowsOf(InputLayout(), length);
        AddNoiseRowsReversed(data, length, m_noiseType, m_strength, m_random, rows.stride, rows.rows);
    } else {
        AddNoise(data, length, m_noiseType, m_strength, m_random);
    }
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
