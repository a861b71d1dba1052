// Shared pieces of the streaming tests: video types, reference counting and
// a small in-place filter.
#pragma once

#include "com_ptr.h"
#include "filter_graph.h"
#include "push_source.h"
#include "recording_sink.h"
#include "transinplace_filter.h"

template <typename T>
ULONG RefsOf(T* object)
{
    object->AddRef();
    return object->Release();
}

inline CMediaType VideoType(const GUID& subtype, LONG width, LONG height, WORD bits)
{
    CMediaType type;
    type.majortype = MEDIATYPE_Video;
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    auto* vih = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    vih->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    vih->bmiHeader.biWidth = width;
    vih->bmiHeader.biHeight = height;
    vih->bmiHeader.biPlanes = 1;
    vih->bmiHeader.biBitCount = bits;
    vih->bmiHeader.biSizeImage = DibImageBytes(vih->bmiHeader);
    type.lSampleSize = vih->bmiHeader.biSizeImage;
    return type;
}

inline CMediaType Rgb24(LONG width = 4, LONG height = 2) { return VideoType(MEDIASUBTYPE_RGB24, width, height, 24); }
inline CMediaType Rgb555(LONG width = 4, LONG height = 2) { return VideoType(MEDIASUBTYPE_RGB555, width, height, 16); }

// Inverts every byte of RGB24 video in place; counts the streaming hooks.
class CInvertFilter : public CTransInPlaceFilter {
public:
    CInvertFilter() : CTransInPlaceFilter("Invert", nullptr, GUID_NULL) {}
    static CInvertFilter* Create()
    {
        auto* filter = new CInvertFilter();
        filter->AddRef();
        return filter;
    }

    HRESULT CheckInputType(const CMediaType* type) override
    {
        return type->majortype == MEDIATYPE_Video && type->subtype == MEDIASUBTYPE_RGB24 ? S_OK
                                                                                       : VFW_E_TYPE_NOT_ACCEPTED;
    }
    HRESULT Transform(IMediaSample* sample) override
    {
        BYTE* data = nullptr;
        sample->GetPointer(&data);
        for (LONG i = 0; i < sample->GetActualDataLength(); ++i) data[i] = static_cast<BYTE>(~data[i]);
        return S_OK;
    }
    HRESULT StartStreaming() override
    {
        ++starts;
        return S_OK;
    }
    HRESULT StopStreaming() override
    {
        ++stops;
        return S_OK;
    }

    int starts = 0;
    int stops = 0;
};

inline TestFrame Frame(std::vector<BYTE> data, REFERENCE_TIME start, REFERENCE_TIME stop)
{
    TestFrame frame;
    frame.data = std::move(data);
    frame.timed = true;
    frame.start = start;
    frame.stop = stop;
    return frame;
}
