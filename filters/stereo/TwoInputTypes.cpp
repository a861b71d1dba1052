#include "TwoInputTypes.h"

#include "VideoColour.h"

const CMediaType* ConnectedInputType(const MultiInputFilter& filter, int except)
{
    for (int index = 0; index < filter.InputCount(); ++index) {
        const MultiInputPin* pin = filter.Input(index);
        if (index != except && pin && pin->IsConnected()) return &pin->CurrentMediaType();
    }
    return nullptr;
}

namespace {

bool SameBitCount(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    const VIDEOINFOHEADER* first = VideoInfoOf(a);
    const VIDEOINFOHEADER* second = VideoInfoOf(b);
    return first && second && first->bmiHeader.biBitCount == second->bmiHeader.biBitCount;
}

bool Matches(const AM_MEDIA_TYPE& type, const AM_MEDIA_TYPE& other, bool geometry)
{
    return geometry ? SameVideoGeometry(type, other) : SameBitCount(type, other);
}

} // namespace

HRESULT CheckTwoInputType(MultiInputFilter& filter, int index, LONG videoColour, const CMediaType* type,
                          bool geometry)
{
    if (CheckVideoColourType(videoColour, type) != S_OK) return VFW_E_TYPE_NOT_ACCEPTED;
    const LONGLONG frameBytes = DibImageBytes(VideoInfoOf(*type)->bmiHeader);
    if (frameBytes <= 0 || frameBytes > kLargestSampleBytes) return VFW_E_TYPE_NOT_ACCEPTED;
    BufferStream* output = filter.Output();
    if (output && output->IsConnected() && !Matches(*type, output->CurrentMediaType(), geometry))
        return VFW_E_TYPE_NOT_ACCEPTED;
    const CMediaType* other = ConnectedInputType(filter, index);
    if (other && !Matches(*type, *other, geometry)) return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT CheckCopiedOutputType(const MultiInputFilter& filter, const CMediaType* type)
{
    if (!type) return E_POINTER;
    const CMediaType* input = ConnectedInputType(filter);
    if (!input) return E_INVALIDARG;
    // The subtype must agree too: the same bit count in another layout
    // would be shown in the wrong colours.
    if (type->majortype != input->majortype || type->subtype != input->subtype || !SameVideoGeometry(*type, *input))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return S_OK;
}

HRESULT GetCopiedOutputType(const MultiInputFilter& filter, int position, CMediaType* type)
{
    if (!type) return E_POINTER;
    if (position < 0) return E_INVALIDARG;
    const CMediaType* input = ConnectedInputType(filter);
    if (!input) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = *input;
    return S_OK;
}

HRESULT DecideOneFrameBuffer(MultiInputFilter& filter, IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request,
                             std::size_t frameBytes)
{
    if (!allocator || !request) return E_POINTER;
    if (frameBytes == 0) return E_UNEXPECTED;
    if (BufferStream* output = filter.Output()) {
        if (VIDEOINFOHEADER* info = output->OutputType().VideoInfo())
            info->bmiHeader.biSizeImage = static_cast<DWORD>(frameBytes);
    }
    request->cBuffers = 1;
    request->cbBuffer = static_cast<LONG>(frameBytes);
    if (request->cbAlign <= 0) request->cbAlign = 1;
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(request, &actual);
    if (FAILED(hr)) return hr;
    if (actual.cBuffers < 1 || actual.cbBuffer < static_cast<LONG>(frameBytes)) return E_FAIL;
    return S_OK;
}
