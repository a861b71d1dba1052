// What the module tests share: a filter module registered in a temporary
// registry, objects created through CoCreateInstance, and media types.
#pragma once

#include "TempHome.h"
#include "com_ptr.h"
#include "media_type.h"
#include "objbase.h"

#include <string>

// OSTREL_HOME in a fresh folder with the module at `path` registered there.
class RegisteredModule {
public:
    explicit RegisteredModule(std::string path);
    ~RegisteredModule();
    RegisteredModule(const RegisteredModule&) = delete;
    RegisteredModule& operator=(const RegisteredModule&) = delete;

    HRESULT RegisterResult() const { return m_registered; }
    // The module's own DllGetClassObject, bypassing the registry.
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT Unregister() const;

private:
    void* Entry(const char* name) const;

    TempHome m_home;
    void* m_handle = nullptr;
    HRESULT m_registered = E_FAIL;
};

template <class T>
ComPtr<T> CreateByClsid(REFCLSID clsid, REFIID riid)
{
    ComPtr<T> object;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, riid, object.OutVoid());
    return object;
}

// A FORMAT_VideoInfo RGB24 type with no row padding and fixed-size samples.
CMediaType Rgb24VideoType(LONG width, LONG height);
