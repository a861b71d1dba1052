#include "FilterInterfaces.h"

HRESULT GetSinglePropertyPage(CAUUID* pages, REFCLSID page)
{
    if (!pages) return E_POINTER;
    pages->cElems = 0;
    pages->pElems = static_cast<GUID*>(CoTaskMemAlloc(sizeof(GUID)));
    if (!pages->pElems) return E_OUTOFMEMORY;
    pages->cElems = 1;
    pages->pElems[0] = page;
    return S_OK;
}
