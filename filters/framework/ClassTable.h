// The class table of a filter module: one static array of creatable classes
// (filter, its page, next filter, its page) that the class factory, the
// registration exports and DllCanUnloadNow serve. Every module defines
// g_Templates and g_cTemplates.
#pragma once

#include "comobject.h"
#include "fmapper.h"

#include <new>

// Registration records as the filter mapper takes them.
using AMOVIESETUP_MEDIATYPE = REGPINTYPES;
using AMOVIESETUP_PIN = REGFILTERPINS;

struct AMOVIESETUP_FILTER {
    const CLSID* clsID;
    const WCHAR* strName;
    DWORD dwMerit;
    UINT nPins;
    const AMOVIESETUP_PIN* lpPin;
};

// Creates a new object aggregated by `outer` (null when not aggregated);
// returns null with E_OUTOFMEMORY (or another failure) in *phr.
using CreateInstanceFunction = CUnknown* (*)(IUnknown* outer, HRESULT* phr);
// Called with TRUE when the module loads and FALSE when it unloads.
using InitRoutineFunction = void (*)(BOOL loading, const CLSID* clsid);

struct CFactoryTemplate {
    const WCHAR* m_Name;
    const CLSID* m_ClsID;
    CreateInstanceFunction m_lpfnNew;
    InitRoutineFunction m_lpfnInit;
    const AMOVIESETUP_FILTER* m_pAMovieSetup_Filter;

    bool IsClassID(REFCLSID clsid) const { return *m_ClsID == clsid; }
};

// Keep the table and its setup records constant data (literals and
// addresses only): the module's load routine reads it before any dynamic
// initialisation of the module is guaranteed to have run.
extern const CFactoryTemplate g_Templates[];
extern const int g_cTemplates;

// The merit every filter of this system registers with: never inserted by
// graph building on its own.
constexpr DWORD kFilterMerit = MERIT_DO_NOT_USE;

// Creation helper for the table: `new T(outer, phr)`, with E_OUTOFMEMORY
// when allocation fails and null when the constructor reports a failure.
template <class T>
CUnknown* CreateObject(IUnknown* outer, HRESULT* phr)
{
    HRESULT hr = S_OK;
    T* object = new (std::nothrow) T(outer, &hr);
    if (!object) {
        if (phr) *phr = E_OUTOFMEMORY;
        return nullptr;
    }
    if (FAILED(hr)) {
        delete object;
        if (phr) *phr = hr;
        return nullptr;
    }
    if (phr) *phr = S_OK;
    return object;
}
