// Enumerators of a filter's pins and of a pin's offered types. Each holds a
// reference on what it walks, so it stays valid after its creator lets go.
#pragma once

#include "base_pin.h"

class CEnumPins final : public IEnumPins {
public:
    static HRESULT Create(CBaseFilter* filter, IEnumPins** enumerator);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, IPin** pins, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumPins** copy) override;

private:
    CEnumPins(CBaseFilter* filter, int position, LONG version);
    ~CEnumPins();

    CBaseFilter* const m_filter;
    int m_position;
    LONG m_version;
    std::atomic<LONG> m_refs{1};
};

class CEnumMediaTypes final : public IEnumMediaTypes {
public:
    static HRESULT Create(CBasePin* pin, IEnumMediaTypes** enumerator);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
    STDMETHODIMP Skip(ULONG count) override;
    STDMETHODIMP Reset() override;
    STDMETHODIMP Clone(IEnumMediaTypes** copy) override;

private:
    CEnumMediaTypes(CBasePin* pin, int position);
    ~CEnumMediaTypes();

    CBasePin* const m_pin;
    int m_position;
    std::atomic<LONG> m_refs{1};
};
