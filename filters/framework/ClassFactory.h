// The class object the module hands out for one class-table entry.
#pragma once

#include "ClassTable.h"

class CClassFactory final : public CUnknown, public IClassFactory {
public:
    DECLARE_IUNKNOWN
    explicit CClassFactory(const CFactoryTemplate& entry);

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override;
    STDMETHODIMP LockServer(BOOL lock) override;

    // True while any LockServer(TRUE) of this module is not yet undone.
    static bool IsLocked();

private:
    const CFactoryTemplate& m_entry;
};
