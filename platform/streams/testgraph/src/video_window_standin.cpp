#include "video_window_standin.h"

using Lock = std::lock_guard<std::mutex>;

VideoWindowState CVideoWindowStandIn::State() const
{
    Lock hold(m_mutex);
    VideoWindowState copy = m_state;
    if (copy.defaultSource) copy.source = DefaultSource();
    if (copy.defaultDestination) copy.destination = DefaultDestination();
    return copy;
}

void CVideoWindowStandIn::SetVideo(LONG width, LONG height, REFTIME avgTimePerFrame)
{
    Lock hold(m_mutex);
    m_state.videoWidth = width;
    m_state.videoHeight = height;
    m_state.avgTimePerFrame = avgTimePerFrame;
}

STDMETHODIMP CVideoWindowStandIn::GetTypeInfoCount(UINT* count)
{
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::GetTypeInfo(UINT, LCID, ITypeInfo** info)
{
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

HRESULT CVideoWindowStandIn::Put(LONG VideoWindowState::*field, LONG value)
{
    Lock hold(m_mutex);
    m_state.*field = value;
    return S_OK;
}

HRESULT CVideoWindowStandIn::Get(LONG VideoWindowState::*field, LONG* value)
{
    if (!value) return E_POINTER;
    Lock hold(m_mutex);
    *value = m_state.*field;
    return S_OK;
}

HRESULT CVideoWindowStandIn::PutGeometry(LONG VideoWindowState::*field, LONG value)
{
    Lock hold(m_mutex);
    m_state.*field = value;
    ++m_state.positionChanges;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::put_Caption(BSTR caption)
{
    Lock hold(m_mutex);
    m_state.caption = caption ? std::u16string(caption) : std::u16string();
    return S_OK;
}

// Handing out a BSTR needs the string allocator of automation, which no
// caller here has.
STDMETHODIMP CVideoWindowStandIn::get_Caption(BSTR* caption)
{
    if (!caption) return E_POINTER;
    *caption = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CVideoWindowStandIn::put_WindowStyle(LONG style) { return Put(&VideoWindowState::style, style); }
STDMETHODIMP CVideoWindowStandIn::get_WindowStyle(LONG* style) { return Get(&VideoWindowState::style, style); }
STDMETHODIMP CVideoWindowStandIn::put_WindowStyleEx(LONG style) { return Put(&VideoWindowState::styleEx, style); }
STDMETHODIMP CVideoWindowStandIn::get_WindowStyleEx(LONG* style) { return Get(&VideoWindowState::styleEx, style); }
STDMETHODIMP CVideoWindowStandIn::put_AutoShow(LONG v) { return Put(&VideoWindowState::autoShow, v); }
STDMETHODIMP CVideoWindowStandIn::get_AutoShow(LONG* v) { return Get(&VideoWindowState::autoShow, v); }
STDMETHODIMP CVideoWindowStandIn::put_WindowState(LONG v) { return Put(&VideoWindowState::windowState, v); }
STDMETHODIMP CVideoWindowStandIn::get_WindowState(LONG* v) { return Get(&VideoWindowState::windowState, v); }
STDMETHODIMP CVideoWindowStandIn::put_BackgroundPalette(LONG v) { return Put(&VideoWindowState::backgroundPalette, v); }
STDMETHODIMP CVideoWindowStandIn::get_BackgroundPalette(LONG* v) { return Get(&VideoWindowState::backgroundPalette, v); }
STDMETHODIMP CVideoWindowStandIn::put_Visible(LONG v) { return Put(&VideoWindowState::visible, v); }
STDMETHODIMP CVideoWindowStandIn::get_Visible(LONG* v) { return Get(&VideoWindowState::visible, v); }
STDMETHODIMP CVideoWindowStandIn::put_Left(LONG v) { return PutGeometry(&VideoWindowState::left, v); }
STDMETHODIMP CVideoWindowStandIn::get_Left(LONG* v) { return Get(&VideoWindowState::left, v); }
STDMETHODIMP CVideoWindowStandIn::put_Width(LONG v) { return PutGeometry(&VideoWindowState::width, v); }
STDMETHODIMP CVideoWindowStandIn::get_Width(LONG* v) { return Get(&VideoWindowState::width, v); }
STDMETHODIMP CVideoWindowStandIn::put_Top(LONG v) { return PutGeometry(&VideoWindowState::top, v); }
STDMETHODIMP CVideoWindowStandIn::get_Top(LONG* v) { return Get(&VideoWindowState::top, v); }
STDMETHODIMP CVideoWindowStandIn::put_Height(LONG v) { return PutGeometry(&VideoWindowState::height, v); }
STDMETHODIMP CVideoWindowStandIn::get_Height(LONG* v) { return Get(&VideoWindowState::height, v); }
STDMETHODIMP CVideoWindowStandIn::get_BorderColor(LONG* v) { return Get(&VideoWindowState::borderColor, v); }
STDMETHODIMP CVideoWindowStandIn::put_BorderColor(LONG v) { return Put(&VideoWindowState::borderColor, v); }
STDMETHODIMP CVideoWindowStandIn::get_FullScreenMode(LONG* v) { return Get(&VideoWindowState::fullScreen, v); }
STDMETHODIMP CVideoWindowStandIn::put_FullScreenMode(LONG v) { return Put(&VideoWindowState::fullScreen, v); }
STDMETHODIMP CVideoWindowStandIn::HideCursor(LONG v) { return Put(&VideoWindowState::cursorHidden, v); }
STDMETHODIMP CVideoWindowStandIn::IsCursorHidden(LONG* v) { return Get(&VideoWindowState::cursorHidden, v); }

STDMETHODIMP CVideoWindowStandIn::put_Owner(OAHWND owner)
{
    Lock hold(m_mutex);
    m_state.owner = owner;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::get_Owner(OAHWND* owner)
{
    if (!owner) return E_POINTER;
    Lock hold(m_mutex);
    *owner = m_state.owner;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::put_MessageDrain(OAHWND drain)
{
    Lock hold(m_mutex);
    m_state.messageDrain = drain;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::get_MessageDrain(OAHWND* drain)
{
    if (!drain) return E_POINTER;
    Lock hold(m_mutex);
    *drain = m_state.messageDrain;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::SetWindowPosition(LONG left, LONG top, LONG width, LONG height)
{
    Lock hold(m_mutex);
    m_state.left = left;
    m_state.top = top;
    m_state.width = width;
    m_state.height = height;
    ++m_state.positionChanges;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::GetWindowPosition(LONG* left, LONG* top, LONG* width, LONG* height)
{
    if (!left || !top || !width || !height) return E_POINTER;
    Lock hold(m_mutex);
    *left = m_state.left;
    *top = m_state.top;
    *width = m_state.width;
    *height = m_state.height;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::GetRestorePosition(LONG* left, LONG* top, LONG* width, LONG* height)
{
    return GetWindowPosition(left, top, width, height);
}

STDMETHODIMP CVideoWindowStandIn::GetMinIdealImageSize(LONG* width, LONG* height)
{
    return GetVideoSize(width, height);
}

STDMETHODIMP CVideoWindowStandIn::GetMaxIdealImageSize(LONG* width, LONG* height)
{
    return GetVideoSize(width, height);
}

// ---- IBasicVideo

RECT CVideoWindowStandIn::DefaultSource() const { return RECT{0, 0, m_state.videoWidth, m_state.videoHeight}; }

RECT CVideoWindowStandIn::DefaultDestination() const { return RECT{0, 0, m_state.width, m_state.height}; }

// The rectangle a setter changes: a default one becomes explicit first.
RECT& CVideoWindowStandIn::Rect(bool source)
{
    if (source && m_state.defaultSource) {
        m_state.source = DefaultSource();
        m_state.defaultSource = false;
    }
    if (!source && m_state.defaultDestination) {
        m_state.destination = DefaultDestination();
        m_state.defaultDestination = false;
    }
    return source ? m_state.source : m_state.destination;
}

HRESULT CVideoWindowStandIn::PutRectSide(bool source, LONG RECT::*side, LONG value)
{
    Lock hold(m_mutex);
    RECT& rect = Rect(source);
    // Moving an edge keeps the extent, as the published properties do.
    const bool horizontal = side == &RECT::left;
    const LONG extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    rect.*side = value;
    if (horizontal)
        rect.right = value + extent;
    else
        rect.bottom = value + extent;
    return S_OK;
}

HRESULT CVideoWindowStandIn::GetRectSide(bool source, LONG RECT::*side, LONG* value)
{
    if (!value) return E_POINTER;
    Lock hold(m_mutex);
    const bool isDefault = source ? m_state.defaultSource : m_state.defaultDestination;
    const RECT rect = isDefault ? (source ? DefaultSource() : DefaultDestination())
                                : (source ? m_state.source : m_state.destination);
    *value = rect.*side;
    return S_OK;
}

HRESULT CVideoWindowStandIn::PutRectExtent(bool source, bool horizontal, LONG extent)
{
    if (extent <= 0) return E_INVALIDARG;
    Lock hold(m_mutex);
    RECT& rect = Rect(source);
    if (horizontal)
        rect.right = rect.left + extent;
    else
        rect.bottom = rect.top + extent;
    return S_OK;
}

HRESULT CVideoWindowStandIn::GetRectExtent(bool source, bool horizontal, LONG* extent)
{
    if (!extent) return E_POINTER;
    Lock hold(m_mutex);
    const bool isDefault = source ? m_state.defaultSource : m_state.defaultDestination;
    const RECT rect = isDefault ? (source ? DefaultSource() : DefaultDestination())
                                : (source ? m_state.source : m_state.destination);
    *extent = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::get_AvgTimePerFrame(REFTIME* time)
{
    if (!time) return E_POINTER;
    Lock hold(m_mutex);
    *time = m_state.avgTimePerFrame;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::get_BitRate(LONG* rate)
{
    if (!rate) return E_POINTER;
    *rate = 0;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::get_BitErrorRate(LONG* rate) { return get_BitRate(rate); }
STDMETHODIMP CVideoWindowStandIn::get_VideoWidth(LONG* v) { return Get(&VideoWindowState::videoWidth, v); }
STDMETHODIMP CVideoWindowStandIn::get_VideoHeight(LONG* v) { return Get(&VideoWindowState::videoHeight, v); }

STDMETHODIMP CVideoWindowStandIn::put_SourceLeft(LONG v) { return PutRectSide(true, &RECT::left, v); }
STDMETHODIMP CVideoWindowStandIn::get_SourceLeft(LONG* v) { return GetRectSide(true, &RECT::left, v); }
STDMETHODIMP CVideoWindowStandIn::put_SourceWidth(LONG v) { return PutRectExtent(true, true, v); }
STDMETHODIMP CVideoWindowStandIn::get_SourceWidth(LONG* v) { return GetRectExtent(true, true, v); }
STDMETHODIMP CVideoWindowStandIn::put_SourceTop(LONG v) { return PutRectSide(true, &RECT::top, v); }
STDMETHODIMP CVideoWindowStandIn::get_SourceTop(LONG* v) { return GetRectSide(true, &RECT::top, v); }
STDMETHODIMP CVideoWindowStandIn::put_SourceHeight(LONG v) { return PutRectExtent(true, false, v); }
STDMETHODIMP CVideoWindowStandIn::get_SourceHeight(LONG* v) { return GetRectExtent(true, false, v); }
STDMETHODIMP CVideoWindowStandIn::put_DestinationLeft(LONG v) { return PutRectSide(false, &RECT::left, v); }
STDMETHODIMP CVideoWindowStandIn::get_DestinationLeft(LONG* v) { return GetRectSide(false, &RECT::left, v); }
STDMETHODIMP CVideoWindowStandIn::put_DestinationWidth(LONG v) { return PutRectExtent(false, true, v); }
STDMETHODIMP CVideoWindowStandIn::get_DestinationWidth(LONG* v) { return GetRectExtent(false, true, v); }
STDMETHODIMP CVideoWindowStandIn::put_DestinationTop(LONG v) { return PutRectSide(false, &RECT::top, v); }
STDMETHODIMP CVideoWindowStandIn::get_DestinationTop(LONG* v) { return GetRectSide(false, &RECT::top, v); }
STDMETHODIMP CVideoWindowStandIn::put_DestinationHeight(LONG v) { return PutRectExtent(false, false, v); }
STDMETHODIMP CVideoWindowStandIn::get_DestinationHeight(LONG* v) { return GetRectExtent(false, false, v); }

HRESULT CVideoWindowStandIn::SetPosition(bool source, LONG left, LONG top, LONG width, LONG height)
{
    if (width <= 0 || height <= 0) return E_INVALIDARG;
    Lock hold(m_mutex);
    Rect(source) = RECT{left, top, left + width, top + height};
    return S_OK;
}

HRESULT CVideoWindowStandIn::GetPosition(bool source, LONG* left, LONG* top, LONG* width, LONG* height)
{
    if (!left || !top || !width || !height) return E_POINTER;
    GetRectSide(source, &RECT::left, left);
    GetRectSide(source, &RECT::top, top);
    GetRectExtent(source, true, width);
    return GetRectExtent(source, false, height);
}

HRESULT CVideoWindowStandIn::UseDefault(bool source)
{
    Lock hold(m_mutex);
    (source ? m_state.defaultSource : m_state.defaultDestination) = true;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::SetSourcePosition(LONG l, LONG t, LONG w, LONG h) { return SetPosition(true, l, t, w, h); }
STDMETHODIMP CVideoWindowStandIn::GetSourcePosition(LONG* l, LONG* t, LONG* w, LONG* h) { return GetPosition(true, l, t, w, h); }
STDMETHODIMP CVideoWindowStandIn::SetDefaultSourcePosition() { return UseDefault(true); }
STDMETHODIMP CVideoWindowStandIn::SetDestinationPosition(LONG l, LONG t, LONG w, LONG h) { return SetPosition(false, l, t, w, h); }
STDMETHODIMP CVideoWindowStandIn::GetDestinationPosition(LONG* l, LONG* t, LONG* w, LONG* h) { return GetPosition(false, l, t, w, h); }
STDMETHODIMP CVideoWindowStandIn::SetDefaultDestinationPosition() { return UseDefault(false); }

STDMETHODIMP CVideoWindowStandIn::GetVideoSize(LONG* width, LONG* height)
{
    if (!width || !height) return E_POINTER;
    Lock hold(m_mutex);
    *width = m_state.videoWidth;
    *height = m_state.videoHeight;
    return S_OK;
}

STDMETHODIMP CVideoWindowStandIn::GetVideoPaletteEntries(LONG, LONG, LONG* retrieved, LONG*)
{
    if (retrieved) *retrieved = 0;
    return E_NOTIMPL;
}

STDMETHODIMP CVideoWindowStandIn::IsUsingDefaultSource()
{
    Lock hold(m_mutex);
    return m_state.defaultSource ? S_OK : S_FALSE;
}

STDMETHODIMP CVideoWindowStandIn::IsUsingDefaultDestination()
{
    Lock hold(m_mutex);
    return m_state.defaultDestination ? S_OK : S_FALSE;
}
