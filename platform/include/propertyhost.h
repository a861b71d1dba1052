// Headless host for one property page: supplies the page site, hands the
// page its object, activates it into a frame and records what the page
// tells the site. Tests (and tools) drive the dialog through the User...
// functions of dialog.h.
#pragma once

#include "dialog.h"
#include "ocidl.h"

#include <string>
#include <vector>

class PropertyPageHost final : public IPropertyPageSite {
public:
    PropertyPageHost();
    ~PropertyPageHost();
    PropertyPageHost(const PropertyPageHost&) = delete;
    PropertyPageHost& operator=(const PropertyPageHost&) = delete;

    // Site, objects, page info, activation, show. Returns the first failure,
    // having undone the steps before it.
    HRESULT Open(IPropertyPage* page, IUnknown* object);
    // The page's dialog while open, else null.
    HWND Dialog() const { return m_dialog; }
    HRESULT Apply();
    HRESULT IsPageDirty();
    // Deactivate, release the objects and the site; returns the page's answer
    // to releasing its objects.
    HRESULT Close();

    const std::u16string& Title() const { return m_title; }
    SIZE PageSize() const { return m_size; }
    const std::vector<DWORD>& StatusChanges() const { return m_statusChanges; }
    // References the page holds on the site.
    LONG SiteReferences() const { return m_references; }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP OnStatusChange(DWORD flags) override;
    STDMETHODIMP GetLocaleID(LCID* localeId) override;
    STDMETHODIMP GetPageContainer(IUnknown** container) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

private:
    IPropertyPage* m_page = nullptr;
    HWND m_frame = nullptr;
    HWND m_dialog = nullptr;
    std::u16string m_title;
    SIZE m_size{};
    std::vector<DWORD> m_statusChanges;
    LONG m_references = 0;
};
