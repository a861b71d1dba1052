#include "Ghost.h"

#include "FxBankClsids.h"
#include "GhostPass.h"

#include <algorithm>

namespace {

const FilterClassInfo kGhostInfo{&CLSID_Ghost, &CLSID_GhostProp, Ghost::kSettingsSize};

} // namespace

Ghost::Ghost(IUnknown* outer, HRESULT*) : Rgb24InPlaceFilter(kGhostInfo, "Ghost", outer) {}

STDMETHODIMP Ghost::GetStrength(LONG* strength) { return GetSetting(strength, m_strength); }

STDMETHODIMP Ghost::SetStrength(LONG strength) { return SetSetting(m_strength, std::clamp<LONG>(strength, 0, 100)); }

STDMETHODIMP Ghost::GetOffset(LONG* offset) { return GetSetting(offset, m_offset); }

STDMETHODIMP Ghost::SetOffset(LONG offset) { return SetSetting(m_offset, offset); }

// The buffer is one run of pixels whatever its rows: a ghost pushed past the
// end of a row goes on at the start of the next one.
void Ghost::TransformFrame(BYTE* data, std::size_t length) { AddGhost(data, length, m_strength, m_offset); }

void Ghost::WriteSettings(SettingsWriter& writer)
{
    CAutoLock lock(&m_settingsLock);
    writer.Int32(m_strength);
    writer.Int32(m_offset);
}

// Stored values come back as they were saved; the pass holds the strength to its range.
void Ghost::ReadSettings(SettingsReader& reader)
{
    CAutoLock lock(&m_settingsLock);
    m_strength = reader.Int32();
    m_offset = reader.Int32();
}
