#include "media_sample.h"

#include "allocator.h"

#include <algorithm>
#include <cstring>

CMediaSample::CMediaSample(CMemAllocator* allocator, BYTE* buffer, LONG size)
    : m_allocator(allocator), m_buffer(buffer), m_size(size), m_actual(size)
{
}

CMediaSample::~CMediaSample() { DeleteMediaType(m_type); }

STDMETHODIMP CMediaSample::QueryInterface(REFIID riid, void** ppv)
{
    if (!ppv) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IMediaSample || riid == IID_IMediaSample2) {
        *ppv = static_cast<IMediaSample2*>(this);
        AddRef();
        return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CMediaSample::AddRef() { return static_cast<ULONG>(m_refs.fetch_add(1) + 1); }

STDMETHODIMP_(ULONG) CMediaSample::Release()
{
    const LONG left = m_refs.fetch_sub(1) - 1;
    if (left == 0) Recycle();
    return static_cast<ULONG>(left > 0 ? left : 0);
}

void CMediaSample::Recycle() { m_allocator->ReleaseBuffer(this); }

void CMediaSample::SetBuffer(BYTE* buffer, LONG size)
{
    m_buffer = buffer;
    m_size = size;
    m_actual = size;
}

STDMETHODIMP CMediaSample::GetPointer(BYTE** buffer)
{
    if (!buffer) return E_POINTER;
    *buffer = m_buffer;
    return S_OK;
}

STDMETHODIMP_(LONG) CMediaSample::GetSize() { return m_size; }

STDMETHODIMP CMediaSample::GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop)
{
    if (!start || !stop) return E_POINTER;
    if (!(m_flags & AM_SAMPLE_TIMEVALID)) return VFW_E_SAMPLE_TIME_NOT_SET;
    *start = m_start;
    if (!(m_flags & AM_SAMPLE_STOPVALID)) {
        // Upstream may stamp any start; the last representable time has no
        // later stop and is its own.
        if (__builtin_add_overflow(m_start, 1, stop)) *stop = m_start;
        return VFW_S_NO_STOP_TIME;
    }
    *stop = m_stop;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop)
{
    m_flags &= ~(AM_SAMPLE_TIMEVALID | AM_SAMPLE_STOPVALID);
    if (!start) return S_OK;
    m_start = *start;
    m_flags |= AM_SAMPLE_TIMEVALID;
    if (stop) {
        m_stop = *stop;
        m_flags |= AM_SAMPLE_STOPVALID;
    }
    return S_OK;
}

STDMETHODIMP CMediaSample::IsSyncPoint() { return (m_flags & AM_SAMPLE_SPLICEPOINT) ? S_OK : S_FALSE; }
STDMETHODIMP CMediaSample::SetSyncPoint(BOOL on)
{
    SetFlag(AM_SAMPLE_SPLICEPOINT, on);
    return S_OK;
}
STDMETHODIMP CMediaSample::IsPreroll() { return (m_flags & AM_SAMPLE_PREROLL) ? S_OK : S_FALSE; }
STDMETHODIMP CMediaSample::SetPreroll(BOOL on)
{
    SetFlag(AM_SAMPLE_PREROLL, on);
    return S_OK;
}
STDMETHODIMP CMediaSample::IsDiscontinuity()
{
    return (m_flags & AM_SAMPLE_DATADISCONTINUITY) ? S_OK : S_FALSE;
}
STDMETHODIMP CMediaSample::SetDiscontinuity(BOOL on)
{
    SetFlag(AM_SAMPLE_DATADISCONTINUITY, on);
    return S_OK;
}

STDMETHODIMP_(LONG) CMediaSample::GetActualDataLength() { return m_actual; }

