#include "fmapper.h"

#include "comobject.h"
#include "registrystore.h"
#include "widestring.h"

#include <cstdio>
#include <new>

namespace {

std::string CategoryPath(REFCLSID category)
{
    return "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(category) + "\\Instance";
}

std::string Numbered(int n)
{
    char text[8];
    std::snprintf(text, sizeof text, "%03d", n);
    return text;
}

std::u16string InstanceName(LPCOLESTR instance, REFCLSID filter)
{
    return instance && *instance ? std::u16string(instance) : GuidToWideString(filter);
}

void WriteTypes(RegistryTree& tree, const std::string& pinPath, UINT count, const REGPINTYPES* types)
{
    for (UINT t = 0; t < count; ++t) {
        const std::string path = pinPath + "\\Types\\" + Numbered(static_cast<int>(t));
        tree.Create(path);
        RegistryValues& values = *tree.Values(path);
        const CLSID major = types[t].clsMajorType ? *types[t].clsMajorType : GUID_NULL;
        const CLSID minor = types[t].clsMinorType ? *types[t].clsMinorType : GUID_NULL;
        values["MajorType"] = StringValue(GuidToWideString(major));
        values["MinorType"] = StringValue(GuidToWideString(minor));
    }
}

void WritePin(RegistryTree& tree, const std::string& path, const RegisteredPin& pin, UINT typeCount,
              const REGPINTYPES* types)
{
    tree.Create(path);
    RegistryValues& values = *tree.Values(path);
    values["Name"] = StringValue(pin.name);
    values["Rendered"] = DwordValue(pin.rendered);
    values["Output"] = DwordValue(pin.output);
    values["Zero"] = DwordValue(pin.zero);
    values["Many"] = DwordValue(pin.many);
    values["ConnectsToFilter"] = StringValue(GuidToWideString(pin.connectsToFilter));
    values["ConnectsToPin"] = StringValue(pin.connectsToPin);
    WriteTypes(tree, path, typeCount, types);
}

bool ValidPins(const REGFILTER2& data)
{
    if (data.dwVersion == 1) {
        if (data.cPins && !data.rgPins) return false;
        for (ULONG i = 0; i < data.cPins; ++i)
            if (data.rgPins[i].nMediaTypes && !data.rgPins[i].lpMediaType) return false;
        return true;
    }
    if (data.dwVersion == 2) {
        if (data.cPins2 && !data.rgPins2) return false;
        for (ULONG i = 0; i < data.cPins2; ++i)
            if (data.rgPins2[i].nMediaTypes && !data.rgPins2[i].lpMediaType) return false;
        return true;
    }
    return false;
}

void WritePins(RegistryTree& tree, const std::string& filterPath, const REGFILTER2& data)
{
    const ULONG count = data.dwVersion == 1 ? data.cPins : data.cPins2;
    for (ULONG i = 0; i < count; ++i) {
        const std::string path = filterPath + "\\Pins\\" + Numbered(static_cast<int>(i));
        RegisteredPin pin;
        if (data.dwVersion == 1) {
            const REGFILTERPINS& p = data.rgPins[i];
            pin.name = p.strName ? p.strName : u"";
            pin.rendered = p.bRendered, pin.output = p.bOutput, pin.zero = p.bZero, pin.many = p.bMany;
            pin.connectsToFilter = p.clsConnectsToFilter ? *p.clsConnectsToFilter : GUID_NULL;
            pin.connectsToPin = p.strConnectsToPin ? p.strConnectsToPin : u"";
            WritePin(tree, path, pin, p.nMediaTypes, p.lpMediaType);
        } else {
            const REGFILTERPINS2& p = data.rgPins2[i];
            pin.rendered = p.dwFlags & REG_PINFLAG_B_RENDERER, pin.output = p.dwFlags & REG_PINFLAG_B_OUTPUT;
            pin.zero = p.dwFlags & REG_PINFLAG_B_ZERO, pin.many = p.dwFlags & REG_PINFLAG_B_MANY;
            WritePin(tree, path, pin, p.nMediaTypes, p.lpMediaType);
        }
    }
}

bool ReadGuid(const RegistryValues& values, const std::string& name, GUID& guid)
{
    std::u16string text;
    if (!ReadString(values, name, text)) return false;
    const auto parsed = GuidFromString(WideToUtf8(text));
    if (parsed) guid = *parsed;
    return parsed.has_value();
}

bool ReadPin(const RegistryTree& tree, const std::string& path, RegisteredPin& pin)
{
    const RegistryValues& v = *tree.Values(path);
    DWORD rendered = 0, output = 0, zero = 0, many = 0;
    if (!ReadString(v, "Name", pin.name) || !ReadDword(v, "Rendered", rendered) || !ReadDword(v, "Output", output) ||
        !ReadDword(v, "Zero", zero) || !ReadDword(v, "Many", many) ||
        !ReadGuid(v, "ConnectsToFilter", pin.connectsToFilter) || !ReadString(v, "ConnectsToPin", pin.connectsToPin))
        return false;
    pin.rendered = rendered, pin.output = output, pin.zero = zero, pin.many = many;
    for (const std::string& t : tree.Children(path + "\\Types")) {
        RegisteredPinType type{};
        const RegistryValues& tv = *tree.Values(path + "\\Types\\" + t);
        if (!ReadGuid(tv, "MajorType", type.majorType) || !ReadGuid(tv, "MinorType", type.minorType)) return false;
        pin.mediaTypes.push_back(type);
    }
    return true;
}

bool ReadFilter(const RegistryTree& tree, const std::string& path, RegisteredFilter& filter)
{
    const RegistryValues& v = *tree.Values(path);
    if (!ReadGuid(v, "CLSID", filter.clsid) || !ReadString(v, "FriendlyName", filter.friendlyName) ||
        !ReadDword(v, "Merit", filter.merit))
        return false;
    for (const std::string& p : tree.Children(path + "\\Pins")) {
        RegisteredPin pin;
        if (!ReadPin(tree, path + "\\Pins\\" + p, pin)) return false;
        filter.pins.push_back(std::move(pin));
    }
    return true;
}

HRESULT ToHresult(const RegistryResult& result)
{
    return result.code == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(result.code));
}

