// A transform that changes each sample in its own buffer and passes the same
// sample on, so a frame costs no copy. The output carries the input's type.
// A sample upstream declared read-only is copied into an output buffer
// first.
#pragma once

#include "transform_filter.h"

class CTransInPlaceFilter : public CTransformFilter {
public:
    CTransInPlaceFilter(const char* objectName, IUnknown* outer, REFCLSID clsid);

    // Changes `sample` in place: S_OK passes it on, S_FALSE drops it.
    virtual HRESULT Transform(IMediaSample* sample) = 0;

    // The output offers exactly the input's type.
    HRESULT GetMediaType(int position, CMediaType* type) override;
    // Same major type, subtype and format type as the input, the same sample
    // layout (frame size for video, else the format block), and acceptable
    // as an input type.
    HRESULT CheckTransform(const CMediaType* input, const CMediaType* output) override;
    // Buffers as large as the upstream ones (or the type's sample size).
    HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES* request) override;
    HRESULT Receive(IMediaSample* sample) override;

private:
    using CTransformFilter::Transform;
    HRESULT CopyToOutputBuffer(IMediaSample* source, IMediaSample** copy);
};
