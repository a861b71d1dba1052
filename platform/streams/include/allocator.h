// A pool of equally sized samples in one block of memory. GetBuffer fails
// before Commit, blocks while every sample is out, and wakes with
// VFW_E_NOT_COMMITTED on Decommit. Each sample that is out holds a reference
// on the allocator, so the pool outlives its last sample.
#pragma once

#include "comobject.h"
#include "media_sample.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <vector>

class CMemAllocator : public CUnknown, public IMemAllocator {
public:
    explicit CMemAllocator(IUnknown* outer = nullptr);
    ~CMemAllocator() override;

    // A new allocator with one reference.
    static HRESULT Create(IMemAllocator** allocator);

    DECLARE_IUNKNOWN
    STDMETHODIMP NonDelegatingQueryInterface(REFIID riid, void** ppv) override;

    STDMETHODIMP SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override;
    STDMETHODIMP GetProperties(ALLOCATOR_PROPERTIES* props) override;
    STDMETHODIMP Commit() override;
    STDMETHODIMP Decommit() override;
    STDMETHODIMP GetBuffer(IMediaSample** buffer, REFERENCE_TIME* start, REFERENCE_TIME* stop, DWORD flags) override;
    STDMETHODIMP ReleaseBuffer(IMediaSample* buffer) override;

private:
    HRESULT AllocateSamples();
    void FreeSamples();
    bool Owns(IMediaSample* sample) const;

    std::mutex m_mutex;
    std::condition_variable m_sampleFreed;
    ALLOCATOR_PROPERTIES m_props{};
    bool m_committed = false;
    LONG m_outstanding = 0;
    std::unique_ptr<BYTE[]> m_memory;
    std::vector<std::unique_ptr<CMediaSample>> m_samples;
    std::vector<CMediaSample*> m_free;
};
