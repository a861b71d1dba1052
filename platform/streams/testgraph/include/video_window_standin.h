// What a filter graph with a video renderer answers through IVideoWindow and
// IBasicVideo, without a window: every setting is recorded so a test can
// check what a filter asked for. It is part of its graph: references and
// QueryInterface go to the graph.
#pragma once

#include "video_window.h"

#include <mutex>
#include <string>

struct VideoWindowState {
    LONG left = 0;
    LONG top = 0;
    LONG width = 320;
    LONG height = 240;
    LONG style = 0;
    LONG styleEx = 0;
    LONG windowState = 0;
    LONG autoShow = OATRUE;
    LONG visible = OAFALSE;
    LONG fullScreen = OAFALSE;
    LONG borderColor = 0;
    LONG backgroundPalette = OAFALSE;
    LONG cursorHidden = OAFALSE;
    OAHWND owner = 0;
    OAHWND messageDrain = 0;
    std::u16string caption;
    int positionChanges = 0;  // SetWindowPosition and the put_ geometry calls
    // IBasicVideo: the video's own size and the rectangles taken from it.
    LONG videoWidth = 0;
    LONG videoHeight = 0;
    REFTIME avgTimePerFrame = 0;
    RECT source{};
    RECT destination{};
    bool defaultSource = true;
    bool defaultDestination = true;
};

class CVideoWindowStandIn final : public IVideoWindow, public IBasicVideo {
public:
    explicit CVideoWindowStandIn(IUnknown* owner) : m_owner(owner) {}

    VideoWindowState State() const;
    // What the renderer would report for its connected video.
    void SetVideo(LONG width, LONG height, REFTIME avgTimePerFrame);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override { return m_owner->QueryInterface(riid, ppv); }
    STDMETHODIMP_(ULONG) AddRef() override { return m_owner->AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return m_owner->Release(); }

    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override
    {
        return E_NOTIMPL;
    }

    // IVideoWindow
    STDMETHODIMP put_Caption(BSTR caption) override;
    STDMETHODIMP get_Caption(BSTR* caption) override;
    STDMETHODIMP put_WindowStyle(LONG style) override;
    STDMETHODIMP get_WindowStyle(LONG* style) override;
    STDMETHODIMP put_WindowStyleEx(LONG style) override;
    STDMETHODIMP get_WindowStyleEx(LONG* style) override;
    STDMETHODIMP put_AutoShow(LONG autoShow) override;
    STDMETHODIMP get_AutoShow(LONG* autoShow) override;
    STDMETHODIMP put_WindowState(LONG state) override;
    STDMETHODIMP get_WindowState(LONG* state) override;
    STDMETHODIMP put_BackgroundPalette(LONG realize) override;
    STDMETHODIMP get_BackgroundPalette(LONG* realize) override;
    STDMETHODIMP put_Visible(LONG visible) override;
    STDMETHODIMP get_Visible(LONG* visible) override;
    STDMETHODIMP put_Left(LONG left) override;
    STDMETHODIMP get_Left(LONG* left) override;
    STDMETHODIMP put_Width(LONG width) override;
    STDMETHODIMP get_Width(LONG* width) override;
    STDMETHODIMP put_Top(LONG top) override;
    STDMETHODIMP get_Top(LONG* top) override;
    STDMETHODIMP put_Height(LONG height) override;
    STDMETHODIMP get_Height(LONG* height) override;
    STDMETHODIMP put_Owner(OAHWND owner) override;
    STDMETHODIMP get_Owner(OAHWND* owner) override;
    STDMETHODIMP put_MessageDrain(OAHWND drain) override;
    STDMETHODIMP get_MessageDrain(OAHWND* drain) override;
    STDMETHODIMP get_BorderColor(LONG* color) override;
    STDMETHODIMP put_BorderColor(LONG color) override;
    STDMETHODIMP get_FullScreenMode(LONG* fullScreen) override;
    STDMETHODIMP put_FullScreenMode(LONG fullScreen) override;
    STDMETHODIMP SetWindowForeground(LONG) override { return S_OK; }
    STDMETHODIMP NotifyOwnerMessage(OAHWND, LONG, LONG_PTR, LONG_PTR) override { return S_OK; }
    STDMETHODIMP SetWindowPosition(LONG left, LONG top, LONG width, LONG height) override;
    STDMETHODIMP GetWindowPosition(LONG* left, LONG* top, LONG* width, LONG* height) override;
    STDMETHODIMP GetMinIdealImageSize(LONG* width, LONG* height) override;
    STDMETHODIMP GetMaxIdealImageSize(LONG* width, LONG* height) override;
    STDMETHODIMP GetRestorePosition(LONG* left, LONG* top, LONG* width, LONG* height) override;
    STDMETHODIMP HideCursor(LONG hide) override;
    STDMETHODIMP IsCursorHidden(LONG* hidden) override;

