// IPersistStream::Load of every filter with any bytes: truncated, oversized,
// of another version. Whatever Load answers, the filter must save settings
// that load back as they are.
#include "FilterClasses.h"
#include "FuzzCheck.h"
#include "com_ptr.h"
#include "objbase.h"
#include "objidl.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

ComPtr<IStream> StreamOf(const std::uint8_t* data, std::size_t size)
{
    ComPtr<IStream> stream;
    FUZZ_CHECK(CreateMemoryStream(stream.Out()) == S_OK);
    ULONG written = 0;
    FUZZ_CHECK(stream->Write(data, static_cast<ULONG>(size), &written) == S_OK && written == size);
    LARGE_INTEGER start{};
    FUZZ_CHECK(stream->Seek(start, STREAM_SEEK_SET, nullptr) == S_OK);
    return stream;
}

std::vector<std::uint8_t> Saved(IPersistStream* persist)
{
    ComPtr<IStream> stream;
    FUZZ_CHECK(CreateMemoryStream(stream.Out()) == S_OK);
    FUZZ_CHECK(persist->Save(stream.Get(), TRUE) == S_OK);
    ULARGE_INTEGER end{};
    LARGE_INTEGER zero{};
    FUZZ_CHECK(stream->Seek(zero, STREAM_SEEK_CUR, &end) == S_OK);
    ULARGE_INTEGER most{};
    FUZZ_CHECK(persist->GetSizeMax(&most) == S_OK && end.QuadPart <= most.QuadPart);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(end.QuadPart));
    FUZZ_CHECK(stream->Seek(zero, STREAM_SEEK_SET, nullptr) == S_OK);
    ULONG read = 0;
    FUZZ_CHECK(stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read) == S_OK && read == bytes.size());
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzFilterClasses();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0) return 0;
    const ComPtr<IPersistStream> persist = CreateFuzzFilter(data[0]).As<IPersistStream>(IID_IPersistStream);
    FUZZ_CHECK(persist);
    persist->Load(StreamOf(data + 1, size - 1).Get());
    const std::vector<std::uint8_t> saved = Saved(persist.Get());
    FUZZ_CHECK(persist->Load(StreamOf(saved.data(), saved.size()).Get()) == S_OK);
    FUZZ_CHECK(Saved(persist.Get()) == saved);
    return 0;
}
