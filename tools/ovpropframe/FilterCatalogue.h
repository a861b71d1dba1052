// The filters registered with the filter mapper, found by friendly name or
// CLSID, and the objects a frame needs from one: the filter itself and its
// property pages.
#pragma once

#include "com_ptr.h"
#include "fmapper.h"
#include "ocidl.h"

#include <string>
#include <vector>

struct FilterChoice {
    CLSID clsid = GUID_NULL;
    std::string name;
};

// Registered DirectShow filters, or the reason they cannot be read.
HRESULT ListRegisteredFilters(std::vector<FilterChoice>& filters);

// `text` is a braced CLSID or a friendly name (exact, else ignoring case).
// False with `problem` set when nothing registered matches.
bool FindFilter(const std::vector<FilterChoice>& filters, const std::string& text, FilterChoice& found,
                std::string& problem);

ComPtr<IUnknown> CreateFilter(REFCLSID clsid, std::string& problem);

// Every page the filter names through ISpecifyPropertyPages, created by CLSID.
std::vector<ComPtr<IPropertyPage>> CreatePropertyPages(IUnknown* filter, std::string& problem);
