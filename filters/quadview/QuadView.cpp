#include "QuadView.h"

#include "QuadViewClsids.h"
#include "SampleLength.h"
#include "media_type.h"

#include <algorithm>
#include <new>

namespace {

const FilterClassInfo kQuadViewInfo{&CLSID_QuadView, &CLSID_QuadViewProp, QuadView::kSettingsSize};

bool PixelFormatOf(const GUID& subtype, QuadPixelFormat& format)
{
    if (subtype == MEDIASUBTYPE_RGB24)
        format = QuadPixelFormat::Rgb24;
    else if (subtype == MEDIASUBTYPE_RGB565)
        format = QuadPixelFormat::Rgb565;
    else if (subtype == MEDIASUBTYPE_RGB555)
        format = QuadPixelFormat::Rgb555;
    else
        return false;
    return true;
}

// False unless the type is a whole VIDEOINFOHEADER of one of the three RGB
// subtypes, with the subtype's bit count and a frame one sample can hold:
// the pixel passes rely on all of it.
bool GeometryOf(const AM_MEDIA_TYPE& type, QuadGeometry& geometry)
{
    const VIDEOINFOHEADER* info = VideoInfoOf(type);
    if (type.formattype != FORMAT_VideoInfo || !info || !PixelFormatOf(type.subtype, geometry.format)) return false;
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biBitCount != 8 * BytesPerPixel(geometry.format) || header.biWidth <= 0 || header.biHeight == 0)
        return false;
    if (DibImageBytes(header) > kLargestSampleBytes) return false;
    geometry.width = static_cast<std::size_t>(header.biWidth);
    geometry.height = static_cast<std::size_t>(header.biHeight < 0 ? -static_cast<LONGLONG>(header.biHeight)
                                                                   : header.biHeight);
    geometry.topDown = header.biHeight < 0;
    return true;
}

} // namespace

QuadView::QuadView(IUnknown* outer, HRESULT* phr)
    : SettingsFilter(kQuadViewInfo, "QuadView", outer, CLSID_QuadView, kInputs)
{
    if (phr) *phr = WorkerRunning() ? S_OK : E_OUTOFMEMORY;
}

QuadView::~QuadView() { EndWorker(); }

// ---- settings

STDMETHODIMP QuadView::GetTimeBase(LONG* choice)
{
    if (!choice) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *choice = m_timeBaseChoice;
    return S_OK;
}

STDMETHODIMP QuadView::SetTimeBase(LONG choice)
{
    CAutoLock hold(&m_settingsLock);
    if (choice == m_timeBaseChoice) return S_OK;
    m_timeBaseChoice = choice;
    ApplyTimeBase(choice);
    SetDirty(true);
    return S_OK;
}

// A choice that names no input leaves the framework's input as it was.
void QuadView::ApplyTimeBase(LONG choice)
{
    if (choice == kOwnClockChoice)
        SetTimeBaseInput(-1);
    else if (choice >= 0)
        SetTimeBaseInput(static_cast<int>(std::min<LONG>(choice, kInputs)));
}

STDMETHODIMP QuadView::GetZeroTimestamps(BYTE* zero)
{
    if (!zero) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *zero = ZeroTimestamps() ? 1 : 0;
    return S_OK;
}

