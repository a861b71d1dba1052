#include "ModuleRegistration.h"

#include "objbase.h"
#include "widestring.h"
#include "winreg.h"

namespace {

HRESULT FromRegistry(LONG code) { return code == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(code)); }

HRESULT SetString(HKEY key, LPCWSTR name, const std::u16string& text)
{
    return FromRegistry(RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                       static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR))));
}

HRESULT RegisterClass(const CFactoryTemplate& entry, const std::u16string& modulePath)
{
    const std::u16string classKey = u"CLSID\\" + GuidToWideString(*entry.m_ClsID);
    HKEY key = nullptr;
    HRESULT hr = FromRegistry(RegCreateKeyExW(HKEY_CLASSES_ROOT, classKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                              KEY_WRITE, nullptr, &key, nullptr));
    if (FAILED(hr)) return hr;
    hr = SetString(key, nullptr, entry.m_Name ? entry.m_Name : u"");
    RegCloseKey(key);
    if (FAILED(hr)) return hr;
    const std::u16string serverKey = classKey + u"\\InprocServer32";
    hr = FromRegistry(RegCreateKeyExW(HKEY_CLASSES_ROOT, serverKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_WRITE, nullptr, &key, nullptr));
    if (FAILED(hr)) return hr;
    hr = SetString(key, nullptr, modulePath);
    if (SUCCEEDED(hr)) hr = SetString(key, u"ThreadingModel", u"Both");
    RegCloseKey(key);
    return hr;
}

HRESULT UnregisterClass(const CFactoryTemplate& entry)
{
    const std::u16string classKey = u"CLSID\\" + GuidToWideString(*entry.m_ClsID);
    const LONG code = RegDeleteTreeW(HKEY_CLASSES_ROOT, classKey.c_str());
    return code == ERROR_FILE_NOT_FOUND ? S_OK : FromRegistry(code);
}

HRESULT RegisterFilter(IFilterMapper2* mapper, const AMOVIESETUP_FILTER& setup)
{
    REGFILTER2 data{};
    data.dwVersion = 1;
    data.dwMerit = setup.dwMerit;
    data.cPins = setup.nPins;
    data.rgPins = setup.lpPin;
    IMoniker* moniker = nullptr;
    return mapper->RegisterFilter(*setup.clsID, setup.strName, &moniker, &CLSID_LegacyAmFilterCategory, nullptr,
                                  &data);
}

HRESULT UnregisterFilter(IFilterMapper2* mapper, const AMOVIESETUP_FILTER& setup)
{
    const HRESULT hr = mapper->UnregisterFilter(&CLSID_LegacyAmFilterCategory, nullptr, *setup.clsID);
    return hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ? S_OK : hr;
}

// Runs `action` for every entry with setup data, through one mapper.
template <class Action>
HRESULT ForEachFilter(std::span<const CFactoryTemplate> table, Action action)
{
    IFilterMapper2* mapper = nullptr;
    HRESULT hr = CoCreateInstance(CLSID_FilterMapper2, nullptr, CLSCTX_INPROC_SERVER, IID_IFilterMapper2,
                                  reinterpret_cast<void**>(&mapper));
    if (FAILED(hr)) return hr;
    for (const CFactoryTemplate& entry : table) {
        if (!entry.m_pAMovieSetup_Filter) continue;
        hr = action(mapper, *entry.m_pAMovieSetup_Filter);
        if (FAILED(hr)) break;
    }
    mapper->Release();
    return hr;
}

} // namespace

HRESULT RegisterClassTable(std::span<const CFactoryTemplate> table, const std::string& modulePath)
{
    const std::u16string path = Utf8ToWide(modulePath);
    for (const CFactoryTemplate& entry : table)
        if (const HRESULT hr = RegisterClass(entry, path); FAILED(hr)) return hr;
    return ForEachFilter(table, RegisterFilter);
}

HRESULT UnregisterClassTable(std::span<const CFactoryTemplate> table)
{
    HRESULT hr = ForEachFilter(table, UnregisterFilter);
    if (FAILED(hr)) return hr;
    for (const CFactoryTemplate& entry : table)
        if (hr = UnregisterClass(entry); FAILED(hr)) return hr;
    return S_OK;
}
