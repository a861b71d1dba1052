#include "propertyhost.h"


constexpr LCID LOCALE_USER_DEFAULT = 0x0400;

PropertyPageHost::PropertyPageHost() = default;

PropertyPageHost::~PropertyPageHost()
{
    if (m_page) Close();
}

HRESULT PropertyPageHost::Open(IPropertyPage* page, IUnknown* object)
{
    if (!page) return E_POINTER;
    if (m_page) return E_UNEXPECTED;
    HRESULT hr = page->SetPageSite(this);
    if (FAILED(hr)) return hr;
    hr = page->SetObjects(1, &object);
    if (FAILED(hr)) {
        page->SetPageSite(nullptr);
        return hr;
    }
    PROPPAGEINFO info{};
    info.cb = sizeof info;
    if (SUCCEEDED(page->GetPageInfo(&info))) {
        m_title = info.pszTitle ? info.pszTitle : u"";
        m_size = info.size;
        CoTaskMemFree(info.pszTitle);
        CoTaskMemFree(info.pszDocString);
        CoTaskMemFree(info.pszHelpFile);
    }
    m_frame = CreateFrameWindow();
    const RECT rect{0, 0, m_size.cx, m_size.cy};
    hr = page->Activate(m_frame, &rect, FALSE);
    if (FAILED(hr)) {
        page->SetObjects(0, nullptr);
        page->SetPageSite(nullptr);
        DestroyWindow(m_frame);
        m_frame = nullptr;
        return hr;
    }
    const auto dialogs = GetChildDialogs(m_frame);
    m_dialog = dialogs.empty() ? nullptr : dialogs.back();
    page->Show(SW_SHOW);
    page->AddRef();
    m_page = page;
    return S_OK;
}

HRESULT PropertyPageHost::Apply() { return m_page ? m_page->Apply() : E_UNEXPECTED; }

HRESULT PropertyPageHost::IsPageDirty() { return m_page ? m_page->IsPageDirty() : E_UNEXPECTED; }

HRESULT PropertyPageHost::Close()
{
    if (!m_page) return E_UNEXPECTED;
    m_page->Deactivate();
    const HRESULT hr = m_page->SetObjects(0, nullptr);
    m_page->SetPageSite(nullptr);
    m_page->Release();
    m_page = nullptr;
    DestroyWindow(m_frame);
    m_frame = m_dialog = nullptr;
    return hr;
}

STDMETHODIMP PropertyPageHost::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IPropertyPageSite) {
        *ppv = static_cast<IPropertyPageSite*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

// The host lives on its owner's stack; the count only shows whether the page
// let go of its site.
STDMETHODIMP_(ULONG) PropertyPageHost::AddRef() { return static_cast<ULONG>(++m_references); }
STDMETHODIMP_(ULONG) PropertyPageHost::Release() { return static_cast<ULONG>(--m_references); }

STDMETHODIMP PropertyPageHost::OnStatusChange(DWORD flags)
{
    m_statusChanges.push_back(flags);
    return S_OK;
}

STDMETHODIMP PropertyPageHost::GetLocaleID(LCID* localeId)
{
    if (!localeId) return E_POINTER;
    *localeId = LOCALE_USER_DEFAULT;
    return S_OK;
}

STDMETHODIMP PropertyPageHost::GetPageContainer(IUnknown** container)
{
    if (container) *container = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP PropertyPageHost::TranslateAccelerator(MSG*) { return S_FALSE; }
