#include "RegisteredModule.h"

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

RegisteredModule::RegisteredModule(std::string path)
{
    m_handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), ::dlerror());
        std::abort();
    }
    auto reg = reinterpret_cast<DllRegisterServerFunction>(Entry("DllRegisterServer"));
    m_registered = reg ? reg() : E_FAIL;
}

RegisteredModule::~RegisteredModule()
{
    CoFreeUnusedLibraries();
    ::dlclose(m_handle);
}

void* RegisteredModule::Entry(const char* name) const { return ::dlsym(m_handle, name); }

HRESULT RegisteredModule::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const
{
    auto get = reinterpret_cast<DllGetClassObjectFunction>(Entry("DllGetClassObject"));
    return get ? get(clsid, riid, ppv) : E_FAIL;
}

HRESULT RegisteredModule::Unregister() const
{
    auto unreg = reinterpret_cast<DllRegisterServerFunction>(Entry("DllUnregisterServer"));
    return unreg ? unreg() : E_FAIL;
}

CMediaType Rgb24VideoType(LONG width, LONG height)
{
    VIDEOINFOHEADER info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width * height * 3);
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = MEDIASUBTYPE_RGB24;
    type.formattype = FORMAT_VideoInfo;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = info.bmiHeader.biSizeImage;
    type.SetFormat(&info, sizeof info);
    return type;
}
