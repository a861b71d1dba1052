#include "push_source.h"

#include "kernel.h"

#include <algorithm>
#include <cstring>

class CPushSource::OutputStream final : public CSourceStream {
public:
    OutputStream(CPushSource* source, HRESULT* phr)
        : CSourceStream("Push source stream", phr, source, &source->m_lock, u"Output"), m_source(source)
    {
    }

    HRESULT GetMediaType(int position, CMediaType* type) override
    {
        const auto& types = m_source->m_config.types;
        if (position < 0) return E_INVALIDARG;
        if (static_cast<std::size_t>(position) >= types.size()) return VFW_S_NO_MORE_ITEMS;
        *type = types[static_cast<std::size_t>(position)];
        return S_OK;
    }

    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        const PushSourceConfig& config = m_source->m_config;
        LONG largest = config.bufferSize;
        if (largest == 0)
            for (const TestFrame& f : config.frames) largest = std::max(largest, static_cast<LONG>(f.data.size()));
        ALLOCATOR_PROPERTIES wanted = *request;
        wanted.cBuffers = std::max(request->cBuffers, config.buffers);
        wanted.cbBuffer = std::max({request->cbBuffer, largest, LONG{1}});
        ALLOCATOR_PROPERTIES actual{};
        const HRESULT hr = allocator->SetProperties(&wanted, &actual);
        if (FAILED(hr)) return hr;
        return actual.cbBuffer < wanted.cbBuffer ? E_FAIL : S_OK;
    }

protected:
    HRESULT OnThreadCreate() override
    {
        m_next = 0;
        return S_OK;
    }

    HRESULT FillBuffer(IMediaSample* sample) override
    {
        const PushSourceConfig& config = m_source->m_config;
        if (m_next >= config.frames.size()) {
            if (!config.loop || config.frames.empty()) return config.endOfStream ? S_FALSE : WaitForCommand();
            m_next = 0;
        }
        if (config.intervalMs && m_next > 0) Sleep(config.intervalMs);
        return Fill(sample, config.frames[m_next++]);
    }

    HRESULT Deliver(IMediaSample* sample) override
    {
        const HRESULT hr = CSourceStream::Deliver(sample);
        m_source->m_lastDelivery = hr;
        if (hr == S_OK) ++m_source->m_delivered;
        return hr;
    }

    HRESULT DeliverEndOfStream() override
    {
        return m_source->m_config.endOfStream ? CSourceStream::DeliverEndOfStream() : S_OK;
    }

private:
    // Without an end of stream the thread idles until a command comes.
    HRESULT WaitForCommand()
    {
        while (!CheckRequest(nullptr)) Sleep(1);
        return S_FALSE;
    }

    static HRESULT Fill(IMediaSample* sample, const TestFrame& frame)
    {
        BYTE* buffer = nullptr;
        sample->GetPointer(&buffer);
        const LONG length = static_cast<LONG>(frame.data.size());
        if (length > sample->GetSize()) return VFW_E_BUFFER_OVERFLOW;
        if (length) std::memcpy(buffer, frame.data.data(), frame.data.size());
        sample->SetActualDataLength(length);
        REFERENCE_TIME start = frame.start;
        REFERENCE_TIME stop = frame.stop;
        if (frame.timed)
            sample->SetTime(&start, frame.stopValid ? &stop : nullptr);
        else
            sample->SetTime(nullptr, nullptr);
        sample->SetSyncPoint(frame.syncPoint);
        sample->SetPreroll(frame.preroll);
        sample->SetDiscontinuity(frame.discontinuity);
        if (frame.type) {
            CMediaType type = *frame.type;
            return sample->SetMediaType(&type);
        }
        return S_OK;
    }

    CPushSource* const m_source;
    std::size_t m_next = 0;
};

CPushSource::CPushSource(PushSourceConfig config)
    : CBaseFilter("Push source", nullptr, &m_lock, GUID_NULL), m_config(std::move(config))
{
}

CPushSource::~CPushSource() = default;

CPushSource* CPushSource::Create(PushSourceConfig config)
{
    auto* source = new CPushSource(std::move(config));
    source->AddRef();
    return source;
}

CBasePin* CPushSource::GetPin(int index)
{
    return index == 0 ? Stream() : nullptr;
}

CSourceStream* CPushSource::Stream()
{
    CAutoLock hold(&m_lock);
    if (!m_stream) {
        HRESULT hr = S_OK;
        m_stream = std::make_unique<OutputStream>(this, &hr);
    }
    return m_stream.get();
}
