// A filter's persisted settings as bytes: what Save writes, and a Load
// from given bytes.
#pragma once

#include "com_ptr.h"
#include "objidl.h"

#include <vector>

inline std::vector<BYTE> SavedBytes(IPersistStream* persist)
{
    ComPtr<IStream> stream;
    if (FAILED(CreateMemoryStream(stream.Out())) || FAILED(persist->Save(stream.Get(), TRUE))) return {};
    LARGE_INTEGER start{};
    stream->Seek(start, STREAM_SEEK_SET, nullptr);
    std::vector<BYTE> bytes(256);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

inline HRESULT LoadBytes(IPersistStream* persist, const std::vector<BYTE>& bytes)
{
    ComPtr<IStream> stream;
    HRESULT hr = CreateMemoryStream(stream.Out());
    if (SUCCEEDED(hr)) hr = stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
    LARGE_INTEGER start{};
    if (SUCCEEDED(hr)) hr = stream->Seek(start, STREAM_SEEK_SET, nullptr);
    return SUCCEEDED(hr) ? persist->Load(stream.Get()) : hr;
}
