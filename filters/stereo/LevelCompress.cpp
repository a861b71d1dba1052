#include "LevelCompress.h"

#include "SampleLength.h"
#include "StereoPairClsids.h"
#include "TwoInputTypes.h"
#include "kernel.h"

#include <algorithm>
#include <new>

namespace {

const FilterClassInfo kLevelCompressInfo{&CLSID_LevelCompress, &CLSID_LevelCompressProp, LevelCompress::kSettingsSize};

} // namespace

LevelCompress::LevelCompress(IUnknown* outer, HRESULT* phr)
    : SwapColourRateFilter(kLevelCompressInfo, "Level Compressor", outer, CLSID_LevelCompress)
{
    HRESULT hr = AddInputPin(u"Input 1");
    if (SUCCEEDED(hr)) hr = AddInputPin(u"Input 2");
    if (phr) *phr = hr;
}

LevelCompress::~LevelCompress() { EndStreamThread(); }

// ---- settings

STDMETHODIMP LevelCompress::GetCompressionMode(LONG* mode)
{
    if (!mode) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *mode = m_mode;
    return S_OK;
}

STDMETHODIMP LevelCompress::SetCompressionMode(LONG mode)
{
    if (mode != kBitmapMode && mode != kMemoryMode) return E_INVALIDARG;
    {
        CAutoLock hold(&m_settingsLock);
        m_mode = mode;
    }
    BufferStream* output = Output();
    if (IsStopped() && output && output->IsConnected()) return Rebuild(mode, output->CurrentMediaType());
    return S_OK;
}

// ---- types

HRESULT LevelCompress::CheckInputType(int index, const CMediaType* type)
{
    return CheckTwoInputType(*this, index, VideoColour(), type, true);
}

HRESULT LevelCompress::InputTypeSet(int, const CMediaType* type)
{
    if (!type || !VideoInfoOf(*type)) return VFW_E_TYPE_NOT_ACCEPTED;
    LONG mode;
    {
        CAutoLock hold(&m_settingsLock);
        mode = m_mode;
    }
    return Rebuild(mode, *type);
}

// Frames may be large, so running out of memory (or device bitmaps) refuses
// the type instead of escaping as an exception.
HRESULT LevelCompress::Rebuild(LONG mode, const CMediaType& type)
{
    const VIDEOINFOHEADER* info = VideoInfoOf(type);
    if (!info) return VFW_E_TYPE_NOT_ACCEPTED;
    CAutoLock hold(&m_frameLock);
    m_bitmaps.Release();
    std::vector<BYTE>().swap(m_composition);
    m_frameBytes = 0;
    m_builtMode = mode;
    if (!GetVideoFrameLayout(type, m_layout)) return VFW_E_TYPE_NOT_ACCEPTED;
    const auto frameBytes =
        static_cast<std::size_t>(std::clamp<LONGLONG>(DibImageBytes(info->bmiHeader), 0, kLargestSampleBytes));
    if (mode == kBitmapMode) {
        if (!m_bitmaps.Create(info->bmiHeader)) return E_OUTOFMEMORY;
    } else {
        try {
            m_composition.assign(frameBytes, 0);
        } catch (const std::bad_alloc&) {
            return E_OUTOFMEMORY;
        }
    }
    m_frameBytes = frameBytes;
    return S_OK;
}

HRESULT LevelCompress::CheckOutputType(const CMediaType* type) { return CheckCopiedOutputType(*this, type); }

HRESULT LevelCompress::GetOutputType(int position, CMediaType* type)
{
    return GetCopiedOutputType(*this, position, type);
}

HRESULT LevelCompress::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    std::size_t frameBytes;
    {
        CAutoLock hold(&m_frameLock);
        frameBytes = m_frameBytes;
    }
    return DecideOneFrameBuffer(*this, allocator, request, frameBytes);
}

// ---- frames

FrameHalf LevelCompress::HalfFor(int index) { return (index == 0) != Swap() ? FrameHalf::Left : FrameHalf::Right; }

HRESULT LevelCompress::ReceiveInput(int index, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
    const std::size_t length = UsableDataLength(sample);
    const FrameHalf half = HalfFor(index);
    {
        CAutoLock hold(&m_frameLock);
        if (m_frameBytes == 0) return S_OK;
        if (m_builtMode == kBitmapMode)
            m_bitmaps.PutSide(half, data, length);
        else
            CompressIntoHalf(m_composition.data(), m_composition.size(), data, length,
                             static_cast<std::size_t>(m_layout.width), m_layout.bytesPerPixel, m_layout.RowBytes(),
                             half);
        m_newFrame = true;
    }
    Sleep(0);
    return S_OK;
}

void LevelCompress::StreamStart()
{
    m_clock.Restart();
    CAutoLock hold(&m_frameLock);
    m_newFrame = false;
}

int LevelCompress::Fill(IMediaSample* sample)
{
    BYTE* out = nullptr;
    const std::size_t capacity = static_cast<std::size_t>(std::max<LONG>(sample->GetSize(), 0));
    const std::size_t length =
        SUCCEEDED(sample->GetPointer(&out)) && out ? ComposeNewFrame(out, capacity) : 0;
    if (length == 0) {
        m_clock.Wait();
        return 1;
    }
    Sleep(0);
    m_clock.Stamp(sample, length, FrameRate());
    return 0;
}

std::size_t LevelCompress::ComposeNewFrame(BYTE* out, std::size_t capacity)
{
    CAutoLock hold(&m_frameLock);
    if (!m_newFrame || m_frameBytes == 0) return 0;
    std::size_t length;
    if (m_builtMode == kBitmapMode) {
        length = m_bitmaps.Compose(out, capacity);
    } else {
        length = std::min(capacity, m_composition.size());
        CopyComposition(out, m_composition.data(), length);
    }
    m_newFrame = false;
    return length;
}
