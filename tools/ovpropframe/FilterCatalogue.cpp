#include "FilterCatalogue.h"

#include "guid.h"
#include "objbase.h"
#include "widestring.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace {

std::string HexResult(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

} // namespace

HRESULT ListRegisteredFilters(std::vector<FilterChoice>& filters)
{
    std::vector<RegisteredFilter> registered;
    const HRESULT hr = EnumerateRegisteredFilters(CLSID_LegacyAmFilterCategory, registered);
    if (FAILED(hr)) return hr;
    filters.clear();
    for (const RegisteredFilter& filter : registered)
        filters.push_back({filter.clsid, WideToUtf8(filter.friendlyName)});
    return S_OK;
}

bool FindFilter(const std::vector<FilterChoice>& filters, const std::string& text, FilterChoice& found,
                std::string& problem)
{
    const std::optional<GUID> clsid = GuidFromString(text);
    const auto pick = [&](auto matches) {
        const auto it = std::find_if(filters.begin(), filters.end(), matches);
        if (it == filters.end()) return false;
        found = *it;
        return true;
    };
    if (clsid) {
        if (pick([&](const FilterChoice& f) { return f.clsid == *clsid; })) return true;
        problem = "no filter with CLSID " + text + " is registered";
        return false;
    }
    if (pick([&](const FilterChoice& f) { return f.name == text; })) return true;
    if (pick([&](const FilterChoice& f) { return SameIgnoringCase(f.name, text); })) return true;
    problem = "no registered filter is named \"" + text + "\" (--list shows the registered filters)";
    return false;
}

ComPtr<IUnknown> CreateFilter(REFCLSID clsid, std::string& problem)
{
    ComPtr<IUnknown> filter;
    const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, filter.OutVoid());
    if (FAILED(hr)) {
        const std::string why = CoLastActivationError();
        problem = "cannot create filter " + GuidToString(clsid) + " (" + HexResult(hr) + (why.empty() ? "" : ": " + why) +
                  ")";
        filter.Reset();
    }
    return filter;
}

std::vector<ComPtr<IPropertyPage>> CreatePropertyPages(IUnknown* filter, std::string& problem)
{
    std::vector<ComPtr<IPropertyPage>> pages;
    ComPtr<ISpecifyPropertyPages> specify;
    if (FAILED(filter->QueryInterface(IID_ISpecifyPropertyPages, specify.OutVoid()))) {
        problem = "the filter has no property pages (no ISpecifyPropertyPages)";
        return pages;
    }
    CAUUID ids{};
    HRESULT hr = specify->GetPages(&ids);
    if (FAILED(hr)) {
        problem = "the filter cannot name its property pages (" + HexResult(hr) + ")";
        return pages;
    }
    for (ULONG i = 0; i < ids.cElems; ++i) {
        ComPtr<IPropertyPage> page;
        hr = CoCreateInstance(ids.pElems[i], nullptr, CLSCTX_INPROC_SERVER, IID_IPropertyPage, page.OutVoid());
        if (FAILED(hr)) {
            problem = "cannot create property page " + GuidToString(ids.pElems[i]) + " (" + HexResult(hr) + ")";
            pages.clear();
            break;
        }
        pages.push_back(std::move(page));
    }
    CoTaskMemFree(ids.pElems);
    if (pages.empty() && problem.empty()) problem = "the filter names no property page";
    return pages;
}
