// A filter on any base filter with the interfaces every filter of this
// system carries. Base is a CUnknown-derived filter base whose constructor
// arguments follow the class information; Settings is the filter's private
// interface (derived from IUnknown) with SettingsIid its identifier.
//
//   class GreenShift : public SettingsFilter<CTransInPlaceFilter, IGreenShiftSettings, IID_IGreenShiftSettings> {
//       GreenShift(IUnknown* outer, HRESULT* phr)
//           : SettingsFilter(kGreenShiftInfo, L"Green Shift", outer, CLSID_GreenShift, phr) {}
//       // settings methods, WriteSettings/ReadSettings, the transform ...
//   };
#pragma once

#include "FilterInterfaces.h"
#include "PersistSettings.h"
#include "comobject.h"

#include <utility>

// The identity a filter class persists and advertises.
struct FilterClassInfo {
    const CLSID* clsid;
    const CLSID* pageClsid;
    DWORD settingsSize;  // declared by GetSizeMax
    DWORD recordSize = 0;  // stored, when less than declared
};

template <class Base, class Settings, const IID& SettingsIid>
class SettingsFilter : public Base, public Settings, public CPersistSettings, public ISpecifyPropertyPages {
public:
    template <class... BaseArgs>
    explicit SettingsFilter(const FilterClassInfo& info, BaseArgs&&... baseArgs)
        : Base(std::forward<BaseArgs>(baseArgs)...), CPersistSettings(info.settingsSize, info.recordSize), m_info(info)
    {
    }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return this->GetOwner()->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return this->GetOwner()->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return this->GetOwner()->Release(); }

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override
    {
        return QueryFilterInterface(riid, ppv, SettingsIid, static_cast<Settings*>(this),
                                    static_cast<IPersistStream*>(this), static_cast<ISpecifyPropertyPages*>(this),
                                    [this](REFIID iid, void** out) { return Base::NonDelegatingQueryInterface(iid, out); });
    }

    // One final answer for both IPersist paths (the base filter's and IPersistStream's).
    STDMETHODIMP GetClassID(CLSID* clsid) override
    {
        if (!clsid) return E_POINTER;
        *clsid = *m_info.clsid;
        return S_OK;
    }

    STDMETHODIMP GetPages(CAUUID* pages) override { return GetSinglePropertyPage(pages, *m_info.pageClsid); }

protected:
    const FilterClassInfo& ClassInfo() const { return m_info; }

private:
    const FilterClassInfo m_info;
};
