// The property page of one filter: connects to the filter's private
// settings interface and runs the fixed sequence. A concrete page copies
// the settings in ReadSettings, fills its controls on WM_INITDIALOG, calls
// SetDirty when a watched control changes, writes in ApplySettings, and
// undoes unapplied previews in RestorePreviews.
#pragma once

#include "PropertyPageBase.h"

template <class Settings, const IID& SettingsIid>
class SettingsPropertyPage : public CBasePropertyPage {
public:
    using CBasePropertyPage::CBasePropertyPage;

    ~SettingsPropertyPage() override
    {
        if (m_settings) m_settings->Release();
    }

protected:
    // Copies every setting into the page's own copies.
    virtual void ReadSettings(Settings* settings) = 0;
    // Takes the control states into the copies and writes them.
    virtual HRESULT ApplySettings(Settings* settings) = 0;
    // Writes the stored copies of preview settings back (pages with previews).
    virtual void RestorePreviews(Settings*) {}

    Settings* SettingsInterface() const { return m_settings; }

    HRESULT OnConnect(IUnknown* object) override
    {
        if (!object) return E_POINTER;
        Settings* settings = nullptr;
        if (FAILED(object->QueryInterface(SettingsIid, reinterpret_cast<void**>(&settings))) || !settings)
            return E_NOINTERFACE;
        m_settings = settings;
        ReadSettings(m_settings);
        return S_OK;
    }

    HRESULT OnDisconnect() override
    {
        if (!m_settings) return E_UNEXPECTED;
        RestorePreviews(m_settings);
        m_settings->Release();
        m_settings = nullptr;
        return S_OK;
    }

    HRESULT OnApplyChanges() override
    {
        m_bDirty = false;
        return m_settings ? ApplySettings(m_settings) : E_UNEXPECTED;
    }

private:
    Settings* m_settings = nullptr;
};
