// One buffer of an allocator, handed out by GetBuffer. When its last
// reference goes, it returns to its allocator instead of being deleted.
#pragma once

#include "media_type.h"
#include "sample_interfaces.h"

#include <atomic>

class CMemAllocator;

class CMediaSample : public IMediaSample2 {
public:
    CMediaSample(CMemAllocator* allocator, BYTE* buffer, LONG size);
    CMediaSample(const CMediaSample&) = delete;
    CMediaSample& operator=(const CMediaSample&) = delete;
    virtual ~CMediaSample();

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    STDMETHODIMP GetPointer(BYTE** buffer) override;
    STDMETHODIMP_(LONG) GetSize() override;
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP SetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override;
    STDMETHODIMP IsSyncPoint() override;
    STDMETHODIMP SetSyncPoint(BOOL isSyncPoint) override;
    STDMETHODIMP IsPreroll() override;
    STDMETHODIMP SetPreroll(BOOL isPreroll) override;
    STDMETHODIMP_(LONG) GetActualDataLength() override;
    STDMETHODIMP SetActualDataLength(LONG length) override;
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override;
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE* type) override;
    STDMETHODIMP IsDiscontinuity() override;
    STDMETHODIMP SetDiscontinuity(BOOL isDiscontinuity) override;
    STDMETHODIMP GetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    STDMETHODIMP SetMediaTime(LONGLONG* start, LONGLONG* stop) override;
    STDMETHODIMP GetProperties(DWORD size, BYTE* properties) override;
    STDMETHODIMP SetProperties(DWORD size, const BYTE* properties) override;

    // Back to the state of a fresh buffer: no times, flags or type.
    void ResetProperties();

protected:
    // Where the last reference goes: back to the allocator. A sample whose
    // memory belongs to someone else (a bridge to another media framework)
    // hands it back its own way and may be made with a null allocator.
    virtual void Recycle();
    // Points the sample at another block of memory, for samples that wrap
    // memory they do not own; the actual length becomes the whole block.
    void SetBuffer(BYTE* buffer, LONG size);

private:
    void SetFlag(DWORD flag, BOOL on);

    CMemAllocator* const m_allocator;
    std::atomic<LONG> m_refs{0};
    BYTE* m_buffer;
    LONG m_size;
    LONG m_actual;
    DWORD m_flags = 0;
    DWORD m_typeFlags = 0;
    DWORD m_streamId = AM_STREAM_MEDIA;
    REFERENCE_TIME m_start = 0;
    REFERENCE_TIME m_stop = 0;
    LONGLONG m_mediaStart = 0;
    LONGLONG m_mediaStop = 0;
    bool m_mediaTimeValid = false;
    AM_MEDIA_TYPE* m_type = nullptr;
};
