// What the quadview tests share: the module registered in a temporary
// registry, a graph with the filter, push sources on its inputs and a
// recording sink on its output, and video types.
#pragma once

#include "IQuadView.h"
#include "QuadViewClsids.h"
#include "TempHome.h"
#include "com_ptr.h"
#include "filter_graph.h"
#include "media_type.h"
#include "push_source.h"
#include "recording_sink.h"

#include <string>
#include <vector>

// OSTREL_HOME in a fresh folder with quadview.so registered there.
class RegisteredQuadView {
public:
    RegisteredQuadView();
    ~RegisteredQuadView();
    RegisteredQuadView(const RegisteredQuadView&) = delete;
    RegisteredQuadView& operator=(const RegisteredQuadView&) = delete;

    HRESULT RegisterResult() const { return m_registered; }
    HRESULT GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const;
    HRESULT Unregister() const;

private:
    TempHome m_home;
    void* m_handle = nullptr;
    HRESULT m_registered = E_FAIL;
};

// A FORMAT_VideoInfo type of `bits` per pixel; a negative height is top-down.
CMediaType VideoType(REFGUID subtype, WORD bits, LONG width, LONG height);
inline CMediaType Rgb24Type(LONG width, LONG height) { return VideoType(MEDIASUBTYPE_RGB24, 24, width, height); }

ComPtr<IQuadView> CreateByClsid(REFCLSID clsid);

TestFrame Frame(std::vector<BYTE> data);
TestFrame TimedFrame(std::vector<BYTE> data, REFERENCE_TIME start, REFERENCE_TIME stop);

// One quad view in its own graph, with a sink on "Out".
struct QuadGraph {
    QuadGraph();
    ~QuadGraph();

    // A source on input `input` sending `frames`, one every `intervalMs`.
    HRESULT AddSource(int input, const CMediaType& type, std::vector<TestFrame> frames, DWORD intervalMs = 0,
                      bool loop = false, bool endOfStream = false);
    HRESULT ConnectOutput();
    ComPtr<IPin> Pin(const char16_t* id) const;

    ComPtr<CFilterGraph> graph;
    ComPtr<IBaseFilter> filter;
    ComPtr<IQuadView> settings;
    ComPtr<CRecordingSink> sink;
    std::vector<ComPtr<CPushSource>> sources;
};
