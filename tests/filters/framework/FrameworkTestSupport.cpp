#include "FrameworkTestSupport.h"

#include <cstdio>
#include <cstdlib>

#include <dlfcn.h>

namespace {

template <class F>
F Resolve(void* handle, const char* name)
{
    void* symbol = ::dlsym(handle, name);
    if (!symbol) {
        std::fprintf(stderr, "test module lacks %s\n", name);
        std::abort();
    }
    return reinterpret_cast<F>(symbol);
}

} // namespace

TestModule::TestModule()
{
    m_handle = ::dlopen(OSTREL_TEST_MODULE, RTLD_NOW | RTLD_LOCAL);
    if (!m_handle) {
        std::fprintf(stderr, "cannot load the test module: %s\n", ::dlerror());
        std::abort();
    }
    m_getClassObject = Resolve<DllGetClassObjectFunction>(m_handle, "DllGetClassObject");
    m_canUnloadNow = Resolve<DllCanUnloadNowFunction>(m_handle, "DllCanUnloadNow");
    m_register = Resolve<DllRegisterServerFunction>(m_handle, "DllRegisterServer");
    m_unregister = Resolve<DllRegisterServerFunction>(m_handle, "DllUnregisterServer");
}

TestModule::~TestModule() { ::dlclose(m_handle); }

HRESULT TestModule::Create(REFCLSID clsid, REFIID riid, void** ppv, IUnknown* outer) const
{
    Ref<IClassFactory> factory;
    const HRESULT hr = GetClassObject(clsid, IID_IClassFactory, factory.PutVoid());
    if (FAILED(hr)) return hr;
    return factory->CreateInstance(outer, riid, ppv);
}