class FilterMapper final : public CUnknown, public IFilterMapper2 {
public:
    DECLARE_IUNKNOWN
    explicit FilterMapper(IUnknown* outer) : CUnknown("Filter mapper", outer) {}

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        if (!ppv) return E_POINTER;
        if (riid == IID_IFilterMapper2) return GetInterface(static_cast<IFilterMapper2*>(this), ppv);
        return CUnknown::NonDelegatingQueryInterface(riid, ppv);
    }

    STDMETHODIMP CreateCategory(REFCLSID category, DWORD merit, LPCWSTR description) override
    {
        const std::string path = "HKEY_CLASSES_ROOT\\CLSID\\" + GuidToString(category);
        const std::u16string name = description ? description : u"";
        return ToHresult(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
                             tree.Create(path + "\\Instance");
                             RegistryValues& values = *tree.Values(path);
                             values["FriendlyName"] = StringValue(name);
                             values["Merit"] = DwordValue(merit);
                             changed = true;
                             return ERROR_SUCCESS;
                         }));
    }

    STDMETHODIMP UnregisterFilter(const CLSID* category, LPCOLESTR instance, REFCLSID filter) override
    {
        const std::string path = CategoryPath(category ? *category : CLSID_LegacyAmFilterCategory) + "\\" +
                                 WideToUtf8(InstanceName(instance, filter));
        return ToHresult(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
                             if (!tree.Has(path)) return ERROR_FILE_NOT_FOUND;
                             tree.EraseTree(path);
                             changed = true;
                             return ERROR_SUCCESS;
                         }));
    }

    STDMETHODIMP RegisterFilter(REFCLSID filter, LPCWSTR name, IMoniker** moniker, const CLSID* category,
                                LPCOLESTR instance, const REGFILTER2* data) override
    {
        if (!name || !data) return E_POINTER;
        if (moniker && *moniker) return E_NOTIMPL; // writing through a caller's moniker is not supported
        if (!ValidPins(*data)) return E_INVALIDARG;
        if (moniker) *moniker = nullptr;
        const std::string path = CategoryPath(category ? *category : CLSID_LegacyAmFilterCategory) + "\\" +
                                 WideToUtf8(InstanceName(instance, filter));
        return ToHresult(UpdateRegistry([&](RegistryTree& tree, bool& changed) {
                             // A new registration replaces the old one whole, pins included.
                             tree.EraseTree(path);
                             tree.Create(path);
                             RegistryValues& values = *tree.Values(path);
                             values["CLSID"] = StringValue(GuidToWideString(filter));
                             values["FriendlyName"] = StringValue(name);
                             values["Merit"] = DwordValue(data->dwMerit);
                             WritePins(tree, path, *data);
                             changed = true;
                             return ERROR_SUCCESS;
                         }));
    }

    // Graph building by type matching needs monikers, which this platform
    // does not have; EnumerateRegisteredFilters lists registrations instead.
    STDMETHODIMP EnumMatchingFilters(IEnumMoniker** ppEnum, DWORD, BOOL, DWORD, BOOL, DWORD, const GUID*,
                                     const REGPINMEDIUM*, const CLSID*, BOOL, BOOL, DWORD, const GUID*,
                                     const REGPINMEDIUM*, const CLSID*) override
    {
        if (ppEnum) *ppEnum = nullptr;
        return E_NOTIMPL;
    }
};

} // namespace

HRESULT EnumerateRegisteredFilters(REFCLSID category, std::vector<RegisteredFilter>& filters)
{
    filters.clear();
    const std::string base = CategoryPath(category);
    bool readable = true;
    const RegistryResult result = ReadRegistry([&](const RegistryTree& tree) {
        for (const std::string& instance : tree.Children(base)) {
            RegisteredFilter filter;
            filter.instance = Utf8ToWide(instance);
            if (!ReadFilter(tree, base + "\\" + instance, filter)) {
                readable = false;
                return ERROR_BADDB;
            }
            filters.push_back(std::move(filter));
        }
        return ERROR_SUCCESS;
    });
    if (!readable) return REGDB_E_READREGDB;
    return ToHresult(result);
}

HRESULT CreateFilterMapper(IUnknown* outer, REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    *ppv = nullptr;
    if (outer && riid != IID_IUnknown) return CLASS_E_NOAGGREGATION;
    auto* mapper = new (std::nothrow) FilterMapper(outer);
    if (!mapper) return E_OUTOFMEMORY;
    mapper->NonDelegatingAddRef();
    const HRESULT hr = mapper->NonDelegatingQueryInterface(riid, ppv);
    mapper->NonDelegatingRelease();
    return hr;
}
