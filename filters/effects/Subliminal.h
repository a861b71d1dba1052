// Subliminal: passes the main video through in place and, at a fixed
// cadence, replaces single main frames by the latest frame of the sub video
// that arrives on "SubInput", spread evenly over a period of main frames.
#pragma once

#include "ISubliminalSettings.h"
#include "Rgb24InPlaceFilter.h"

#include <atomic>
#include <memory>
#include <vector>

class SubliminalSubInputPin;

class Subliminal final : public Rgb24InPlaceFilter<ISubliminalFilter, IID_ISubliminalFilter> {
public:
    static constexpr DWORD kSettingsSize = 8;
    static constexpr LONG kDefaultPeriod = 30;
    static constexpr LONG kDefaultSubCount = 1;

    Subliminal(IUnknown* outer, HRESULT* phr);
    ~Subliminal() override;

    STDMETHODIMP GetPeriod(LONG* period) override;
    STDMETHODIMP SetPeriod(LONG period) override;
    STDMETHODIMP GetSubCount(LONG* subCount) override;
    STDMETHODIMP SetSubCount(LONG subCount) override;

    // Pins "In", "Out" and "SubInput", made together on the first request:
    // if one cannot be made, none is.
    int GetPinCount() override { return 3; }
    CBasePin* GetPin(int index) override;

    // Main and sub video are RGB24 of one picture size: whichever input is
    // connected first sets the size for the other.
    HRESULT CheckInputType(const CMediaType* type) override;
    // Entering pause starts the cadence again with a sub frame.
    STDMETHODIMP Pause() override;
    STDMETHODIMP Stop() override;

    // The sub input's samples: only the latest is kept.
    void StoreSubFrame(IMediaSample* sample);

protected:
    CTransformInputPin* CreateInputPin(HRESULT* phr) override;
    CTransformOutputPin* CreateOutputPin(HRESULT* phr) override;
    void TransformFrame(BYTE* data, std::size_t length) override;
    // Stored values are brought within the setters' limits at once: the
    // cadence divides by both.
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    LONG m_period = kDefaultPeriod;
    LONG m_subCount = kDefaultSubCount;
    std::vector<BYTE> m_subFrame;  // under the settings lock
    std::unique_ptr<SubliminalSubInputPin> m_subInput;
    // Main streaming thread and the pause transition only.
    std::atomic<std::uint32_t> m_frame{0};
};
