#include "HostedFilter.h"

#include "objbase.h"
#include "objidl.h"

#include <cstdio>
#include <filesystem>
#include <mutex>

#include <dlfcn.h>

namespace {

std::string HexResult(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string ModuleBeside(const ElementDescription& description) { return PluginFolder() + "/" + description.module; }

HRESULT RegisterModule(const std::string& path, std::string& why)
{
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = ::dlerror();
        why = "cannot load " + path + ": " + (error ? error : "unknown error");
        return CO_E_DLLNOTFOUND;
    }
    auto registerServer = reinterpret_cast<DllRegisterServerFunction>(::dlsym(handle, "DllRegisterServer"));
    const HRESULT hr = registerServer ? registerServer() : CO_E_ERRORINDLL;
    if (FAILED(hr)) why = "registering " + path + " failed with " + HexResult(hr);
    ::dlclose(handle);
    return hr;
}

bool ClassServed(REFCLSID clsid)
{
    IClassFactory* factory = nullptr;
    if (FAILED(CoGetClassObject(clsid, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                reinterpret_cast<void**>(&factory))))
        return false;
    factory->Release();
    return true;
}

// Registration writes the shared registry file: one element at a time.
std::mutex g_registerMutex;

} // namespace

std::string PluginFolder()
{
    Dl_info info{};
    if (!::dladdr(reinterpret_cast<const void*>(&PluginFolder), &info) || !info.dli_fname) return ".";
    return std::filesystem::path(info.dli_fname).parent_path().string();
}

bool FilterAvailable(const ElementDescription& description)
{
    std::error_code ec;
    return std::filesystem::exists(ModuleBeside(description), ec) || ClassServed(description.clsid);
}

HostedFilter::HostedFilter(const ElementDescription& description)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (FAILED(Create(description))) {
        if (m_filter) m_filter->Release();
        m_filter = nullptr;
    }
}

HostedFilter::~HostedFilter()
{
    if (m_settings) m_settings->Release();
    if (m_filter) m_filter->Release();
    CoUninitialize();
}

HRESULT HostedFilter::Create(const ElementDescription& description)
{
    HRESULT hr = CoCreateInstance(description.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                                  reinterpret_cast<void**>(&m_filter));
    if (hr == REGDB_E_CLASSNOTREG || hr == CO_E_DLLNOTFOUND || hr == CLASS_E_CLASSNOTAVAILABLE) {
        std::lock_guard hold(g_registerMutex);
        std::string why;
        const HRESULT registered = RegisterModule(ModuleBeside(description), why);
        if (FAILED(registered)) {
            m_error = std::string(description.friendlyName) + " is not registered and " + why;
            return registered;
        }
        hr = CoCreateInstance(description.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IBaseFilter,
                              reinterpret_cast<void**>(&m_filter));
    }
    if (FAILED(hr)) {
        m_error = std::string("cannot create ") + description.friendlyName + ": " + HexResult(hr) + " " +
                  CoLastActivationError();
        return hr;
    }
    hr = m_filter->QueryInterface(description.settingsIid, reinterpret_cast<void**>(&m_settings));
    if (FAILED(hr)) m_error = std::string(description.friendlyName) + " has no settings interface";
    return hr;
}

HRESULT HostedFilter::LoadSettings(const std::string& path, std::string& why)
{
    IStream* stream = nullptr;
    HRESULT hr = CreateFileStream(path, STGM_READ, &stream);
    if (FAILED(hr)) {
        why = "cannot open " + path;
        return hr;
    }
    IPersistStream* persist = nullptr;
    hr = m_filter ? m_filter->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist)) : E_POINTER;
    if (SUCCEEDED(hr)) {
        hr = persist->Load(stream);
        persist->Release();
    }
    stream->Release();
    if (FAILED(hr)) why = path + " holds no settings of this filter (" + HexResult(hr) + ")";
    return hr;
}

HRESULT HostedFilter::SaveSettings(const std::string& path, std::string& why)
{
    IStream* stream = nullptr;
    HRESULT hr = CreateFileStream(path, STGM_CREATE | STGM_WRITE, &stream);
    if (FAILED(hr)) {
        why = "cannot write " + path;
        return hr;
    }
    IPersistStream* persist = nullptr;
    hr = m_filter ? m_filter->QueryInterface(IID_IPersistStream, reinterpret_cast<void**>(&persist)) : E_POINTER;
    if (SUCCEEDED(hr)) {
        hr = persist->Save(stream, TRUE);
        persist->Release();
    }
    stream->Release();
    if (FAILED(hr)) why = "saving the settings to " + path + " failed (" + HexResult(hr) + ")";
    return hr;
}
