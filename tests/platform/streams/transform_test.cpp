// The copying transform: each input sample becomes a new output sample.
#include "stream_test_helpers.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Writes each sample reversed into a buffer of its own; drops short samples.
class CReverseFilter final : public CTransformFilter {
public:
    explicit CReverseFilter(REFCLSID clsid = GUID_NULL) : CTransformFilter("Reverse", nullptr, clsid) {}

    HRESULT CheckInputType(const CMediaType* type) override
    {
        return type->subtype == MEDIASUBTYPE_RGB24 ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override
    {
        return input->subtype == output->subtype ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT GetMediaType(int position, CMediaType* type) override
    {
        if (position < 0) return E_INVALIDARG;
        if (position > 0) return VFW_S_NO_MORE_ITEMS;
        *type = InputPin()->CurrentMediaType();
        return S_OK;
    }
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override
    {
        request->cBuffers = 2;
        request->cbBuffer = static_cast<LONG>(InputPin()->CurrentMediaType().lSampleSize);
        ALLOCATOR_PROPERTIES actual{};
        return allocator->SetProperties(request, &actual);
    }
    HRESULT Transform(IMediaSample* input, IMediaSample* output) override
    {
        const LONG length = input->GetActualDataLength();
        if (length < 24) return S_FALSE;
        BYTE* from = nullptr;
        BYTE* to = nullptr;
        input->GetPointer(&from);
        output->GetPointer(&to);
        std::reverse_copy(from, from + length, to);
        return output->SetActualDataLength(length);
    }
};

} // namespace

TEST(CopyingTransform, OutputSamplesCarryTheInputTimesAndFlags)
{
    PushSourceConfig config;
    config.types = {Rgb24()};
    std::vector<BYTE> ramp(24);
    for (std::size_t i = 0; i < ramp.size(); ++i) ramp[i] = static_cast<BYTE>(i);
    TestFrame first = Frame(ramp, 5, 10);
    first.syncPoint = true;
    config.frames.push_back(first);
    TestFrame shortFrame;
    shortFrame.data = std::vector<BYTE>(12, 1);
    config.frames.push_back(shortFrame);
    TestFrame last = Frame(std::vector<BYTE>(24, 9), 10, 15);
    last.discontinuity = true;
    config.frames.push_back(last);

    auto source = ComPtr<CPushSource>::Adopt(CPushSource::Create(config));
    auto reverse = ComPtr<CReverseFilter>::Adopt(new CReverseFilter());
    reverse->AddRef();
    auto sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create());
    ComPtr<CFilterGraph> graph;
    ASSERT_EQ(CFilterGraph::Create(graph.Out()), S_OK);
    graph->AddFilter(source.Get(), u"Source");
    graph->AddFilter(reverse.Get(), u"Reverse");
    graph->AddFilter(sink.Get(), u"Sink");
    // The output cannot connect before the input has a type.
    EXPECT_TRUE(FAILED(graph->ConnectPins(reverse.Get(), u"Output", sink.Get(), u"Input")));
    EXPECT_FALSE(reverse->OutputPin()->IsConnected());
    ASSERT_EQ(graph->ConnectPins(source.Get(), u"Output", reverse.Get(), u"Input"), S_OK);
    ASSERT_EQ(graph->ConnectPins(reverse.Get(), u"Output", sink.Get(), u"Input"), S_OK);
    EXPECT_NE(reverse->InputPin()->PeekAllocator(), reverse->OutputPin()->PeekAllocator());

    ASSERT_EQ(graph->Run(), S_OK);
    ASSERT_TRUE(sink->WaitForEndOfStream(5000));
    ASSERT_EQ(graph->Stop(), S_OK);
    const std::vector<ReceivedSample> got = sink->Samples();
    ASSERT_EQ(got.size(), 2u);
    std::vector<BYTE> reversed(ramp.rbegin(), ramp.rend());
    EXPECT_EQ(got[0].data, reversed);
    EXPECT_EQ(got[0].start, 5);
    EXPECT_EQ(got[0].stop, 10);
    EXPECT_TRUE(got[0].syncPoint);
    EXPECT_FALSE(got[0].discontinuity);
    EXPECT_EQ(got[1].start, 10);
    EXPECT_TRUE(got[1].discontinuity);
    EXPECT_FALSE(got[1].syncPoint);
}

TEST(CopyingTransform, PinsAreMadeTogetherOnFirstRequest)
{
    auto reverse = ComPtr<CReverseFilter>::Adopt(new CReverseFilter());
    reverse->AddRef();
    EXPECT_EQ(reverse->InputPin(), nullptr);
    ComPtr<IPin> output;
    ASSERT_EQ(reverse->FindPin(u"Output", output.Out()), S_OK);
    EXPECT_NE(reverse->InputPin(), nullptr);
    EXPECT_EQ(reverse->GetPin(2), nullptr);
    EXPECT_EQ(reverse->GetPin(-1), nullptr);
    PIN_DIRECTION direction = PINDIR_INPUT;
    output->QueryDirection(&direction);
    EXPECT_EQ(direction, PINDIR_OUTPUT);
    // An output pin takes no stream events of its own.
    EXPECT_EQ(output->EndOfStream(), E_UNEXPECTED);
    EXPECT_EQ(output->BeginFlush(), E_UNEXPECTED);
}

TEST(FilterIdentity, EveryBaseInterfaceLeadsToTheSameObject)
{
    const CLSID clsid{0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    auto filter = ComPtr<CReverseFilter>::Adopt(new CReverseFilter(clsid));
    filter->AddRef();
    ComPtr<IUnknown> identity = filter.As<IUnknown>(IID_IUnknown);
    for (const IID* iid : {&IID_IBaseFilter, &IID_IMediaFilter, &IID_IPersist, &IID_IAMovieSetup}) {
        ComPtr<IUnknown> asked = filter.As<IUnknown>(*iid);
        ASSERT_TRUE(asked) << GuidToString(*iid);
        EXPECT_EQ(asked.As<IUnknown>(IID_IUnknown).Get(), identity.Get());
    }
    EXPECT_FALSE(filter.As<IUnknown>(IID_IPin));
    ComPtr<IPersist> persist = filter.As<IPersist>(IID_IPersist);
    CLSID reported{};
    ASSERT_EQ(persist->GetClassID(&reported), S_OK);
    EXPECT_EQ(reported, clsid);
}
