#include "streambase.h"

#include <cstring>
#include <limits>
#include <vector>

StreamBase::StreamBase(const char* name, DWORD mode) : CUnknown(name, nullptr), m_mode(mode) {}

STDMETHODIMP StreamBase::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IStream || riid == IID_ISequentialStream) return GetInterface(static_cast<IStream*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

bool StreamBase::CanWrite() const { return (m_mode & (STGM_WRITE | STGM_READWRITE)) != 0; }

STDMETHODIMP StreamBase::Read(void* pv, ULONG cb, ULONG* pcbRead)
{
    if (pcbRead) *pcbRead = 0;
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    if ((m_mode & STGM_WRITE) && !(m_mode & STGM_READWRITE)) return STG_E_ACCESSDENIED;
    const long long got = ReadAt(m_position, pv, cb);
    if (got < 0) return STG_E_READFAULT;
    m_position += static_cast<ULONGLONG>(got);
    if (pcbRead) *pcbRead = static_cast<ULONG>(got);
    return static_cast<ULONG>(got) == cb ? S_OK : S_FALSE;
}

STDMETHODIMP StreamBase::Write(const void* pv, ULONG cb, ULONG* pcbWritten)
{
    if (pcbWritten) *pcbWritten = 0;
    if (!pv && cb) return STG_E_INVALIDPOINTER;
    if (!CanWrite()) return STG_E_ACCESSDENIED;
    if (!WriteAt(m_position, pv, cb)) return STG_E_MEDIUMFULL;
    m_position += cb;
    if (pcbWritten) *pcbWritten = cb;
    return S_OK;
}

STDMETHODIMP StreamBase::Seek(LARGE_INTEGER move, DWORD origin, ULARGE_INTEGER* newPosition)
{
    long long base = 0;
    switch (origin) {
    case STREAM_SEEK_SET: base = 0; break;
    case STREAM_SEEK_CUR: base = static_cast<long long>(m_position); break;
    case STREAM_SEEK_END: base = static_cast<long long>(Size()); break;
    default: return STG_E_INVALIDFUNCTION;
    }
    long long target = 0;
    if (__builtin_add_overflow(base, move.QuadPart, &target) || target < 0) return STG_E_INVALIDFUNCTION;
    m_position = static_cast<ULONGLONG>(target);
    if (newPosition) newPosition->QuadPart = m_position;
    return S_OK;
}

STDMETHODIMP StreamBase::SetSize(ULARGE_INTEGER newSize)
{
    if (!CanWrite()) return STG_E_ACCESSDENIED;
    return Resize(newSize.QuadPart) ? S_OK : STG_E_MEDIUMFULL;
}

STDMETHODIMP StreamBase::CopyTo(IStream* target, ULARGE_INTEGER cb, ULARGE_INTEGER* pcbRead,
                                ULARGE_INTEGER* pcbWritten)
{
    if (!target) return STG_E_INVALIDPOINTER;
    ULONGLONG read = 0, written = 0;
    std::vector<BYTE> chunk(64 * 1024);
    HRESULT hr = S_OK;
    while (read < cb.QuadPart) {
        const ULONG want = static_cast<ULONG>(std::min<ULONGLONG>(chunk.size(), cb.QuadPart - read));
        ULONG got = 0;
        hr = Read(chunk.data(), want, &got);
        if (FAILED(hr) || got == 0) break;
        read += got;
        ULONG put = 0;
        hr = target->Write(chunk.data(), got, &put);
        written += put;
        if (FAILED(hr)) break;
    }
    if (pcbRead) pcbRead->QuadPart = read;
    if (pcbWritten) pcbWritten->QuadPart = written;
    return FAILED(hr) ? hr : S_OK;
}

STDMETHODIMP StreamBase::Commit(DWORD) { return Flush(); }
STDMETHODIMP StreamBase::Revert() { return S_OK; }
STDMETHODIMP StreamBase::LockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }
STDMETHODIMP StreamBase::UnlockRegion(ULARGE_INTEGER, ULARGE_INTEGER, DWORD) { return STG_E_INVALIDFUNCTION; }

STDMETHODIMP StreamBase::Stat(STATSTG* stat, DWORD)
{
    if (!stat) return STG_E_INVALIDPOINTER;
    std::memset(stat, 0, sizeof *stat);
    stat->type = STGTY_STREAM;
    stat->cbSize.QuadPart = Size();
    stat->grfMode = m_mode;
    return S_OK;
}

STDMETHODIMP StreamBase::Clone(IStream** stream)
{
    if (stream) *stream = nullptr;
    return E_NOTIMPL;
}
