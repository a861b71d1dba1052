#include "transinplace_filter.h"

#include <algorithm>
#include <cstring>

namespace {

// The samples go downstream as they came, so the output must describe them
// as the input does: the same frame size and row order for video, the same
// format block for anything else.
bool SameSampleLayout(const CMediaType& input, const CMediaType& output)
{
    if (input.VideoInfo() && output.VideoInfo()) return SameVideoGeometry(input, output);
    return IsEqualMediaType(input, output);
}

} // namespace

CTransInPlaceFilter::CTransInPlaceFilter(const char* objectName, IUnknown* outer, REFCLSID clsid)
    : CTransformFilter(objectName, outer, clsid)
{
}

HRESULT CTransInPlaceFilter::GetMediaType(int position, CMediaType* type)
{
    if (position < 0) return E_INVALIDARG;
    if (!m_input || !m_input->IsConnected()) return E_UNEXPECTED;
    if (position > 0) return VFW_S_NO_MORE_ITEMS;
    *type = m_input->CurrentMediaType();
    return S_OK;
}

HRESULT CTransInPlaceFilter::CheckTransform(const CMediaType* input, const CMediaType* output)
{
    if (input->majortype != output->majortype || input->subtype != output->subtype ||
        input->formattype != output->formattype || !SameSampleLayout(*input, *output))
        return VFW_E_TYPE_NOT_ACCEPTED;
    return CheckInputType(output) == S_OK ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
}

HRESULT CTransInPlaceFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request)
{
    LONGLONG size = request->cbBuffer;
    ALLOCATOR_PROPERTIES upstream{};
    IMemAllocator* inputAllocator = m_input->PeekAllocator();
    if (inputAllocator && SUCCEEDED(inputAllocator->GetProperties(&upstream)))
        size = std::max<LONGLONG>(size, upstream.cbBuffer);
    const CMediaType& type = m_input->CurrentMediaType();
    size = std::max<LONGLONG>(size, type.lSampleSize);
    if (const VIDEOINFOHEADER* video = type.VideoInfo()) {
        const BITMAPINFOHEADER& header = video->bmiHeader;
        const LONGLONG image = header.biSizeImage ? header.biSizeImage : DibImageBytes(header);
        size = std::max(size, image);
    }
    // Cut to a LONG, a larger frame would get a buffer too small for it.
    if (size > kLargestSampleBytes) return E_OUTOFMEMORY;
    ALLOCATOR_PROPERTIES wanted = *request;
    wanted.cBuffers = std::max<LONG>(request->cBuffers, 1);
    wanted.cbBuffer = std::max<LONG>(static_cast<LONG>(size), 1);
    ALLOCATOR_PROPERTIES actual{};
    const HRESULT hr = allocator->SetProperties(&wanted, &actual);
    if (FAILED(hr)) return hr;
    return actual.cBuffers < wanted.cBuffers || actual.cbBuffer < wanted.cbBuffer ? E_FAIL : S_OK;
}

HRESULT CTransInPlaceFilter::CopyToOutputBuffer(IMediaSample* source, IMediaSample** copy)
{
    IMediaSample* target = nullptr;
    HRESULT hr = InitializeOutputSample(source, &target);
    if (FAILED(hr)) return hr;
    BYTE* from = nullptr;
    BYTE* to = nullptr;
    // A foreign sample's length is checked against both buffers before any copy.
    const LONG length = source->GetActualDataLength();
    if (FAILED(source->GetPointer(&from)) || FAILED(target->GetPointer(&to)) || length < 0 ||
        length > source->GetSize() || length > target->GetSize()) {
        target->Release();
        return VFW_E_BUFFER_OVERFLOW;
    }
    std::memcpy(to, from, static_cast<std::size_t>(length));
    target->SetActualDataLength(length);
    *copy = target;
    return S_OK;
}

HRESULT CTransInPlaceFilter::Receive(IMediaSample* sample)
{
    if (m_input->SampleProps().dwStreamId != AM_STREAM_MEDIA) return m_output->Deliver(sample);
    IMediaSample* target = sample;
    if (m_input->IsReadOnly()) {
        const HRESULT hr = CopyToOutputBuffer(sample, &target);
        if (FAILED(hr)) return hr;
    } else {
        target->AddRef();
    }
    HRESULT hr = Transform(target);
    if (hr == S_OK)
        hr = m_output->Deliver(target);
    else if (hr == S_FALSE)
        hr = S_OK;
    target->Release();
    return hr;
}
