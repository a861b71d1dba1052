#include "FrameRateController.h"

#include "BufferRequest.h"
#include "FxBankClsids.h"
#include "SampleLength.h"
#include "kernel.h"

#include <chrono>
#include <cstring>
#include <new>

namespace {

const FilterClassInfo kFrameRateControllerInfo{&CLSID_FrameControl, &CLSID_FrameControlProp,
                                              FrameRateController::kSettingsSize};

constexpr LONGLONG kUnitsPerSecond = 10'000'000;

LONGLONG ImageBytesOf(const AM_MEDIA_TYPE& type)
{
    const VIDEOINFOHEADER* info = VideoInfoOf(type);
    return info ? DibImageBytes(info->bmiHeader) : 0;
}

} // namespace

FrameRateController::FrameRateController(IUnknown* outer, HRESULT* phr)
    : SettingsFilter(kFrameRateControllerInfo, "Frame Rate Controller", outer, CLSID_FrameControl)
{
    if (phr) *phr = S_OK;
}

FrameRateController::~FrameRateController()
{
    SetStopping(true);
    EndStreamThread();
    ReleaseHeldSample();
}

// ---- settings

STDMETHODIMP FrameRateController::GetFrameRate(LONG* frameRate)
{
    if (!frameRate) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *frameRate = m_frameRate;
    return S_OK;
}

