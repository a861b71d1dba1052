// What every filter object adds on top of its base filter: the private
// settings interface, IPersistStream and ISpecifyPropertyPages, asked for in
// that order before the base filter's own interfaces.
#pragma once

#include "ocidl.h"
#include "objidl.h"

// One-element page list with `page`, allocated with CoTaskMemAlloc.
HRESULT GetSinglePropertyPage(CAUUID* pages, REFCLSID page);

// The query order of a filter's NonDelegatingQueryInterface. `baseQuery` is
// the base filter's NonDelegatingQueryInterface, called for anything else.
template <class BaseQuery>
HRESULT QueryFilterInterface(REFIID riid, void** ppv, REFIID settingsIid, IUnknown* settings,
                             IPersistStream* persist, ISpecifyPropertyPages* pages, BaseQuery&& baseQuery)
{
    if (!ppv) return E_POINTER;
    IUnknown* found = nullptr;
    if (riid == settingsIid)
        found = settings;
    else if (riid == IID_IPersistStream)
        found = persist;
    else if (riid == IID_ISpecifyPropertyPages)
        found = pages;
    if (found) {
        *ppv = found;
        found->AddRef();
        return S_OK;
    }
    return baseQuery(riid, ppv);
}