STDMETHODIMP QuadView::SetZeroTimestamps(BYTE zero)
{
    CAutoLock hold(&m_settingsLock);
    if ((zero != 0) == ZeroTimestamps()) return S_OK;
    CTransformNFilter::SetZeroTimestamps(zero != 0);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP QuadView::GetTimeOffset(LONG* offsetMs)
{
    if (!offsetMs) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *offsetMs = TimeOffset();
    return S_OK;
}

STDMETHODIMP QuadView::SetTimeOffset(LONG offsetMs)
{
    CAutoLock hold(&m_settingsLock);
    if (offsetMs == TimeOffset()) return S_OK;
    CTransformNFilter::SetTimeOffset(offsetMs);
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP QuadView::GetBackgroundColor(LONG* colour)
{
    if (!colour) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *colour = m_background;
    return S_OK;
}

// Under the settings lock the composition holds, so no frame shows two colours.
STDMETHODIMP QuadView::SetBackgroundColor(LONG colour)
{
    CAutoLock hold(&m_settingsLock);
    if (colour == m_background) return S_OK;
    m_background = colour;
    RefillBackground();
    SetDirty(true);
    return S_OK;
}

STDMETHODIMP QuadView::GetMaxFrameRate(LONG* rate)
{
    if (!rate) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *rate = MaxFrameRate();
    return S_OK;
}

STDMETHODIMP QuadView::SetMaxFrameRate(LONG rate)
{
    CAutoLock hold(&m_settingsLock);
    const LONG interval = FrameIntervalMs();
    CTransformNFilter::SetMaxFrameRate(rate);
    if (FrameIntervalMs() != interval) SetDirty(true);
    return S_OK;
}

STDMETHODIMP QuadView::GetBorderLines(BYTE* show)
{
    if (!show) return E_POINTER;
    CAutoLock hold(&m_settingsLock);
    *show = m_borderLines ? 1 : 0;
    return S_OK;
}

STDMETHODIMP QuadView::SetBorderLines(BYTE show)
{
    CAutoLock hold(&m_settingsLock);
    if ((show != 0) == m_borderLines) return S_OK;
    m_borderLines = show != 0;
    SetDirty(true);
    return S_OK;
}

// Time base (4), zero time stamps (1), offset (4), background (4), rate (4),
// border lines (1).
void QuadView::WriteSettings(SettingsWriter& writer)
{
    CAutoLock hold(&m_settingsLock);
    writer.Int32(m_timeBaseChoice);
    writer.Byte(ZeroTimestamps() ? 1 : 0);
    writer.Int32(TimeOffset());
    writer.Int32(m_background);
    writer.Int32(MaxFrameRate());
    writer.Byte(m_borderLines ? 1 : 0);
}

// The rate goes through the clamping setter. The background is refilled at
// once, so a loaded colour shows as soon as a quarter needs it.
void QuadView::ReadSettings(SettingsReader& reader)
{
    CAutoLock hold(&m_settingsLock);
    m_timeBaseChoice = reader.Int32();
    const bool zero = reader.Byte() != 0;
    const LONG offset = reader.Int32();
    m_background = reader.Int32();
    const LONG rate = reader.Int32();
    m_borderLines = reader.Byte() != 0;
    CTransformNFilter::SetMaxFrameRate(rate);
    CTransformNFilter::SetZeroTimestamps(zero);
    CTransformNFilter::SetTimeOffset(offset);
    ApplyTimeBase(m_timeBaseChoice);
    RefillBackground();
}

// ---- types

HRESULT QuadView::CheckInputType(int, const CMediaType* type)
{
    QuadGeometry geometry;
    return GeometryOf(*type, geometry) ? S_OK : E_INVALIDARG;
}

HRESULT QuadView::CheckOutputType(const CMediaType* type)
{
    const CMediaType* input = FirstConnectedInputType();
    QuadGeometry geometry;
    if (!input || !GeometryOf(*type, geometry) || !SameVideoSubtypeAndSize(*type, *input)) return E_INVALIDARG;
    return S_OK;
}

HRESULT QuadView::GetOutputType(int position, CMediaType* type)
{
    if (position < 0) return E_INVALIDARG;
    const CMediaType* input = FirstConnectedInputType();
    if (!input) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = *input;
    type->lSampleSize = static_cast<ULONG>(DibImageBytes(VideoInfoOf(*input)->bmiHeader));
    return S_OK;
}

HRESULT QuadView::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    const CTransformNOutputPin* output = OutputPin();
    QuadGeometry geometry;
    if (!output || !GeometryOf(output->CurrentMediaType(), geometry)) return E_UNEXPECTED;
    const LONG bitmapBytes = static_cast<LONG>(DibImageBytes(VideoInfoOf(output->CurrentMediaType())->bmiHeader));
    request->cBuffers = 1;
    request->cbBuffer = bitmapBytes;
    if (request->cbAlign <= 0) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    if (actual.cBuffers < 1 || actual.cbBuffer < bitmapBytes) return E_FAIL;

    CAutoLock hold(&m_settingsLock);
    m_hasGeometry = false;
    try {
        m_backgroundRow.assign(geometry.RowBytes(), 0);
    } catch (const std::bad_alloc&) {
        return E_FAIL;
    }
    m_geometry = geometry;
    m_hasGeometry = true;
    RefillBackground();
    m_freshBuffers = actual.cBuffers;
    m_missing.fill(0);
    return S_OK;
}

// ---- composition

void QuadView::RefillBackground()
{
    if (m_hasGeometry)
        FillBackground(m_backgroundRow.data(), m_backgroundRow.size(), m_geometry.format, static_cast<int>(m_background));
}

// A sample too short for a whole frame is not drawn: the averaging reads
// whole rows.
const BYTE* QuadView::DrawableFrame(IMediaSample* sample) const
{
    BYTE* data = nullptr;
    if (!sample || FAILED(sample->GetPointer(&data)) || !data) return nullptr;
    return UsableDataLength(sample) >= m_geometry.FrameBytes() ? data : nullptr;
}

// The quarter keeps the input's last picture until the 15th output in a
// row without a sample; a buffer never drawn into starts as background.
void QuadView::ShowMissingInput(BYTE* frame, int quarter, bool freshBuffer)
{
    int& missing = m_missing[static_cast<std::size_t>(quarter)];
    if (missing == kMissingOutputsBeforeBackground) {
        missing = 0;
        PaintQuarter(frame, m_geometry, quarter, m_backgroundRow.data());
        return;
    }
    ++missing;
    if (freshBuffer) PaintQuarter(frame, m_geometry, quarter, m_backgroundRow.data());
}

HRESULT QuadView::Compose(IMediaSample* const* inputs, IMediaSample* output)
{
    CAutoLock hold(&m_settingsLock);
    BYTE* frame = nullptr;
    if (!m_hasGeometry || FAILED(output->GetPointer(&frame)) || !frame) return E_UNEXPECTED;
    if (static_cast<std::size_t>(std::max<LONG>(output->GetSize(), 0)) < m_geometry.FrameBytes()) return E_FAIL;
    std::array<const BYTE*, kInputs> sources{};
    for (int k = 0; k < kInputs; ++k) sources[static_cast<std::size_t>(k)] = DrawableFrame(inputs[k]);
    if (std::none_of(sources.begin(), sources.end(), [](const BYTE* s) { return s != nullptr; })) return S_FALSE;

    const bool freshBuffer = m_freshBuffers > 0;
    if (freshBuffer) --m_freshBuffers;
    for (int k = 0; k < kInputs; ++k) {
        if (const BYTE* source = sources[static_cast<std::size_t>(k)]) {
            m_missing[static_cast<std::size_t>(k)] = 0;
            DrawQuarter(frame, m_geometry, k, source);
        } else {
            ShowMissingInput(frame, k, freshBuffer);
        }
    }
    PaintSpareEdges(frame, m_geometry, m_backgroundRow.data());
    if (m_borderLines) DrawCross(frame, m_geometry);
    output->SetActualDataLength(static_cast<LONG>(m_geometry.FrameBytes()));
    return S_OK;
}
