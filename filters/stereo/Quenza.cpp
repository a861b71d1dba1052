#include "Quenza.h"

#include "SampleLength.h"
#include "StereoPairClsids.h"
#include "TwoInputTypes.h"
#include "kernel.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#include <utility>

namespace {

const FilterClassInfo kQuenzaInfo{&CLSID_Quenza, &CLSID_QuenzaProp, kQuenzaDeclaredBytes, kQuenzaRecordBytes};

constexpr LONGLONG kUnitsPerSecond = 10'000'000;
constexpr LONG kDialogFrameStyle = 0x00400000;
// Child, clip siblings, clip children: the window without a frame.
constexpr LONG kFramelessStyle = 0x46000000;
// Overlapped window, clip siblings, clip children: the framed window.
constexpr LONG kFramedStyle = 0x06CF0000;

BYTE ColourComponent(LONG value) { return static_cast<BYTE>(std::clamp<LONG>(value, 0, 255)); }

int ClampToInt(long long value) { return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX)); }

} // namespace

Quenza::Quenza(IUnknown* outer, HRESULT* phr)
    : SettingsFilter(kQuenzaInfo, "Quenza", outer, CLSID_Quenza)
{
    HRESULT hr = AddInputPin(u"Input 1");
    if (SUCCEEDED(hr)) hr = AddInputPin(u"Input 2");
    if (phr) *phr = hr;
}

Quenza::~Quenza() { EndStreamThread(); }

// ---- settings

QuenzaSettings Quenza::Settings()
{
    CAutoLock hold(&m_settingsLock);
    return m_settings;
}

HRESULT Quenza::GetPair(LongPair QuenzaSettings::*pair, LONG* first, LONG* second)
{
    if (!first || !second) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *first = (m_settings.*pair).first;
    *second = (m_settings.*pair).second;
    return S_OK;
}

HRESULT Quenza::SetPair(LongPair QuenzaSettings::*pair, LONG first, LONG second)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.*pair = {first, second};
    SetDirty(true);
    return S_OK;
}

HRESULT Quenza::GetFlag(bool QuenzaSettings::*flag, BYTE* value)
{
    if (!value) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *value = m_settings.*flag ? 1 : 0;
    return S_OK;
}

HRESULT Quenza::SetFlag(bool QuenzaSettings::*flag, LONG value)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.*flag = value != 0;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Quenza::GetSwap(BYTE* swap) { return GetFlag(&QuenzaSettings::swap, swap); }
STDMETHODIMP Quenza::SetSwap(LONG swap) { return SetFlag(&QuenzaSettings::swap, swap); }

STDMETHODIMP Quenza::GetVideoColour(LONG* videoColour)
{
    if (!videoColour) return E_POINTER;
    *videoColour = Settings().videoColour;
    return S_OK;
}

// Takes effect at the next connection.
STDMETHODIMP Quenza::SetVideoColour(LONG videoColour)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.videoColour = videoColour;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Quenza::GetLeftOffset(LONG* x, LONG* y) { return GetPair(&QuenzaSettings::leftOffset, x, y); }
STDMETHODIMP Quenza::SetLeftOffset(LONG x, LONG y) { return SetPair(&QuenzaSettings::leftOffset, x, y); }
STDMETHODIMP Quenza::GetRightOffset(LONG* x, LONG* y) { return GetPair(&QuenzaSettings::rightOffset, x, y); }
STDMETHODIMP Quenza::SetRightOffset(LONG x, LONG y) { return SetPair(&QuenzaSettings::rightOffset, x, y); }
STDMETHODIMP Quenza::GetLeftAtInputSize(BYTE* value) { return GetFlag(&QuenzaSettings::leftAtInputSize, value); }
STDMETHODIMP Quenza::SetLeftAtInputSize(LONG value) { return SetFlag(&QuenzaSettings::leftAtInputSize, value); }
STDMETHODIMP Quenza::GetLeftSize(LONG* width, LONG* height) { return GetPair(&QuenzaSettings::leftSize, width, height); }
STDMETHODIMP Quenza::SetLeftSize(LONG width, LONG height) { return SetPair(&QuenzaSettings::leftSize, width, height); }
STDMETHODIMP Quenza::GetRightAtInputSize(BYTE* value) { return GetFlag(&QuenzaSettings::rightAtInputSize, value); }
STDMETHODIMP Quenza::SetRightAtInputSize(LONG value) { return SetFlag(&QuenzaSettings::rightAtInputSize, value); }
STDMETHODIMP Quenza::GetRightSize(LONG* width, LONG* height)
{
    return GetPair(&QuenzaSettings::rightSize, width, height);
}
STDMETHODIMP Quenza::SetRightSize(LONG width, LONG height)
{
    return SetPair(&QuenzaSettings::rightSize, width, height);
}

