// The framework's test filter: a SettingsFilter on a minimal base filter.
#pragma once

#include "SettingsFilter.h"
#include "TestSettings.h"
#include "kernel_critsec.h"

// Stands in for a platform filter base: answers IPersist with a class id of
// its own, so tests see which GetClassID wins.
class TestBaseFilter : public CUnknown, public IPersist {
public:
    DECLARE_IUNKNOWN
    TestBaseFilter(const char* name, IUnknown* outer) : CUnknown(name, outer) {}

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP GetClassID(CLSID* clsid) override;
};

class TestFilter final : public SettingsFilter<TestBaseFilter, ITestSettings, IID_ITestSettings> {
public:
    TestFilter(IUnknown* outer, HRESULT* phr);

    STDMETHODIMP GetColour(LONG* value) override;
    STDMETHODIMP SetColour(LONG value) override;
    STDMETHODIMP GetGain(LONG* value) override;
    STDMETHODIMP SetGain(LONG value) override;
    STDMETHODIMP GetEnabled(BYTE* value) override;
    STDMETHODIMP SetEnabled(BYTE value) override;
    STDMETHODIMP GetRate(LONG* value) override;
    STDMETHODIMP SetRate(LONG value) override;
    STDMETHODIMP GetLoadNotices(LONG* count) override;

protected:
    void WriteSettings(SettingsWriter& writer) override;
    void ReadSettings(SettingsReader& reader) override;

private:
    template <class T>
    HRESULT Get(const T& field, T* out);
    template <class T>
    HRESULT Set(T& field, T value);

    CCritSec m_settingsLock;
    LONG m_colour = 2;
    LONG m_gain = 0;
    BYTE m_enabled = 1;
    LONG m_rate = 30;
};

// Counts the initialisation routine's loading calls.
void TestFilterInit(BOOL loading, const CLSID* clsid);
