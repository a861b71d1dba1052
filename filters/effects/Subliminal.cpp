#include "Subliminal.h"

#include "FxBankClsids.h"
#include "SubliminalCadence.h"

#include <cstring>
#include <new>

namespace {

const FilterClassInfo kSubliminalInfo{&CLSID_Subliminal, &CLSID_SubliminalProp, Subliminal::kSettingsSize};

class SubliminalMainInputPin final : public CTransformInputPin {
public:
    SubliminalMainInputPin(CTransformFilter* filter, HRESULT* phr)
        : CTransformInputPin("Subliminal main input", filter, phr, u"Input")
    {
    }
    std::u16string Id() const override { return u"In"; }
};

class SubliminalOutputPin final : public CTransformOutputPin {
public:
    SubliminalOutputPin(CTransformFilter* filter, HRESULT* phr)
        : CTransformOutputPin("Subliminal output", filter, phr, u"Output")
    {
    }
    std::u16string Id() const override { return u"Out"; }
};

} // namespace

// An ordinary input whose samples are stored by the filter and go no further.
class SubliminalSubInputPin final : public CBaseInputPin {
public:
    SubliminalSubInputPin(Subliminal* filter, HRESULT* phr)
        : CBaseInputPin("Subliminal sub input", filter, filter->FilterLock(), phr, u"SubInput"), m_subliminal(filter)
    {
    }

    HRESULT CheckMediaType(const CMediaType* type) override { return m_subliminal->CheckInputType(type); }

    STDMETHODIMP Receive(IMediaSample* sample) override
    {
        const HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr != S_OK) return hr;
        if (SampleProps().dwStreamId == AM_STREAM_MEDIA) m_subliminal->StoreSubFrame(sample);
        return S_OK;
    }

private:
    Subliminal* const m_subliminal;
};

Subliminal::Subliminal(IUnknown* outer, HRESULT*) : Rgb24InPlaceFilter(kSubliminalInfo, "Subliminal", outer) {}

Subliminal::~Subliminal() = default;

STDMETHODIMP Subliminal::GetPeriod(LONG* period) { return GetSetting(period, m_period); }

STDMETHODIMP Subliminal::SetPeriod(LONG period)
{
    CAutoLock lock(&m_settingsLock);
    m_period = LimitSubliminalPeriod(period);
    m_subCount = LimitSubliminalSubCount(m_subCount, m_period);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Subliminal::GetSubCount(LONG* subCount) { return GetSetting(subCount, m_subCount); }

STDMETHODIMP Subliminal::SetSubCount(LONG subCount)
{
    CAutoLock lock(&m_settingsLock);
    m_subCount = LimitSubliminalSubCount(subCount, m_period);
    SetDirty(true);
    return S_OK;
}

CTransformInputPin* Subliminal::CreateInputPin(HRESULT* phr)
{
    return new (std::nothrow) SubliminalMainInputPin(this, phr);
}

CTransformOutputPin* Subliminal::CreateOutputPin(HRESULT* phr)
{
    return new (std::nothrow) SubliminalOutputPin(this, phr);
}

CBasePin* Subliminal::GetPin(int index)
{
    CAutoLock hold(&m_csFilter);
    if (!m_input) {
        HRESULT hr = S_OK;
        std::unique_ptr<CTransformInputPin> input(CreateInputPin(&hr));
        if (!input || FAILED(hr)) return nullptr;
        std::unique_ptr<CTransformOutputPin> output(CreateOutputPin(&hr));
        if (!output || FAILED(hr)) return nullptr;
        std::unique_ptr<SubliminalSubInputPin> sub(new (std::nothrow) SubliminalSubInputPin(this, &hr));
        if (!sub || FAILED(hr)) return nullptr;
        m_input = std::move(input);
        m_output = std::move(output);
        m_subInput = std::move(sub);
        IncrementPinVersion();
    }
    switch (index) {
    case 0: return m_input.get();
    case 1: return m_output.get();
    case 2: return m_subInput.get();
    default: return nullptr;
    }
}

HRESULT Subliminal::CheckInputType(const CMediaType* type)
{
    if (CheckVideoColourType(kVideoColourRgb24, type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    const CBasePin* sizeGiver = m_input && m_input->IsConnected()         ? static_cast<CBasePin*>(m_input.get())
                                : m_subInput && m_subInput->IsConnected() ? m_subInput.get()
                                                                          : nullptr;
    if (sizeGiver && !SameVideoGeometry(*type, sizeGiver->CurrentMediaType())) return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

STDMETHODIMP Subliminal::Pause()
{
    const bool entering = State() != State_Paused;
    const HRESULT hr = Rgb24InPlaceFilter::Pause();
    if (SUCCEEDED(hr) && entering) m_frame = 0;
    return hr;
}

// The main pair stops as any in-place filter's does; the sub input lets go
// of its allocator too, so a sub source waiting for a buffer is released.
STDMETHODIMP Subliminal::Stop()
{
    {
        CAutoLock hold(FilterLock());
        if (IsActive() && m_subInput && m_subInput->IsConnected()) m_subInput->Inactive();
    }
    return Rgb24InPlaceFilter::Stop();
}

void Subliminal::StoreSubFrame(IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return;
    const std::size_t length = UsableDataLength(sample);
    CAutoLock lock(&m_settingsLock);
    try {
        m_subFrame.assign(data, data + length);
    } catch (const std::bad_alloc&) {
        // Nothing is shown rather than a frame of the wrong size.
        m_subFrame.clear();
    }
}

// A sub frame of another size than the main frames is kept but never shown.
void Subliminal::TransformFrame(BYTE* data, std::size_t length)
{
    const std::uint32_t frame = m_frame.fetch_add(1);
    if (IsSubliminalFrame(frame, m_period, m_subCount) && !m_subFrame.empty() && m_subFrame.size() == length)
        std::memcpy(data, m_subFrame.data(), length);
}

void Subliminal::WriteSettings(SettingsWriter& writer)
{
    CAutoLock lock(&m_settingsLock);
    writer.Int32(m_period);
    writer.Int32(m_subCount);
}

void Subliminal::ReadSettings(SettingsReader& reader)
{
    CAutoLock lock(&m_settingsLock);
    m_period = LimitSubliminalPeriod(reader.Int32());
    m_subCount = LimitSubliminalSubCount(reader.Int32(), m_period);
}
