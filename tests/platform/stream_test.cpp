#include "TempHome.h"
#include "objidl.h"

#include <gtest/gtest.h>

namespace {

LARGE_INTEGER Offset(LONGLONG value)
{
    LARGE_INTEGER v;
    v.QuadPart = value;
    return v;
}

} // namespace

TEST(Streams, MemoryStreamReadsWritesAndSeeks)
{
    IStream* stream = nullptr;
    ASSERT_EQ(CreateMemoryStream(&stream), S_OK);
    ULONG done = 0;
    ASSERT_EQ(stream->Write("abcdef", 6, &done), S_OK);
    EXPECT_EQ(done, 6u);
    ULARGE_INTEGER position{};
    ASSERT_EQ(stream->Seek(Offset(-2), STREAM_SEEK_END, &position), S_OK);
    EXPECT_EQ(position.QuadPart, 4u);
    char buffer[8] = {};
    EXPECT_EQ(stream->Read(buffer, 8, &done), S_FALSE); // short read at the end
    EXPECT_EQ(done, 2u);
    EXPECT_EQ(std::string(buffer, 2), "ef");
    EXPECT_NE(stream->Seek(Offset(-1), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_NE(stream->Seek(Offset(0), 7, nullptr), S_OK);
    // Writing past the end fills the gap with zeros.
    ASSERT_EQ(stream->Seek(Offset(8), STREAM_SEEK_SET, nullptr), S_OK);
    ASSERT_EQ(stream->Write("z", 1, nullptr), S_OK);
    STATSTG stat{};
    ASSERT_EQ(stream->Stat(&stat, STATFLAG_NONAME), S_OK);
    EXPECT_EQ(stat.cbSize.QuadPart, 9u);
    ULARGE_INTEGER size{};
    size.QuadPart = 3;
    ASSERT_EQ(stream->SetSize(size), S_OK);
    ASSERT_EQ(stream->Seek(Offset(0), STREAM_SEEK_SET, nullptr), S_OK);
    EXPECT_EQ(stream->Read(buffer, 8, &done), S_FALSE);
    EXPECT_EQ(std::string(buffer, done), "abc");
    EXPECT_EQ(stream->Release(), 0u);
}

TEST(Streams, FileStreamHonoursItsMode)
{
    TempHome folder;
    const auto path = folder.Path() / "data.bin";
    IStream* stream = nullptr;
    EXPECT_EQ(CreateFileStream(path, STGM_READ, &stream), STG_E_FILENOTFOUND);
    EXPECT_EQ(stream, nullptr);
    ASSERT_EQ(CreateFileStream(path, STGM_READWRITE | STGM_CREATE, &stream), S_OK);
    ASSERT_EQ(stream->Write("0123456789", 10, nullptr), S_OK);
    ASSERT_EQ(stream->Commit(0), S_OK);
    stream->Release();

    ASSERT_EQ(CreateFileStream(path, STGM_READ, &stream), S_OK);
    EXPECT_EQ(stream->Write("x", 1, nullptr), STG_E_ACCESSDENIED);
    ASSERT_EQ(stream->Seek(Offset(7), STREAM_SEEK_SET, nullptr), S_OK);
    char buffer[4] = {};
    ULONG done = 0;
    EXPECT_EQ(stream->Read(buffer, 4, &done), S_FALSE);
    EXPECT_EQ(std::string(buffer, done), "789");
    stream->Release();
}
