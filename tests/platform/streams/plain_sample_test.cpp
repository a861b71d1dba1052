// Samples from other allocators: some know only IMediaSample, some are
// handed over read-only.
#include "stream_test_helpers.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// A sample that offers IMediaSample alone, as an older upstream filter's may.
class PlainSample final : public IMediaSample {
public:
    explicit PlainSample(std::vector<BYTE> data) : m_data(std::move(data)), actual(static_cast<LONG>(m_data.size())) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        if (riid == IID_IUnknown || riid == IID_IMediaSample) {
            *ppv = this;
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    STDMETHODIMP GetPointer(BYTE** buffer) override
    {
        *buffer = m_data.data();
        return S_OK;
    }
    STDMETHODIMP_(LONG) GetSize() override { return static_cast<LONG>(m_data.size()); }
    STDMETHODIMP GetTime(REFERENCE_TIME* start, REFERENCE_TIME* stop) override
    {
        *start = 40;
        *stop = 41;
        return VFW_S_NO_STOP_TIME;
    }
    STDMETHODIMP SetTime(REFERENCE_TIME*, REFERENCE_TIME*) override { return S_OK; }
    STDMETHODIMP IsSyncPoint() override { return S_OK; }
    STDMETHODIMP SetSyncPoint(BOOL) override { return S_OK; }
    STDMETHODIMP IsPreroll() override { return S_FALSE; }
    STDMETHODIMP SetPreroll(BOOL) override { return S_OK; }
    STDMETHODIMP_(LONG) GetActualDataLength() override { return actual; }
    STDMETHODIMP SetActualDataLength(LONG) override { return S_OK; }
    STDMETHODIMP GetMediaType(AM_MEDIA_TYPE** type) override
    {
        const CMediaType changed = Rgb24();
        *type = CreateMediaType(&changed);
        return S_OK;
    }
    STDMETHODIMP SetMediaType(AM_MEDIA_TYPE*) override { return S_OK; }
    STDMETHODIMP IsDiscontinuity() override { return S_OK; }
    STDMETHODIMP SetDiscontinuity(BOOL) override { return S_OK; }
    STDMETHODIMP GetMediaTime(LONGLONG*, LONGLONG*) override { return VFW_E_MEDIA_TIME_NOT_SET; }
    STDMETHODIMP SetMediaTime(LONGLONG*, LONGLONG*) override { return S_OK; }

    std::vector<BYTE> m_data;
    LONG actual;
    ULONG refs = 1;
};

// An upstream stand-in: only an output pin, connected by hand.
struct InvertChain {
    InvertChain()
    {
        PushSourceConfig config;
        config.types = {Rgb24()};
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
        invert = ComPtr<CInvertFilter>::Adopt(CInvertFilter::Create());
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
        CFilterGraph::Create(graph.Out());
        graph->AddFilter(source.Get(), u"Source");
        graph->AddFilter(invert.Get(), u"Invert");
        graph->AddFilter(sink.Get(), u"Sink");
        connected = graph->ConnectPins(source.Get(), u"Output", invert.Get(), u"Input");
        if (SUCCEEDED(connected)) connected = graph->ConnectPins(invert.Get(), u"Output", sink.Get(), u"Input");
    }
    ComPtr<CPushSource> source;
    ComPtr<CInvertFilter> invert;
    ComPtr<CRecordingSink> sink;
    ComPtr<CFilterGraph> graph;
    HRESULT connected = E_FAIL;
};

} // namespace

TEST(ForeignSamples, ASampleWithoutTheSecondInterfaceIsDescribedThroughTheFirst)
{
    InvertChain chain;
    ASSERT_EQ(chain.connected, S_OK);
    // Paused with an idle source: the pins take samples from anyone.
    ASSERT_EQ(chain.sink->Pause(), S_OK);
    PlainSample sample({1, 2, 3});
    ASSERT_EQ(chain.sink->Input()->Receive(&sample), S_OK);
    const std::vector<ReceivedSample> got = chain.sink->Samples();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_TRUE(got[0].timed);
    EXPECT_FALSE(got[0].stopValid);
    EXPECT_EQ(got[0].start, 40);
    EXPECT_TRUE(got[0].syncPoint);
    EXPECT_TRUE(got[0].discontinuity);
    EXPECT_FALSE(got[0].preroll);
    ASSERT_TRUE(got[0].type);
    EXPECT_EQ(got[0].type->subtype, MEDIASUBTYPE_RGB24);
    EXPECT_EQ(sample.refs, 1u);
    chain.sink->Stop();
}

