#include "PropertyPageBase.h"

#include "widestring.h"

CBasePropertyPage::CBasePropertyPage(const char* name, IUnknown* outer, const DialogTemplate& dialog,
                                     const StringResource& title)
    : CUnknown(name, outer), m_dialog(dialog), m_title(title)
{
    InitCommonControls();
}

CBasePropertyPage::~CBasePropertyPage()
{
    if (m_Dlg) DestroyWindow(m_Dlg);
    if (m_pPageSite) m_pPageSite->Release();
}

STDMETHODIMP CBasePropertyPage::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IPropertyPage) return GetInterface(static_cast<IPropertyPage*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CBasePropertyPage::SetPageSite(IPropertyPageSite* site)
{
    if (site) {
        if (m_pPageSite) return E_UNEXPECTED;
        m_pPageSite = site;
        m_pPageSite->AddRef();
        return S_OK;
    }
    if (!m_pPageSite) return E_UNEXPECTED;
    m_pPageSite->Release();
    m_pPageSite = nullptr;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Activate(HWND parent, LPCRECT rect, BOOL)
{
    if (!rect) return E_POINTER;
    if (m_Dlg) return E_UNEXPECTED;
    if (!CreateDialogFromTemplate(m_dialog, parent, &DialogProcedure, reinterpret_cast<LPARAM>(this)))
        return E_OUTOFMEMORY;
    const HRESULT hr = OnActivate();
    if (FAILED(hr)) {
        Deactivate();
        return hr;
    }
    Move(rect);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Deactivate()
{
    if (!m_Dlg) return E_UNEXPECTED;
    const HRESULT hr = OnDeactivate();
    DestroyWindow(m_Dlg);
    m_Dlg = nullptr;
    return hr;
}

STDMETHODIMP CBasePropertyPage::GetPageInfo(PROPPAGEINFO* info)
{
    if (!info) return E_POINTER;
    RECT size{0, 0, m_dialog.cx, m_dialog.cy};
    MapDialogRect(nullptr, &size);
    info->cb = sizeof *info;
    info->pszTitle = TaskMemWideString(m_title.text ? m_title.text : u"");
    if (!info->pszTitle) return E_OUTOFMEMORY;
    info->size = SIZE{size.right, size.bottom};
    info->pszDocString = nullptr;
    info->pszHelpFile = nullptr;
    info->dwHelpContext = 0;
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::SetObjects(ULONG count, IUnknown** objects)
{
    if (count == 1) {
        if (!objects || !objects[0]) return E_POINTER;
        // A second object replaces the first; the first is let go properly.
        if (m_objectSet) {
            m_objectSet = false;
            OnDisconnect();
        }
        const HRESULT hr = OnConnect(objects[0]);
        m_objectSet = SUCCEEDED(hr);
        return hr;
    }
    if (count == 0) {
        m_objectSet = false;
        return OnDisconnect();
    }
    return E_UNEXPECTED;
}

STDMETHODIMP CBasePropertyPage::Show(UINT command)
{
    if (!m_Dlg) return E_UNEXPECTED;
    if (command != SW_SHOW && command != SW_SHOWNORMAL && command != SW_HIDE) return E_INVALIDARG;
    ShowWindow(m_Dlg, static_cast<int>(command));
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::Move(LPCRECT rect)
{
    if (!rect) return E_POINTER;
    if (!m_Dlg) return E_UNEXPECTED;
    MoveWindow(m_Dlg, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, TRUE);
    return S_OK;
}

STDMETHODIMP CBasePropertyPage::IsPageDirty() { return m_bDirty ? S_OK : S_FALSE; }

STDMETHODIMP CBasePropertyPage::Apply()
{
    if (!m_objectSet || !m_pPageSite) return E_UNEXPECTED;
    if (!m_bDirty) return S_OK;
    m_bDirty = false;
    const HRESULT hr = OnApplyChanges();
    if (FAILED(hr)) m_bDirty = true;
    return hr;
}

STDMETHODIMP CBasePropertyPage::Help(LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP CBasePropertyPage::TranslateAccelerator(MSG*) { return E_NOTIMPL; }

INT_PTR CBasePropertyPage::OnReceiveMessage(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

void CBasePropertyPage::SetDirty()
{
    m_bDirty = true;
    if (m_pPageSite) m_pPageSite->OnStatusChange(PROPPAGESTATUS_DIRTY);
}

INT_PTR CBasePropertyPage::DialogProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<CBasePropertyPage*>(lParam);
        SetWindowLongPtrW(dialog, GWLP_USERDATA, lParam);
        page->m_Dlg = dialog;
        // Filling the controls echoes change notifications (an edit's new
        // text sends EN_CHANGE); they are not user changes.
        page->m_initialising = true;
        const INT_PTR result = page->OnReceiveMessage(dialog, message, wParam, lParam);
        page->m_initialising = false;
        return result;
    }
    auto* page = reinterpret_cast<CBasePropertyPage*>(GetWindowLongPtrW(dialog, GWLP_USERDATA));
    if (!page) return FALSE;
    if (message == WM_COMMAND && page->m_initialising) return TRUE;
    return page->OnReceiveMessage(dialog, message, wParam, lParam);
}