STDMETHODIMP CMediaSample::SetActualDataLength(LONG length)
{
    if (length < 0 || length > m_size) return VFW_E_BUFFER_OVERFLOW;
    m_actual = length;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaType(AM_MEDIA_TYPE** type)
{
    if (!type) return E_POINTER;
    *type = nullptr;
    if (!(m_flags & AM_SAMPLE_TYPECHANGED) || !m_type) return S_FALSE;
    *type = CreateMediaType(m_type);
    return *type ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CMediaSample::SetMediaType(AM_MEDIA_TYPE* type)
{
    DeleteMediaType(m_type);
    m_type = nullptr;
    m_flags &= ~AM_SAMPLE_TYPECHANGED;
    if (!type) return S_OK;
    m_type = CreateMediaType(type);
    if (!m_type) return E_OUTOFMEMORY;
    m_flags |= AM_SAMPLE_TYPECHANGED;
    return S_OK;
}

STDMETHODIMP CMediaSample::GetMediaTime(LONGLONG* start, LONGLONG* stop)
{
    if (!start || !stop) return E_POINTER;
    if (!m_mediaTimeValid) return VFW_E_MEDIA_TIME_NOT_SET;
    *start = m_mediaStart;
    *stop = m_mediaStop;
    return S_OK;
}

STDMETHODIMP CMediaSample::SetMediaTime(LONGLONG* start, LONGLONG* stop)
{
    m_mediaTimeValid = false;
    if (!start) return S_OK;
    if (!stop) return E_POINTER;
    m_mediaStart = *start;
    m_mediaStop = *stop;
    m_mediaTimeValid = true;
    return S_OK;
}

// Callers pass the size of the record they know; a shorter record gets the
// leading fields only, so older clients keep working.
STDMETHODIMP CMediaSample::GetProperties(DWORD size, BYTE* properties)
{
    if (!properties) return E_POINTER;
    AM_SAMPLE2_PROPERTIES all{};
    all.cbData = std::min<DWORD>(size, sizeof all);
    all.dwTypeSpecificFlags = m_typeFlags;
    all.dwSampleFlags = m_flags;
    all.lActual = m_actual;
    all.tStart = m_start;
    all.tStop = m_stop;
    all.dwStreamId = m_streamId;
    all.pMediaType = (m_flags & AM_SAMPLE_TYPECHANGED) ? m_type : nullptr;
    all.pbBuffer = m_buffer;
    all.cbBuffer = m_size;
    std::memcpy(properties, &all, all.cbData);
    return S_OK;
}

// Fields beyond the caller's record size keep their values.
STDMETHODIMP CMediaSample::SetProperties(DWORD size, const BYTE* properties)
{
    if (!properties) return E_POINTER;
    AM_SAMPLE2_PROPERTIES given{};
    GetProperties(sizeof given, reinterpret_cast<BYTE*>(&given));
    std::memcpy(&given, properties, std::min<DWORD>(size, sizeof given));
    if (given.pbBuffer != m_buffer || given.cbBuffer != m_size) return E_INVALIDARG;  // memory is the allocator's
    if (given.lActual < 0 || given.lActual > m_size) return VFW_E_BUFFER_OVERFLOW;
    const bool typeChanged = (given.dwSampleFlags & AM_SAMPLE_TYPECHANGED) != 0;
    if (typeChanged && !given.pMediaType) return E_INVALIDARG;
    if (!typeChanged) {
        SetMediaType(nullptr);
    } else if (given.pMediaType != m_type) {
        const HRESULT hr = SetMediaType(given.pMediaType);
        if (FAILED(hr)) return hr;
    }
    m_flags = given.dwSampleFlags;
    m_typeFlags = given.dwTypeSpecificFlags;
    m_actual = given.lActual;
    m_start = given.tStart;
    m_stop = given.tStop;
    m_streamId = given.dwStreamId;
    return S_OK;
}

void CMediaSample::ResetProperties()
{
    m_flags = 0;
    m_typeFlags = 0;
    m_streamId = AM_STREAM_MEDIA;
    m_mediaTimeValid = false;
    m_actual = m_size;
    DeleteMediaType(m_type);
    m_type = nullptr;
}

void CMediaSample::SetFlag(DWORD flag, BOOL on)
{
    if (on)
        m_flags |= flag;
    else
        m_flags &= ~flag;
}