TEST(ForeignSamples, ATypeChangeThePinRefusesEndsTheStream)
{
    ComPtr<CRecordingSink> sink = ComPtr<CRecordingSink>::Adopt(
        CRecordingSink::Create([](const CMediaType& t) { return t.subtype == MEDIASUBTYPE_RGB555; }));
    ComPtr<CFilterGraph> graph;
    CFilterGraph::Create(graph.Out());
    graph->AddFilter(sink.Get(), u"Sink");
    PushSourceConfig config;
    config.types = {Rgb555()};
    ComPtr<CPushSource> source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    graph->AddFilter(source.Get(), u"Source");
    ASSERT_EQ(graph->ConnectPins(source.Get(), u"Output", sink.Get(), u"Input"), S_OK);
    ASSERT_EQ(sink->Pause(), S_OK);
    PlainSample sample({9});  // announces RGB24
    EXPECT_EQ(sink->Input()->Receive(&sample), VFW_E_INVALIDMEDIATYPE);
    EXPECT_TRUE(graph->WaitForEvent(EC_ERRORABORT, 0));
    EXPECT_EQ(sink->SampleCount(), 0u);
    EXPECT_EQ(sink->EndOfStreamCount(), 1);
    // Until the next flush or stop, nothing more is taken.
    EXPECT_EQ(sink->Input()->Receive(&sample), VFW_E_RUNTIME_ERROR);
    sink->Stop();
}

TEST(ForeignSamples, AReadOnlySampleIsCopiedBeforeTheInPlaceChange)
{
    InvertChain chain;
    ASSERT_EQ(chain.connected, S_OK);
    ComPtr<IMemAllocator> upstream(chain.invert->InputPin()->PeekAllocator());
    ASSERT_EQ(chain.invert->InputPin()->NotifyAllocator(upstream.Get(), TRUE), S_OK);
    ASSERT_EQ(chain.sink->Pause(), S_OK);
    ASSERT_EQ(chain.invert->Pause(), S_OK);
    PlainSample sample(std::vector<BYTE>(24, 0x0F));
    ASSERT_EQ(chain.invert->InputPin()->Receive(&sample), S_OK);
    EXPECT_EQ(sample.m_data, std::vector<BYTE>(24, 0x0F));
    ASSERT_EQ(chain.sink->SampleCount(), 1u);
    EXPECT_EQ(chain.sink->Samples()[0].data, std::vector<BYTE>(24, 0xF0));
    EXPECT_EQ(chain.sink->Samples()[0].start, 40);

    // A length the sample cannot have is refused, not copied.
    for (const LONG bad : {-1, 25}) {
        sample.actual = bad;
        EXPECT_EQ(chain.invert->InputPin()->Receive(&sample), VFW_E_BUFFER_OVERFLOW) << bad;
    }
    EXPECT_EQ(chain.sink->SampleCount(), 1u);
    sample.actual = 24;

    // Writable samples are changed where they are.
    ASSERT_EQ(chain.invert->InputPin()->NotifyAllocator(upstream.Get(), FALSE), S_OK);
    ASSERT_EQ(chain.invert->InputPin()->Receive(&sample), S_OK);
    EXPECT_EQ(sample.m_data, std::vector<BYTE>(24, 0xF0));
    chain.graph->Stop();
}

TEST(GraphActivation, AnUnregisteredClassIsNotAdded)
{
    const std::filesystem::path home = std::filesystem::temp_directory_path() / "ostrel-streams-activation";
    std::filesystem::create_directories(home);
    setenv("OSTREL_HOME", home.c_str(), 1);
    ComPtr<CFilterGraph> graph;
    ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    const CLSID unknown{0x0BADF00D, 0x1234, 0x5678, {1, 2, 3, 4, 5, 6, 7, 8}};
    IBaseFilter* filter = reinterpret_cast<IBaseFilter*>(&graph);
    EXPECT_TRUE(FAILED(graph->AddFilterByClsid(unknown, u"Missing", &filter)));
    EXPECT_EQ(filter, nullptr);
    ComPtr<IEnumFilters> filters;
    ASSERT_EQ(graph->EnumFilters(filters.Out()), S_OK);
    IBaseFilter* any = nullptr;
    EXPECT_EQ(filters->Next(1, &any, nullptr), S_FALSE);
    std::filesystem::remove_all(home);
}
