// Shared IStream logic over a byte store: position, seeking and sizes live
// here; the concrete stream reads and writes at an offset.
#pragma once

#include "comobject.h"
#include "objidl.h"

class StreamBase : public CUnknown, public IStream {
public:
    DECLARE_IUNKNOWN
    StreamBase(const char* name, DWORD mode);

    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP Read(void* pv, ULONG cb, ULONG* pcbRead) override;
    STDMETHODIMP Write(const void* pv, ULONG cb, ULONG* pcbWritten) override;
    STDMETHODIMP Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition) override;
    STDMETHODIMP SetSize(ULARGE_INTEGER newSize) override;
    STDMETHODIMP CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                        ULARGE_INTEGER* pcbWritten) override;
    STDMETHODIMP Commit(DWORD flags) override;
    STDMETHODIMP Revert() override;
    STDMETHODIMP LockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD lockType) override;
    STDMETHODIMP UnlockRegion(ULARGE_INTEGER offset, ULARGE_INTEGER cb, DWORD lockType) override;
    STDMETHODIMP Stat(STATSTG* stat, DWORD flags) override;
    STDMETHODIMP Clone(IStream** stream) override;

protected:
    // Returns the bytes read (short at the end), or -1 on an I/O error.
    virtual long long ReadAt(ULONGLONG offset, void* data, ULONG size) = 0;
    virtual bool WriteAt(ULONGLONG offset, const void* data, ULONG size) = 0;
    virtual ULONGLONG Size() = 0;
    virtual bool Resize(ULONGLONG size) = 0;
    virtual HRESULT Flush() { return S_OK; }

private:
    bool CanWrite() const;

    DWORD m_mode;
    ULONGLONG m_position = 0;
};
