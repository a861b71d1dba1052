#include "BufferSample.h"

#include "ThreadHandOff.h"
#include "vfw_errors.h"

#include <algorithm>
#include <new>

BufferSample::BufferSample(BufferSampleOwner* owner) : CMediaSample(nullptr, nullptr, 0), m_owner(owner) {}

BufferSample::~BufferSample() { Detach(); }

bool BufferSample::Attach(GstBuffer* buffer, GstMapFlags flags)
{
    Detach();
    if (!gst_buffer_map(buffer, &m_map, flags)) {
        gst_buffer_unref(buffer);
        return false;
    }
    m_buffer = buffer;
    SetBuffer(m_map.data, static_cast<LONG>(m_map.size));
    return true;
}

GstBuffer* BufferSample::TakeBuffer()
{
    if (!m_buffer) return nullptr;
    const LONG actual = GetActualDataLength();
    GstBuffer* buffer = m_buffer;
    gst_buffer_unmap(buffer, &m_map);
    m_buffer = nullptr;
    SetBuffer(nullptr, 0);
    if (actual >= 0 && static_cast<gsize>(actual) < gst_buffer_get_size(buffer))
        gst_buffer_set_size(buffer, actual);
    return buffer;
}

void BufferSample::Detach()
{
    if (!m_buffer) return;
    gst_buffer_unmap(m_buffer, &m_map);
    gst_buffer_unref(m_buffer);
    m_buffer = nullptr;
    SetBuffer(nullptr, 0);
}

void BufferSample::Recycle()
{
    if (m_owner)
        m_owner->SampleReturned(this);
    else
        delete this;
}

BufferPoolAllocator::BufferPoolAllocator() : CUnknown("Buffer pool allocator", nullptr) {}

BufferPoolAllocator::~BufferPoolAllocator()
{
    for (BufferSample* sample : m_spare) delete sample;
    DropPool();
}

HRESULT BufferPoolAllocator::Create(BufferPoolAllocator** allocator)
{
    if (!allocator) return E_POINTER;
    *allocator = new (std::nothrow) BufferPoolAllocator();
    if (!*allocator) return E_OUTOFMEMORY;
    (*allocator)->AddRef();
    return S_OK;
}

STDMETHODIMP BufferPoolAllocator::NonDelegatingQueryInterface(REFIID riid, void** ppv)
{
    if (riid == IID_IMemAllocator) return GetInterface(static_cast<IMemAllocator*>(this), ppv);
    return CUnknown::NonDelegatingQueryInterface(riid, ppv);
}

STDMETHODIMP BufferPoolAllocator::SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual)
{
    if (!request || !actual) return E_POINTER;
    if (request->cBuffers < 0 || request->cbBuffer < 0 || request->cbPrefix != 0) return E_INVALIDARG;
    std::lock_guard hold(m_mutex);
    if (m_committed) return VFW_E_ALREADY_COMMITTED;
    m_props = *request;
    m_props.cbAlign = 1;
    *actual = m_props;
    return S_OK;
}

STDMETHODIMP BufferPoolAllocator::GetProperties(ALLOCATOR_PROPERTIES* props)
{
    if (!props) return E_POINTER;
    std::lock_guard hold(m_mutex);
    *props = m_props;
    return S_OK;
}

// The pool is made here, not in SetProperties, so a size change between
// connections always gets buffers of the new size.
STDMETHODIMP BufferPoolAllocator::Commit()
{
    std::lock_guard hold(m_mutex);
    if (m_committed) return S_OK;
    if (m_props.cbBuffer <= 0) return VFW_E_SIZENOTSET;
    DropPool();
    m_pool = gst_buffer_pool_new();
    GstStructure* config = gst_buffer_pool_get_config(m_pool);
    // No upper bound: downstream throttles by blocking the push instead.
    gst_buffer_pool_config_set_params(config, nullptr, static_cast<guint>(m_props.cbBuffer),
                                      static_cast<guint>(std::max<LONG>(m_props.cBuffers, 1)), 0);
    if (!gst_buffer_pool_set_config(m_pool, config) || !gst_buffer_pool_set_active(m_pool, TRUE)) {
        DropPool();
        return E_OUTOFMEMORY;
    }
    m_committed = true;
    return S_OK;
}

STDMETHODIMP BufferPoolAllocator::Decommit()
{
    std::lock_guard hold(m_mutex);
    m_committed = false;
    if (m_pool) gst_buffer_pool_set_active(m_pool, FALSE);  // wakes a waiting acquire
    return S_OK;
}

STDMETHODIMP BufferPoolAllocator::GetBuffer(IMediaSample** buffer, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                            DWORD)
{
    if (!buffer) return E_POINTER;
    *buffer = nullptr;
    GstBufferPool* pool = nullptr;
    BufferSample* sample = nullptr;
    {
        std::lock_guard hold(m_mutex);
        if (!m_committed || !m_pool) return VFW_E_NOT_COMMITTED;
        pool = GST_BUFFER_POOL(gst_object_ref(m_pool));
        if (!m_spare.empty()) {
            sample = m_spare.back();
            m_spare.pop_back();
        }
    }
    GstBuffer* memory = nullptr;
    const GstFlowReturn flow = gst_buffer_pool_acquire_buffer(pool, &memory, nullptr);
    gst_object_unref(pool);
    // Back from downstream, whose last look at it comes first.
    if (flow == GST_FLOW_OK) TakingOver(memory);
    if (!sample) sample = new (std::nothrow) BufferSample(this);
    if (flow != GST_FLOW_OK || !sample || !sample->Attach(memory, GST_MAP_WRITE)) {
        if (flow == GST_FLOW_OK && !sample) gst_buffer_unref(memory);
        delete sample;
        return flow == GST_FLOW_OK ? E_OUTOFMEMORY : VFW_E_NOT_COMMITTED;
    }
    sample->ResetProperties();
    sample->SetTime(start, start ? stop : nullptr);
    AddRef();  // released when the sample comes back
    sample->AddRef();
    *buffer = sample;
    return S_OK;
}

STDMETHODIMP BufferPoolAllocator::ReleaseBuffer(IMediaSample*) { return S_OK; }

// An unsent buffer goes back to the pool; the sample object is kept.
void BufferPoolAllocator::SampleReturned(BufferSample* sample)
{
    if (sample->HasBuffer()) gst_buffer_unref(sample->TakeBuffer());
    {
        std::lock_guard hold(m_mutex);
        m_spare.push_back(sample);
    }
    Release();  // may delete this: nothing may follow
}

void BufferPoolAllocator::DropPool()
{
    if (!m_pool) return;
    gst_buffer_pool_set_active(m_pool, FALSE);
    gst_object_unref(m_pool);
    m_pool = nullptr;
}
