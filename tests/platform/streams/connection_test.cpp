#include "stream_test_helpers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

ComPtr<IPin> PinOf(IBaseFilter* filter, const char16_t* id)
{
    ComPtr<IPin> pin;
    filter->FindPin(id, pin.Out());
    return pin;
}

bool IsRgb555(const CMediaType& t) { return t.subtype == MEDIASUBTYPE_RGB555; }

struct Chain {
    explicit Chain(std::vector<CMediaType> offered, CRecordingSink::TypeCheck accepts = {},
                   std::vector<CMediaType> sinkOffers = {})
    {
        PushSourceConfig config;
        config.types = std::move(offered);
        config.frames.push_back(Frame(std::vector<BYTE>(24, 1), 0, 1));
        source = ComPtr<CPushSource>::Adopt(CPushSource::Create(std::move(config)));
        sink = ComPtr<CRecordingSink>::Adopt(CRecordingSink::Create(std::move(accepts), std::move(sinkOffers)));
        output = PinOf(source.Get(), u"Output");
        input = PinOf(sink.Get(), u"Input");
    }
    ComPtr<CPushSource> source;
    ComPtr<CRecordingSink> sink;
    ComPtr<IPin> output;
    ComPtr<IPin> input;
};

} // namespace

TEST(Connection, TheOutputsOwnTypesAreProposedFirst)
{
    Chain chain({Rgb555(), Rgb24()});
    ASSERT_EQ(chain.output->Connect(chain.input.Get(), nullptr), S_OK);
    ASSERT_TRUE(chain.sink->ConnectionType());
    EXPECT_EQ(chain.sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB555);
    AM_MEDIA_TYPE mt{};
    ASSERT_EQ(chain.output->ConnectionMediaType(&mt), S_OK);
    EXPECT_EQ(mt.subtype, MEDIASUBTYPE_RGB555);
    FreeMediaType(mt);
    chain.output->Disconnect();
    chain.input->Disconnect();
}

TEST(Connection, TheInputChecksAndAPatternNarrowsTheChoice)
{
    Chain refusing({Rgb24(), Rgb555()}, IsRgb555);
    ASSERT_EQ(refusing.output->Connect(refusing.input.Get(), nullptr), S_OK);
    EXPECT_EQ(refusing.sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB555);
    refusing.output->Disconnect();
    refusing.input->Disconnect();

    Chain patterned({Rgb555(), Rgb24()});
    CMediaType pattern;
    pattern.majortype = MEDIATYPE_Video;
    pattern.subtype = MEDIASUBTYPE_RGB24;
    ASSERT_EQ(patterned.output->Connect(patterned.input.Get(), &pattern), S_OK);
    EXPECT_EQ(patterned.sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB24);
    patterned.output->Disconnect();
    patterned.input->Disconnect();
}

TEST(Connection, TheInputsTypesAreTriedWhenTheOutputsAreRefused)
{
    // The source offers RGB24 first, which the sink refuses; the sink offers
    // RGB555, which the source also has.
    Chain chain({Rgb24(), Rgb555()}, IsRgb555, {Rgb555()});
    ASSERT_EQ(chain.output->Connect(chain.input.Get(), nullptr), S_OK);
    EXPECT_EQ(chain.sink->ConnectionType()->subtype, MEDIASUBTYPE_RGB555);
    chain.output->Disconnect();
    chain.input->Disconnect();
}

