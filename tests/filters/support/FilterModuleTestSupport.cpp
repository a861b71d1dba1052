#include "FilterModuleTestSupport.h"

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

RegisteredModule::RegisteredModule(const char* path)
{
    m_handle = ::dlopen(path, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        std::fprintf(stderr, "cannot load %s: %s\n", path, ::dlerror());
        std::abort();
    }
    auto reg = reinterpret_cast<DllRegisterServerFunction>(::dlsym(m_handle, "DllRegisterServer"));
    m_registered = reg ? reg() : E_FAIL;
}

RegisteredModule::~RegisteredModule()
{
    CoFreeUnusedLibraries();
    ::dlclose(m_handle);
}

HRESULT RegisteredModule::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const
{
    auto get = reinterpret_cast<DllGetClassObjectFunction>(::dlsym(m_handle, "DllGetClassObject"));
    return get ? get(clsid, riid, ppv) : E_FAIL;
}

HRESULT RegisteredModule::Unregister() const
{
    auto unreg = reinterpret_cast<DllRegisterServerFunction>(::dlsym(m_handle, "DllUnregisterServer"));
    return unreg ? unreg() : E_FAIL;
}

CMediaType VideoType(REFGUID subtype, WORD bits, LONG width, LONG height)
{
    VIDEOINFOHEADER info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bits;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * std::abs(height) * (bits / 8));
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = info.bmiHeader.biSizeImage;
    type.SetFormat(&info, sizeof info);
    return type;
}
