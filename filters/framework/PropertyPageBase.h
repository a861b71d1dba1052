// Dialog-based property page: IPropertyPage over a dialog template, with the
// hooks a concrete page overrides (connect, disconnect, activate,
// deactivate, messages, apply) and the dirty flag it reports to its site.
// Change notifications that the page's own filling of its controls causes
// during WM_INITDIALOG (an edit sends EN_CHANGE for new text) are not passed
// on, so opening a page never marks it dirty.
#pragma once

#include "comobject.h"
#include "dialog.h"
#include "ocidl.h"

class CBasePropertyPage : public CUnknown, public IPropertyPage {
public:
    DECLARE_IUNKNOWN
    CBasePropertyPage(const char* name, IUnknown* outer, const DialogTemplate& dialog, const StringResource& title);
    ~CBasePropertyPage() override;

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetPageSite(IPropertyPageSite* site) override;
    STDMETHODIMP Activate(HWND parent, LPCRECT rect, BOOL modal) override;
    STDMETHODIMP Deactivate() override;
    STDMETHODIMP GetPageInfo(PROPPAGEINFO* info) override;
    STDMETHODIMP SetObjects(ULONG count, IUnknown** objects) override;
    STDMETHODIMP Show(UINT command) override;
    STDMETHODIMP Move(LPCRECT rect) override;
    STDMETHODIMP IsPageDirty() override;
    STDMETHODIMP Apply() override;
    STDMETHODIMP Help(LPCOLESTR helpDir) override;
    STDMETHODIMP TranslateAccelerator(MSG* message) override;

protected:
    virtual HRESULT OnConnect(IUnknown*) { return S_OK; }
    virtual HRESULT OnDisconnect() { return S_OK; }
    virtual HRESULT OnActivate() { return S_OK; }
    virtual HRESULT OnDeactivate() { return S_OK; }
    virtual HRESULT OnApplyChanges() { return S_OK; }
    // Messages of the page's dialog; WM_INITDIALOG arrives with m_Dlg set.
    virtual INT_PTR OnReceiveMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    // Marks the page changed and tells the site (PROPPAGESTATUS_DIRTY).
    void SetDirty();

    HWND m_Dlg = nullptr;
    bool m_bDirty = false;
    IPropertyPageSite* m_pPageSite = nullptr;

private:
    static INT_PTR DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    const DialogTemplate& m_dialog;
    const StringResource& m_title;
    bool m_objectSet = false;
    bool m_initialising = false;
};
