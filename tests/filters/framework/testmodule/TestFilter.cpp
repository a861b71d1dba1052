#include "TestFilter.h"

#include <atomic>

namespace {

std::atomic<LONG> g_loadNotices{0};

const FilterClassInfo kTestFilterInfo{&CLSID_FrameworkTestFilter, &CLSID_FrameworkTestPage, kTestSettingsSize};

} // namespace

void TestFilterInit(BOOL loading, const CLSID*)
{
    if (loading) g_loadNotices.fetch_add(1);
}

STDMETHODIMP TestBaseFilter::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IPersist) return GetInterface(static_cast<IPersist*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP TestBaseFilter::GetClassID(CLSID* clsid)
{
    if (!clsid) return E_POINTER;
    *clsid = GUID_NULL;
    return S_OK;
}

TestFilter::TestFilter(IUnknown* outer, HRESULT*) : SettingsFilter(kTestFilterInfo, "Framework test filter", outer) {}

template <class T>
HRESULT TestFilter::Get(const T& field, T* out)
{
    if (!out) return E_POINTER;
    CAutoLock lock(&m_settingsLock);
    *out = field;
    return S_OK;
}

template <class T>
HRESULT TestFilter::Set(T& field, T value)
{
    CAutoLock lock(&m_settingsLock);
    field = value;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP TestFilter::GetColour(LONG* value) { return Get(m_colour, value); }
STDMETHODIMP TestFilter::SetColour(LONG value) { return Set(m_colour, value); }
STDMETHODIMP TestFilter::GetGain(LONG* value) { return Get(m_gain, value); }
STDMETHODIMP TestFilter::SetGain(LONG value) { return Set(m_gain, value); }
STDMETHODIMP TestFilter::GetEnabled(BYTE* value) { return Get(m_enabled, value); }
STDMETHODIMP TestFilter::SetEnabled(BYTE value) { return Set(m_enabled, value); }
STDMETHODIMP TestFilter::GetRate(LONG* value) { return Get(m_rate, value); }
STDMETHODIMP TestFilter::SetRate(LONG value) { return Set(m_rate, value); }

STDMETHODIMP TestFilter::GetLoadNotices(LONG* count)
{
    if (!count) return E_POINTER;
    *count = g_loadNotices.load();
    return S_OK;
}

void TestFilter::WriteSettings(SettingsWriter& writer)
{
    CAutoLock lock(&m_settingsLock);
    writer.Int32(m_colour);
    writer.Int32(m_gain);
    writer.Byte(m_enabled);
    writer.Int32(m_rate);
}

void TestFilter::ReadSettings(SettingsReader& reader)
{
    CAutoLock lock(&m_settingsLock);
    m_colour = reader.Int32();
    m_gain = reader.Int32();
    m_enabled = reader.Byte();
    m_rate = reader.Int32();
}
