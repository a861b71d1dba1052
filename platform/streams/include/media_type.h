// Deep copy and release of media types. Format blocks and the records handed
// to clients live in task memory, so a client may free them with
// CoTaskMemFree or DeleteMediaType.
#pragma once

#include "media_guids.h"
#include "media_records.h"
#include "vfw_errors.h"

// Releases the format block and the pUnk reference; the record itself stays.
void FreeMediaType(AM_MEDIA_TYPE& type);
// Frees a record made by CreateMediaType (or handed out by an enumerator).
void DeleteMediaType(AM_MEDIA_TYPE* type);
// Deep copy into `target`, whose old contents are not released. On failure
// `target` holds no format block and E_OUTOFMEMORY is returned.
HRESULT CopyMediaType(AM_MEDIA_TYPE* target, const AM_MEDIA_TYPE* source);
// A task-memory deep copy of `source`; null when memory runs out.
AM_MEDIA_TYPE* CreateMediaType(const AM_MEDIA_TYPE* source);

// Value-semantics owner of one media type.
class CMediaType : public AM_MEDIA_TYPE {
public:
    CMediaType();
    CMediaType(const AM_MEDIA_TYPE& other);
    CMediaType(const CMediaType& other);
    CMediaType& operator=(const AM_MEDIA_TYPE& other);
    CMediaType& operator=(const CMediaType& other);
    ~CMediaType();

    bool operator==(const CMediaType& other) const;
    bool IsValid() const { return majortype != GUID_NULL; }
    // Same major type, and subtype and format type where this type names one.
    bool MatchesPartial(const AM_MEDIA_TYPE& other) const;
    bool IsPartiallySpecified() const;

    // Replaces the format block by a copy of `bytes`; false when out of memory.
    bool SetFormat(const void* bytes, ULONG length);
    // Resizes the format block (contents kept up to the new length, new bytes
    // zeroed); null when out of memory.
    BYTE* AllocFormat(ULONG length);
    void ResetFormat();

    // The VIDEOINFOHEADER of a FORMAT_VideoInfo type, or null when the type
    // carries none or its block is too short to hold one.
    const VIDEOINFOHEADER* VideoInfo() const;
    VIDEOINFOHEADER* VideoInfo();

private:
    void CopyFrom(const AM_MEDIA_TYPE& other);
};

bool IsEqualMediaType(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);

// The VIDEOINFOHEADER of any FORMAT_VideoInfo type with a long enough block.
const VIDEOINFOHEADER* VideoInfoOf(const AM_MEDIA_TYPE& type);
// True when both types carry a VIDEOINFOHEADER with the same width, height
// and bit count: their frames have the same size and row order.
bool SameVideoGeometry(const AM_MEDIA_TYPE& a, const AM_MEDIA_TYPE& b);
