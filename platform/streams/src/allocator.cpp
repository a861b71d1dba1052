#include "allocator.h"

#include <new>

namespace {

bool IsPowerOfTwo(LONG value) { return value > 0 && (value & (value - 1)) == 0; }

LONG RoundUp(LONG value, LONG align) { return (value + align - 1) / align * align; }

} // namespace

CMemAllocator::CMemAllocator(IUnknown* outer) : CUnknown("Memory allocator", outer) {}

CMemAllocator::~CMemAllocator() { FreeSamples(); }

HRESULT CMemAllocator::Create(IMemAllocator** allocator)
{
    if (!allocator) return E_POINTER;
    auto* created = new (std::nothrow) CMemAllocator();
    *allocator = created;
    if (!created) return E_OUTOFMEMORY;
    created->AddRef();
    return S_OK;
}

STDMETHODIMP CMemAllocator::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMemAllocator) return GetInterface(static_cast<IMemAllocator*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP CMemAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual)
{
    if (!request || !actual) return E_POINTER;
    const LONG align = request->cbAlign == 0 ? 1 : request->cbAlign;
    if (!IsPowerOfTwo(align)) return VFW_E_BADALIGN;
    if (request->cBuffers < 0 || request->cbBuffer < 0 || request->cbPrefix < 0) return E_INVALIDARG;
    std::lock_guard<std::mutex> hold(m_mutex);
    if (m_committed) return VFW_E_ALREADY_COMMITTED;
    if (m_outstanding > 0) return VFW_E_BUFFERS_OUTSTANDING;
    FreeSamples();
    m_props.cBuffers = request->cBuffers;
    m_props.cbBuffer = RoundUp(request->cbBuffer + request->cbPrefix, align) - request->cbPrefix;
    m_props.cbAlign = align;
    m_props.cbPrefix = request->cbPrefix;
    *actual = m_props;
    return S_OK;
}

STDMETHODIMP CMemAllocator::GetProperties(ALLOCATOR_PROPERTIES* props)
{
    if (!props) return E_POINTER;
    std::lock_guard<std::mutex> hold(m_mutex);
    *props = m_props;
    return S_OK;
}

STDMETHODIMP CMemAllocator::Commit()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    if (m_committed) return S_OK;
    if (m_props.cBuffers <= 0 || m_props.cbBuffer <= 0) return VFW_E_SIZENOTSET;
    if (m_samples.empty()) {
        const HRESULT hr = AllocateSamples();
        if (FAILED(hr)) return hr;
    }
    m_committed = true;
    return S_OK;
}

STDMETHODIMP CMemAllocator::Decommit()
{
    std::lock_guard<std::mutex> hold(m_mutex);
    if (!m_committed) return S_OK;
    m_committed = false;
    // The memory goes when the last sample comes back.
    if (m_outstanding == 0) FreeSamples();
    m_sampleFreed.notify_all();
    return S_OK;
}

STDMETHODIMP CMemAllocator::GetBuffer(IMediaSample** buffer, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                      DWORD flags)
{
    if (!buffer) return E_POINTER;
    *buffer = nullptr;
    CMediaSample* sample = nullptr;
    {
        std::unique_lock<std::mutex> hold(m_mutex);
        for (;;) {
            if (!m_committed) return VFW_E_NOT_COMMITTED;
            if (!m_free.empty()) break;
            if (flags & AM_GBF_NOWAIT) return VFW_E_TIMEOUT;
            m_sampleFreed.wait(hold);
        }
        sample = m_free.back();
        m_free.pop_back();
        ++m_outstanding;
        sample->ResetProperties();
        sample->SetTime(start, start ? stop : nullptr);
    }
    AddRef();  // released when the sample comes back
    sample->AddRef();
    *buffer = sample;
    return S_OK;
}

STDMETHODIMP CMemAllocator::ReleaseBuffer(IMediaSample* buffer)
{
    if (!buffer) return E_POINTER;
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        if (!Owns(buffer)) return E_INVALIDARG;
        m_free.push_back(static_cast<CMediaSample*>(buffer));
        --m_outstanding;
        if (!m_committed && m_outstanding == 0) FreeSamples();
        m_sampleFreed.notify_one();
    }
    Release();  // may delete this: nothing may follow
    return S_OK;
}

HRESULT CMemAllocator::AllocateSamples()
{
    const std::size_t stride = static_cast<std::size_t>(m_props.cbBuffer) + m_props.cbPrefix;
    const std::size_t bytes = stride * static_cast<std::size_t>(m_props.cBuffers) + m_props.cbAlign;
    m_memory.reset(new (std::nothrow) BYTE[bytes]);
    if (!m_memory) return E_OUTOFMEMORY;
    const auto base = reinterpret_cast<std::uintptr_t>(m_memory.get());
    const std::uintptr_t aligned = (base + m_props.cbAlign - 1) & ~static_cast<std::uintptr_t>(m_props.cbAlign - 1);
    // cbBuffer + cbPrefix is a multiple of the alignment, so every prefix
    // starts aligned as the first one does.
    BYTE* first = m_memory.get() + (aligned - base) + m_props.cbPrefix;
    for (LONG i = 0; i < m_props.cBuffers; ++i) {
        auto sample = std::make_unique<CMediaSample>(this, first + i * stride, m_props.cbBuffer);
        m_free.push_back(sample.get());
        m_samples.push_back(std::move(sample));
    }
    return S_OK;
}

void CMemAllocator::FreeSamples()
{
    m_free.clear();
    m_samples.clear();
    m_memory.reset();
}

bool CMemAllocator::Owns(IMediaSample* sample) const
{
    for (const auto& owned : m_samples)
        if (static_cast<IMediaSample*>(owned.get()) == sample) return true;
    return false;
}