    // IBasicVideo
    STDMETHODIMP get_AvgTimePerFrame(REFTIME* time) override;
    STDMETHODIMP get_BitRate(LONG* rate) override;
    STDMETHODIMP get_BitErrorRate(LONG* rate) override;
    STDMETHODIMP get_VideoWidth(LONG* width) override;
    STDMETHODIMP get_VideoHeight(LONG* height) override;
    STDMETHODIMP put_SourceLeft(LONG left) override;
    STDMETHODIMP get_SourceLeft(LONG* left) override;
    STDMETHODIMP put_SourceWidth(LONG width) override;
    STDMETHODIMP get_SourceWidth(LONG* width) override;
    STDMETHODIMP put_SourceTop(LONG top) override;
    STDMETHODIMP get_SourceTop(LONG* top) override;
    STDMETHODIMP put_SourceHeight(LONG height) override;
    STDMETHODIMP get_SourceHeight(LONG* height) override;
    STDMETHODIMP put_DestinationLeft(LONG left) override;
    STDMETHODIMP get_DestinationLeft(LONG* left) override;
    STDMETHODIMP put_DestinationWidth(LONG width) override;
    STDMETHODIMP get_DestinationWidth(LONG* width) override;
    STDMETHODIMP put_DestinationTop(LONG top) override;
    STDMETHODIMP get_DestinationTop(LONG* top) override;
    STDMETHODIMP put_DestinationHeight(LONG height) override;
    STDMETHODIMP get_DestinationHeight(LONG* height) override;
    STDMETHODIMP SetSourcePosition(LONG left, LONG top, LONG width, LONG height) override;
    STDMETHODIMP GetSourcePosition(LONG* left, LONG* top, LONG* width, LONG* height) override;
    STDMETHODIMP SetDefaultSourcePosition() override;
    STDMETHODIMP SetDestinationPosition(LONG left, LONG top, LONG width, LONG height) override;
    STDMETHODIMP GetDestinationPosition(LONG* left, LONG* top, LONG* width, LONG* height) override;
    STDMETHODIMP SetDefaultDestinationPosition() override;
    STDMETHODIMP GetVideoSize(LONG* width, LONG* height) override;
    STDMETHODIMP GetVideoPaletteEntries(LONG, LONG, LONG* retrieved, LONG*) override;
    STDMETHODIMP GetCurrentImage(LONG*, LONG*) override { return E_NOTIMPL; }
    STDMETHODIMP IsUsingDefaultSource() override;
    STDMETHODIMP IsUsingDefaultDestination() override;

private:
    HRESULT Put(LONG VideoWindowState::*field, LONG value);
    HRESULT Get(LONG VideoWindowState::*field, LONG* value);
    HRESULT PutGeometry(LONG VideoWindowState::*field, LONG value);
    HRESULT PutRectSide(bool source, LONG RECT::*side, LONG value);
    HRESULT GetRectSide(bool source, LONG RECT::*side, LONG* value);
    HRESULT PutRectExtent(bool source, bool horizontal, LONG extent);
    HRESULT GetRectExtent(bool source, bool horizontal, LONG* extent);
    HRESULT SetPosition(bool source, LONG left, LONG top, LONG width, LONG height);
    HRESULT GetPosition(bool source, LONG* left, LONG* top, LONG* width, LONG* height);
    HRESULT UseDefault(bool source);
    RECT DefaultSource() const;
    RECT DefaultDestination() const;
    RECT& Rect(bool source);

    IUnknown* const m_owner;
    mutable std::mutex m_mutex;
    VideoWindowState m_state;
};
