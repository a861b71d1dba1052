#include "media_type.h"

#include <cstring>

void FreeMediaType(AM_MEDIA_TYPE& type)
{
    if (type.cbFormat != 0 || type.pbFormat) {
        CoTaskMemFree(type.pbFormat);
        type.cbFormat = 0;
        type.pbFormat = nullptr;
    }
    if (type.pUnk) {
        type.pUnk->Release();
        type.pUnk = nullptr;
    }
}

void DeleteMediaType(AM_MEDIA_TYPE* type)
{
    if (!type) return;
    FreeMediaType(*type);
    CoTaskMemFree(type);
}

HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source)
{
    if (!target || !source) return E_POINTER;
    *target = *source;
    if (source->cbFormat != 0 && source->pbFormat) {
        target->pbFormat = static_cast<BYTE*>(CoTaskMemAlloc(source->cbFormat));
        if (!target->pbFormat) {
            target->cbFormat = 0;
            target->pUnk = nullptr;
            return E_OUTOFMEMORY;
        }
        std::memcpy(target->pbFormat, source->pbFormat, source->cbFormat);
    } else {
        target->cbFormat = 0;
        target->pbFormat = nullptr;
    }
    if (target->pUnk) target->pUnk->AddRef();
    return S_OK;
}

AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source)
{
    auto* copy = static_cast<AM_MEDIA_TYPE*>(CoTaskMemAlloc(sizeof(AM_MEDIA_TYPE)));
    if (!copy) return nullptr;
    if (FAILED(CopyMediaType(copy, source))) {
        CoTaskMemFree(copy);
        return nullptr;
    }
    return copy;
}

bool IsEqualMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    if (a.majortype != b.majortype || a.subtype != b.subtype || a.formattype != b.formattype) return false;
    if (a.cbFormat != b.cbFormat) return false;
    return a.cbFormat == 0 || std::memcmp(a.pbFormat, b.pbFormat, a.cbFormat) == 0;
}

const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type)
{
    if (type.formattype != FORMAT_VideoInfo || !type.pbFormat || type.cbFormat < sizeof(VIDEOINFOHEADER))
        return nullptr;
    return reinterpret_cast<const VIDEOINFOHEADER*>(type.pbFormat);
}

bool SameVideoGeometry(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b)
{
    const VIDEOINFOHEADER* x = VideoInfoOf(a);
    const VIDEOINFOHEADER* y = VideoInfoOf(b);
    return x && y && x->bmiHeader.biWidth == y->bmiHeader.biWidth && x->bmiHeader.biHeight == y->bmiHeader.biHeight &&
           x->bmiHeader.biBitCount == y->bmiHeader.biBitCount;
}

CMediaType::CMediaType() : AM_MEDIA_TYPE{}
{
    bFixedSizeSamples = TRUE;
    lSampleSize = 1;
}

CMediaType::CMediaType(const AM_MEDIA_TYPE& other) : AM_MEDIA_TYPE{} { CopyFrom(other); }

CMediaType::CMediaType(const CMediaType& other) : AM_MEDIA_TYPE{} { CopyFrom(other); }

CMediaType& CMediaType::operator=(const AM_MEDIA_TYPE& other)
{
    if (&other != this) {
        FreeMediaType(*this);
        CopyFrom(other);
    }
    return *this;
}

CMediaType& CMediaType::operator=(const CMediaType& other)
{
    return *this = static_cast<const AM_MEDIA_TYPE&>(other);
}

CMediaType::~CMediaType() { FreeMediaType(*this); }

void CMediaType::CopyFrom(const AM_MEDIA_TYPE& other)
{
    // Out of memory leaves the type without a format block, which every
    // format check refuses.
    if (FAILED(CopyMediaType(this, &other))) static_cast<AM_MEDIA_TYPE&>(*this) = AM_MEDIA_TYPE{};
}

bool CMediaType::operator==(const CMediaType& other) const { return IsEqualMediaType(*this, other); }

bool CMediaType::IsPartiallySpecified() const
{
    return majortype == GUID_NULL || formattype == GUID_NULL;
}

bool CMediaType::MatchesPartial(const AM_MEDIA_TYPE& other) const
{
    if (majortype != GUID_NULL && majortype != other.majortype) return false;
    if (subtype != GUID_NULL && subtype != other.subtype) return false;
    if (formattype == GUID_NULL) return true;
    if (formattype != other.formattype || cbFormat != other.cbFormat) return false;
    return cbFormat == 0 || std::memcmp(pbFormat, other.pbFormat, cbFormat) == 0;
}

bool CMediaType::SetFormat(const void* bytes, ULONG length)
{
    if (!AllocFormat(length)) return length == 0;
    if (length) std::memcpy(pbFormat, bytes, length);
    return true;
}

BYTE* CMediaType::AllocFormat(ULONG length)
{
    if (length == 0) {
        ResetFormat();
        return nullptr;
    }
    auto* block = static_cast<BYTE*>(CoTaskMemRealloc(pbFormat, length));
    if (!block) return nullptr;
    if (length > cbFormat) std::memset(block + cbFormat, 0, length - cbFormat);
    pbFormat = block;
    cbFormat = length;
    return block;
}

void CMediaType::ResetFormat()
{
    CoTaskMemFree(pbFormat);
    pbFormat = nullptr;
    cbFormat = 0;
}

const VIDEOINFOHEADER* CMediaType::VideoInfo() const { return VideoInfoOf(*this); }

VIDEOINFOHEADER* CMediaType::VideoInfo() { return const_cast<VIDEOINFOHEADER*>(VideoInfoOf(*this)); }
