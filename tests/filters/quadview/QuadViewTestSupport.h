// What the quadview tests share: the module registered in a temporary
// registry, a graph with the filter, push sources on its inputs and a
// recording sink on its output, and video types.
#pragma once

#include "FilterModuleTestSupport.h"
#include "IQuadView.h"
#include "QuadViewClsids.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"

#include <string>
#include <vector>

// OSTREL_HOME in a fresh folder with quadview.so registered there.
class RegisteredQuadView : public RegisteredModule {
public:
    RegisteredQuadView() : RegisteredModule(OSTREL_QUADVIEW_MODULE) {}
};

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
