// What the tests of every filter module share: the module loaded and
// registered in a temporary registry, objects created by CLSID, video media
// types and a sample from a faulty allocator.
#pragma once

#include "TempHome.h"
#include "com_ptr.h"
#include "media_type.h"
#include "objbase.h"
#include "sample_interfaces.h"
#include "vfw_errors.h"

#include <string>
#include <vector>

// OSTREL_HOME in a fresh folder with the module at `path` registered there.
class RegisteredModule {
public:
    explicit RegisteredModule(const char* path);
    ~RegisteredModule();
    RegisteredModule(const RegisteredModule&) = delete;
    RegisteredModule& operator=(const RegisteredModule&) = delete;

    HRESULT RegisterResult() const { return m_registered; }
    // The module's own DllGetClassObject, bypassing the registry.
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT Unregister() const;

private:
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

// A sample from a faulty upstream allocator: the given bytes, claiming a
// buffer size of its own. Only IMediaSample; lives on the stack.
class ForeignSample final : public IMediaSample {
public:
    ForeignSample(std::vector<BYTE> bytes, LONG claimedSize)
        : data(std::move(bytes)), size(claimedSize), actual(static_cast<LONG>(data.size()))
    {
    }
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IMediaSample ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP GetPointer(BYTE** buffer) override
    {
        *buffer = data.data();
        return S_OK;
    }
    STDMETHODIMP_(LONG) GetSize() override { return size; }
    STDMETHODIMP GetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return VFW_E_SAMPLE_TIME_NOT_SET; }
    STDMETHODIMP SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return S_OK; }
    STDMETHODIMP IsSyncPoint() override { return S_FALSE; }
    STDMETHODIMP SetSyncPoint(BOOL) override { return S_OK; }
    STDMETHODIMP IsPreroll() override { return S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL) override { return S_OK; }
    STDMETHODIMP_(LONG) GetActualDataLength() override { return actual; }
    STDMETHODIMP SetActualDataLength(LONG length) override
    {
        actual = length;
        return S_OK;
    }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override
    {
        *type = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP IsDiscontinuity() override { return S_FALSE; }
    STDMETHODIMP SetDiscontinuity(BOOL) override { return S_OK; }
    STDMETHODIMP GetMediaTime(LONGLONG*, LONGLONG*) override { return VFW_E_MEDIA_TIME_NOT_SET; }
    STDMETHODIMP SetMediaTime(LONGLONG*, LONGLONG*) override { return S_OK; }

    std::vector<BYTE> data;
    LONG size;
    LONG actual;
};

// A FORMAT_VideoInfo type of `bits` per pixel, with no row padding.
CMediaType VideoType(REFGUID subtype, WORD bits, LONG width, LONG height);
inline CMediaType Rgb24Type(LONG width, LONG height) { return VideoType(MEDIASUBTYPE_RGB24, 24, width, height); }
inline CMediaType Rgb555Type(LONG width, LONG height) { return VideoType(MEDIASUBTYPE_RGB555, 16, width, height); }
