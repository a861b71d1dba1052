#include "BufferedTestFilters.h"

#include "kernel.h"

#include <cstring>

namespace {

const CLSID kTestClsid{0x5E0B7C11, 0x2F3A, 0x4C55, {0x9D, 0x01, 0x6B, 0x7E, 0x12, 0x34, 0x56, 0x78}};

} // namespace

CMediaType TestVideoType(REFGUID subtype)
{
    VIDEOINFOHEADER info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 4;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biBitCount = subtype == MEDIASUBTYPE_RGB24 ? 24 : 16;
    info.bmiHeader.biSizeImage = 4 * info.bmiHeader.biBitCount / 8;
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    type.SetFormat(&info, sizeof info);
    return type;
}

HRESULT TestStreamSource::CheckType(const CMediaType* type) const
{
    return type && type->majortype == MEDIATYPE_Video && type->subtype == MEDIASUBTYPE_RGB24 ? S_OK
                                                                                            : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT TestStreamSource::OfferType(int position, CMediaType* type) const
{
    if (position < 0) return E_INVALIDARG;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = TestVideoType();
    return S_OK;
}

HRESULT TestStreamSource::SetBuffers(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) const
{
    request->cBuffers = 1;
    request->cbBuffer = 16;
    if (request->cbAlign <= 0) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    return allocator->SetProperties(request, &actual);
}

int TestStreamSource::FillSample(IMediaSample* sample)
{
    const int number = ++counters.fills;
    if (counters.mode.load() == FillMode::Nothing) {
        Sleep(1);
        return 1;
    }
    BYTE* data = nullptr;
    sample->GetPointer(&data);
    std::memcpy(data, &number, sizeof number);
    sample->SetActualDataLength(sizeof number);
    ++counters.filled;
    return 0;
}

TestMultiInputFilter::TestMultiInputFilter(int inputs) : MultiInputFilter("Test multi-input", nullptr, kTestClsid)
{
    static const WCHAR* const kNames[] = {u"Input 1", u"Input 2"};
    for (int i = 0; i < inputs && i < 2; ++i) AddInputPin(kNames[i]);
}

TestMultiInputFilter::~TestMultiInputFilter() { EndStreamThread(); }

TestMultiInputFilter* TestMultiInputFilter::Create(int inputs)
{
    auto* filter = new TestMultiInputFilter(inputs);
    filter->AddRef();
    return filter;
}

HRESULT TestMultiInputFilter::ReceiveInput(int index, IMediaSample*)
{
    ++received[index];
    return S_OK;
}

void TestMultiInputFilter::InputEndOfStream(int index) { ++ended[index]; }

TestBufferFilter::TestBufferFilter() : BufferFilter("Test buffer", nullptr, kTestClsid) {}

TestBufferFilter::~TestBufferFilter() { EndStreamThread(); }

TestBufferFilter* TestBufferFilter::Create()
{
    auto* filter = new TestBufferFilter();
    filter->AddRef();
    return filter;
}

HRESULT TestBufferFilter::CheckInputType(const CMediaType* type)
{
    const bool video = type && type->majortype == MEDIATYPE_Video;
    return video && (type->subtype == MEDIASUBTYPE_RGB24 || type->subtype == MEDIASUBTYPE_RGB555)
               ? S_OK
               : VFW_E_TYPE_NOT_ACCEPTED;
}
