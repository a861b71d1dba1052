// Helpers for the framework tests: the test module loaded directly, and a
// reference holder for interface pointers.
#pragma once

#include "objbase.h"

#include <string>
#include <utility>

template <class T>
class Ref {
public:
    Ref() = default;
    ~Ref() { Reset(); }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    Ref(Ref&& other) noexcept : m_p(std::exchange(other.m_p, nullptr)) {}

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    T** Put()
    {
        Reset();
        return &m_p;
    }
    void** PutVoid() { return reinterpret_cast<void**>(Put()); }
    void Reset()
    {
        if (m_p) std::exchange(m_p, nullptr)->Release();
    }

private:
    T* m_p = nullptr;
};

// The test module opened with dlopen, its five entry points resolved.
class TestModule {
public:
    TestModule();
    ~TestModule();
    TestModule(const TestModule&) = delete;
    TestModule& operator=(const TestModule&) = delete;

    static std::string Path() { return OSTREL_TEST_MODULE; }

    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const { return m_getClassObject(clsid, riid, ppv); }
    HRESULT CanUnloadNow() const { return m_canUnloadNow(); }
    HRESULT Register() const { return m_register(); }
    HRESULT Unregister() const { return m_unregister(); }
    // A new object of `clsid` through the module's class factory.
    HRESULT Create(REFCLSID clsid, REFIID riid, void** ppv, IUnknown* outer = nullptr) const;

private:
    void* m_handle = nullptr;
    DllGetClassObjectFunction m_getClassObject = nullptr;
    DllCanUnloadNowFunction m_canUnloadNow = nullptr;
    DllRegisterServerFunction m_register = nullptr;
    DllRegisterServerFunction m_unregister = nullptr;
};
