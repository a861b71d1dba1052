#include "BridgeFilters.h"

#include "media_guids.h"

#include <algorithm>
#include <string>

FeedPin::FeedPin(CBaseFilter* filter, CCritSec* lock, LPCWSTR name)
    : CBaseOutputPin("Bridge feed pin", filter, lock, nullptr, name)
{
}

HRESULT FeedPin::CheckMediaType(const CMediaType* type)
{
    return type && m_offered.IsValid() && *type == m_offered ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT FeedPin::GetMediaType(int position, CMediaType* type)
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0 || !m_offered.IsValid()) return VFW_S_NO_MORE_ITEMS;
    *type = m_offered;
    return S_OK;
}

// The feed delivers samples wrapping GStreamer's own buffers, so the
// allocator it agrees on only keeps the protocol. A filter may hand its
// output's allocator upstream: one already sized is left as it is.
HRESULT FeedPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    ALLOCATOR_PROPERTIES current{};
    if (SUCCEEDED(allocator->GetProperties(&current)) && current.cBuffers > 0 && current.cbBuffer > 0) return S_OK;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = std::max<LONG>(wanted.cBuffers, 1);
    wanted.cbBuffer = std::max<LONG>(wanted.cbBuffer, 1);
    ALLOCATOR_PROPERTIES actual{};
    return allocator->SetProperties(&wanted, &actual);
}

FeedFilter::FeedFilter(int pins) : CBaseFilter("Bridge feed", nullptr, &m_lock, GUID_NULL)
{
    for (int i = 0; i < pins; ++i) {
        std::u16string name = u"Output ";
        for (char c : std::to_string(i + 1)) name += static_cast<char16_t>(c);
        m_pins.push_back(std::make_unique<FeedPin>(this, &m_lock, name.c_str()));
    }
}

FeedFilter* FeedFilter::Create(int pins)
{
    auto* filter = new FeedFilter(pins);
    filter->AddRef();
    return filter;
}

CBasePin* FeedFilter::GetPin(int index)
{
    return index >= 0 && index < GetPinCount() ? Pin(index) : nullptr;
}

class CollectFilter::Pin final : public CBaseInputPin {
public:
    explicit Pin(CollectFilter* owner)
        : CBaseInputPin("Bridge collect pin", owner, &owner->m_lock, nullptr, u"Input"), m_owner(owner)
    {
    }

    HRESULT CheckMediaType(const CMediaType* type) override
    {
        if (m_owner->m_anyType) return S_OK;
        const VIDEOINFOHEADER* video = VideoInfoOf(*type);
        const bool video24 = type->subtype == MEDIASUBTYPE_RGB24 && video && video->bmiHeader.biBitCount == 24;
        const bool video16 = type->subtype == MEDIASUBTYPE_RGB555 && video && video->bmiHeader.biBitCount == 16;
        if (type->majortype != MEDIATYPE_Video || !(video24 || video16) || video->bmiHeader.biWidth <= 0 ||
            video->bmiHeader.biHeight == 0)
            return VFW_E_TYPE_NOT_ACCEPTED;
        return S_OK;
    }

    // Offering our own allocator first lets the hosted filter write its
    // output straight into GStreamer buffers.
    STDMETHODIMP GetAllocator(IMemAllocator** allocator) override
    {
        if (!allocator) return E_POINTER;
        *allocator = m_owner->m_allocator;
        m_owner->m_allocator->AddRef();
        return S_OK;
    }

    STDMETHODIMP Receive(IMediaSample* sample) override
    {
        const HRESULT hr = CBaseInputPin::Receive(sample);
        if (hr != S_OK) return hr;
        if (SampleProps().dwStreamId != AM_STREAM_MEDIA) return S_OK;
        return m_owner->m_target->Collect(sample);
    }

    STDMETHODIMP EndOfStream() override
    {
        const HRESULT hr = CBaseInputPin::EndOfStream();
        if (hr == S_OK) m_owner->m_target->CollectEndOfStream();
        return hr;
    }

private:
    CollectFilter* const m_owner;
};

CollectFilter::CollectFilter(CollectTarget* target, bool anyType)
    : CBaseFilter("Bridge collect", nullptr, &m_lock, GUID_NULL), m_target(target), m_anyType(anyType)
{
    BufferPoolAllocator::Create(&m_allocator);
}

CollectFilter::~CollectFilter()
{
    m_pin.reset();
    if (m_allocator) m_allocator->Release();
}

CollectFilter* CollectFilter::Create(CollectTarget* target, bool anyType)
{
    auto* filter = new CollectFilter(target, anyType);
    filter->AddRef();
    return filter;
}

CBasePin* CollectFilter::GetPin(int index) { return index == 0 ? Input() : nullptr; }

CBaseInputPin* CollectFilter::Input()
{
    CAutoLock hold(&m_lock);
    if (!m_pin) m_pin = std::make_unique<Pin>(this);
    return m_pin.get();
}