STDMETHODIMP FrameRateController::SetFrameRate(LONG frameRate)
{
    if (frameRate < 1) return E_INVALIDARG;
    CAutoLock hold(&m_settingsLock);
    m_frameRate = frameRate;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP FrameRateController::GetHoldSamples(BYTE* hold)
{
    if (!hold) return E_POINTER;
    CAutoLock locked(&m_settingsLock);
    *hold = m_holdSamples ? 1 : 0;
    return S_OK;
}

// Kept, not dropped, while the graph runs: the run goes on in its mode and
// the next one starts in the new mode.
STDMETHODIMP FrameRateController::SetHoldSamples(BYTE hold)
{
    CAutoLock locked(&m_settingsLock);
    m_holdSamples = hold != 0;
    SetDirty(true);
    return S_OK;
}

void FrameRateController::WriteSettings(SettingsWriter& writer)
{
    CAutoLock hold(&m_settingsLock);
    writer.Int32(m_frameRate);
    writer.Byte(m_holdSamples ? 1 : 0);
}

// A stored rate below 1 is refused as SetFrameRate refuses it.
void FrameRateController::ReadSettings(SettingsReader& reader)
{
    CAutoLock hold(&m_settingsLock);
    const LONG frameRate = reader.Int32();
    if (frameRate >= 1) m_frameRate = frameRate;
    m_holdSamples = reader.Byte() != 0;
}

// ---- state

HRESULT FrameRateController::StartStreaming()
{
    CAutoLock hold(&m_settingsLock);
    m_holding = m_holdSamples;
    if (m_holding) {
        std::vector<BYTE>().swap(m_copy);
        m_haveCopy = false;
    }
    return S_OK;
}

HRESULT FrameRateController::StopStreaming()
{
    ReleaseHeldSample();
    return S_OK;
}

void FrameRateController::ReleaseHeldSample()
{
    IMediaSample* held = nullptr;
    {
        CAutoLock hold(&m_settingsLock);
        std::swap(held, m_held);
    }
    if (held) held->Release();
}

STDMETHODIMP FrameRateController::Stop()
{
    SetStopping(true);
    const HRESULT hr = SettingsFilter::Stop();
    SetStopping(false);
    return hr;
}

void FrameRateController::SetStopping(bool stopping)
{
    {
        std::lock_guard<std::mutex> hold(m_waitMutex);
        m_stopping = stopping;
    }
    if (stopping) m_wake.notify_all();
}

void FrameRateController::WaitUnlessStopping(REFERENCE_TIME units)
{
    std::unique_lock<std::mutex> hold(m_waitMutex);
    m_wake.wait_for(hold, std::chrono::nanoseconds(units * 100), [this] { return m_stopping; });
}

// ---- frames

HRESULT FrameRateController::ReceiveInput(IMediaSample* sample)
{
    {
        CAutoLock hold(&m_settingsLock);
        if (m_holding) {
            sample->AddRef();
            std::swap(sample, m_held);
        } else {
            BYTE* data = nullptr;
            const std::size_t length = SUCCEEDED(sample->GetPointer(&data)) && data ? UsableDataLength(sample) : 0;
            sample = nullptr;
            try {
                if (m_copy.size() != length) m_copy.resize(length);
                if (length) std::memcpy(m_copy.data(), data, length);
                m_haveCopy = true;
            } catch (const std::bad_alloc&) {
                std::vector<BYTE>().swap(m_copy);
                m_haveCopy = false;
            }
        }
    }
    // The sample held before, released outside the lock.
    if (sample) sample->Release();
    Sleep(0);
    return S_OK;
}

const BYTE* FrameRateController::LatestFrame(std::size_t& length) const
{
    if (!m_holding) {
        length = m_copy.size();
        return m_haveCopy ? m_copy.data() : nullptr;
    }
    BYTE* data = nullptr;
    if (!m_held || FAILED(m_held->GetPointer(&data)) || !data) return nullptr;
    length = UsableDataLength(m_held);
    return data;
}

// Only a frame of exactly the output buffer's length goes out; until one has
// come, nothing does.
int FrameRateController::Fill(IMediaSample* sample)
{
    BYTE* out = nullptr;
    const std::size_t room = SUCCEEDED(sample->GetPointer(&out)) && out ? UsableDataLength(sample) : 0;
    bool filled = false;
    {
        CAutoLock hold(&m_settingsLock);
        std::size_t length = 0;
        const BYTE* frame = LatestFrame(length);
        if (frame && room && length == room) {
            std::memcpy(out, frame, length);
            StampFrame(sample);
            filled = true;
        }
    }
    Sleep(filled ? 0 : 1);
    return filled ? 0 : 1;
}

// Under the settings lock.
void FrameRateController::StampFrame(IMediaSample* sample)
{
    sample->SetPreroll(FALSE);
    sample->SetDiscontinuity(FALSE);
    sample->SetSyncPoint(FALSE);
    REFERENCE_TIME start = m_nextStart;
    REFERENCE_TIME stop = start + kUnitsPerSecond / m_frameRate;
    sample->SetTime(&start, &stop);
    m_nextStart = stop;
    sample->SetMediaTime(nullptr, nullptr);
}

void FrameRateController::StreamStart()
{
    {
        CAutoLock hold(&m_settingsLock);
        m_nextStart = 0;
    }
    m_pacer.Reset();
}

// Paced against each frame's due time rather than the cycle's length, so the
// mean rate is exact and a late frame does not delay the ones after it.
void FrameRateController::Delivered(REFERENCE_TIME)
{
    LONG frameRate;
    {
        CAutoLock hold(&m_settingsLock);
        frameRate = m_frameRate;
    }
    m_clock.Update();
    const REFERENCE_TIME wait = m_pacer.Delivered(m_clock.Read(), frameRate);
    if (wait > 0) WaitUnlessStopping(wait);
}

// ---- types

HRESULT FrameRateController::CheckInputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    if (type->majortype != MEDIATYPE_Video || type->subtype != MEDIASUBTYPE_RGB24) return VFW_E_TYPE_NOT_ACCEPTED;
    const LONGLONG bytes = ImageBytesOf(*type);
    return bytes > 0 && bytes <= kLargestSampleBytes ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT FrameRateController::CheckOutputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    const CMediaType* passed = PassedThroughType();
    if (!passed) return E_INVALIDARG;
    if (CheckInputType(type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    return type->cbFormat == passed->cbFormat && std::memcmp(type->pbFormat, passed->pbFormat, type->cbFormat) == 0
               ? S_OK
               : E_INVALIDARG;
}

HRESULT FrameRateController::GetOutputType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    if (position < 0) return E_INVALIDARG;
    BufferInputPin* input = Input();
    if (!input || !input->IsConnected()) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = input->CurrentMediaType();
    type->bFixedSizeSamples = TRUE;
    type->lSampleSize = static_cast<ULONG>(ImageBytesOf(*type));
    return S_OK;
}

LONGLONG FrameRateController::ImageBytes()
{
    BufferInputPin* input = Input();
    return input && input->IsConnected() ? ImageBytesOf(input->CurrentMediaType()) : 0;
}

HRESULT FrameRateController::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (!allocator || !request) return E_POINTER;
    const LONGLONG bytes = ImageBytes();
    if (bytes <= 0) return E_UNEXPECTED;
    return RequestOneBuffer(allocator, request, static_cast<LONG>(bytes));
}