TEST(Connection, FailuresLeaveBothPinsFreeAndOutPointersNull)
{
    Chain chain({Rgb24()}, IsRgb555);
    EXPECT_EQ(chain.output->Connect(chain.input.Get(), nullptr), VFW_E_NO_ACCEPTABLE_TYPES);
    IPin* peer = reinterpret_cast<IPin*>(&chain);
    EXPECT_EQ(chain.output->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(peer, nullptr);
    peer = reinterpret_cast<IPin*>(&chain);
    EXPECT_EQ(chain.input->ConnectedTo(&peer), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(peer, nullptr);
    AM_MEDIA_TYPE mt;
    std::memset(&mt, 0xCD, sizeof mt);
    EXPECT_EQ(chain.input->ConnectionMediaType(&mt), VFW_E_NOT_CONNECTED);
    EXPECT_EQ(mt.pbFormat, nullptr);
    // Same direction on both ends is refused.
    Chain other({Rgb24()});
    EXPECT_EQ(chain.output->Connect(other.output.Get(), nullptr), VFW_E_INVALID_DIRECTION);
    const CMediaType rgb = Rgb24();
    EXPECT_EQ(other.output->ReceiveConnection(chain.output.Get(), &rgb), VFW_E_INVALID_DIRECTION);
}

TEST(Connection, ConnectedPinsRefuseASecondConnectionAndChangesWhileActive)
{
    Chain chain({Rgb24()});
    Chain second({Rgb24()});
    ASSERT_EQ(chain.output->Connect(chain.input.Get(), nullptr), S_OK);
    EXPECT_EQ(chain.output->Connect(second.input.Get(), nullptr), VFW_E_ALREADY_CONNECTED);
    EXPECT_EQ(second.output->Connect(chain.input.Get(), nullptr), VFW_E_ALREADY_CONNECTED);
    ASSERT_EQ(chain.sink->Pause(), S_OK);
    EXPECT_EQ(chain.input->Disconnect(), VFW_E_NOT_STOPPED);
    ASSERT_EQ(chain.sink->Stop(), S_OK);
    EXPECT_EQ(chain.input->Disconnect(), S_OK);
    EXPECT_EQ(chain.input->Disconnect(), S_FALSE);
    chain.output->Disconnect();
}

TEST(Connection, AllocatorFollowsTheDownstreamRequirements)
{
    Chain chain({Rgb24()});
    chain.sink->SetAllocatorRequirements({5, 0, 1, 0});
    ASSERT_EQ(chain.output->Connect(chain.input.Get(), nullptr), S_OK);
    IMemAllocator* shared = chain.sink->Input()->PeekAllocator();
    ASSERT_NE(shared, nullptr);
    EXPECT_EQ(shared, static_cast<CBaseOutputPin*>(chain.source->Stream())->PeekAllocator());
    ALLOCATOR_PROPERTIES props{};
    shared->GetProperties(&props);
    EXPECT_EQ(props.cBuffers, 5);
    EXPECT_GE(props.cbBuffer, 24);
    chain.output->Disconnect();
    chain.input->Disconnect();
}

TEST(Connection, DisconnectingReleasesPeersAndAllocators)
{
    Chain chain({Rgb24()});
    const ULONG sourceRefs = RefsOf(chain.source.Get());
    const ULONG sinkRefs = RefsOf(chain.sink.Get());
    ASSERT_EQ(chain.output->Connect(chain.input.Get(), nullptr), S_OK);
    EXPECT_GT(RefsOf(chain.source.Get()), sourceRefs);
    EXPECT_GT(RefsOf(chain.sink.Get()), sinkRefs);
    ComPtr<IMemAllocator> allocator(chain.sink->Input()->PeekAllocator());
    ASSERT_TRUE(allocator);
    const ULONG allocatorRefs = RefsOf(allocator.Get());
    EXPECT_GE(allocatorRefs, 3u);  // ours, the input's and the output's

    EXPECT_EQ(chain.output->Disconnect(), S_OK);
    EXPECT_EQ(chain.input->Disconnect(), S_OK);
    EXPECT_EQ(RefsOf(chain.source.Get()), sourceRefs);
    EXPECT_EQ(RefsOf(chain.sink.Get()), sinkRefs);
    EXPECT_EQ(RefsOf(allocator.Get()), 1u);
}

TEST(PinInfo, ReferencesTheFilterAndCopiesTheName)
{
    Chain chain({Rgb24()});
    const ULONG before = RefsOf(chain.sink.Get());
    PIN_INFO info{};
    ASSERT_EQ(chain.input->QueryPinInfo(&info), S_OK);
    EXPECT_EQ(info.pFilter, static_cast<IBaseFilter*>(chain.sink.Get()));
    EXPECT_EQ(info.dir, PINDIR_INPUT);
    EXPECT_EQ(std::u16string(info.achName), u"Input");
    EXPECT_EQ(RefsOf(chain.sink.Get()), before + 1);
    info.pFilter->Release();
    // Pins share their filter's references.
    chain.input->AddRef();
    EXPECT_EQ(RefsOf(chain.sink.Get()), before + 1);
    chain.input->Release();
}

TEST(PinInfo, EveryQueryIdFindsItsPinAgain)
{
    Chain chain({Rgb24()});
    ComPtr<CInvertFilter> invert = ComPtr<CInvertFilter>::Adopt(CInvertFilter::Create());
    for (CBaseFilter* filter : {static_cast<CBaseFilter*>(chain.source.Get()),
                                static_cast<CBaseFilter*>(chain.sink.Get()), static_cast<CBaseFilter*>(invert.Get())}) {
        ComPtr<IEnumPins> pins;
        ASSERT_EQ(filter->EnumPins(pins.Out()), S_OK);
        int seen = 0;
        ComPtr<IPin> pin;
        while (pins->Next(1, pin.Out(), nullptr) == S_OK) {
            LPWSTR id = nullptr;
            ASSERT_EQ(pin->QueryId(&id), S_OK);
            ComPtr<IPin> found;
            EXPECT_EQ(filter->FindPin(id, found.Out()), S_OK);
            EXPECT_EQ(found.Get(), pin.Get());
            CoTaskMemFree(id);
            ++seen;
        }
        EXPECT_EQ(seen, filter->GetPinCount());
        IPin* missing = reinterpret_cast<IPin*>(filter);
        EXPECT_EQ(filter->FindPin(u"No such pin", &missing), VFW_E_NOT_FOUND);
        EXPECT_EQ(missing, nullptr);
    }
}

TEST(MediaTypeEnumeration, HandsOutTaskMemoryCopiesInOrder)
{
    Chain chain({Rgb555(), Rgb24()});
    ComPtr<IEnumMediaTypes> types;
    ASSERT_EQ(chain.output->EnumMediaTypes(types.Out()), S_OK);
    AM_MEDIA_TYPE* got[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(types->Next(3, got, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 2u);
    EXPECT_EQ(got[0]->subtype, MEDIASUBTYPE_RGB555);
    EXPECT_EQ(got[1]->subtype, MEDIASUBTYPE_RGB24);
    ASSERT_NE(VideoInfoOf(*got[1]), nullptr);
    EXPECT_EQ(VideoInfoOf(*got[1])->bmiHeader.biBitCount, 24);
    DeleteMediaType(got[0]);
    DeleteMediaType(got[1]);
    EXPECT_EQ(types->Reset(), S_OK);
    EXPECT_EQ(types->Skip(2), S_OK);
    EXPECT_EQ(types->Skip(1), S_FALSE);
    EXPECT_EQ(types->Next(2, got, nullptr), E_POINTER);
}

// 65536 x 65536 RGB24 is 12 GiB, which 32-bit arithmetic wrapped to an empty
// frame: the in-place filter must refuse to size buffers for it rather than
// take a small one.
TEST(Connection, AnInPlaceFilterRefusesAFrameNoSampleCanHold)
{
    Chain huge({Rgb24(0x10000, 0x10000)});
    ComPtr<CInvertFilter> invert = ComPtr<CInvertFilter>::Adopt(CInvertFilter::Create());
    ComPtr<IPin> invertInput = PinOf(invert.Get(), u"Input");
    ComPtr<IPin> invertOutput = PinOf(invert.Get(), u"Output");
    ASSERT_TRUE(invertInput && invertOutput);
    ASSERT_EQ(huge.output->Connect(invertInput.Get(), nullptr), S_OK);
    EXPECT_TRUE(FAILED(invertOutput->Connect(huge.input.Get(), nullptr)));
    EXPECT_FALSE(huge.sink->ConnectionType());
    huge.output->Disconnect();
    invertInput->Disconnect();
}