STDMETHODIMP Quenza::GetOutputResolution(LONG* resolution)
{
    if (!resolution) return E_POINTER;
    *resolution = Settings().resolution;
    return S_OK;
}

// Takes effect when the output type is next offered.
STDMETHODIMP Quenza::SetOutputResolution(LONG resolution)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.resolution = resolution;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Quenza::GetFrameRate(LONG* frameRate)
{
    if (!frameRate) return E_POINTER;
    *frameRate = Settings().frameRate;
    return S_OK;
}

// A rate of 0 or less would leave frames without a duration: refused.
STDMETHODIMP Quenza::SetFrameRate(LONG frameRate)
{
    if (frameRate <= 0) return E_INVALIDARG;
    CAutoLock hold(&m_settingsLock);
    m_settings.frameRate = frameRate;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Quenza::GetBackgroundColour(BYTE* red, BYTE* green, BYTE* blue)
{
    if (!red || !green || !blue) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *red = m_settings.red;
    *green = m_settings.green;
    *blue = m_settings.blue;
    return S_OK;
}

STDMETHODIMP Quenza::SetBackgroundColour(LONG red, LONG green, LONG blue)
{
    CAutoLock hold(&m_settingsLock);
    m_settings.red = ColourComponent(red);
    m_settings.green = ColourComponent(green);
    m_settings.blue = ColourComponent(blue);
    m_backgroundChanged = true;
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP Quenza::GetWindowPosition(LONG* x, LONG* y) { return GetPair(&QuenzaSettings::windowPosition, x, y); }
STDMETHODIMP Quenza::SetWindowPosition(LONG x, LONG y) { return SetPair(&QuenzaSettings::windowPosition, x, y); }
STDMETHODIMP Quenza::GetWindowAtOutputSize(BYTE* value) { return GetFlag(&QuenzaSettings::windowAtOutputSize, value); }
STDMETHODIMP Quenza::SetWindowAtOutputSize(LONG value) { return SetFlag(&QuenzaSettings::windowAtOutputSize, value); }
STDMETHODIMP Quenza::GetWindowSize(LONG* width, LONG* height)
{
    return GetPair(&QuenzaSettings::windowSize, width, height);
}
STDMETHODIMP Quenza::SetWindowSize(LONG width, LONG height)
{
    return SetPair(&QuenzaSettings::windowSize, width, height);
}

void Quenza::WriteSettings(SettingsWriter& writer)
{
    CAutoLock hold(&m_settingsLock);
    WriteQuenzaSettings(writer, m_settings);
}

void Quenza::ReadSettings(SettingsReader& reader)
{
    CAutoLock hold(&m_settingsLock);
    ReadQuenzaSettings(reader, m_settings);
    m_backgroundChanged = true;
}

// ---- the video window

// The settings are read first and the window is driven without the settings
// lock, so a graph that calls back into the filter cannot deadlock.
template <typename Operation>
HRESULT Quenza::WithVideoWindow(Operation operation)
{
    IFilterGraph* graph = Graph();
    if (!graph) return S_OK;
    IVideoWindow* window = nullptr;
    if (FAILED(graph->QueryInterface(IID_IVideoWindow, reinterpret_cast<void**>(&window))) || !window) return S_OK;
    operation(window, graph);
    window->Release();
    return S_OK;
}

STDMETHODIMP Quenza::FullScreen()
{
    return WithVideoWindow([](IVideoWindow* window, IFilterGraph*) { window->put_FullScreenMode(OATRUE); });
}

STDMETHODIMP Quenza::ToggleWindowFrame()
{
    return WithVideoWindow([](IVideoWindow* window, IFilterGraph*) {
        LONG style = 0;
        window->get_WindowStyle(&style);
        window->put_WindowStyle(style & kDialogFrameStyle ? kFramelessStyle : kFramedStyle);
    });
}

STDMETHODIMP Quenza::ApplyWindowPosition()
{
    const LongPair position = Settings().windowPosition;
    return WithVideoWindow([position](IVideoWindow* window, IFilterGraph*) {
        window->put_Left(position.first);
        window->put_Top(position.second);
    });
}

STDMETHODIMP Quenza::ApplyWindowSize()
{
    const QuenzaSettings settings = Settings();
    return WithVideoWindow([&settings](IVideoWindow* window, IFilterGraph* graph) {
        LONG width = settings.windowSize.first;
        LONG height = settings.windowSize.second;
        IBasicVideo* video = nullptr;
        if (settings.windowAtOutputSize &&
            SUCCEEDED(graph->QueryInterface(IID_IBasicVideo, reinterpret_cast<void**>(&video))) && video) {
            LONG videoWidth = 0;
            LONG videoHeight = 0;
            if (SUCCEEDED(video->GetVideoSize(&videoWidth, &videoHeight))) {
                width = videoWidth;
                height = videoHeight;
            }
            video->Release();
        }
        window->put_Width(width);
        window->put_Height(height);
    });
}

// ---- types

HRESULT Quenza::CheckInputType(int index, const CMediaType* type)
{
    return CheckTwoInputType(*this, index, Settings().videoColour, type, false);
}

// Only this input's store starts over, black, at its new size. Frames may be
// large, so running out of memory refuses the type.
HRESULT Quenza::InputTypeSet(int index, const CMediaType* type)
{
    const VIDEOINFOHEADER* info = type ? VideoInfoOf(*type) : nullptr;
    if (!info || index < 0 || index > 1) return VFW_E_TYPE_NOT_ACCEPTED;
    const auto frameSize =
        static_cast<std::size_t>(std::clamp<LONGLONG>(DibImageBytes(info->bmiHeader), 0, kLargestSampleBytes));
    CAutoLock first(&m_inputs[0].lock);
    CAutoLock second(&m_inputs[1].lock);
    InputStore& store = m_inputs[index];
    m_bytesPerPixel = info->bmiHeader.biBitCount / 8u;
    store.width = info->bmiHeader.biWidth;
    store.height = std::abs(info->bmiHeader.biHeight);
    try {
        store.frame.assign(frameSize, 0);
    } catch (const std::bad_alloc&) {
        std::vector<BYTE>().swap(store.frame);
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

// Any bottom-up frame of the inputs' format: the composition takes its size
// from the connection.
HRESULT Quenza::CheckOutputType(const CMediaType* type)
{
    if (!type) return E_POINTER;
    const CMediaType* input = ConnectedInputType(*this);
    if (!input) return E_INVALIDARG;
    const VIDEOINFOHEADER* info = VideoInfoOf(*type);
    const VIDEOINFOHEADER* inputInfo = VideoInfoOf(*input);
    if (type->majortype != MEDIATYPE_Video || type->subtype != input->subtype || !info || !inputInfo ||
        info->bmiHeader.biBitCount != inputInfo->bmiHeader.biBitCount || info->bmiHeader.biHeight <= 0)
        return VFW_E_TYPE_NOT_ACCEPTED;
    const LONGLONG frameBytes = DibImageBytes(info->bmiHeader);
    if (frameBytes <= 0 || frameBytes > kLargestSampleBytes) return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT Quenza::GetOutputType(int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    if (position < 0) return E_INVALIDARG;
    const CMediaType* input = ConnectedInputType(*this);
    const VIDEOINFOHEADER* inputInfo = input ? VideoInfoOf(*input) : nullptr;
    if (!inputInfo) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    const QuenzaSettings settings = Settings();
    const OutputResolution& resolution = OutputResolutionAt(settings.resolution);
    VIDEOINFOHEADER info{};
    info.AvgTimePerFrame = kUnitsPerSecond / settings.frameRate;
    BITMAPINFOHEADER& header = info.bmiHeader;
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = resolution.width;
    header.biHeight = resolution.height;
    header.biPlanes = 1;
    header.biBitCount = inputInfo->bmiHeader.biBitCount;
    header.biCompression = BI_RGB;
    header.biXPelsPerMeter = 2952;
    header.biYPelsPerMeter = 2952;
    header.biSizeImage = static_cast<DWORD>(DibImageBytes(header));
    CMediaType offered;
    offered.majortype = MEDIATYPE_Video;
    offered.subtype = header.biBitCount == 24 ? MEDIASUBTYPE_RGB24 : MEDIASUBTYPE_RGB555;
    offered.formattype = FORMAT_VideoInfo;
    offered.bFixedSizeSamples = TRUE;
    offered.bTemporalCompression = FALSE;
    offered.lSampleSize = header.biSizeImage;
    if (!offered.SetFormat(&info, sizeof info)) return E_OUTOFMEMORY;
    *type = offered;
    return S_OK;
}

HRESULT Quenza::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    BufferStream* output = Output();
    const VIDEOINFOHEADER* info = output ? output->OutputType().VideoInfo() : nullptr;
    if (!info) return E_UNEXPECTED;
    m_outputWidth = info->bmiHeader.biWidth;
    m_outputHeight = info->bmiHeader.biHeight;
    const LONGLONG frameBytes = std::clamp<LONGLONG>(DibImageBytes(info->bmiHeader), 0, kLargestSampleBytes);
    return DecideOneFrameBuffer(*this, allocator, request, static_cast<std::size_t>(frameBytes));
}

// ---- frames

// A sample longer than the store is cut to it; a shorter one replaces only
// the start of the picture.
HRESULT Quenza::ReceiveInput(int index, IMediaSample* sample)
{
    if (index < 0 || index > 1) return S_OK;
    BYTE* data = nullptr;
    if (FAILED(sample->GetPointer(&data)) || !data) return S_OK;
    const std::size_t actual = UsableDataLength(sample);
    InputStore& store = m_inputs[index];
    {
        CAutoLock hold(&store.lock);
        const std::size_t length = std::min(actual, store.frame.size());
        if (length) std::memcpy(store.frame.data(), data, length);
        m_newFrame = true;
    }
    Sleep(0);
    return S_OK;
}

// The background is made afresh for every run: the output may have been
// connected again at another size or depth.
void Quenza::StreamStart()
{
    m_clock.Restart();
    m_newFrame = false;
    CAutoLock hold(&m_settingsLock);
    m_backgroundChanged = true;
}

int Quenza::Fill(IMediaSample* sample)
{
    BYTE* out = nullptr;
    const std::size_t capacity = static_cast<std::size_t>(std::max<LONG>(sample->GetSize(), 0));
    LONG frameRate = 1;
    const std::size_t length =
        SUCCEEDED(sample->GetPointer(&out)) && out ? ComposeNewFrame(out, capacity, frameRate) : 0;
    if (length == 0) {
        m_clock.Wait();
        return 1;
    }
    Sleep(0);
    m_clock.Stamp(sample, length, frameRate);
    return 0;
}

std::size_t Quenza::ComposeNewFrame(BYTE* out, std::size_t capacity, LONG& frameRate)
{
    const int width = m_outputWidth;
    const int height = m_outputHeight;
    CAutoLock first(&m_inputs[0].lock);
    CAutoLock second(&m_inputs[1].lock);
    if (m_inputs[0].frame.empty() || m_inputs[1].frame.empty() || !m_newFrame || width <= 0 || height <= 0)
        return 0;
    QuenzaSettings settings;
    bool backgroundChanged;
    {
        CAutoLock hold(&m_settingsLock);
        settings = m_settings;
        backgroundChanged = std::exchange(m_backgroundChanged, false);
    }
    const std::size_t frameBytes = std::min(capacity, static_cast<std::size_t>(width) * height * m_bytesPerPixel);
    Compose({out, frameBytes, width, height, m_bytesPerPixel}, settings, backgroundChanged);
    m_newFrame = false;
    frameRate = settings.frameRate;
    return frameBytes;
}

// Background, then the left picture at its offset and the right one after
// the left picture's right end. The background goes only where the pictures
// leave the frame uncovered, which saves a whole pass over the frame when
// they fill it. Caller holds both store locks.
void Quenza::Compose(const QuenzaFrame& frame, const QuenzaSettings& settings, bool backgroundChanged)
{
    if (backgroundChanged || m_background.size() != frame.bytes)
        BuildBackground(m_background, frame.bytes, frame.bytesPerPixel, settings.red, settings.green, settings.blue);

    const InputStore& left = m_inputs[settings.swap ? 1 : 0];
    const InputStore& right = m_inputs[settings.swap ? 0 : 1];
    const QuenzaPicture leftPicture{left.frame.data(), left.frame.size(), left.width, left.height};
    const QuenzaPicture rightPicture{right.frame.data(), right.frame.size(), right.width, right.height};
    const QuenzaPlacement leftAt{settings.leftOffset.first, settings.leftOffset.second,
                                 settings.leftAtInputSize ? left.width : settings.leftSize.first,
                                 settings.leftAtInputSize ? left.height : settings.leftSize.second};
    const QuenzaPlacement rightAt{
        ClampToInt(static_cast<long long>(leftAt.x) + leftAt.width + settings.rightOffset.first),
        settings.rightOffset.second, settings.rightAtInputSize ? right.width : settings.rightSize.first,
        settings.rightAtInputSize ? right.height : settings.rightSize.second};
    const QuenzaRect covered[2] = {CoveredRect(frame, leftPicture, leftAt), CoveredRect(frame, rightPicture, rightAt)};
    CopyBackgroundAround(frame, m_background.data(), covered, 2);
    DrawPicture(frame, leftPicture, leftAt, m_columnMap);
    DrawPicture(frame, rightPicture, rightAt, m_columnMap);
}
