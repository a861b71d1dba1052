// The same filter as an element hosts, driven straight through the test
// graph: sources of our own on its inputs, whose allocators give the
// samples, and a sink that only counts what arrives. What the element costs
// beyond this is the bridge's.
#pragma once

#include "com_ptr.h"
#include "filter_graph.h"
#include "push_source.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

struct GraphPins {
    std::vector<const char16_t*> inputs;  // the filter's input pin ids, in order
    const char16_t* output;
};

class GraphHarness {
public:
    // Each input's allocator has `buffers` samples; all that its source's
    // thread leaves free are used in turn, as from a pool.
    GraphHarness(REFCLSID clsid, const GraphPins& pins, const CMediaType& type, LONG buffers);
    ~GraphHarness();
    GraphHarness(const GraphHarness&) = delete;
    GraphHarness& operator=(const GraphHarness&) = delete;

    bool Ready() const { return m_ready; }
    std::size_t Inputs() const { return m_sources.size(); }
    // A sample of input `input`'s allocator, delivered with its time.
    void Push(std::size_t input, REFERENCE_TIME start, REFERENCE_TIME duration);
    // Waits for one output more than the last Pull saw (up to a second).
    void Pull();
    std::size_t Outputs() const;

private:
    class CountingSink;

    ComPtr<CFilterGraph> m_graph;
    ComPtr<IBaseFilter> m_filter;
    std::vector<ComPtr<CPushSource>> m_sources;
    // Per input, the samples sent last, held so the allocator hands out the
    // others first: the frames arrive as cold as from a pool.
    std::vector<std::deque<IMediaSample*>> m_held;
    std::size_t m_holding = 0;
    CountingSink* m_sink = nullptr;
    std::size_t m_pulled = 0;
    bool m_ready = false;
};
