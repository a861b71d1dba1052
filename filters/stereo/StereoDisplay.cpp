#include "StereoDisplay.h"

#include "SampleLength.h"
#include "StereoFramePass.h"
#include "StereoPairClsids.h"
#include "kernel.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const FilterClassInfo kStereoDisplayInfo{&CLSID_StereoDisplay, &CLSID_StereoDisplayProp, StereoDisplay::kSettingsSize};

} // namespace

StereoDisplay::StereoDisplay(IUnknown* outer, HRESULT* phr)
    : SettingsFilter(kStereoDisplayInfo, "Stereo Display", outer, CLSID_StereoDisplay)
{
    HRESULT hr = AddInputPin(u"Input 1");
    if (SUCCEEDED(hr)) hr = AddInputPin(u"Input 2");
    if (phr) *phr = hr;
}

StereoDisplay::~StereoDisplay() { EndStreamThread(); }

// ---- settings

STDMETHODIMP StereoDisplay::GetSwap(BYTE* swap)
{
    if (!swap) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *swap = m_swap ? 1 : 0;
    return S_OK;
}

STDMETHODIMP StereoDisplay::SetSwap(LONG swap)
{
    CAutoLock hold(&m_settingsLock);
    m_swap = swap != 0;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP StereoDisplay::GetVideoColour(LONG* videoColour)
{
    if (!videoColour) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *videoColour = m_videoColour;
    return S_OK;
}

// Takes effect at the next connection.
STDMETHODIMP StereoDisplay::SetVideoColour(LONG videoColour)
{
    CAutoLock hold(&m_settingsLock);
    m_videoColour = videoColour;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP StereoDisplay::GetFrameRate(LONG* frameRate)
{
    if (!frameRate) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *frameRate = m_frameRate;
    return S_OK;
}

STDMETHODIMP StereoDisplay::SetFrameRate(LONG frameRate)
{
    if (frameRate <= 0) return E_INVALIDARG;
    CAutoLock hold(&m_settingsLock);
    m_frameRate = frameRate;
    SetDirty(true);
    return S_OK;
}

void StereoDisplay::WriteSettings(SettingsWriter& writer)
{
    CAutoLock hold(&m_settingsLock);
    writer.Byte(m_swap ? 1 : 0);
    writer.Int32(m_videoColour);
    writer.Int32(m_frameRate);
}

// A stored rate of 0 or less is refused as SetFrameRate refuses it.
void StereoDisplay::ReadSettings(SettingsReader& reader)
{
    CAutoLock hold(&m_settingsLock);
    m_swap = reader.Byte() != 0;
    m_videoColour = reader.Int32();
    const LONG frameRate = reader.Int32();
    if (frameRate > 0) m_frameRate = frameRate;
}

// ---- types

const CMediaType* StereoDisplay::ConnectedInputType(int except) const
{
    for (int index = 0; index < InputCount(); ++index) {
        const MultiInputPin* pin = Input(index);
        if (index != except && pin && pin->IsConnected()) return &pin->CurrentMediaType();
    }
    return nullptr;
}

HRESULT StereoDisplay::CheckInputType(int index, const CMediaType* type)
{
    LONG videoColour;
    {
        CAutoLock hold(&m_settingsLock);
        videoColour = m_videoColour;
    }
    if (CheckVideoColourType(videoColour, type) != S_OK || CheckTopDownRows(type) != S_OK)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const VIDEOINFOHEADER* info = VideoInfoOf(*type);
    const LONGLONG frameBytes = DibImageBytes(info->bmiHeader);
    if (frameBytes <= 0 || frameBytes > kLargestSampleBytes) return VFW_E_TYPE_NOT_ACCEPTED;
    BufferStream* output = Output();
    if (output && output->IsConnected() && !SameVideoGeometry(*type, output->CurrentMediaType()))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const CMediaType* other = ConnectedInputType(index);
    if (other && !SameVideoGeometry(*type, *other)) return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

// Both stores start over, black, at the new size. Frames may be large, so
// running out of memory refuses the type instead of escaping as an exception.
HRESULT StereoDisplay::InputTypeSet(int, const CMediaType* type)
{
    const VIDEOINFOHEADER* info = type ? VideoInfoOf(*type) : nullptr;
    VideoFrameLayout layout;
    if (!info || !GetVideoFrameLayout(*type, layout)) return VFW_E_TYPE_NOT_ACCEPTED;
    const auto frameSize =
        static_cast<std::size_t>(std::clamp<LONGLONG>(DibImageBytes(info->bmiHeader), 0, kLargestSampleBytes));
    CAutoLock left(&m_left.lock);
    CAutoLock right(&m_right.lock);
    m_layout = layout;
    try {
        m_left.frame.assign(frameSize, 0);
        m_right.frame.assign(frameSize, 0);
    } catch (const std::bad_alloc&) {
        std::vector<BYTE>().swap(m_left.frame);
        std::vector<BYTE>().swap(m_right.frame);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT StereoDisplay::CheckOutputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    const CMediaType* input = ConnectedInputType();
    if (!input) return E_INVALIDARG;
    // The subtype must agree too: the same bit count in another layout
    // would be shown in the wrong colours.
    if (type->majortype != input->majortype || type->subtype != input->subtype || !SameVideoGeometry(*type, *input))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT StereoDisplay::GetOutputType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    if (position < 0) return E_INVALIDARG;
    const CMediaType* input = ConnectedInputType();
    if (!input) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = *input;
    return S_OK;
}

HRESULT StereoDisplay::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    if (!allocator || !request) return E_POINTER;
    std::size_t frameSize;
    {
        CAutoLock left(&m_left.lock);
        CAutoLock right(&m_right.lock);
        frameSize = m_left.frame.size();
    }
    // Empty stores: no input type yet, or no memory for its frames.
    if (frameSize == 0) return E_UNEXPECTED;
    if (BufferStream* output = Output()) {
        CMediaType& type = output->OutputType();
        if (type.formattype == FORMAT_VideoInfo && type.pbFormat && type.cbFormat >= sizeof(VIDEOINFOHEADER))
            reinterpret_cast<VIDEOINFOHEADER*>(type.pbFormat)->bmiHeader.biSizeImage = static_cast<DWORD>(frameSize);
    }
    request->cBuffers = 1;
    request->cbBuffer = static_cast<LONG>(frameSize);
    if (request->cbAlign <= 0) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    if (actual.cBuffers < 1 || actual.cbBuffer < static_cast<LONG>(frameSize)) return E_FAIL;
    return S_OK;
}

// ---- frames

StereoDisplay::FrameStore& StereoDisplay::StoreFor(int index)
{
    bool swap;
    {
        CAutoLock hold(&m_settingsLock);
        swap = m_swap;
    }
    return (index == 0) != swap ? m_left : m_right;
}

// A sample longer than a frame is cut to the frame; a shorter one fills the
// start of the store and leaves the rest as it was.
HRESULT StereoDisplay::ReceiveInput(int index, IMediaSample* sample)
{
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
    const std::size_t actual = UsableDataLength(sample);
    FrameStore& store = StoreFor(index);
    {
        CAutoLock hold(&store.lock);
        const std::size_t length = std::min(actual, store.frame.size());
        if (length) std::memcpy(store.frame.data(), data, length);
        m_newFrame = true;
    }
    Sleep(0);
    return S_OK;
}

void StereoDisplay::StreamStart()
{
    m_clock.Restart();
    m_newFrame = false;
}

int StereoDisplay::Fill(IMediaSample* sample)
{
    BYTE* out = nullptr;
    std::size_t length = 0;
    if (FAILED(sample->GetPointer(&out)) || !out || !ComposeNewFrame(out, sample->GetSize(), length)) {
        m_clock.Wait();
        return 1;
    }
    Sleep(0);
    LONG frameRate;
    {
        CAutoLock hold(&m_settingsLock);
        frameRate = m_frameRate;
    }
    m_clock.Stamp(sample, length, frameRate);
    return 0;
}

// Only when a frame arrived since the last one; the stores stay locked
// (left, then right) while they are read. The interleave and the green
// shift go in one pass, so the output is written once.
bool StereoDisplay::ComposeNewFrame(BYTE* out, LONG capacity, std::size_t& length)
{
    CAutoLock left(&m_left.lock);
    CAutoLock right(&m_right.lock);
    if (m_left.frame.empty() || !m_newFrame) return false;
    const auto room = static_cast<std::size_t>(std::max<LONG>(capacity, 0));
    length = std::min({room, m_left.frame.size(), m_right.frame.size()});
    if (m_layout.TopDown())
        ComposeStereoFrameTopDown(out, m_left.frame.data(), m_right.frame.data(), length, m_layout.bytesPerPixel,
                                  m_layout.RowBytes(), m_layout.Rows());
    else
        ComposeStereoFrame(out, m_left.frame.data(), m_right.frame.data(), length, m_layout.bytesPerPixel);
    m_newFrame = false;
    return true;
}
